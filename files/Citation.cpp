#include "files/Citation.h"

#include "files/Encodage.h"

#include <algorithm>

namespace ortix::fichiers {

std::size_t Caractere_Controle(std::string_view s, std::size_t i) {
    const auto o = static_cast<unsigned char>(s[i]);
    if (o < 0x20 || o == 0x7F) return 1;
    if (o == 0xC2 && i + 1 < s.size()) {
        const auto suivant = static_cast<unsigned char>(s[i + 1]);
        if (suivant >= 0x80 && suivant <= 0x9F) return 2;
    }
    return 0;
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
    return Citation(Utf8_Repare(texte), std::string::npos);
}

} // namespace ortix::fichiers
