#include "model/Nombres.h"
#include "geometry/Primitives.h"
#include "geometry/Planforme.h"
#include "geometry/Projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace ortix {
namespace {

// ---- helpers ----------------------------------------------------------------

struct Points {
    std::vector<double> x, y;
    int n() const { return static_cast<int>(x.size()); }
};

// The few airfoils of the test data: an optional title line, then X Y pairs.
Points lireProfil(const std::string& nom) {
    std::ifstream f(std::string(ORTIX_TEST_DATA) + "/" + nom);
    EXPECT_TRUE(f) << nom;
    Points p;
    std::string ligne;
    while (std::getline(f, ligne)) {
        const char* debut = ligne.c_str();
        char* fin = nullptr;
        const double x = std::strtod(debut, &fin);
        if (fin == debut) continue; // the title
        const char* suite = fin;
        const double y = std::strtod(suite, &fin);
        if (fin == suite) continue;
        p.x.push_back(x);
        p.y.push_back(y);
    }
    return p;
}

void poser(Modele& m, Extremite e, const Points& p) {
    auto profil = std::make_unique<Profil>();
    profil->n = p.n();
    for (int i = 0; i < p.n(); ++i) {
        profil->x[static_cast<std::size_t>(i)] = p.x[static_cast<std::size_t>(i)];
        profil->y[static_cast<std::size_t>(i)] = p.y[static_cast<std::size_t>(i)];
    }
    Poser_Profil(m, e, *profil);
}

// The sections in the panel frame, placed by the refresh itself.
void remplir3D(Modele& m) { Trace_Profil_Ini(m); }

std::unique_ptr<Modele> panneau(const Points& empl, const Points& saum, const Champs& c) {
    auto m = std::make_unique<Modele>();
    m->champs = c;
    poser(*m, Extremite::Emplanture, empl);
    poser(*m, Extremite::Saumon, saum);
    remplir3D(*m);
    return m;
}

Champs champs(double L, double F, double Ce, double He, double Te, double Cs, double Hs,
              double Ts) {
    Champs c;
    c.Txt_Long = Format(L, "#0.000000");
    c.txt_fleche = Format(F, "#0.000000");
    c.txt_corde_empl = Format(Ce, "#0.000000");
    c.txt_href_empl = Format(He, "#0.000000");
    c.txt_vril_empl2 = Format(Te, "#0.000000");
    c.txt_corde_saum = Format(Cs, "#0.000000");
    c.txt_href_saum = Format(Hs, "#0.000000");
    c.txt_vril_saum2 = Format(Ts, "#0.000000");
    return c;
}

// A cambered airfoil of two surfaces of n points each, sharing the leading edge:
// trailing edge, upper surface, leading edge, lower surface, trailing edge (the
// last at abscissa `xFin`).
Points profilNaca(int n, double epaisseur, double cambrure, double xFin = 1.0) {
    Points p;
    const double pi = 4 * std::atan(1.0);
    auto demi = [&](double x) {
        return 5 * epaisseur *
               (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x -
                0.1036 * x * x * x * x);
    };
    auto ligne = [&](double x) { return 4 * cambrure * x * (1 - x); };
    for (int i = 0; i < n; ++i) { // 1 down to 0
        const double x = (1 + std::cos(pi * i / (n - 1))) / 2;
        p.x.push_back(x);
        p.y.push_back(ligne(x) + demi(x));
    }
    for (int i = n - 2; i >= 0; --i) { // back to 1
        const double x = (1 + std::cos(pi * i / (n - 1))) / 2 * (i == 0 ? xFin : 1.0);
        p.x.push_back(x);
        p.y.push_back(ligne(x) - demi(x));
    }
    return p;
}

// The nine-point airfoil of the hand-worked cases: trailing edge, upper surface,
// leading edge, lower surface, trailing edge.
Points profilNeuf(double xDernier = 1.0) {
    return {{1, 0.75, 0.5, 0.25, 0, 0.25, 0.5, 0.75, xDernier},
            {0, 0.02, 0.03, 0.02, 0, -0.02, -0.03, -0.02, 0}};
}

std::vector<double> abscissesEmpl(const Modele& m) {
    return {m.X_Empl_Proj.data(), m.X_Empl_Proj.data() + m.Nb_Pts_Empl_Proj};
}

const double Sentinelle = -12345.678;

void marquer(Modele& m) {
    for (int i = 1; i <= Capacite; ++i) {
        m.X_Empl_Proj(i) = m.Y_Empl_Proj(i) = m.X_Saum_Proj(i) = m.Y_Saum_Proj(i) = Sentinelle;
        m.X_Empl_Rot(i) = m.X_Saum_Rot(i) = m.Z_Saum_Rot(i) = Sentinelle;
    }
}

// ---- hand-worked panel ---------------------------------------------------------

// No sweep, root chord 100 at height 0, tip chord 60 at height 10, length 200:
// every section point keeps its coordinates in the rotated frame.
std::unique_ptr<Modele> panneauNeuf(double Cs = 60, double xDernierSaumon = 1.0) {
    return panneau(profilNeuf(), profilNeuf(xDernierSaumon), champs(200, 0, 100, 0, 0, Cs, 10, 0));
}

TEST(Bt_Calc_Click, PanneauCalculeALaMain) {
    auto m = panneauNeuf();
    const ResultatCalcul r = Bt_Calc_Click(*m);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(m->finals.Txt_Href_Empl_final, "0.00");
    EXPECT_EQ(m->finals.Txt_Href_Saum_final, "10.00");
    EXPECT_EQ(m->finals.Txt_Vrill_Empl_Final, "0.00");
    EXPECT_EQ(m->finals.Txt_Vrill_Saum_Final, "0.00");
    EXPECT_TRUE(m->boutons.Bt_Sauve_Prof);

    // Root: the section itself, point for point.
    const double xE[] = {-100, -75, -50, -25, 0, -25, -50, -75, -100};
    const double yE[] = {0, 2, 3, 2, 0, -2, -3, -2, 0};
    ASSERT_EQ(m->Nb_Pts_Empl_Proj, 9);
    for (int i = 1; i <= 9; ++i) {
        EXPECT_EQ(m->X_Empl_Proj(i), xE[i - 1]) << i;
        EXPECT_NEAR(m->Y_Empl_Proj(i), yE[i - 1], 1e-12) << i;
    }
    // Tip: the opening point on the facet through (−100, 0, 0), (−75, 2, 0) and
    // (−60, 10, 200); root point 2 carried along its line to the trailing-edge line
    // and on to the tip plane; the tip's own nine points; root point 8 likewise;
    // the closing point on the facet of (−100, 0, 0), (−75, −2, 0), (−60, 10, 200).
    const double xS[] = {-100, -75, -60, -45, -30, -15, 0, -15, -30, -45, -60, -75, -100};
    const double yS[] = {6.8, 8.8, 10, 11.2, 11.8, 11.2, 10, 8.8, 8.2, 8.8, 10, 11.2, 13.2};
    ASSERT_EQ(m->Nb_Pts_Saum_Proj, 13);
    for (int i = 1; i <= 13; ++i) {
        EXPECT_EQ(m->X_Saum_Proj(i), xS[i - 1]) << i;
        EXPECT_NEAR(m->Y_Saum_Proj(i), yS[i - 1], 1e-12) << i;
    }

    // The view: W = 100 (the width beats four times the height 16.2).
    const Vue& v = r.Pic_Prof_Proj;
    EXPECT_TRUE(v.valide);
    EXPECT_DOUBLE_EQ(v.repere.largeur, -110);
    EXPECT_NEAR(v.repere.gauche, 5, 1e-12);
    EXPECT_DOUBLE_EQ(v.repere.hauteur, -27.5);
    EXPECT_DOUBLE_EQ(v.repere.haut, 18.85);
    ASSERT_EQ(v.formes.size(), 2u);
    EXPECT_EQ(v.formes[0].nom, "Line2");
    EXPECT_EQ(v.formes[1].nom, "Line1");
    for (const Forme& f : v.formes) {
        EXPECT_EQ(f.couleur, CouleurTexte);
        EXPECT_EQ(f.largeur, 1);
        EXPECT_EQ(f.trait, Trait::TiretPoint);
    }
    EXPECT_DOUBLE_EQ(v.formes[0].a.x, 2.5);
    EXPECT_DOUBLE_EQ(v.formes[0].b.x, -102.5);
    EXPECT_EQ(v.formes[0].a.y, 0);
    EXPECT_EQ(v.formes[1].a.x, 0);
    EXPECT_DOUBLE_EQ(v.formes[1].a.y, -3.625);
    EXPECT_DOUBLE_EQ(v.formes[1].b.y, 13.825);
    ASSERT_EQ(v.segments.size(), 8u + 12u);
    EXPECT_EQ(v.segments[0].couleur, Bleu);
    EXPECT_EQ(v.segments[7].couleur, Bleu);
    EXPECT_EQ(v.segments[8].couleur, Vert);
    EXPECT_EQ(v.segments[0].a, (Point2{-100, 0}));
    EXPECT_NEAR(v.segments[8].a.y, 6.8, 1e-12);
    EXPECT_EQ(v.segments[19].b.x, -100); // not closed: ends on the last point
}

TEST(Bt_Calc_Click, ZonesDeBordDeFuiteSelonLesAbscisses) {
    // With no sweep the rotated abscissae are −100·x at the root, −Cs·x at the tip:
    // xB = −Cs·(tip's first x), xB′ = −Cs·(tip's last x).
    struct Cas {
        const char* nom;
        double Cs, xDernierSaumon;
        std::vector<double> xEmpl; // abscissae of the projected root profile
        int nSaum;
    };
    const std::vector<Cas> cas = {
        {"xB = xB′", 60, 1.0, {-100, -75, -50, -25, 0, -25, -50, -75, -100}, 13},
        // Root point 7 (−50) lies between xB = −60 and xB′ = −48: appended twice.
        {"xB′ > xB", 60, 0.8, {-100, -75, -50, -25, 0, -25, -50, -50, -75, -100}, 14},
        // Root point 8 (−75) lies between xB′ = −78 and xB = −60: appended by neither.
        {"xB′ < xB", 60, 1.3, {-100, -75, -50, -25, 0, -25, -50, -100}, 12},
        // Root points 3 and 7 lie exactly at xB = xB′ = −50: appended by no step.
        {"point à xB", 50, 1.0, {-100, -75, -25, 0, -25, -75, -100}, 13},
        // No taper: the tip's trailing edge at the root's, no trailing-edge zone.
        {"sans effilement", 100, 1.0, {-100, -75, -50, -25, 0, -25, -50, -75, -100}, 11},
    };
    for (const Cas& c : cas) {
        auto m = panneauNeuf(c.Cs, c.xDernierSaumon);
        const ResultatCalcul r = Bt_Calc_Click(*m);
        ASSERT_TRUE(r.ok) << c.nom << " : " << r.message;
        EXPECT_EQ(abscissesEmpl(*m), c.xEmpl) << c.nom;
        EXPECT_EQ(m->Nb_Pts_Saum_Proj, c.nSaum) << c.nom;
        EXPECT_EQ(m->X_Saum_Proj(1), -100) << c.nom;
        EXPECT_EQ(m->X_Saum_Proj(m->Nb_Pts_Saum_Proj), -100) << c.nom;
    }
}

TEST(Bt_Calc_Click, SansEffilementLeSaumonSuitLesPointsDOuverture) {
    // Ce = Cs with a sweep: the tip's first and last points come right after the
    // opening point and right before the closing point, at the same abscissa.
    const Points p = lireProfil("rg15.dat");
    auto m = panneau(p, p, champs(500, 220, 250, 15, 1.5, 250, 35, -2));
    const ResultatCalcul r = Bt_Calc_Click(*m);
    ASSERT_TRUE(r.ok) << r.message;
    const int Ns = m->Nb_Pts_Saum, k = m->Nb_Pts_Saum_Proj;
    ASSERT_EQ(k, Ns + 2);
    EXPECT_NEAR(m->X_Saum_Proj(2), m->X_Saum_Proj(1), 1e-9);
    EXPECT_EQ(m->X_Saum_Proj(2), m->X_Saum_Rot(1));
    EXPECT_NEAR(m->Y_Saum_Proj(2), m->Y_Saum_Rot(1), 1e-9);
    EXPECT_EQ(m->X_Saum_Proj(k - 1), m->X_Saum_Rot(Ns));
    EXPECT_NEAR(m->X_Saum_Proj(k - 1), m->X_Saum_Proj(k), 1e-9);
}

TEST(Bt_Calc_Click, SansFlecheLeProfilDEmplantureEstLaSection) {
    for (const char* nomEmpl : {"clarky.dat", "e205.dat", "n0009sm.dat", "rg15.dat"}) {
        for (const char* nomSaum : {"clarky.dat", "n0009sm.dat", "rg15.dat"}) {
            const Points e = lireProfil(nomEmpl), s = lireProfil(nomSaum);
            auto m = panneau(e, s, champs(600, 0, 400, 20, 1, 137, 35, -2));
            const ResultatCalcul r = Bt_Calc_Click(*m);
            ASSERT_TRUE(r.ok) << nomEmpl << '/' << nomSaum << " : " << r.message;
            ASSERT_EQ(m->Nb_Pts_Empl_Proj, m->Nb_Pts_Empl) << nomEmpl << '/' << nomSaum;
            for (int i = 1; i <= m->Nb_Pts_Empl; ++i) {
                EXPECT_EQ(m->X_Empl_Proj(i), m->X_Empl_3D(i)) << nomEmpl << ' ' << i;
                EXPECT_EQ(m->Y_Empl_Proj(i), m->Y_Empl_3D(i)) << nomEmpl << ' ' << i;
            }
            // The tip section itself, lengthened aft at both ends to the root chord.
            const int Ns = m->Nb_Pts_Saum, k = m->Nb_Pts_Saum_Proj;
            int debut = 1;
            while (m->X_Saum_Proj(debut + 1) != m->X_Saum_3D(1)) ++debut;
            ASSERT_LE(debut + Ns, k);
            for (int j = 1; j <= Ns; ++j) {
                EXPECT_EQ(m->X_Saum_Proj(debut + j), m->X_Saum_3D(j));
                EXPECT_NEAR(m->Y_Saum_Proj(debut + j), m->Y_Saum_3D(j), 1e-9);
            }
            EXPECT_EQ(m->X_Saum_Proj(1), -400 * e.x.front());
            EXPECT_EQ(m->X_Saum_Proj(k), -400 * e.x.back());
        }
    }
}

TEST(Bt_Calc_Click, ChampsInitiaux) {
    const Points p = lireProfil("rg15.dat");
    auto m = panneau(p, p, Champs{});
    const ResultatCalcul r = Bt_Calc_Click(*m);
    ASSERT_TRUE(r.ok) << r.message;
    const double a = std::atan(0.875);
    EXPECT_NEAR(a * 180 / (4 * std::atan(1.0)), 41.19, 0.005);
    EXPECT_NEAR(m->X_Saum_Rot(1), -75.26, 0.005);
    EXPECT_NEAR(m->X_Empl_Rot(1), -301.03, 0.005);
    EXPECT_NEAR(m->X_Saum_Rot(1) / m->X_Empl_Rot(1), 100.0 / 400.0, 1e-12);
    EXPECT_NEAR(m->Z_Saum_Rot(1), 597.36, 0.005);
    int bordAttaque = 1;
    while (p.x[static_cast<std::size_t>(bordAttaque - 1)] != 0) ++bordAttaque;
    EXPECT_NEAR(m->Z_Saum_Rot(bordAttaque), 531.51, 0.005);
    EXPECT_NEAR(m->X_Saum_Rot(bordAttaque), 0, 1e-12);

    // Every root point aft of the quarter chord falls into a trailing-edge zone,
    // every one ahead of it is carried to the tip section: Ne points in all.
    int aft = 0;
    for (int i = 2; i < p.n(); ++i) {
        const double x = p.x[static_cast<std::size_t>(i - 1)];
        ASSERT_GT(std::abs(x - 0.25), 1e-6);
        if (x > 0.25) ++aft;
    }
    EXPECT_EQ(m->Nb_Pts_Empl_Proj, p.n());
    EXPECT_EQ(m->Nb_Pts_Saum_Proj, 2 + aft + p.n());
    EXPECT_EQ(m->finals.Txt_Href_Empl_final, "20.00");
    EXPECT_EQ(m->finals.Txt_Href_Saum_final, "20.00");
    EXPECT_EQ(m->finals.Txt_Vrill_Empl_Final, "0.00");
    EXPECT_EQ(m->finals.Txt_Vrill_Saum_Final, "0.00");
}

TEST(Bt_Calc_Click, ExemplesDesChiffresFinaux) {
    struct Cas {
        Champs champs;
        const char *he, *hs, *te, *ts;
    };
    const Cas cas[] = {
        {champs(400, 350, 400, 20, 0, 100, 40, 0), "20.00", "42.48", "1.89", "1.89"},
        {champs(400, 350, 400, 20, 2, 100, 20, -1), "20.00", "20.00", "3.15", "-1.33"},
        {champs(400, 0, 400, 20, 2, 100, 20, -1), "20.00", "20.00", "2.00", "-1.00"},
    };
    const Points p = lireProfil("clarky.dat");
    for (const Cas& c : cas) {
        auto m = panneau(p, p, c.champs);
        ASSERT_TRUE(Bt_Calc_Click(*m).ok);
        EXPECT_EQ(m->finals.Txt_Href_Empl_final, c.he);
        EXPECT_EQ(m->finals.Txt_Href_Saum_final, c.hs);
        EXPECT_EQ(m->finals.Txt_Vrill_Empl_Final, c.te);
        EXPECT_EQ(m->finals.Txt_Vrill_Saum_Final, c.ts);
    }
}

// ---- refusals -------------------------------------------------------------------

struct CasRefus {
    const char* nom;
    void (*preparer)(Modele&);
    const char* debutMessage;
};

void pointsEmpl(Modele& m, const Points& p) {
    poser(m, Extremite::Emplanture, p);
    remplir3D(m);
}

void pointsSaum(Modele& m, const Points& p) {
    poser(m, Extremite::Saumon, p);
    remplir3D(m);
}

TEST(Bt_Calc_Click, RefusLaisseLeModeleExactementCommeAvant) {
    const CasRefus cas[] = {
        {"longueur nulle", [](Modele& m) { m.champs.Txt_Long = "0"; },
         "Longueur nulle : la rotation ne peut pas être calculée."},
        {"emplanture de deux points",
         [](Modele& m) { pointsEmpl(m, {{1, 0}, {0, 0}}); }, "Le profil d'emplanture n'a que 2"},
        {"saumon d'un point", [](Modele& m) { pointsSaum(m, {{1}, {0}}); },
         "Le profil du saumon n'a que 1"},
        {"compteur hors capacité", [](Modele& m) { m.Nb_Pts_Saum = 1001; },
         "Le profil du saumon a plus de 1000 points (1001)."},
        {"bord de fuite épais à l'ouverture",
         [](Modele& m) { pointsEmpl(m, {{1, 1, 0, 1}, {0.01, 0.02, 0, -0.01}}); },
         "La facette de bord de fuite formée par les deux premiers points"},
        {"bord de fuite épais à la fermeture",
         [](Modele& m) { pointsEmpl(m, {{1, 0, 1, 1}, {0.01, 0, -0.02, -0.01}}); },
         "La facette de bord de fuite formée par les deux derniers points"},
        {"corde d'emplanture nulle",
         [](Modele& m) {
             m.champs.txt_corde_empl = "0";
             remplir3D(m);
         },
         "Le bord de fuite projeté de l'emplanture"},
        {"saumon de 999 points", [](Modele& m) { pointsSaum(m, profilNaca(500, 0.1, 0.02)); },
         "Le profil projeté du saumon aurait plus de 1000 points ("},
        {"emplanture comptée deux fois",
         [](Modele& m) {
             pointsEmpl(m, profilNaca(500, 0.1, 0.02));
             pointsSaum(m, profilNaca(60, 0.1, 0.02, 0.3));
         },
         "Le profil projeté de l'emplanture aurait plus de 1000 points ("},
        {"hauteur démesurée",
         [](Modele& m) {
             m.champs.txt_href_empl = "1e308";
             remplir3D(m);
         },
         "Le profil projeté de l'emplanture a une valeur non numérique"},
        {"section non numérique",
         [](Modele& m) { m.Y_Saum_3D(3) = std::numeric_limits<double>::infinity(); },
         "La section du saumon tournée a une valeur non numérique (point 3)"},
    };
    const Points p = lireProfil("e205.dat");
    for (const CasRefus& c : cas) {
        // A model holding an earlier result, which a refusal must leave in place.
        auto m = panneau(p, p, Champs{});
        ASSERT_TRUE(Bt_Calc_Click(*m).ok);
        m->champs.txt_fleche = "410";
        remplir3D(*m);
        m->boutons.Bt_Sauve_Prof = false;
        c.preparer(*m);
        auto avant = std::make_unique<Modele>(*m);
        const ResultatCalcul r = Bt_Calc_Click(*m);
        EXPECT_FALSE(r.ok) << c.nom;
        EXPECT_EQ(r.message.rfind(c.debutMessage, 0), 0u) << c.nom << " : " << r.message;
        EXPECT_TRUE(*m == *avant) << c.nom;
        EXPECT_FALSE(r.Pic_Prof_Proj.valide) << c.nom;
    }
}

TEST(Bt_Calc_Click, LeRefusDeCapaciteDonneLeCompteEntier) {
    // A tip of 999 points: 2 + 999 tip points + the trailing-edge zones.
    const Points e = lireProfil("rg15.dat");
    auto m = panneau(e, profilNaca(500, 0.1, 0.02), Champs{});
    const ResultatCalcul r = Bt_Calc_Click(*m);
    ASSERT_FALSE(r.ok);
    const std::size_t ouvre = r.message.find('(');
    ASSERT_NE(ouvre, std::string::npos) << r.message;
    const int compte = std::atoi(r.message.c_str() + ouvre + 1);
    int aft = 0; // root points aft of the quarter chord, on either surface
    for (int i = 2; i < e.n(); ++i)
        if (e.x[static_cast<std::size_t>(i - 1)] > 0.25) ++aft;
    EXPECT_EQ(compte, 2 + aft + 999);
}

// ---- properties on many panels ----------------------------------------------------

// The X sequence the order of the points gives: the opening point, the root
// points aft of xB from point 2 on, then the root points ahead of xB (root
// profile) or every tip point (tip profile), then the second-surface root points
// aft of xB′, then the closing point.
std::vector<double> ordreAttendu(const Modele& m, bool saumon) {
    const int Ne = m.Nb_Pts_Empl, Ns = m.Nb_Pts_Saum;
    const double xB = m.X_Saum_Rot(1), xB2 = m.X_Saum_Rot(Ns);
    std::vector<double> x{m.X_Empl_Rot(1)};
    for (int i = 2; i <= Ne && m.X_Empl_Rot(i) < xB; ++i) x.push_back(m.X_Empl_Rot(i));
    if (saumon)
        for (int j = 1; j <= Ns; ++j) x.push_back(m.X_Saum_Rot(j));
    else
        for (int i = 1; i <= Ne; ++i)
            if (m.X_Empl_Rot(i) > xB) x.push_back(m.X_Empl_Rot(i));
    for (int i = 2; i <= Ne - 1; ++i)
        if (m.X_Empl_Rot(i) < xB2 && m.X_Empl_Rot(i) < m.X_Empl_Rot(i - 1))
            x.push_back(m.X_Empl_Rot(i));
    x.push_back(m.X_Empl_Rot(Ne));
    return x;
}

void verifierResultat(const Modele& m, const Modele& avant, const ResultatCalcul& r,
                      const std::string& cas) {
    ASSERT_TRUE(r.ok) << cas << " : " << r.message;
    const int Ne = m.Nb_Pts_Empl, Ns = m.Nb_Pts_Saum;
    const int kE = m.Nb_Pts_Empl_Proj, kS = m.Nb_Pts_Saum_Proj;
    ASSERT_TRUE(kE >= 2 && kE <= Capacite && kS >= 2 && kS <= Capacite) << cas;

    // The rotation, point for point, and nothing written past the sections.
    const double a = std::atan(Val(m.champs.txt_fleche) / Val(m.champs.Txt_Long));
    for (int i = 1; i <= Ne; ++i) {
        double x, y, z;
        Rotation_Y(m.X_Empl_3D(i), m.Y_Empl_3D(i), m.Z_Empl_3D(i), x, y, z, a);
        ASSERT_TRUE(x == m.X_Empl_Rot(i) && y == m.Y_Empl_Rot(i) && z == m.Z_Empl_Rot(i))
            << cas << " point " << i;
    }
    for (int j = 1; j <= Ns; ++j) {
        double x, y, z;
        Rotation_Y(m.X_Saum_3D(j), m.Y_Saum_3D(j), m.Z_Saum_3D(j), x, y, z, a);
        ASSERT_TRUE(x == m.X_Saum_Rot(j) && y == m.Y_Saum_Rot(j) && z == m.Z_Saum_Rot(j))
            << cas << " point " << j;
    }
    for (int i = Ne + 1; i <= Capacite; ++i) ASSERT_EQ(m.X_Empl_Rot(i), avant.X_Empl_Rot(i));
    for (int i = Ns + 1; i <= Capacite; ++i) ASSERT_EQ(m.Z_Saum_Rot(i), avant.Z_Saum_Rot(i));

    // The order of the points and their number.
    const std::vector<double> xE = ordreAttendu(m, false), xS = ordreAttendu(m, true);
    ASSERT_EQ(kE, static_cast<int>(xE.size())) << cas;
    ASSERT_EQ(kS, static_cast<int>(xS.size())) << cas;
    for (int i = 1; i <= kE; ++i) ASSERT_EQ(m.X_Empl_Proj(i), xE[std::size_t(i - 1)]) << cas;
    for (int i = 1; i <= kS; ++i) ASSERT_EQ(m.X_Saum_Proj(i), xS[std::size_t(i - 1)]) << cas;

    // Both profiles run from the root's first abscissa to its last.
    EXPECT_EQ(m.X_Empl_Proj(1), m.X_Empl_Rot(1));
    EXPECT_EQ(m.X_Saum_Proj(1), m.X_Empl_Rot(1));
    EXPECT_EQ(m.X_Empl_Proj(kE), m.X_Empl_Rot(Ne));
    EXPECT_EQ(m.X_Saum_Proj(kS), m.X_Empl_Rot(Ne));

    for (int i = 1; i <= kE; ++i) ASSERT_TRUE(std::isfinite(m.Y_Empl_Proj(i))) << cas;
    for (int i = 1; i <= kS; ++i) ASSERT_TRUE(std::isfinite(m.Y_Saum_Proj(i))) << cas;
    for (int i = kE + 1; i <= Capacite; ++i) ASSERT_EQ(m.Y_Empl_Proj(i), avant.Y_Empl_Proj(i));
    for (int i = kS + 1; i <= Capacite; ++i) ASSERT_EQ(m.X_Saum_Proj(i), avant.X_Saum_Proj(i));

    for (const std::string* t :
         {&m.finals.Txt_Href_Empl_final, &m.finals.Txt_Href_Saum_final,
          &m.finals.Txt_Vrill_Empl_Final, &m.finals.Txt_Vrill_Saum_Final})
        EXPECT_EQ(Format(Val(*t), "#0.00"), *t) << cas;
    EXPECT_TRUE(m.boutons.Bt_Sauve_Prof);

    const Vue& v = r.Pic_Prof_Proj;
    EXPECT_TRUE(v.valide) << cas;
    EXPECT_EQ(v.segments.size(), std::size_t(kE - 1 + kS - 1)) << cas;
    for (const Segment& s : v.segments)
        ASSERT_TRUE(std::isfinite(s.a.x) && std::isfinite(s.a.y) && std::isfinite(s.b.x) &&
                    std::isfinite(s.b.y))
            << cas;
}

TEST(Bt_Calc_Click, ProprietesSurDesPanneauxAuHasard) {
    std::mt19937 alea(20240607);
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(alea); };
    auto entier = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(alea); };
    for (int n = 0; n < 300; ++n) {
        const Points e = profilNaca(entier(3, 150), u(0.04, 0.2), u(-0.02, 0.06),
                                    entier(0, 3) == 0 ? u(0.97, 1.0) : 1.0);
        const Points s = profilNaca(entier(3, 150), u(0.04, 0.2), u(-0.02, 0.06),
                                    entier(0, 3) == 0 ? u(0.97, 1.03) : 1.0);
        const Champs c = champs(u(50, 1500), entier(0, 5) == 0 ? 0.0 : u(-300, 800),
                                u(50, 600), u(-50, 80), u(-8, 8), u(20, 600), u(-50, 80),
                                u(-8, 8));
        auto m = panneau(e, s, c);
        marquer(*m);
        auto avant = std::make_unique<Modele>(*m);
        const ResultatCalcul r = Bt_Calc_Click(*m);
        verifierResultat(*m, *avant, r, "panneau " + std::to_string(n));
        if (HasFatalFailure()) return;
    }
}

