#include "files/NomsDeFichiers.h"

#include "files/Citation.h"

namespace ortix::fichiers {

std::string Minuscules(std::string nom) {
    for (char& c : nom)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
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
    const std::string cite = "\"" + Citation(nom, std::string::npos) + "\"";
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

} // namespace ortix::fichiers
