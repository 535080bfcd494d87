#include "geometry/views/Vue.h"

#include <cmath>

namespace ortix {

const Forme* Vue::forme(const std::string& nom) const {
    for (const Forme& f : formes)
        if (f.nom == nom) return &f;
    return nullptr;
}

Point2 Vue::versPixel(Point2 p, double largeurPx, double hauteurPx) const {
    return {(p.x - repere.gauche) / repere.largeur * largeurPx,
            (p.y - repere.haut) / repere.hauteur * hauteurPx};
}

Point2 Vue::versUtilisateur(Point2 px, double largeurPx, double hauteurPx) const {
    return {repere.gauche + px.x / largeurPx * repere.largeur,
            repere.haut + px.y / hauteurPx * repere.hauteur};
}

bool repereValide(const Repere& r) {
    return std::isfinite(r.gauche) && std::isfinite(r.largeur) && std::isfinite(r.haut) &&
           std::isfinite(r.hauteur) && r.largeur != 0 && r.hauteur != 0 &&
           std::isfinite(r.gauche + r.largeur) && std::isfinite(r.haut + r.hauteur);
}

} // namespace ortix
