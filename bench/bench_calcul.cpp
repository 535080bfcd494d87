// The cost of one "Calculer les nouveaux profils" as the user meets it: the
// sections placed in the panel frame (what the refresh does to the arrays), the
// projected profiles with their view, and both profiles normalised for output.
// Each case runs with the indexed section search (what the program does) and
// with the plain linear walk it replaced, side by side; the searches of one
// computation are also timed alone.
#include "model/Nombres.h"
#include "files/Sortie.h"
#include "geometry/Primitives.h"
#include "geometry/Planforme.h"
#include "geometry/Projection.h"
#include "geometry/RechercheSegments.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace ortix;

// A cambered airfoil: nExtrados points from the trailing edge to the leading
// edge (included) over the upper surface, then nIntrados back to the trailing
// edge over the lower surface, cosine spaced.
std::unique_ptr<Profil> profil(int nExtrados, int nIntrados) {
    auto p = std::make_unique<Profil>();
    const double pi = 4 * std::atan(1.0);
    auto demi = [](double x) {
        return 0.6 * (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x +
                      0.2843 * x * x * x - 0.1036 * x * x * x * x);
    };
    auto ligne = [](double x) { return 0.12 * x * (1 - x); };
    for (int i = 0; i < nExtrados; ++i) {
        const double x = (1 + std::cos(pi * i / (nExtrados - 1))) / 2;
        p->x[static_cast<std::size_t>(p->n)] = x;
        p->y[static_cast<std::size_t>(p->n++)] = ligne(x) + demi(x);
    }
    for (int i = 1; i <= nIntrados; ++i) {
        const double x = (1 - std::cos(pi * i / nIntrados)) / 2;
        p->x[static_cast<std::size_t>(p->n)] = x;
        p->y[static_cast<std::size_t>(p->n++)] = ligne(x) - demi(x);
    }
    return p;
}

// The sections in the panel frame, placed by the refresh itself.
void remplir3D(Modele& m) { Trace_Profil_Ini(m); }

struct Panneau {
    int extradosEmpl, intradosEmpl, extradosSaum, intradosSaum;
    const char* cordeEmpl;
    const char* cordeSaum;
};

std::unique_ptr<Modele> modele(const Panneau& p) {
    auto m = std::make_unique<Modele>();
    Poser_Profil(*m, Extremite::Emplanture, *profil(p.extradosEmpl, p.intradosEmpl));
    Poser_Profil(*m, Extremite::Saumon, *profil(p.extradosSaum, p.intradosSaum));
    // Whole strings moved in: assigning the literals trips a false -Wrestrict of
    // GCC 12's inlined std::string.
    m->champs.txt_corde_empl = std::string(p.cordeEmpl);
    m->champs.txt_corde_saum = std::string(p.cordeSaum);
    m->champs.txt_vril_empl2 = std::string("2");
    m->champs.txt_vril_saum2 = std::string("-1.5");
    m->champs.txt_href_saum = std::string("35");
    return m;
}

void calculer(benchmark::State& etat, const Panneau& p, Recherche recherche) {
    auto m = modele(p);
    std::vector<double> xn, yn;
    for (auto _ : etat) {
        remplir3D(*m);
        const ResultatCalcul r = Bt_Calc_Click(*m, recherche);
        if (!r.ok) {
            etat.SkipWithError(r.message.c_str());
            break;
        }
        bool normalise =
            fichiers::Normaliser(m->X_Empl_Proj, m->Y_Empl_Proj, m->Nb_Pts_Empl_Proj,
                       Val(m->finals.Txt_Href_Empl_final), xn, yn);
        normalise &= fichiers::Normaliser(m->X_Saum_Proj, m->Y_Saum_Proj, m->Nb_Pts_Saum_Proj,
                                Val(m->finals.Txt_Href_Saum_final), xn, yn);
        if (!normalise) {
            etat.SkipWithError("normalisation refusée");
            break;
        }
        benchmark::DoNotOptimize(xn.data());
        benchmark::DoNotOptimize(yn.data());
    }
    etat.counters["pts_empl"] = m->Nb_Pts_Empl;
    etat.counters["pts_saum"] = m->Nb_Pts_Saum;
    etat.counters["proj_empl"] = m->Nb_Pts_Empl_Proj;
    etat.counters["proj_saum"] = m->Nb_Pts_Saum_Proj;
}

// Typical airfoil files, the initial panel (400 / 100 mm chords, 350 mm sweep).
void BM_Calcul_Typique(benchmark::State& etat, Recherche recherche) {
    const int n = static_cast<int>(etat.range(0));
    calculer(etat, {n / 2 + 1, n - n / 2 - 1, n / 2 + 1, n - n / 2 - 1, "400", "100"}, recherche);
}
BENCHMARK_CAPTURE(BM_Calcul_Typique, Indexee, Recherche::Indexee)
    ->Arg(60)->Arg(120)->Arg(200)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Calcul_Typique, Lineaire, Recherche::Lineaire)
    ->Arg(60)->Arg(120)->Arg(200)->Unit(benchmark::kMicrosecond);

