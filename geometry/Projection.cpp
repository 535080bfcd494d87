#include "geometry/Projection.h"

#include "geometry/Primitives.h"
#include "geometry/Vrillage.h"
#include "model/Nombres.h"
#include "model/Parametres.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace ortix {

namespace {

std::string nombre(int n) {
    return std::to_string(n);
}

// A section after the plan rotation; only the section's own points are read.
struct SectionTournee {
    double X[Capacite], Y[Capacite], Z[Capacite];
    int N = 0;
    Section section() const { return {X, Y, Z, N}; }
};

// A projected profile being built. Points beyond the capacity are counted but
// not kept, so that a refusal can say how many there would have been.
struct ProfilProj {
    double X[Capacite], Y[Capacite];
    int n = 0;
    int premierNonFini = 0; // the first point that is not a pair of finite numbers

    void ajouter(double x, double y) {
        ++n;
        if (premierNonFini == 0 && !(Fini(x) && Fini(y))) premierNonFini = n;
        if (n <= Capacite) {
            X[n - 1] = x;
            Y[n - 1] = y;
        }
    }
    // The line from (x, y, z) to (x, yQ, zQ), carried to the plane Z' = plan.
    void ajouterPorte(double x, double y, double z, double yQ, double zQ, double plan) {
        double xp, yp;
        XYInterZ(x, y, z, x, yQ, zQ, xp, yp, plan);
        ajouter(xp, yp);
    }
};

// Everything the computation produces, kept aside until it is known to be sound.
struct Travail {
    SectionTournee empl, saum;
    ProfilProj projEmpl, projSaum;
    int premierSaum = 0, dernierSaum = 0; // the tip's own first and last points in projSaum
    Finals finals;
    Vue vue;
};

Resultat tourner(const Tableau& X, const Tableau& Y, const Tableau& Z, int N, double c, double s,
                 SectionTournee& S, const char* nom) {
    S.N = N;
    for (int i = 1; i <= N; ++i) {
        Rotation_Y(X(i), Y(i), Z(i), S.X[i - 1], S.Y[i - 1], S.Z[i - 1], c, s);
        if (!(Fini(S.X[i - 1]) && Fini(S.Y[i - 1]) && Fini(S.Z[i - 1])))
            return Resultat::Refus(std::string("La section ") + nom +
                                   " tournée a une valeur non numérique (point " + nombre(i) +
                                   ") : le calcul est refusé.");
    }
    return {};
}

// The height at X' = xA, Z' = zB of the trailing-edge facet through root points
// a and c and tip point b (normal (C − A) × (B − A)). False when the facet holds
// the vertical (Ny = 0), which gives it no height there.
bool hauteurFacette(const Section& R, int a, int c, const Section& T, int b, double& Yetoile) {
    const double xA = R.x(a), yA = R.y(a), zA = R.z(a);
    const double xB = T.x(b), yB = T.y(b), zB = T.z(b);
    const double xC = R.x(c), yC = R.y(c), zC = R.z(c);
    const double Ny = (zC - zA) * (xB - xA) - (xC - xA) * (zB - zA);
    const double Nz = (xC - xA) * (yB - yA) - (xB - xA) * (yC - yA);
    if (Ny == 0) return false;
    Yetoile = yA + (zA - zB) * Nz / Ny;
    return true;
}

// The end points of both profiles at a trailing edge: on the facet through the
// end point of each section and the root's point next to it, the root's end
// carried to the root plane and the facet's height given to the tip.
// `quels` names the facet's points, `lequel` the end point of the profiles.
Resultat pointBordDeFuite(const Section& R, int a, int c, const Section& T, int b, ProfilProj& PE,
                          ProfilProj& PS, const char* quels, const char* lequel) {
    double Yetoile;
    if (!hauteurFacette(R, a, c, T, b, Yetoile)) {
        // Two of its points one above the other make the facet vertical: say which.
        const std::string memeAbscisse =
            R.x(a) == R.x(c) ? "les points " + nombre(std::min(a, c)) + " et " +
                                   nombre(std::max(a, c)) + " de l'emplanture"
            : R.x(a) == T.x(b) ? "le point " + nombre(a) + " de l'emplanture et le point " +
                                     nombre(b) + " du saumon"
            : R.x(c) == T.x(b) ? "le point " + nombre(c) + " de l'emplanture et le point " +
                                     nombre(b) + " du saumon"
                               : std::string();
        return Resultat::Refus(
            std::string("La facette de bord de fuite formée par les ") + quels + " est verticale" +
            (memeAbscisse.empty() ? "" : " (" + memeAbscisse + " ont la même abscisse)") +
            " : le " + lequel + " point des profils projetés ne peut pas être calculé.");
    }
    PE.ajouterPorte(R.x(a), R.y(a), R.z(a), Yetoile, T.z(b), 0.0);
    PS.ajouter(R.x(a), Yetoile);
    return {};
}

// A trailing-edge zone: root point i, aft of the tip's trailing edge, joined to
// the point of the trailing-edge line from root point a to tip point b at its
// abscissa, carried to the root plane and to the tip plane through b.
void pointDeZoneBF(const Section& R, int i, int a, const Section& T, int b, ProfilProj& PE,
                   ProfilProj& PS) {
    const double xi = R.x(i);
    const double yQ = YinterBF(R.x(a), R.y(a), R.z(a), T.x(b), T.y(b), T.z(b), xi);
    const double zQ = ZinterBF(R.x(a), R.y(a), R.z(a), T.x(b), T.y(b), T.z(b), xi);
    PE.ajouterPorte(xi, R.y(i), R.z(i), yQ, zQ, 0.0);
    PS.ajouterPorte(xi, R.y(i), R.z(i), yQ, zQ, T.z(b));
}

// The upper trailing-edge zone: root points 2, 3, ... as long as they lie aft of
// the tip's first point; it also stops at the root's last point.
void zoneBFExtrados(const Section& R, const Section& T, ProfilProj& PE, ProfilProj& PS) {
    for (int i = 2; i <= R.N && R.x(i) < T.x(1); ++i)
        pointDeZoneBF(R, i, 1, T, 1, PE, PS);
}

// The lower trailing-edge zone: root points of the second surface (X falling)
// aft of the tip's last point.
void zoneBFIntrados(const Section& R, const Section& T, ProfilProj& PE, ProfilProj& PS) {
    for (int i = 2; i <= R.N - 1; ++i)
        if (R.x(i) < T.x(T.N) && R.x(i) - R.x(i - 1) < 0) pointDeZoneBF(R, i, R.N, T, T.N, PE, PS);
}

// Every tip point, joined to the root point of the same abscissa on the same
// surface and carried to the tip plane through the tip's first point.
void pointsSaumon(const Section& R, const Section& T, const Parametres& p, ProfilProj& PS) {
    for (int j = 1; j <= T.N; ++j) {
        const std::int16_t d = Sens_Var_X(T, j);
        const double xj = T.x(j);
        const double yP = InterpolYEmpl(R, p, xj, d), zP = InterpolZEmpl(R, p, xj, d);
        double x, y;
        XYInterZ(xj, yP, zP, xj, T.y(j), T.z(j), x, y, T.z(1));
        PS.ajouter(x, y);
    }
}

// The root points ahead of the tip's first point, joined to the tip point of the
// same abscissa on the same surface and carried to the root plane.
void pointsEmplanture(const Section& R, const Section& T, const Parametres& p, ProfilProj& PE) {
    for (int i = 1; i <= R.N; ++i) {
        const double xi = R.x(i);
        if (!(xi > T.x(1))) continue;
        const std::int16_t d = Sens_Var_X(R, i);
        PE.ajouterPorte(xi, R.y(i), R.z(i), InterpolYSaum(T, p, xi, d), InterpolZSaum(T, p, xi, d),
                        0.0);
    }
}

Resultat verifierProfil(const ProfilProj& P, const char* nom) {
    if (P.n > Capacite)
        return Resultat::Refus(std::string("Le profil projeté ") + nom +
                               " aurait plus de 1000 points (" + nombre(P.n) +
                               ") : réduisez le nombre de points des profils.");
    if (P.premierNonFini)
        return Resultat::Refus(std::string("Le profil projeté ") + nom +
                               " a une valeur non numérique (point " + nombre(P.premierNonFini) +
                               ") : le calcul est refusé.");
    return {};
}

Resultat verifierComptes(int Ne, int Ns) {
    if (Ne < 3)
        return Resultat::Refus("Le profil d'emplanture n'a que " + nombre(Ne) +
                               " point(s) : il en faut au moins trois pour calculer les profils "
                               "projetés.");
    if (Ns < 3)
        return Resultat::Refus("Le profil du saumon n'a que " + nombre(Ns) +
                               " point(s) : il en faut au moins trois pour calculer les profils "
                               "projetés.");
    return {};
}

Resultat calculer(const Modele& m, Travail& w, Taille taille) {
    if (Resultat r = verifierComptes(m.Nb_Pts_Empl, m.Nb_Pts_Saum); !r) return r;
    const Parametres p = Lire_Parametres(m.champs);
    VrillageFinal v;
    if (Resultat r = Calc_Vrillage_Final(p, v); !r) return r;
    w.finals = m.finals;
    Poser_Finals(v, w.finals);

    // The plan rotation that brings the leading edge straight across; the length
    // is not zero, or the final figures would have been refused.
    const double a = std::atan(p.F / p.L);
    const double c = std::cos(a), s = std::sin(a);
    if (Resultat r = tourner(m.X_Empl_3D, m.Y_Empl_3D, m.Z_Empl_3D, m.Nb_Pts_Empl, c, s, w.empl,
                             "d'emplanture");
        !r)
        return r;
    if (Resultat r = tourner(m.X_Saum_3D, m.Y_Saum_3D, m.Z_Saum_3D, m.Nb_Pts_Saum, c, s, w.saum,
                             "du saumon");
        !r)
        return r;
    const Section R = w.empl.section(), T = w.saum.section();
    ProfilProj& PE = w.projEmpl;
    ProfilProj& PS = w.projSaum;

    // Both profiles run from the trailing edge over the first surface to the
    // leading edge and back, in the order of the points' sources.
    if (Resultat r = pointBordDeFuite(
            R, 1, 2, T, 1, PE, PS,
            "deux premiers points de l'emplanture et le premier point du saumon", "premier");
        !r)
        return r;
    zoneBFExtrados(R, T, PE, PS);
    w.premierSaum = PS.n + 1;
    pointsSaumon(R, T, p, PS);
    w.dernierSaum = PS.n;
    pointsEmplanture(R, T, p, PE);
    zoneBFIntrados(R, T, PE, PS);
    if (Resultat r = pointBordDeFuite(
            R, R.N, R.N - 1, T, T.N, PE, PS,
            "deux derniers points de l'emplanture et le dernier point du saumon", "dernier");
        !r)
        return r;

    if (Resultat r = verifierProfil(PE, "de l'emplanture"); !r) return r;
    if (Resultat r = verifierProfil(PS, "du saumon"); !r) return r;
    if (!Tracer_Prof_Proj(PE.X, PE.Y, PE.n, PS.X, PS.Y, PS.n, w.finals, w.vue, taille,
                          w.premierSaum, w.dernierSaum))
        return Resultat::Refus("Le tracé des profils projetés donne une valeur non numérique : "
                               "le calcul est refusé.");
    return {};
}

void copier(const double* source, Tableau& cible, int n) {
    for (int i = 1; i <= n; ++i)
        cible(i) = source[i - 1];
}

// A small cross on each of the tip's own two trailing-edge points, in the view's
// width W and height W / k, and the caption above the higher one.
void marquerBordDeFuiteSaumon(const double* XS, const double* YS, int premier, int dernier,
                              double c, double s, double H, double W, double k, Vue& v) {
    const double dx = 0.01 * W, dy = 0.01 * W / k;
    Point2 haut{0, -HUGE_VAL};
    for (const int i : {premier, dernier}) {
        const Point2 p = Tourner_Profil(XS[i - 1], YS[i - 1], c, s, H);
        v.segments.push_back({{p.x - dx, p.y - dy}, {p.x + dx, p.y + dy}, CouleurTexte});
        v.segments.push_back({{p.x - dx, p.y + dy}, {p.x + dx, p.y - dy}, CouleurTexte});
        if (p.y > haut.y) haut = p;
    }
    v.textes.push_back({{haut.x, haut.y + dy}, "BF saumon", CouleurTexte});
}

} // namespace

