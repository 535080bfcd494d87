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
    EXPECT_TRUE(Construire_Gabarits(m, "01/02/2025", Disposition::Dessus, g[0], g[1]).ok());
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

double Distance(Point2 p, Point2 a, Point2 b) {
    const double dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
    const double u = l2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l2, 0.0, 1.0) : 0;
    return std::hypot(p.x - a.x - u * dx, p.y - a.y - u * dy);
}

// The assembly map keeps inside the page's margins.
void CarteDansLesMarges(const PageGabarit& pg) {
    for (const TraceGabarit& t : pg.traces)
        for (const Point2 q : t.points)
            EXPECT_TRUE(std::min({q.x - pg.marge, pg.largeur - pg.marge - q.x, q.y - pg.marge,
                                  pg.hauteur - pg.marge - q.y}) > -1e-9)
                << t.nom;
}

// What every template and its pages hold, whatever the panel: texts that never
// overprint one another, ticks that cross no outline, alignment marks clear of
// all ink, pages that show some of the template, the margins' texts and marks
// 7 mm from the paper's edges, the scale bar and the square on the first page.
void Imprimable(const Gabarit& g, const Pagination& p) {
    std::vector<std::pair<Point2, Point2>> traits;
    auto ligne = [&](const std::vector<Point2>& v, bool ferme) {
        for (std::size_t i = 1; i < v.size(); ++i)
            traits.emplace_back(v[i - 1], v[i]);
        if (ferme) traits.emplace_back(v.back(), v.front());
    };
    ligne(g.contour, false);
    for (const TraceGabarit& t : g.traces)
        ligne(t.points, t.ferme);
    std::vector<Boite> boites;
    auto texte = [&](const TexteGabarit& t) {
        if (!t.texte.empty()) boites.push_back(Boite_Texte(t));
    };
    for (const Graduation& t : g.graduations) {
        for (std::size_t i = 1; i < g.contour.size(); ++i) { // a crossing inside the stroke
            const Point2 c = g.contour[i - 1], d = g.contour[i];
            const double det = (t.b.x - t.a.x) * (d.y - c.y) - (t.b.y - t.a.y) * (d.x - c.x);
            const double u = ((c.x - t.a.x) * (d.y - c.y) - (c.y - t.a.y) * (d.x - c.x)) / det;
            const double v =
                ((c.x - t.a.x) * (t.b.y - t.a.y) - (c.y - t.a.y) * (t.b.x - t.a.x)) / det;
            const Point2 x{t.a.x + u * (t.b.x - t.a.x), t.a.y + u * (t.b.y - t.a.y)};
            EXPECT_FALSE(u > 1e-6 && u < 1 - 1e-6 && v >= 0 && v <= 1 &&
                         std::hypot(x.x - t.point.x, x.y - t.point.y) > 1e-6)
                << g.nom << " " << t.rang;
        }
        traits.emplace_back(t.a, t.b);
        texte(t.etiquette);
    }
    for (const TexteGabarit& t : g.textes)
        texte(t);
    for (std::size_t i = 0; i < boites.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_FALSE(Boites_Proches(boites[i], boites[j], 0)) << g.nom << i << " " << j;

    const bool plan = p.pages.size() > 1;
    ASSERT_FALSE(p.pages.empty());
    EXPECT_EQ(p.pages[0].assemblage, plan);
    for (std::size_t k = 0; k < p.pages.size(); ++k) {
        const PageGabarit& pg = p.pages[k];
        EXPECT_EQ(pg.numero, static_cast<int>(plan ? k : k + 1));
        auto dansLaPage = [&](Point2 q) {
            return q.x >= 7 && q.x <= pg.largeur - 7 && q.y >= 7 && q.y <= pg.hauteur - 7;
        };
        for (const TexteGabarit& t : pg.textes) {
            const Boite b = Boite_Texte(t);
            EXPECT_TRUE(dansLaPage({b.gauche, b.haut}) && dansLaPage({b.droite, b.bas})) << t.texte;
        }
        for (const Segment& c : pg.coupes)
            EXPECT_TRUE(dansLaPage(c.a) && dansLaPage(c.b));
        CarteDansLesMarges(pg);
        const Boite f{pg.coin.x, pg.coin.y, pg.coin.x + pg.largeurFenetre,
                      pg.coin.y + pg.hauteurFenetre};
        bool encre = false;
        for (auto [a, b] : traits)
            encre = encre || Couper_Segment(a, b, f.gauche, f.haut, f.droite, f.bas);
        for (const Boite& b : boites)
            encre = encre || Boites_Proches(b, f, 0);
        EXPECT_EQ(encre, !pg.assemblage) << g.nom << " " << k;
        for (const Point2 q : pg.croix) { // 3 mm arms, nothing within 3 mm of them
            EXPECT_TRUE(Boites_Proches({q.x, q.y, q.x, q.y}, f, -3));
            for (auto [a, b] : traits)
                EXPECT_GE(Distance(q, a, b), 6.2);
            for (const Boite& b : boites)
                EXPECT_GE(std::hypot(std::max({b.gauche - q.x, 0.0, q.x - b.droite}),
                                     std::max({b.haut - q.y, 0.0, q.y - b.bas})),
                          6);
        }
    }
    for (const Point2 q : Trace(g, "Echelle"))
        EXPECT_TRUE(p.pages[plan].montre(q));
    for (const Point2 q : Trace(g, "Carre"))
        EXPECT_TRUE(p.pages[plan].montre(q));
}

TEST(Gabarit, PanneauxAuHasard) {
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
        const FormatPapier& papier = FormatsPapier[static_cast<std::size_t>(i) % 3];
        Gabarit e, s;
        Pagination pe, ps;
        ASSERT_TRUE(
            Mettre_En_Pages(*m, "01/02/2025", {papier.largeur, papier.hauteur}, e, s, pe, ps).ok());
        Imprimable(e, pe);
        Imprimable(s, ps);
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
    { // a template far taller than wide: its assembly map as tall as the page allows
        Gabarit haut;
        haut.largeur = 150, haut.hauteur = 700, haut.contour = {{0, 0}, {150, 700}};
        Pagination p;
        ASSERT_TRUE(Paginer(haut, {}, p).ok());
        ASSERT_GT(p.pages.size(), 2u);
        CarteDansLesMarges(p.pages[0]);
    }
    // clang-format off
    for (auto [papier, paysage, lignes, colonnes, imprimees, croix] : std::initializer_list<std::tuple<Papier, bool, int, int, std::size_t, std::size_t>>{
             {{}, true, 1, 2, 2, 2}, {{100, 80, 15, 10}, false, 4, 6, 17, 0}, {{1000, 1000, 15, 10}, true, 1, 1, 1, 0}}) {
        // clang-format on
        Pagination p; // the grid's empty pages left out, an assembly page before two or more
        ASSERT_TRUE(Paginer(g, papier, p).ok());
        EXPECT_EQ(p.paysage, paysage);
        EXPECT_EQ(p.lignes * 100 + p.colonnes, lignes * 100 + colonnes);
        EXPECT_EQ(p.pages.size(), imprimees + (imprimees > 1));
        // The first mark where nothing is near: a quarter of the way down the
        // overlap's middle line, which keeps 4 mm (arm and clearance) from the edges.
        if (croix == 2) {
            EXPECT_EQ(p.pages[1].croix.front(), (Point2{267 - 10 / 2.0, 4 + (180 - 8) / 4.0}));
        }
        for (Point2 q : g.contour)
            EXPECT_TRUE(std::any_of(p.pages.begin(), p.pages.end(),
                                    [&](auto& pg) { return pg.montre(q); }));
        // Each alignment mark shows on the two pages whose overlap holds it, and only there.
        for (const PageGabarit& pg : p.pages)
            for (const Point2 q : pg.croix)
                EXPECT_EQ(std::count_if(p.pages.begin(), p.pages.end(),
                                        [&](auto& o) { return o.montre(q); }),
                          2);
        // In the margins above and below the window, each line of text at its size, or
        // made just small enough to fit between the crop marks.
        for (const PageGabarit& pg : p.pages)
            for (const TexteGabarit& t : pg.textes) {
                if (t.position.y > pg.marge && t.position.y < pg.hauteur - pg.marge) continue;
                const Boite b = Boite_Texte(t);
                const double place = pg.largeur - 2 * pg.marge - 1;
                EXPECT_LE(b.droite - b.gauche, place + 1e-9) << t.texte;
                if (t.taille != TailleTexteGabarit) {
                    EXPECT_NEAR(b.droite - b.gauche, place, 1e-9) << t.texte;
                }
            }
        // Each crop mark is a stroke on the paper, in the margin, clear of the window.
        for (const PageGabarit& pg : p.pages)
            for (const Segment& s : pg.coupes) {
                EXPECT_GT(std::hypot(s.b.x - s.a.x, s.b.y - s.a.y), 1);
                for (const Point2 c : {s.a, s.b}) {
                    EXPECT_TRUE(c.x > 0 && c.x < pg.largeur && c.y > 0 && c.y < pg.hauteur);
                    EXPECT_FALSE(c.x >= pg.marge && c.x <= pg.marge + pg.largeurFenetre &&
                                 c.y >= pg.marge && c.y <= pg.marge + pg.hauteurFenetre);
                }
            }
        for (const PageGabarit& a : p.pages)
            for (const PageGabarit& b : p.pages) {
                const bool droite = b.ligne == a.ligne && b.colonne == a.colonne + 1;
                if (!droite && !(b.colonne == a.colonne && b.ligne == a.ligne + 1)) continue;
                EXPECT_DOUBLE_EQ(droite ? a.coin.x + a.largeurFenetre - b.coin.x
                                        : a.coin.y + a.hauteurFenetre - b.coin.y,
                                 10);
                EXPECT_EQ(droite ? a.coin.y : a.coin.x, droite ? b.coin.y : b.coin.x);
                EXPECT_GE(communes(a, b).size(), croix); // the same marks on both pages
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
    const auto m = Calcule("lots/projets/aile1.ortix");
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
    const fs::path pdf = d / (m->Txt_Nom_proj + "_Gabarits.pdf");
    // The catalog asks viewers not to scale, and every object stands where the
    // cross-reference table says.
    const std::string octets = Contenu(pdf);
    EXPECT_NE(octets.find("<< /ViewerPreferences << /PrintScaling /None >> /Type /Catalog"),
              std::string::npos);
    const std::size_t xref = std::stoul(octets.substr(octets.rfind("startxref") + 9));
    EXPECT_EQ(octets.compare(xref, 4, "xref"), 0);
    std::istringstream table(octets.substr(xref + 4));
    int premier = 0, nombre = 0;
    table >> premier >> nombre;
    for (int k = premier; k < premier + nombre; ++k) {
        std::string offset, generation, type, objet = std::to_string(k) + " 0 obj";
        table >> offset >> generation >> type;
        EXPECT_TRUE(type != "n" || octets.compare(std::stoul(offset), objet.size(), objet) == 0);
    }
    // Two pages a template: the assembly page, then the first page at 254 dpi, 10
    // pixels to the millimetre. A missing pdftoppm or pdftotext fails here.
    const std::string plan =
        "pdftotext -f 1 -l 1 \"" + pdf.string() + "\" \"" + (d / "p.txt").string() + "\"";
    const std::string commande = "pdftoppm -r 254 -gray -f 2 -l 2 -singlefile \"" + pdf.string() +
                                 "\" \"" + (d / "p").string() + "\"";
    ASSERT_EQ(std::system(plan.c_str()), 0) << plan;
    EXPECT_NE(Contenu(d / "p.txt").find("Emplanture : plan d'assemblage"), std::string::npos);
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
    // Turned by the twist about the leading-edge reference point, X' leftward, Y upward.
    const double phi = Radians(Val(m->finals.Txt_Vrill_Empl_Final));
    auto vu = [&](int i) {
        return Tourner_Profil(m->X_Empl_Proj(i), m->Y_Empl_Proj(i), std::cos(phi), std::sin(phi),
                              Val(m->finals.Txt_Href_Empl_final));
    };
    for (int i = 1; i <= m->Nb_Pts_Empl_Proj; ++i) {
        const Point2 q = lus[static_cast<std::size_t>(i - 1)];
        EXPECT_NEAR(lus[0].x - q.x, vu(i).x - vu(1).x, 0.001);
        EXPECT_NEAR(lus[0].y - q.y, vu(i).y - vu(1).y, 0.001);
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
