#include "files/GabaritPDF.h"
#include "files/Projet.h"
#include "files/Sortie.h"
#include "geometry/Planforme.h"
#include "geometry/Projection.h"
#include "tests/support/Support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <tuple>

namespace ortix {
namespace {

using namespace ortix::essais;

std::array<Gabarit, 2> Construire(const Modele& m) {
    std::array<Gabarit, 2> g;
    EXPECT_TRUE(Construire_Gabarits(m, "01/02/2025", g[0], g[1]).ok());
    return g;
}

// Both ends get a diamond 10 % thick at half chord; no sweep, no twist. The tip
// (chord 80) is carried aft to the root's trailing edge (chord 200) along the
// generators that meet the trailing-edge line: its upper surface through
// (-200, -4), (-100, 16), its lower one through (-100, 24), (-200, 44).
// The points of the template's trace of that name.
const std::vector<Point2>& Trace(const Gabarit& g, const std::string& nom) {
    for (const TraceGabarit& t : g.traces)
        if (t.nom == nom) return t.points;
    throw std::runtime_error("pas de tracé " + nom);
}

TEST(Gabarit, LosangeCalculeALaMain) {
    const auto m = Calcule("gabarits/losange.ortix");
    const auto g = Construire(*m);
    using E = Face;
    // clang-format off
    for (auto [bout, f, rang, Y] : std::initializer_list<std::tuple<std::size_t, Face, int, double>>{
             {0, E::Extrados, 5, 30}, {0, E::Intrados, 15, 10}, {1, E::Extrados, 3, 26},
             {1, E::Extrados, 9, 18}, {1, E::Extrados, 15, 6}, {1, E::Intrados, 15, 34},
             {1, E::Intrados, 0, 44}}) { // clang-format on
        const Gabarit& b = g[bout];
        EXPECT_EQ(b.graduations.size(), 40u); // 19 numbered and BF on each face
        const Face face = f;
        const int numero = rang;
        const auto t = std::find_if(b.graduations.begin(), b.graduations.end(),
                                    [&](auto& e) { return e.face == face && e.rang == numero; });
        ASSERT_NE(t, b.graduations.end());
        EXPECT_NEAR(t->point.x - b.origine.x, rang ? 10.0 * rang : 200.0, 1e-9) << rang;
        EXPECT_NEAR(b.origine.y - t->point.y, Y, 1e-9) << b.nom << rang;
        const auto &ba = Trace(b, "Corde_BA"), &bf = Trace(b, "Corde_BF");
        EXPECT_NEAR((bf[0].x + bf[1].x - ba[0].x - ba[1].x) / 2, 200, 1e-9);
        EXPECT_NEAR((ba[0].y + ba[1].y) / 2, b.origine.y - 20, 1e-9);
    }
    Appariement a;
    const ProfilProjete pe = Profil_Projete(*m, Extremite::Emplanture);
    EXPECT_FALSE(Apparier_Profils(pe, pe, {-50, 0.5}, a).ok());
    // An upper surface that turns back: the crossing nearest the leading edge.
    const double X[] = {-100, -40, -60, 0, -100}, Y[] = {0, 1, 2, 3, 0};
    ASSERT_TRUE(Apparier_Profils({X, Y, 5}, pe, {-50}, a).ok());
    EXPECT_EQ(a.extrados[0].empl.segment, 3);
    EXPECT_NEAR(a.extrados[0].empl.Y, 13.0 / 6, 1e-12);
}

TEST(Gabarit, GraduationsAppariees) {
    std::mt19937 alea(20250201);
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(alea); };
    auto m = Calcule("lots/projets/aile1.ortix");
    Champs& c = m->champs;
    int essais = 0;
    for (int i = 0; i < 60; ++i) {
        const double Ce = u(120, 400);
        auto f = [](double v) { return std::to_string(v); };
        c = {f(u(150, 900)), f(u(-100, 400)), c.txt_prof_empl, f(Ce),       f(u(0, 40)),
             f(u(-5, 5)),    c.txt_prof_saum, f(u(40, Ce)),    f(u(0, 40)), f(u(-5, 5))};
        Rafraichir_Panneau(*m);
        Vue v;
        if (!Calculer_Profils_Projetes(*m, v)) continue;
        ++essais;
        const auto g = Construire(*m);
        ASSERT_EQ(g[0].graduations.size(), g[1].graduations.size());
        EXPECT_GT(g[0].graduations.size(), 10u);
        for (std::size_t k = 0; k < g[0].graduations.size(); ++k)
            for (const Gabarit& e : g) { // turned back about the leading-edge reference point
                const Graduation &t = e.graduations[k], &r = g[0].graduations[k];
                EXPECT_TRUE(t.face == r.face && t.rang == r.rang && t.X == r.X) << k;
                const double dx = e.origine.x - t.point.x, dy = e.origine.y - t.point.y;
                EXPECT_NEAR(dx * e.cosVrillage + (dy - e.hauteurReference) * e.sinVrillage, t.X,
                            1e-9);
            }
    }
    EXPECT_GT(essais, 40);
}

// The alignment marks of page a that page b shows too.
std::vector<Point2> communes(const PageGabarit& a, const PageGabarit& b) {
    std::vector<Point2> c;
    std::copy_if(a.croix.begin(), a.croix.end(), std::back_inserter(c),
                 [&](Point2 q) { return b.montre(q); });
    return c;
}

TEST(Gabarit, PagesQuiSeRecouvrent) {
    const Gabarit g = Construire(*Calcule("lots/projets/aile1.ortix"))[1];
    // clang-format off
    for (auto [papier, paysage, lignes, colonnes] : std::initializer_list<std::tuple<Papier, bool, int, int>>{
             {{}, true, 1, 2}, {{100, 80, 8, 10}, true, 2, 6}, {{1000, 1000, 10, 10}, true, 1, 1}}) {
        // clang-format on
        Pagination p;
        ASSERT_TRUE(Paginer(g, papier, p).ok());
        EXPECT_EQ(p.paysage, paysage);
        EXPECT_EQ(p.lignes, lignes);
        ASSERT_EQ(p.pages.size(), static_cast<std::size_t>(lignes * colonnes));
        for (Point2 q : g.contour)
            EXPECT_TRUE(std::any_of(p.pages.begin(), p.pages.end(),
                                    [&](auto& pg) { return pg.montre(q); }));
        // Each crop mark is a stroke on the paper, in the margin, clear of the window.
        for (const PageGabarit& pg : p.pages)
            for (const Segment& s : pg.coupes) {
                const Point2 c{(s.a.x + s.b.x) / 2, (s.a.y + s.b.y) / 2};
                EXPECT_GT(std::hypot(s.b.x - s.a.x, s.b.y - s.a.y), 1);
                EXPECT_TRUE(c.x > 0 && c.x < pg.largeur && c.y > 0 && c.y < pg.hauteur);
                EXPECT_FALSE(c.x >= pg.marge && c.x <= pg.marge + pg.largeurFenetre &&
                             c.y >= pg.marge && c.y <= pg.marge + pg.hauteurFenetre);
            }
        for (const PageGabarit& a : p.pages)
            for (const PageGabarit& b : p.pages) {
                const bool droite = b.ligne == a.ligne && b.colonne == a.colonne + 1;
                if (!droite && !(b.colonne == a.colonne && b.ligne == a.ligne + 1)) continue;
                EXPECT_DOUBLE_EQ(droite ? a.coin.x + a.largeurFenetre - b.coin.x
                                        : a.coin.y + a.hauteurFenetre - b.coin.y,
                                 10);
                EXPECT_EQ(droite ? a.coin.y : a.coin.x, droite ? b.coin.y : b.coin.x);
                EXPECT_GE(communes(a, b).size(), 2u); // the same marks on both pages
                EXPECT_EQ(communes(a, b), communes(b, a));
            }
    }
}

// The output with the templates, into a folder, as the dialog and the batch command write it.
Resultat Ecrire(const Modele& m, const fs::path& d) {
    std::vector<std::string> ecrits;
    return fichiers::Sauve_Fichiers(m, d, fichiers::Propose_Noms(m.Txt_Nom_proj, "", "", m.finals),
                                    {true, {}}, ecrits);
}

TEST(Gabarit, FichiersPdfEtSvgALEchelle) {
    const auto m = Calcule("gabarits/losange.ortix");
    // "A project name holding a Unicode noncharacter (U+FDD0–U+FDEF, U+xFFFE,
    // U+xFFFF) or a code point that XML forbids": Cairo refused the PDF in English,
    // and the SVG was not XML.
    m->Txt_Nom_proj = "A & 'B' \uFDD0\U0001FFFE";
    const fs::path d = Dossier_Neuf("gabarits/fichiers");
    if (!fichiers::Pdf_Disponible()) { // built without Cairo: refused, nothing written
        EXPECT_FALSE(Ecrire(*m, d).ok());
        EXPECT_TRUE(fs::is_empty(d));
        return;
    }
    ASSERT_TRUE(Ecrire(*m, d).ok());
    EXPECT_EQ(std::distance(fs::directory_iterator(d), {}), 6); // read below by their names
    // 254 dpi: 10 pixels to the millimetre. A missing pdftoppm fails here.
    const std::string commande = "pdftoppm -r 254 -gray -f 1 -l 1 -singlefile \"" +
                                 (d / (m->Txt_Nom_proj + "_Gabarits.pdf")).string() + "\" \"" +
                                 (d / "p").string() + "\"";
    ASSERT_EQ(std::system(commande.c_str()), 0) << commande;
    std::istringstream pgm(Contenu(d / "p.pgm"));
    std::string magique;
    int W = 0, H = 0, maxi = 0, plusLong = 0;
    pgm >> magique >> W >> H >> maxi;
    pgm.get();
    ASSERT_EQ(magique, "P5");
    EXPECT_TRUE(std::abs(W - 2970) <= 1 && std::abs(H - 2100) <= 1) << W << "x" << H; // landscape
    for (int y = 0; y < H; ++y) // the longest dark run of a row: the scale bar
        for (int x = 0, n = 0; x < W; ++x)
            plusLong = std::max(plusLong, n = pgm.get() < 128 ? n + 1 : 0);
    EXPECT_NEAR(plusLong, 1000, 2);

    const fs::path empl = d / (m->Txt_Nom_proj + "_Gabarit_Empl.svg");
    ASSERT_EQ(std::system(("xmllint --noout \"" + empl.string() + "\"").c_str()), 0)
        << "xmllint (paquet libxml2-utils) est nécessaire";
    const std::string svg = Contenu(empl);
    std::smatch t;
    ASSERT_TRUE(
        std::regex_search(svg, t, std::regex("width=\"([0-9.]+)mm\".*viewBox=\"0 0 ([0-9.]+)")));
    EXPECT_EQ(t[1], t[2]);
    EXPECT_NE(svg.find(">A &amp; &apos;B&apos; ?\?<"), std::string::npos);
    ASSERT_TRUE(
        std::regex_search(svg, t, std::regex("id=\"profil-emplanture\"[^>]*points=\"([^\"]*)")));
    std::istringstream points(std::regex_replace(t[1].str(), std::regex(","), " "));
    std::vector<Point2> lus;
    for (Point2 q; points >> q.x >> q.y;)
        lus.push_back(q);
    ASSERT_EQ(lus.size(), static_cast<std::size_t>(m->Nb_Pts_Empl_Proj));
    for (int i = 1; i <= m->Nb_Pts_Empl_Proj; ++i) { // no twist: X' leftward, Y upward
        const Point2 q = lus[static_cast<std::size_t>(i - 1)];
        EXPECT_NEAR(lus[0].x - q.x, m->X_Empl_Proj(i) - m->X_Empl_Proj(1), 0.001);
        EXPECT_NEAR(lus[0].y - q.y, m->Y_Empl_Proj(i) - m->Y_Empl_Proj(1), 0.001);
    }
}

TEST(Gabarit, RefusSansRienEcrire) {
    const fs::path d = Dossier_Neuf("gabarits/refus");
    for (auto abimer : std::initializer_list<void (*)(Modele&)>{
             [](Modele& m) { m.Nb_Pts_Saum_Proj = 0; }, [](Modele& m) { m.Y_Empl_Proj(3) = NAN; },
             [](Modele& m) { m.finals.Txt_Vrill_Saum_Final = TexteSansValeur; },
             [](Modele& m) { m.finals.Txt_Corde_Final = "1e999"; },
             [](Modele& m) { m.Txt_Nom_proj = "a/b"; }}) {
        auto m = Calcule("gabarits/losange.ortix");
        abimer(*m);
        EXPECT_FALSE(Ecrire(*m, d).ok());
    }
    EXPECT_TRUE(fs::is_empty(d));
}

} // namespace
} // namespace ortix
