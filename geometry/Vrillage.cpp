#include "geometry/Vrillage.h"

#include "model/Nombres.h"

#include <cmath>
#include <string>
#include <utility>

namespace ortix {

namespace {

// How many times the length or a chord may go into the largest of the
// dimensions the rotation and the trailing edges mix: beyond it that one is lost
// in the rounding of the largest (a chord of 1e300 put the trailing edge "on the
// leading edge's vertical"). A sweep may be as small as it likes; heights only
// shift the profiles.
constexpr double EcartMaximal = 1e12;

Resultat verifierDimensions(const Parametres& p) {
    if (p.L == 0) return Resultat::Refus("Longueur nulle : la rotation ne peut pas être calculée.");
    if (p.Ce == 0 || p.Cs == 0)
        return Resultat::Refus(std::string("La corde ") +
                               (p.Ce == 0 ? "de l'emplanture" : "du saumon") +
                               " est nulle : cette extrémité n'est qu'un point, le vrillage final "
                               "ne peut pas être calculé.");
    const std::pair<const char*, double> dimensions[] = {{"la longueur", p.L},
                                                         {"la corde de l'emplanture", p.Ce},
                                                         {"la corde du saumon", p.Cs},
                                                         {"la flèche", p.F}};
    const auto* plusGrande = &dimensions[0];
    const auto* plusPetite = &dimensions[0];
    for (const auto& d : dimensions) {
        if (!(std::abs(d.second) <= std::abs(plusGrande->second))) plusGrande = &d;
        if (&d != &dimensions[3] && std::abs(d.second) < std::abs(plusPetite->second))
            plusPetite = &d;
    }
    if (!(std::abs(plusGrande->second) <= EcartMaximal * std::abs(plusPetite->second))) {
        std::string grande = plusGrande->first;
        grande[0] = 'L';
        return Resultat::Refus(grande + " dépasse mille milliards de fois " + plusPetite->first +
                               " : à cette échelle les arrondis du calcul fausseraient le "
                               "vrillage final, qui n'est pas calculé.");
    }
    return {};
}

} // namespace

Resultat Calc_Vrillage_Final(const Parametres& p, VrillageFinal& v) {
    if (Resultat r = verifierDimensions(p); !r) return r;
    const double a = std::atan(p.F / p.L);
    const double thetaE = Radians(p.Te);
    const double thetaS = Radians(p.Ts);

    // Trailing edges of the twisted sections, normalised at abscissa 1, in the
    // rotated frame; only the Z' of the tip leading edge is needed.
    const double XeBF = -p.Ce * std::cos(thetaE) * std::cos(a);
    const double YeBF = p.He - p.Ce * std::sin(thetaE);
    const double ZeBF = p.Ce * std::cos(thetaE) * std::sin(a);
    const double ZsBA = p.F * std::sin(a) + p.L * std::cos(a);
    const double XsBF = -(p.Cs * std::cos(thetaS) + p.F) * std::cos(a) + p.L * std::sin(a);
    const double YsBF = p.Hs - p.Cs * std::sin(thetaS);
    const double ZsBF = (p.Cs * std::cos(thetaS) + p.F) * std::sin(a) + p.L * std::cos(a);

    // The trailing-edge line meets the root cutting plane Z' = 0 at (X0, Y0).
    if (ZsBF == ZeBF)
        return Resultat::Refus("Les bords de fuite de l'emplanture et du saumon sont à la même "
                               "distance du plan d'emplanture : le vrillage final ne peut pas "
                               "être calculé.");
    const double t = -ZeBF / (ZsBF - ZeBF);
    const double X0 = XeBF + (XsBF - XeBF) * t;
    const double Y0 = YeBF + (YsBF - YeBF) * t;

    // The tip cutting plane lies through the tip trailing edge; the leading-edge
    // line from (0, He, 0) to (0, Hs, ZsBA) gives the tip's final height there.
    if (ZsBA == 0)
        return Resultat::Refus("Le bord d'attaque du saumon est dans le plan de l'emplanture : la "
                               "hauteur finale du saumon ne peut pas être calculée.");
    const double u = ZsBF / ZsBA;
    const double Hs_f = (1 - u) * p.He + u * p.Hs;

    if (X0 == 0)
        return Resultat::Refus("Le bord de fuite projeté de l'emplanture est à l'aplomb de son "
                               "bord d'attaque : le vrillage final de l'emplanture ne peut pas "
                               "être calculé.");
    if (XsBF == 0)
        return Resultat::Refus("Le bord de fuite du saumon est à l'aplomb du bord d'attaque : le "
                               "vrillage final du saumon ne peut pas être calculé.");
    const double Te_f = Degres(std::atan((Y0 - p.He) / X0));
    const double Ts_f = Degres(std::atan((YsBF - Hs_f) / XsBF));

    if (!Fini(p.He) || !Fini(Hs_f) || !Fini(Te_f) || !Fini(Ts_f))
        return Resultat::Refus("Les valeurs saisies ne donnent pas de hauteurs et vrillages "
                               "finaux numériques : le calcul est refusé.");
    v = {p.He, Hs_f, Te_f, Ts_f};
    return {};
}

void Poser_Finals(const VrillageFinal& v, Finals& f) {
    f.Txt_Href_Empl_final = Format(v.Href_Empl, "#0.00");
    f.Txt_Href_Saum_final = Format(v.Href_Saum, "#0.00");
    f.Txt_Vrill_Empl_Final = Format(v.Vrill_Empl, "#0.00");
    f.Txt_Vrill_Saum_Final = Format(v.Vrill_Saum, "#0.00");
}

} // namespace ortix
