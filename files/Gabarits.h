// The cutting templates' files: one PDF holding both templates, tiled on pages,
// and one SVG per template.
#pragma once

#include "geometry/Gabarit.h"
#include "model/Modele.h"
#include "model/Resultat.h"

#include <filesystem>
#include <string>

namespace ortix::fichiers {

struct NomsGabarits {
    std::string pdf, svgEmpl, svgSaum;
    bool operator==(const NomsGabarits&) const = default;
};

// P_Gabarits.pdf, P_Gabarit_Empl.svg and P_Gabarit_Saum.svg for the project name P.
NomsGabarits Noms_Gabarits(const std::string& nomProjet);

// In the library ortix_pdf. Builds both templates from the model (the title
// blocks name the model's project and today's date), lays them on `papier` and
// writes the PDF, then the root's SVG, then the tip's, each atomically into
// `dossier` under the names Noms_Gabarits gives for `nomProjet`. Every content
// is made before the first file is written, so a refusal (no computed profiles,
// a value that is not finite, a name that is not accepted, no PDF output in this
// build) writes nothing. A failing write stops there with the text layer's
// message; the files written before it stay.
Resultat Ecrire_Gabarits(const ortix::Modele& m, const std::filesystem::path& dossier,
                         const std::string& nomProjet, const ortix::Papier& papier = {});

} // namespace ortix::fichiers
