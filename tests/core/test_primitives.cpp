#include "geometry/Primitives.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <random>

namespace ortix {
namespace {

TEST(Rotation_Y, AngleNulLaissePointInchange) {
    double x, y, z;
    Rotation_Y(-123.456, 7.5, 250.25, x, y, z, 0.0);
    EXPECT_EQ(x, -123.456);
    EXPECT_EQ(y, 7.5);
    EXPECT_EQ(z, 250.25);
}

TEST(Rotation_Y, AmeneLeBordDAttaqueDuSaumonSurLAxeZ) {
    struct Cas {
        double L, F;
    };
    for (const Cas c : {Cas{400, 350}, Cas{1000, -200}, Cas{50, 600}, Cas{3, 4}}) {
        double x, y, z;
        Rotation_Y(-c.F, 12.0, c.L, x, y, z, std::atan(c.F / c.L));
        EXPECT_NEAR(x, 0.0, 1e-12 * c.L) << c.L << ' ' << c.F;
        EXPECT_EQ(y, 12.0);
        EXPECT_NEAR(z, std::hypot(c.L, c.F), 1e-12 * c.L);
    }
}

TEST(Rotation_Y, QuartDeTour) {
    // c = 0, s = 1: (x, y, z) goes to (z, y, −x).
    double x, y, z;
    Rotation_Y(1, 2, 3, x, y, z, 2 * std::atan(1.0));
    EXPECT_NEAR(x, 3, 1e-15);
    EXPECT_EQ(y, 2);
    EXPECT_NEAR(z, -1, 1e-15);
}

// The trailing-edge line from (−100, 0, 0) to (−60, 10, 200).
TEST(LigneBordDeFuite, HauteurEtEnvergureALAbscisse) {
    struct Cas {
        double xF, Y, Z;
    };
    const Cas cas[] = {
        {-100, 0, 0}, {-60, 10, 200}, {-75, 6.25, 125}, {-80, 5, 100}, {-140, -10, -200},
    };
    for (const Cas& c : cas) {
        EXPECT_DOUBLE_EQ(YinterBF(-100, 0, 0, -60, 10, 200, c.xF), c.Y) << c.xF;
        EXPECT_DOUBLE_EQ(ZinterBF(-100, 0, 0, -60, 10, 200, c.xF), c.Z) << c.xF;
    }
    // The unused coordinates play no part.
    EXPECT_EQ(YinterBF(-100, 0, 1e9, -60, 10, -1e9, -75), 6.25);
    EXPECT_EQ(ZinterBF(-100, 1e9, 0, -60, -1e9, 200, -75), 125);
}

TEST(LigneAHauteurZ, ExtremitesEtProlongement) {
    // From (−100, 2, 50) to (−60, 12, 250).
    struct Cas {
        double Zint, X, Y;
    };
    const Cas cas[] = {
        {50, -100, 2},  {250, -60, 12}, {150, -80, 7},
        {0, -110, -0.5}, {450, -20, 22}, {-150, -140, -8},
    };
    for (const Cas& c : cas) {
        EXPECT_DOUBLE_EQ(XInterZ(-100, 2, 50, -60, 12, 250, c.Zint), c.X) << c.Zint;
        EXPECT_DOUBLE_EQ(YInterZ(-100, 2, 50, -60, 12, 250, c.Zint), c.Y) << c.Zint;
        double X, Y;
        XYInterZ(-100, 2, 50, -60, 12, 250, X, Y, c.Zint);
        EXPECT_DOUBLE_EQ(X, c.X);
        EXPECT_DOUBLE_EQ(Y, c.Y);
    }
    EXPECT_EQ(XInterZ(-100, 2, 50, -60, 12, 250, 50), -100);
}

TEST(LigneAHauteurZ, MemeZDonneLePremierPoint) {
    for (double Zint : {0.0, 80.0, -1e6, 1e300}) {
        EXPECT_EQ(XInterZ(-3, 4, 80, 9, -7, 80, Zint), -3);
        EXPECT_EQ(YInterZ(-3, 4, 80, 9, -7, 80, Zint), 4);
        double X = 0, Y = 0;
        XYInterZ(-3, 4, 80, 9, -7, 80, X, Y, Zint);
        EXPECT_EQ(X, -3);
        EXPECT_EQ(Y, 4);
    }
}

TEST(LigneAHauteurZ, XYInterZEgaleXInterZEtYInterZ) {
    std::mt19937 alea(12345);
    std::uniform_real_distribution<double> u(-500, 500);
    for (int n = 0; n < 2000; ++n) {
        const double Xe = u(alea), Ye = u(alea), zE = u(alea), Xs = u(alea), Ys = u(alea);
        const double Zs = n % 10 == 0 ? zE : u(alea), Zint = u(alea);
        double X, Y;
        XYInterZ(Xe, Ye, zE, Xs, Ys, Zs, X, Y, Zint);
        EXPECT_EQ(X, XInterZ(Xe, Ye, zE, Xs, Ys, Zs, Zint));
        EXPECT_EQ(Y, YInterZ(Xe, Ye, zE, Xs, Ys, Zs, Zint));
    }
}

// A section whose abscissa rises to the leading edge and falls back:
// −10, −5, 0, −5, −10 (points 1 to 5).
const double SectionAllerRetour[] = {-10, -5, 0, -5, -10, 99};

TEST(Chercher_Segment, OrdreDeRechercheEtBornesIncluses) {
    struct Cas {
        double x;
        std::int16_t d;
        int N;
        int segment;
    };
    const Cas cas[] = {
        {-7, 1, 5, 1},   {-7, -1, 5, 4},  // same abscissa, one surface or the other
        {-5, 1, 5, 1},   {-5, -1, 5, 3},  // a point at x: the segment ending on it wins
        {0, 1, 5, 2},    {0, -1, 5, 3},   // the leading edge
        {-10, 1, 5, 1},  {-10, -1, 5, 4}, // the trailing edge
        {1, 1, 5, 0},    {1, -1, 5, 0},   // ahead of the leading edge: no segment
        {-11, 1, 5, 0},  {-11, -1, 5, 0}, // aft of the trailing edge
        {-7, -1, 3, 0},  // the second surface is not part of a 3-point section
        {50, 1, 5, 0},   // entry 6 lies past the section and is never read
        {1e9, 0, 5, 1},  {-3, 0, 5, 1},   // no direction: segment (1, 2) always
        {-7, 1, 1, 0},   {-7, 0, 0, 0},   // fewer than two points: no segment
    };
    for (const Cas& c : cas)
        EXPECT_EQ(Chercher_Segment(SectionAllerRetour, c.N, c.x, c.d), c.segment)
            << "x=" << c.x << " d=" << c.d << " N=" << c.N;
}

TEST(Interpoler_Segment, LineaireOuMoyenne) {
    const double X[] = {-10, -5, -5, 0};
    const double V[] = {1, 3, 7, 2};
    EXPECT_DOUBLE_EQ(Interpoler_Segment(X, V, 1, -7.5), 2);
    EXPECT_DOUBLE_EQ(Interpoler_Segment(X, V, 1, -20), -3); // extended
    EXPECT_DOUBLE_EQ(Interpoler_Segment(X, V, 3, -1), 3);
    EXPECT_EQ(Interpoler_Segment(X, V, 2, -5), 5);   // equal abscissae: the mean
    EXPECT_EQ(Interpoler_Segment(X, V, 2, 100), 5);  // whatever x
}

// Root and tip sections of five points in the rotated frame, rising then falling.
Modele modeleSections() {
    Modele m;
    const double X[] = {-10, -5, 0, -5, -10};
    const double Y[] = {20, 22, 20, 18, 20};
    const double Z[] = {4, 2, 0, 2, 4};
    for (int i = 1; i <= 5; ++i) {
        m.X_Empl_Rot(i) = X[i - 1];
        m.Y_Empl_Rot(i) = Y[i - 1];
        m.Z_Empl_Rot(i) = Z[i - 1];
        m.X_Saum_Rot(i) = X[i - 1] / 2;
        m.Y_Saum_Rot(i) = Y[i - 1] + 10;
        m.Z_Saum_Rot(i) = 300 + Z[i - 1];
    }
    // Entries past the sections that would match if they were read.
    m.X_Empl_Rot(6) = 50;
    m.X_Saum_Rot(6) = 50;
    m.Nb_Pts_Empl = 5;
    m.Nb_Pts_Saum = 5;
    m.champs.txt_href_empl = "12.5 mm";
    m.champs.txt_href_saum = "-3";
    m.champs.Txt_Long = "300";
    m.champs.txt_fleche = "400";
    return m;
}

TEST(InterpolSection, SurfaceChoisieParLeSens) {
    const Modele m = modeleSections();
    EXPECT_DOUBLE_EQ(InterpolYEmpl(m, -7.5, 1), 21);  // first surface
    EXPECT_DOUBLE_EQ(InterpolYEmpl(m, -7.5, -1), 19); // second surface
    EXPECT_DOUBLE_EQ(InterpolZEmpl(m, -7.5, 1), 3);
    EXPECT_DOUBLE_EQ(InterpolZEmpl(m, -2.5, -1), 1);
    EXPECT_DOUBLE_EQ(InterpolYSaum(m, -3.75, 1), 31);
    EXPECT_DOUBLE_EQ(InterpolYSaum(m, -3.75, -1), 29);
    EXPECT_DOUBLE_EQ(InterpolZSaum(m, -1.25, 1), 301);
}

TEST(InterpolSection, SansSensSegmentUnProlonge) {
    const Modele m = modeleSections();
    EXPECT_DOUBLE_EQ(InterpolYEmpl(m, 0, 0), 24);
    EXPECT_DOUBLE_EQ(InterpolYEmpl(m, 100, 0), 64);
    EXPECT_DOUBLE_EQ(InterpolZEmpl(m, -30, 0), 12);
    EXPECT_DOUBLE_EQ(InterpolYSaum(m, 5, 0), 38);
}

TEST(InterpolSection, DevantLeBordDAttaqueDonneLePointDeReference) {
    const Modele m = modeleSections();
    for (std::int16_t d : {std::int16_t(1), std::int16_t(-1)}) {
        EXPECT_EQ(InterpolYEmpl(m, 1, d), 12.5);
        EXPECT_EQ(InterpolZEmpl(m, 1, d), 0);
        EXPECT_EQ(InterpolYSaum(m, 1, d), -3);
        EXPECT_EQ(InterpolZSaum(m, 1, d), 500); // √(300² + 400²)
    }
    // Entry 6 (50) is past the sections: x = 30 is found on no segment.
    EXPECT_EQ(InterpolYEmpl(m, 30, 1), 12.5);
    EXPECT_EQ(InterpolZSaum(m, 30, 1), 500);
}

TEST(InterpolSection, LeRepliEstLuDansLesChampsAuMomentVoulu) {
    Modele m = modeleSections();
    m.champs.txt_href_empl = "abc";
    m.champs.Txt_Long = "";
    EXPECT_EQ(InterpolYEmpl(m, 1, 1), 0);
    EXPECT_EQ(InterpolZSaum(m, 1, 1), 400);
    EXPECT_DOUBLE_EQ(InterpolYEmpl(m, -7.5, 1), 21); // found: the fields play no part
}

TEST(InterpolSection, AbscissesEgalesDonnentLaMoyenne) {
    Modele m = modeleSections();
    // The leading edge doubled: points 3 and 4 both at x = 0.
    const double X[] = {-10, -5, 0, 0, -5, -10};
    const double Y[] = {20, 22, 21, 19, 18, 20};
    for (int i = 1; i <= 6; ++i) {
        m.X_Empl_Rot(i) = X[i - 1];
        m.Y_Empl_Rot(i) = Y[i - 1];
        m.X_Saum_Rot(i) = X[i - 1];
        m.Y_Saum_Rot(i) = Y[i - 1];
    }
    m.Nb_Pts_Empl = 6;
    m.Nb_Pts_Saum = 6;
    // Falling through x = 0: the vertical segment (3, 4) is the first to hold it.
    EXPECT_EQ(InterpolYEmpl(m, 0, -1), 20); // (21 + 19) / 2
    EXPECT_EQ(InterpolYSaum(m, 0, -1), 20);
    EXPECT_EQ(InterpolYEmpl(m, 0, 1), 21);  // segment (2, 3) ends on x first
}

} // namespace
} // namespace ortix
