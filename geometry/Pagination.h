// The cutting templates laid on sheets of paper: tiled pages that overlap, with
// crop and alignment marks and page labels, in millimetres.
#pragma once

#include "geometry/Gabarit.h"
#include "model/Resultat.h"

#include <array>
#include <vector>

namespace ortix {

// A sheet of paper as given in portrait; the template is printed inside the
// margins, pages overlapping by `recouvrement`.
struct Papier {
    double largeur = 210, hauteur = 297; // A4
    double marge = 10, recouvrement = 10;
};

// The papers a template may be printed on: the name the batch command takes
// (--papier), the name the window shows, and the size in portrait, in mm.
struct FormatPapier {
    const char* nom;
    const char* libelle;
    double largeur, hauteur;
};
inline constexpr std::array<FormatPapier, 3> FormatsPapier = {{
    {"a4", "A4", 210, 297},
    {"a3", "A3", 297, 420},
    {"letter", "US Letter", 215.9, 279.4},
}};

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
