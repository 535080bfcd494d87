// The projected profiles: the sections that the ruled surface of the panel,
// extended where needed, makes with the two cutting planes of the rotated panel,
// and the description of the view Pic_Prof_Proj that shows them with their final
// twists.
#pragma once

#include "geometry/Vue.h"
#include "model/Modele.h"
#include "model/Resultat.h"

namespace ortix {

// Computes the projected profiles, from the _3D arrays of the last refresh and
// the fields: the work of "Calculer les nouveaux profils". On success writes the four final texts,
// the _Rot arrays (1 to each section's count), the _Proj arrays with their counts, enables
// Bt_Sauve_Prof and gives the view. Refuses, leaving the model and the view exactly as they were,
// a zero length, a section of fewer than three points, a degenerate
// trailing-edge facet, a division by zero in the final figures, a projected
// profile of more than 1000 points and any value that is not a finite number.
Resultat Calculer_Profils_Projetes(Modele& m, Vue& Pic_Prof_Proj,
                                   Taille taille = TaillesVues{}.Pic_Prof_Proj);

// The view of the projected profiles: each profile turned about its leading-edge
// reference point by its final twist, both read back from the final texts; the
// extent holds (0, 0); the base line Line2 and the leading-edge vertical Line1;
// the root drawn in blue, then the tip in green. The arrays are given from their
// point 1. Its height is a quarter of its width in an area of the size the
// window opens with, in proportion in another. When the tip's own first and last
// points are given (Rang_Saum_Premier_Proj, Rang_Saum_Dernier_Proj), its
// lengthening beyond them is dashed, and a small cross on each, captioned
// « BF saumon », marks the tip's own trailing edge; 0 draws the tip whole,
// unmarked. Refuses, leaving `vue` as it was, when a number of the view is not
// finite.
Resultat Tracer_Prof_Proj(const double* XE, const double* YE, int nE, const double* XS,
                          const double* YS, int nS, const Finals& finals, Vue& vue, Taille taille,
                          int premierSaum, int dernierSaum);

} // namespace ortix