TEST(Bt_Calc_Click, ProprietesSurLesProfilsReels) {
    const char* noms[] = {"clarky.dat", "e205.dat", "n0009sm.dat", "rg15.dat"};
    const Champs panneaux[] = {Champs{}, champs(800, -150, 300, 10, -2, 320, 60, 3),
                               champs(350, 600, 500, -20, 4, 90, 25, -6)};
    for (const char* ne : noms)
        for (const char* ns : noms)
            for (const Champs& c : panneaux) {
                auto m = panneau(lireProfil(ne), lireProfil(ns), c);
                marquer(*m);
                auto avant = std::make_unique<Modele>(*m);
                const ResultatCalcul r = Bt_Calc_Click(*m);
                verifierResultat(*m, *avant, r, std::string(ne) + "/" + ns);
                if (HasFatalFailure()) return;
            }
}

// Whatever the fields and the points: either a sound result or a refusal that
// leaves the model as it was.
TEST(Bt_Calc_Click, EntreesExtremesResultatSainOuRefus) {
    const char* valeurs[] = {"0", "-0", "1", "-1", "400", "-350", "1e308", "-1e308",
                             "1e-320", "abc", "0.001", "1e154", "90", "-90", "180"};
    std::mt19937 alea(99);
    auto choix = [&]() { return valeurs[std::uniform_int_distribution<int>(0, 14)(alea)]; };
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(alea); };
    int acceptes = 0, refuses = 0;
    for (int n = 0; n < 3000; ++n) {
        Champs c;
        for (std::string* t : {&c.Txt_Long, &c.txt_fleche, &c.txt_corde_empl, &c.txt_href_empl,
                               &c.txt_vril_empl2, &c.txt_corde_saum, &c.txt_href_saum,
                               &c.txt_vril_saum2})
            if (u(0, 1) < 0.3) *t = choix();
        Points e, s;
        for (Points* p : {&e, &s}) {
            const int k = std::uniform_int_distribution<int>(1, 8)(alea);
            for (int i = 0; i < k; ++i) {
                // Repeated abscissae and points off the unit chord on purpose.
                p->x.push_back(u(0, 1) < 0.2 ? 1.0 : std::round(u(-0.2, 1.2) * 4) / 4);
                p->y.push_back(u(-0.1, 0.1));
            }
        }
        auto m = panneau(e, s, c);
        auto avant = std::make_unique<Modele>(*m);
        const ResultatCalcul r = Bt_Calc_Click(*m);
        if (!r.ok) {
            ++refuses;
            ASSERT_FALSE(r.message.empty());
            ASSERT_TRUE(*m == *avant) << n << " : " << r.message;
            continue;
        }
        ++acceptes;
        ASSERT_TRUE(m->Nb_Pts_Empl_Proj >= 2 && m->Nb_Pts_Empl_Proj <= Capacite);
        ASSERT_TRUE(m->Nb_Pts_Saum_Proj >= 2 && m->Nb_Pts_Saum_Proj <= Capacite);
        for (int i = 1; i <= m->Nb_Pts_Empl_Proj; ++i)
            ASSERT_TRUE(std::isfinite(m->X_Empl_Proj(i)) && std::isfinite(m->Y_Empl_Proj(i)));
        for (int i = 1; i <= m->Nb_Pts_Saum_Proj; ++i)
            ASSERT_TRUE(std::isfinite(m->X_Saum_Proj(i)) && std::isfinite(m->Y_Saum_Proj(i)));
        for (const std::string* t :
             {&m->finals.Txt_Href_Empl_final, &m->finals.Txt_Href_Saum_final,
              &m->finals.Txt_Vrill_Empl_Final, &m->finals.Txt_Vrill_Saum_Final})
            ASSERT_TRUE(std::isfinite(Val(*t)) && *t != "---") << *t;
        ASSERT_TRUE(std::isfinite(r.Pic_Prof_Proj.repere.largeur));
    }
    // Both outcomes were met.
    EXPECT_GT(acceptes, 100);
    EXPECT_GT(refuses, 100);
}

