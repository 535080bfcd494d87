#include "geometry/Vue.h"

#include <cmath>

namespace ortix {

Point2 Vers_Pixel(const Repere& r, Point2 p, Taille t) {
    return {(p.x - r.gauche) / r.largeur * t.largeur, (p.y - r.haut) / r.hauteur * t.hauteur};
}

Point2 Vers_Utilisateur(const Repere& r, Point2 pixel, Taille t) {
    return {r.gauche + pixel.x / t.largeur * r.largeur, r.haut + pixel.y / t.hauteur * r.hauteur};
}

Repere Zoomer(const Repere& r, Point2 pixel, double facteur, Taille t) {
    const Point2 u = Vers_Utilisateur(r, pixel, t);
    Repere z = r;
    z.largeur = r.largeur / facteur;
    z.hauteur = r.hauteur / facteur;
    z.gauche = u.x - pixel.x / t.largeur * z.largeur;
    z.haut = u.y - pixel.y / t.hauteur * z.hauteur;
    return z;
}

Repere Deplacer(const Repere& r, Point2 deplacement, Taille t) {
    Repere d = r;
    d.gauche -= deplacement.x / t.largeur * r.largeur;
    d.haut -= deplacement.y / t.hauteur * r.hauteur;
    return d;
}

double Etirement(Taille actuelle, Taille ouverture) {
    return (actuelle.largeur / actuelle.hauteur) / (ouverture.largeur / ouverture.hauteur);
}

bool Repere_Valide(const Repere& r) {
    return Fini(r.gauche) && Fini(r.largeur) && Fini(r.haut) && Fini(r.hauteur) && r.largeur != 0 &&
           r.hauteur != 0 && Fini(r.gauche + r.largeur) && Fini(r.haut + r.hauteur);
}

} // namespace ortix

namespace ortix {

bool Couper_Segment(Point2& a, Point2& b, double xmin, double ymin, double xmax, double ymax) {
    // Liang-Barsky: the part of a + t (b - a), t in [0, 1], inside the rectangle.
    const double dx = b.x - a.x, dy = b.y - a.y;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - xmin, xmax - a.x, a.y - ymin, ymax - a.y};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0) {
            if (t > t1) return false;
            if (t > t0) t0 = t;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t;
        }
    }
    const Point2 debut{a.x + t0 * dx, a.y + t0 * dy};
    const Point2 fin{a.x + t1 * dx, a.y + t1 * dy};
    a = debut;
    b = fin;
    return Fini(a.x) && Fini(a.y) && Fini(b.x) && Fini(b.y);
}

} // namespace ortix
