#include "geometry/Projection.h"

#include "model/Nombres.h"
#include "geometry/Primitives.h"
#include "geometry/RechercheSegments.h"
#include "geometry/Vrillage.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace ortix {

namespace {

bool fini(double v) { return std::isfinite(v); }

// A section after the plan rotation, numbered from 1 like the model's arrays.
// Nothing is initialised: only the section's own points are ever read.
struct SectionRot {
    double X[Capacite], Y[Capacite], Z[Capacite];
    int N = 0;
    double x(int i) const { return X[i - 1]; }
    double y(int i) const { return Y[i - 1]; }
    double z(int i) const { return Z[i - 1]; }
};

// A projected profile being built. Points beyond the capacity are counted but
// not kept, so that a refusal can say how many there would have been.
struct ProfilProj {
    double X[Capacite], Y[Capacite];
    int n = 0;
    int premierNonFini = 0; // the first point that is not a pair of finite numbers

    void ajouter(double x, double y) {
        ++n;
        if (premierNonFini == 0 && !(fini(x) && fini(y))) premierNonFini = n;
        if (n <= Capacite) {
            X[n - 1] = x;
            Y[n - 1] = y;
        }
    }
};

// The plane through A, B and C (normal (C − A) × (B − A)) at X' = xA, Z' = zB.
// False when the plane holds the vertical (Ny = 0), which gives it no height there.
bool hauteurFacette(const SectionRot& R, int a, int c, const SectionRot& T, int b,
                    double& Yetoile) {
    const double xA = R.x(a), yA = R.y(a), zA = R.z(a);
    const double xB = T.x(b), yB = T.y(b), zB = T.z(b);
    const double xC = R.x(c), yC = R.y(c), zC = R.z(c);
    const double Ny = (zC - zA) * (xB - xA) - (xC - xA) * (zB - zA);
    const double Nz = (xC - xA) * (yB - yA) - (xB - xA) * (yC - yA);
    if (Ny == 0) return false;
    Yetoile = yA + (zA - zB) * Nz / Ny;
    return true;
}

std::string nombre(int n) { return std::to_string(n); }

// Everything the computation produces, kept aside until it is known to be sound.
struct Travail {
    SectionRot empl, saum;
    ProfilProj projEmpl, projSaum;
    Finals finals;
    Vue vue;
};

// Steps 1 to 10 of the computation into `w`; an empty result means success.
std::string calculer(const Modele& m, Travail& w, Recherche recherche) {
    const int Ne = m.Nb_Pts_Empl;
    const int Ns = m.Nb_Pts_Saum;
    if (Ne < 3)
        return "Le profil d'emplanture n'a que " + nombre(Ne) +
               " point(s) : il en faut au moins trois pour calculer les profils projetés.";
    if (Ns < 3)
        return "Le profil du saumon n'a que " + nombre(Ns) +
               " point(s) : il en faut au moins trois pour calculer les profils projetés.";
    if (Ne > Capacite)
        return "Le profil d'emplanture a plus de 1000 points (" + nombre(Ne) + ").";
    if (Ns > Capacite) return "Le profil du saumon a plus de 1000 points (" + nombre(Ns) + ").";

    // 1. Final figures, from the fields alone.
    const VrillageFinal v = Calc_Vrillage_Final(m.champs);
    if (!v.ok) return v.message;
    w.finals = m.finals;
    Poser_Finals(v, w.finals);

    // 2. Angle that brings the leading edge straight across.
    const double L = Val(m.champs.Txt_Long);
    const double F = Val(m.champs.txt_fleche);
    if (L == 0) return "Longueur nulle : la rotation ne peut pas être calculée.";
    const double a = std::atan(F / L);
    const double cosA = std::cos(a), sinA = std::sin(a);

    // 3. Both sections turned in plan.
    SectionRot& R = w.empl;
    SectionRot& T = w.saum;
    R.N = Ne;
    T.N = Ns;
    auto tourner = [&](const Tableau& X, const Tableau& Y, const Tableau& Z, SectionRot& S,
                       const char* section) -> std::string {
        for (int i = 1; i <= S.N; ++i) {
            Rotation_Y(X(i), Y(i), Z(i), S.X[i - 1], S.Y[i - 1], S.Z[i - 1], cosA, sinA);
            if (!(fini(S.x(i)) && fini(S.y(i)) && fini(S.z(i))))
                return std::string("La section ") + section +
                       " tournée a une valeur non numérique (point " + nombre(i) +
                       ") : le calcul est refusé.";
        }
        return {};
    };
    if (std::string e = tourner(m.X_Empl_3D, m.Y_Empl_3D, m.Z_Empl_3D, R, "d'emplanture");
        !e.empty())
        return e;
    if (std::string e = tourner(m.X_Saum_3D, m.Y_Saum_3D, m.Z_Saum_3D, T, "du saumon"); !e.empty())
        return e;

    // The leading-edge reference points given when a search finds no segment. The
    // fields do not change during the computation, so they are read once.
    const double repliYEmpl = Val(m.champs.txt_href_empl);
    const double repliYSaum = Val(m.champs.txt_href_saum);
    const double repliZSaum = std::sqrt(L * L + F * F);
    // Steps 6 and 7 search each section once per point of the other: both are
    // indexed once here, so that a search costs a few comparisons.
    const bool indexee = recherche == Recherche::Indexee;
    IndexSegments indexEmpl, indexSaum;
    if (indexee) {
        Indexer_Segments(R.X, Ne, indexEmpl);
        Indexer_Segments(T.X, Ns, indexSaum);
    }
    auto interpolerEmpl = [&](double x, std::int16_t d, double& y, double& z) {
        const int i = indexee ? Chercher_Segment(indexEmpl, x, d)
                              : Chercher_Segment_Lineaire(R.X, Ne, x, d);
        y = i ? Interpoler_Segment(R.X, R.Y, i, x) : repliYEmpl;
        z = i ? Interpoler_Segment(R.X, R.Z, i, x) : 0.0;
    };
    auto interpolerSaum = [&](double x, std::int16_t d, double& y, double& z) {
        const int i = indexee ? Chercher_Segment(indexSaum, x, d)
                              : Chercher_Segment_Lineaire(T.X, Ns, x, d);
        y = i ? Interpoler_Segment(T.X, T.Y, i, x) : repliYSaum;
        z = i ? Interpoler_Segment(T.X, T.Z, i, x) : repliZSaum;
    };

    ProfilProj& PE = w.projEmpl;
    ProfilProj& PS = w.projSaum;
    double x, y;

    // 4. Opening trailing-edge point, on the facet through the first point of each
    // section and the root's second point.
    const double xA = R.x(1), yA = R.y(1), zA = R.z(1);
    const double xB = T.x(1), yB = T.y(1), zB = T.z(1);
    double Yetoile;
    if (!hauteurFacette(R, 1, 2, T, 1, Yetoile))
        return "La facette de bord de fuite formée par les deux premiers points de "
               "l'emplanture et le premier point du saumon est verticale : le premier point "
               "des profils projetés ne peut pas être calculé.";
    XYInterZ(xA, yA, zA, xA, Yetoile, zB, x, y, 0.0);
    PE.ajouter(x, y);
    PS.ajouter(xA, Yetoile);

    // 5. Upper trailing-edge zone: root points aft of the tip trailing edge, joined
    // to the trailing-edge line A→B. It also stops at the root's last point.
    for (int i = 2; i <= Ne && R.x(i) < xB; ++i) {
        const double xi = R.x(i);
        const double yQ = YinterBF(xA, yA, zA, xB, yB, zB, xi);
        const double zQ = ZinterBF(xA, yA, zA, xB, yB, zB, xi);
        XYInterZ(xi, R.y(i), R.z(i), xi, yQ, zQ, x, y, 0.0);
        PE.ajouter(x, y);
        XYInterZ(xi, R.y(i), R.z(i), xi, yQ, zQ, x, y, zB);
        PS.ajouter(x, y);
    }

    // 6. Every tip point, joined to the root point of the same abscissa on the
    // same surface and carried to the tip plane.
    for (int j = 1; j <= Ns; ++j) {
        const std::int16_t d = Sens_Var_X(T.X, Ns, j);
        const double xj = T.x(j);
        double yP, zP;
        interpolerEmpl(xj, d, yP, zP);
        XYInterZ(xj, yP, zP, xj, T.y(j), T.z(j), x, y, zB);
        PS.ajouter(x, y);
    }

    // 7. Root points ahead of the tip trailing edge, joined to the tip point of the
    // same abscissa on the same surface and carried to the root plane.
    for (int i = 1; i <= Ne; ++i) {
        const double xi = R.x(i);
        if (!(xi > xB)) continue;
        const std::int16_t d = Sens_Var_X(R.X, Ne, i);
        double yQ, zQ;
        interpolerSaum(xi, d, yQ, zQ);
        XYInterZ(xi, R.y(i), R.z(i), xi, yQ, zQ, x, y, 0.0);
        PE.ajouter(x, y);
    }

    // 8. Lower trailing-edge zone: root points of the second surface aft of the
    // tip's last point, joined to the trailing-edge line A'→B'.
    const double xA2 = R.x(Ne), yA2 = R.y(Ne), zA2 = R.z(Ne);
    const double xB2 = T.x(Ns), yB2 = T.y(Ns), zB2 = T.z(Ns);
    for (int i = 2; i <= Ne - 1; ++i) {
        const double xi = R.x(i);
        if (!(xi < xB2 && xi - R.x(i - 1) < 0)) continue;
        const double yQ = YinterBF(xA2, yA2, zA2, xB2, yB2, zB2, xi);
        const double zQ = ZinterBF(xA2, yA2, zA2, xB2, yB2, zB2, xi);
        XYInterZ(xi, R.y(i), R.z(i), xi, yQ, zQ, x, y, 0.0);
        PE.ajouter(x, y);
        XYInterZ(xi, R.y(i), R.z(i), xi, yQ, zQ, x, y, zB2);
        PS.ajouter(x, y);
    }

    // 9. Closing trailing-edge point, on the facet through the last point of each
    // section and the root's last but one.
    double Yetoile2;
    if (!hauteurFacette(R, Ne, Ne - 1, T, Ns, Yetoile2))
        return "La facette de bord de fuite formée par les deux derniers points de "
               "l'emplanture et le dernier point du saumon est verticale : le dernier point "
               "des profils projetés ne peut pas être calculé.";
    XYInterZ(xA2, yA2, zA2, xA2, Yetoile2, zB2, x, y, 0.0);
    PE.ajouter(x, y);
    PS.ajouter(xA2, Yetoile2);

    if (PE.n > Capacite)
        return "Le profil projeté de l'emplanture aurait plus de 1000 points (" + nombre(PE.n) +
               ").";
    if (PS.n > Capacite)
        return "Le profil projeté du saumon aurait plus de 1000 points (" + nombre(PS.n) + ").";
    if (PE.premierNonFini)
        return "Le profil projeté de l'emplanture a une valeur non numérique (point " +
               nombre(PE.premierNonFini) + ") : le calcul est refusé.";
    if (PS.premierNonFini)
        return "Le profil projeté du saumon a une valeur non numérique (point " +
               nombre(PS.premierNonFini) + ") : le calcul est refusé.";

    // 10. The view.
    if (!Tracer_Prof_Proj(PE.X, PE.Y, PE.n, PS.X, PS.Y, PS.n, w.finals, w.vue))
        return "Le tracé des profils projetés donne une valeur non numérique : le calcul est "
               "refusé.";
    return {};
}

void copier(const double* source, Tableau& cible, int n) {
    for (int i = 1; i <= n; ++i) cible(i) = source[i - 1];
}

} // namespace

