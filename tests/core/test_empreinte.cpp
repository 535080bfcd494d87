// A fingerprint of everything the projected-profile computation writes, taken on
// a fixed set of panels: random ones, the real airfoils of the test data and the
// largest the arrays hold. The constants were recorded from the computation as it
// stood before its speed-ups, so that a change meant to save time and nothing
// else must leave every bit of every result as it was: the _Rot and _Proj arrays
// with their counts, the final texts, the refusal messages, the view and the
// normalised profiles. The small functions they are built from are fingerprinted
// too, the angle-taking Rotation_Y among them.
//
// The constants hold for x86-64 with SSE2 arithmetic, no fused multiply-add, and
// the sin, cos and atan of glibc; elsewhere the same code may legitimately round
// differently, and the test says so instead of failing.
#include "app/model/Nombres.h"
#include "files/Sortie.h"
#include "geometry/Primitives.h"
#include "geometry/Projection.h"
#include "geometry/Vrillage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <ios>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace ortix {
namespace {

// The output's normalisation, its results laid into arrays as the fingerprints
// were first taken: written only on success.
bool Normaliser(const Tableau& X, const Tableau& Y, int n, double h, Tableau& x, Tableau& y) {
    std::vector<double> vx, vy;
    if (!fichiers::Normaliser(X, Y, n, h, vx, vy)) return false;
    for (int i = 1; i <= n; ++i) {
        x(i) = vx[static_cast<std::size_t>(i - 1)];
        y(i) = vy[static_cast<std::size_t>(i - 1)];
    }
    return true;
}

#if defined(__x86_64__) && !defined(__FMA__)
constexpr bool ConstantesApplicables = true;
#else
constexpr bool ConstantesApplicables = false;
#endif

// FNV-1a over 64 bits, fed the bytes of each value in memory order.
class Empreinte {
  public:
    void octets(const void* p, std::size_t n) {
        const auto* o = static_cast<const unsigned char*>(p);
        for (std::size_t i = 0; i < n; ++i) {
            h_ ^= o[i];
            h_ *= 0x100000001b3ULL;
        }
    }
    // Every NaN counts as one: which operand's NaN an operation passes on is the
    // compiler's choice, and no NaN is ever kept as a result.
    void nombre(double v) {
        if (std::isnan(v)) v = std::numeric_limits<double>::quiet_NaN();
        octets(&v, sizeof v);
    }
    void entier(std::int64_t v) { octets(&v, sizeof v); }
    void texte(const std::string& t) {
        entier(static_cast<std::int64_t>(t.size()));
        octets(t.data(), t.size());
    }
    void tableau(const Tableau& t) {
        for (int i = 1; i <= Capacite; ++i) nombre(t(i));
    }
    void point(Point2 p) {
        nombre(p.x);
        nombre(p.y);
    }
    void couleur(Couleur c) {
        entier(c.r);
        entier(c.g);
        entier(c.b);
        entier(c.texte);
    }
    void vue(const Vue& v) {
        entier(v.valide);
        nombre(v.repere.gauche);
        nombre(v.repere.largeur);
        nombre(v.repere.haut);
        nombre(v.repere.hauteur);
        entier(static_cast<std::int64_t>(v.formes.size()));
        for (const Forme& f : v.formes) {
            texte(f.nom);
            couleur(f.couleur);
            entier(f.largeur);
            entier(static_cast<int>(f.trait));
            point(f.a);
            point(f.b);
        }
        entier(static_cast<std::int64_t>(v.segments.size()));
        for (const Segment& s : v.segments) {
            point(s.a);
            point(s.b);
            couleur(s.couleur);
        }
    }
    std::uint64_t valeur() const { return h_; }

  private:
    std::uint64_t h_ = 0xcbf29ce484222325ULL;
};

// One fingerprint per kind of result, so that a difference says where it lies.
struct Empreintes {
    Empreinte rot;     // the _Rot arrays
    Empreinte proj;    // the _Proj arrays and their counts
    Empreinte textes;  // outcome, message, the seven final texts, Bt_Sauve_Prof
    Empreinte vue;     // the returned view and the one drawn again from the model
    Empreinte normale; // both profiles at unit chord
    int acceptes = 0, refuses = 0;
};

// A fixed draw from mt19937 alone: the standard distributions differ from one
// library to another, the engine does not.
class Alea {
  public:
    explicit Alea(std::uint32_t graine) : g_(graine) {}
    double u(double a, double b) {
        return a + (b - a) * (static_cast<double>(g_()) / 4294967296.0);
    }
    int entier(int a, int b) {
        return a + static_cast<int>(g_() % static_cast<std::uint32_t>(b - a + 1));
    }

