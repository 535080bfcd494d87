// The refresh step: places the two end sections in the panel frame, turns the
// panel in plan until its leading edge runs straight across, derives the final
// chord, length and sweep, and describes the three views that depend only on
// the parameters and the airfoils.
#pragma once

#include "geometry/Vue.h"
#include "model/Modele.h"
#include "model/Parametres.h"

#include <string>
#include <vector>

namespace ortix {

struct ResultatTrace {
    Vue Pic_Prof_Ini;
    Vue Plan_Ini;
    Vue Plan_Final;
    // Why a figure or a view could not be formed; empty when all is well.
    std::vector<std::string> messages;
};

// Refreshes the panel, the work the window runs after each planform field, load
// and click in the initial view: writes the _3D arrays, Txt_Lg_Final, Txt_Fleche_Final,
// Txt_Corde_Final, the caption Label32, and disables Bt_Sauve_Prof. Where the rotation cannot be
// formed the three figures show "---"; a view without extent is left blank.
// The views fit areas of the sizes given.
ResultatTrace Rafraichir_Panneau(Modele& m, const TaillesVues& tailles = {});

// The rotation angle in degrees as the caption Label32 shows it, with "0#.##";
// empty when the rotation cannot be formed (a zero length, figures out of range).
std::string Texte_Angle_Rotation(const Parametres& p);

// The three views alone, from the sections the last refresh placed and the
// fields it read: what a resized window draws again without a refresh.
void Tracer_Vues_Initiales(const Modele& m, const Champs& champs, const TaillesVues& tailles,
                           ResultatTrace& vues);

} // namespace ortix
