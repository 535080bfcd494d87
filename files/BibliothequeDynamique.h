// Shared libraries loaded when first needed rather than at start-up: what the
// program needs for a rare task (the templates' PDF) costs nothing until then.
#pragma once

namespace ortix::fichiers::plateforme {

// Loads the shared library of this file name, searched as the system searches
// them; kept for the rest of the run. nullptr when it cannot be loaded.
void* Charger_Bibliotheque(const char* nom);
// The address of a function of a loaded library; nullptr when it has none.
void* Fonction(void* bibliotheque, const char* nom);

} // namespace ortix::fichiers::plateforme
