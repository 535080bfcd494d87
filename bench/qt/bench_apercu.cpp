// The cut's preview for the largest panel the arrays hold (both projected
// profiles of 999 points), kerf by speed, in the real window offscreen: opening
// it (the cut planned, written and read back, both views, the first paint),
// then one step of the slider (the wire's place and its repaint).
#include "bench/ChampsDeBanc.h"
#include "geometry/Projection.h"
#include "geometry/qt/Apercu_Decoupe.h"
#include "tests/support/Support.h"

#include <QApplication>
#include <QStyleFactory>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace ortix;

std::unique_ptr<Modele> panneau() {
    auto m = essais::Panneau(essais::Naca(500, 0.12, 0.03), essais::Naca(499, 0.12, 0.03),
                             banc::Champs_De_Banc("600", "599.9998"));
    Vue v;
    if (!Calculer_Profils_Projetes(*m, v) || m->Nb_Pts_Empl_Proj < 999 || m->Nb_Pts_Saum_Proj < 999)
        return nullptr;
    return m;
}

ProfilMachine machine() {
    ProfilMachine p;
    p.ecartTours = 1100;
    p.distanceEmplanture = 80;
    p.saigneeVitesse = {{1, 1.6}, {4, 0.9}, {8, 0.6}};
    p.courseMin.fill(-1000);
    p.courseMax.fill(1000);
    return p;
}

void BM_Apercu_Ouvrir_1000_Points(benchmark::State& etat) {
    const auto m = panneau();
    if (!m) return etat.SkipWithError("le panneau de 1000 points n'est pas calculé");
    Apercu_Decoupe a(nullptr);
    a.show();
    for (auto _ : etat) {
        a.afficher(*m, machine(), true);
        benchmark::DoNotOptimize(a.grab());
    }
    if (a.apercu().gcode.simulation.mouvements.empty()) etat.SkipWithError("découpe refusée");
}
BENCHMARK(BM_Apercu_Ouvrir_1000_Points)->Unit(benchmark::kMillisecond);

void BM_Apercu_Pas_Du_Curseur_1000_Points(benchmark::State& etat) {
    const auto m = panneau();
    if (!m) return etat.SkipWithError("le panneau de 1000 points n'est pas calculé");
    Apercu_Decoupe a(nullptr);
    a.show();
    a.afficher(*m, machine(), true);
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

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "1");
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
