// The few system calls of the file layer, kept in one place: opening, writing,
// flushing to disk, closing and renaming files, and what a folder's file system
// allows. Every call reports its failure as a std::error_code, which Raison
// (files/Raisons.h) says in French.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

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

// Whether a file name is longer than the file system of `dossier` allows.
bool Nom_Trop_Long(const std::filesystem::path& dossier, const std::filesystem::path& nom);

#ifdef ORTIX_PANNES_SIMULEES
// In the tests' build only: from now on the given step fails with `code` (an
// errno value, such as ENOSPC for a full disk) until Simuler_Panne(Etape::Aucune, 0)
// is called, or only its next `fois` times when `fois` > 0, once its next
// `apres` calls have succeeded, so that the tests reach the paths a failing
// device takes.
enum class Etape { Aucune, Creation, Ecriture, Synchronisation, Fermeture, Renommage };
void Simuler_Panne(Etape etape, int code, int fois = 0, int apres = 0);
// In the tests' build only: from now on the given step first sends the process
// `signal`, as a user's Ctrl+C or kill would arrive in the middle of a save.
void Simuler_Signal(Etape etape, int signal);
#endif

} // namespace ortix::fichiers::plateforme