// The largest root the arrays hold: 1000 root points, 998 tip points, tip chord a
// hair under the root's so that both projected profiles hold exactly 1000
// points. With the linear walk every point searches the other section from its
// start: about a million segment tests.
const Panneau Plus_Grand{500, 500, 499, 499, "300", "299.9999"};

void BM_Calcul_1000_Points(benchmark::State& etat, Recherche recherche) {
    calculer(etat, Plus_Grand, recherche);
}
BENCHMARK_CAPTURE(BM_Calcul_1000_Points, Indexee, Recherche::Indexee)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Calcul_1000_Points, Lineaire, Recherche::Lineaire)
    ->Unit(benchmark::kMicrosecond);

// 998 points at both ends and a tip three times the root's chord: most tip points
// lie aft of the root trailing edge, so their linear searches scan the whole root
// and fail.
void BM_Calcul_998_Points_Saumon_Large(benchmark::State& etat, Recherche recherche) {
    calculer(etat, {499, 499, 499, 499, "200", "600"}, recherche);
}
BENCHMARK_CAPTURE(BM_Calcul_998_Points_Saumon_Large, Indexee, Recherche::Indexee)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Calcul_998_Points_Saumon_Large, Lineaire, Recherche::Lineaire)
    ->Unit(benchmark::kMicrosecond);

// The searches of the largest computation alone, as steps 6 and 7 make them: each
// tip point on the root section, each root point ahead of the tip trailing edge
// on the tip section, in the direction of travel at that point. The indexed
// variant builds both indexes on every iteration, as one computation does.
void BM_Recherches_1000_Points(benchmark::State& etat, Recherche recherche) {
    auto m = modele(Plus_Grand);
    remplir3D(*m);
    if (!Bt_Calc_Click(*m).ok) {
        etat.SkipWithError("calcul refusé");
        return;
    }
    const int Ne = m->Nb_Pts_Empl, Ns = m->Nb_Pts_Saum;
    const double* XE = m->X_Empl_Rot.data();
    const double* XS = m->X_Saum_Rot.data();
    auto index = std::make_unique<IndexSegments[]>(2);
    IndexSegments& indexEmpl = index[0];
    IndexSegments& indexSaum = index[1];
    long recherches = 0;
    for (auto _ : etat) {
        const bool indexee = recherche == Recherche::Indexee;
        if (indexee) {
            Indexer_Segments(XE, Ne, indexEmpl);
            Indexer_Segments(XS, Ns, indexSaum);
        }
        int somme = 0;
        for (int j = 1; j <= Ns; ++j) {
            const std::int16_t d = Sens_Var_X(XS, Ns, j);
            somme += indexee ? Chercher_Segment(indexEmpl, XS[j - 1], d)
                             : Chercher_Segment_Lineaire(XE, Ne, XS[j - 1], d);
        }
        for (int i = 1; i <= Ne; ++i) {
            if (!(XE[i - 1] > XS[0])) continue;
            const std::int16_t d = Sens_Var_X(XE, Ne, i);
            somme += indexee ? Chercher_Segment(indexSaum, XE[i - 1], d)
                             : Chercher_Segment_Lineaire(XS, Ns, XE[i - 1], d);
            ++recherches;
        }
        recherches += Ns;
        benchmark::DoNotOptimize(somme);
    }
    etat.counters["recherches"] =
        benchmark::Counter(static_cast<double>(recherches), benchmark::Counter::kAvgIterations);
}
BENCHMARK_CAPTURE(BM_Recherches_1000_Points, Indexee, Recherche::Indexee)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Recherches_1000_Points, Lineaire, Recherche::Lineaire)
    ->Unit(benchmark::kMicrosecond);

// A zig-zag section of 1000 points, 500 runs of one rising segment each, searched
// at 1000 abscissae across its span in both directions: the case where the first
// run holding x is hardest to find.
void BM_Recherches_Zigzag(benchmark::State& etat, Recherche recherche) {
    auto X = std::make_unique<double[]>(Capacite);
    for (int i = 0; i < Capacite; ++i) X[i] = i % 2 ? i / 2 + 2.0 : i / 2;
    auto index = std::make_unique<IndexSegments>();
    for (auto _ : etat) {
        const bool indexee = recherche == Recherche::Indexee;
        if (indexee) Indexer_Segments(X.get(), Capacite, *index);
        int somme = 0;
        for (int k = 0; k < 1000; ++k) {
            const double x = k * 0.5017;
            const std::int16_t d = k % 2 ? 1 : -1;
            somme += indexee ? Chercher_Segment(*index, x, d)
                             : Chercher_Segment_Lineaire(X.get(), Capacite, x, d);
        }
        benchmark::DoNotOptimize(somme);
    }
}
BENCHMARK_CAPTURE(BM_Recherches_Zigzag, Indexee, Recherche::Indexee)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Recherches_Zigzag, Lineaire, Recherche::Lineaire)
    ->Unit(benchmark::kMicrosecond);

} // namespace