// Same airfoil, same chord and same height at both ends: the panel is a prism
// along its leading edge, so every cut across it is the section itself.
TEST(Bt_Calc_Click, PrismeLesProfilsProjetesSontLaSection) {
    std::mt19937 alea(77);
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(alea); };
    for (int n = 0; n < 60; ++n) {
        const Points p = profilNaca(3 + n * 2, u(0.05, 0.18), u(0, 0.05));
        const double C = u(80, 500), H = u(-30, 30);
        auto m = panneau(p, p, champs(u(100, 1200), u(-400, 900), C, H, 0, C, H, 0));
        const ResultatCalcul r = Bt_Calc_Click(*m);
        ASSERT_TRUE(r.ok) << r.message;
        const int Ne = m->Nb_Pts_Empl;
        ASSERT_GE(m->Nb_Pts_Empl_Proj, Ne);
        ASSERT_LE(m->Nb_Pts_Empl_Proj, Ne + 2);
        // Each projected point is the section point it comes from, in root order
        // (the first and last may come twice).
        int i = 1;
        for (int k = 1; k <= m->Nb_Pts_Empl_Proj; ++k) {
            while (i < Ne && m->X_Empl_Rot(i) != m->X_Empl_Proj(k)) ++i;
            ASSERT_EQ(m->X_Empl_Rot(i), m->X_Empl_Proj(k)) << n << ' ' << k;
            EXPECT_NEAR(m->Y_Empl_Proj(k), m->Y_Empl_Rot(i), 1e-9 * C) << n << ' ' << k;
        }
        ASSERT_EQ(m->Nb_Pts_Saum_Proj, m->Nb_Pts_Saum + 2);
        for (int j = 1; j <= m->Nb_Pts_Saum; ++j)
            EXPECT_NEAR(m->Y_Saum_Proj(j + 1), m->Y_Saum_Rot(j), 1e-9 * C) << n << ' ' << j;
        EXPECT_NEAR(m->Y_Saum_Proj(1), m->Y_Empl_Rot(1), 1e-9 * C);
        EXPECT_EQ(m->finals.Txt_Vrill_Saum_Final, "0.00");
    }
}

