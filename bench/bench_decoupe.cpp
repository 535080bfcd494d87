// The cost of the G-code of the largest panel the arrays hold (both projected
// profiles of 999 points), kerf by speed: the cut planned, written and read back
// (Preparer_GCode), as the batch command makes it before writing the file.
#include "bench/ChampsDeBanc.h"
#include "files/GCode.h"
#include "geometry/Projection.h"
#include "tests/support/Support.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace ortix;

void BM_Decoupe_GCode_1000_Points(benchmark::State& etat) {
    auto m = essais::Panneau(essais::Naca(500, 0.12, 0.03), essais::Naca(499, 0.12, 0.03),
                             banc::Champs_De_Banc("600", "599.9998"));
    Vue v;
    if (!Calculer_Profils_Projetes(*m, v) || m->Nb_Pts_Empl_Proj < 999 || m->Nb_Pts_Saum_Proj < 999)
        return etat.SkipWithError("le panneau de 1000 points n'est pas calculé");
    ProfilMachine p;
    p.ecartTours = 1100;
    p.distanceEmplanture = 80;
    p.saigneeVitesse = {{1, 1.6}, {4, 0.9}, {8, 0.6}};
    p.courseMin.fill(-1000);
    p.courseMax.fill(1000);
    fichiers::GCodeVerifie g;
    for (auto _ : etat)
        if (const Resultat r = fichiers::Preparer_GCode(*m, p, "01/01/2025", g); !r)
            return etat.SkipWithError(r.message().c_str());
    etat.counters["positions"] = static_cast<double>(g.decoupe.positions.size());
    etat.counters["octets"] = static_cast<double>(g.programme.texte.size());
}
BENCHMARK(BM_Decoupe_GCode_1000_Points)->Unit(benchmark::kMillisecond);

} // namespace
