// The guard of the temporary files of the saves in progress: should a signal end
// the program before a save does, its temporary files are removed first.
#pragma once

#include <filesystem>

namespace ortix::fichiers::plateforme {

// Guards `temporaire`: should SIGINT, SIGTERM, SIGHUP or SIGQUIT end the program
// before the save does, the file is removed first. The first call puts the
// handlers in place, for a signal the program left to the system's default
// only; a file-size limit's SIGXFSZ left to the default is ignored from then on,
// so that a write beyond the limit fails with its reason instead of ending the
// program. Returns the guard's place, for Oublier_Temporaire; -1 when every
// place is taken (a set holds a few files) and this file goes unguarded.
int Garder_Temporaire(const std::filesystem::path& temporaire);
// Ends the guard of a place: its temporary file was renamed or removed.
void Oublier_Temporaire(int place);

} // namespace ortix::fichiers::plateforme
