#include "geometry/Pagination.h"

#include "model/Nombres.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace ortix {

namespace {

constexpr double HorsBord = 8; // nothing printed closer to the paper's edge
constexpr double MargeMinimale = 14;
constexpr double RayonCroix = 3; // an alignment mark's arms
// No ink closer to a mark's centre: 3 mm clear of its arms, and some to spare.
constexpr double DegagementCroix = 6.5;
// What every page says at its top.
constexpr const char* ConseilImpression =
    "Imprimer à 100 % (taille réelle), sans ajustement à la page";

// The ink of a template: strokes with their half width, and the texts' boxes.
struct TraitEncre {
    Point2 a, b;
    double demi;
};
struct Encre {
    std::vector<TraitEncre> traits;
    std::vector<Boite> boites;
};

Encre encreDe(const Gabarit& g) {
    Encre e;
    auto ligne = [&](const std::vector<Point2>& p, double epaisseur, bool ferme) {
        for (std::size_t i = 1; i < p.size(); ++i)
            e.traits.push_back({p[i - 1], p[i], epaisseur / 2});
        if (ferme && p.size() > 2) e.traits.push_back({p.back(), p.front(), epaisseur / 2});
    };
    ligne(g.contour, 0.3, false);
    for (const TraceGabarit& t : g.traces)
        ligne(t.points, t.epaisseur, t.ferme);
    auto texte = [&](const TexteGabarit& t) {
        if (!t.texte.empty()) e.boites.push_back(Boite_Texte(t));
    };
    for (const Graduation& t : g.graduations) {
        e.traits.push_back({t.a, t.b, 0.125});
        texte(t.etiquette);
    }
    for (const TexteGabarit& t : g.textes)
        texte(t);
    return e;
}

Boite boiteTrait(const TraitEncre& t) {
    return {std::min(t.a.x, t.b.x) - t.demi, std::min(t.a.y, t.b.y) - t.demi,
            std::max(t.a.x, t.b.x) + t.demi, std::max(t.a.y, t.b.y) + t.demi};
}

// Whether some ink lies in the rectangle r.
bool encre(const Encre& e, const Boite& r) {
    for (TraitEncre t : e.traits)
        if (Couper_Segment(t.a, t.b, r.gauche - t.demi, r.haut - t.demi, r.droite + t.demi,
                           r.bas + t.demi))
            return true;
    return std::any_of(e.boites.begin(), e.boites.end(),
                       [&](const Boite& b) { return Boites_Proches(b, r, 0); });
}

// The distance from p to the nearest ink.
double distance(const Encre& e, Point2 p) {
    double d = HUGE_VAL;
    for (const TraitEncre& t : e.traits) {
        const double dx = t.b.x - t.a.x, dy = t.b.y - t.a.y, l2 = dx * dx + dy * dy;
        const double u =
            l2 > 0 ? std::clamp(((p.x - t.a.x) * dx + (p.y - t.a.y) * dy) / l2, 0.0, 1.0) : 0;
        d = std::min(d, std::hypot(p.x - t.a.x - u * dx, p.y - t.a.y - u * dy) - t.demi);
    }
    for (const Boite& b : e.boites)
        d = std::min(d, std::hypot(std::max({b.gauche - p.x, 0.0, p.x - b.droite}),
                                   std::max({b.haut - p.y, 0.0, p.y - b.bas})));
    return d;
}

// The pages' grid on the paper as laid, from the template's top left corner.
struct Grille {
    double W = 0, H = 0;   // the paper
    double Wu = 0, Hu = 0; // the window
    double rec = 0;
    int colonnes = 0, lignes = 0;

