#include "files/Sortie.h"

#include "files/Texte.h"
#include "model/Nombres.h"

#include <cmath>
#include <utility>

namespace ortix::fichiers {

namespace {

// F of the proposed names: the text read as a number and formatted again.
std::string Figure(const std::string& texte) {
    return Format(Val(texte), "#.0");
}

// The length in bytes of the control character starting at `i` (C0, DEL, or a
// C1 control written in UTF-8), 0 when none starts there.
std::size_t Controle(const std::string& s, std::size_t i) {
    const auto o = static_cast<unsigned char>(s[i]);
    if (o < 0x20 || o == 0x7F) return 1;
    if (o == 0xC2 && i + 1 < s.size()) {
        const auto suivant = static_cast<unsigned char>(s[i + 1]);
        if (suivant >= 0x80 && suivant <= 0x9F) return 2;
    }
    return 0;
}

// The name as a message can show it: control characters become '?'.
std::string Montrable(const std::string& nom) {
    std::string r;
    for (std::size_t i = 0; i < nom.size();) {
        if (const std::size_t n = Controle(nom, i)) {
            r += '?';
            i += n;
        } else {
            r += nom[i++];
        }
    }
    return r;
}

std::string Titre_Profil(const Modele& m, Extremite e) {
    const Finals& f = m.finals;
    if (e == Extremite::Emplanture)
        return "Emplanture base " + m.champs.txt_prof_empl + " - Corde " + f.Txt_Corde_Final +
               "mm - Href " + f.Txt_Href_Empl_final + "mm - Vrillage " + f.Txt_Vrill_Empl_Final +
               "deg";
    return "Saumon base " + m.champs.txt_prof_saum + " - Corde " + f.Txt_Corde_Final +
           "mm - Href " + f.Txt_Href_Saum_final + "mm - Longueur " + f.Txt_Lg_Final +
           "mm - Vrillage " + f.Txt_Vrill_Saum_Final + "deg";
}

} // namespace

std::string remp_virg_point(const std::string& nb) {
    if (nb.size() < 6) return nb;
    return nb.substr(0, nb.size() - 6) + "." + nb.substr(nb.size() - 5);
}

NomsProposes Propose_Noms(const std::string& Txt_Nom_proj, const std::string& Txt_Corde,
                          const std::string& Txt_Long, const Finals& finals) {
    const std::string& P = Txt_Nom_proj;
    NomsProposes n;
    n.Txt_Nom_Fich_Empl = P + "_Empl_C" + Figure(Txt_Corde) + "_H" +
                          Figure(finals.Txt_Href_Empl_final) + "_L0.0_V" +
                          Figure(finals.Txt_Vrill_Empl_Final) + ".dat";
    n.Txt_Nom_Fich_Saum = P + "_Saum_C" + Figure(Txt_Corde) + "_H" +
                          Figure(finals.Txt_Href_Saum_final) + "_L" + Figure(Txt_Long) + "_V" +
                          Figure(finals.Txt_Vrill_Saum_Final) + ".dat";
    n.Txt_Nom_Fich_Data = P + "_Data_Troncon.txt";
    return n;
}

Resultat NomDeFichierAccepte(const std::string& nom) {
    const std::string debut = "Nom de fichier refusé : ";
    if (nom.empty()) return Resultat::Refus(debut + "le nom est vide.");
    const std::string cite = "\"" + Montrable(nom) + "\"";
    if (nom == "." || nom == "..")
        return Resultat::Refus(debut + cite + " désigne un dossier, pas un fichier.");
    if (nom.find_first_of("/\\") != std::string::npos)
        return Resultat::Refus(debut + cite + " contient un séparateur de dossier.");
    for (std::size_t i = 0; i < nom.size(); ++i)
        if (Controle(nom, i))
            return Resultat::Refus(debut + cite + " contient un caractère de contrôle.");
    if (nom.find(':') != std::string::npos)
        return Resultat::Refus(debut + cite +
                               " contient « : », réservé aux lecteurs sous Windows.");
    return {};
}

Resultat Chemin_Sortie(const std::filesystem::path& dossier, const std::string& nom,
                       std::filesystem::path& chemin) {
    if (Resultat r = NomDeFichierAccepte(nom); !r) return r;
    chemin = dossier / CheminDepuisUtf8(nom);
    return {};
}

std::vector<std::string> Lignes_Donnees(const Modele& m, const std::string& nomEmpl,
                                        const std::string& nomSaum) {
    const Finals& f = m.finals;
    return {
        "Profils généré par le programme Ortix (version " ORTIX_VERSION ")",
        std::string(68, '='),
        "  Longueur du tronçon   : " + f.Txt_Lg_Final + " mm",
        "  Flèche du tronçon     : 0.00 mm",
        "  Profil d'emplanture   : " + nomEmpl,
        "    Corde               : " + f.Txt_Corde_Final + " mm",
        "    Haut. ligne de base : " + f.Txt_Href_Empl_final + " mm",
        "    Vrillage            : " + f.Txt_Vrill_Empl_Final + " °",
        "  Profil du saumon      : " + nomSaum,
        "    Corde               : " + f.Txt_Corde_Final + " mm",
        "    Haut. ligne de base : " + f.Txt_Href_Saum_final + " mm",
        "    Vrillage            : " + f.Txt_Vrill_Saum_Final + " °",
        " ",
        "-= [ EOF ]=-",
    };
}

namespace {

// Points 1 to n of a projected profile normalised to unit chord; a refusal says
// why in French.
Resultat Normaliser(const Tableau& X, const Tableau& Y, int n, double h, std::vector<double>& x,
                    std::vector<double>& y) {
    if (n < 1) return Resultat::Refus("le profil projeté n'a aucun point");
    double Xmin = X(1);
    double Xmax = X(1);
    for (int i = 2; i <= n; ++i) {
        if (X(i) < Xmin) Xmin = X(i);
        if (X(i) > Xmax) Xmax = X(i);
    }
    const double c = Xmax - Xmin;
    if (c == 0)
        return Resultat::Refus(
            "tous les points ont la même abscisse : le profil ne peut pas être normalisé");
    if (!std::isfinite(c)) return Resultat::Refus("l'étendue du profil n'est pas un nombre fini");
    if (!std::isfinite(h))
        return Resultat::Refus("la hauteur de référence finale n'est pas un nombre fini");
    x.resize(static_cast<std::size_t>(n));
    y.resize(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        const double xi = (Xmax - X(i)) / c;
        const double yi = (Y(i) - h) / c;
        if (!std::isfinite(xi) || !std::isfinite(yi))
            return Resultat::Refus("le point " + std::to_string(i) +
                                   " ne donne pas des coordonnées finies : le profil ne peut pas "
                                   "être normalisé");
        x[static_cast<std::size_t>(i - 1)] = xi;
        y[static_cast<std::size_t>(i - 1)] = yi;
    }
    return {};
}

} // namespace

Resultat Lignes_Profil(const Modele& m, Extremite e, std::vector<std::string>& lignes) {
    const bool empl = e == Extremite::Emplanture;
    const double h = Val(empl ? m.finals.Txt_Href_Empl_final : m.finals.Txt_Href_Saum_final);
    std::vector<double> x, y;
    if (Resultat r =
            Normaliser(empl ? m.X_Empl_Proj : m.X_Saum_Proj, empl ? m.Y_Empl_Proj : m.Y_Saum_Proj,
                       empl ? m.Nb_Pts_Empl_Proj : m.Nb_Pts_Saum_Proj, h, x, y);
        !r)
        return Resultat::Refus(std::string(empl ? "Profil d'emplanture" : "Profil de saumon") +
                               " non enregistré : " + r.message() + ".");
    std::vector<std::string> l;
    l.reserve(x.size() + 1);
    l.push_back(Titre_Profil(m, e));
    for (std::size_t i = 0; i < x.size(); ++i)
        l.push_back(remp_virg_point(Format(x[i], "#0.00000")) + " " +
                    remp_virg_point(Format(y[i], "#0.00000")));
    lignes = std::move(l);
    return {};
}

Resultat Sauve_Fichiers(const Modele& m, const std::filesystem::path& Emplanture,
                        const std::filesystem::path& Saumon, const std::filesystem::path& Troncon,
                        const std::string& nomEmpl, const std::string& nomSaum) {
    const std::vector<std::string> donnees = Lignes_Donnees(m, nomEmpl, nomSaum);
    std::vector<std::string> empl, saum;
    Resultat r = Lignes_Profil(m, Extremite::Emplanture, empl);
    if (r) r = Lignes_Profil(m, Extremite::Saumon, saum);
    if (!r) return Resultat::Refus(r.message() + " Aucun fichier n'a été écrit.");
    if (r = EcrireLignes(Troncon, donnees); !r) return r;
    if (r = EcrireLignes(Emplanture, empl); !r) return r;
    return EcrireLignes(Saumon, saum);
}

std::string Message_Sauvegarde(const std::string& nomEmpl, const std::string& nomSaum,
                               const std::string& nomData, const std::string& dossier) {
    return nomEmpl + "\n" + nomSaum + "\n" + nomData + "\n\nDans le dossier :\n" + dossier;
}

} // namespace ortix::fichiers
