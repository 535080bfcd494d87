// The panel's parameters as numbers, each field read once per run with the
// leading-number reader: chords, heights, length and sweep in millimetres,
// twists in degrees.
#pragma once

#include "model/Modele.h"

namespace ortix {

struct Parametres {
    double L = 0, F = 0;           // length and sweep
    double Ce = 0, He = 0, Te = 0; // root chord, reference height and twist
    double Cs = 0, Hs = 0, Ts = 0; // the same at the tip
};

Parametres Lire_Parametres(const Champs& champs);

} // namespace ortix