  private:
    std::mt19937 g_;
};

struct Points {
    std::vector<double> x, y;
    int n() const { return static_cast<int>(x.size()); }
};

// A cambered airfoil of two surfaces of n points each sharing the leading edge,
// its abscissae rounded to `pas` when not 0, with a zig-zag of amplitude `bruit`;
// the end points and their neighbours are kept off the grid.
Points profil(Alea& a, int n, double pas, double bruit, double xFin) {
    const double pi = 4 * std::atan(1.0);
    const double e = a.u(0.04, 0.2), c = a.u(-0.02, 0.06);
    Points p;
    const std::size_t total = static_cast<std::size_t>(2 * n - 1);
    auto ajouter = [&](double x, double signe) {
        const std::size_t i = p.x.size();
        double xa = x + (i % 2 ? bruit : -bruit) * a.u(0, 1);
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

// An airfoil file of the test data: a title line, then X Y pairs.
Points lireProfil(const std::string& nom) {
    std::ifstream f(std::string(ORTIX_TEST_DATA) + "/" + nom);
    EXPECT_TRUE(f) << nom;
    Points p;
    std::string ligne;
    while (std::getline(f, ligne)) {
        const char* debut = ligne.c_str();
        char* fin = nullptr;
        const double x = std::strtod(debut, &fin);
        if (fin == debut) continue;
        const char* suite = fin;
        const double y = std::strtod(suite, &fin);
        if (fin == suite) continue;
        p.x.push_back(x);
        p.y.push_back(y);
    }
    return p;
}

// A panel with its sections placed in the panel frame, as the refresh places
// them. Every array the computation writes is filled beforehand with a value it
// never gives, so that a write past a count, or on a refusal, shows.
std::unique_ptr<Modele> panneau(const Points& empl, const Points& saum, const Champs& c) {
    auto m = std::make_unique<Modele>();
    m->champs = c;
    const double Ce = Val(c.txt_corde_empl), He = Val(c.txt_href_empl);
    const double Cs = Val(c.txt_corde_saum), Hs = Val(c.txt_href_saum);
    const double L = Val(c.Txt_Long), F = Val(c.txt_fleche);
    m->Nb_Pts_Empl = static_cast<std::int16_t>(empl.n());
    m->Nb_Pts_Saum = static_cast<std::int16_t>(saum.n());
    for (int i = 1; i <= empl.n() && i <= Capacite; ++i) {
        const std::size_t k = static_cast<std::size_t>(i - 1);
        m->X_Empl_3D(i) = -Ce * empl.x[k];
        m->Y_Empl_3D(i) = Ce * empl.y[k] + He;
        m->Z_Empl_3D(i) = 0;
    }
    for (int i = 1; i <= saum.n() && i <= Capacite; ++i) {
        const std::size_t k = static_cast<std::size_t>(i - 1);
        m->X_Saum_3D(i) = -F - Cs * saum.x[k];
        m->Y_Saum_3D(i) = Cs * saum.y[k] + Hs;
        m->Z_Saum_3D(i) = L;
    }
    for (Tableau* t : {&m->X_Empl_Rot, &m->Y_Empl_Rot, &m->Z_Empl_Rot, &m->X_Saum_Rot,
                       &m->Y_Saum_Rot, &m->Z_Saum_Rot, &m->X_Empl_Proj, &m->Y_Empl_Proj,
                       &m->X_Saum_Proj, &m->Y_Saum_Proj})
        for (int i = 1; i <= Capacite; ++i) (*t)(i) = -7.25;
    m->Nb_Pts_Empl_Proj = 3;
    m->Nb_Pts_Saum_Proj = 4;
    return m;
}

// Computes one panel and feeds every result into the fingerprints.
void calculer(Modele& m, Recherche recherche, Empreintes& e) {
    const ResultatCalcul r = Bt_Calc_Click(m, recherche);
    r.ok ? ++e.acceptes : ++e.refuses;

    for (const Tableau* t : {&m.X_Empl_Rot, &m.Y_Empl_Rot, &m.Z_Empl_Rot, &m.X_Saum_Rot,
                             &m.Y_Saum_Rot, &m.Z_Saum_Rot})
        e.rot.tableau(*t);
    for (const Tableau* t : {&m.X_Empl_Proj, &m.Y_Empl_Proj, &m.X_Saum_Proj, &m.Y_Saum_Proj})
        e.proj.tableau(*t);
    e.proj.entier(m.Nb_Pts_Empl_Proj);
    e.proj.entier(m.Nb_Pts_Saum_Proj);

    e.textes.entier(r.ok);
    e.textes.texte(r.message);
    for (const std::string* t :
         {&m.finals.Txt_Lg_Final, &m.finals.Txt_Fleche_Final, &m.finals.Txt_Corde_Final,
          &m.finals.Txt_Href_Empl_final, &m.finals.Txt_Vrill_Empl_Final,
          &m.finals.Txt_Href_Saum_final, &m.finals.Txt_Vrill_Saum_Final})
        e.textes.texte(*t);
    e.textes.entier(m.boutons.Bt_Sauve_Prof);

    e.vue.vue(r.Pic_Prof_Proj);
    Vue v;
    e.vue.entier(Tracer_Prof_Proj(m, v));
    e.vue.vue(v);

    auto x = std::make_unique<Tableau>(), y = std::make_unique<Tableau>();
    const std::pair<int, double> profils[] = {
        {m.Nb_Pts_Empl_Proj, Val(m.finals.Txt_Href_Empl_final)},
        {m.Nb_Pts_Saum_Proj, Val(m.finals.Txt_Href_Saum_final)}};
    const Tableau* X[] = {&m.X_Empl_Proj, &m.X_Saum_Proj};
    const Tableau* Y[] = {&m.Y_Empl_Proj, &m.Y_Saum_Proj};
    for (int k = 0; k < 2; ++k) {
        for (int i = 1; i <= Capacite; ++i) (*x)(i) = (*y)(i) = 0.5;
        e.normale.entier(Normaliser(*X[k], *Y[k], profils[k].first, profils[k].second, *x, *y));
        e.normale.tableau(*x);
        e.normale.tableau(*y);
    }
}

std::string texte(double v) { return Format(v, "#0.000000"); }

// Random panels: airfoils of 2 to 500 points a surface, shared grids, zig-zags,
// open trailing edges, no sweep, equal chords; now and then a field that makes
// the computation refuse.
Empreintes panneauxAuHasard(Recherche recherche) {
    Empreintes e;
    Alea a(20240917);
    for (int n = 0; n < 300; ++n) {
        const double pas = a.entier(0, 2) == 0 ? 0.0 : 1.0 / a.entier(2, 40);
        const double bruit = a.entier(0, 3) == 0 ? a.u(0, 0.05) : 0.0;
        const int maxi = n < 15 ? 500 : 120;
        // The draws one by one: the order in which a call's arguments are worked
        // out is the compiler's choice.
        auto section = [&] {
            const double xFin = a.entier(0, 3) == 0 ? a.u(0.95, 1.05) : 1.0;
            const int n = a.entier(2, maxi);
            return profil(a, n, pas, bruit, xFin);
        };
        const Points pe = section();
        const Points ps = section();
        Champs c;
        const double Ce = a.u(50, 600);
        c.Txt_Long = texte(a.u(50, 1500));
        c.txt_fleche = a.entier(0, 4) == 0 ? "0" : texte(a.u(-300, 800));
        c.txt_corde_empl = texte(Ce);
        c.txt_href_empl = texte(a.u(-50, 80));
        c.txt_vril_empl2 = texte(a.u(-8, 8));
        c.txt_corde_saum = a.entier(0, 3) == 0 ? texte(Ce) : texte(a.u(20, 600));
        c.txt_href_saum = texte(a.u(-50, 80));
        c.txt_vril_saum2 = texte(a.u(-8, 8));
        switch (a.entier(0, 24)) {
        case 0: c.Txt_Long = std::string("0"); break;
        case 1: c.Txt_Long = std::string("1e400"); break;
        case 2: c.txt_vril_saum2 = std::string("abc"); break;
        case 3: c.txt_href_empl = std::string("-1e308"); break;
        default: break;
        }
        auto m = panneau(pe, ps, c);
        calculer(*m, recherche, e);
    }
    return e;
}

// Every pair of the real airfoils, the sweep stepping from −300 to 660 mm.
Empreintes profilsReels(Recherche recherche) {
    Empreintes e;
    const char* noms[] = {"clarky.dat", "e205.dat", "lednicer_2412.dat", "n0009sm.dat",
                          "rg15.dat"};
    int cas = 0;
    for (const char* ne : noms)
        for (const char* ns : noms) {
            Champs c;
            c.txt_corde_saum = "237.5";
            c.txt_vril_empl2 = "1.5";
            c.txt_vril_saum2 = "-2.25";
            c.txt_href_saum = "27.3";
            c.txt_fleche = std::to_string(40 * cas - 300);
            auto m = panneau(lireProfil(ne), lireProfil(ns), c);
            calculer(*m, recherche, e);
            ++cas;
        }
    return e;
}

// The largest panels the arrays hold, as the benchmark computes them, one whose
// projected profiles would pass 1000 points, and panels refused for each of the
// other reasons: too few points, a vertical trailing-edge facet, a section that
// turns into a non-number, a negative length.
Empreintes panneauxParticuliers(Recherche recherche) {
    Empreintes e;
    Alea a(99);
    struct Cas {
        int nEmpl, nSaum;
        const char *cordeEmpl, *cordeSaum, *longueur;
        int defaut; // 0 none, 1 two root points, 2 vertical facet, 3 NaN in the tip,
                    // 4 an overflow in the root
    } cas[] = {{500, 499, "300", "299.9999", "400", 0}, {499, 499, "200", "600", "400", 0},
               {500, 500, "300", "250", "400", 0},      {40, 40, "300", "250", "400", 1},
               {40, 40, "300", "250", "400", 2},        {40, 40, "300", "250", "400", 3},
               {60, 45, "300", "250", "-700", 0},       {40, 40, "300", "250", "400", 4}};
    for (const Cas& k : cas) {
        Champs c;
        // Whole strings moved in: assigning the literals trips a false -Wrestrict
        // of GCC 12's inlined std::string.
        c.txt_corde_empl = std::string(k.cordeEmpl);
        c.txt_corde_saum = std::string(k.cordeSaum);
        c.Txt_Long = std::string(k.longueur);
        c.txt_vril_empl2 = std::string("2");
        c.txt_vril_saum2 = std::string("-1.5");
        c.txt_href_saum = std::string("35");
        Points pe = profil(a, k.nEmpl, 0, 0, 1), ps = profil(a, k.nSaum, 0, 0, 1);
        if (k.defaut == 1) {
            pe.x.resize(2);
            pe.y.resize(2);
        }
        if (k.defaut == 2) pe.x[1] = pe.x[0];
        if (k.defaut == 3) ps.y[7] = std::numeric_limits<double>::quiet_NaN();
        if (k.defaut == 4) pe.x[12] = 1e306;
        auto m = panneau(pe, ps, c);
        calculer(*m, recherche, e);
    }
    return e;
}

// The small functions on fixed random arguments, special values included.
std::uint64_t primitives() {
    Empreinte e;
    Alea a(4242);
    const double speciaux[] = {0.0, -0.0, 1e-300, -1e300, std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()};
    auto valeur = [&]() {
        const int k = a.entier(0, 40);
        return k < 6 ? speciaux[k] : a.u(-2000, 2000);
    };
    for (int k = 0; k < 20000; ++k) {
        const double x = valeur(), y = valeur(), z = valeur(), angle = a.u(-3.2, 3.2);
        double xr, yr, zr;
        Rotation_Y(x, y, z, xr, yr, zr, k % 50 ? angle : valeur());
        e.nombre(xr);
        e.nombre(yr);
        e.nombre(zr);
        const double Xe = valeur(), Ye = valeur(), Ze = valeur(), Xs = valeur(), Ys = valeur();
        const double Zs = k % 7 ? valeur() : Ze;
        const double t = valeur();
        e.nombre(YinterBF(Xe, Ye, Ze, Xs, Ys, Zs, t));
        e.nombre(ZinterBF(Xe, Ye, Ze, Xs, Ys, Zs, t));
        e.nombre(XInterZ(Xe, Ye, Ze, Xs, Ys, Zs, t));
        e.nombre(YInterZ(Xe, Ye, Ze, Xs, Ys, Zs, t));
        double X, Y;
        XYInterZ(Xe, Ye, Ze, Xs, Ys, Zs, X, Y, t);
        e.nombre(X);
        e.nombre(Y);
        const double XA[] = {Xe, k % 5 ? Xs : Xe}, V[] = {Ye, Ys};
        e.nombre(Interpoler_Segment(XA, V, 1, t));
    }
    for (int k = 0; k < 2000; ++k) {
        Champs c;
        c.Txt_Long = k % 97 ? texte(a.u(-100, 1500)) : "0";
        c.txt_fleche = texte(a.u(-500, 900));
        c.txt_corde_empl = texte(a.u(-10, 600));
        c.txt_href_empl = texte(a.u(-80, 80));
        c.txt_vril_empl2 = texte(a.u(-90, 90));
        c.txt_corde_saum = k % 13 ? texte(a.u(-10, 600)) : "0";
        c.txt_href_saum = texte(a.u(-80, 80));
        c.txt_vril_saum2 = texte(a.u(-90, 90));
        const VrillageFinal v = Calc_Vrillage_Final(c);
        e.entier(v.ok);
        e.texte(v.message);
        e.nombre(v.Href_Empl);
        e.nombre(v.Href_Saum);
        e.nombre(v.Vrill_Empl);
        e.nombre(v.Vrill_Saum);
    }
    return e.valeur();
}

// Lists of values meant to catch a shortcut: zeros of both signs, infinities,
// NaNs (first or later), equal values, lengths around every small multiple.
std::vector<double> listePiegee(Alea& a, int n) {
    const double inf = std::numeric_limits<double>::infinity();
    const double valeurs[] = {0.0, -0.0, 0.0, -0.0, 1, -1, 2.5, -2.5, 3, 1e308, -1e308,
                              inf, -inf, std::numeric_limits<double>::quiet_NaN()};
    const int forme = a.entier(0, 3);
    std::vector<double> v(static_cast<std::size_t>(n));
    for (double& x : v) {
        const int k = a.entier(0, 13);
        if (forme == 0) x = valeurs[k % 4];                    // zeros only
        else if (forme == 1) x = valeurs[k % 9];               // zeros and a few values
        else if (forme == 2) x = k < 13 ? valeurs[k] : a.u(-3, 3); // no NaN
        else x = valeurs[k];
    }
    return v;
}

// One fingerprint with the count of calls that succeeded and failed.
struct EmpreinteEtComptes {
    Empreinte e;
    int acceptes = 0, refuses = 0;
    void resultat(bool ok) {
        e.entier(ok);
        ok ? ++acceptes : ++refuses;
    }
};

// Normaliser on trap lists, as X and Y, at several heights.
EmpreinteEtComptes normaliserPieges() {
    EmpreinteEtComptes r;
    Empreinte& e = r.e;
    Alea a(777);
    auto X = std::make_unique<Tableau>(), Y = std::make_unique<Tableau>();
    auto x = std::make_unique<Tableau>(), y = std::make_unique<Tableau>();
    const double hauteurs[] = {0.0, -0.0, 1.5, -3, 1e308};
    for (int k = 0; k < 6000; ++k) {
        const int n = k < 5800 ? a.entier(1, 24) : a.entier(990, Capacite);
        const std::vector<double> vx = listePiegee(a, n), vy = listePiegee(a, n);
        for (int i = 1; i <= n; ++i) {
            (*X)(i) = vx[static_cast<std::size_t>(i - 1)];
            (*Y)(i) = a.entier(0, 3) ? a.u(-1, 1) : vy[static_cast<std::size_t>(i - 1)];
        }
        for (int i = 1; i <= Capacite; ++i) (*x)(i) = (*y)(i) = 0.5;
        r.resultat(Normaliser(*X, *Y, n, hauteurs[a.entier(0, 4)], *x, *y));
        e.tableau(*x);
        e.tableau(*y);
    }
    return r;
}

// Tracer_Prof_Proj on trap profiles and final texts: overflows once turned,
// NaNs, infinities, zeros of both signs, empty and single-point profiles.
EmpreinteEtComptes tracerPieges() {
    EmpreinteEtComptes r;
    Empreinte& e = r.e;
    Alea a(4711);
    const char* vrillages[] = {"0", "-0", "2.5", "-7.25", "90", "---", "abc", "1e400"};
    const char* hauteurs[] = {"0", "-0", "20", "-35.5", "1e308", "---"};
    for (int k = 0; k < 3000; ++k) {
        const int nE = a.entier(0, 30), nS = a.entier(0, 30);
        std::vector<double> XE(static_cast<std::size_t>(nE)), YE = XE;
        std::vector<double> XS(static_cast<std::size_t>(nS)), YS = XS;
        for (auto* v : {&XE, &YE, &XS, &YS}) {
            const bool piege = a.entier(0, 4) == 0;
            const std::vector<double> p = listePiegee(a, static_cast<int>(v->size()));
            for (std::size_t i = 0; i < v->size(); ++i)
                (*v)[i] = piege ? p[i] : a.u(-300, 300);
        }
        Finals f;
        f.Txt_Vrill_Empl_Final = vrillages[a.entier(0, 7)];
        f.Txt_Vrill_Saum_Final = vrillages[a.entier(0, 7)];
        f.Txt_Href_Empl_final = hauteurs[a.entier(0, 5)];
        f.Txt_Href_Saum_final = hauteurs[a.entier(0, 5)];
        Vue v;
        v.repere.gauche = 123;
        r.resultat(Tracer_Prof_Proj(XE.data(), YE.data(), nE, XS.data(), YS.data(), nS, f, v));
        e.vue(v);
    }
    return r;
}

struct Attendu {
    std::uint64_t rot, proj, textes, vue, normale;
    int acceptes, refuses;
};

void verifier(const char* nom, Empreintes (*calcul)(Recherche), const Attendu& attendu) {
    for (Recherche recherche : {Recherche::Indexee, Recherche::Lineaire}) {
        const Empreintes e = calcul(recherche);
        const char* variante = recherche == Recherche::Indexee ? "indexée" : "linéaire";
        SCOPED_TRACE(std::string(nom) + ", recherche " + variante);
        // The counts hold everywhere; the bits only where the constants apply.
        EXPECT_EQ(e.acceptes, attendu.acceptes);
        EXPECT_EQ(e.refuses, attendu.refuses);
        if (!ConstantesApplicables) continue;
        EXPECT_EQ(e.rot.valeur(), attendu.rot) << std::hex << e.rot.valeur();
        EXPECT_EQ(e.proj.valeur(), attendu.proj) << std::hex << e.proj.valeur();
        EXPECT_EQ(e.textes.valeur(), attendu.textes) << std::hex << e.textes.valeur();
        EXPECT_EQ(e.vue.valeur(), attendu.vue) << std::hex << e.vue.valeur();
        EXPECT_EQ(e.normale.valeur(), attendu.normale) << std::hex << e.normale.valeur();
    }
    if (!ConstantesApplicables)
        GTEST_SKIP() << "empreintes relevées sur x86-64 sans FMA : "
                        "seuls les comptes sont vérifiés";
}

TEST(Empreinte, PanneauxAuHasard) {
    verifier("panneaux au hasard", panneauxAuHasard,
             {0x61f72c40789c466fULL, 0xad113a2244fa9f80ULL, 0x4fdea5f6bc5bddfcULL,
              0xb122b11467493cf1ULL, 0xc12a5cf586f597ebULL, 260, 40});
}

TEST(Empreinte, ProfilsReels) {
    verifier("profils réels", profilsReels,
             {0x8df59aeac85cd840ULL, 0xbf8f9037894b5709ULL, 0x302daba99aa9afadULL,
              0xe639b769d1b79af0ULL, 0x4dd6675dba35da8eULL, 25, 0});
}

TEST(Empreinte, PanneauxParticuliers) {
    verifier("panneaux particuliers", panneauxParticuliers,
             {0xdee9020dffd40c0aULL, 0x1f4e29911bac00fdULL, 0x8b81350f91a8964bULL,
              0xa2f16a3e85e7a7dcULL, 0x7d55c082a5e8b887ULL, 3, 5});
}

void verifier(const EmpreinteEtComptes& r, std::uint64_t empreinte, int acceptes, int refuses) {
    EXPECT_EQ(r.acceptes, acceptes);
    EXPECT_EQ(r.refuses, refuses);
    if (!ConstantesApplicables)
        GTEST_SKIP() << "empreintes relevées sur x86-64 sans FMA : "
                        "seuls les comptes sont vérifiés";
    EXPECT_EQ(r.e.valeur(), empreinte) << std::hex << r.e.valeur();
}

TEST(Empreinte, NormaliserSurDesListesPiegees) {
    verifier(normaliserPieges(), 0x357230155375d527ULL, 1357, 4643);
}

TEST(Empreinte, TracerSurDesProfilsPieges) {
    verifier(tracerPieges(), 0x3f1e2f1de595009bULL, 1529, 1471);
}

TEST(Empreinte, Primitives) {
    const std::uint64_t e = primitives();
    if (!ConstantesApplicables)
        GTEST_SKIP() << "empreintes relevées sur x86-64 sans FMA";
    EXPECT_EQ(e, 0x0028995cb418438bULL) << std::hex << e;
}

} // namespace
} // namespace ortix
