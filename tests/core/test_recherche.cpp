// The indexed segment search against the plain linear walk it replaces: the same
// segment for every section, abscissa and direction, and the same computed panel
// to the bit.
#include "model/Nombres.h"
#include "files/FichierProfil.h"
#include "geometry/Planforme.h"
#include "geometry/Primitives.h"
#include "geometry/Projection.h"
#include "geometry/RechercheSegments.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace ortix {
namespace {

const double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();

std::string decrire(const std::vector<double>& X, int N) {
    std::ostringstream o;
    o.precision(17);
    o << "N=" << N << " X=";
    for (int i = 0; i < N && i < 40; ++i) o << X[static_cast<std::size_t>(i)] << ' ';
    if (N > 40) o << "...";
    return o.str();
}

// ---- the search itself ----------------------------------------------------------

TEST(IndexSegments, CasALaMain) {
    struct Cas {
        std::vector<double> X;
        double x;
        std::int16_t d;
        int segment;
    };
    const std::vector<double> allerRetour = {-10, -5, 0, -5, -10};
    // Points 3 and 4 share x = 0 (a doubled leading edge), 6 and 7 share x = −5.
    const std::vector<double> plats = {-10, -5, 0, 0, -5, -5, -10};
    const std::vector<double> scie = {0, 2, 1, 3, 2, 4, 3, 5};
    const Cas cas[] = {
        {allerRetour, -7, 1, 1},   {allerRetour, -7, -1, 4},  // one surface or the other
        {allerRetour, -5, 1, 1},   {allerRetour, -5, -1, 3},  // ends included, first wins
        {allerRetour, 0, 1, 2},    {allerRetour, 0, -1, 3},   // the leading edge
        {allerRetour, -10, 1, 1},  {allerRetour, -10, -1, 4}, // the trailing edge
        {allerRetour, 1, 1, 0},    {allerRetour, 1, -1, 0},   // ahead of the leading edge
        {allerRetour, -11, 1, 0},  {allerRetour, -11, -1, 0}, // aft of the trailing edge
        {allerRetour, 1e9, 0, 1},  {allerRetour, -3, 0, 1},   // no direction: segment (1, 2)
        {plats, 0, 1, 2},          {plats, 0, -1, 3},         // the flat one after the end on it
        {plats, -5, -1, 4},        {plats, -7, -1, 6},        // the end on x before the flat one
        {plats, -2, -1, 4},        {plats, -5, 1, 1},
        {scie, 2.5, 1, 3},         {scie, 2.5, -1, 4},        // a later run when the first lacks x
        {scie, 1, 1, 1},           {scie, 4.5, 1, 7},         {scie, 0.5, -1, 0},
        {scie, 3, 1, 3},           {scie, 3, -1, 4},          {scie, 5, 1, 7},
        {{-0.0, 1}, 0.0, 1, 1},    {{1, 0.0}, -0.0, -1, 1},   // −0 equals +0
        {{1, 2}, NaN, 1, 0},       {{1, 2}, NaN, 0, 0},       // a NaN matches nothing
        {{1, 2, 3}, Inf, 1, 0},    {{1, 2, Inf}, Inf, 1, 2},
        {{1, 2}, 1.5, 2, 1},       {{1, 2}, 1.5, -2, 0},      // other directions: the walk
        {{}, 0, 1, 0},             {{7}, 7, 1, 0},            // fewer than two points
    };
    IndexSegments index;
    for (const Cas& c : cas) {
        const int N = static_cast<int>(c.X.size());
        Indexer_Segments(c.X.data(), N, index);
        EXPECT_EQ(Chercher_Segment(index, c.x, c.d), c.segment)
            << decrire(c.X, N) << " x=" << c.x << " d=" << c.d;
        EXPECT_EQ(Chercher_Segment_Lineaire(c.X.data(), N, c.x, c.d), c.segment)
            << decrire(c.X, N) << " x=" << c.x << " d=" << c.d;
    }
}

// Sections of every shape the arrays can hold: airfoil-like, zig-zag, flat
// stretches, repeated abscissae on a coarse grid, ±0, and now and then an
// infinity or a NaN.
class Sections {
  public:
    explicit Sections(unsigned graine) : alea_(graine) {}

    double u(double a, double b) { return std::uniform_real_distribution<double>(a, b)(alea_); }
    int entier(int a, int b) { return std::uniform_int_distribution<int>(a, b)(alea_); }

    // A value of the coarse grid −3, −2.5, ..., 3, with −0 and +0 both present.
    double grille() {
        const int k = entier(-6, 7);
        return k == 7 ? -0.0 : k * 0.5;
    }

