// The whole click on "Calculer les nouveaux profils" in the real window,
// painting of the whole window included, for typical airfoils and for the largest sections the
// arrays hold. The window is offscreen and rendered into an image each time.
#include "app/qt/Interface.h"
#include "bench/ChampsDeBanc.h"
#include "files/Projet.h"
#include "model/Modele.h"
#include "tests/support/Support.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace ortix;

// Airfoils of 2·n − 1 points at each end.
void Clic_Calculer(benchmark::State& etat, int nEmpl, int nSaum, const char* cordeSaum) {
    QTemporaryDir dossier;
    fichiers::Projet projet;
    projet.nom = "Mesure";
    projet.champs = banc::Champs_De_Banc("300", cordeSaum);
    projet.empl = essais::Naca(nEmpl, 0.12, 0.03);
    projet.saum = essais::Naca(nSaum, 0.12, 0.03);
    projet.empl.legende = projet.saum.legende = "profil de mesure";
    auto m = std::make_unique<Modele>();
    fichiers::Appliquer_Projet(*m, projet);
    const QString chemin = dossier.filePath(QStringLiteral("mesure.ortix"));
    if (Resultat r = fichiers::Sauve_Projet(*m, chemin.toStdString(), "mesure.ortix"); !r) {
        etat.SkipWithError(r.message().c_str());
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
}

} // namespace

BENCHMARK_CAPTURE(Clic_Calculer, typique_120_points, 60, 60, "100")->Unit(benchmark::kMillisecond);
// 999 root points and 997 tip points, both projected profiles at 999 points.
BENCHMARK_CAPTURE(Clic_Calculer, plus_grand_1000_points, 500, 499, "299.9999")
    ->Unit(benchmark::kMillisecond);
