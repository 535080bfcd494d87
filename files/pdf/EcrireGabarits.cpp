#include "files/GabaritPDF.h"
#include "files/GabaritSVG.h"
#include "files/Gabarits.h"
#include "files/Plateforme.h"
#include "files/Sortie.h"
#include "files/Texte.h"

namespace ortix::fichiers {

Resultat Ecrire_Gabarits(const Modele& m, const std::filesystem::path& dossier,
                         const std::string& nomProjet, const Papier& papier) {
    const NomsGabarits noms = Noms_Gabarits(nomProjet);
    std::filesystem::path cheminPdf, cheminEmpl, cheminSaum;
    Resultat r = Chemin_Sortie(dossier, noms.pdf, cheminPdf);
    if (r) r = Chemin_Sortie(dossier, noms.svgEmpl, cheminEmpl);
    if (r) r = Chemin_Sortie(dossier, noms.svgSaum, cheminSaum);
    if (!r) return r;

    Gabarit empl, saum;
    Pagination pe, ps;
    std::string pdf, svgEmpl, svgSaum;
    if (r = Construire_Gabarits(m, plateforme::Date_Du_Jour(), empl, saum); !r) return r;
    if (r = Paginer(empl, papier, pe); !r) return r;
    if (r = Paginer(saum, papier, ps); !r) return r;
    if (r = Pdf_Gabarits({{&empl, &pe}, {&saum, &ps}}, pdf); !r) return r;
    if (r = Svg_Gabarit(empl, svgEmpl); !r) return r;
    if (r = Svg_Gabarit(saum, svgSaum); !r) return r;

    if (r = EcrireAtomique(cheminPdf, pdf); !r) return r;
    if (r = EcrireAtomique(cheminEmpl, svgEmpl); !r) return r;
    return EcrireAtomique(cheminSaum, svgSaum);
}

} // namespace ortix::fichiers
