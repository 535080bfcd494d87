// The cutting templates laid on sheets of paper: tiled pages that overlap, with
// crop and alignment marks and page labels, in millimetres, and an assembly page
// in front of a template printed on more than one.
#pragma once

#include "geometry/Gabarit.h"
#include "model/Resultat.h"

#include <array>
#include <vector>

namespace ortix {

// A sheet of paper as given in portrait; the template is printed inside the
// margins, pages overlapping by `recouvrement`. The margins hold the page's
// texts and crop marks, none of which comes closer to the paper's edge than
// 8 mm: they are at least 14 mm.
struct Papier {
    double largeur = 210, hauteur = 297; // A4
    double marge = 15, recouvrement = 10;
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
// marge). Crop marks, traces and texts are in paper coordinates, alignment
// marks in template coordinates. The assembly page has no window: its traces
// draw the pages' grid and the outline small across it.
struct PageGabarit {
    int numero = 1, ligne = 1, colonne = 1; // all 0 on the assembly page
    bool assemblage = false;
    double largeur = 0, hauteur = 0; // the paper as laid
    double marge = 0;
    Point2 coin;
    double largeurFenetre = 0, hauteurFenetre = 0;
    std::vector<Segment> coupes;
    std::vector<Point2> croix;
    std::vector<TraceGabarit> traces;
    std::vector<TexteGabarit>
        textes; // the print hint, the label "Emplanture 2/3" and the page's place

    // Whether the window holds the template point p.
    bool montre(Point2 p) const {
        return !assemblage && p.x >= coin.x && p.x <= coin.x + largeurFenetre && p.y >= coin.y &&
               p.y <= coin.y + hauteurFenetre;
    }
};

struct Pagination {
    bool paysage = false;
    int lignes = 0, colonnes = 0;
    // The assembly page first when there are two pages or more, then the pages
    // of the grid that show some of the template, row by row, numbered from 1.
    std::vector<PageGabarit> pages;
};

// Lays the template on pages of the paper, portrait or landscape, whichever
// prints fewer pages (when equal, landscape for a template wider than tall), the
// grid from the template's top left corner. A page of the grid that would show
// nothing of the template is left out. Two alignment marks are placed in the
// overlap of each two neighbouring pages, where no ink of the template lies
// within 6.5 mm of their centre; where none can be, fewer. Refused when the margins are
// narrower than 14 mm, when the window left inside them is not larger than the
// overlap, or when the template needs more than 400 pages.
Resultat Paginer(const Gabarit& g, const Papier& papier, Pagination& p);

// Builds both templates and lays each on pages of the paper, its title block
// above the drawing or beside it, whichever prints fewer pages (above when
// equal). Refused, leaving all four as they were, as Construire_Gabarits and
// Paginer refuse.
Resultat Mettre_En_Pages(const Modele& m, const std::string& date, const Papier& papier,
                         Gabarit& empl, Gabarit& saum, Pagination& pe, Pagination& ps);

} // namespace ortix
