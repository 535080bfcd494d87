#include "model/Parametres.h"

#include "model/Nombres.h"

namespace ortix {

Parametres Lire_Parametres(const Champs& c) {
    Parametres p;
    for (const ChampParametre& champ : TableChamps)
        if (champ.valeur) p.*champ.valeur = Val(c.*champ.texte);
    return p;
}

} // namespace ortix
