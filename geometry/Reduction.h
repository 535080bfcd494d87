// Fewer points for airfoils whose projected profiles would not fit: each airfoil
// with more points than needed keeps a subset of its own points, its leading and
// trailing edges always among them, closer together where it bends most.
#pragma once

#include "model/Modele.h"
#include "model/Resultat.h"

#include <string>

namespace ortix {

// The airfoil `p` with at most `n` of its points (n ≥ 3): its first and last
// points (the trailing edge), its leading edge (its first point of smallest
// abscissa), and points of each surface spread evenly along a measure that adds
// the turn of the outline to its length, so that the nose and the tightest
// curves keep more of them. An airfoil of n points or fewer comes back as it is.
Profil Reduire_Profil(const Profil& p, int n);

// What a reduction gives: the largest count N for which both airfoils, each
// reduced to at most N points, give projected profiles of 1000 points or fewer,
// and the airfoils so reduced.
struct Reduction {
    int N = 0;
    Profil empl, saum;
};

// Finds the reduction for the model's airfoils and fields, computing on copies
// (the model is only read). Refused, with a French sentence, when even three
// points each would not fit, or when the computation refuses for another reason.
Resultat Proposer_Reduction(const Modele& m, Reduction& r);

// Gives the model the reduced airfoils, and says how many points each keeps:
// « Profil de l'emplanture : 412 points sur 1208. Profil du saumon : 61 points,
// inchangé. » The refresh and the computation are the caller's.
std::string Appliquer_Reduction(Modele& m, const Reduction& r);

} // namespace ortix
