// The panel and the machine the cut's benchmarks share: the largest panel the
// arrays hold (both projected profiles of 999 points), computed, and a machine
// with a kerf table, whose travel takes the whole panel.
#pragma once

#include "bench/ChampsDeBanc.h"
#include "geometry/Machine.h"
#include "geometry/Projection.h"
#include "tests/support/Support.h"

#include <memory>

namespace ortix::banc {

// The panel computed, or nullptr when its projected profiles are not of 999 points.
inline std::unique_ptr<Modele> Panneau_De_Decoupe() {
    auto m = essais::Panneau(essais::Naca(500, 0.12, 0.03), essais::Naca(499, 0.12, 0.03),
                             Champs_De_Banc("600", "599.9998"));
    Vue v;
    if (!Calculer_Profils_Projetes(*m, v) || m->Nb_Pts_Empl_Proj < 999 || m->Nb_Pts_Saum_Proj < 999)
        return nullptr;
    return m;
}

inline ProfilMachine Machine_De_Banc() {
    ProfilMachine p;
    p.ecartTours = 1100;
    p.distanceEmplanture = 80;
    p.saigneeVitesse = {{1, 1.6}, {4, 0.9}, {8, 0.6}};
    p.courseMin.fill(-1000);
    p.courseMax.fill(1000);
    return p;
}

} // namespace ortix::banc
