#include "files/Sortie.h"

#include "files/Date.h"
#include "files/GCode.h"
#include "files/GabaritPDF.h"
#include "files/GabaritSVG.h"
#include "files/NomsDeFichiers.h"
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

// The templates' three contents: the PDF, then the root's SVG, then the tip's.
Resultat contenusGabarits(const Modele& m, const Papier& papier,
                          const std::atomic<bool>* annulation, std::vector<std::string>& contenus) {
    Gabarit empl, saum;
    Pagination pe, ps;
    std::string pdf, svgEmpl, svgSaum;
    Resultat r = Mettre_En_Pages(m, plateforme::Date_Du_Jour(), papier, empl, saum, pe, ps);
    if (r) r = Pdf_Gabarits({{&empl, &pe}, {&saum, &ps}}, pdf, annulation);
    if (r) r = Svg_Gabarit(empl, svgEmpl);
    if (r) r = Svg_Gabarit(saum, svgSaum);
    if (!r) return r;
    for (std::string* c : {&pdf, &svgEmpl, &svgSaum})
        contenus.push_back(std::move(*c));
    return {};
}

} // namespace

std::vector<std::string> Noms_Des_Fichiers(const std::string& P, const NomsProposes& noms,
                                           const OptionsSortie& options) {
    std::vector<std::string> n = {noms.Txt_Nom_Fich_Data, noms.Txt_Nom_Fich_Empl,
                                  noms.Txt_Nom_Fich_Saum};
    if (options.gabarits)
        for (const std::string& g :
             {noms.Txt_Nom_Fich_Gabarits, Nom_Gabarit_Svg(P, Extremite::Emplanture),
              Nom_Gabarit_Svg(P, Extremite::Saumon)})
            n.push_back(g);
    if (options.machine) n.push_back(Nom_GCode(P));
    return n;
}

Resultat Sauve_Fichiers(const Modele& m, const std::filesystem::path& dossier,
                        const NomsProposes& noms, const OptionsSortie& options,
                        std::vector<std::string>& ecrits, GCodeVerifie* gcode,
                        const std::atomic<bool>* annulation) {
    const std::vector<std::string> nomsEcrits = Noms_Des_Fichiers(m.Txt_Nom_proj, noms, options);
    // Before the contents: a name refused costs no template.
    if (Resultat r = Verifier_Noms(dossier, nomsEcrits); !r)
        return Resultat::Refus(r.message() + " Aucun fichier n'a été écrit.");
    std::vector<std::string> empl, saum;
    Resultat r = Lignes_Profil(m, Extremite::Emplanture, empl);
    if (r) r = Lignes_Profil(m, Extremite::Saumon, saum);
    std::vector<std::string> contenus = {
        Octets_Des_Lignes(Lignes_Donnees(m, noms.Txt_Nom_Fich_Empl, noms.Txt_Nom_Fich_Saum)),
        Octets_Des_Lignes(empl), Octets_Des_Lignes(saum)};
    if (r && options.gabarits) r = contenusGabarits(m, options.papier, annulation, contenus);
    GCodeVerifie decoupe;
    if (r && options.machine) {
        r = Preparer_GCode(m, *options.machine, plateforme::Date_Du_Jour(), decoupe);
        contenus.push_back(decoupe.programme.texte);
    }
    if (!r) return Resultat::Refus(r.message() + " Aucun fichier n'a été écrit.");
    std::vector<FichierAEcrire> fichiers;
    for (std::size_t k = 0; k < nomsEcrits.size(); ++k)
        fichiers.push_back({nomsEcrits[k], std::move(contenus[k])});
    if (r = Ecrire_Ensemble(dossier, fichiers, annulation); !r) return r;
    ecrits = nomsEcrits;
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
