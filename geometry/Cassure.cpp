#include "geometry/Cassure.h"

#include "model/Nombres.h"

#include <cmath>

namespace ortix {

namespace {

constexpr double Confondus = 1e-9; // mm

// The nearest point from j, walking by `pas`, that does not coincide with it; 0
// when there is none.
int voisin(const Modele& m, int j, int pas) {
    for (int i = j + pas; i >= 1 && i <= m.Nb_Pts_Saum_Proj; i += pas)
        if (std::hypot(m.X_Saum_Proj(i) - m.X_Saum_Proj(j), m.Y_Saum_Proj(i) - m.Y_Saum_Proj(j)) >
            Confondus)
            return i;
    return 0;
}

// The kink at j, the tip's own outline lying towards `propre` (+1 or −1).
std::optional<double> cassure(const Modele& m, int j, int propre) {
    if (j < 1 || j > m.Nb_Pts_Saum_Proj) return std::nullopt;
    const int cote = voisin(m, j, propre), rallonge = voisin(m, j, -propre);
    if (cote == 0) return std::nullopt;
    if (rallonge == 0) return 0.0;
    // The angle between the two segments does not depend on which way the outline
    // runs: the segment from the lengthening, then the one to the tip's outline.
    const double ax = m.X_Saum_Proj(j) - m.X_Saum_Proj(rallonge),
                 ay = m.Y_Saum_Proj(j) - m.Y_Saum_Proj(rallonge);
    const double bx = m.X_Saum_Proj(cote) - m.X_Saum_Proj(j),
                 by = m.Y_Saum_Proj(cote) - m.Y_Saum_Proj(j);
    return Degres(std::atan2(std::fabs(ax * by - ay * bx), ax * bx + ay * by));
}

} // namespace

Cassures Mesurer_Cassures(const Modele& m) {
    return {cassure(m, m.Rang_Saum_Premier_Proj, +1), cassure(m, m.Rang_Saum_Dernier_Proj, -1)};
}

std::string Texte_Cassure(const std::optional<double>& degres) {
    return degres ? Format(*degres, "0.0") : std::string();
}

std::string Paire_Cassures(const Cassures& c) {
    auto texte = [](const std::optional<double>& d) {
        return d ? Texte_Cassure(d) + "°" : std::string("non définie");
    };
    return "extrados " + texte(c.extrados) + ", intrados " + texte(c.intrados);
}

std::string Phrase_Cassures(const Cassures& c, bool& revient) {
    revient = c.extrados.value_or(0) > 90 || c.intrados.value_or(0) > 90;
    return "Cassure au bord de fuite du saumon : " + Paire_Cassures(c) +
           (revient ? " : le profil projeté du saumon revient sur lui-même au bord de fuite." : "");
}

} // namespace ortix
