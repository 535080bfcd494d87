// The few system calls of the file layer, kept in one place: opening by a UTF-8
// path, writing, flushing to disk, closing, renaming, and the system's reason for
// a failure in French. Every call reports its failure as a std::error_code.
// Built by MinGW-w64, it also takes the place of the C library's sin and cos,
// which lose digits near the multiples of pi/2 there.
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
// Guards the temporary file of the save in progress: should SIGINT or SIGTERM end
// the program before the save does, the file is removed first. The first call puts
// the handlers in place, for a signal the program left to the system's default
// only. The program saves one file at a time: false when another save holds the
// guard, and this one goes unguarded.
bool Garder_Temporaire(const std::filesystem::path& temporaire);
// Ends the guard: the temporary file was renamed or removed.
void Oublier_Temporaire();
// Makes a rename in `dossier` durable where the system asks for it; best effort.
void Synchroniser_Dossier(const std::filesystem::path& dossier);

// Whether a file name is longer than the file system of `dossier` allows.
bool Nom_Trop_Long(const std::filesystem::path& dossier, const std::filesystem::path& nom);

// The program's arguments as UTF-8, whatever the system's code page.
std::vector<std::string> Arguments_Utf8(int argc, char** argv);
// Has a Windows console show the program's UTF-8 output as it is, until the
// program ends (its code page is then put back); nothing to do elsewhere.
void Console_Utf8();

// Today's local date as "jj/mm/aaaa".
std::string Date_Du_Jour();

// The system's reason for a failure, in French: a sentence for every failure a file
// operation can meet, "erreur système n° N" for any other.
std::string Raison(const std::error_code& erreur);

#ifdef ORTIX_PANNES_SIMULEES
// In the tests' build only: from now on the given step fails with `code` (an
// errno value, such as ENOSPC for a full disk) until Simuler_Panne(Etape::Aucune, 0)
// is called, or only its next `fois` times when `fois` > 0, so that the tests
// reach the paths a failing device takes.
enum class Etape { Aucune, Creation, Ecriture, Synchronisation, Fermeture, Renommage };
void Simuler_Panne(Etape etape, int code, int fois = 0);
// In the tests' build only: from now on the given step first sends the process
// `signal`, as a user's Ctrl+C or kill would arrive in the middle of a save.
void Simuler_Signal(Etape etape, int signal);
#endif

} // namespace ortix::fichiers::plateforme
