#include "files/LecteurChamps.h"

#include "files/Citation.h"
#include "model/Nombres.h"

#include <charconv>
#include <cmath>
#include <system_error>
#include <utility>

namespace ortix::fichiers {

std::string Lecture_Champ(const ChampParametre& champ, const std::string& texte) {
    if (!champ.valeur) return {};
    const std::string l = Lecture_Partielle(texte, Citation(texte));
    return l.empty() ? l : std::string(champ.nom) + " : " + l;
}

std::vector<std::string> Lectures_Partielles(const Champs& champs) {
    std::vector<std::string> avis;
    for (const ChampParametre& c : TableChamps)
        if (std::string l = Lecture_Champ(c, champs.*c.texte); !l.empty())
            avis.push_back(std::move(l));
    return avis;
}

bool Est_Blanc(char c) {
    return c == ' ' || c == '\t';
}

bool Ligne_Vide(std::string_view ligne) {
    for (char c : ligne)
        if (!Est_Blanc(c)) return false;
    return true;
}

std::string_view Sans_Blancs_Devant(std::string_view ligne) {
    std::size_t i = 0;
    while (i < ligne.size() && Est_Blanc(ligne[i]))
        ++i;
    return ligne.substr(i);
}

std::vector<std::string_view> Valeurs_Ligne(std::string_view ligne) {
    std::vector<std::string_view> valeurs;
    const auto separe = [](char c) { return Est_Blanc(c) || c == ','; };
    std::size_t i = 0;
    while (i < ligne.size()) {
        while (i < ligne.size() && separe(ligne[i]))
            ++i;
        const std::size_t debut = i;
        while (i < ligne.size() && !separe(ligne[i]))
            ++i;
        if (i > debut) valeurs.push_back(ligne.substr(debut, i - debut));
    }
    return valeurs;
}

Nombre Lire_Nombre(std::string_view texte, double& valeur) {
    std::string_view t = texte;
    // from_chars takes no '+', but airfoil files sometimes carry one.
    if (t.size() > 1 && t[0] == '+' && t[1] != '-' && t[1] != '+') t.remove_prefix(1);
    const std::size_t debutChiffres = !t.empty() && t[0] == '-' ? 1 : 0;
    // Only a digit or a point may open the number: this keeps out inf and nan.
    if (debutChiffres >= t.size()) return Nombre::PasUnNombre;
    const char c = t[debutChiffres];
    if (!(c == '.' || (c >= '0' && c <= '9'))) return Nombre::PasUnNombre;
    double v = 0;
    const auto [fin, ec] =
        std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
    if (fin != t.data() + t.size()) return Nombre::PasUnNombre;
    if (ec == std::errc::result_out_of_range) return Nombre::HorsLimites;
    if (ec != std::errc()) return Nombre::PasUnNombre;
    if (!Fini(v)) return Nombre::HorsLimites;
    valeur = v;
    return Nombre::Lu;
}

} // namespace ortix::fichiers
