// Project files (*.ortix): the ten parameter fields, the project name and both
// airfoils with their points and display names, one value per line, Windows-1252
// with CR LF line ends.
#pragma once

#include "model/Modele.h"
#include "model/Resultat.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace ortix::fichiers {

// A project file as read, before it is given to the model.
struct Projet {
    std::string nom;      // the project name (line 2)
    ortix::Champs champs; // the ten parameter fields
    ortix::Profil empl;   // root airfoil, its display name in `legende`
    ortix::Profil saum;   // tip airfoil
};

// Line 2 of a saved project: the project name, unless it is "Ortix" (the design
// text); then the file name typed in the saving dialog, less ".ortix" when it
// ends so in any letter case, the whole name otherwise ("Ortix" if nothing
// would remain).
std::string Nom_Projet_A_Ecrire(const std::string& nomProjet, const std::string& nomFichierTape);

// Writes the project file `chemin` from the model, adding ".ortix" when the
// typed name does not end so; `nomFichierTape` is the file name typed in the
// saving dialog, without folder. An empty name, or a model
// that could not be read back (a count outside 1 to 1000, a point that is not
// finite), writes nothing.
Resultat Sauve_Projet(const ortix::Modele& m, const std::filesystem::path& chemin,
                      const std::string& nomFichierTape);

// Reads the project file `chemin`. Text values are their whole line less the
// blanks before it (a comma survives), display names included; the
// title line is not looked at. A missing line, a count that is not a whole
// number from 1 to 1000, or a point line that is not exactly two finite numbers
// refuses the file with a French message naming it and the line; `projet` is
// then unchanged.
Resultat Lire_Projet(const std::filesystem::path& chemin, Projet& projet);

// The same from the bytes of a project file; `nomFichier` is its name without
// folder, as the messages give it.
Resultat Analyser_Projet(std::string_view octets, const std::string& nomFichier, Projet& projet);

// Gives the model what a project holds: the project name, the ten fields, both
// display names and airfoils; enables computing, project saving and
// optimisation. The caller runs the refresh afterwards.
void Appliquer_Projet(ortix::Modele& m, const Projet& projet);

} // namespace ortix::fichiers
