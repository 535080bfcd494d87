// The tip reference-height candidates of the optimisation dialog Opti_Href:
// keep the present height, align the trailing edges, or blend two heights
// derived from the tip's trailing-edge segments. All are closed-form.
#pragma once

#include "geometry/Cassure.h"
#include "model/Modele.h"
#include "model/Resultat.h"

#include <string>

namespace ortix {

// The texts the dialog shows on opening, "#0.00" each. A candidate that cannot
// be formed (a vertical trailing-edge segment, a tip of fewer than two points,
// a value that is not a finite number) is an empty text.
struct CandidatsOpti {
    std::string Txt_NOP;   // the present tip height Hs
    std::string Txt_Align; // A = He − Ce·sin Te + Cs·sin Ts: trailing edges at one height
    std::string txt_int;   // A corrected along the tip's last segment (lower surface)
    std::string txt_ext;   // A corrected along the tip's first segment (upper surface)
};

// From the fields and the rotated sections as "Calculer les nouveaux profils"
// leaves them.
CandidatsOpti Calcule_Candidats(const Modele& m);

// The blend of the slider at position P (0 favours the lower surface, 100 the
// upper): I + (E − I)·P/100, I and E read from the two texts as shown. Empty when
// either text is empty or the blend is not a finite number.
std::string Melange(const std::string& txt_int, int P, const std::string& txt_ext);

// The kinks a tip height would give (the text of one of the dialog's height
// fields): the refresh and the computation are made on a copy of the model,
// which is left as it was. Undefined when the height is not a number or the
// computation is refused.
Cassures Cassures_Pour_Hauteur(const Modele& m, const std::string& hauteur);

// One sentence when every candidate height (the slider's two ends included)
// gives the same kinks as shown, to the tenth of a degree: no height of the
// dialog can then reduce them. Empty otherwise.
std::string Avis_Candidats(const Modele& m, const CandidatsOpti& c);

// The new text of txt_href_saum for a height field's text: its leading number
// with "#0.00". An empty text, or a number that is not finite, is refused with a
// French message and `txt_href_saum` is left as it was.
Resultat Hauteur_A_Appliquer(const std::string& texte, std::string& txt_href_saum);

} // namespace ortix
