#include "geometry/Vrillage.h"

#include "model/Nombres.h"

#include <cmath>

namespace ortix {

VrillageFinal Calc_Vrillage_Final(const Champs& champs) {
    VrillageFinal r;
    const double pi = 4 * std::atan(1.0);

    const double L = Val(champs.Txt_Long);
    const double F = Val(champs.txt_fleche);
    if (L == 0) {
        r.message = "Longueur nulle : la rotation ne peut pas être calculée.";
        return r;
    }
    const double a = std::atan(F / L);
    const double Ce = Val(champs.txt_corde_empl);
    const double He = Val(champs.txt_href_empl);
    const double Te = Val(champs.txt_vril_empl2);
    const double Cs = Val(champs.txt_corde_saum);
    const double Hs = Val(champs.txt_href_saum);
    const double Ts = Val(champs.txt_vril_saum2);
    const double thetaE = Te * pi / 180;
    const double thetaS = Ts * pi / 180;

    // Trailing edges of the twisted sections, normalised at abscissa 1, in the
    // rotated frame; only the Z' of the tip leading edge is needed.
    const double XeBF = -Ce * std::cos(thetaE) * std::cos(a);
    const double YeBF = He - Ce * std::sin(thetaE);
    const double ZeBF = Ce * std::cos(thetaE) * std::sin(a);
    const double ZsBA = F * std::sin(a) + L * std::cos(a);
    const double XsBF = -(Cs * std::cos(thetaS) + F) * std::cos(a) + L * std::sin(a);
    const double YsBF = Hs - Cs * std::sin(thetaS);
    const double ZsBF = (Cs * std::cos(thetaS) + F) * std::sin(a) + L * std::cos(a);

    // The trailing-edge line meets the root cutting plane Z' = 0 at (X0, Y0).
    if (ZsBF == ZeBF) {
        r.message = "Les bords de fuite de l'emplanture et du saumon sont à la même distance du "
                    "plan d'emplanture : le vrillage final ne peut pas être calculé.";
        return r;
    }
    const double t = -ZeBF / (ZsBF - ZeBF);
    const double X0 = XeBF + (XsBF - XeBF) * t;
    const double Y0 = YeBF + (YsBF - YeBF) * t;

    // The tip cutting plane lies through the tip trailing edge; the leading-edge
    // line from (0, He, 0) to (0, Hs, ZsBA) gives the tip's final height there.
    if (ZsBA == 0) {
        r.message = "Le bord d'attaque du saumon est dans le plan de l'emplanture : la hauteur "
                    "finale du saumon ne peut pas être calculée.";
        return r;
    }
    const double u = ZsBF / ZsBA;
    const double Hs_f = (1 - u) * He + u * Hs;

    if (X0 == 0) {
        r.message = "Le bord de fuite projeté de l'emplanture est à l'aplomb de son bord "
                    "d'attaque : le vrillage final de l'emplanture ne peut pas être calculé.";
        return r;
    }
    if (XsBF == 0) {
        r.message = "Le bord de fuite du saumon est à l'aplomb du bord d'attaque : le vrillage "
                    "final du saumon ne peut pas être calculé.";
        return r;
    }
    const double Te_f = std::atan((Y0 - He) / X0) * 180 / pi;
    const double Ts_f = std::atan((YsBF - Hs_f) / XsBF) * 180 / pi;

    if (!std::isfinite(He) || !std::isfinite(Hs_f) || !std::isfinite(Te_f) ||
        !std::isfinite(Ts_f)) {
        r.message = "Les valeurs saisies ne donnent pas de hauteurs et vrillages finaux "
                    "numériques : le calcul est refusé.";
        return r;
    }
    r.ok = true;
    r.Href_Empl = He;
    r.Href_Saum = Hs_f;
    r.Vrill_Empl = Te_f;
    r.Vrill_Saum = Ts_f;
    return r;
}

void Poser_Finals(const VrillageFinal& v, Finals& f) {
    f.Txt_Href_Empl_final = Format(v.Href_Empl, "#0.00");
    f.Txt_Href_Saum_final = Format(v.Href_Saum, "#0.00");
    f.Txt_Vrill_Empl_Final = Format(v.Vrill_Empl, "#0.00");
    f.Txt_Vrill_Saum_Final = Format(v.Vrill_Saum, "#0.00");
}

bool Calc_Vrillage_Final(Modele& m, std::string& message) {
    const VrillageFinal v = Calc_Vrillage_Final(m.champs);
    if (!v.ok) {
        message = v.message;
        return false;
    }
    Poser_Finals(v, m.finals);
    message.clear();
    return true;
}

} // namespace ortix
