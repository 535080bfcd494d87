// The one text-file layer of the program. Everything it writes is Windows-1252
// with CR LF after every line; everything it reads is decoded from
// Windows-1252, or from UTF-8 when the bytes say so. Every save is atomic.
// Strings inside the program are UTF-8.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ortix::fichiers {

// UTF-8 to Windows-1252; a character Windows-1252 cannot hold becomes '?'.
std::string VersWindows1252(std::string_view utf8);
// Windows-1252 to UTF-8 (the five undefined bytes map to U+FFFD... or as the
// implementation documents).
std::string DepuisWindows1252(std::string_view octets);
// A file's bytes to UTF-8: UTF-8 when it starts with a byte-order mark (dropped)
// or is valid UTF-8 holding non-ASCII bytes, Windows-1252 otherwise.
std::string DecoderTexte(std::string_view octets);
// Splits on CR LF, LF or a lone CR. A final line end does not make an extra empty line.
std::vector<std::string> DecouperLignes(std::string_view texte);

// Paths from and to UTF-8 text, on every system.
std::filesystem::path CheminDepuisUtf8(std::string_view utf8);
std::string Utf8DepuisChemin(const std::filesystem::path& chemin);

// Reads a whole file. On failure returns false and sets `erreur` to a French
// message naming the file and the system's reason.
bool LireFichier(const std::filesystem::path& chemin, std::string& octets, std::string& erreur);
// Reads a text file: decoded to UTF-8 and split into lines.
bool LireLignes(const std::filesystem::path& chemin, std::vector<std::string>& lignes,
                std::string& erreur);

// Writes the bytes atomically: a temporary file in the target's folder, written,
// flushed to disk and closed with every error checked, then renamed over the
// target. On failure the old file is left byte for byte and no temporary file
// remains; returns false with a French message naming the file and the reason.
bool EcrireAtomique(const std::filesystem::path& chemin, std::string_view octets,
                    std::string& erreur);
// Writes UTF-8 lines as Windows-1252, CR LF after every line, atomically.
bool EcrireLignes(const std::filesystem::path& chemin, const std::vector<std::string>& lignes,
                  std::string& erreur);

} // namespace ortix::fichiers
