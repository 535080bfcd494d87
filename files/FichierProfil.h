// Airfoil coordinate files (*.dat): reading one into an ortix::Profil, and
// giving a read airfoil to one end of the panel.
#pragma once

#include "model/Modele.h"
#include "model/Resultat.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace ortix::fichiers {

// Reads the airfoil file `chemin`; `nomFichier` is its name without folder, the
// legend when the file has no title line and the name in messages. A refused
// file leaves `profil` unchanged.
Resultat Lire_Profil(const std::filesystem::path& chemin, const std::string& nomFichier,
                     ortix::Profil& profil);

// The same from the decoded (UTF-8) text of a file.
//
// The first non-blank line is a title unless it holds nothing but numbers, the
// first of them exactly 1 (the trailing-edge point of a file without title).
// The title is the legend, unchanged but for its line end. Then the numbers are
// taken two at a time whatever the lines, separated by blanks, tabs, commas or
// line ends. A file with a surface-count line after its title ("61. 61.": two
// whole numbers above 1 matching the points that follow) holds the upper then
// the lower surface, each from the leading edge; it is stored in the usual
// order, trailing edge over the upper surface to the leading edge and back, the
// leading-edge point once when both surfaces start on it.
// A last point that repeats the first, the point before it at the same abscissa
// (an open trailing edge closed by a vertical segment), is left out.
// Refused: no point, a value that is not a number or not finite, an odd count
// of numbers, more than 1000 points (never cut).
Resultat Analyser_Profil(std::string_view texte, const std::string& nomFichier,
                         ortix::Profil& profil);

// Gives end `e` the airfoil `p` read from the file `nomFichier`: its file-name
// field, its legend label and its arrays. When the other end has its airfoil
// too, enables computing, project saving and optimisation (never disables).
// The caller runs the refresh afterwards.
void Appliquer_Profil(ortix::Modele& m, ortix::Extremite e, const std::string& nomFichier,
                      const ortix::Profil& p);

} // namespace ortix::fichiers
