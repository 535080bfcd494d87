// Reading a G-code file back as its controller would, to prove it: the towers'
// paths, each move's duration from F as that controller reads it, and where the
// wire crosses both faces, compared with the planned cut.
#pragma once

#include "geometry/Decoupe.h"
#include "geometry/Machine.h"
#include "model/Resultat.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace ortix::fichiers {

// One move as the controller makes it.
struct MouvementSimule {
    int ligne = 0;                   // from 1
    std::string texte;               // the line as written
    bool coupe = false;              // G1; a G0 otherwise
    std::array<Point2, 2> tour{};    // both towers at its end, machine coordinates
    std::array<Point2, 2> face{};    // the wire on both faces at its end, face coordinates
    double duree = 0;                // s; 0 for a G0
    std::array<double, 2> vitesse{}; // mm/s of each face
};

struct Simulation {
    std::vector<MouvementSimule> mouvements;
    // mm: the largest distance between a face's point and the planned one, at the
    // end of every move. Both paths being straight between their ends on each
    // face, it bounds the distance along the whole move.
    double ecartMax = 0;
    // The faster face's speed over the planned speed, over the cutting moves.
    double rapportMin = 0, rapportMax = 0;
    double duree = 0; // s: dwells and cutting moves
};

// Reads `texte` by the rules of the profile's dialect: its comments and '%'
// lines, its axis letters, G0 and G1 (modal), G93 and G94, F by the
// controller's own length rule, G4's unit, the heat's M codes; places the wire
// between the towers of the profile's machine, across a block as wide as the
// planned one. The n-th move must reach the n-th position of `prevue`. Refused, naming the line, on
// anything else: an unknown word, a move before every axis is placed, a G1
// without its feed, a G0 while the wire is hot, a line after M2, a count of
// moves other than planned.
Resultat Simuler_GCode(std::string_view texte, const ProfilMachine& p, const Decoupe& prevue,
                       Simulation& s);

} // namespace ortix::fichiers
