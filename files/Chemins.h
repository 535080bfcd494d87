// Paths from and to UTF-8 text, the program's own encoding, on every system.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ortix::fichiers {

std::filesystem::path Chemin_Depuis_Utf8(std::string_view utf8);
std::string Utf8_Depuis_Chemin(const std::filesystem::path& chemin);

} // namespace ortix::fichiers
