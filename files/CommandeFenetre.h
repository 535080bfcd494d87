// The window's command line: "ortix [--help | --version | [--] [PROJET.ortix]]",
// read before any window exists.
#pragma once

#include "model/Resultat.h"

#include <optional>
#include <string>
#include <vector>

namespace ortix::fichiers {

struct CommandeFenetre {
    enum class Demande { Fenetre, Aide, Version };
    Demande demande = Demande::Fenetre;
    // The project to open, as given: UTF-8, or the system's bytes for a name
    // that is not, which open all the same.
    std::optional<std::string> projet;
};

// The usage line, then what the window does and its options, in French.
extern const char* const AideFenetre;

// Reads the arguments (the program's name first). "--" ends the options: what
// follows is a file name, even "-x.ortix". Refused, with a French sentence: an
// unknown option, a second project (the window opens one), an empty name.
Resultat Lire_Commande_Fenetre(const std::vector<std::string>& arguments, CommandeFenetre& c);

} // namespace ortix::fichiers
