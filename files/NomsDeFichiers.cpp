#include "files/NomsDeFichiers.h"

#include "files/Chemins.h"
#include "files/Citation.h"
#include "files/Encodage.h"
#include "files/Plateforme.h"

#include <algorithm>

namespace ortix::fichiers {

namespace {

// The small letter of a capital written in two bytes of UTF-8 (U+0080 to
// U+07FF), whose small letter is written in two bytes too; `c` otherwise.
char32_t minuscule(char32_t c) {
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if (c == 0x178) return 0xFF; // Ÿ
    // Latin Extended-A pairs a capital with the small letter after it, from
    // U+0100 on even code points and from U+0139 and U+0179 on odd ones.
    const bool pair =
        (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool impair = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((pair && c % 2 == 0) || (impair && c % 2 == 1)) return c + 1;
    return c;
}

} // namespace

std::string Minuscules(std::string nom) {
    for (std::size_t i = 0; i < nom.size();) {
        char32_t c = 0;
        const std::size_t n = Lire_Utf8(nom, i, c);
        if (n == 1 && c >= 'A' && c <= 'Z') {
            nom[i] = static_cast<char>(c - 'A' + 'a');
        } else if (n == 2 && minuscule(c) != c) {
            const char32_t m = minuscule(c);
            nom[i] = static_cast<char>(0xC0 | (m >> 6));
            nom[i + 1] = static_cast<char>(0x80 | (m & 0x3F));
        }
        i += std::max<std::size_t>(n, 1);
    }
    return nom;
}

bool Finit_Par(std::string_view nom, std::string_view fin) {
    return nom.size() >= fin.size() &&
           Minuscules(std::string(nom.substr(nom.size() - fin.size()))) ==
               Minuscules(std::string(fin));
}

namespace {

// Whether Windows opens a device in place of a file of this name: the part
// before the first dot, less the blanks that end it ("nul.txt" and "CON .dat"
// are the devices NUL and CON), is a device's name in any letter case.
bool nomDePeripherique(const std::string& base) {
    const std::string b = Minuscules(base);
    if (b == "con" || b == "prn" || b == "aux" || b == "nul") return true;
    if (!b.starts_with("com") && !b.starts_with("lpt")) return false;
    const std::string numero = b.substr(3);
    return (numero.size() == 1 && numero[0] >= '1' && numero[0] <= '9') || numero == "¹" ||
           numero == "²" || numero == "³";
}

} // namespace

Resultat Nom_De_Fichier_Accepte(const std::string& nom) {
    const std::string debut = "Nom de fichier refusé : ";
    if (nom.empty()) return Resultat::Refus(debut + "le nom est vide.");
    const std::string cite = "\"" + Citation(nom) + "\"";
    if (nom == "." || nom == "..")
        return Resultat::Refus(debut + cite + " désigne un dossier, pas un fichier.");
    if (nom.find_first_of("/\\") != std::string::npos)
        return Resultat::Refus(debut + cite + " contient un séparateur de dossier.");
    for (std::size_t i = 0; i < nom.size(); ++i)
        if (Caractere_Controle(nom, i))
            return Resultat::Refus(debut + cite + " contient un caractère de contrôle.");
    // Refused on every system, so that a project behaves the same wherever it is written.
    if (const std::size_t i = nom.find_first_of("<>:\"|?*"); i != std::string::npos)
        return Resultat::Refus(debut + cite + " contient « " + nom[i] +
                               (nom[i] == ':' ? " », réservé aux lecteurs sous Windows."
                                              : " », interdit dans un nom de fichier sous "
                                                "Windows."));
    std::string base = nom.substr(0, nom.find('.'));
    base.erase(base.find_last_not_of(' ') + 1);
    if (nomDePeripherique(base))
        return Resultat::Refus(debut + cite + " désigne le périphérique « " + base +
                               " » sous Windows, pas un fichier.");
    // Windows drops them: the file written would have another name.
    if (nom.back() == '.' || nom.back() == ' ')
        return Resultat::Refus(debut + cite + " se termine par " +
                               (nom.back() == '.' ? "un point" : "un espace") +
                               ", que Windows retire du nom.");
    return {};
}

Resultat Verifier_Noms(const std::filesystem::path& dossier, const std::vector<std::string>& noms) {
    for (std::size_t i = 0; i < noms.size(); ++i) {
        const std::string& nom = noms[i];
        if (Resultat r = Nom_De_Fichier_Accepte(nom); !r) return r;
        if (plateforme::Nom_Trop_Long(dossier, Chemin_Depuis_Utf8(nom)))
            return Resultat::Refus("Nom de fichier refusé : \"" + Citation(nom) +
                                   "\" est trop long pour le système de fichiers du dossier "
                                   "choisi.");
        for (std::size_t j = 0; j < i; ++j)
            if (Minuscules(noms[j]) == Minuscules(nom))
                return Resultat::Refus("Noms de fichiers refusés : \"" + Citation(noms[j]) +
                                       "\" et \"" + Citation(nom) +
                                       "\" désigneraient le même fichier.");
    }
    return {};
}

} // namespace ortix::fichiers
