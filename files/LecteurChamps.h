// Reading the values of airfoil and project files: a line cut into values, and a
// number read strictly (the whole value, the point as the only decimal separator,
// whatever the process locale).
#pragma once

#include "model/Modele.h"
#include "model/Parametres.h"

#include <string>
#include <string_view>
#include <vector>

namespace ortix::fichiers {

// Blanks and tabs: what may stand around a value.
bool Est_Blanc(char c);
// True when the line holds nothing but blanks and tabs.
bool Ligne_Vide(std::string_view ligne);
// The line less the blanks before it: how a text value is read.
std::string_view Sans_Blancs_Devant(std::string_view ligne);
// The line's values, cut at blanks, tabs and commas; separators that follow one
// another count as one.
std::vector<std::string_view> Valeurs_Ligne(std::string_view ligne);

// How a parameter field's text is read when it is not entirely a number, as the
// status line says it, the text quoted as Citation quotes it: "Flèche : « 12,5 »
// est lu 12 : le séparateur décimal est le point."; empty for a whole number and
// for an airfoil's name.
std::string Lecture_Champ(const ortix::ChampParametre& champ, const std::string& texte);
// Lecture_Champ of every parameter field read in part, in the table's order.
std::vector<std::string> Lectures_Partielles(const ortix::Champs& champs);

enum class Nombre { Lu, PasUnNombre, HorsLimites };
// Reads `texte` whole as a decimal number: optional sign, digits with an optional
// point ("-.5" and "5." read), optional exponent. "inf", "nan", hexadecimal and a
// decimal comma are not numbers; a magnitude a double cannot hold is HorsLimites.
// `valeur` is set only when the result is Lu, and is then always finite.
Nombre Lire_Nombre(std::string_view texte, double& valeur);

} // namespace ortix::fichiers
