#include "files/Sortie.h"

#include "files/Chemins.h"
#include "files/Citation.h"
#include "files/Date.h"
#include "files/GCode.h"
#include "files/GabaritPDF.h"
#include "files/GabaritSVG.h"
#include "files/NomsDeFichiers.h"
#include "files/Plateforme.h"
#include "files/SauvegardeAtomique.h"
#include "geometry/Pagination.h"
#include "model/Nombres.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace ortix::fichiers {

namespace {

// F of the proposed names: the text read as a number and formatted again.
std::string figure(const std::string& texte) {
    return Format(Val(texte), "#.0");
}

std::string titreProfil(const Modele& m, Extremite e) {
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

NomsProposes Propose_Noms(const std::string& Txt_Nom_proj, const std::string& Txt_Corde,
                          const std::string& Txt_Long, const Finals& finals) {
    const std::string& P = Txt_Nom_proj;
    NomsProposes n;
    n.Txt_Nom_Fich_Empl = P + "_Empl_C" + figure(Txt_Corde) + "_H" +
                          figure(finals.Txt_Href_Empl_final) + "_L0.0_V" +
                          figure(finals.Txt_Vrill_Empl_Final) + ".dat";
    n.Txt_Nom_Fich_Saum = P + "_Saum_C" + figure(Txt_Corde) + "_H" +
                          figure(finals.Txt_Href_Saum_final) + "_L" + figure(Txt_Long) + "_V" +
                          figure(finals.Txt_Vrill_Saum_Final) + ".dat";
    n.Txt_Nom_Fich_Data = P + "_Data_Troncon.txt";
    n.Txt_Nom_Fich_Gabarits = P + "_Gabarits.pdf";
    return n;
}

std::string Nom_Gabarit_Svg(const std::string& P, Extremite e) {
    return P + (e == Extremite::Emplanture ? "_Gabarit_Empl.svg" : "_Gabarit_Saum.svg");
}

std::string Nom_GCode(const std::string& P) {
    return P + "_Decoupe.ngc";
}

std::vector<std::string> Lignes_Donnees(const Modele& m, const std::string& nomEmpl,
                                        const std::string& nomSaum) {
    const Finals& f = m.finals;
    return {
        std::string("Profils généré par le programme Ortix (version ") + ORTIX_VERSION + ")",
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
Resultat normaliser(const Tableau& X, const Tableau& Y, int n, double h, std::vector<double>& x,
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
    if (!Fini(c)) return Resultat::Refus("l'étendue du profil n'est pas un nombre fini");
    if (!Fini(h)) return Resultat::Refus("la hauteur de référence finale n'est pas un nombre fini");
    x.resize(static_cast<std::size_t>(n));
    y.resize(static_cast<std::size_t>(n));
    for (int i = 1; i <= n; ++i) {
        const double xi = (Xmax - X(i)) / c;
        const double yi = (Y(i) - h) / c;
        if (!Fini(xi) || !Fini(yi))
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
            normaliser(empl ? m.X_Empl_Proj : m.X_Saum_Proj, empl ? m.Y_Empl_Proj : m.Y_Saum_Proj,
                       empl ? m.Nb_Pts_Empl_Proj : m.Nb_Pts_Saum_Proj, h, x, y);
        !r)
        return Resultat::Refus(std::string(empl ? "Profil d'emplanture" : "Profil de saumon") +
                               " non enregistré : " + r.message() + ".");
    std::vector<std::string> l;
    l.reserve(x.size() + 1);
    l.push_back(titreProfil(m, e));
    for (std::size_t i = 0; i < x.size(); ++i)
        l.push_back(Format(x[i], "#0.00000") + " " + Format(y[i], "#0.00000"));
    lignes = std::move(l);
    return {};
}

namespace {

// A file of the output: its name as given, and its bytes, made before anything
// is written.
struct Fichier {
    std::string nom;
    std::string octets;
};

Resultat verifierNoms(const std::filesystem::path& dossier, const std::vector<Fichier>& fichiers) {
    for (std::size_t i = 0; i < fichiers.size(); ++i) {
        const std::string& nom = fichiers[i].nom;
        if (Resultat r = Nom_De_Fichier_Accepte(nom); !r) return r;
        if (plateforme::Nom_Trop_Long(dossier, Chemin_Depuis_Utf8(nom)))
            return Resultat::Refus("Nom de fichier refusé : \"" + Citation(nom, std::string::npos) +
                                   "\" est trop long pour le système de fichiers du dossier "
                                   "choisi.");
        for (std::size_t j = 0; j < i; ++j)
            if (Minuscules(fichiers[j].nom) == Minuscules(nom))
                return Resultat::Refus("Noms de fichiers refusés : \"" +
                                       Citation(fichiers[j].nom, std::string::npos) + "\" et \"" +
                                       Citation(nom, std::string::npos) +
                                       "\" désigneraient le même fichier.");
    }
    return {};
}

// The templates' three files: the PDF, then the root's SVG, then the tip's.
Resultat fichiersGabarits(const Modele& m, const NomsProposes& noms, const Papier& papier,
                          std::vector<Fichier>& fichiers) {
    Gabarit empl, saum;
    Pagination pe, ps;
    std::string pdf, svgEmpl, svgSaum;
    Resultat r = Mettre_En_Pages(m, plateforme::Date_Du_Jour(), papier, empl, saum, pe, ps);
    if (r) r = Pdf_Gabarits({{&empl, &pe}, {&saum, &ps}}, pdf);
    if (r) r = Svg_Gabarit(empl, svgEmpl);
    if (r) r = Svg_Gabarit(saum, svgSaum);
    if (!r) return r;
    fichiers.push_back({noms.Txt_Nom_Fich_Gabarits, std::move(pdf)});
    fichiers.push_back(
        {Nom_Gabarit_Svg(m.Txt_Nom_proj, Extremite::Emplanture), std::move(svgEmpl)});
    fichiers.push_back({Nom_Gabarit_Svg(m.Txt_Nom_proj, Extremite::Saumon), std::move(svgSaum)});
    return {};
}

} // namespace

Resultat Sauve_Fichiers(const Modele& m, const std::filesystem::path& dossier,
                        const NomsProposes& noms, const OptionsSortie& options,
                        std::vector<std::string>& ecrits, GCodeVerifie* gcode) {
    std::vector<std::string> empl, saum;
    Resultat r = Lignes_Profil(m, Extremite::Emplanture, empl);
    if (r) r = Lignes_Profil(m, Extremite::Saumon, saum);
    std::vector<Fichier> fichiers = {
        {noms.Txt_Nom_Fich_Data,
         Octets_Des_Lignes(Lignes_Donnees(m, noms.Txt_Nom_Fich_Empl, noms.Txt_Nom_Fich_Saum))},
        {noms.Txt_Nom_Fich_Empl, Octets_Des_Lignes(empl)},
        {noms.Txt_Nom_Fich_Saum, Octets_Des_Lignes(saum)}};
    if (r && options.gabarits) r = fichiersGabarits(m, noms, options.papier, fichiers);
    GCodeVerifie decoupe;
    if (r && options.machine) {
        r = Preparer_GCode(m, *options.machine, plateforme::Date_Du_Jour(), decoupe);
        fichiers.push_back({Nom_GCode(m.Txt_Nom_proj), decoupe.programme.texte});
    }
    if (!r) return Resultat::Refus(r.message() + " Aucun fichier n'a été écrit.");
    if (r = verifierNoms(dossier, fichiers); !r) return r;
    for (const Fichier& f : fichiers) {
        if (r = Ecrire_Atomique(dossier / Chemin_Depuis_Utf8(f.nom), f.octets); !r) return r;
        ecrits.push_back(f.nom);
    }
    if (gcode && options.machine) *gcode = std::move(decoupe);
    return {};
}

std::string Message_Sauvegarde(std::vector<std::string> ecrits, const std::string& dossier) {
    // The data file is written first but named third, as the dialog lists it.
    if (ecrits.size() >= 3) std::rotate(ecrits.begin(), ecrits.begin() + 1, ecrits.begin() + 3);
    std::string texte;
    for (const std::string& nom : ecrits)
        texte += nom + "\n";
    return texte + "\nDans le dossier :\n" + dossier;
}

} // namespace ortix::fichiers