    std::vector<double> section(int N) {
        std::vector<double> X(static_cast<std::size_t>(N));
        const int forme = entier(0, 6);
        double x = forme == 4 ? grille() : u(-5, 5);
        const int sommet = entier(0, N);
        for (int i = 0; i < N; ++i) {
            double pas = u(0, 1);
            if (entier(0, 4) == 0) pas = 0; // flat segments
            switch (forme) {
            case 0: x += i < sommet ? pas : -pas; break;          // rising then falling
            case 1: x += i % 2 ? pas : -pas * u(0.5, 1.5); break; // zig-zag
            case 2: x += pas; break;                              // rising
            case 3: x -= pas; break;                              // falling
            case 4: x = entier(0, 2) ? grille() : x; break;       // repeats on a grid
            case 5: x = u(-3, 3); break;                          // anywhere
            default: break;                                       // constant
            }
            X[static_cast<std::size_t>(i)] = x;
        }
        if (N > 0 && entier(0, 9) == 0) { // values no section should hold, but may
            const double speciaux[] = {Inf, -Inf, NaN, 1e308, -1e308, 5e-324};
            for (int k = entier(1, 3); k > 0; --k)
                X[static_cast<std::size_t>(entier(0, N - 1))] = speciaux[entier(0, 5)];
        }
        return X;
    }

    // The abscissae worth asking: every point, just beside it, between two
    // points, outside the section, ±0, infinities, a NaN.
    std::vector<double> abscisses(const std::vector<double>& X, int N, int auHasard) {
        std::vector<double> q = {0.0, -0.0, Inf, -Inf, NaN, 1e300, -1e300};
        double bas = 0, haut = 0;
        for (int i = 0; i < N; ++i) {
            const double v = X[static_cast<std::size_t>(i)];
            q.push_back(v);
            q.push_back(std::nextafter(v, Inf));
            q.push_back(std::nextafter(v, -Inf));
            if (i + 1 < N) q.push_back((v + X[static_cast<std::size_t>(i + 1)]) / 2);
            if (std::isfinite(v)) {
                bas = std::min(bas, v);
                haut = std::max(haut, v);
            }
        }
        q.push_back(bas - 1);
        q.push_back(haut + 1);
        for (int k = 0; k < auHasard; ++k) q.push_back(u(bas - 0.5, haut + 0.5));
        return q;
    }

