// The final twists and reference heights of the two projected profiles. The
// sections are computed untwisted; the entered twists reach the projected
// profiles as the height of each leading edge and the angle of each chord line,
// found from the twisted trailing edges in the rotated frame.
#pragma once

#include "model/Modele.h"
#include "model/Parametres.h"
#include "model/Resultat.h"

namespace ortix {

struct VrillageFinal {
    double Href_Empl = 0, Href_Saum = 0;   // mm
    double Vrill_Empl = 0, Vrill_Saum = 0; // degrees
};

// Computes the four figures from the parameters alone. Refuses, with a French
// message, a zero length or chord, a length, chord or sweep more than 10¹²
// times another (which rounding would turn into any of the faults below), a
// division by zero (the two trailing edges at the same span, the tip leading
// edge in the root plane, a trailing edge on its leading edge's vertical) and
// any figure that is not a finite number.
Resultat Calc_Vrillage_Final(const Parametres& p, VrillageFinal& v);

// Writes the four figures into their fields, in order, with "#0.00".
void Poser_Finals(const VrillageFinal& v, Finals& f);

} // namespace ortix
