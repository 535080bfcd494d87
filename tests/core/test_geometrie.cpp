// The geometry: a panel worked by hand, the interpolation rules on a small
// section, the figures of the refresh and of the final twists from a table, and
// properties that hold for every panel (a prism is its own section, lengths
// scale, heights shift, a refusal changes nothing).
#include "files/Projet.h"
#include "geometry/Cassure.h"
#include "geometry/Optimisation.h"
#include "geometry/Planforme.h"
#include "geometry/Primitives.h"
#include "geometry/Projection.h"
#include "geometry/Reduction.h"
#include "model/Nombres.h"
#include "model/Parametres.h"
#include "tests/support/Support.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <sstream>

namespace ortix::essais {
namespace {

Profil Points(std::vector<double> x, std::vector<double> y) {
    Profil p;
    p.n = static_cast<int>(x.size());
    std::copy(x.begin(), x.end(), p.x.begin());
    std::copy(y.begin(), y.end(), p.y.begin());
    return p;
}

Champs Texte(double L, double F, double Ce, double He, double Te, double Cs, double Hs, double Ts) {
    const Parametres p{L, F, Ce, He, Te, Cs, Hs, Ts};
    Champs c;
    for (const ChampParametre& champ : TableChamps)
        if (champ.valeur) c.*champ.texte = Format(p.*champ.valeur, "#0.000000");
    return c;
}

// No sweep, a nine-point airfoil, root chord 100 at height 0, tip chord 60 at
// height 10, length 200: every section point keeps its place in the rotated frame.
TEST(Geometrie, PanneauCalculeALaMain) {
    const Profil neuf = Points({1, 0.75, 0.5, 0.25, 0, 0.25, 0.5, 0.75, 1},
                               {0, 0.02, 0.03, 0.02, 0, -0.02, -0.03, -0.02, 0});
    auto m = Panneau(neuf, neuf, Texte(200, 0, 100, 0, 0, 60, 10, 0));
    Vue v;
    ASSERT_TRUE(Calculer_Profils_Projetes(*m, v).ok());
    EXPECT_EQ(m->finals.Txt_Href_Saum_final, "10.00");
    // Root: the section itself. Tip: the opening point on the facet through
    // (−100, 0, 0), (−75, 2, 0), (−60, 10, 200); root point 2 carried along its line
    // to the trailing-edge line and on to the tip plane; the tip's nine points; root
    // point 8 likewise; the closing point on the facet through the last points.
    const std::vector<double> xE = {-100, -75, -50, -25, 0, -25, -50, -75, -100};
    const std::vector<double> yE = {0, 2, 3, 2, 0, -2, -3, -2, 0};
    const std::vector<double> xS = {-100, -75, -60, -45, -30, -15, 0,
                                    -15,  -30, -45, -60, -75, -100};
    const std::vector<double> yS = {6.8, 8.8, 10,  11.2, 11.8, 11.2, 10,
                                    8.8, 8.2, 8.8, 10,   11.2, 13.2};
    ASSERT_EQ(m->Nb_Pts_Empl_Proj, 9);
    ASSERT_EQ(m->Nb_Pts_Saum_Proj, 13);
    for (int i = 1; i <= 13; ++i) {
        const auto k = static_cast<std::size_t>(i - 1);
        if (i <= 9) {
            EXPECT_EQ(m->X_Empl_Proj(i), xE[k]);
            EXPECT_NEAR(m->Y_Empl_Proj(i), yE[k], 1e-12) << i;
        }
        EXPECT_EQ(m->X_Saum_Proj(i), xS[k]);
        EXPECT_NEAR(m->Y_Saum_Proj(i), yS[k], 1e-12) << i;
    }
    // The view: W = 100 (the width beats four times the height 16.2), the base
    // line and the leading-edge vertical, the root in blue then the tip in green.
    EXPECT_DOUBLE_EQ(v.repere.largeur, -110);
    EXPECT_NEAR(v.repere.gauche, 5, 1e-12);
    EXPECT_DOUBLE_EQ(v.repere.hauteur, -27.5);
    EXPECT_DOUBLE_EQ(v.repere.haut, 18.85);
    ASSERT_EQ(v.formes.size(), 2u);
    EXPECT_EQ(v.formes[0].nom + v.formes[1].nom, "Line2Line1");
    EXPECT_EQ(v.formes[0].a, (Point2{2.5, 0}));
    EXPECT_EQ(v.formes[1].b, (Point2{0, 13.825}));
    ASSERT_EQ(v.segments.size(), 8u + 12u + 4u);
    EXPECT_EQ(v.segments[7].couleur, Bleu);
    EXPECT_EQ(v.segments[8].couleur, Vert);
    EXPECT_EQ(v.segments[19].b.x, -100); // not closed
    // The tip's lengthening (points 1 to 3 and 11 to 13) dashed; its own trailing
    // edge (-60, 10) marked by two crosses and captioned.
    for (std::size_t k = 0; k < 20; ++k)
        EXPECT_EQ(v.segments[k].trait == Trait::Tirets, k == 8 || k == 9 || k >= 18) << k;
    EXPECT_EQ(v.segments[20].a.x + v.segments[20].b.x, -120);
    EXPECT_NEAR(v.segments[23].a.y + v.segments[23].b.y, 20, 1e-12);
    ASSERT_EQ(v.textes.size(), 1u);
    EXPECT_EQ(v.textes[0].texte, "BF saumon");
    EXPECT_EQ(v.textes[0].point.x, -60);
    // A section point that is not a number is refused at its rank, first or last.
    for (const int rang : {1, int{m->Nb_Pts_Saum}}) {
        auto abime = std::make_unique<Modele>(*m);
        abime->Y_Saum_3D(rang) = NAN;
        EXPECT_EQ(Calculer_Profils_Projetes(*abime, v).message(),
                  "La section du saumon tournée a une valeur non numérique (point " +
                      std::to_string(rang) + ") : le calcul est refusé.");
    }
}

// A section rising to its leading edge and falling back: −10, −5, 0, −5, −10.
TEST(Geometrie, InterpolationLeLongDUneSection) {
    const double X[] = {-10, -5, 0, -5, -10, 50}, Y[] = {20, 22, 20, 18, 20, 0},
                 Z[] = {4, 2, 0, 2, 4, 0};
    const Section s{X, Y, Z, 5};
    Parametres p;
    p.He = 12.5;
    p.Hs = -3;
    p.L = 300;
    p.F = 400;
    struct Cas {
        double x;
        std::int16_t d;
        int segment;
        double y, z;
    };
    const Cas cas[] = {
        {-7.5, 1, 1, 21, 3}, {-7.5, -1, 4, 19, 3},  // one surface or the other
        {-5, 1, 1, 22, 2},   {-5, -1, 3, 18, 2},    // a point at x: the segment ending on it
        {0, 1, 2, 20, 0},    {-10, -1, 4, 20, 4},   // both ends included
        {1, 1, 0, 12.5, 0},  {-11, -1, 0, 12.5, 0}, // no segment: the root's reference point
        {30, 1, 0, 12.5, 0},                        // the entry past the section is never read
        {-30, 0, 1, 12, 12},                        // no direction: segment (1, 2), extended
    };
    for (const Cas& c : cas) {
        EXPECT_EQ(Chercher_Segment(s, c.x, c.d), c.segment) << c.x << " " << c.d;
        EXPECT_DOUBLE_EQ(InterpolYEmpl(s, p, c.x, c.d), c.y) << c.x << " " << c.d;
        EXPECT_DOUBLE_EQ(InterpolZEmpl(s, p, c.x, c.d), c.z) << c.x << " " << c.d;
    }
    EXPECT_EQ(InterpolYSaum(s, p, 1, 1), -3);
    EXPECT_EQ(InterpolZSaum(s, p, 1, 1), 500); // √(300² + 400²)
    const double Xd[] = {-10, 0, 0, -10}, Yd[] = {1, 3, 7, 2};
    EXPECT_EQ(InterpolYSaum({Xd, Yd, Yd, 4}, p, 5, 0), 4);       // extended from (1, 2)
    EXPECT_EQ(InterpolYSaum({Xd, Yd, Yd, 4}, p, 0, 1), 3);       // the segment ending on 0
    EXPECT_EQ(Interpoler_Segment({Xd, Yd, Yd, 4}, Yd, 2, 9), 5); // equal abscissae: the mean
    EXPECT_EQ(Sens_Var_X({Xd, Yd, Yd, 4}, 2), 0);
    EXPECT_EQ(Sens_Var_X({Xd, Yd, Yd, 4}, 4), -1); // the last point: the segment ending there
}

// tests/data/figures.txt: the fields, then the refresh's and the computation's
// figures, or the computation's refusal.
TEST(Geometrie, FiguresDeLaTable) {
    std::istringstream table(Contenu(Donnee("figures.txt")));
    int n = 0;
    for (std::string ligne; std::getline(table, ligne);) {
        if (ligne.empty() || ligne[0] == '#') continue;
        std::istringstream champs(ligne);
        Champs c;
        for (const ChampParametre& champ : TableChamps)
            if (champ.valeur) champs >> c.*champ.texte;
        std::string attendu;
        std::getline(champs >> std::ws, attendu);
        Profil placebo = Points({1, 0, 1}, {0, 0.05, 0});
        auto m = Panneau(placebo, placebo, c);
        Vue v;
        const Resultat r = Calculer_Profils_Projetes(*m, v);
        const Finals& f = m->finals;
        const std::string obtenu = f.Txt_Lg_Final + " " + f.Txt_Corde_Final + " " + m->Label32 +
                                   " | " +
                                   (r ? f.Txt_Href_Empl_final + " " + f.Txt_Href_Saum_final + " " +
                                            f.Txt_Vrill_Empl_Final + " " + f.Txt_Vrill_Saum_Final
                                      : r.message());
        EXPECT_EQ(obtenu, attendu) << ligne;
        // The final planform is drawn exactly when the rotation gave its figures.
        const bool chiffres = f.Txt_Lg_Final != TexteSansValeur;
        EXPECT_EQ(Rafraichir_Panneau(*m).Plan_Final.valide, chiffres) << ligne;
        ++n;
    }
    EXPECT_GT(n, 8);
}

// The initial views of the default panel.
TEST(Geometrie, VuesDuPanneauInitial) {
    auto m = Panneau(Points({1, 0, 1}, {0, 0, 0}), Points({1, 0, 1}, {0, 0, 0}), Champs{});
    m->champs.txt_vril_empl2 = "10";
    const ResultatTrace r = Rafraichir_Panneau(*m);
    EXPECT_DOUBLE_EQ(r.Plan_Ini.repere.largeur, 1.1 * 600); // H = 4·450/3
    EXPECT_DOUBLE_EQ(r.Plan_Ini.repere.hauteur, -1.1 * 450);
    EXPECT_NEAR(-r.Plan_Final.repere.hauteur / 1.1, 448.02, 0.005); // 3·Lf/4
    EXPECT_DOUBLE_EQ(r.Pic_Prof_Ini.repere.gauche, 22.5);
    EXPECT_NEAR(r.Plan_Final.formes[4].b.x, 597.36, 0.005); // Line13 to the tip trailing edge
    EXPECT_NEAR(r.Plan_Final.formes[4].b.y, -75.26, 0.005);
    // The twisted root turns about its leading edge: its trailing edge drops.
    EXPECT_NEAR(r.Pic_Prof_Ini.segments[0].a.x, -393.9, 0.05);
    EXPECT_NEAR(r.Pic_Prof_Ini.segments[0].a.y, 20 - 69.5, 0.05);
    EXPECT_EQ(r.Pic_Prof_Ini.segments[2].a, (Point2{-450, 20})); // the tip, untwisted
    EXPECT_EQ(r.Pic_Prof_Ini.segments[2].couleur, Orange);
}

// Every number of the four views, for the first screen and for a real project
// computed, against the golden file modeles/vues.txt.
TEST(Geometrie, VuesCommeLeModele) {
    std::ostringstream o;
    auto nombre = [&](double v) {
        char t[32];
        o << std::string_view(t, static_cast<std::size_t>(std::to_chars(t, t + 32, v).ptr - t))
          << ' ';
    };
    auto point = [&](Point2 p) { nombre(p.x), nombre(p.y); };
    auto vue = [&](const char* nom, const Vue& v) {
        o << '\n' << nom << (v.valide ? " " : " invalide ");
        for (double d : {v.repere.gauche, v.repere.largeur, v.repere.haut, v.repere.hauteur})
            nombre(d);
        for (const Forme& f : v.formes) {
            o << '\n'
              << f.nom << ' ' << int(f.couleur.r) << ',' << int(f.couleur.g) << ','
              << int(f.couleur.b) << (f.couleur.texte ? "t " : " ") << f.largeur
              << (f.trait == Trait::Plein ? " plein " : " tiret-point ");
            point(f.a), point(f.b);
        }
        for (const Segment& s : v.segments) {
            o << '\n'
              << int(s.couleur.r) << ',' << int(s.couleur.g) << ',' << int(s.couleur.b)
              << (s.trait == Trait::Tirets ? " tirets " : " ");
            point(s.a), point(s.b);
        }
        for (const TexteVue& e : v.textes) {
            o << '\n' << e.texte << ' ';
            point(e.point);
        }
    };
    auto premier = Panneau(Points({1, 0, 1}, {0, 0, 0}), Points({1, 0, 1}, {0, 0, 0}), Champs{});
    auto calcule = Calcule("lots/projets/aile1.ortix");
    for (Modele* m : {premier.get(), calcule.get()}) {
        const ResultatTrace t = Rafraichir_Panneau(*m);
        Vue proj;
        const Resultat r = Calculer_Profils_Projetes(*m, proj);
        vue("Pic_Prof_Ini", t.Pic_Prof_Ini), vue("Plan_Ini", t.Plan_Ini);
        vue("Plan_Final", t.Plan_Final), vue("Pic_Prof_Proj", proj);
        o << '\n' << r.message() << '\n';
    }
    EXPECT_EQ(Ecart_Au_Modele(o.str(), Donnee("modeles/vues.txt")), "");
}

// The kink at the tip's trailing edge, on outlines built by hand: 45° after a
// coinciding point, nothing joined (0), nothing of the tip's own (undefined).
TEST(Geometrie, CassuresAuBordDeFuiteDuSaumon) {
    Modele m;
    const double X[] = {0, 10, 10, 20, 30, 30}, Y[] = {0, 0, 0, 10, 10, 10};
    for (int i = 1; i <= 6; ++i)
        m.X_Saum_Proj(i) = X[i - 1], m.Y_Saum_Proj(i) = Y[i - 1];
    m.Nb_Pts_Saum_Proj = 6;
    m.Rang_Saum_Premier_Proj = 3;
    m.Rang_Saum_Dernier_Proj = 5;
    Cassures c = Mesurer_Cassures(m);
    EXPECT_NEAR(*c.extrados, 45, 1e-12);
    EXPECT_EQ(*c.intrados, 0); // the point after it coincides: nothing joined there
    m.Rang_Saum_Premier_Proj = 1;
    m.Rang_Saum_Dernier_Proj = 1;
    c = Mesurer_Cassures(m);
    EXPECT_EQ(*c.extrados, 0);
    EXPECT_FALSE(c.intrados); // nothing of the tip's own before the first point
    bool revient = false;
    EXPECT_EQ(Phrase_Cassures({45.04, 0.0}, revient),
              "Cassure au bord de fuite du saumon : extrados 45.0°, intrados 0.0°");
    EXPECT_FALSE(revient);
    // No taper, no sweep: a straight run at both joints. A tip chord larger than
    // the root's: the lengthening runs back over the outline, and the candidates'
    // kinks leave the model as it was.
    const Profil p = Naca(30, 0.12, 0.03);
    for (auto [Cs, F] : {std::pair{200.0, 0.0}, {300.0, 100.0}}) {
        auto panneau = Panneau(p, p, Texte(500, F, 200, 10, 0, Cs, 10, 0));
        Vue v;
        ASSERT_TRUE(Calculer_Profils_Projetes(*panneau, v));
        const Modele avant = *panneau;
        c = Cassures_Pour_Hauteur(*panneau, panneau->champs.txt_href_saum);
        EXPECT_TRUE(*panneau == avant);
        EXPECT_EQ(Texte_Cassure(c.extrados) + Texte_Cassure(c.intrados),
                  Cs == 200 ? "0.00.0"
                            : Texte_Cassure(Mesurer_Cassures(avant).extrados) +
                                  Texte_Cassure(Mesurer_Cassures(avant).intrados));
        Phrase_Cassures(c, revient);
        EXPECT_EQ(revient, Cs > 200);
        // Without taper no height changes the kinks: « Opti. » says so.
        EXPECT_EQ(Avis_Candidats(*panneau, Calcule_Candidats(*panneau)).empty(), Cs > 200);
    }
    // A tip whose last segment runs one unit along X': the lower candidate carries
    // that segment's slope, 1, from the height that aligns the trailing edges (10)
    // over the 72 between the root's trailing edge and the tip's.
    auto bout = Panneau(Points({1, 0.5, 0, 0.5, 1}, {0, 0.05, 0, -0.05, 0}),
                        Points({1, 0.5, 0, 0.5, 1.0078125, 1}, {0, 0.05, 0, -0.05, -0.0078125, 0}),
                        Texte(500, 0, 200, 10, 0, 128, 10, 0));
    Vue vb;
    ASSERT_TRUE(Calculer_Profils_Projetes(*bout, vb));
    EXPECT_EQ(Calcule_Candidats(*bout).txt_int, "82.00");
    // Without a root airfoil, no candidate corrected along the tip's end segments.
    auto sansEmplanture = Calcule("lots/projets/aile1.ortix");
    sansEmplanture->Nb_Pts_Empl = 0;
    const CandidatsOpti sans = Calcule_Candidats(*sansEmplanture);
    EXPECT_EQ(sans.txt_int + sans.txt_ext, "");
}

// Zooming about a pixel keeps the point under it; dragging moves the drawing
// with the mouse. At any size, each view keeps the relation between its two
// scales it has at the size the window opens with.
TEST(Geometrie, ZoomDeplacementEtTailles) {
    const Repere r{10, -110, 20, -27.5};
    const Taille t{533, 141};
    for (Point2 pixel : {Point2{0, 0}, Point2{100, 50}, Point2{533, 141}}) {
        const Point2 u = Vers_Utilisateur(r, pixel, t),
                     z = Vers_Utilisateur(Zoomer(r, pixel, 1.7, t), pixel, t);
        EXPECT_NEAR(z.x, u.x, 1e-12);
        EXPECT_NEAR(z.y, u.y, 1e-12);
        const Point2 d = Vers_Pixel(Deplacer(r, {12, -7}, t), u, t);
        EXPECT_NEAR(d.x, pixel.x + 12, 1e-9);
        EXPECT_NEAR(d.y, pixel.y - 7, 1e-9);
    }
    // A frame of no width or height, or whose far edge lies beyond the doubles, is none.
    for (auto [f, valide] : {std::pair{r, true},
                             {Repere{10, 0, 20, -27.5}, false},
                             {Repere{10, -110, 20, 0}, false},
                             {Repere{1e308, 1e308, 20, 1}, false},
                             {Repere{0, 1, -1e308, -1e308}, false}})
        EXPECT_EQ(Repere_Valide(f), valide) << f.gauche << " " << f.largeur;
    // Painting cuts each segment to the area: what lies outside, even along an edge,
    // goes; of a segment that only touches a corner, the corner stays.
    for (auto [a, b, garde, coupe] :
         {std::tuple{Point2{-5, 5}, Point2{15, 5}, true, Segment{{0, 5}, {10, 5}, {}}},
          {Point2{15, 5}, Point2{5, 15}, true, Segment{{10, 10}, {10, 10}, {}}},
          {Point2{-5, 20}, Point2{15, 20}, false, Segment{}},
          {Point2{12, -3}, Point2{12, 8}, false, Segment{}}}) {
        EXPECT_EQ(Couper_Segment(a, b, 0, 0, 10, 10), garde);
        if (garde) {
            EXPECT_TRUE(a == coupe.a && b == coupe.b);
        }
    }
    auto m = Calcule("lots/projets/aile1.ortix");
    auto echelles = [&](const TaillesVues& tv) { // x scale over y scale of each view
        const ResultatTrace t2 = Rafraichir_Panneau(*m, tv);
        Vue proj;
        EXPECT_TRUE(Calculer_Profils_Projetes(*m, proj, tv.Pic_Prof_Proj));
        std::vector<double> e;
        for (auto [v, taille] : {std::pair{&t2.Pic_Prof_Ini, tv.Pic_Prof_Ini},
                                 {&t2.Plan_Ini, tv.Plan_Ini},
                                 {&t2.Plan_Final, tv.Plan_Final},
                                 {&proj, tv.Pic_Prof_Proj}})
            e.push_back(taille.largeur / v->repere.largeur / (taille.hauteur / v->repere.hauteur));
        return e;
    };
    const std::vector<double> ouverture = echelles({});
    const std::vector<double> agrandie = echelles({{900, 300}, {500, 250}, {500, 250}, {900, 160}});
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_NEAR(agrandie[k] / ouverture[k], 1, 1e-12) << k;
}

// Properties on random panels: a refusal leaves the model exactly as it was;
// otherwise every number is finite. The same airfoil, chord and height at both
// ends make a prism, whose projected profiles are its section; lengths scaled by
// k scale the profiles; heights raised by h raise them.
TEST(Geometrie, ProprietesSurDesPanneauxAuHasard) {
    std::mt19937 alea(20261207);
    // Three decimals, so that the typed fields hold the values exactly.
    auto u = [&](double a, double b) {
        return std::round(std::uniform_real_distribution<double>(a, b)(alea) * 1000) / 1000;
    };
    int acceptes = 0;
    for (int n = 0; n < 400; ++n) {
        const Profil e = Naca(3 + n % 60, u(0.04, 0.2), u(-0.02, 0.06));
        const Profil s = Naca(3 + n % 47, u(0.04, 0.2), u(-0.02, 0.06));
        const double L = u(-50, 1500), F = u(-300, 800), Ce = u(1, 600), He = u(-50, 80),
                     Te = u(-80, 80), Cs = u(1, 600), Hs = u(-50, 80), Ts = u(-80, 80);
        auto m = Panneau(e, s, Texte(L, F, Ce, He, Te, Cs, Hs, Ts));
        const Modele avant = *m;
        Vue v;
        if (!Calculer_Profils_Projetes(*m, v)) {
            ASSERT_TRUE(*m == avant) << n;
            continue;
        }
        ++acceptes;
        for (int i = 1; i <= m->Nb_Pts_Saum_Proj; ++i)
            ASSERT_TRUE(std::isfinite(m->X_Saum_Proj(i) + m->Y_Saum_Proj(i))) << n;
        if (n % 4) continue;
        // A power of two scales every product and sum exactly.
        const double k = std::ldexp(1.0, n % 3 - 1), h = u(-40, 40);
        auto prisme = Panneau(e, e, Texte(L, F, Ce, He, 0, Ce, He, 0));
        auto echelle = Panneau(e, s, Texte(k * L, k * F, k * Ce, k * He, Te, k * Cs, k * Hs, Ts));
        auto haut = Panneau(e, s, Texte(L, F, Ce, He + h, Te, Cs, Hs + h, Ts));
        ASSERT_TRUE(Calculer_Profils_Projetes(*prisme, v) &&
                    Calculer_Profils_Projetes(*echelle, v) && Calculer_Profils_Projetes(*haut, v));
        for (int j = 1; j <= prisme->Nb_Pts_Saum; ++j)
            EXPECT_NEAR(prisme->Y_Saum_Proj(j + 1), prisme->Y_Saum_Rot(j), 1e-9 * Ce);
        ASSERT_EQ(echelle->Nb_Pts_Saum_Proj, m->Nb_Pts_Saum_Proj);
        for (int i = 1; i <= m->Nb_Pts_Saum_Proj; ++i) {
            EXPECT_EQ(echelle->X_Saum_Proj(i), k * m->X_Saum_Proj(i));
            EXPECT_EQ(echelle->Y_Saum_Proj(i), k * m->Y_Saum_Proj(i));
            EXPECT_NEAR(haut->Y_Saum_Proj(i), m->Y_Saum_Proj(i) + h, 1e-9 * (Ce + Cs + F));
        }
    }
    EXPECT_GT(acceptes, 200);
}

} // namespace
} // namespace ortix::essais