Resultat Calculer_Profils_Projetes(Modele& m, Vue& Pic_Prof_Proj, Taille taille) {
    // The work arrays (about 80 kB) live on the heap, not on the stack.
    auto w = std::make_unique<Travail>();
    if (Resultat r = calculer(m, *w, taille); !r) return r;

    m.finals = w->finals;
    copier(w->empl.X, m.X_Empl_Rot, w->empl.N);
    copier(w->empl.Y, m.Y_Empl_Rot, w->empl.N);
    copier(w->empl.Z, m.Z_Empl_Rot, w->empl.N);
    copier(w->saum.X, m.X_Saum_Rot, w->saum.N);
    copier(w->saum.Y, m.Y_Saum_Rot, w->saum.N);
    copier(w->saum.Z, m.Z_Saum_Rot, w->saum.N);
    copier(w->projEmpl.X, m.X_Empl_Proj, w->projEmpl.n);
    copier(w->projEmpl.Y, m.Y_Empl_Proj, w->projEmpl.n);
    copier(w->projSaum.X, m.X_Saum_Proj, w->projSaum.n);
    copier(w->projSaum.Y, m.Y_Saum_Proj, w->projSaum.n);
    m.Nb_Pts_Empl_Proj = static_cast<std::int16_t>(w->projEmpl.n);
    m.Nb_Pts_Saum_Proj = static_cast<std::int16_t>(w->projSaum.n);
    m.Rang_Saum_Premier_Proj = static_cast<std::int16_t>(w->premierSaum);
    m.Rang_Saum_Dernier_Proj = static_cast<std::int16_t>(w->dernierSaum);
    m.boutons.Bt_Sauve_Prof = true;
    Pic_Prof_Proj = std::move(w->vue);
    return {};
}