// Lengths scaled by k: the profiles scale by k, the twists stay. Heights raised
// together by h: the profiles rise by h, abscissae unchanged.
TEST(Bt_Calc_Click, EchelleEtHauteurCommune) {
    const Points e = lireProfil("clarky.dat"), s = lireProfil("e205.dat");
    auto base = panneau(e, s, champs(700, 280, 320, 12, 2.5, 140, 30, -1.5));
    auto echelle = panneau(e, s, champs(1750, 700, 800, 30, 2.5, 350, 75, -1.5));
    auto haut = panneau(e, s, champs(700, 280, 320, 52, 2.5, 140, 70, -1.5));
    ASSERT_TRUE(Bt_Calc_Click(*base).ok);
    ASSERT_TRUE(Bt_Calc_Click(*echelle).ok);
    ASSERT_TRUE(Bt_Calc_Click(*haut).ok);
    ASSERT_EQ(echelle->Nb_Pts_Empl_Proj, base->Nb_Pts_Empl_Proj);
    ASSERT_EQ(echelle->Nb_Pts_Saum_Proj, base->Nb_Pts_Saum_Proj);
    ASSERT_EQ(haut->Nb_Pts_Saum_Proj, base->Nb_Pts_Saum_Proj);
    for (int i = 1; i <= base->Nb_Pts_Empl_Proj; ++i) {
        EXPECT_NEAR(echelle->X_Empl_Proj(i), 2.5 * base->X_Empl_Proj(i), 1e-9);
        EXPECT_NEAR(echelle->Y_Empl_Proj(i), 2.5 * base->Y_Empl_Proj(i), 1e-9);
        EXPECT_EQ(haut->X_Empl_Proj(i), base->X_Empl_Proj(i));
        EXPECT_NEAR(haut->Y_Empl_Proj(i), base->Y_Empl_Proj(i) + 40, 1e-9);
    }
    for (int i = 1; i <= base->Nb_Pts_Saum_Proj; ++i) {
        EXPECT_NEAR(echelle->X_Saum_Proj(i), 2.5 * base->X_Saum_Proj(i), 1e-9);
        EXPECT_NEAR(echelle->Y_Saum_Proj(i), 2.5 * base->Y_Saum_Proj(i), 1e-9);
        EXPECT_NEAR(haut->Y_Saum_Proj(i), base->Y_Saum_Proj(i) + 40, 1e-9);
    }
    EXPECT_EQ(echelle->finals.Txt_Vrill_Empl_Final, base->finals.Txt_Vrill_Empl_Final);
    EXPECT_EQ(echelle->finals.Txt_Vrill_Saum_Final, base->finals.Txt_Vrill_Saum_Final);
    EXPECT_EQ(haut->finals.Txt_Vrill_Saum_Final, base->finals.Txt_Vrill_Saum_Final);
}

