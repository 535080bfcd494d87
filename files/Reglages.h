// The settings file ortix.ini: the drive and folder last shown by each of the
// four file dialogs, kept from one run to the next.
#pragma once

#include "model/Resultat.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ortix::fichiers {

// Where one dialog stood. Absent: nothing remembered, the dialog keeps its own.
struct Emplacement {
    std::optional<std::string> lecteur; // the drive panel's entry, such as "C: [Système]"
    std::optional<std::string> dossier; // the folder panel's full path
    bool operator==(const Emplacement&) const = default;
};

// The four remembered dialogs, in the order of the file's blocks.
enum Dialogue : std::size_t {
    ChargementProjet,  // Charge_Proj
    SauvegardeProjet,  // Sauv_Proj
    ChoixProfil,       // Charge_Fichier, the profile chooser
    SauvegardeProfils, // Sauv_Profil, the output of the computed profiles
    NombreDeDialogues
};

// Where each dialog stood, indexed by Dialogue.
using Reglages = std::array<Emplacement, NombreDeDialogues>;

// Reads the settings file. Never fails: a missing or unreadable file gives
// nothing, a short one what it holds. Lines are taken whole by position: the
// date and the first header are skipped, then each block's drive and folder
// lines, each followed by a header that is skipped unread. An empty line counts
// as absent.
Reglages Lire_Reglages(const std::filesystem::path& chemin);

// Writes the 14 lines of the settings file atomically: `dateCourte`, then for
// each block its header, drive and folder (an empty line when absent), then
// the end marker.
Resultat Ecrire_Reglages(const std::filesystem::path& chemin, const Reglages& r,
                         const std::string& dateCourte);

} // namespace ortix::fichiers
