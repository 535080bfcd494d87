// The guard of the temporary file of the save in progress: should a signal end
// the program before the save does, the file is removed first.
#pragma once

#include <filesystem>

namespace ortix::fichiers::plateforme {

// Guards `temporaire`: should SIGINT or SIGTERM end the program before the save
// does, the file is removed first. The first call puts the handlers in place,
// for a signal the program left to the system's default only. The program saves
// one file at a time: false when another save holds the guard, and this one
// goes unguarded.
bool Garder_Temporaire(const std::filesystem::path& temporaire);
// Ends the guard: the temporary file was renamed or removed.
void Oublier_Temporaire();

} // namespace ortix::fichiers::plateforme
