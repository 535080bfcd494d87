// The cutting templates laid on sheets of paper: tiled pages that overlap, with
// crop and alignment marks and page labels, in millimetres.
#pragma once

#include "geometry/Gabarit.h"
#include "model/Resultat.h"

#include <vector>

namespace ortix {

// A sheet of paper as given in portrait; the template is printed inside the
// margins, pages overlapping by `recouvrement`.
struct Papier {
    double largeur = 210, hauteur = 297; // A4
    double marge = 10, recouvrement = 10;
};

// One printed page. Its window, the part of the template it shows, has its
// top-left corner at template point `coin` and lies on the paper at (marge,
// marge). Crop marks and texts are in paper coordinates, alignment marks in
// template coordinates.
struct PageGabarit {
    int numero = 1, ligne = 1, colonne = 1;
    double largeur = 0, hauteur = 0; // the paper as laid
    double marge = 0;
    Point2 coin;
    double largeurFenetre = 0, hauteurFenetre = 0;
    std::vector<Segment> coupes;
    std::vector<Point2> croix;
    std::vector<TexteGabarit> textes; // the label "Emplanture 2/3" and the page's place

    // Whether the window holds the template point p.
    bool montre(Point2 p) const {
        return p.x >= coin.x && p.x <= coin.x + largeurFenetre && p.y >= coin.y &&
               p.y <= coin.y + hauteurFenetre;
    }
};

struct Pagination {
    bool paysage = false;
    int lignes = 0, colonnes = 0;
    std::vector<PageGabarit> pages; // row by row
};

// Lays the template on pages of the paper, portrait or landscape, whichever
// needs fewer pages (when equal, landscape for a template wider than tall), the
// grid centred on the template. Refused when the window left inside the margins
// is not larger than the overlap, or when the template needs more than 400 pages.
Resultat Paginer(const Gabarit& g, const Papier& papier, Pagination& p);

} // namespace ortix
