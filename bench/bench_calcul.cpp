// The cost of one "Calculer les nouveaux profils" as the user meets it: the
// sections placed in the panel frame (what the refresh does to the arrays), the
// projected profiles with their view, and both profiles normalised for output.
#include "app/model/Nombres.h"
#include "geometry/Projection.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>

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

// The sections in the panel frame, as the refresh writes them.
void remplir3D(Modele& m) {
    const double Ce = Val(m.champs.txt_corde_empl), He = Val(m.champs.txt_href_empl);
    const double Cs = Val(m.champs.txt_corde_saum), Hs = Val(m.champs.txt_href_saum);
    const double L = Val(m.champs.Txt_Long), F = Val(m.champs.txt_fleche);
    for (int i = 1; i <= m.Nb_Pts_Empl; ++i) {
        m.X_Empl_3D(i) = -Ce * m.X_Empl(i);
        m.Y_Empl_3D(i) = Ce * m.Y_Empl(i) + He;
        m.Z_Empl_3D(i) = 0;
    }
    for (int i = 1; i <= m.Nb_Pts_Saum; ++i) {
        m.X_Saum_3D(i) = -F - Cs * m.X_Saum(i);
        m.Y_Saum_3D(i) = Cs * m.Y_Saum(i) + Hs;
        m.Z_Saum_3D(i) = L;
    }
}

struct Panneau {
    int extradosEmpl, intradosEmpl, extradosSaum, intradosSaum;
    const char* cordeEmpl;
    const char* cordeSaum;
};

void calculer(benchmark::State& etat, const Panneau& p) {
    auto m = std::make_unique<Modele>();
    Poser_Profil(*m, Extremite::Emplanture, *profil(p.extradosEmpl, p.intradosEmpl));
    Poser_Profil(*m, Extremite::Saumon, *profil(p.extradosSaum, p.intradosSaum));
    m->champs.txt_corde_empl = p.cordeEmpl;
    m->champs.txt_corde_saum = p.cordeSaum;
    m->champs.txt_vril_empl2 = "2";
    m->champs.txt_vril_saum2 = "-1.5";
    m->champs.txt_href_saum = "35";
    auto xn = std::make_unique<Tableau>(), yn = std::make_unique<Tableau>();
    for (auto _ : etat) {
        remplir3D(*m);
        const ResultatCalcul r = Bt_Calc_Click(*m);
        if (!r.ok) {
            etat.SkipWithError(r.message.c_str());
            break;
        }
        bool normalise =
            Normaliser(m->X_Empl_Proj, m->Y_Empl_Proj, m->Nb_Pts_Empl_Proj,
                       Val(m->finals.Txt_Href_Empl_final), *xn, *yn);
        normalise &= Normaliser(m->X_Saum_Proj, m->Y_Saum_Proj, m->Nb_Pts_Saum_Proj,
                                Val(m->finals.Txt_Href_Saum_final), *xn, *yn);
        if (!normalise) {
            etat.SkipWithError("normalisation refusée");
            break;
        }
        benchmark::DoNotOptimize(xn->data());
        benchmark::DoNotOptimize(yn->data());
    }
    etat.counters["pts_empl"] = m->Nb_Pts_Empl;
    etat.counters["pts_saum"] = m->Nb_Pts_Saum;
    etat.counters["proj_empl"] = m->Nb_Pts_Empl_Proj;
    etat.counters["proj_saum"] = m->Nb_Pts_Saum_Proj;
}

// Typical airfoil files, the initial panel (400 / 100 mm chords, 350 mm sweep).
void BM_Calcul_Typique(benchmark::State& etat) {
    const int n = static_cast<int>(etat.range(0));
    calculer(etat, {n / 2 + 1, n - n / 2 - 1, n / 2 + 1, n - n / 2 - 1, "400", "100"});
}
BENCHMARK(BM_Calcul_Typique)->Arg(60)->Arg(120)->Arg(200)->Unit(benchmark::kMicrosecond);

// The largest root the arrays hold: 1000 root points, 998 tip points, tip chord a
// hair under the root's so that both projected profiles hold exactly 1000
// points. Every point searches the whole other section from its start: about a
// million segment tests.
void BM_Calcul_1000_Points(benchmark::State& etat) {
    calculer(etat, {500, 500, 499, 499, "300", "299.9999"});
}
BENCHMARK(BM_Calcul_1000_Points)->Unit(benchmark::kMicrosecond);

// 998 points at both ends and a tip three times the root's chord: most tip points
// lie aft of the root trailing edge, so their searches scan the whole root and
// fail.
void BM_Calcul_998_Points_Saumon_Large(benchmark::State& etat) {
    calculer(etat, {499, 499, 499, 499, "200", "600"});
}
BENCHMARK(BM_Calcul_998_Points_Saumon_Large)->Unit(benchmark::kMicrosecond);

} // namespace
