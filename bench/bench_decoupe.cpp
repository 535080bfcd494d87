// The cost of the G-code of the largest panel the arrays hold (both projected
// profiles of 999 points), kerf by speed: the cut planned, written and read back
// (Preparer_GCode), as the batch command makes it before writing the file.
#include "bench/DecoupeDeBanc.h"
#include "files/GCode.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ortix;

void BM_Decoupe_GCode_1000_Points(benchmark::State& etat) {
    const auto m = banc::Panneau_De_Decoupe();
    if (!m) return etat.SkipWithError("le panneau de 1000 points n'est pas calculé");
    const ProfilMachine p = banc::Machine_De_Banc();
    fichiers::GCodeVerifie g;
    for (auto _ : etat)
        if (const Resultat r = fichiers::Preparer_GCode(*m, p, "01/01/2025", g); !r)
            return etat.SkipWithError(r.message().c_str());
    etat.counters["positions"] = static_cast<double>(g.decoupe.positions.size());
    etat.counters["octets"] = static_cast<double>(g.programme.texte.size());
}
BENCHMARK(BM_Decoupe_GCode_1000_Points)->Unit(benchmark::kMillisecond);

} // namespace
