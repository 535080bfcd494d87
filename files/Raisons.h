// The system's reason for a failure, in French: a sentence for every failure a
// file operation can meet, "erreur système n° N" for any other.
#pragma once

#include <string>
#include <system_error>

namespace ortix::fichiers::plateforme {

std::string Raison(const std::error_code& erreur);

// What the file layer refuses beyond the system's own failures: a pipe, a device
// or a socket where an ordinary file was wanted.
std::error_code Pas_Un_Fichier_Ordinaire();

#ifdef _WIN32
// A Windows error code as the errno value of the same reason, when a file
// operation can meet it; the code itself otherwise.
std::error_code Depuis_Code_Windows(unsigned long code);
#endif

} // namespace ortix::fichiers::plateforme
