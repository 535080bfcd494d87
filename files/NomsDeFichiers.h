// The rules every name of a file the program writes follows, on every system,
// Windows included: what a name may hold, and when two names are the same file.
#pragma once

#include "model/Resultat.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ortix::fichiers {

// Whether a name typed in a dialog may be joined to the chosen folder: it must
// name a file of that folder and nothing else, on every system, Windows
// included. Refused, with a French message naming it and the reason: an empty
// name, "." or "..", a '/' or '\', a NUL or any other control character, one of
// < > : " | ? * (':' a drive prefix or a stream on Windows), a device's name
// (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, in any letter case) alone or
// before a dot, a final dot or blank (Windows drops them). Everything else,
// accents and inner blanks included, is accepted as it is.
Resultat Nom_De_Fichier_Accepte(const std::string& nom);

// The names of a set of files to be written into `dossier`, all checked before
// anything is written: each accepted by Nom_De_Fichier_Accepte, none too long
// for the folder's file system, no two alike whatever the letter case. The
// refusal names the first fault.
Resultat Verifier_Noms(const std::filesystem::path& dossier, const std::vector<std::string>& noms);

// The name in lower case, as Windows compares names: two names that differ only
// by the case of their letters are the same file there. Latin, Greek and
// Cyrillic capitals are lowered (É as é); other characters stay as they are.
std::string Minuscules(std::string nom);
// Whether the name ends with `fin`, whatever the letter case.
bool Finit_Par(std::string_view nom, std::string_view fin);

} // namespace ortix::fichiers
