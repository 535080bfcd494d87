// The final twists and reference heights of the two projected profiles. The
// sections are computed untwisted; the entered twists reach the projected
// profiles as the height of each leading edge and the angle of each chord line,
// found from the twisted trailing edges in the rotated frame.
#pragma once

#include "model/Modele.h"

#include <string>

namespace ortix {

struct VrillageFinal {
    bool ok = false;
    std::string message; // why the figures cannot be formed, when !ok
    double Href_Empl = 0, Href_Saum = 0; // mm
    double Vrill_Empl = 0, Vrill_Saum = 0; // degrees
};

// Computes the four figures from the parameter fields alone. Refuses, with a
// French message, a zero length, a division by zero (the two trailing edges at
// the same span, the tip leading edge in the root plane, a trailing edge on its
// leading edge's vertical) and any figure that is not a finite number.
VrillageFinal Calc_Vrillage_Final(const Champs& champs);

// Writes the four figures into their fields, in order, with "#0.00".
void Poser_Finals(const VrillageFinal& v, Finals& f);

// Computes the figures and writes them with "#0.00" into Txt_Href_Empl_final,
// Txt_Href_Saum_final, Txt_Vrill_Empl_Final and Txt_Vrill_Saum_Final, in this
// order. On refusal returns false with the reason and leaves the model as it was.
bool Calc_Vrillage_Final(Modele& m, std::string& message);

} // namespace ortix
