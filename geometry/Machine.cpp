#include "geometry/Machine.h"

namespace ortix {

double Saignee(const ProfilMachine& p, Extremite face, double vitesse) {
    const std::vector<SaigneeVitesse>& t = p.saigneeVitesse;
    if (t.empty()) return face == Extremite::Emplanture ? p.saigneeEmplanture : p.saigneeSaumon;
    if (vitesse <= t.front().vitesse) return t.front().saignee;
    for (std::size_t i = 1; i < t.size(); ++i)
        if (vitesse <= t[i].vitesse) {
            const double u = (vitesse - t[i - 1].vitesse) / (t[i].vitesse - t[i - 1].vitesse);
            return t[i - 1].saignee + u * (t[i].saignee - t[i - 1].saignee);
        }
    return t.back().saignee;
}

std::size_t Premier_Axe(const ProfilMachine& p, Extremite tour) {
    return (tour == Extremite::Emplanture) == p.emplantureAGauche ? 0 : 2;
}

} // namespace ortix
