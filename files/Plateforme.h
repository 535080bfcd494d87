// The few system calls of the file layer, kept in one place: opening by a UTF-8
// path, writing, flushing to disk, closing, renaming, and the system's reason for
// a failure in French. Every call reports its failure as a std::error_code.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace ortix::fichiers::plateforme {

// Opens an existing ordinary file for reading in binary mode; nullptr with `erreur`
// set on failure. The opened file itself is checked, never waited on: a name that
// is, or has just become, a folder, a pipe or a device is refused at once.
std::FILE* Ouvrir_Lecture(const std::filesystem::path& chemin, std::error_code& erreur);
// Creates a new file for writing in binary mode, failing if the name exists.
std::FILE* Creer_Exclusif(const std::filesystem::path& chemin, std::error_code& erreur);
// Writes every byte, or reports why it could not.
std::error_code Ecrire(std::FILE* f, std::string_view octets);
// Pushes the buffered bytes to the system, then the system's to the disk.
std::error_code Synchroniser(std::FILE* f);
// Closes the file; it is closed even when an error is reported.
std::error_code Fermer(std::FILE* f);
// Renames `de` over `vers`, replacing a file of that name.
std::error_code Renommer(const std::filesystem::path& de, const std::filesystem::path& vers);
// Makes a rename in `dossier` durable where the system asks for it; best effort.
void Synchroniser_Dossier(const std::filesystem::path& dossier);

// The program's arguments as UTF-8, whatever the system's code page.
std::vector<std::string> Arguments_Utf8(int argc, char** argv);

// Today's local date as "jj/mm/aaaa".
std::string Date_Du_Jour();

// The system's reason for a failure, in French: a sentence for every failure a file
// operation can meet, "erreur système n° N" for any other.
std::string Raison(const std::error_code& erreur);

#ifdef ORTIX_PANNES_SIMULEES
// In the tests' build only: from now on the given step fails with `code` (an
// errno value, such as ENOSPC for a full disk) until Simuler_Panne(Etape::Aucune, 0)
// is called, so that the tests reach the paths a failing device takes.
enum class Etape { Aucune, Creation, Ecriture, Synchronisation, Fermeture, Renommage };
void Simuler_Panne(Etape etape, int code);
#endif

} // namespace ortix::fichiers::plateforme
