#include "files/FichierProfil.h"

#include "files/Citation.h"
#include "files/Encodage.h"
#include "files/LecteurChamps.h"
#include "files/Lecture.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace ortix::fichiers {

namespace {

struct Ligne {
    int numero; // from 1, as an editor counts
    std::string_view texte;
    std::vector<std::string_view> valeurs;
};

std::string nomCite(const std::string& nomFichier) {
    return "« " + Citation(nomFichier) + " »";
}

// The surface counts of a count line, when the line is one: two whole numbers
// above 1 whose sum of points is exactly what the rest of the file holds.
// Upper surface's count first.
std::optional<std::pair<std::size_t, std::size_t>>
comptesLednicer(const std::vector<double>& nombres, std::size_t nbNombresDeLigne) {
    if (nbNombresDeLigne != 2 || nombres.size() < 2) return std::nullopt;
    const double a = nombres[0], b = nombres[1];
    if (a <= 1 || b <= 1) return std::nullopt;
    if (a != std::floor(a) || b != std::floor(b)) return std::nullopt;
    if (2 * (a + b) != static_cast<double>(nombres.size() - 2)) return std::nullopt;
    return std::pair{static_cast<std::size_t>(a), static_cast<std::size_t>(b)};
}

} // namespace

Resultat Analyser_Profil(std::string_view texte, const std::string& nomFichier,
                         ortix::Profil& profil) {
    const std::vector<std::string> lignesTexte = Decouper_Lignes(texte);
    std::vector<Ligne> lignes;
    for (std::size_t i = 0; i < lignesTexte.size(); ++i) {
        Ligne l{static_cast<int>(i + 1), lignesTexte[i], Valeurs_Ligne(lignesTexte[i])};
        if (!l.valeurs.empty()) lignes.push_back(std::move(l));
    }

    Profil lu;
    lu.legende = nomFichier;
    std::size_t premiere = 0; // first line of numbers
    if (!lignes.empty()) {
        const auto nombre = [](std::string_view t) {
            double v;
            return Lire_Nombre(t, v) == Nombre::Lu;
        };
        const auto un = [](std::string_view t) {
            double v;
            return Lire_Nombre(t, v) == Nombre::Lu && v == 1.0;
        };
        const std::vector<std::string_view>& v = lignes[0].valeurs;
        if (!un(v[0]) || !std::all_of(v.begin(), v.end(), nombre)) {
            lu.legende = std::string(lignes[0].texte);
            premiere = 1;
        }
    }

    std::vector<double> nombres;
    std::vector<int> numeros; // the line of each number, for the messages
    for (std::size_t i = premiere; i < lignes.size(); ++i) {
        for (std::string_view v : lignes[i].valeurs) {
            double x = 0;
            switch (Lire_Nombre(v, x)) {
            case Nombre::Lu:
                break;
            case Nombre::PasUnNombre:
                return Resultat::Refus("Profil " + nomCite(nomFichier) + " refusé, ligne " +
                                       std::to_string(lignes[i].numero) + " : « " + Citation(v) +
                                       " » n'est pas un nombre.");
            case Nombre::HorsLimites:
                return Resultat::Refus("Profil " + nomCite(nomFichier) + " refusé, ligne " +
                                       std::to_string(lignes[i].numero) + " : « " + Citation(v) +
                                       " » dépasse les limites des nombres.");
            }
            nombres.push_back(x);
            numeros.push_back(lignes[i].numero);
        }
    }
    if (nombres.empty()) {
        return Resultat::Refus("Profil " + nomCite(nomFichier) +
                               " refusé : le fichier ne contient aucun point.");
    }
    if (nombres.size() % 2 != 0) {
        return Resultat::Refus(
            "Profil " + nomCite(nomFichier) + " refusé, ligne " + std::to_string(numeros.back()) +
            " : le nombre de valeurs est impair, la dernière valeur n'a pas de partenaire.");
    }

    // The points in the usual order, as indices of their X in `nombres`.
    std::vector<std::size_t> points;
    if (const auto comptes = premiere < lignes.size()
                                 ? comptesLednicer(nombres, lignes[premiere].valeurs.size())
                                 : std::nullopt) {
        const auto [extrados, intrados] = *comptes;
        const std::size_t debutExt = 2, debutInt = debutExt + 2 * extrados;
        for (std::size_t k = extrados; k > 0; --k)
            points.push_back(debutExt + 2 * (k - 1));
        const bool bordAttaqueCommun = nombres[debutInt] == nombres[debutExt] &&
                                       nombres[debutInt + 1] == nombres[debutExt + 1];
        for (std::size_t k = bordAttaqueCommun ? 1 : 0; k < intrados; ++k)
            points.push_back(debutInt + 2 * k);
    } else {
        for (std::size_t k = 0; k < nombres.size(); k += 2)
            points.push_back(k);
    }
    // An open trailing edge closed by repeating the first point: the repeat,
    // with the point before it one above the other, would make a vertical
    // trailing-edge segment, so it is left out. A closed trailing edge (the
    // points before the last lying ahead of it) is kept as it is.
    const auto x = [&](std::size_t k) { return nombres[points[points.size() - k]]; };
    const auto y = [&](std::size_t k) { return nombres[points[points.size() - k] + 1]; };
    if (points.size() >= 3 && x(1) == nombres[points[0]] && y(1) == nombres[points[0] + 1] &&
        x(2) == x(1))
        points.pop_back();

    if (points.size() > static_cast<std::size_t>(Capacite)) {
        return Resultat::Refus("Profil " + nomCite(nomFichier) + " refusé : il compte " +
                               std::to_string(points.size()) + " points, un profil en a au plus " +
                               std::to_string(Capacite) + ".");
    }
    for (std::size_t k = 0; k < points.size(); ++k) {
        lu.x[k] = nombres[points[k]];
        lu.y[k] = nombres[points[k] + 1];
    }
    lu.n = static_cast<int>(points.size());
    profil = std::move(lu);
    return {};
}

Resultat Lire_Profil(const std::filesystem::path& chemin, const std::string& nomFichier,
                     ortix::Profil& profil) {
    std::string octets;
    if (Resultat r = Lire_Fichier(chemin, octets); !r) return r;
    return Analyser_Profil(Decoder_Texte(octets), nomFichier, profil);
}

void Appliquer_Profil(ortix::Modele& m, ortix::Extremite e, const std::string& nomFichier,
                      const ortix::Profil& p) {
    const bool empl = e == Extremite::Emplanture;
    (empl ? m.champs.txt_prof_empl : m.champs.txt_prof_saum) = nomFichier;
    (empl ? m.Lbl_prof_empl : m.Lbl_Prof_Saum) = p.legende;
    Poser_Profil(m, e, p);
    if ((empl ? m.champs.txt_prof_saum : m.champs.txt_prof_empl) != TexteNonChoisi) {
        m.boutons.Bt_Calc = true;
        m.boutons.Bt_Save_Proj = true;
        m.boutons.Bt_Opt_Href_Saum = true;
    }
}

} // namespace ortix::fichiers
