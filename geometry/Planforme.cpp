#include "geometry/Planforme.h"

#include "model/Nombres.h"
#include "model/Parametres.h"

#include <algorithm>
#include <cmath>

namespace ortix {

namespace {

// The value of π the rotation caption has always been computed with: kept so
// that an angle halfway between two shown values still rounds as it did.
constexpr double PiLegende = 3.141592654;

Forme ligne(const char* nom, Couleur c, int largeur, Trait t, Point2 a, Point2 b) {
    return Forme{nom, c, largeur, t, a, b};
}

Forme axe(const char* nom, Point2 a, Point2 b) {
    return ligne(nom, CouleurTexte, 1, Trait::TiretPoint, a, b);
}

// A view is drawn only when its system and every mark in it are finite numbers.
void valider(Vue& v) {
    bool ok = Repere_Valide(v.repere);
    for (const Forme& f : v.formes)
        ok = ok && Fini(f.a) && Fini(f.b);
    for (const Segment& s : v.segments)
        ok = ok && Fini(s.a) && Fini(s.b);
    v.valide = ok;
    if (!ok) {
        v.formes.clear();
        v.segments.clear();
    }
}

// The extent of a planform view, in the ratio of its area, 4 : 3: a long,
// narrow panel is scaled to its length, a short, deep one to its depth.
struct Etendue {
    double H, V;
};

Etendue etenduePlan(double longueur, double profondeur, double etirement) {
    if (longueur > 4 * profondeur * etirement / 3) return {longueur, 3 * longueur / 4 / etirement};
    return {4 * profondeur * etirement / 3, profondeur};
}

// The planform views share one layout: the span to the right from the root,
// the chord downward from the leading edge, 5 % to spare around the extent.
Repere reperePlan(Etendue e) {
    return {-0.05 * e.H, 1.1 * e.H, 0.05 * e.V, -1.1 * e.V};
}

// Drawn position of a section point turned by the end's twist about its
// leading edge at its reference height.
struct Vrillage {
    double X0, H, c, s;
    Vrillage(double X0_, double H_, double degres)
        : X0(X0_), H(H_), c(std::cos(Radians(degres))), s(std::sin(Radians(degres))) {}
    Point2 operator()(double X, double Y) const {
        return {(X - X0) * c - (Y - H) * s + X0, (X - X0) * s + (Y - H) * c + H};
    }
};

// One end's section placed in the panel frame, its chord aft of its leading edge
// (X0, H) in the plane Z.
void placerSection(const Tableau& x, const Tableau& y, int n, double corde, double X0, double H,
                   double Z, Tableau& X3, Tableau& Y3, Tableau& Z3) {
    for (int i = 1; i <= n; ++i) {
        X3(i) = X0 - corde * x(i);
        Y3(i) = corde * y(i) + H;
        Z3(i) = Z;
    }
}

// One end's placed section drawn turned by its twist about its leading edge.
void tracerSection(const Tableau& X3, const Tableau& Y3, int n, double X0, double H,
                   double vrillage, Couleur couleur, Vue& vue) {
    const Vrillage vrille(X0, H, vrillage);
    for (int i = 2; i <= n; ++i)
        vue.segments.push_back({vrille(X3(i - 1), Y3(i - 1)), vrille(X3(i), Y3(i)), couleur});
}

// The initial profiles; the view's width comes from the deepest of the two ends,
// its height in the ratio of the area, 4 : 1 at the size it opens with.
Vue profilsInitiaux(const Modele& m, const Parametres& p, double etirement) {
    const double W = std::max(p.Ce, p.Cs + p.F);
    const double k = 4 * etirement;
    Vue v;
    v.repere = {0.05 * W, -1.1 * W, 1.05 * W / k, -1.1 * W / k};
    v.formes.push_back(axe("Line_Abs", {0.025 * W, 0}, {-1.025 * W, 0}));
    v.formes.push_back(axe("Line_ord", {0, -0.025 * W / k}, {0, 1.025 * W / k}));
    tracerSection(m.X_Empl_3D, m.Y_Empl_3D, m.Nb_Pts_Empl, 0, p.He, p.Te, Rouge, v);
    tracerSection(m.X_Saum_3D, m.Y_Saum_3D, m.Nb_Pts_Saum, -p.F, p.Hs, p.Ts, Orange, v);
    valider(v);
    return v;
}

Vue planInitial(const Parametres& p, double etirement) {
    const double W = std::max(p.Ce, p.Cs + p.F);
    const double L = p.L, F = p.F, Ce = p.Ce, Cs = p.Cs;
    Vue v;
    const auto [H, V] = etenduePlan(L, W, etirement);
    v.repere = reperePlan({H, V});
    v.formes = {
        axe("Line3", {0, 0.025 * V}, {0, -1.025 * V}),
        axe("Line4", {-0.025 * H, 0}, {1.025 * H, 0}),
        ligne("Line_Empl_Ini", Rouge, 3, Trait::Plein, {0, 0}, {0, -Ce}),
        ligne("Line_Saum_Ini", Orange, 3, Trait::Plein, {L, -F}, {L, -F - Cs}),
        ligne("Line_BA_Ini", CouleurTexte, 1, Trait::Plein, {0, 0}, {L, -F}),
        ligne("Line_BF_Ini", CouleurTexte, 1, Trait::Plein, {0, -Ce}, {L, -F - Cs}),
    };
    valider(v);
    return v;
}

// The rotated planform and the final rectangle, from the rotation angle a.
Vue planFinal(const Parametres& p, double a, double Lf, double Cf, double etirement) {
    const double sa = std::sin(a), ca = std::cos(a);
    const double L = p.L, F = p.F, Ce = p.Ce, Cs = p.Cs;
    const Point2 RLE{0, 0};
    const Point2 RTE{Ce * sa, -Ce * ca};
    const Point2 TLE{L * ca + F * sa, L * sa - F * ca};
    const Point2 TTE{L * ca + (F + Cs) * sa, L * sa - (F + Cs) * ca};
    Vue v;
    const auto [H, V] = etenduePlan(Lf, Cf, etirement);
    v.repere = reperePlan({H, V});
    v.formes = {
        axe("Line5", {-0.025 * H, 0}, {1.025 * H, 0}),
        axe("Line6", {0, 0.025 * V}, {0, -1.025 * V}),
        ligne("Line11", Rouge, 2, Trait::Plein, RLE, RTE),
        ligne("Line12", Orange, 2, Trait::Plein, TLE, TTE),
        ligne("Line13", CouleurTexte, 1, Trait::Plein, RTE, TTE),
        ligne("Line14", CouleurTexte, 1, Trait::Plein, RLE, TLE),
        ligne("Line15", Vert, 3, Trait::Plein, {Lf, 0}, {Lf, -Cf}),
        ligne("Line16", Bleu, 3, Trait::Plein, {0, 0}, {0, -Cf}),
    };
    valider(v);
    return v;
}

// The panel's rotation in plan: the angle, the final length and the final chord.
struct Rotation {
    double a, Lf, Cf;
};

Rotation rotation(const Parametres& p) {
    const double a = std::atan(p.F / p.L);
    return {a, p.L * std::cos(a) + (p.F + p.Cs) * std::sin(a), p.Ce * std::cos(a)};
}

void tracerVues(const Modele& m, const Parametres& p, const TaillesVues& tailles,
                ResultatTrace& vues) {
    const TaillesVues ouverture;
    vues.Pic_Prof_Ini =
        profilsInitiaux(m, p, Etirement(tailles.Pic_Prof_Ini, ouverture.Pic_Prof_Ini));
    vues.Plan_Ini = planInitial(p, Etirement(tailles.Plan_Ini, ouverture.Plan_Ini));
    vues.Plan_Final = Vue{};
    if (p.L == 0) return;
    const Rotation r = rotation(p);
    vues.Plan_Final =
        planFinal(p, r.a, r.Lf, r.Cf, Etirement(tailles.Plan_Final, ouverture.Plan_Final));
}

} // namespace

void Tracer_Vues_Initiales(const Modele& m, const Champs& champs, const TaillesVues& tailles,
                           ResultatTrace& vues) {
    tracerVues(m, Lire_Parametres(champs), tailles, vues);
}

std::string Texte_Angle_Rotation(const Parametres& p) {
    if (p.L == 0) return {};
    const Rotation r = rotation(p);
    if (!Fini(r.Lf) || !Fini(r.Cf)) return {};
    return Format(r.a * 180 / PiLegende, "0#.##");
}

ResultatTrace Rafraichir_Panneau(Modele& m, const TaillesVues& tailles) {
    ResultatTrace r;
    const Parametres p = Lire_Parametres(m.champs);
    // −0.0: the root's abscissae are −Ce·x, negative zero included.
    placerSection(m.X_Empl, m.Y_Empl, m.Nb_Pts_Empl, p.Ce, -0.0, p.He, 0, m.X_Empl_3D, m.Y_Empl_3D,
                  m.Z_Empl_3D);
    placerSection(m.X_Saum, m.Y_Saum, m.Nb_Pts_Saum, p.Cs, -p.F, p.Hs, p.L, m.X_Saum_3D,
                  m.Y_Saum_3D, m.Z_Saum_3D);
    tracerVues(m, p, tailles, r);
    if (!r.Pic_Prof_Ini.valide)
        r.messages.push_back("Corde ou flèche nulle ou hors limites : les profils initiaux ne "
                             "peuvent pas être dessinés.");
    if (!r.Plan_Ini.valide)
        r.messages.push_back("Dimensions nulles ou hors limites : la position initiale de "
                             "l'aile ne peut pas être dessinée.");

    // The rotation that brings the leading edge straight across, and the final panel.
    m.finals.Txt_Lg_Final = TexteSansValeur;
    m.finals.Txt_Fleche_Final = TexteSansValeur;
    m.finals.Txt_Corde_Final = TexteSansValeur;
    m.Label32 = "Position après rotation";
    if (p.L == 0) {
        r.messages.push_back("Longueur nulle : la rotation ne peut pas être calculée.");
    } else if (const Rotation rot = rotation(p); Fini(rot.Lf) && Fini(rot.Cf)) {
        m.Label32 = "Position après rotation de " + Texte_Angle_Rotation(p) + "°";
        m.finals.Txt_Lg_Final = Format(rot.Lf, "#.00");
        m.finals.Txt_Fleche_Final = "0.00";
        m.finals.Txt_Corde_Final = Format(rot.Cf, "#.00");
        if (!r.Plan_Final.valide)
            r.messages.push_back("Longueur ou corde finale nulle : la position après "
                                 "rotation ne peut pas être dessinée.");
    } else {
        r.messages.push_back("Valeurs hors limites : les dimensions finales ne peuvent pas "
                             "être calculées.");
    }

    // The projected profiles are stale until the next computation.
    m.boutons.Bt_Sauve_Prof = false;
    return r;
}

} // namespace ortix
