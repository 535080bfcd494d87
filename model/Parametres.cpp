#include "model/Parametres.h"

#include "model/Nombres.h"

namespace ortix {

Parametres Lire_Parametres(const Champs& c) {
    Parametres p;
    p.L = Val(c.Txt_Long);
    p.F = Val(c.txt_fleche);
    p.Ce = Val(c.txt_corde_empl);
    p.He = Val(c.txt_href_empl);
    p.Te = Val(c.txt_vril_empl2);
    p.Cs = Val(c.txt_corde_saum);
    p.Hs = Val(c.txt_href_saum);
    p.Ts = Val(c.txt_vril_saum2);
    return p;
}

} // namespace ortix
