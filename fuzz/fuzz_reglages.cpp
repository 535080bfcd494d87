// The settings file reader. It never fails; what it keeps is whole lines, never
// empty, and a line end added at the end of the file changes nothing.
#include "files/Reglages.h"
#include "fuzz/Verifier.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

bool Ligne_Entiere(const std::optional<std::string>& valeur) {
    return !valeur || (!valeur->empty() && valeur->find_first_of("\r\n") == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string_view octets(reinterpret_cast<const char*>(donnees), taille);
    const ortix::fichiers::Reglages r = ortix::fichiers::Analyser_Reglages(octets);
    for (const ortix::fichiers::Emplacement* e :
         {&r.Charge_Proj, &r.Sauv_Proj, &r.Charge_Fichier, &r.Sauv_Profil}) {
        EXIGER(Ligne_Entiere(e->lecteur));
        EXIGER(Ligne_Entiere(e->dossier));
    }
    EXIGER(ortix::fichiers::Analyser_Reglages(std::string(octets) + "\r\n") == r);
    return 0;
}
