#include "geometry/Pagination.h"

#include "model/Nombres.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace ortix {

Resultat Paginer(const Gabarit& g, const Papier& papier, Pagination& p) {
    const double m = papier.marge, rec = papier.recouvrement;
    if (!(Fini(papier.largeur) && Fini(papier.hauteur) && Fini(m) && Fini(rec) && m >= 0 &&
          rec >= 0) ||
        !(papier.largeur - 2 * m > rec && papier.hauteur - 2 * m > rec))
        return Resultat::Refus("Le format de papier ne laisse pas de place au gabarit entre ses "
                               "marges et le recouvrement des pages.");
    if (!(Fini(g.largeur) && Fini(g.hauteur)))
        return Resultat::Refus("Les dimensions du gabarit ne sont pas des nombres finis.");

    // Pages along one direction: the first holds `utile`, each further one
    // `utile - rec` more. A hair over is not worth a page.
    auto pages = [&](double etendue, double utile) {
        return 1 + std::max(0.0, std::ceil((etendue - utile - 1e-6) / (utile - rec)));
    };
    const double Wp = papier.largeur - 2 * m, Hp = papier.hauteur - 2 * m;
    const double portrait = pages(g.largeur, Wp) * pages(g.hauteur, Hp);
    const double paysage = pages(g.largeur, Hp) * pages(g.hauteur, Wp);
    // Equal counts: the paper laid as the template runs.
    const bool tourne = paysage < portrait || (paysage == portrait && g.largeur > g.hauteur);
    if (std::min(portrait, paysage) > 400)
        return Resultat::Refus("Le gabarit " + g.nom + " demanderait plus de 400 pages.");

    Pagination r;
    r.paysage = tourne;
    const double W = tourne ? papier.hauteur : papier.largeur;
    const double H = tourne ? papier.largeur : papier.hauteur;
    const double Wu = W - 2 * m, Hu = H - 2 * m;
    r.colonnes = static_cast<int>(pages(g.largeur, Wu));
    r.lignes = static_cast<int>(pages(g.hauteur, Hu));
    // The grid centred on the template.
    const double x0 = (g.largeur - (Wu + (r.colonnes - 1) * (Wu - rec))) / 2;
    const double y0 = (g.hauteur - (Hu + (r.lignes - 1) * (Hu - rec))) / 2;
    auto gauche = [&](int c) { return x0 + (c - 1) * (Wu - rec); };
    auto haut = [&](int l) { return y0 + (l - 1) * (Hu - rec); };

    // Alignment marks in the middle of every overlap, two to each shared edge.
    std::vector<Point2> croix;
    for (int l = 1; l <= r.lignes; ++l)
        for (int c = 1; c < r.colonnes; ++c)
            for (const double f : {0.25, 0.75})
                croix.push_back({gauche(c + 1) + rec / 2, haut(l) + f * Hu});
    for (int l = 1; l < r.lignes; ++l)
        for (int c = 1; c <= r.colonnes; ++c)
            for (const double f : {0.25, 0.75})
                croix.push_back({gauche(c) + f * Wu, haut(l + 1) + rec / 2});

    const int total = r.lignes * r.colonnes;
    const double ecart = 0.2 * m, bout = 0.8 * m; // crop marks within the margin
    for (int l = 1; l <= r.lignes; ++l)
        for (int c = 1; c <= r.colonnes; ++c) {
            PageGabarit pg;
            pg.numero = (l - 1) * r.colonnes + c;
            pg.ligne = l;
            pg.colonne = c;
            pg.largeur = W;
            pg.hauteur = H;
            pg.marge = m;
            pg.coin = {gauche(c), haut(l)};
            pg.largeurFenetre = Wu;
            pg.hauteurFenetre = Hu;
            for (const Point2& q : croix)
                if (pg.montre(q)) pg.croix.push_back(q);
            for (const double cx : {m, m + Wu})
                for (const double cy : {m, m + Hu}) {
                    const double sx = cx == m ? -1 : 1, sy = cy == m ? -1 : 1;
                    pg.coupes.push_back({{cx + sx * ecart, cy}, {cx + sx * bout, cy}, {}});
                    pg.coupes.push_back({{cx, cy + sy * ecart}, {cx, cy + sy * bout}, {}});
                }
            // The label in the middle of the bottom margin, how to assemble in the
            // top one: both clear of the crop marks.
            pg.textes.push_back(Texte_Centre({W / 2, H - m / 2}, TailleTexteGabarit,
                                             g.nom + " " + std::to_string(pg.numero) + "/" +
                                                 std::to_string(total)));
            if (total > 1)
                pg.textes.push_back(Texte_Centre({W / 2, m / 2}, TailleTexteGabarit,
                                                 "Ligne " + std::to_string(l) + ", colonne " +
                                                     std::to_string(c) +
                                                     " : superposer les croix des pages voisines"));
            r.pages.push_back(std::move(pg));
        }
    p = std::move(r);
    return {};
}

} // namespace ortix
