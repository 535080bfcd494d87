#include "geometry/Planforme.h"

#include "model/Nombres.h"

#include <algorithm>
#include <cmath>

namespace ortix {

namespace {

Forme ligne(const char* nom, Couleur c, int largeur, Trait t, Point2 a, Point2 b) {
    return Forme{nom, c, largeur, t, a, b};
}

Forme axe(const char* nom, Point2 a, Point2 b) {
    return ligne(nom, CouleurTexte, 1, Trait::TiretPoint, a, b);
}

// A view is drawn only when its system and every mark in it are finite numbers.
void valider(Vue& v) {
    bool ok = repereValide(v.repere);
    auto fini = [](Point2 p) { return std::isfinite(p.x) && std::isfinite(p.y); };
    for (const Forme& f : v.formes) ok = ok && fini(f.a) && fini(f.b);
    for (const Segment& s : v.segments) ok = ok && fini(s.a) && fini(s.b);
    v.valide = ok;
    if (!ok) {
        v.formes.clear();
        v.segments.clear();
    }
}

// The planform views share one layout: the span to the right from the root,
// the chord downward from the leading edge, 5 % to spare around the extent.
Repere reperePlan(double H, double V) { return {-0.05 * H, 1.1 * H, 0.05 * V, -1.1 * V}; }

// Drawn position of a section point turned by the end's twist about its
// leading edge at its reference height; the twist is given by its cosine and sine.
struct Vrillage {
    double X0, H, c, s;
    Vrillage(double X0_, double H_, double t) : X0(X0_), H(H_), c(std::cos(t)), s(std::sin(t)) {}
    Point2 operator()(double X, double Y) const {
        return {(X - X0) * c - (Y - H) * s + X0, (X - X0) * s + (Y - H) * c + H};
    }
};

} // namespace

ResultatTrace Trace_Profil_Ini(Modele& m) {
    ResultatTrace r;
    const Champs& c = m.champs;
    const double pi = 4.0 * std::atan(1.0);

    // 1. The initial-profile view, from the deepest of the two ends.
    {
        const double Ce = Val(c.txt_corde_empl), F = Val(c.txt_fleche), Cs = Val(c.txt_corde_saum);
        const double W = std::max(Ce, Cs + F);
        Vue& v = r.Pic_Prof_Ini;
        v.repere = {0.05 * W, -1.1 * W, 1.05 * W / 4, -1.1 * W / 4};
        v.formes.push_back(axe("Line_Abs", {0.025 * W, 0}, {-1.025 * W, 0}));
        v.formes.push_back(axe("Line_ord", {0, -0.025 * W / 4}, {0, 1.025 * W / 4}));
    }

    // 2. Root section, drawn with its twist about the root leading edge.
    {
        const double Ce = Val(c.txt_corde_empl), He = Val(c.txt_href_empl);
        const Vrillage vrille(0, He, Val(c.txt_vril_empl2) * pi / 180);
        r.Pic_Prof_Ini.segments.reserve(static_cast<std::size_t>(std::max(0, m.Nb_Pts_Empl - 1)) +
                                        static_cast<std::size_t>(std::max(0, m.Nb_Pts_Saum - 1)));
        for (int i = 1; i <= m.Nb_Pts_Empl; ++i) {
            m.X_Empl_3D(i) = -Ce * m.X_Empl(i);
            m.Y_Empl_3D(i) = Ce * m.Y_Empl(i) + He;
            m.Z_Empl_3D(i) = 0;
            if (i >= 2)
                r.Pic_Prof_Ini.segments.push_back(
                    {vrille(m.X_Empl_3D(i - 1), m.Y_Empl_3D(i - 1)),
                     vrille(m.X_Empl_3D(i), m.Y_Empl_3D(i)), Rouge});
        }
    }

    // 3. Tip section, turned about the tip leading edge.
    {
        const double Cs = Val(c.txt_corde_saum), Hs = Val(c.txt_href_saum);
        const double F = Val(c.txt_fleche), L = Val(c.Txt_Long);
        const Vrillage vrille(-F, Hs, Val(c.txt_vril_saum2) * pi / 180);
        for (int j = 1; j <= m.Nb_Pts_Saum; ++j) {
            m.X_Saum_3D(j) = -F - Cs * m.X_Saum(j);
            m.Y_Saum_3D(j) = Cs * m.Y_Saum(j) + Hs;
            m.Z_Saum_3D(j) = L;
            if (j >= 2)
                r.Pic_Prof_Ini.segments.push_back(
                    {vrille(m.X_Saum_3D(j - 1), m.Y_Saum_3D(j - 1)),
                     vrille(m.X_Saum_3D(j), m.Y_Saum_3D(j)), Orange});
        }
    }
    valider(r.Pic_Prof_Ini);
    if (!r.Pic_Prof_Ini.valide)
        r.messages.push_back("Corde ou flèche nulle ou hors limites : les profils initiaux ne "
                             "peuvent pas être dessinés.");

    // 4. The initial planform.
    {
        const double Ce = Val(c.txt_corde_empl), F = Val(c.txt_fleche), Cs = Val(c.txt_corde_saum);
        const double L = Val(c.Txt_Long);
        const double W = std::max(Ce, Cs + F);
        const double H = L > 4 * W / 3 ? L : 4 * W / 3;
        const double V = L > 4 * W / 3 ? 3 * L / 4 : W;
        Vue& v = r.Plan_Ini;
        v.repere = reperePlan(H, V);
        v.formes = {
            axe("Line3", {0, 0.025 * V}, {0, -1.025 * V}),
            axe("Line4", {-0.025 * H, 0}, {1.025 * H, 0}),
            ligne("Line_Empl_Ini", Rouge, 3, Trait::Plein, {0, 0}, {0, -Ce}),
            ligne("Line_Saum_Ini", Orange, 3, Trait::Plein, {L, -F}, {L, -F - Cs}),
            ligne("Line_BA_Ini", CouleurTexte, 1, Trait::Plein, {0, 0}, {L, -F}),
            ligne("Line_BF_Ini", CouleurTexte, 1, Trait::Plein, {0, -Ce}, {L, -F - Cs}),
        };
        valider(v);
        if (!v.valide)
            r.messages.push_back("Dimensions nulles ou hors limites : la position initiale de "
                                 "l'aile ne peut pas être dessinée.");
    }

    // 5. to 8. The rotation, its caption, the rotated planform and the final figures.
    const double Ce = Val(c.txt_corde_empl), Cs = Val(c.txt_corde_saum);
    const double L = Val(c.Txt_Long), F = Val(c.txt_fleche);
    m.finals.Txt_Lg_Final = TexteSansValeur;
    m.finals.Txt_Fleche_Final = TexteSansValeur;
    m.finals.Txt_Corde_Final = TexteSansValeur;
    m.Label32 = "Position après rotation";
    r.Plan_Final = Vue{};
    if (L == 0) {
        r.messages.push_back("Longueur nulle : la rotation ne peut pas être calculée.");
    } else {
        const double a = std::atan(F / L);
        const double sa = std::sin(a), ca = std::cos(a);
        const Point2 RLE{0, 0};
        const Point2 RTE{Ce * sa, -Ce * ca};
        const Point2 TLE{L * ca + F * sa, L * sa - F * ca};
        const Point2 TTE{L * ca + (F + Cs) * sa, L * sa - (F + Cs) * ca};
        const double Lf = L * ca + (F + Cs) * sa;
        const double Cf = Ce * ca;
        const double degres = a * 180 / 3.141592654;
        if (std::isfinite(a)) m.Label32 = "Position après rotation de " + Format(degres, "0#.##") + "°";

        const double H = Lf > 4 * Cf / 3 ? Lf : 4 * Cf / 3;
        const double V = Lf > 4 * Cf / 3 ? 3 * Lf / 4 : Cf;
        Vue& v = r.Plan_Final;
        v.repere = reperePlan(H, V);
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
        if (std::isfinite(Lf) && std::isfinite(Cf)) {
            m.finals.Txt_Lg_Final = Format(Lf, "#.00");
            m.finals.Txt_Fleche_Final = "0.00";
            m.finals.Txt_Corde_Final = Format(Cf, "#.00");
        } else {
            r.messages.push_back("Valeurs hors limites : les dimensions finales ne peuvent pas "
                                 "être calculées.");
        }
        if (!v.valide && std::isfinite(Lf) && std::isfinite(Cf))
            r.messages.push_back("Longueur ou corde finale nulle : la position après rotation ne "
                                 "peut pas être dessinée.");
    }

    // 9. The projected profiles are stale until the next computation.
    m.boutons.Bt_Sauve_Prof = false;
    return r;
}

} // namespace ortix
