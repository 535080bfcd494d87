#include "files/SauvegardeAtomique.h"

#include "files/Encodage.h"
#include "files/GardeSignaux.h"
#include "files/Lecture.h"
#include "files/Plateforme.h"
#include "files/Raisons.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>

namespace ortix::fichiers {

namespace pf = plateforme;

namespace {

Resultat refusEcriture(const std::filesystem::path& chemin, const std::error_code& e) {
    return Resultat::Refus("Impossible d'enregistrer le fichier " + Chemin_Cite(chemin) + " : " +
                           pf::Raison(e) + ".");
}

// A name no dialog lists (the patterns are *.dat and *.ortix), unlikely to be
// taken, in the target's folder so that the rename stays on one file system.
std::filesystem::path nomTemporaire(const std::filesystem::path& cible) {
    static std::atomic<std::uint32_t> compteur{0};
    const auto tic =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    const std::uint64_t germe = tic * 0x9E3779B97F4A7C15ull + compteur.fetch_add(1);
    char nom[40];
    std::snprintf(nom, sizeof nom, ".~ortix-%012llx.tmp",
                  static_cast<unsigned long long>(germe & 0xFFFFFFFFFFFFull));
    return cible.parent_path() / nom;
}

// While a save is in progress, SIGINT or SIGTERM removes its temporary file.
class GardeTemporaire {
  public:
    GardeTemporaire() = default;
    GardeTemporaire(const GardeTemporaire&) = delete;
    GardeTemporaire& operator=(const GardeTemporaire&) = delete;
    ~GardeTemporaire() { liberer(); }
    void garder(const std::filesystem::path& temporaire) {
        liberer();
        tenue_ = pf::Garder_Temporaire(temporaire);
    }
    void liberer() {
        if (tenue_) pf::Oublier_Temporaire();
        tenue_ = false;
    }

  private:
    bool tenue_ = false;
};

} // namespace

Resultat Ecrire_Atomique(const std::filesystem::path& chemin, std::string_view octets) {
    std::error_code e;
    if (chemin.empty() || !chemin.has_filename())
        return refusEcriture(chemin, std::make_error_code(std::errc::invalid_argument));
    if (std::filesystem::is_directory(chemin, e))
        return refusEcriture(chemin, std::make_error_code(std::errc::is_a_directory));
    std::filesystem::path temporaire;
    std::FILE* f = nullptr;
    GardeTemporaire garde;
    for (int essai = 0; essai < 100 && !f; ++essai) {
        temporaire = nomTemporaire(chemin);
        // Guarded before it exists, so that no moment of the save can leave it.
        garde.garder(temporaire);
        f = pf::Creer_Exclusif(temporaire, e);
        if (!f && e != std::errc::file_exists) break;
    }
    if (!f) return refusEcriture(chemin, e);
    // Keep the read, write and execute rights of the file being replaced, never a
    // set-uid, set-gid or sticky bit. A symbolic link is replaced itself: the new
    // file has the default rights, not those of the link's target.
    std::error_code ignore;
    const auto ancien = std::filesystem::symlink_status(chemin, ignore);
    if (std::filesystem::is_regular_file(ancien))
        std::filesystem::permissions(temporaire, ancien.permissions() & std::filesystem::perms::all,
                                     ignore);

    e = pf::Ecrire(f, octets);
    if (!e) e = pf::Synchroniser(f);
    const std::error_code eFermeture = pf::Fermer(f);
    if (!e) e = eFermeture;
    if (!e) e = pf::Renommer(temporaire, chemin);
    if (e) {
        std::error_code eSuppression;
        std::filesystem::remove(temporaire, eSuppression);
        garde.liberer();
        Resultat r = refusEcriture(chemin, e);
        if (!eSuppression) return r;
        // A folder that refuses the rename may refuse the removal too (append-only).
        return Resultat::Refus(r.message() + " Le fichier temporaire " + Chemin_Cite(temporaire) +
                               " reste : il n'a pas pu être supprimé (" + pf::Raison(eSuppression) +
                               ").");
    }
    garde.liberer();
    pf::Synchroniser_Dossier(chemin.parent_path());
    return {};
}

std::string Octets_Des_Lignes(const std::vector<std::string>& lignes) {
    std::string octets;
    for (const std::string& ligne : lignes) {
        std::string l = Vers_Windows1252(ligne);
        // One line stays one line: a line end inside a value would shift every later line.
        for (char& c : l)
            if (c == '\r' || c == '\n') c = ' ';
        octets += l;
        octets += "\r\n";
    }
    return octets;
}

Resultat Ecrire_Lignes(const std::filesystem::path& chemin,
                       const std::vector<std::string>& lignes) {
    return Ecrire_Atomique(chemin, Octets_Des_Lignes(lignes));
}

} // namespace ortix::fichiers
