// The cost of the cutting templates of the largest panel the arrays hold (both
// projected profiles of 999 points): the whole save as the user meets it (the
// three profile files, both templates built and paginated, the PDF and both SVGs,
// all written to disk atomically), then the templates' steps alone.
#include "bench/ChampsDeBanc.h"
#include "files/GabaritPDF.h"
#include "files/GabaritSVG.h"
#include "files/Sortie.h"
#include "geometry/Planforme.h"
#include "geometry/Projection.h"
#include "tests/support/Support.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace ortix;

// 999 root points, 997 tip points, the tip's chord a hair under the root's:
// both projected profiles hold 999 points. Twisted and swept, so that the
// templates are turned; a 600 mm root, so that each spans two A4 pages.
std::unique_ptr<Modele> panneau() {
    auto m = essais::Panneau(essais::Naca(500, 0.12, 0.03), essais::Naca(499, 0.12, 0.03),
                             banc::Champs_De_Banc("600", "599.9998"));
    m->Txt_Nom_proj = "Banc d'essai";
    Vue v;
    if (!Calculer_Profils_Projetes(*m, v) || m->Nb_Pts_Empl_Proj < 999 || m->Nb_Pts_Saum_Proj < 999)
        return nullptr;
    return m;
}

void BM_Gabarits_Ecrire_1000_Points(benchmark::State& etat) {
    const auto m = panneau();
    if (!m) return etat.SkipWithError("le panneau de 1000 points n'est pas calculé");
    const std::filesystem::path dossier =
        std::filesystem::temp_directory_path() / "ortix_bench_gabarits";
    std::filesystem::create_directories(dossier);
    const fichiers::NomsProposes noms = fichiers::Propose_Noms(
        m->Txt_Nom_proj, m->finals.Txt_Corde_Final, m->finals.Txt_Lg_Final, m->finals);
    for (auto _ : etat) {
        std::vector<std::string> ecrits;
        const Resultat r = fichiers::Sauve_Fichiers(*m, dossier, noms, {true, {}}, ecrits);
        if (!r) return etat.SkipWithError(r.message().c_str());
    }
    etat.counters["octets_pdf"] =
        static_cast<double>(std::filesystem::file_size(dossier / noms.Txt_Nom_Fich_Gabarits));
    std::filesystem::remove_all(dossier);
}
BENCHMARK(BM_Gabarits_Ecrire_1000_Points)->Unit(benchmark::kMillisecond);

void BM_Gabarits_Construire_Paginer(benchmark::State& etat) {
    const auto m = panneau();
    if (!m) return etat.SkipWithError("le panneau de 1000 points n'est pas calculé");
    Gabarit e, s;
    Pagination pe, ps;
    for (auto _ : etat)
        if (!Mettre_En_Pages(*m, "01/01/2025", {}, e, s, pe, ps))
            return etat.SkipWithError("gabarits refusés");
    etat.counters["pages"] = static_cast<double>(pe.pages.size() + ps.pages.size());
    etat.counters["graduations"] = static_cast<double>(e.graduations.size());
}
BENCHMARK(BM_Gabarits_Construire_Paginer)->Unit(benchmark::kMillisecond);

void BM_Gabarits_Pdf_En_Memoire(benchmark::State& etat) {
    const auto m = panneau();
    Gabarit e, s;
    Pagination pe, ps;
    if (!m || !Mettre_En_Pages(*m, "01/01/2025", {}, e, s, pe, ps))
        return etat.SkipWithError("gabarits refusés");
    std::string pdf;
    for (auto _ : etat)
        if (!fichiers::Pdf_Gabarits({{&e, &pe}, {&s, &ps}}, pdf))
            return etat.SkipWithError("PDF refusé");
}
BENCHMARK(BM_Gabarits_Pdf_En_Memoire)->Unit(benchmark::kMillisecond);

void BM_Gabarits_Svg_En_Memoire(benchmark::State& etat) {
    const auto m = panneau();
    Gabarit e, s;
    if (!m || !Construire_Gabarits(*m, "01/01/2025", Disposition::Dessus, e, s))
        return etat.SkipWithError("gabarits refusés");
    std::string svg;
    for (auto _ : etat) {
        if (!fichiers::Svg_Gabarit(e, svg) || !fichiers::Svg_Gabarit(s, svg))
            return etat.SkipWithError("SVG refusé");
        benchmark::DoNotOptimize(svg.data());
    }
}
BENCHMARK(BM_Gabarits_Svg_En_Memoire)->Unit(benchmark::kMillisecond);

} // namespace
