// A cutting template as an SVG file at full size: width and height in mm and a
// viewBox in mm, so that 1 user unit is 1 mm. The outline is one <polyline>
// whose id is "profil-emplanture" or "profil-saumon".
#pragma once

#include "geometry/Gabarit.h"
#include "model/Resultat.h"

#include <string>
#include <string_view>

namespace ortix::fichiers {

// The text with the five characters XML reserves written as entities.
std::string Echapper_Xml(std::string_view texte);

// The whole SVG document, UTF-8. Refused, leaving `svg` as it was, when a number
// of the template is not finite.
Resultat Svg_Gabarit(const ortix::Gabarit& g, std::string& svg);

} // namespace ortix::fichiers
