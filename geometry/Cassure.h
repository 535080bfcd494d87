// The kink of the projected tip profile at the tip's trailing edge. There the
// tip's own outline meets the lengthening taken from the root, on the upper and
// on the lower surface; where they meet at an angle, the wire has a corner and
// the cut surface a crease.
#pragma once

#include "model/Modele.h"

#include <optional>
#include <string>

namespace ortix {

// In degrees, from 0 (a straight run) to 180; undefined when the tip's own
// outline has no point apart from the joint on its side.
struct Cassures {
    std::optional<double> extrados; // at the tip's first point
    std::optional<double> intrados; // at its last point
};

// The kinks of the projected tip profile the last computation left: at each
// joint, the change of direction between the segment that arrives and the one
// that leaves, each neighbour being the nearest point along the outline that
// does not coincide with the joint (within 1e-9 mm). No such point on the
// lengthening's side: nothing is joined there, 0.
Cassures Mesurer_Cassures(const Modele& m);

// A kink as shown: one decimal, or an empty text when undefined.
std::string Texte_Cassure(const std::optional<double>& degres);

// « extrados 7.8°, intrados 1.6° », « non définie » for an undefined kink.
std::string Paire_Cassures(const Cassures& c);

// « Cassure au bord de fuite du saumon : extrados 7.8°, intrados 1.6° », and,
// when a kink is above 90° (the lengthening runs back over the outline), what
// that means. True in `revient` then.
std::string Phrase_Cassures(const Cassures& c, bool& revient);

} // namespace ortix
