#include "files/Gabarits.h"

namespace ortix::fichiers {

NomsGabarits Noms_Gabarits(const std::string& nomProjet) {
    return {nomProjet + "_Gabarits.pdf", nomProjet + "_Gabarit_Empl.svg",
            nomProjet + "_Gabarit_Saum.svg"};
}

} // namespace ortix::fichiers
