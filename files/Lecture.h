// Reading a whole file, with the checks every reader of the program shares.
#pragma once

#include "model/Resultat.h"

#include <filesystem>
#include <string>

namespace ortix::fichiers {

// Reads a whole file. A refusal's message names the file and the system's
// reason. A folder, a pipe or a device (reading them could wait for ever), or a
// file of more than 16 MB (no file of the program comes near), is refused the
// same way.
Resultat Lire_Fichier(const std::filesystem::path& chemin, std::string& octets);

// A path as a message names it: between French quotes, each of its parts quoted
// as Citation quotes a text (at most 80 characters, then "…"), its control
// characters as '?'.
std::string Chemin_Cite(const std::filesystem::path& chemin);

} // namespace ortix::fichiers
