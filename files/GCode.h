// The G-code of a cut for one controller, proven before it is given: written
// from the planned cut, read back by the controller's own rules, and refused
// when the wire would stray from the plan or the faster face from its speed.
#pragma once

#include "files/Simulation.h"
#include "geometry/Decoupe.h"
#include "geometry/Machine.h"
#include "model/Modele.h"
#include "model/Resultat.h"

#include <string>
#include <vector>

namespace ortix::fichiers {

// The largest distance, in mm, between the wire read back and the planned one on
// a face, and the largest share by which the faster face may miss its speed.
inline constexpr double EcartMaximal = 0.01;
inline constexpr double EcartVitesse = 0.005;

struct ProgrammeGCode {
    std::string texte; // ASCII lines, each ended by "\n"
    // Per position of the cut, the line number (from 1) of the move that reaches
    // it: the first G0 for the start.
    std::vector<int> ligneDePosition;
};

// The program: a header in comments (program and version, project, date,
// profiles, the machine profile's values, the block, each face's height and
// kerf, the speed, the estimated time); millimetres, absolute, G94 where the
// controller knows G93; a G0 to the start, cold; heat on; the pre-heat dwell;
// the cutting moves, in inverse time (G93, then G94 again) or with F in mm/min
// by the controller's length rule, dwells at the edges; heat off; a G0 back to
// the start; M2. Towers to 0.001 mm, F to six significant digits; comments in
// ASCII.
ProgrammeGCode Ecrire_GCode(const Modele& m, const ProfilMachine& p, const Decoupe& d,
                            const std::string& date);

// A cut, its program and the program read back.
struct GCodeVerifie {
    Decoupe decoupe;
    ProgrammeGCode programme;
    Simulation simulation;
};

// Plans the cut, writes it and reads it back; refused (French message) when the
// cut is, when the reading refuses, or when the wire strays by more than
// EcartMaximal or the faster face misses its speed by more than EcartVitesse.
// `g` is unchanged on refusal.
Resultat Preparer_GCode(const Modele& m, const ProfilMachine& p, const std::string& date,
                        GCodeVerifie& g);

// A duration as the header gives it: « 3 min 20 s », « 45 s », to the second.
std::string Texte_Duree(double s);

} // namespace ortix::fichiers
