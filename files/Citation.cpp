#include "files/Citation.h"

#include "files/Encodage.h"

#include <algorithm>

namespace ortix::fichiers {

std::size_t Caractere_Controle(std::string_view s, std::size_t i) {
    const auto o = static_cast<unsigned char>(s[i]);
    if (o < 0x20 || o == 0x7F) return 1;
    char32_t c = 0;
    const std::size_t n = o >= 0xC2 ? Lire_Utf8(s, i, c) : 0;
    // C1; ALM; LRM and RLM; LRE, RLE, PDF, LRO and RLO; LRI, RLI, FSI and PDI.
    const bool controle = (c >= 0x80 && c <= 0x9F) || c == 0x61C || c == 0x200E || c == 0x200F ||
                          (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
    return n > 0 && controle ? n : 0;
}

std::string Citation(std::string_view texte, std::size_t longueur) {
    std::string r;
    char32_t c;
    std::size_t i = 0;
    for (std::size_t caracteres = 0; i < texte.size() && caracteres < longueur; ++caracteres) {
        if (const std::size_t n = Caractere_Controle(texte, i)) {
            r += '?';
            i += n;
        } else {
            const std::size_t n8 = std::max<std::size_t>(Lire_Utf8(texte, i, c), 1);
            r.append(texte.substr(i, n8));
            i += n8;
        }
    }
    if (i < texte.size()) r += "…";
    return r;
}

std::string Texte_Affichable(std::string_view texte) {
    const std::string cite = Citation(Utf8_Repare(texte), std::string::npos);
    std::string r;
    r.reserve(cite.size());
    for (std::size_t i = 0; i < cite.size();) {
        char32_t c = 0;
        const std::size_t n = std::max<std::size_t>(Lire_Utf8(cite, i, c), 1);
        // Neither Cairo nor XML takes them.
        if ((c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE)
            r += '?';
        else
            r.append(cite, i, n);
        i += n;
    }
    return r;
}

} // namespace ortix::fichiers
