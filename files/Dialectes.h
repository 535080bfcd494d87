// How each controller is told a cut: its usual axis letters, its comments, its
// dwell unit, whether it knows inverse-time feed, and what its F means in G94.
// One table, read by the G-code writer, the read-back simulator and the machine
// profile reader alike.
#pragma once

#include "geometry/Machine.h"

#include <array>
#include <string_view>

namespace ortix::fichiers {

// The length a controller divides by F (mm/min) to time a G94 move.
enum class RegleAvance {
    TousLesAxes,     // the Euclidean length over every axis that moves
    XYZPuisUVW,      // the X, Y, Z length when one of them moves, else the U, V, W length
                     // (else the A, B, C one)
    PlusGrandePaire, // the larger of the X, Y and the U, V lengths
};

struct DialecteGCode {
    Dialecte dialecte;
    std::string_view cle; // in the profile file
    std::string_view nom; // as the header names it
    std::array<char, NombreAxes> axes;
    std::string_view lettresPermises; // the axis letters the controller knows
    bool pourcent;                    // a '%' line first and last
    bool parentheses;                 // comments in ( ), else after ';'
    double secondesParP;              // the unit of G4's P, in seconds
    bool tempsInverse;                // knows G93
    RegleAvance regle;
    std::string_view preambule;
};

inline constexpr std::array<DialecteGCode, 6> TableDialectes = {{
    {Dialecte::LinuxCNC,
     "linuxcnc",
     "LinuxCNC",
     {'X', 'Y', 'U', 'V'},
     "XYZABCUVW",
     true,
     true,
     1,
     true,
     RegleAvance::XYZPuisUVW,
     "G17 G21 G90"},
    {Dialecte::Grbl,
     "grbl",
     "GRBL 1.1 / grbl-Mega-5X",
     {'X', 'Y', 'Z', 'A'},
     "XYZABC",
     false,
     true,
     1,
     true,
     RegleAvance::TousLesAxes,
     "G17 G21 G90"},
    {Dialecte::FluidNC,
     "fluidnc",
     "FluidNC",
     {'X', 'Y', 'Z', 'A'},
     "XYZABC",
     false,
     true,
     1,
     true,
     RegleAvance::TousLesAxes,
     "G17 G21 G90"},
    {Dialecte::GrblHAL,
     "grblhal",
     "grblHAL",
     {'X', 'Y', 'U', 'V'},
     "XYZABCUVW",
     false,
     true,
     1,
     true,
     RegleAvance::TousLesAxes,
     "G17 G21 G90"},
    {Dialecte::Marlin,
     "marlin",
     "Marlin (FOAMCUTTER_XYUV)",
     {'X', 'Y', 'U', 'V'},
     "XYUV",
     false,
     false,
     0.001,
     false,
     RegleAvance::PlusGrandePaire,
     "G21 G90"},
    {Dialecte::Mach3,
     "mach3",
     "Mach3",
     {'X', 'Y', 'Z', 'A'},
     "XYZABC",
     false,
     true,
     1,
     true,
     RegleAvance::TousLesAxes,
     "G17 G21 G90"},
}};

const DialecteGCode& Dialecte_GCode(Dialecte d);

// The length the controller's F applies to, for a move of `deplacements` (mm)
// along the axes `lettres`.
double Longueur_Avance(RegleAvance regle, const std::array<char, NombreAxes>& lettres,
                       const std::array<double, NombreAxes>& deplacements);

} // namespace ortix::fichiers
