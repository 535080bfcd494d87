// Saving a file atomically: a failed save never damages the file it replaces.
#pragma once

#include "model/Resultat.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ortix::fichiers {

// Writes the bytes atomically: a temporary file in the target's folder, written,
// flushed to disk and closed with every error checked, then renamed over the
// target. It keeps the read, write and execute rights of the file it replaces; a
// symbolic link is replaced by a file of the default rights. On failure the old
// file is left byte for byte and no temporary file remains, nor when SIGINT or
// SIGTERM ends the program during the save; the refusal's message names the file
// and the reason, and a temporary file the folder refused to remove.
Resultat Ecrire_Atomique(const std::filesystem::path& chemin, std::string_view octets);
// UTF-8 lines as the text layer writes them: Windows-1252, CR LF after every
// line; a line end inside a line becomes a blank, so that one line stays one line.
std::string Octets_Des_Lignes(const std::vector<std::string>& lignes);
// The same written atomically.
Resultat Ecrire_Lignes(const std::filesystem::path& chemin, const std::vector<std::string>& lignes);

} // namespace ortix::fichiers