std::int16_t Sens_Var_X(const double* X, int N, int n) {
    const double d = n < N ? X[n] - X[n - 1] : X[N - 1] - X[N - 2];
    return d > 0 ? 1 : d < 0 ? -1 : 0;
}

ResultatCalcul Bt_Calc_Click(Modele& m) { return Bt_Calc_Click(m, Recherche::Indexee); }

ResultatCalcul Bt_Calc_Click(Modele& m, Recherche recherche) {
    ResultatCalcul r;
    // The work arrays (about 80 kB) are left uninitialised: only what the
    // computation writes is read.
    Travail w;
    r.message = calculer(m, w, recherche);
    if (!r.message.empty()) return r;

    m.finals = w.finals;
    copier(w.empl.X, m.X_Empl_Rot, w.empl.N);
    copier(w.empl.Y, m.Y_Empl_Rot, w.empl.N);
    copier(w.empl.Z, m.Z_Empl_Rot, w.empl.N);
    copier(w.saum.X, m.X_Saum_Rot, w.saum.N);
    copier(w.saum.Y, m.Y_Saum_Rot, w.saum.N);
    copier(w.saum.Z, m.Z_Saum_Rot, w.saum.N);
    copier(w.projEmpl.X, m.X_Empl_Proj, w.projEmpl.n);
    copier(w.projEmpl.Y, m.Y_Empl_Proj, w.projEmpl.n);
    copier(w.projSaum.X, m.X_Saum_Proj, w.projSaum.n);
    copier(w.projSaum.Y, m.Y_Saum_Proj, w.projSaum.n);
    m.Nb_Pts_Empl_Proj = static_cast<std::int16_t>(w.projEmpl.n);
    m.Nb_Pts_Saum_Proj = static_cast<std::int16_t>(w.projSaum.n);
    // 11. The profiles can be saved.
    m.boutons.Bt_Sauve_Prof = true;

    r.ok = true;
    r.Pic_Prof_Proj = std::move(w.vue);
    return r;
}

