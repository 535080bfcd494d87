// The airfoil reader, both layouts, from a file's bytes as Lire_Profil decodes
// them. A success holds 1 to 1000 finite points; a refusal says why and leaves
// the airfoil it was given as it was.
#include "files/Encodage.h"
#include "files/FichierProfil.h"
#include "fuzz/Verifier.h"

#include <cmath>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string_view octets(reinterpret_cast<const char*>(donnees), taille);
    ortix::Profil temoin;
    temoin.legende = "Témoin";
    temoin.n = 3;
    temoin.x.fill(0.25);
    ortix::Profil p = temoin;
    const ortix::Resultat r =
        ortix::fichiers::Analyser_Profil(ortix::fichiers::Decoder_Texte(octets), "essai.dat", p);
    if (!r) {
        EXIGER(!r.message().empty());
        EXIGER(p.legende == temoin.legende && p.n == temoin.n && p.x == temoin.x &&
               p.y == temoin.y);
        return 0;
    }
    EXIGER(p.n >= 1 && p.n <= ortix::Capacite);
    for (std::size_t i = 0; i < static_cast<std::size_t>(p.n); ++i)
        EXIGER(std::isfinite(p.x[i]) && std::isfinite(p.y[i]));
    return 0;
}
