#include "geometry/Apercu.h"

#include "model/Nombres.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace ortix {

namespace {

Point2 point(const Profil& p, int i) {
    return {p.x[static_cast<std::size_t>(i)], p.y[static_cast<std::size_t>(i)]};
}

bool pointsFinis(const Profil& p) {
    for (int i = 0; i < p.n; ++i)
        if (!Fini(point(p, i))) return false;
    return p.n > 0;
}

} // namespace

int Bord_Attaque(const Profil& p) {
    int ba = 0;
    for (int i = 1; i < p.n; ++i)
        if (p.x[static_cast<std::size_t>(i)] < p.x[static_cast<std::size_t>(ba)]) ba = i;
    return ba;
}

std::optional<double> Epaisseur_Relative(const Profil& p) {
    if (!pointsFinis(p)) return std::nullopt;
    const int ba = Bord_Attaque(p);
    double xMax = point(p, ba).x;
    for (int i = 0; i < p.n; ++i)
        xMax = std::max(xMax, point(p, i).x);
    const double corde = xMax - point(p, ba).x;
    if (!(corde > 0)) return std::nullopt;
    double hauteur = 0;
    for (int i = 0; i <= ba; ++i) {
        const Point2 e = point(p, i);
        for (int k = ba; k + 1 < p.n; ++k) {
            const Point2 a = point(p, k), b = point(p, k + 1);
            if (a.x == b.x || e.x < std::min(a.x, b.x) || e.x > std::max(a.x, b.x)) continue;
            const double y = a.y + (b.y - a.y) * (e.x - a.x) / (b.x - a.x);
            hauteur = std::max(hauteur, std::abs(e.y - y));
        }
    }
    const double epaisseur = hauteur / corde;
    return Fini(epaisseur) ? std::optional(epaisseur) : std::nullopt;
}

std::string Resume_Profil(const Profil& p) {
    std::string r = std::to_string(p.n) + " points";
    if (const std::optional<double> e = Epaisseur_Relative(p))
        r += ", épaisseur " + Format(*e * 100, "#0.0") + " %";
    return r;
}

Vue Tracer_Apercu(const Profil& p, Taille t) {
    Vue v;
    if (!pointsFinis(p)) return v;
    Point2 bas = point(p, 0), haut = bas;
    for (int i = 1; i < p.n; ++i) {
        bas = {std::min(bas.x, point(p, i).x), std::min(bas.y, point(p, i).y)};
        haut = {std::max(haut.x, point(p, i).x), std::max(haut.y, point(p, i).y)};
    }
    constexpr double Marge = 6;
    const double dx = haut.x - bas.x, dy = haut.y - bas.y;
    const double echelle =
        std::min(dx > 0 ? (t.largeur - 2 * Marge) / dx : HUGE_VAL,
                 dy > 0 ? (t.hauteur - 2 * Marge) / dy : HUGE_VAL); // pixels per unit
    if (!(echelle > 0) || !Fini(echelle)) return v;
    v.repere = {(bas.x + haut.x - t.largeur / echelle) / 2, t.largeur / echelle,
                (bas.y + haut.y + t.hauteur / echelle) / 2, -t.hauteur / echelle};
    if (!Repere_Valide(v.repere)) return v;
    v.valide = true;
    for (int i = 1; i < p.n; ++i)
        v.segments.push_back({point(p, i - 1), point(p, i), Bleu});
    return v;
}

} // namespace ortix