    double gauche(int c) const { return (c - 1) * (Wu - rec); }
    double haut(int l) const { return (l - 1) * (Hu - rec); }
    Boite fenetre(int l, int c) const { return {gauche(c), haut(l), gauche(c) + Wu, haut(l) + Hu}; }
    int total() const { return lignes * colonnes; }
};

Grille grille(const Gabarit& g, const Papier& papier, bool paysage) {
    // Pages along one direction: the first holds `utile`, each further one
    // `utile - rec` more. A hair over is not worth a page.
    auto pages = [&](double etendue, double utile) {
        return static_cast<int>(
            std::min(1e6, 1 + std::max(0.0, std::ceil((etendue - utile - 1e-6) /
                                                      (utile - papier.recouvrement)))));
    };
    Grille r;
    r.W = paysage ? papier.hauteur : papier.largeur;
    r.H = paysage ? papier.largeur : papier.hauteur;
    r.Wu = r.W - 2 * papier.marge;
    r.Hu = r.H - 2 * papier.marge;
    r.rec = papier.recouvrement;
    r.colonnes = pages(g.largeur, r.Wu);
    r.lignes = pages(g.hauteur, r.Hu);
    return r;
}

// Which pages of the grid show some ink, row by row; empty beyond 400 pages.
std::vector<bool> encrees(const Encre& e, const Grille& G) {
    std::vector<bool> r;
    if (static_cast<double>(G.lignes) * G.colonnes > 400) return r;
    for (int l = 1; l <= G.lignes; ++l)
        for (int c = 1; c <= G.colonnes; ++c)
            r.push_back(encre(e, G.fenetre(l, c)));
    return r;
}

// Up to two alignment marks on the middle line of an overlap, from `debut` to
// `fin`: where no ink nor other mark comes near, the nearest a quarter and three
// quarters of the way.
void placerCroix(const Encre& e, Point2 debut, Point2 fin, std::vector<Point2>& croix) {
    const double L = std::hypot(fin.x - debut.x, fin.y - debut.y);
    if (!(L > 0)) return;
    // Only the ink near the line counts.
    const Boite zone{
        std::min(debut.x, fin.x) - DegagementCroix, std::min(debut.y, fin.y) - DegagementCroix,
        std::max(debut.x, fin.x) + DegagementCroix, std::max(debut.y, fin.y) + DegagementCroix};
    Encre proche;
    for (const TraitEncre& t : e.traits)
        if (Boites_Proches(boiteTrait(t), zone, 0)) proche.traits.push_back(t);
    for (const Boite& b : e.boites)
        if (Boites_Proches(b, zone, 0)) proche.boites.push_back(b);
    for (const Point2& q : croix)
        proche.boites.push_back({q.x - DegagementCroix, q.y - DegagementCroix,
                                 q.x + DegagementCroix, q.y + DegagementCroix});

    std::vector<double> libres; // distances along the line, every millimetre
    for (double t = 0; t <= L; t += 1) {
        const Point2 q{debut.x + t / L * (fin.x - debut.x), debut.y + t / L * (fin.y - debut.y)};
        if (distance(proche, q) >= DegagementCroix) libres.push_back(t);
    }
    double premiere = -HUGE_VAL;
    for (const double cible : {L / 4, 3 * L / 4}) {
        double meilleure = HUGE_VAL;
        for (const double t : libres)
            if (std::abs(t - premiere) >= L / 4 &&
                std::abs(t - cible) < std::abs(meilleure - cible))
                meilleure = t;
        if (meilleure == HUGE_VAL) continue;
        croix.push_back({debut.x + meilleure / L * (fin.x - debut.x),
                         debut.y + meilleure / L * (fin.y - debut.y)});
        premiere = meilleure;
    }
}

// A text centred on x, made smaller if needed to fit `largeur`.
TexteGabarit centre(double x, double taille, double largeur, std::string s, bool haut, double H) {
    TexteGabarit t{{x, 0}, taille, Ancrage::Centre, std::move(s)};
    const Boite b = Boite_Texte(t);
    if (b.droite - b.gauche > largeur) t.taille *= largeur / (b.droite - b.gauche);
    // Its box's edge half a millimetre inside the band kept clear along the paper's edge.
    t.position.y = haut ? HorsBord + 0.5 + 0.93 * t.taille : H - HorsBord - 0.5 - 0.24 * t.taille;
    return t;
}

// The assembly page: the pages of the grid, numbered, the outline small across them.
PageGabarit assemblage(const Gabarit& g, const Grille& G, double m,
                       const std::vector<PageGabarit>& pages) {
    PageGabarit a;
    a.numero = a.ligne = a.colonne = 0;
    a.assemblage = true;
    a.largeur = G.W;
    a.hauteur = G.H;
    a.marge = m;
    a.textes.push_back(Texte_Centre({G.W / 2, m + 4}, 5, g.nom + " : plan d'assemblage"));
    const Boite zone{m, m + 12, G.W - m, G.H - m};
    const double L = G.gauche(G.colonnes) + G.Wu, H = G.haut(G.lignes) + G.Hu;
    const double s = std::min((zone.droite - zone.gauche) / L, (zone.bas - zone.haut) / H);
    const Point2 o{(zone.gauche + zone.droite - s * L) / 2, (zone.haut + zone.bas - s * H) / 2};
    auto vers = [&](Point2 p) { return Point2{o.x + s * p.x, o.y + s * p.y}; };
    for (const PageGabarit& p : pages) {
        // Each page's share of the grid: its window less half of each overlap.
        const Boite f = G.fenetre(p.ligne, p.colonne);
        const double d = G.rec / 2;
        const Boite c{f.gauche + (p.colonne > 1 ? d : 0), f.haut + (p.ligne > 1 ? d : 0),
                      f.droite - (p.colonne < G.colonnes ? d : 0),
                      f.bas - (p.ligne < G.lignes ? d : 0)};
        a.traces.push_back({"Page_" + std::to_string(p.numero),
                            {vers({c.gauche, c.haut}), vers({c.droite, c.haut}),
                             vers({c.droite, c.bas}), vers({c.gauche, c.bas})},
                            Trait::Plein,
                            0.3,
                            true});
        const double taille =
            std::clamp(0.4 * s * std::min(c.droite - c.gauche, c.bas - c.haut), 4.0, 20.0);
        a.textes.push_back(Texte_Centre(vers({(c.gauche + c.droite) / 2, (c.haut + c.bas) / 2}),
                                        taille, std::to_string(p.numero)));
    }
    std::vector<Point2> profil;
    profil.reserve(g.contour.size());
    for (const Point2 q : g.contour)
        profil.push_back(vers(q));
    a.traces.push_back({"Profil", std::move(profil), Trait::Plein, 0.25, false});
    return a;
}

} // namespace

