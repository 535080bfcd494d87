#include "files/Chemins.h"

namespace ortix::fichiers {

// Paths are built from UTF-8 on every system: char8_t text is read as UTF-8 by
// std::filesystem, whatever the process's code page.
std::filesystem::path Chemin_Depuis_Utf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8_Depuis_Chemin(const std::filesystem::path& chemin) {
    const std::u8string u = chemin.u8string();
    return std::string(u.begin(), u.end());
}
} // namespace ortix::fichiers
