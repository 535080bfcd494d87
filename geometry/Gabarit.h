// Full-size cutting templates of the two projected profiles, for builders who
// drag the hot wire by hand along a template glued at each end of the block.
// Everything here is plain data in millimetres; the writers only render it.
//
// Sheet coordinates: x to the right, y downward, 1 unit = 1 mm, the template
// within [0, largeur] x [0, hauteur]. The profile is shown as in the projected
// view: leading edge on the left, Y upward, turned by the final twist about its
// leading-edge reference point (0, H).
#pragma once

#include "geometry/Appariement.h"
#include "geometry/Vue.h"
#include "model/Modele.h"
#include "model/Resultat.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace ortix {

enum class Ancrage { Gauche, Centre };

// A text on one line; `position` is the left end (Gauche) or the middle (Centre)
// of its baseline; `taille` is the font size in mm.
struct TexteGabarit {
    Point2 position;
    double taille = 3.5;
    Ancrage ancrage = Ancrage::Gauche;
    std::string texte; // valid UTF-8, no control character
};

// The size of the templates' and pages' texts, in mm.
inline constexpr double TailleTexteGabarit = 3.5;

// A text whose baseline is such that the middle of its capitals falls on `c`.
TexteGabarit Texte_Centre(Point2 c, double taille, std::string texte);

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

} // namespace ortix
