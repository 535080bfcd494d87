#include "model/Modele.h"

namespace ortix {

void Profils_Provisoires(Modele& m) {
    for (Extremite e : {Extremite::Emplanture, Extremite::Saumon}) {
        Profil p;
        p.n = 3;
        p.x = {1.0, 0.0, 1.0};
        Poser_Profil(m, e, p);
    }
}

void Poser_Profil(Modele& m, Extremite e, const Profil& p) {
    assert(p.n >= 0 && p.n <= Capacite);
    Tableau& x = e == Extremite::Emplanture ? m.X_Empl : m.X_Saum;
    Tableau& y = e == Extremite::Emplanture ? m.Y_Empl : m.Y_Saum;
    for (int i = 1; i <= p.n; ++i) {
        x(i) = p.x[static_cast<std::size_t>(i - 1)];
        y(i) = p.y[static_cast<std::size_t>(i - 1)];
    }
    (e == Extremite::Emplanture ? m.Nb_Pts_Empl : m.Nb_Pts_Saum) = static_cast<std::int16_t>(p.n);
}

} // namespace ortix