// ---- pieces -----------------------------------------------------------------------

TEST(Sens_Var_X, SigneDuSegmentSuivantOuPrecedentAuDernierPoint) {
    const double X[] = {-10, -5, 0, 0, -5, 123};
    const std::int16_t attendu[] = {1, 1, 0, -1, -1};
    for (int n = 1; n <= 5; ++n) EXPECT_EQ(Sens_Var_X(X, 5, n), attendu[n - 1]) << n;
    EXPECT_EQ(Sens_Var_X(X, 3, 3), 1); // the segment ending at the last point
}

TEST(Tracer_Prof_Proj, EchelleSurLaHauteurEtVrillageAffiche) {
    auto m = std::make_unique<Modele>();
    // A thick pair: four times the height (4·20) beats the width (10).
    m->X_Empl_Proj(1) = 0;
    m->Y_Empl_Proj(1) = 5;
    m->X_Empl_Proj(2) = -10;
    m->Y_Empl_Proj(2) = 20;
    m->Nb_Pts_Empl_Proj = 2;
    m->X_Saum_Proj(1) = -10;
    m->Y_Saum_Proj(1) = 8;
    m->X_Saum_Proj(2) = 0;
    m->Y_Saum_Proj(2) = 8;
    m->Nb_Pts_Saum_Proj = 2;
    m->finals.Txt_Href_Empl_final = "0.00";
    m->finals.Txt_Vrill_Empl_Final = "0.00";
    // The tip turned by 90° about (0, 8): its trailing edge at X = −10 drops to Y = −2.
    m->finals.Txt_Href_Saum_final = "8.00";
    m->finals.Txt_Vrill_Saum_Final = "90.00";
    Vue v;
    ASSERT_TRUE(Tracer_Prof_Proj(*m, v));
    ASSERT_EQ(v.segments.size(), 2u);
    EXPECT_NEAR(v.segments[1].a.x, 0, 1e-12);
    EXPECT_NEAR(v.segments[1].a.y, -2, 1e-12);
    EXPECT_EQ(v.segments[1].b, (Point2{0, 8}));
    // Extent X −10..0, Y −2..20: W = 4·22 = 88.
    EXPECT_DOUBLE_EQ(v.repere.largeur, -1.1 * 88);
    EXPECT_DOUBLE_EQ(v.repere.gauche, -5 + 0.55 * 88);
    EXPECT_DOUBLE_EQ(v.repere.hauteur, -1.1 * 88 / 4);
    EXPECT_DOUBLE_EQ(v.repere.haut, 9 + 0.55 * 88 / 4);
    EXPECT_DOUBLE_EQ(v.forme("Line1")->a.y, -2 - 0.025 * 88 / 4);
}

