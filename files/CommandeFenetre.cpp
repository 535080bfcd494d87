#include "files/CommandeFenetre.h"

#include "files/Citation.h"

namespace ortix::fichiers {

const char* const AideFenetre =
    "Usage : ortix [PROJET.ortix]\n"
    "        ortix -- PROJET.ortix\n"
    "        ortix --help | --version\n"
    "\n"
    "Ouvre la fenêtre d'Ortix, puis le projet donné comme « Charger un projet ».\n"
    "\n"
    "Options :\n"
    "  --help     affiche cette aide\n"
    "  --version  affiche la version\n"
    "  --         ce qui suit est le nom du projet, même s'il commence par « - »\n";

Resultat Lire_Commande_Fenetre(const std::vector<std::string>& arguments, CommandeFenetre& c) {
    CommandeFenetre lu;
    bool options = true;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (options && a == "--") {
            options = false;
        } else if (options && (a == "--help" || a == "-h")) {
            lu.demande = CommandeFenetre::Demande::Aide;
        } else if (options && a == "--version") {
            lu.demande = CommandeFenetre::Demande::Version;
        } else if (options && a.size() > 1 && a[0] == '-') {
            return Resultat::Refus("option inconnue : « " + Citation(a) + " ».");
        } else if (a.empty()) {
            return Resultat::Refus("le nom du fichier projet est vide.");
        } else if (lu.projet) {
            return Resultat::Refus("la fenêtre ouvre un seul projet, pas « " + Citation(a) +
                                   " » en plus de « " + Citation(*lu.projet) + " ».");
        } else {
            lu.projet = a;
        }
    }
    c = std::move(lu);
    return {};
}

} // namespace ortix::fichiers
