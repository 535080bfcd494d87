// What the airfoil chooser shows of the highlighted file: a small drawing of
// the airfoil at equal scales, its point count and its thickness.
#pragma once

#include "geometry/Vue.h"
#include "model/Modele.h"

#include <optional>
#include <string>

namespace ortix {

// The leading edge of an airfoil given as one outline from the trailing edge:
// the index, from 0, of its first point of smallest abscissa.
int Bord_Attaque(const Profil& p);

// The largest height between the two surfaces, over the chord (the leading
// edge to the farthest abscissa): each point of the upper surface (from the
// first point to the leading edge) against the lower surface below or above
// it. None when the chord is zero or a point is not a finite number.
std::optional<double> Epaisseur_Relative(const Profil& p);

// « 121 points, épaisseur 11.7 % », the thickness left out when it has none.
std::string Resume_Profil(const Profil& p);

// The airfoil's outline, fitted at equal scales into an area of size `t` with
// a margin of 6 pixels; not valid when it has no extent.
Vue Tracer_Apercu(const Profil& p, Taille t);

} // namespace ortix
