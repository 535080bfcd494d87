// The program's code pages: everything it writes is Windows-1252 with CR LF after
// every line; everything it reads is decoded from Windows-1252, or from UTF-8 when
// the bytes say so. Strings inside the program are UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ortix::fichiers {

// UTF-8 to Windows-1252; a character Windows-1252 cannot hold becomes '?'.
std::string Vers_Windows1252(std::string_view utf8);
// Windows-1252 to UTF-8. The five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) become the C1 controls of the same value, as Windows decodes
// them, so every byte comes back unchanged through Vers_Windows1252.
std::string Depuis_Windows1252(std::string_view octets);
// UTF-8 with each byte that is not part of a character replaced by U+FFFD.
std::string Utf8_Repare(std::string_view s);
// A file's bytes to UTF-8: UTF-8 when it starts with a byte-order mark (dropped;
// a byte that is not UTF-8 after it becomes U+FFFD) or is valid UTF-8 holding
// non-ASCII bytes, Windows-1252 otherwise.
std::string Decoder_Texte(std::string_view octets);
// Splits on CR LF, LF or a lone CR. A final line end does not make an extra empty line.
std::vector<std::string> Decouper_Lignes(std::string_view texte);

// Decodes one UTF-8 character at `i` (strictly: no overlong form, no surrogate,
// nothing above U+10FFFF) into `c`. Returns its length, or 0 when the bytes there
// are not UTF-8.
std::size_t Lire_Utf8(std::string_view s, std::size_t i, char32_t& c);

} // namespace ortix::fichiers
