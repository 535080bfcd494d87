// Saving files atomically: a failed save never damages the files it replaces.
#pragma once

#include "model/Resultat.h"

#include <atomic>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ortix::fichiers {

// A file of a set: its name in the set's folder (UTF-8), and its bytes.
struct FichierAEcrire {
    std::string nom;
    std::string octets;
};

// Writes a set of files into `dossier` as a whole. Every name is checked first
// (Verifier_Noms), and none may name a folder; then each file is written to a
// temporary file of the folder, flushed to disk and closed, every error checked;
// only then is each renamed over its target, in the order given. A refusal
// before the renames, or `annulation` found set before them, leaves every old
// file byte for byte and no temporary file, and says that no file was changed;
// a failed rename says which files were already replaced and which were left as
// they were. Each file keeps the read, write and execute rights of the file it
// replaces; a symbolic link is replaced by a file of the default rights. No
// temporary file remains when SIGINT, SIGTERM, SIGHUP or SIGQUIT ends the
// program during the save; a message names any the folder refused to remove.
Resultat Ecrire_Ensemble(const std::filesystem::path& dossier,
                         const std::vector<FichierAEcrire>& fichiers,
                         const std::atomic<bool>* annulation = nullptr);
// One file saved the same way, its name not checked.
Resultat Ecrire_Atomique(const std::filesystem::path& chemin, std::string_view octets);
// UTF-8 lines as the text layer writes them: Windows-1252, CR LF after every
// line; a line end inside a line becomes a blank, so that one line stays one line.
std::string Octets_Des_Lignes(const std::vector<std::string>& lignes);
// The same written atomically.
Resultat Ecrire_Lignes(const std::filesystem::path& chemin, const std::vector<std::string>& lignes);

} // namespace ortix::fichiers
