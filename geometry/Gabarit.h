// Full-size cutting templates of the two projected profiles, for builders who
// drag the hot wire by hand along a template glued at each end of the block.
// Everything here is plain data in millimetres; the writers only render it.
//
// Sheet coordinates: x to the right, y downward, 1 unit = 1 mm, the template
// within [0, largeur] x [0, hauteur]. The profile is shown as in the projected
// view: leading edge on the left, Y upward, turned by the final twist about its
// leading-edge reference point (0, H).
#pragma once

#include "geometry/Vue.h"
#include "model/Modele.h"
#include "model/Resultat.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace ortix {

// One projected profile as the computation leaves it: points 1 to n, X' chordwise
// (0 at the leading edge, negative aft), Y upward from the base line, before
// the final twist. The outline runs from the trailing edge over the upper
// surface to the leading edge (its first point of largest X') and back over
// the lower surface.
struct ProfilProjete {
    const double* X = nullptr; // entry 1
    const double* Y = nullptr;
    int n = 0;
};
ProfilProjete Profil_Projete(const Modele& m, Extremite e);

enum class Face { Extrados, Intrados };

// Where one surface of a profile crosses a given X'.
struct PointSurProfil {
    double Y = 0;    // before the final twist
    int segment = 0; // the point lies on the outline's segment (segment, segment + 1)
};

// The two ends of one generator of the panel's extended surface: the root and
// tip points of the same surface at the same X'.
struct Generatrice {
    double X = 0;
    PointSurProfil empl, saum;
};

// For each X' given, in the given order, the generator on the upper surface and
// the one on the lower surface.
struct Appariement {
    std::vector<Generatrice> extrados, intrados;
};

// The X' range in which both surfaces of both profiles are crossed: from the
// foremost of the four trailing-edge ends to the aftmost of the two leading
// edges. Refused (French message) when a profile has fewer than two points, more
// than 1000, or a value that is not finite.
Resultat Etendue_Commune(const ProfilProjete& empl, const ProfilProjete& saum, double& Xmin,
                         double& Xmax);

// Pairs root and tip at each X' given. On each surface the crossing taken is the
// first met walking from the leading edge towards the trailing edge: a surface
// that turns back on itself still gives one point per X', in the same order on
// both profiles. Refused, leaving `paires` as it was, when Etendue_Commune
// refuses or an X' lies outside the common range.
Resultat Apparier_Profils(const ProfilProjete& empl, const ProfilProjete& saum,
                          const std::vector<double>& abscisses, Appariement& paires);

// ---- the template ------------------------------------------------------------

enum class Ancrage { Gauche, Centre };

// A text on one line; `position` is the left end (Gauche) or the middle (Centre)
// of its baseline; `taille` is the font size in mm.
struct TexteGabarit {
    Point2 position;
    double taille = 3.5;
    Ancrage ancrage = Ancrage::Gauche;
    std::string texte; // valid UTF-8, no control character
};

// The dash-dot pattern of the base line and the leading-edge vertical on the
// templates: dash, gap, dot, gap, in millimetres.
inline constexpr std::array<double, 4> TiretPointGabarit = {5, 1.5, 0.6, 1.5};

// A named polyline: the base line, the leading-edge vertical, the chord marks,
// the scale bar, the square.
struct TraceGabarit {
    std::string nom;
    std::vector<Point2> points;
    Trait trait = Trait::Plein;
    double epaisseur = 0.25; // mm
    bool ferme = false;
};

// A synchronisation tick: rang k at X' = -10 k mm, rang 0 at the trailing edge
// (labelled "BF"). The same rang on the same face marks the same generator on
// both templates.
struct Graduation {
    Face face = Face::Extrados;
    int rang = 0;
    double X = 0; // X' before turning
    Point2 point; // on the outline, sheet coordinates
    Point2 a, b;  // the stroke across the outline, normal to it, a outside
    TexteGabarit etiquette;
};

struct Gabarit {
    Extremite extremite = Extremite::Emplanture;
    std::string nom; // "Emplanture" or "Saumon"
    double largeur = 0, hauteur = 0;
    // The sheet position of the point (0, 0) of the projected view: the foot of
    // the leading-edge vertical on the base line.
    Point2 origine;
    double cosVrillage = 1, sinVrillage = 0, hauteurReference = 0;
    std::vector<Point2> contour; // profile point i as entry i - 1
    std::vector<TraceGabarit> traces;
    std::vector<Graduation> graduations; // in outline order
    std::vector<TexteGabarit> textes;

    // A profile point (X', Y) before turning, as placed on the sheet.
    Point2 versFeuille(double X, double Y) const;
};

// Builds both templates from the computed projected profiles and final figures.
// `date` goes into the title blocks as it is. Refused, leaving both as they
// were, when the profiles have not been computed, a final figure is missing or
// a value is not finite.
Resultat Construire_Gabarits(const Modele& m, const std::string& date, Gabarit& empl,
                             Gabarit& saum);

// True when every number of the template is finite.
bool Gabarit_Fini(const Gabarit& g);

// ---- pages -------------------------------------------------------------------

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