Resultat Paginer(const Gabarit& g, const Papier& papier, Pagination& p) {
    const double m = papier.marge, rec = papier.recouvrement;
    if (!(Fini(papier.largeur) && Fini(papier.hauteur) && Fini(m) && Fini(rec) &&
          m >= MargeMinimale && rec >= 0) ||
        !(papier.largeur - 2 * m > rec && papier.hauteur - 2 * m > rec))
        return Resultat::Refus("Le format de papier ne laisse pas de place au gabarit entre ses "
                               "marges et le recouvrement des pages.");
    if (!(Fini(g.largeur) && Fini(g.hauteur)))
        return Resultat::Refus("Les dimensions du gabarit ne sont pas des nombres finis.");

    // The orientation that prints fewer pages; equal counts: the paper laid as
    // the template runs.
    const Encre e = encreDe(g);
    const Grille Gp = grille(g, papier, false), Gl = grille(g, papier, true);
    const std::vector<bool> ep = encrees(e, Gp), el = encrees(e, Gl);
    if (ep.empty() && el.empty())
        return Resultat::Refus("Le gabarit " + g.nom + " demanderait plus de 400 pages.");
    auto compte = [](const std::vector<bool>& v) {
        return v.empty() ? 1000 : static_cast<int>(std::count(v.begin(), v.end(), true));
    };
    const bool tourne =
        compte(el) < compte(ep) || (compte(el) == compte(ep) && g.largeur > g.hauteur);
    const Grille& G = tourne ? Gl : Gp;
    const std::vector<bool>& garde = tourne ? el : ep;
    auto gardee = [&](int l, int c) {
        return l >= 1 && l <= G.lignes && c >= 1 && c <= G.colonnes &&
               garde[static_cast<std::size_t>((l - 1) * G.colonnes + c - 1)];
    };

    // Alignment marks in the overlap of each two pages printed side by side,
    // clear of the other overlaps, so that each shows on those two pages only.
    std::vector<Point2> croix;
    const double bout = RayonCroix + 1;
    for (int l = 1; l <= G.lignes; ++l)
        for (int c = 1; c <= G.colonnes; ++c) {
            const Boite f = G.fenetre(l, c);
            const double h = f.haut + (l > 1 ? rec : 0) + bout;
            const double b = f.bas - (l < G.lignes ? rec : 0) - bout;
            const double gg = f.gauche + (c > 1 ? rec : 0) + bout;
            const double d = f.droite - (c < G.colonnes ? rec : 0) - bout;
            if (gardee(l, c) && gardee(l, c + 1))
                placerCroix(e, {f.droite - rec / 2, h}, {f.droite - rec / 2, b}, croix);
            if (gardee(l, c) && gardee(l + 1, c))
                placerCroix(e, {gg, f.bas - rec / 2}, {d, f.bas - rec / 2}, croix);
        }

    Pagination r;
    r.paysage = tourne;
    r.lignes = G.lignes;
    r.colonnes = G.colonnes;
    const int total = static_cast<int>(std::count(garde.begin(), garde.end(), true));
    const double place = G.W - 2 * m - 1; // between the crop marks
    for (int l = 1; l <= G.lignes; ++l)
        for (int c = 1; c <= G.colonnes; ++c) {
            if (!gardee(l, c)) continue;
            PageGabarit pg;
            pg.numero = static_cast<int>(r.pages.size()) + 1;
            pg.ligne = l;
            pg.colonne = c;
            pg.largeur = G.W;
            pg.hauteur = G.H;
            pg.marge = m;
            pg.coin = {G.gauche(c), G.haut(l)};
            pg.largeurFenetre = G.Wu;
            pg.hauteurFenetre = G.Hu;
            for (const Point2& q : croix)
                if (pg.montre(q)) pg.croix.push_back(q);
            // Crop marks run out from the window's corners along its edges.
            for (const double cx : {m, m + G.Wu})
                for (const double cy : {m, m + G.Hu}) {
                    const double sx = cx == m ? -1 : 1, sy = cy == m ? -1 : 1;
                    pg.coupes.push_back({{cx + sx, cy}, {cx + sx * (m - HorsBord), cy}, {}});
                    pg.coupes.push_back({{cx, cy + sy}, {cx, cy + sy * (m - HorsBord)}, {}});
                }
            std::string etiquette =
                g.nom + " " + std::to_string(pg.numero) + "/" + std::to_string(total);
            if (total > 1)
                etiquette += ", ligne " + std::to_string(l) + ", colonne " + std::to_string(c) +
                             " : superposer les croix des pages voisines";
            pg.textes.push_back(
                centre(G.W / 2, TailleTexteGabarit, place, ConseilImpression, true, G.H));
            pg.textes.push_back(
                centre(G.W / 2, TailleTexteGabarit, place, std::move(etiquette), false, G.H));
            r.pages.push_back(std::move(pg));
        }
    if (total > 1) {
        PageGabarit a = assemblage(g, G, m, r.pages);
        a.textes.push_back(
            centre(G.W / 2, TailleTexteGabarit, place, ConseilImpression, true, G.H));
        a.textes.push_back(centre(G.W / 2, TailleTexteGabarit, place,
                                  g.nom + " : plan d'assemblage des " + std::to_string(total) +
                                      " pages qui suivent",
                                  false, G.H));
        r.pages.insert(r.pages.begin(), std::move(a));
    }
    p = std::move(r);
    return {};
}

