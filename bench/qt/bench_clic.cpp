// The whole click on "Calculer les nouveaux profils" in the real window,
// painting of the whole window included, for typical airfoils and for the largest sections the
// arrays hold. The window is offscreen and rendered into an image each time.
#include "app/qt/Interface.h"
#include "model/Modele.h"
#include "files/Projet.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

using namespace ortix;

// A cambered airfoil, cosine spaced: nExtrados points from the trailing edge
// to the leading edge, then nIntrados back along the lower surface.
Profil profil(int nExtrados, int nIntrados) {
    Profil p;
    const double pi = 4 * std::atan(1.0);
    auto demi = [](double x) {
        return 0.6 * (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x -
                      0.1036 * x * x * x * x);
    };
    auto ligne = [](double x) { return 0.12 * x * (1 - x); };
    auto ajouter = [&](double x, double y) {
        p.x[static_cast<std::size_t>(p.n)] = x;
        p.y[static_cast<std::size_t>(p.n++)] = y;
    };
    for (int i = 0; i < nExtrados; ++i) {
        const double x = (1 + std::cos(pi * i / (nExtrados - 1))) / 2;
        ajouter(x, ligne(x) + demi(x));
    }
    for (int i = 1; i <= nIntrados; ++i) {
        const double x = (1 - std::cos(pi * i / nIntrados)) / 2;
        ajouter(x, ligne(x) - demi(x));
    }
    p.legende = "profil de mesure";
    return p;
}

void Clic_Calculer(benchmark::State& etat, int extradosEmpl, int extradosSaum, const char* cordeSaum) {
    QTemporaryDir dossier;
    fichiers::Projet projet;
    projet.nom = "Mesure";
    projet.champs.txt_corde_empl = "300";
    projet.champs.txt_corde_saum = cordeSaum;
    projet.champs.txt_vril_empl2 = "2";
    projet.champs.txt_vril_saum2 = "-1.5";
    projet.champs.txt_href_saum = "35";
    projet.empl = profil(extradosEmpl, extradosEmpl);
    projet.saum = profil(extradosSaum, extradosSaum);
    auto m = std::make_unique<Modele>();
    fichiers::Appliquer_Projet(*m, projet);
    const QString chemin = dossier.filePath(QStringLiteral("mesure.ortix"));
    std::string erreur;
    if (!fichiers::Sauve_Projet(*m, chemin.toStdString(), "mesure.ortix", erreur)) {
        etat.SkipWithError(erreur.c_str());
        return;
    }
    Interface w;
    bool refus = false;
    w.messager = [&](const QString&, const QString&) { refus = true; };
    w.show();
    w.Charge_Projet(chemin);
    for (auto _ : etat) {
        w.Bt_Calc_Click();
        // Renders the whole window, every view included, into an image.
        benchmark::DoNotOptimize(w.grab());
    }
    if (refus) etat.SkipWithError("calcul refusé");
    etat.counters["proj_empl"] = w.modele().Nb_Pts_Empl_Proj;
    etat.counters["proj_saum"] = w.modele().Nb_Pts_Saum_Proj;
}

} // namespace

BENCHMARK_CAPTURE(Clic_Calculer, typique_120_points, 60, 60, "100")->Unit(benchmark::kMillisecond);
// 1000 root points and 998 tip points, both projected profiles at 1000 points.
BENCHMARK_CAPTURE(Clic_Calculer, plus_grand_1000_points, 500, 499, "299.9999")
    ->Unit(benchmark::kMillisecond);

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
