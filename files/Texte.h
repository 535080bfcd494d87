// The one text-file layer of the program. Everything it writes is Windows-1252
// with CR LF after every line; everything it reads is decoded from
// Windows-1252, or from UTF-8 when the bytes say so. Every save is atomic.
// Strings inside the program are UTF-8.
#pragma once

#include "model/Resultat.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ortix::fichiers {

// UTF-8 to Windows-1252; a character Windows-1252 cannot hold becomes '?'.
std::string VersWindows1252(std::string_view utf8);
// Windows-1252 to UTF-8. The five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) become the C1 controls of the same value, as Windows decodes
// them, so every byte comes back unchanged through VersWindows1252.
std::string DepuisWindows1252(std::string_view octets);
// UTF-8 with each byte that is not part of a character replaced by U+FFFD.
std::string Utf8Repare(std::string_view s);
// A file's bytes to UTF-8: UTF-8 when it starts with a byte-order mark (dropped;
// a byte that is not UTF-8 after it becomes U+FFFD) or is valid UTF-8 holding
// non-ASCII bytes, Windows-1252 otherwise.
std::string DecoderTexte(std::string_view octets);
// Splits on CR LF, LF or a lone CR. A final line end does not make an extra empty line.
std::vector<std::string> DecouperLignes(std::string_view texte);

// The length in bytes of the control character at `i` (C0, DEL, or a C1 control
// written in UTF-8), 0 when none starts there.
std::size_t Caractere_Controle(std::string_view s, std::size_t i);

// Characters of a file's text that a message quotes at most.
constexpr std::size_t LongueurCitation = 80;
// Text as a message may show it: every control character becomes '?', so that
// nothing read in a file can act on a terminal, and beyond `longueur` characters
// the rest becomes "…", never cutting a character in two (a long line would
// otherwise tie up the message box for seconds). A byte that is not UTF-8 counts
// as one character and is kept.
std::string Citation(std::string_view texte, std::size_t longueur = LongueurCitation);
// A text any writer can render whole: valid UTF-8 (other bytes become U+FFFD),
// control characters as '?'.
std::string Texte_Affichable(std::string_view texte);

// Paths from and to UTF-8 text, on every system.
std::filesystem::path CheminDepuisUtf8(std::string_view utf8);
std::string Utf8DepuisChemin(const std::filesystem::path& chemin);

// Reads a whole file. A refusal's message names the file and the system's
// reason. A folder, a pipe or a device (reading them could wait for ever), or a
// file of more than 16 MB (no file of the program comes near), is refused the
// same way.
Resultat LireFichier(const std::filesystem::path& chemin, std::string& octets);

// Writes the bytes atomically: a temporary file in the target's folder, written,
// flushed to disk and closed with every error checked, then renamed over the
// target. It keeps the read, write and execute rights of the file it replaces; a
// symbolic link is replaced by a file of the default rights. On failure the old
// file is left byte for byte and no temporary file remains, nor when SIGINT or
// SIGTERM ends the program during the save; the refusal's message names the file
// and the reason, and a temporary file the folder refused to remove.
Resultat EcrireAtomique(const std::filesystem::path& chemin, std::string_view octets);
// UTF-8 lines as the text layer writes them: Windows-1252, CR LF after every
// line; a line end inside a line becomes a blank, so that one line stays one line.
std::string OctetsDesLignes(const std::vector<std::string>& lignes);
// The same written atomically.
Resultat EcrireLignes(const std::filesystem::path& chemin, const std::vector<std::string>& lignes);

} // namespace ortix::fichiers