Resultat Mettre_En_Pages(const Modele& m, const std::string& date, const Papier& papier,
                         Gabarit& empl, Gabarit& saum, Pagination& pe, Pagination& ps) {
    // [disposition][end]
    std::array<std::array<Gabarit, 2>, 2> g;
    std::array<std::array<Pagination, 2>, 2> p;
    std::array<std::array<Resultat, 2>, 2> r;
    for (const Disposition d : {Disposition::Dessus, Disposition::ACote}) {
        const auto k = static_cast<std::size_t>(d);
        if (Resultat c = Construire_Gabarits(m, date, d, g[k][0], g[k][1]); !c) return c;
        for (std::size_t e = 0; e < 2; ++e)
            r[k][e] = Paginer(g[k][e], papier, p[k][e]);
    }
    std::array<std::size_t, 2> choix{};
    for (std::size_t e = 0; e < 2; ++e) {
        if (!r[0][e] && !r[1][e]) return r[0][e];
        choix[e] = !r[0][e] || (r[1][e] && p[1][e].pages.size() < p[0][e].pages.size());
    }
    empl = std::move(g[choix[0]][0]);
    saum = std::move(g[choix[1]][1]);
    pe = std::move(p[choix[0]][0]);
    ps = std::move(p[choix[1]][1]);
    return {};
}

} // namespace ortix