  private:
    std::mt19937 alea_;
};

const std::int16_t Sens[] = {1, -1, 0, 2, -3, 32767, -32768};

// Returns the number of searches compared; stops at the first difference.
long comparer(const std::vector<double>& X, int N, const std::vector<double>& q,
              IndexSegments& index) {
    Indexer_Segments(X.data(), N, index);
    long n = 0;
    for (double x : q)
        for (std::int16_t d : Sens) {
            const int attendu = Chercher_Segment_Lineaire(X.data(), N, x, d);
            const int trouve = Chercher_Segment(index, x, d);
            ++n;
            if (trouve != attendu) {
                ADD_FAILURE() << decrire(X, N) << " x=" << x << " d=" << d << ": indexed "
                              << trouve << ", linear " << attendu;
                return n;
            }
        }
    return n;
}

TEST(IndexSegments, MemeSegmentQueLaRechercheLineaireSurDesSectionsAuHasard) {
    Sections s(20240611);
    auto index = std::make_unique<IndexSegments>();
    long recherches = 0, trouvees = 0;
    for (int k = 0; k < 20000; ++k) {
        const int N = s.entier(0, 1) ? s.entier(0, 6) : s.entier(7, 60);
        const std::vector<double> X = s.section(N);
        const std::vector<double> q = s.abscisses(X, N, 10);
        recherches += comparer(X, N, q, *index);
        if (HasFailure()) return;
        for (double x : q) trouvees += Chercher_Segment(*index, x, 1) != 0;
    }
    // The cases were not all failures.
    EXPECT_GT(recherches, 5'000'000);
    EXPECT_GT(trouvees, recherches / 40);
}

TEST(IndexSegments, GrandesSectionsEtCompteAuDelaDeLaCapacite) {
    Sections s(7);
    auto index = std::make_unique<IndexSegments>();
    for (int k = 0; k < 40; ++k) {
        // Past 1000 points, both searches read only the first 1000.
        const int N = k < 30 ? s.entier(900, Capacite) : s.entier(Capacite + 1, Capacite + 50);
        const std::vector<double> X = s.section(N);
        std::vector<double> q = s.abscisses(X, std::min(N, 40), 400);
        comparer(X, N, q, *index);
        if (HasFailure()) return;
    }
    // A zig-zag of 1000 points: 500 runs, each a single rising segment.
    std::vector<double> scie(Capacite);
    for (int i = 0; i < Capacite; ++i) scie[static_cast<std::size_t>(i)] = i % 2 ? i / 2 + 2 : i / 2;
    comparer(scie, Capacite, s.abscisses(scie, Capacite, 500), *index);
    EXPECT_EQ(Chercher_Segment(*index, 2.5, 1), 3);
    EXPECT_EQ(Chercher_Segment(*index, 400.5, 1), 799);
    EXPECT_EQ(Chercher_Segment(*index, 400.5, -1), 800);
}

// ---- the whole computation ----------------------------------------------------------

struct Points {
    std::vector<double> x, y;
};

// A cambered airfoil of two surfaces of n points each sharing the leading edge,
// its abscissae rounded to `pas` when not 0 (equal abscissae on both sections,
// flat segments), with a zig-zag of amplitude `bruit` on them; the end points
// and their neighbours are kept off the grid.
Points profil(std::mt19937& alea, int n, double pas, double bruit, double xFin) {
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(alea); };
    const double pi = 4 * std::atan(1.0);
    const double e = u(0.04, 0.2), c = u(-0.02, 0.06);
    Points p;
    const std::size_t total = static_cast<std::size_t>(2 * n - 1);
    auto ajouter = [&](double x, double signe) {
        const std::size_t i = p.x.size();
        double xa = x + (i % 2 ? bruit : -bruit) * u(0, 1);
        // The trailing-edge facets need the first two and the last two apart.
        if (pas > 0 && i > 0 && i + 1 < total) xa = std::round(xa / pas) * pas;
        if (i == 1 || i + 2 == total) xa = x;
        const double demi = 5 * e *
                            (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x +
                             0.2843 * x * x * x - 0.1036 * x * x * x * x);
        p.x.push_back(xa);
        p.y.push_back(4 * c * x * (1 - x) + signe * demi);
    };
    for (int i = 0; i < n; ++i) ajouter((1 + std::cos(pi * i / (n - 1))) / 2, 1);
    for (int i = n - 2; i >= 0; --i)
        ajouter((1 + std::cos(pi * i / (n - 1))) / 2 * (i == 0 ? xFin : 1.0), -1);
    return p;
}

void poser(Modele& m, Extremite e, const Points& p) {
    auto profil = std::make_unique<Profil>();
    profil->n = static_cast<int>(p.x.size());
    for (std::size_t i = 0; i < p.x.size(); ++i) {
        profil->x[i] = p.x[i];
        profil->y[i] = p.y[i];
    }
    Poser_Profil(m, e, *profil);
}

bool memesBits(const Tableau& a, const Tableau& b) {
    return std::memcmp(a.data(), b.data(), sizeof(double) * Capacite) == 0;
}

bool memesBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool memesBits(Point2 a, Point2 b) { return memesBits(a.x, b.x) && memesBits(a.y, b.y); }

bool memeVue(const Vue& a, const Vue& b) {
    if (a.valide != b.valide || !memesBits(a.repere.gauche, b.repere.gauche) ||
        !memesBits(a.repere.largeur, b.repere.largeur) || !memesBits(a.repere.haut, b.repere.haut) ||
        !memesBits(a.repere.hauteur, b.repere.hauteur) || a.formes.size() != b.formes.size() ||
        a.segments.size() != b.segments.size())
        return false;
    for (std::size_t i = 0; i < a.formes.size(); ++i)
        if (a.formes[i].nom != b.formes[i].nom || !memesBits(a.formes[i].a, b.formes[i].a) ||
            !memesBits(a.formes[i].b, b.formes[i].b))
            return false;
    for (std::size_t i = 0; i < a.segments.size(); ++i)
        if (!memesBits(a.segments[i].a, b.segments[i].a) ||
            !memesBits(a.segments[i].b, b.segments[i].b) ||
            !(a.segments[i].couleur == b.segments[i].couleur))
            return false;
    return true;
}

