#include "geometry/Optimisation.h"

#include "geometry/Planforme.h"
#include "geometry/Projection.h"
#include "model/Nombres.h"
#include "model/Parametres.h"

#include <cmath>
#include <memory>

namespace ortix {

namespace {

// A value as the dialog shows it; nothing for a value that is not a number.
std::string texte(double v) {
    return Fini(v) ? Format(v, "#0.00") : std::string();
}

bool vide(const std::string& t) {
    return t.find_first_not_of(" \t\r\n") == std::string::npos;
}

bool compteValide(int n) {
    return n >= 1 && n <= Capacite;
}

} // namespace

CandidatsOpti Calcule_Candidats(const Modele& m) {
    const Parametres p = Lire_Parametres(m.champs);
    CandidatsOpti r;
    r.Txt_NOP = texte(p.Hs);
    // A profile turned by T about its leading edge at height H has its trailing
    // edge at H − C·sin T: A puts the tip's trailing edge at the root's height.
    const double A = p.He - p.Ce * std::sin(Radians(p.Te)) + p.Cs * std::sin(Radians(p.Ts));
    r.Txt_Align = texte(A);

    // From the tip's trailing edge, the straight continuation of its trailing-edge
    // segment reaches the root's trailing-edge height at the root's trailing edge.
    const int Ne = m.Nb_Pts_Empl, Ns = m.Nb_Pts_Saum;
    if (Ns >= 2 && compteValide(Ns) && compteValide(Ne)) {
        const double dxInt = m.X_Saum_Rot(Ns) - m.X_Saum_Rot(Ns - 1);
        if (dxInt != 0) {
            const double mInt = (m.Y_Saum_Rot(Ns) - m.Y_Saum_Rot(Ns - 1)) / dxInt;
            r.txt_int = texte(A + mInt * (m.X_Saum_Rot(Ns) - m.X_Empl_Rot(Ne)));
        }
        const double dxExt = m.X_Saum_Rot(1) - m.X_Saum_Rot(2);
        if (dxExt != 0) {
            const double mExt = (m.Y_Saum_Rot(1) - m.Y_Saum_Rot(2)) / dxExt;
            r.txt_ext = texte(A + mExt * (m.X_Saum_Rot(1) - m.X_Empl_Rot(1)));
        }
    }
    return r;
}

std::string Melange(const std::string& txt_int, int P, const std::string& txt_ext) {
    if (vide(txt_int) || vide(txt_ext)) return {};
    const double I = Val(txt_int);
    const double E = Val(txt_ext);
    return texte(I + (E - I) * P / 100);
}

Cassures Cassures_Pour_Hauteur(const Modele& m, const std::string& hauteur) {
    auto copie = std::make_unique<Modele>(m);
    if (!Hauteur_A_Appliquer(hauteur, copie->champs.txt_href_saum)) return {};
    Rafraichir_Panneau(*copie);
    Vue vue;
    if (!Calculer_Profils_Projetes(*copie, vue)) return {};
    return Mesurer_Cassures(*copie);
}

std::string Avis_Candidats(const Modele& m, const CandidatsOpti& c) {
    std::string premiere;
    for (const std::string* h : {&c.Txt_NOP, &c.Txt_Align, &c.txt_int, &c.txt_ext}) {
        if (vide(*h)) continue;
        const std::string cassures = Paire_Cassures(Cassures_Pour_Hauteur(m, *h));
        if (premiere.empty())
            premiere = cassures;
        else if (cassures != premiere)
            return {};
    }
    if (premiere.empty()) return {};
    return "Toutes les hauteurs proposées donnent la même cassure (" + premiere +
           ") : la hauteur de référence du saumon ne la réduit pas ici.";
}

Resultat Hauteur_A_Appliquer(const std::string& texteChamp, std::string& txt_href_saum) {
    if (vide(texteChamp)) return Resultat::Refus("Aucune hauteur à appliquer : le champ est vide.");
    const double h = Val(texteChamp);
    if (!Fini(h))
        return Resultat::Refus("La hauteur « " + texteChamp + " » n'est pas un nombre utilisable.");
    txt_href_saum = Format(h, "#0.00");
    return {};
}

} // namespace ortix