Resultat Tracer_Prof_Proj(const double* XE, const double* YE, int nE, const double* XS,
                          const double* YS, int nS, const Finals& finals, Vue& vue, Taille taille,
                          int premierSaum, int dernierSaum) {
    const double k = 4 * Etirement(taille, TaillesVues{}.Pic_Prof_Proj);
    // The final figures as shown, two decimals.
    const double phiE = Radians(Val(finals.Txt_Vrill_Empl_Final));
    const double HeF = Val(finals.Txt_Href_Empl_final);
    const double phiS = Radians(Val(finals.Txt_Vrill_Saum_Final));
    const double HsF = Val(finals.Txt_Href_Saum_final);
    const double cE = std::cos(phiE), sE = std::sin(phiE);
    const double cS = std::cos(phiS), sS = std::sin(phiS);

    // The extent, from (0, 0) on, root points then tip points; each point is
    // joined to the one before it on its profile on the way.
    double XMin = 0, XMax = 0, YMin = 0, YMax = 0;
    std::vector<Segment> segments;
    // Segments of points before `premier` or after `dernier` are the tip's lengthening, dashed.
    auto profil = [&](const double* X, const double* Y, int n, double c, double s, double H,
                      Couleur couleur, int premier, int dernier) {
        Point2 precedent;
        for (int i = 1; i <= n; ++i) {
            const Point2 pt = Tourner_Profil(X[i - 1], Y[i - 1], c, s, H);
            if (!(Fini(pt.x) && Fini(pt.y))) return false;
            XMin = std::min(XMin, pt.x);
            XMax = std::max(XMax, pt.x);
            YMin = std::min(YMin, pt.y);
            YMax = std::max(YMax, pt.y);
            const bool prolongement = i <= premier || i > dernier;
            if (i > 1)
                segments.push_back(
                    {precedent, pt, couleur, prolongement ? Trait::Tirets : Trait::Plein});
            precedent = pt;
        }
        return true;
    };
    // The tip's own trailing edge, when known: its two points.
    const bool bfSaumon = 1 <= premierSaum && premierSaum <= dernierSaum && dernierSaum <= nS;
    if (!profil(XE, YE, nE, cE, sE, HeF, Bleu, 1, nE) ||
        !profil(XS, YS, nS, cS, sS, HsF, Vert, bfSaumon ? premierSaum : 1,
                bfSaumon ? dernierSaum : nS))
        return Resultat::Refus("Le tracé des profils projetés donne une valeur non numérique.");

    // Scaled on the width, or on k times the height (four at the size the window opens with) when
    // that is larger; X' grows to the left, Y upward, the extent centred.
    const double W = XMax - XMin > k * (YMax - YMin) ? XMax - XMin : k * (YMax - YMin);
    Vue v;
    v.repere.largeur = -1.1 * W;
    v.repere.gauche = (XMin + XMax) / 2 + 0.55 * W;
    v.repere.hauteur = -1.1 * W / k;
    v.repere.haut = (YMin + YMax) / 2 + 0.55 * W / k;

    // The base line and the leading-edge vertical.
    Forme ligne2{"Line2",           CouleurTexte,          1,
                 Trait::TiretPoint, {XMax + 0.025 * W, 0}, {XMin - 0.025 * W, 0}};
    Forme ligne1{"Line1",
                 CouleurTexte,
                 1,
                 Trait::TiretPoint,
                 {0, YMin - 0.025 * W / k},
                 {0, YMax + 0.025 * W / k}};
    const Repere& rp = v.repere;
    // Lines within the extent are finite when the system is.
    if (!(Fini(rp.largeur) && Fini(rp.gauche) && Fini(rp.hauteur) && Fini(rp.haut)))
        return Resultat::Refus("Le tracé des profils projetés donne une valeur non numérique.");
    v.formes = {ligne2, ligne1};
    v.segments = std::move(segments);
    if (bfSaumon) marquerBordDeFuiteSaumon(XS, YS, premierSaum, dernierSaum, cS, sS, HsF, W, k, v);
    // A view without extent (W = 0) stays blank.
    v.valide = Repere_Valide(v.repere);
    vue = std::move(v);
    return {};
}

} // namespace ortix
