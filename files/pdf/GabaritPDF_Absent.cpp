// The PDF output of a build without Cairo: the same functions, refusing.
#include "files/GabaritPDF.h"

namespace ortix::fichiers {

bool Pdf_Disponible() {
    return false;
}

Resultat Pdf_Gabarits(const std::vector<std::pair<const Gabarit*, const Pagination*>>&,
                      std::string&) {
    return Resultat::Refus("Cette version d'Ortix a été construite sans la sortie PDF : les "
                           "gabarits ne peuvent pas être enregistrés en PDF.");
}

} // namespace ortix::fichiers