bool Tracer_Prof_Proj(const double* XE, const double* YE, int nE, const double* XS,
                      const double* YS, int nS, const Finals& finals, Vue& vue) {
    const double pi = 4 * std::atan(1.0);
    // 1. The final figures as shown, two decimals.
    const double phiE = Val(finals.Txt_Vrill_Empl_Final) * pi / 180;
    const double HeF = Val(finals.Txt_Href_Empl_final);
    const double phiS = Val(finals.Txt_Vrill_Saum_Final) * pi / 180;
    const double HsF = Val(finals.Txt_Href_Saum_final);
    const double cE = std::cos(phiE), sE = std::sin(phiE);
    const double cS = std::cos(phiS), sS = std::sin(phiS);

    // 2. A point as shown: turned about its leading-edge reference point (0, H).
    auto montre = [](double X, double Y, double c, double s, double H) {
        return Point2{X * c - (Y - H) * s, X * s + (Y - H) * c + H};
    };

    // 3. Extent, from (0, 0) on, root points then tip points. Each point is shown
    // once, and joined to the one before it on its profile on the way.
    double XMin = 0, XMax = 0, YMin = 0, YMax = 0;
    auto etendre = [&](Point2 p) {
        if (p.x < XMin) XMin = p.x;
        if (p.x > XMax) XMax = p.x;
        if (p.y < YMin) YMin = p.y;
        if (p.y > YMax) YMax = p.y;
        return fini(p.x) && fini(p.y);
    };
    // The segments are written in place: the loop calls nothing, so the point
    // before stays in registers.
    std::vector<Segment> segments(
        static_cast<std::size_t>((nE > 1 ? nE - 1 : 0) + (nS > 1 ? nS - 1 : 0)));
    Segment* suivant = segments.data();
    auto profil = [&](const double* X, const double* Y, int n, double c, double s, double H,
                      Couleur couleur) {
        Point2 precedent;
        for (int i = 1; i <= n; ++i) {
            const Point2 p = montre(X[i - 1], Y[i - 1], c, s, H);
            if (!etendre(p)) return false;
            if (i > 1) *suivant++ = {precedent, p, couleur};
            precedent = p;
        }
        return true;
    };
    if (!profil(XE, YE, nE, cE, sE, HeF, Bleu) || !profil(XS, YS, nS, cS, sS, HsF, Vert))
        return false;

    // 4. Scale on the width, or on four times the height when that is larger.
    const double W = XMax - XMin > 4 * (YMax - YMin) ? XMax - XMin : 4 * (YMax - YMin);

    // 5. User coordinates: X' grows to the left, Y upward, the extent centred.
    Vue v;
    v.repere.largeur = -1.1 * W;
    v.repere.gauche = (XMin + XMax) / 2 + 0.55 * W;
    v.repere.hauteur = -1.1 * W / 4;
    v.repere.haut = (YMin + YMax) / 2 + 0.55 * W / 4;

    // 7. The base line and the leading-edge vertical.
    Forme ligne2{"Line2", CouleurTexte, 1, Trait::TiretPoint, {}, {}};
    ligne2.a = {XMax + 0.025 * W, 0};
    ligne2.b = {XMin - 0.025 * W, 0};
    Forme ligne1{"Line1", CouleurTexte, 1, Trait::TiretPoint, {}, {}};
    ligne1.a = {0, YMin - 0.025 * W / 4};
    ligne1.b = {0, YMax + 0.025 * W / 4};
    const Repere& rp = v.repere;
    if (!(fini(W) && fini(rp.largeur) && fini(rp.gauche) && fini(rp.hauteur) && fini(rp.haut) &&
          fini(ligne2.a.x) && fini(ligne2.b.x) && fini(ligne1.a.y) && fini(ligne1.b.y)))
        return false;
    v.formes = {ligne2, ligne1};

    // 8. Root in blue, then tip in green, joined in step 3; the outlines are not
    // closed.
    v.segments = std::move(segments);

    // A view without extent (W = 0) stays blank.
    v.valide = repereValide(v.repere);
    vue = std::move(v);
    return true;
}

bool Tracer_Prof_Proj(const Modele& m, Vue& vue) {
    const int nE = m.Nb_Pts_Empl_Proj, nS = m.Nb_Pts_Saum_Proj;
    if (nE < 0 || nE > Capacite || nS < 0 || nS > Capacite) return false;
    return Tracer_Prof_Proj(m.X_Empl_Proj.data(), m.Y_Empl_Proj.data(), nE, m.X_Saum_Proj.data(),
                            m.Y_Saum_Proj.data(), nS, m.finals, vue);
}

} // namespace ortix
