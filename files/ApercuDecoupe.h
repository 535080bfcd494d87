// The preview of a cut, as plain data: the face planes seen from the side, the
// machine seen from above, and the wire at any time of the cut, tied to the
// G-code move that drives it. Made from the cut as planned and its G-code read
// back, which the file writes; a window only paints it.
#pragma once

#include "files/GCode.h"
#include "geometry/Machine.h"
#include "geometry/Vue.h"
#include "model/Modele.h"
#include "model/Resultat.h"

#include <array>
#include <string>
#include <vector>

namespace ortix::fichiers {

struct ApercuDecoupe {
    ProfilMachine machine;
    GCodeVerifie gcode;
    // Side view, machine coordinates in mm (horizontal; height above the table):
    // both faces' outlines (root blue, tip green), the wire's paths on them with
    // the kerf (dashed), both towers' paths (thin), the block and the lead-in.
    Vue cote;
    // Top view, in mm (along the wire from the root-side tower; horizontal): the
    // two towers' planes and their travel, and the block between them.
    Vue dessus;
    // Per move read back, the time at its end, from the first move (s); a rapid
    // move takes none.
    std::vector<double> fin;
    double duree = 0; // s, the moves' (dwells excluded)
    // What the checks found, one French sentence each.
    std::vector<std::string> constats;
};

// Plans the cut, writes and reads it back (Preparer_GCode), then builds both
// views fitted to areas of the sizes given. Refused as the cut is, `a`
// unchanged.
Resultat Preparer_Apercu(const Modele& m, const ProfilMachine& p, const std::string& date,
                         Taille cote, Taille dessus, ApercuDecoupe& a);

// The wire at time t of the cut.
struct InstantDecoupe {
    double t = 0;                    // s, held within [0, duree]
    std::size_t mouvement = 0;       // the move being run, in the simulation's list
    std::array<Point2, 2> tour{};    // both towers, machine coordinates
    std::array<Point2, 2> face{};    // the wire on both faces, face coordinates
    std::array<double, 2> vitesse{}; // mm/s of each face, as the move read back gives it
    double angle = 0;                // degrees from square to the faces
};

// Before the first move's end, the first move's end; from the cut's end, the
// last move's end; between, interpolated along the move that runs at t.
InstantDecoupe Instant_Decoupe(const ApercuDecoupe& a, double t);

// The wire at that instant, drawn over each view: on the side view, its points
// on both faces and at both towers; on the top view, the wire from tower to
// tower.
std::vector<Segment> Fil_Cote(const ApercuDecoupe& a, const InstantDecoupe& i);
std::vector<Segment> Fil_Dessus(const ApercuDecoupe& a, const InstantDecoupe& i);

} // namespace ortix::fichiers
