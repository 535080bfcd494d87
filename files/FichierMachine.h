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

// One key of the profile as a dialog shows it: its name in the file, its
// caption, its unit (empty when it has none), what it is and how to measure it,
// and, for a key whose value is a word, the words it takes.
struct CleMachine {
    std::string nom, libelle;
    std::string_view unite, aide;
    std::vector<std::string_view> choix;
};

// Every key of the profile in the order the file writes them: the per-axis
// keys (course_X, vitesse_max_X) last, for the profile's own letters.
std::vector<CleMachine> Cles_Machine(const ProfilMachine& p);

// Reads one key's value into `p` as a line of a profile file would: the same
// rule, the same sentence. A new dialect also sets its axis letters and feed
// mode; new axis letters keep each axis's travel and speed. Refused, `p`
// unchanged.
Resultat Lire_Cle_Machine(const std::string& cle, const std::string& valeur, ProfilMachine& p);

// Writes the profile with its comments, UTF-8, atomically.
Resultat Ecrire_Profil_Machine(const std::filesystem::path& chemin, const ProfilMachine& p);

} // namespace ortix::fichiers