TEST(Tracer_Prof_Proj, LEtendueContientToujoursLOrigine) {
    // Every point above the base line and aft of the leading edge.
    const double X[] = {-50, -40}, Y[] = {30, 31};
    Finals f;
    f.Txt_Href_Empl_final = f.Txt_Href_Saum_final = "30";
    f.Txt_Vrill_Empl_Final = f.Txt_Vrill_Saum_Final = "0";
    Vue v;
    ASSERT_TRUE(Tracer_Prof_Proj(X, Y, 2, X, Y, 0, f, v));
    EXPECT_DOUBLE_EQ(v.forme("Line2")->a.x, 0 + 0.025 * 124);
    EXPECT_DOUBLE_EQ(v.forme("Line2")->b.x, -50 - 0.025 * 124);
    EXPECT_DOUBLE_EQ(v.forme("Line1")->a.y, 0 - 0.025 * 124 / 4);
    EXPECT_EQ(v.segments.size(), 1u);

    // A view that cannot be formed leaves the description as it was.
    const double Xinf[] = {-1e308, 1e308};
    Vue avant = v;
    EXPECT_FALSE(Tracer_Prof_Proj(Xinf, Y, 2, X, Y, 0, f, v));
    EXPECT_EQ(v.repere.largeur, avant.repere.largeur);
    EXPECT_EQ(v.segments.size(), 1u);
}

} // namespace
} // namespace ortix
