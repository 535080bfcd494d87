// The airfoil reader, both layouts, from a file's bytes as Lire_Profil decodes
// them. A success holds 1 to 1000 finite points; a refusal says why and leaves
// the airfoil it was given as it was.
#include "files/FichierProfil.h"
#include "files/Texte.h"
#include "fuzz/Verifier.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// An airfoil already in place, so that a refusal can be seen to keep it.
ortix::Profil Profil_Temoin() {
    ortix::Profil p;
    p.legende = "Témoin";
    p.n = 3;
    for (std::size_t i = 0; i < p.x.size(); ++i) {
        p.x[i] = 0.25 * static_cast<double>(i % 7);
        p.y[i] = -0.5 * static_cast<double>(i % 5);
    }
    return p;
}

bool Identiques(const ortix::Profil& a, const ortix::Profil& b) {
    return a.legende == b.legende && a.n == b.n &&
           std::memcmp(a.x.data(), b.x.data(), sizeof a.x) == 0 &&
           std::memcmp(a.y.data(), b.y.data(), sizeof a.y) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string_view octets(reinterpret_cast<const char*>(donnees), taille);
    static const ortix::Profil temoin = Profil_Temoin();
    ortix::Profil p = temoin;
    std::string erreur;
    if (ortix::fichiers::Analyser_Profil(ortix::fichiers::DecoderTexte(octets), "essai.dat", p,
                                         erreur)) {
        EXIGER(p.n >= 1 && p.n <= ortix::Capacite);
        for (int i = 0; i < p.n; ++i)
            EXIGER(std::isfinite(p.x[static_cast<std::size_t>(i)]) &&
                   std::isfinite(p.y[static_cast<std::size_t>(i)]));
    } else {
        EXIGER(!erreur.empty());
        EXIGER(Identiques(p, temoin));
    }
    return 0;
}
