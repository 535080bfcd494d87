#include "files/Reglages.h"

#include "files/Encodage.h"
#include "files/Lecture.h"
#include "files/SauvegardeAtomique.h"

#include <array>
#include <vector>

namespace ortix::fichiers {

namespace {

constexpr std::array<const char*, NombreDeDialogues> Entetes = {
    "*** Repertoire de chargement des projets",
    "*** Repertoire de sauvegarde des projets",
    "*** Repertoire de chargement des profils",
    "*** Repertoire de sauvegarde des profils",
};

constexpr const char* Fin = "-=[ EOF ]=-";

} // namespace

Reglages Lire_Reglages(const std::filesystem::path& chemin) {
    std::string octets;
    Reglages r;
    if (!Lire_Fichier(chemin, octets)) return r;
    const std::vector<std::string> lignes = Decouper_Lignes(Decoder_Texte(octets));
    const auto valeur = [&](std::size_t numero) -> std::optional<std::string> {
        if (numero > lignes.size() || lignes[numero - 1].empty()) return std::nullopt;
        return lignes[numero - 1];
    };
    std::size_t numero = 3; // the date and the first header are skipped
    for (Emplacement& e : r) {
        e.lecteur = valeur(numero);
        e.dossier = valeur(numero + 1);
        numero += 3; // and the next block's header
    }
    return r;
}

Resultat Ecrire_Reglages(const std::filesystem::path& chemin, const Reglages& r,
                         const std::string& dateCourte) {
    std::vector<std::string> lignes = {dateCourte};
    for (std::size_t k = 0; k < r.size(); ++k) {
        lignes.emplace_back(Entetes[k]);
        lignes.push_back(r[k].lecteur.value_or(""));
        lignes.push_back(r[k].dossier.value_or(""));
    }
    lignes.emplace_back(Fin);
    return Ecrire_Lignes(chemin, lignes);
}

} // namespace ortix::fichiers
