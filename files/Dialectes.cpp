#include "files/Dialectes.h"

#include <algorithm>
#include <cmath>

namespace ortix::fichiers {

const DialecteGCode& Dialecte_GCode(Dialecte d) {
    return *std::find_if(TableDialectes.begin(), TableDialectes.end(),
                         [&](const DialecteGCode& t) { return t.dialecte == d; });
}

double Longueur_Avance(RegleAvance regle, const std::array<char, NombreAxes>& lettres,
                       const std::array<double, NombreAxes>& deplacements) {
    // The squared length over the axes whose letters are among `groupe`.
    auto carre = [&](std::string_view groupe) {
        double s = 0;
        for (std::size_t a = 0; a < NombreAxes; ++a)
            if (groupe.find(lettres[a]) != std::string_view::npos)
                s += deplacements[a] * deplacements[a];
        return s;
    };
    switch (regle) {
    case RegleAvance::TousLesAxes:
        return std::sqrt(carre("XYZABCUVW"));
    case RegleAvance::XYZPuisUVW:
        if (const double xyz = carre("XYZ"); xyz > 0) return std::sqrt(xyz);
        if (const double uvw = carre("UVW"); uvw > 0) return std::sqrt(uvw);
        return std::sqrt(carre("ABC"));
    case RegleAvance::PlusGrandePaire:
        return std::sqrt(std::max(carre("XY"), carre("UV")));
    }
    return 0;
}

} // namespace ortix::fichiers
