#include "files/SauvegardeAtomique.h"

#include "files/Chemins.h"
#include "files/Citation.h"
#include "files/Encodage.h"
#include "files/GardeSignaux.h"
#include "files/Lecture.h"
#include "files/NomsDeFichiers.h"
#include "files/Plateforme.h"
#include "files/Raisons.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace ortix::fichiers {

namespace pf = plateforme;

namespace {

constexpr std::string_view RienDeModifie = " Aucun fichier n'a été modifié.";

std::string refusEcriture(const std::filesystem::path& chemin, const std::error_code& e) {
    return "Impossible d'enregistrer le fichier " + Chemin_Cite(chemin) + " : " + pf::Raison(e) +
           ".";
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

// A file of the set on its way: its target, its bytes, and its temporary file
// from the moment it is guarded until it is renamed or removed.
struct Envoi {
    Envoi(std::filesystem::path c, std::string_view o) : cible(std::move(c)), octets(o) {}

    std::filesystem::path cible;
    std::string_view octets;
    std::filesystem::path temporaire;
    int garde = -1;

    void oublier() {
        pf::Oublier_Temporaire(garde);
        garde = -1;
        temporaire.clear();
    }
};

// The set's temporary files are removed on every way out of the save but their
// renames, an exception included.
class Temporaires {
  public:
    explicit Temporaires(std::vector<Envoi>& envois) : envois_(envois) {}
    Temporaires(const Temporaires&) = delete;
    Temporaires& operator=(const Temporaires&) = delete;
    ~Temporaires() { (void)supprimer(); }

    // Removes those still there; names those the folder refused to remove (an
    // append-only folder refuses the rename and the removal alike).
    std::string supprimer() {
        std::string restes;
        for (Envoi& e : envois_) {
            if (e.temporaire.empty()) continue;
            std::error_code erreur;
            std::filesystem::remove(e.temporaire, erreur);
            if (erreur)
                restes += " Le fichier temporaire " + Chemin_Cite(e.temporaire) +
                          " reste : il n'a pas pu être supprimé (" + pf::Raison(erreur) + ").";
            e.oublier();
        }
        return restes;
    }

  private:
    std::vector<Envoi>& envois_;
};

// Creates, fills, flushes to disk and closes the temporary file of `e`.
std::error_code ecrireTemporaire(Envoi& e) {
    std::error_code erreur;
    std::FILE* f = nullptr;
    for (int essai = 0; essai < 100 && !f; ++essai) {
        e.oublier();
        e.temporaire = nomTemporaire(e.cible);
        // Guarded before it exists, so that no moment of the save can leave it.
        e.garde = pf::Garder_Temporaire(e.temporaire);
        f = pf::Creer_Exclusif(e.temporaire, erreur);
        if (!f && erreur != std::errc::file_exists) break;
    }
    if (!f) {
        e.oublier(); // never created: the name may be another's file
        return erreur;
    }
    // Keep the read, write and execute rights of the file being replaced, never a
    // set-uid, set-gid or sticky bit. A symbolic link is replaced itself: the new
    // file has the default rights, not those of the link's target.
    std::error_code ignore;
    const auto ancien = std::filesystem::symlink_status(e.cible, ignore);
    if (std::filesystem::is_regular_file(ancien))
        std::filesystem::permissions(e.temporaire,
                                     ancien.permissions() & std::filesystem::perms::all, ignore);
    erreur = pf::Ecrire(f, e.octets);
    if (!erreur) erreur = pf::Synchroniser(f);
    const std::error_code eFermeture = pf::Fermer(f);
    return erreur ? erreur : eFermeture;
}

// Which files a rename that failed at `k` leaves replaced, and which as they were.
std::string bilan(const std::vector<Envoi>& envois, std::size_t k) {
    auto liste = [&](std::size_t de, std::size_t a) {
        std::string l;
        for (std::size_t i = de; i < a; ++i)
            l += (i > de ? ", « " : "« ") +
                 Citation(Utf8_Depuis_Chemin(envois[i].cible.filename())) + " »";
        return l;
    };
    return " Fichiers déjà remplacés : " + liste(0, k) +
           ". Fichiers laissés tels qu'ils étaient : " + liste(k, envois.size()) + ".";
}

Resultat ecrireEnsemble(std::vector<Envoi>& envois, const std::atomic<bool>* annulation) {
    for (const Envoi& e : envois)
        if (std::error_code ignore; std::filesystem::is_directory(e.cible, ignore))
            return Resultat::Refus(
                refusEcriture(e.cible, std::make_error_code(std::errc::is_a_directory)) +
                std::string(RienDeModifie));
    Temporaires temporaires(envois);
    // Cancelling is heard until the first rename, never after.
    const auto annule = [&] { return annulation && annulation->load(); };
    for (Envoi& e : envois) {
        const std::error_code erreur = annule() ? std::error_code() : ecrireTemporaire(e);
        if (annule() || erreur) {
            const std::string restes = temporaires.supprimer();
            return Resultat::Refus(
                (erreur ? refusEcriture(e.cible, erreur) : std::string("Enregistrement annulé.")) +
                std::string(RienDeModifie) + restes);
        }
    }
    for (std::size_t k = 0; k < envois.size(); ++k) {
        if (const std::error_code erreur = pf::Renommer(envois[k].temporaire, envois[k].cible)) {
            const std::string restes = temporaires.supprimer();
            return Resultat::Refus(refusEcriture(envois[k].cible, erreur) +
                                   (k == 0 ? std::string(RienDeModifie) : bilan(envois, k)) +
                                   restes);
        }
        envois[k].oublier();
    }
    if (!envois.empty()) pf::Synchroniser_Dossier(envois.front().cible.parent_path());
    return {};
}

} // namespace

Resultat Ecrire_Ensemble(const std::filesystem::path& dossier,
                         const std::vector<FichierAEcrire>& fichiers,
                         const std::atomic<bool>* annulation) {
    std::vector<std::string> noms;
    std::vector<Envoi> envois;
    for (const FichierAEcrire& f : fichiers) {
        noms.push_back(f.nom);
        envois.emplace_back(dossier / Chemin_Depuis_Utf8(f.nom), f.octets);
    }
    if (Resultat r = Verifier_Noms(dossier, noms); !r)
        return Resultat::Refus(r.message() + std::string(RienDeModifie));
    return ecrireEnsemble(envois, annulation);
}

Resultat Ecrire_Atomique(const std::filesystem::path& chemin, std::string_view octets) {
    if (chemin.empty() || !chemin.has_filename())
        return Resultat::Refus(
            refusEcriture(chemin, std::make_error_code(std::errc::invalid_argument)));
    std::vector<Envoi> envois;
    envois.emplace_back(chemin, octets);
    return ecrireEnsemble(envois, nullptr);
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