namespace ortix::essais {
namespace {

// The distance from q to the segment ab.
double Distance(double qx, double qy, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay, l2 = dx * dx + dy * dy;
    const double t = l2 > 0 ? std::clamp(((qx - ax) * dx + (qy - ay) * dy) / l2, 0.0, 1.0) : 0;
    return std::hypot(qx - ax - t * dx, qy - ay - t * dy);
}

// A reduced airfoil is a subset of its own points, in order, ends and leading
// edge kept, and stays close to the whole; a panel whose projected tip would
// exceed 1000 points fits at the count proposed, and not at one more.
TEST(Reduction, SousEnsembleFideleEtLePlusGrandQuiTienne) {
    const Profil naca = Naca(500, 0.12, 0.04);
    Profil creux; // its upper surface kept at one point in 50: fewer than its share
    for (int i = 0; i < naca.n; ++i)
        if (i % 50 == 0 || i >= 499) {
            creux.x[std::size_t(creux.n)] = naca.x[std::size_t(i)];
            creux.y[std::size_t(creux.n++)] = naca.y[std::size_t(i)];
        }
    for (const auto& [p, n] :
         {std::pair{naca, 30}, {naca, 120}, {naca, 400}, {creux, 30}, {creux, 400}}) {
        const Profil r = Reduire_Profil(p, n);
        ASSERT_EQ(r.n, n);
        std::size_t j = 0;
        for (int k = 0; k < r.n; ++k, ++j) { // each kept point a later one of the original's
            while (j < std::size_t(p.n) &&
                   (p.x[j] != r.x[std::size_t(k)] || p.y[j] != r.y[std::size_t(k)]))
                ++j;
            ASSERT_LT(j, std::size_t(p.n)) << n << " " << k;
        }
        EXPECT_EQ(r.x[std::size_t(r.n - 1)], p.x[std::size_t(p.n - 1)]);
        EXPECT_EQ(*std::min_element(r.x.begin(), r.x.begin() + r.n), 0.0); // the leading edge
        double ecart = 0;
        for (int i = 0; i < p.n; ++i) {
            double d = 1;
            for (int k = 1; k < r.n; ++k)
                d = std::min(d, Distance(p.x[std::size_t(i)], p.y[std::size_t(i)],
                                         r.x[std::size_t(k - 1)], r.y[std::size_t(k - 1)],
                                         r.x[std::size_t(k)], r.y[std::size_t(k)]));
            ecart = std::max(ecart, d);
        }
        EXPECT_LT(ecart, 2.0 / (n * n)) << n; // chord units
    }
    for (const char* projet : {"lots/projets/c316.ortix", "lots/projets/r043.ortix"}) {
        auto p = std::make_unique<fichiers::Projet>();
        auto m = std::make_unique<Modele>();
        ASSERT_TRUE(fichiers::Lire_Projet(Donnee(projet), *p).ok());
        fichiers::Appliquer_Projet(*m, *p);
        Rafraichir_Panneau(*m);
        Vue v;
        ASSERT_FALSE(Calculer_Profils_Projetes(*m, v).ok());
        Reduction r;
        ASSERT_TRUE(Proposer_Reduction(*m, r).ok()) << projet;
        for (const int n : {r.N, r.N + 1}) {
            auto essai = std::make_unique<Modele>(*m);
            Poser_Profil(*essai, Extremite::Emplanture, Reduire_Profil(p->empl, n));
            Poser_Profil(*essai, Extremite::Saumon, Reduire_Profil(p->saum, n));
            Rafraichir_Panneau(*essai);
            EXPECT_EQ(Calculer_Profils_Projetes(*essai, v).ok(), n == r.N) << projet << " " << n;
        }
    }
}

} // namespace
} // namespace ortix::essais
