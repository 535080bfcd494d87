// A four-axis hot-wire cutter as a cut is planned for it: two towers, each
// moving one end of the wire horizontally and vertically, with the wire's
// speed, kerf, heat and limits. Plain data; the machine profile file
// (files/FichierMachine.h) reads and writes it.
#pragma once

#include "model/Modele.h"

#include <array>
#include <vector>

namespace ortix {

// The controller the G-code is written for; files/Dialectes.h says how each
// one is told.
enum class Dialecte { LinuxCNC, Grbl, FluidNC, GrblHAL, Marlin, Mach3 };

// How F is given on the cutting moves: G93, inverse time (F = 1 / the move's
// duration in minutes), or G94, millimetres per minute by the controller's own
// length rule.
enum class Avance { G93, G94 };

// How the wire is heated: not by the program (an outside controller), by
// `M3 S<puissance>` / `M5`, or by `M8` / `M9`.
enum class Chauffe { Aucune, M3, M8 };

// One entry of the kerf table: the channel the wire melts at a face speed.
struct SaigneeVitesse {
    double vitesse = 0; // mm/s
    double saignee = 0; // mm
    bool operator==(const SaigneeVitesse&) const = default;
};

// Indices of the four axes in `axes` and the per-axis arrays: the first
// tower's horizontal and vertical axes, then the second tower's.
inline constexpr std::size_t NombreAxes = 4;

struct ProfilMachine {
    Dialecte dialecte = Dialecte::LinuxCNC;
    std::array<char, NombreAxes> axes = {'X', 'Y', 'U', 'V'};
    double ecartTours = 1000;        // mm between the two tower planes
    double distanceEmplanture = 100; // mm from the root-side tower to the root face
    bool emplantureAGauche = true;   // the root-side tower is the first (axes 0 and 1)
    double vitesse = 4;              // mm/s of the faster face
    Avance avance = Avance::G93;
    double saigneeEmplanture = 0, saigneeSaumon = 0; // mm
    std::vector<SaigneeVitesse> saigneeVitesse;      // when not empty, replaces both constants
    Chauffe chauffe = Chauffe::Aucune;
    double puissance = 100;                            // S of M3
    double prechauffe = 2;                             // s, heated before the first move
    double pauseBordAttaque = 0, pauseBordDeFuite = 0; // s, when the wire reaches them
    double entree = 10;                                // mm of lead-in, aft of the trailing edge
    double hauteurLigneDeBase = 30;                    // mm of the base line above the table
    // Per axis, in the order of `axes`: travel (mm, machine coordinates) and speed (mm/s).
    std::array<double, NombreAxes> courseMin = {-100, 0, -100, 0};
    std::array<double, NombreAxes> courseMax = {900, 400, 900, 400};
    std::array<double, NombreAxes> vitesseMax = {20, 20, 20, 20};
    double angleFilMax = 30; // degrees between the wire and the square to the faces
    bool operator==(const ProfilMachine&) const = default;
};

// The kerf of a face moving at `vitesse`: the face's constant when no table is
// given; otherwise the table, interpolated linearly between its entries (sorted
// by speed) and held at its end values beyond them.
double Saignee(const ProfilMachine& p, Extremite face, double vitesse);

// The index in `axes` of a tower's horizontal axis (its vertical one follows):
// the root-side tower is the first when the root is on the left.
std::size_t Premier_Axe(const ProfilMachine& p, Extremite tour);

} // namespace ortix
