// Output of the computed profiles: the proposed file names, the panel data file,
// the two profile files normalised to unit chord and, when asked, the cutting
// templates at full size. Text contents are built as UTF-8 lines; the text layer
// writes them as Windows-1252 with CR LF.
#pragma once

#include "geometry/Pagination.h"
#include "model/Modele.h"
#include "model/Resultat.h"

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

namespace ortix {
struct ProfilMachine;
}

namespace ortix::fichiers {

struct GCodeVerifie;

// The names the output dialog proposes.
struct NomsProposes {
    std::string Txt_Nom_Fich_Empl;
    std::string Txt_Nom_Fich_Saum;
    std::string Txt_Nom_Fich_Data;
    std::string Txt_Nom_Fich_Gabarits; // the templates' PDF
    bool operator==(const NomsProposes&) const = default;
};

// Builds the names from the project name, the dialog's copies of the final chord
// and length, and the final heights and twists of the model. Each figure is read
// with the leading-number reader and formatted again with "#.0": 398.52 gives
// 398.5, 0 gives .0. A final field never computed ("---") reads as 0 and gives
// .0; a text reading as a number too large for a double gives "---", as every
// formatted non-number does, so no "nan" or "inf" reaches a name. No character
// of the names is tested here: see Nom_De_Fichier_Accepte. The templates' PDF is
// P + "_Gabarits.pdf".
NomsProposes Propose_Noms(const std::string& Txt_Nom_proj, const std::string& Txt_Corde,
                          const std::string& Txt_Long, const ortix::Finals& finals);

// The name of a template's SVG file for the project name P: P + "_Gabarit_Empl.svg"
// or P + "_Gabarit_Saum.svg".
std::string Nom_Gabarit_Svg(const std::string& P, Extremite e);

// The 14 lines of the panel data file. nomEmpl and nomSaum are the names of the
// written profile files, as the dialog's fields show them.
std::vector<std::string> Lignes_Donnees(const ortix::Modele& m, const std::string& nomEmpl,
                                        const std::string& nomSaum);

// The lines of one profile file: the title line, then one line "x y" per
// projected point normalised to unit chord: with Xmin and Xmax the profile's
// extent and c = Xmax - Xmin, x = (Xmax - X(i)) / c (leading edge 0, trailing
// edge 1) and y = (Y(i) - h) / c, h the final reference height; each number
// formatted with "#0.00000". Refused, naming the profile and leaving `lignes`
// unchanged, when the profile has no point, when c = 0, or when a value is not
// finite.
Resultat Lignes_Profil(const ortix::Modele& m, ortix::Extremite e,
                       std::vector<std::string>& lignes);

// The name of the cut's G-code file for the project name P: P + "_Decoupe.ngc".
std::string Nom_GCode(const std::string& P);

// What is written besides the three profile files.
struct OptionsSortie {
    bool gabarits = false; // the templates' PDF and their two SVG files
    Papier papier;         // the templates' paper
    // With a machine, the cut's G-code, proven by reading it back (files/GCode.h).
    const ProfilMachine* machine = nullptr;
};

// The names of the files Sauve_Fichiers writes for the project name P, in the
// order it writes them: the panel data file, the root profile file, the tip
// profile file, with `options.gabarits` the templates' PDF and their two SVG
// files, and with `options.machine` the cut's G-code.
std::vector<std::string> Noms_Des_Fichiers(const std::string& P, const NomsProposes& noms,
                                           const OptionsSortie& options);

// Writes into `dossier` the files Noms_Des_Fichiers names (P the model's project
// name), as one set (Ecrire_Ensemble): every name is checked, then every content
// made, then every file written, so that a refusal before the renames changes
// no file. `ecrits` receives their names and `gcode`, when given, the cut and
// its reading back. `annulation`, when given and set,
// stops the work at the next step before the renames and changes nothing. The
// model is only read.
Resultat Sauve_Fichiers(const ortix::Modele& m, const std::filesystem::path& dossier,
                        const NomsProposes& noms, const OptionsSortie& options,
                        std::vector<std::string>& ecrits, GCodeVerifie* gcode = nullptr,
                        const std::atomic<bool>* annulation = nullptr);

// The text of the closing message box for the files Sauve_Fichiers wrote: the
// root's, the tip's and the data file's names, the templates' names, an empty
// line, "Dans le dossier :" and the folder (UTF-8), one piece a line. Lines are
// separated by "\n", which the message box shows as line breaks on every system.
std::string Message_Sauvegarde(std::vector<std::string> ecrits, const std::string& dossier);

} // namespace ortix::fichiers
