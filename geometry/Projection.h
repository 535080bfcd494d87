// The projected profiles: the sections that the ruled surface of the panel,
// extended where needed, makes with the two cutting planes of the rotated panel,
// and the description of the view Pic_Prof_Proj that shows them with their final
// twists.
#pragma once

#include "model/Modele.h"
#include "geometry/Vue.h"

#include <cstdint>
#include <string>

namespace ortix {

struct ResultatCalcul {
    bool ok = false;
    std::string message; // French, why the computation was refused, when !ok
    Vue Pic_Prof_Proj;   // the projected profiles as drawn, when ok
};

// "Calculer les nouveaux profils", from the _3D arrays of the last refresh and
// the fields. On success writes the four final texts, the _Rot arrays (1 to each
// section's count), the _Proj arrays with their counts, enables Bt_Sauve_Prof and
// returns the view. Refuses, leaving the model exactly as it was, a zero length,
// a section of fewer than three points, a degenerate trailing-edge facet, a
// division by zero in the final figures, a projected profile of more than 1000
// points and any value that is not a finite number.
ResultatCalcul Bt_Calc_Click(Modele& m);

// How the steps that join each point to the other section find its segment: each
// section indexed once per computation (what Bt_Calc_Click does), or the plain
// walk from segment (1, 2) on every call. Both give the same model to the bit; the
// walk is kept to prove it and to measure the difference.
enum class Recherche { Indexee, Lineaire };
ResultatCalcul Bt_Calc_Click(Modele& m, Recherche recherche);

// The direction in which X varies along a section at point n (1 to N, N ≥ 2):
// the sign of X(n+1) − X(n), as +1, −1 or 0. At the last point, the direction of
// the segment that ends there, so that nothing past the section is read. X gives
// the section's entry 1.
std::int16_t Sens_Var_X(const double* X, int N, int n);

// The view of the projected profiles: each profile turned about its leading-edge
// reference point by its final twist, both read back from the final texts; the
// extent holds (0, 0); the base line Line2 and the leading-edge vertical Line1;
// the root drawn in blue, then the tip in green. The arrays are given by their
// entry 1. Returns false, leaving `vue` as it was, when a number of the view is
// not finite.
bool Tracer_Prof_Proj(const double* XE, const double* YE, int nE, const double* XS,
                      const double* YS, int nS, const Finals& finals, Vue& vue);

// The same view from the model's projected profiles and final texts.
bool Tracer_Prof_Proj(const Modele& m, Vue& vue);

} // namespace ortix
