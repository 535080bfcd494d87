#include "geometry/Reduction.h"

#include "geometry/Apercu.h"
#include "geometry/Planforme.h"
#include "geometry/Projection.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace ortix {

namespace {

// Each turn of the outline weighs as much as this much chord (airfoil files are
// in chord units): a nose turning half a circle counts as 1.6 chords of length.
constexpr double PoidsDuTour = 0.5;

std::size_t indice(int i) {
    return static_cast<std::size_t>(i);
}

// The turn of the outline at point i, in radians; none at its two ends.
double tour(const Profil& p, int i) {
    if (i <= 0 || i >= p.n - 1) return 0;
    const double ax = p.x[indice(i)] - p.x[indice(i - 1)], ay = p.y[indice(i)] - p.y[indice(i - 1)];
    const double bx = p.x[indice(i + 1)] - p.x[indice(i)], by = p.y[indice(i + 1)] - p.y[indice(i)];
    const double t = std::atan2(std::fabs(ax * by - ay * bx), ax * bx + ay * by);
    return Fini(t) ? t : 0;
}

// The measure along the outline from point `debut` to each point up to `fin`.
std::vector<double> mesure(const Profil& p, int debut, int fin) {
    std::vector<double> s = {0};
    for (int i = debut; i < fin; ++i)
        s.push_back(
            s.back() +
            std::hypot(p.x[indice(i + 1)] - p.x[indice(i)], p.y[indice(i + 1)] - p.y[indice(i)]) +
            PoidsDuTour * (tour(p, i) + tour(p, i + 1)) / 2);
    return s;
}

// `m` points strictly between `debut` and `fin`, as evenly spread along the
// measure as the points allow, in order.
void choisir(const Profil& p, int debut, int fin, int m, std::vector<int>& garde) {
    const std::vector<double> s = mesure(p, debut, fin);
    int precedent = debut;
    for (int j = 1; j <= m; ++j) {
        const double cible = s.back() * j / (m + 1);
        const int dernierPermis = fin - (m - j + 1);
        int i = precedent + 1;
        while (i < dernierPermis && s[indice(i + 1 - debut)] <= cible)
            ++i;
        if (i < dernierPermis && cible - s[indice(i - debut)] > s[indice(i + 1 - debut)] - cible)
            ++i;
        garde.push_back(precedent = i);
    }
}

// The model with both airfoils replaced, refreshed and computed; the
// computation's verdict.
Resultat calculerAvec(const Modele& m, const Profil& empl, const Profil& saum) {
    auto copie = std::make_unique<Modele>(m);
    Poser_Profil(*copie, Extremite::Emplanture, empl);
    Poser_Profil(*copie, Extremite::Saumon, saum);
    Rafraichir_Panneau(*copie);
    Vue vue;
    return Calculer_Profils_Projetes(*copie, vue);
}

Profil lire(const Modele& m, Extremite e) {
    const bool empl = e == Extremite::Emplanture;
    Profil p;
    p.legende = empl ? m.Lbl_prof_empl : m.Lbl_Prof_Saum;
    p.n = empl ? m.Nb_Pts_Empl : m.Nb_Pts_Saum;
    for (int i = 1; i <= p.n; ++i) {
        p.x[indice(i - 1)] = empl ? m.X_Empl(i) : m.X_Saum(i);
        p.y[indice(i - 1)] = empl ? m.Y_Empl(i) : m.Y_Saum(i);
    }
    return p;
}

} // namespace

Profil Reduire_Profil(const Profil& p, int n) {
    if (p.n <= n || n < 3) return p;
    const int ba = Bord_Attaque(p);
    // Both surfaces share the points left between their ends, in proportion to
    // their measure, each within the points it has.
    const int libresExt = std::max(ba - 1, 0), libresInt = std::max(p.n - 2 - ba, 0);
    const int bouts = ba == 0 || ba == p.n - 1 ? 2 : 3;
    const int interieurs = n - bouts;
    const double sExt = mesure(p, 0, ba).back(), sInt = mesure(p, ba, p.n - 1).back();
    int ext = sExt + sInt > 0 ? static_cast<int>(std::lround(interieurs * sExt / (sExt + sInt)))
                              : interieurs / 2;
    ext = std::clamp(ext, interieurs - libresInt, libresExt);
    std::vector<int> garde = {0};
    choisir(p, 0, ba, ext, garde);
    if (ba != 0 && ba != p.n - 1) garde.push_back(ba);
    choisir(p, ba, p.n - 1, interieurs - ext, garde);
    garde.push_back(p.n - 1);

    Profil r;
    r.legende = p.legende;
    for (const int i : garde) {
        r.x[indice(r.n)] = p.x[indice(i)];
        r.y[indice(r.n)] = p.y[indice(i)];
        ++r.n;
    }
    return r;
}

Resultat Proposer_Reduction(const Modele& m, Reduction& r) {
    const Profil empl = lire(m, Extremite::Emplanture), saum = lire(m, Extremite::Saumon);
    auto essai = [&](int n) {
        return calculerAvec(m, Reduire_Profil(empl, n), Reduire_Profil(saum, n));
    };
    // The largest count that fits, the projected profiles growing with it.
    int bas = 3, haut = std::max(empl.n, saum.n) - 1;
    if (haut < bas)
        return Resultat::Refus("Les profils ont déjà trop peu de points pour être réduits.");
    if (Resultat e = essai(bas); !e)
        return Resultat::Refus("Même réduits à trois points, les profils ne permettent pas le "
                               "calcul : " +
                               e.message());
    while (bas < haut) {
        const int milieu = (bas + haut + 1) / 2;
        if (essai(milieu))
            bas = milieu;
        else
            haut = milieu - 1;
    }
    r.N = bas;
    r.empl = Reduire_Profil(empl, bas);
    r.saum = Reduire_Profil(saum, bas);
    return {};
}

std::string Appliquer_Reduction(Modele& m, const Reduction& r) {
    std::string bilan;
    for (auto [e, profil, nom] :
         {std::tuple{Extremite::Emplanture, &r.empl, "Profil de l'emplanture"},
          std::tuple{Extremite::Saumon, &r.saum, "Profil du saumon"}}) {
        const int avant = e == Extremite::Emplanture ? m.Nb_Pts_Empl : m.Nb_Pts_Saum;
        bilan += std::string(bilan.empty() ? "" : " ") + nom + " : " + std::to_string(profil->n) +
                 " points" +
                 (profil->n < avant ? " sur " + std::to_string(avant) + "." : ", inchangé.");
        Poser_Profil(m, e, *profil);
    }
    return bilan;
}

} // namespace ortix
