// The fields every benchmark panel shares: both ends twisted, the tip set
// higher, the chords as given (the tip's a hair under the root's when every
// root point must be joined to a tip point).
#pragma once

#include "model/Modele.h"

namespace ortix::banc {

inline Champs Champs_De_Banc(const char* cordeEmpl, const char* cordeSaum) {
    Champs c;
    c.txt_corde_empl = cordeEmpl;
    c.txt_corde_saum = cordeSaum;
    c.txt_vril_empl2 = "2";
    c.txt_vril_saum2 = "-1.5";
    c.txt_href_saum = "35";
    return c;
}

} // namespace ortix::banc
