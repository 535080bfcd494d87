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
    std::string texte; // valid UTF-8, no control character; empty: nothing shown
};

// The size of the templates' and pages' texts, in mm.
inline constexpr double TailleTexteGabarit = 3.5;

// A text whose baseline is such that the middle of its capitals falls on `c`.
TexteGabarit Texte_Centre(Point2 c, double taille, std::string texte);

// A rectangle on the sheet, y downward.
struct Boite {
    double gauche = 0, haut = 0, droite = 0, bas = 0;
};

// The rectangle that holds every stroke of a text as the writers set it in
// DejaVu Sans: an upper bound, from the font's advances, ascent and descent.
// An empty text shows nothing; its box, of no width, is not to be counted.
Boite Boite_Texte(const TexteGabarit& t);

// True when the two rectangles come closer than `ecart`.
bool Boites_Proches(const Boite& a, const Boite& b, double ecart);

// The dash-dot pattern of the base line and the leading-edge vertical on the
// templates: dash, gap, dot, gap, in millimetres; the dashes of the tip's
// lengthening.
inline constexpr std::array<double, 4> TiretPointGabarit = {5, 1.5, 0.6, 1.5};
inline constexpr std::array<double, 2> TiretsGabarit = {2, 1.5};

// A named polyline: the base line, the leading-edge vertical, the chord marks,
// the tip's lengthening and its own trailing edge, the scale bar, the square.
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
    // The stroke across the outline, normal to it, a outside; each half stops
    // where it meets the outline, the inner one where the section is thinner.
    Point2 a, b;
    // Beyond the stroke, moved out clear of the other labels and of the
    // outline; left empty when no place is clear.
    TexteGabarit etiquette;
};

// Where the title block stands: above the drawing or on its left. It opens the
// template in both, at its top left corner.
enum class Disposition { Dessus, ACote };

struct Gabarit {
    Extremite extremite = Extremite::Emplanture;
    std::string nom; // "Emplanture" or "Saumon"
    double largeur = 0, hauteur = 0;
    // The sheet position of the point (0, 0) of the projected view: the foot of
    // the leading-edge vertical on the base line.
    Point2 origine;
    double cosVrillage = 1, sinVrillage = 0, hauteurReference = 0;
    std::vector<Point2> contour; // profile point i as entry i - 1
    // The template's own outline, drawn whole, runs from entry debutPropre to
    // entry finPropre of the contour. On the tip, the lengthening before and
    // after it is the dashed traces "Prolongement_Extrados" and
    // "Prolongement_Intrados", and its own trailing edge the strokes
    // "BF_Saumon_Extrados" and "BF_Saumon_Intrados", labelled « BF saumon ».
    std::size_t debutPropre = 0, finPropre = 0;
    std::vector<TraceGabarit> traces;
    std::vector<Graduation> graduations; // in outline order
    std::vector<TexteGabarit> textes;    // « BF saumon », then the title block's

    // A profile point (X', Y) before turning, as placed on the sheet.
    Point2 versFeuille(double X, double Y) const;
};

// Builds both templates from the computed projected profiles and final figures,
// their title blocks placed as `d` says. `date` goes into the title blocks as it
// is. Refused, leaving both as they were, when the profiles have not been
// computed, a final figure is missing or a value is not finite.
Resultat Construire_Gabarits(const Modele& m, const std::string& date, Disposition d, Gabarit& empl,
                             Gabarit& saum);

// True when every number of the template is finite.
bool Gabarit_Fini(const Gabarit& g);

} // namespace ortix