// Bt_Calc_Click on two copies of one model, one per search: same outcome, same
// model (operator== and the bits of every array it writes), same view.
void calculerLesDeux(const Modele& depart, const std::string& cas, int& acceptes) {
    auto lineaire = std::make_unique<Modele>(depart);
    auto indexee = std::make_unique<Modele>(depart);
    const ResultatCalcul rl = Bt_Calc_Click(*lineaire, Recherche::Lineaire);
    const ResultatCalcul ri = Bt_Calc_Click(*indexee, Recherche::Indexee);
    ASSERT_EQ(ri.ok, rl.ok) << cas;
    ASSERT_EQ(ri.message, rl.message) << cas;
    ASSERT_TRUE(*indexee == *lineaire) << cas;
    for (auto t : {&Modele::X_Empl_Rot, &Modele::Y_Empl_Rot, &Modele::Z_Empl_Rot,
                   &Modele::X_Saum_Rot, &Modele::Y_Saum_Rot, &Modele::Z_Saum_Rot,
                   &Modele::X_Empl_Proj, &Modele::Y_Empl_Proj, &Modele::X_Saum_Proj,
                   &Modele::Y_Saum_Proj})
        ASSERT_TRUE(memesBits((*indexee).*t, (*lineaire).*t)) << cas;
    ASSERT_TRUE(memeVue(ri.Pic_Prof_Proj, rl.Pic_Prof_Proj)) << cas;
    acceptes += ri.ok;
}

TEST(IndexSegments, BtCalcClickIdentiqueAuBitSurDesPanneauxAuHasard) {
    std::mt19937 alea(31415);
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(alea); };
    auto entier = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(alea); };
    auto texte = [](double v) { return Format(v, "#0.000000"); };
    int acceptes = 0;
    const int panneaux = 600;
    for (int n = 0; n < panneaux; ++n) {
        // A coarse grid shared by both ends makes root and tip abscissae meet exactly.
        const double pas = entier(0, 2) == 0 ? 0.0 : 1.0 / entier(2, 40);
        const double bruit = entier(0, 3) == 0 ? u(0, 0.05) : 0.0;
        const Points e = profil(alea, entier(2, n < 20 ? 500 : 120), pas, bruit,
                                entier(0, 3) == 0 ? u(0.95, 1.05) : 1.0);
        const Points s = profil(alea, entier(2, n < 20 ? 499 : 120), pas, bruit,
                                entier(0, 3) == 0 ? u(0.95, 1.05) : 1.0);
        auto m = std::make_unique<Modele>();
        const double Ce = u(50, 600);
        m->champs.Txt_Long = texte(u(50, 1500));
        m->champs.txt_fleche = entier(0, 4) == 0 ? "0" : texte(u(-300, 800));
        m->champs.txt_corde_empl = texte(Ce);
        m->champs.txt_href_empl = texte(u(-50, 80));
        m->champs.txt_vril_empl2 = texte(u(-8, 8));
        m->champs.txt_corde_saum = entier(0, 3) == 0 ? texte(Ce) : texte(u(20, 600));
        m->champs.txt_href_saum = texte(u(-50, 80));
        m->champs.txt_vril_saum2 = texte(u(-8, 8));
        poser(*m, Extremite::Emplanture, e);
        poser(*m, Extremite::Saumon, s);
        Trace_Profil_Ini(*m);
        calculerLesDeux(*m, "panneau " + std::to_string(n), acceptes);
        if (HasFatalFailure()) return;
    }
    // Most panels were computed, not refused.
    EXPECT_GT(acceptes, panneaux / 2);
}

TEST(IndexSegments, BtCalcClickIdentiqueAuBitSurLesProfilsReels) {
    const char* noms[] = {"clarky.dat", "e205.dat", "lednicer_2412.dat", "n0009sm.dat",
                          "rg15.dat"};
    int acceptes = 0, cas = 0;
    for (const char* ne : noms)
        for (const char* ns : noms) {
            auto m = std::make_unique<Modele>();
            for (auto [nom, e] : {std::pair{ne, Extremite::Emplanture},
                                  std::pair{ns, Extremite::Saumon}}) {
                auto p = std::make_unique<Profil>();
                std::string erreur;
                ASSERT_TRUE(fichiers::Lire_Profil(std::string(ORTIX_TEST_DATA) + "/" + nom, nom,
                                                  *p, erreur))
                    << erreur;
                Poser_Profil(*m, e, *p);
            }
            m->champs.txt_corde_saum = "237.5";
            m->champs.txt_fleche = std::to_string(40 * cas - 300);
            Trace_Profil_Ini(*m);
            calculerLesDeux(*m, std::string(ne) + "/" + ns, acceptes);
            if (HasFatalFailure()) return;
            ++cas;
        }
    EXPECT_GT(acceptes, cas / 2);
}

} // namespace
} // namespace ortix
