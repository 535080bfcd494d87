// Helpers shared by the file tests: a fresh folder per test under the build
// tree's output folder, and whole-file reads and writes as bytes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace ortix::essais {

namespace fs = std::filesystem;

// A fresh, empty folder named after the running test, under ORTIX_TEST_OUT/theme.
inline fs::path DossierNeuf(const char* theme) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    fs::path d = fs::path(ORTIX_TEST_OUT) / theme /
                 (std::string(info->test_suite_name()) + "_" + info->name());
    fs::remove_all(d);
    fs::create_directories(d);
    return d;
}

inline std::string Contenu(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// Writes the bytes, creating the folders on the way.
inline void Poser(const fs::path& p, const std::string& octets) {
    if (p.has_parent_path()) fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << octets;
}

// The names of a folder's entries, sorted.
inline std::vector<std::string> Noms(const fs::path& d) {
    std::vector<std::string> n;
    for (const auto& e : fs::directory_iterator(d)) n.push_back(e.path().filename().string());
    std::sort(n.begin(), n.end());
    return n;
}

} // namespace ortix::essais
