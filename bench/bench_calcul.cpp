// The cost of one "Calculer les nouveaux profils" as the user meets it: the
// refresh that places the sections, the projected profiles with their view,
// and the lines of both profile files.
#include "bench/ChampsDeBanc.h"
#include "files/Sortie.h"
#include "geometry/Cassure.h"
#include "geometry/Optimisation.h"
#include "geometry/Planforme.h"
#include "geometry/Projection.h"
#include "geometry/Reduction.h"
#include "tests/support/Support.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace ortix;

// Both ends with airfoils of about `points` points, the tip a hair shorter than
// the root so that every root point is joined to a tip point.
void Calcul(benchmark::State& etat) {
    const int n = static_cast<int>(etat.range(0)) / 2;
    auto m = essais::Panneau(essais::Naca(n, 0.12, 0.03), essais::Naca(n - 1, 0.12, 0.03),
                             banc::Champs_De_Banc("300", "299.9999"));
    std::vector<std::string> empl, saum;
    for (auto _ : etat) {
        Rafraichir_Panneau(*m);
        Vue vue;
        Resultat r = Calculer_Profils_Projetes(*m, vue);
        if (r) r = fichiers::Lignes_Profil(*m, Extremite::Emplanture, empl);
        if (r) r = fichiers::Lignes_Profil(*m, Extremite::Saumon, saum);
        if (!r) {
            etat.SkipWithError(r.message().c_str());
            break;
        }
        benchmark::DoNotOptimize(empl.data());
        benchmark::DoNotOptimize(saum.data());
    }
    etat.counters["pts_empl"] = m->Nb_Pts_Empl;
    etat.counters["pts_saum"] = m->Nb_Pts_Saum;
    etat.counters["proj_empl"] = m->Nb_Pts_Empl_Proj;
    etat.counters["proj_saum"] = m->Nb_Pts_Saum_Proj;
}
BENCHMARK(Calcul)->Arg(60)->Arg(200)->Arg(1000)->Unit(benchmark::kMicrosecond);

// What the optimisation dialog needs to show the kinks: those of the present
// panel, those the three candidate heights would give, each computed on a copy
// of the model, and whether every candidate gives the same.
void Cassures_Du_Dialogue(benchmark::State& etat) {
    const int n = static_cast<int>(etat.range(0)) / 2;
    auto m = essais::Panneau(essais::Naca(n, 0.12, 0.03), essais::Naca(n - 1, 0.12, 0.03),
                             banc::Champs_De_Banc("300", "299.9999"));
    Vue vue;
    if (!Calculer_Profils_Projetes(*m, vue)) return etat.SkipWithError("calcul refusé");
    const CandidatsOpti candidats = Calcule_Candidats(*m);
    for (auto _ : etat) {
        benchmark::DoNotOptimize(Mesurer_Cassures(*m));
        for (const std::string& h : {candidats.Txt_NOP, candidats.Txt_Align,
                                     Melange(candidats.txt_int, 50, candidats.txt_ext)})
            benchmark::DoNotOptimize(Cassures_Pour_Hauteur(*m, h));
        benchmark::DoNotOptimize(Avis_Candidats(*m, candidats));
    }
}
BENCHMARK(Cassures_Du_Dialogue)->Arg(1000)->Unit(benchmark::kMillisecond);

// The offer a refused computation makes when the projected profiles would have
// too many points: the largest count that fits, each count tried on copies.
// The tip's points fall between the root's: the projected profiles hold both.
void Reduction_Proposee(benchmark::State& etat) {
    const int n = static_cast<int>(etat.range(0)) / 2;
    auto m = essais::Panneau(essais::Naca(n, 0.12, 0.03), essais::Naca(n * 2 / 3, 0.12, 0.03),
                             banc::Champs_De_Banc("300", "299.9999"));
    Reduction r;
    for (auto _ : etat)
        if (!Proposer_Reduction(*m, r)) return etat.SkipWithError("aucune réduction");
    etat.counters["N"] = r.N;
}
BENCHMARK(Reduction_Proposee)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
