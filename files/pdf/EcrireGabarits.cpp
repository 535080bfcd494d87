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
    std::string erreur;
    if (!Chemin_Sortie(dossier, noms.pdf, cheminPdf, erreur) ||
        !Chemin_Sortie(dossier, noms.svgEmpl, cheminEmpl, erreur) ||
        !Chemin_Sortie(dossier, noms.svgSaum, cheminSaum, erreur))
        return Resultat::Refus(erreur);

    Gabarit empl, saum;
    Pagination pe, ps;
    std::string pdf, svgEmpl, svgSaum;
    if (Resultat r = Construire_Gabarits(m, plateforme::Date_Du_Jour(), empl, saum); !r) return r;
    if (Resultat r = Paginer(empl, papier, pe); !r) return r;
    if (Resultat r = Paginer(saum, papier, ps); !r) return r;
    if (Resultat r = Pdf_Gabarits({{&empl, &pe}, {&saum, &ps}}, pdf); !r) return r;
    if (Resultat r = Svg_Gabarit(empl, svgEmpl); !r) return r;
    if (Resultat r = Svg_Gabarit(saum, svgSaum); !r) return r;

    if (!EcrireAtomique(cheminPdf, pdf, erreur) || !EcrireAtomique(cheminEmpl, svgEmpl, erreur) ||
        !EcrireAtomique(cheminSaum, svgSaum, erreur))
        return Resultat::Refus(erreur);
    return {};
}

} // namespace ortix::fichiers
