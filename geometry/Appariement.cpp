#include "geometry/Appariement.h"

#include "model/Nombres.h"

#include <algorithm>
#include <string>

namespace ortix {

namespace {

Resultat verifier(const ProfilProjete& p, const std::string& nom) {
    if (p.n < 2 || p.X == nullptr || p.Y == nullptr)
        return Resultat::Refus("Le profil projeté " + nom +
                               " n'a pas été calculé : calculer les nouveaux profils d'abord.");
    if (p.n > Capacite)
        return Resultat::Refus("Le profil projeté " + nom + " compte plus de 1000 points.");
    for (int i = 1; i <= p.n; ++i)
        if (!Fini(p.x(i)) || !Fini(p.y(i)))
            return Resultat::Refus("Le profil projeté " + nom +
                                   " a une valeur non numérique (point " + std::to_string(i) +
                                   ").");
    return {};
}

// The first crossing of X' = t met walking from the leading edge `ba` by `pas`
// (-1 over the upper surface, +1 over the lower one). The caller has checked
// that t lies between the leading edge and the surface's last point, so the walk
// ends on a point at or aft of t.
PointSurProfil croiser(const ProfilProjete& p, int ba, int pas, double t) {
    const int dernier = pas < 0 ? 1 : p.n;
    if (p.x(ba) <= t || ba == dernier)
        return {p.y(ba), pas < 0 ? std::max(ba - 1, 1) : std::min(ba, p.n - 1)};
    int j = ba + pas;
    while (j != dernier && p.x(j) > t)
        j += pas;
    const int i = j - pas; // x(i) > t >= x(j)
    const double u = (p.x(i) - t) / (p.x(i) - p.x(j));
    return {p.y(i) + u * (p.y(j) - p.y(i)), std::min(i, j)};
}

const std::string nomEmpl = "d'emplanture";
const std::string nomSaum = "du saumon";

} // namespace

int ProfilProjete::bordAttaque() const {
    int ba = 1;
    for (int i = 2; i <= n; ++i)
        if (x(i) > x(ba)) ba = i;
    return ba;
}

ProfilProjete Profil_Projete(const Modele& m, Extremite e) {
    if (e == Extremite::Emplanture)
        return {m.X_Empl_Proj.data(), m.Y_Empl_Proj.data(), m.Nb_Pts_Empl_Proj};
    return {m.X_Saum_Proj.data(), m.Y_Saum_Proj.data(), m.Nb_Pts_Saum_Proj};
}

Resultat Etendue_Commune(const ProfilProjete& empl, const ProfilProjete& saum, double& Xmin,
                         double& Xmax) {
    if (Resultat r = verifier(empl, nomEmpl); !r) return r;
    if (Resultat r = verifier(saum, nomSaum); !r) return r;
    Xmin = std::max({empl.x(1), empl.x(empl.n), saum.x(1), saum.x(saum.n)});
    Xmax = std::min(empl.x(empl.bordAttaque()), saum.x(saum.bordAttaque()));
    return {};
}

Resultat Apparier_Profils(const ProfilProjete& empl, const ProfilProjete& saum,
                          const std::vector<double>& abscisses, Appariement& paires) {
    double Xmin, Xmax;
    if (Resultat r = Etendue_Commune(empl, saum, Xmin, Xmax); !r) return r;
    const int baE = empl.bordAttaque(), baS = saum.bordAttaque();
    Appariement a;
    a.extrados.reserve(abscisses.size());
    a.intrados.reserve(abscisses.size());
    for (const double t : abscisses) {
        if (!(t >= Xmin && t <= Xmax))
            return Resultat::Refus("L'abscisse " + Format(t, "#0.000") +
                                   " mm est hors de la partie commune aux deux profils (de " +
                                   Format(Xmin, "#0.000") + " à " + Format(Xmax, "#0.000") +
                                   " mm) : les points ne peuvent pas être appariés.");
        Generatrice haut{t, croiser(empl, baE, -1, t), croiser(saum, baS, -1, t)};
        Generatrice bas{t, croiser(empl, baE, +1, t), croiser(saum, baS, +1, t)};
        if (!Fini(haut.empl.Y) || !Fini(haut.saum.Y) || !Fini(bas.empl.Y) || !Fini(bas.saum.Y))
            return Resultat::Refus("L'appariement des profils à l'abscisse " + Format(t, "#0.000") +
                                   " mm donne une valeur non numérique.");
        a.extrados.push_back(haut);
        a.intrados.push_back(bas);
    }
    paires = std::move(a);
    return {};
}

} // namespace ortix
