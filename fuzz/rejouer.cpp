// Replays a fuzz target's seeds, and every past finding kept among them, as an
// ordinary test: each file of the folders given is handed to the target once.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille);

int main(int argc, char** argv) {
    int n = 0;
    for (int i = 1; i < argc; ++i)
        for (const auto& f : std::filesystem::directory_iterator(argv[i])) {
            std::ifstream flux(f.path(), std::ios::binary);
            const std::string octets(std::istreambuf_iterator<char>(flux), {});
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(octets.data()),
                                   octets.size());
            ++n;
        }
    std::printf("%d entrées rejouées\n", n);
    return n > 0 ? 0 : 1;
}
