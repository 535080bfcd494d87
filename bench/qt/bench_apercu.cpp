// The cut's preview for the largest panel the arrays hold (both projected
// profiles of 999 points), kerf by speed, in the real window offscreen: opening
// it (the cut planned, written and read back, both views, the first paint),
// then one step of the slider (the wire's place and its repaint).
#include "bench/DecoupeDeBanc.h"
#include "geometry/qt/Apercu_Decoupe.h"

#include <benchmark/benchmark.h>

namespace {

using namespace ortix;

void BM_Apercu_Ouvrir_1000_Points(benchmark::State& etat) {
    const auto m = banc::Panneau_De_Decoupe();
    if (!m) return etat.SkipWithError("le panneau de 1000 points n'est pas calculé");
    Apercu_Decoupe a(nullptr);
    a.show();
    for (auto _ : etat) {
        a.afficher(*m, banc::Machine_De_Banc(), true);
        benchmark::DoNotOptimize(a.grab());
    }
    if (a.apercu().gcode.simulation.mouvements.empty()) etat.SkipWithError("découpe refusée");
}
BENCHMARK(BM_Apercu_Ouvrir_1000_Points)->Unit(benchmark::kMillisecond);

void BM_Apercu_Pas_Du_Curseur_1000_Points(benchmark::State& etat) {
    const auto m = banc::Panneau_De_Decoupe();
    if (!m) return etat.SkipWithError("le panneau de 1000 points n'est pas calculé");
    Apercu_Decoupe a(nullptr);
    a.show();
    a.afficher(*m, banc::Machine_De_Banc(), true);
    if (a.apercu().gcode.simulation.mouvements.empty())
        return etat.SkipWithError("découpe refusée");
    benchmark::DoNotOptimize(a.grab()); // the views' images, made once
    int s = 0;
    for (auto _ : etat) {
        a.placer(s = (s + 7) % Apercu_Decoupe::Pas);
        benchmark::DoNotOptimize(a.grab());
    }
}
BENCHMARK(BM_Apercu_Pas_Du_Curseur_1000_Points)->Unit(benchmark::kMillisecond);

} // namespace
