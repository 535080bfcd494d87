// A fuzzed machine profile read, then used to cut a small panel. The reader
// refuses with a message and the profile as it was, or gives finite values that
// it writes back and reads again the same. The cut refuses with a message, or
// gives an ASCII program that reads back within 0.01 mm of the plan.
#include "files/FichierMachine.h"
#include "files/GCode.h"
#include "fuzz/Verifier.h"
#include "geometry/Planforme.h"
#include "geometry/Projection.h"

#include <cmath>
#include <cstdint>
#include <memory>

namespace {

// A four-digit section 12 % thick of 41 points.
ortix::Profil profil() {
    ortix::Profil p;
    for (int i = -20; i <= 20; ++i) {
        const double x = (1 - std::cos(std::abs(i) * 3.14159265358979 / 20)) / 2;
        const double y = 0.6 * (0.2969 * std::sqrt(x) - 0.126 * x - 0.3516 * x * x +
                                0.2843 * x * x * x - 0.1015 * x * x * x * x);
        p.x[static_cast<std::size_t>(p.n)] = x;
        p.y[static_cast<std::size_t>(p.n++)] = i < 0 ? y : -y;
    }
    return p;
}

// A swept, tapered, twisted panel, computed once.
const ortix::Modele& panneau() {
    static const std::unique_ptr<ortix::Modele> m = [] {
        auto n = std::make_unique<ortix::Modele>();
        n->champs = {"500", "150", "e.dat", "300", "20", "2", "s.dat", "150", "30", "-1"};
        ortix::Poser_Profil(*n, ortix::Extremite::Emplanture, profil());
        ortix::Poser_Profil(*n, ortix::Extremite::Saumon, profil());
        ortix::Rafraichir_Panneau(*n);
        ortix::Vue v;
        EXIGER(ortix::Calculer_Profils_Projetes(*n, v).ok());
        return n;
    }();
    return *m;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    using namespace ortix::fichiers;
    const std::string_view octets(reinterpret_cast<const char*>(donnees), taille);
    ortix::ProfilMachine temoin;
    temoin.vitesse = 123;
    ortix::ProfilMachine p = temoin;
    if (const ortix::Resultat r = Analyser_Profil_Machine(octets, "essai.profil", p); !r) {
        EXIGER(!r.message().empty() && p == temoin);
        return 0;
    }
    std::string ecrit;
    for (const std::string& l : Lignes_Profil_Machine(p, true))
        ecrit += l + "\n";
    ortix::ProfilMachine relu;
    EXIGER(Analyser_Profil_Machine(ecrit, "relu", relu).ok() && relu == p);
    for (const double v : {p.ecartTours, p.distanceEmplanture, p.vitesse, p.entree, p.puissance})
        EXIGER(std::isfinite(v));

    GCodeVerifie g;
    if (const ortix::Resultat r = Preparer_GCode(panneau(), p, "01/01/2025", g); !r) {
        EXIGER(!r.message().empty());
        return 0;
    }
    EXIGER(g.simulation.ecartMax <= EcartMaximal);
    for (const char c : g.programme.texte)
        EXIGER(c == '\n' || (c >= 0x20 && c < 0x7F));
    return 0;
}
