// Machine profile files: UTF-8 text, one `clé = valeur` a line, `#` opening a
// comment, blank lines ignored. A key left out keeps its default value; the
// axis letters and the avance default to the dialect's. Every key is listed
// in the README.
#pragma once

#include "geometry/Machine.h"
#include "model/Resultat.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ortix::fichiers {

// Reads a machine profile. A line that is not `clé = valeur`, an unknown or
// repeated key, a value that is not of its kind or out of its range refuses the
// file with a French message naming it, the line and the fault; `p` is then
// unchanged.
Resultat Lire_Profil_Machine(const std::filesystem::path& chemin, ProfilMachine& p);

// The same from the file's bytes; `nomFichier` names it in the messages.
Resultat Analyser_Profil_Machine(std::string_view octets, const std::string& nomFichier,
                                 ProfilMachine& p);

// The profile's lines, every key with its value (numbers in their shortest
// exact form, so that they read back the same), each after a comment saying
// what it is when `commentaires` is set. An empty kerf table is written as a
// comment.
std::vector<std::string> Lignes_Profil_Machine(const ProfilMachine& p, bool commentaires);

// Writes the profile with its comments, UTF-8, atomically.
Resultat Ecrire_Profil_Machine(const std::filesystem::path& chemin, const ProfilMachine& p);

} // namespace ortix::fichiers
