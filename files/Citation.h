// Texts from outside (files, names, fields) as messages and drawings show them:
// no control character that could act on a terminal, no length that could tie
// up a message box.
#pragma once

#include <string>
#include <string_view>

namespace ortix::fichiers {

// The length in bytes of the control character at `i` (C0, DEL, or a C1 control
// or a bidirectional control written in UTF-8, which could reverse the text
// around it), 0 when none starts there.
std::size_t Caractere_Controle(std::string_view s, std::size_t i);

// Characters of a file's text that a message quotes at most.
constexpr std::size_t LongueurCitation = 80;
// Text as a message may show it: every control character becomes '?', so that
// nothing read in a file can act on a terminal, and beyond `longueur` characters
// the rest becomes "…", never cutting a character in two (a long line would
// otherwise tie up the message box for seconds). A byte that is not UTF-8 counts
// as one character and is kept.
std::string Citation(std::string_view texte, std::size_t longueur = LongueurCitation);
// A text any writer can render whole, and XML hold: valid UTF-8 (other bytes
// become U+FFFD), control characters and noncharacters (U+FDD0 to U+FDEF, and
// the last two code points of every plane) as '?'.
std::string Texte_Affichable(std::string_view texte);

} // namespace ortix::fichiers
