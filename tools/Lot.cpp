// The batch command's work: options, then for each project load, compute,
// propose the names and write the three files, exactly as the window would.
#include "tools/Lot.h"

#include "files/Chemins.h"
#include "files/Citation.h"
#include "files/Encodage.h"
#include "files/FichierMachine.h"
#include "files/GCode.h"
#include "files/LecteurChamps.h"
#include "files/Lecture.h"
#include "files/NomsDeFichiers.h"
#include "files/Projet.h"
#include "files/Sortie.h"
#include "geometry/Optimisation.h"
#include "geometry/Planforme.h"
#include "geometry/Projection.h"
#include "model/Modele.h"
#include "model/Nombres.h"
#include "model/Parametres.h"

#include <algorithm>
#include <array>
#include <charconv>

#include <cstdio>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace ortix;
using namespace ortix::fichiers;

const char* const Aide =
    "Usage : ortix-batch [--json] [-o DOSSIER] [--opti keep|align|blend=P] [--gabarits]\n"
    "                    [--papier a4|a3|letter] [--gcode PROFIL] PROJET.ortix...\n"
    "        ortix-batch --profil-machine | --ecrire-profil FICHIER\n"
    "\n"
    "Pour chaque projet : le charge comme « Charger un projet », calcule les profils\n"
    "projetés comme « Calculer les nouveaux profils », propose les noms comme la\n"
    "fenêtre de sauvegarde avec le nom du projet et écrit les trois fichiers\n"
    "(données du tronçon, profil d'emplanture, profil de saumon).\n"
    "\n"
    "Options :\n"
    "  --json         une ligne JSON par projet au lieu d'une ligne par fichier écrit\n"
    "  -o DOSSIER     dossier où écrire (par défaut celui du fichier projet)\n"
    "  --opti keep    applique « Garder la hauteur initiale » avant le calcul\n"
    "  --opti align   applique « Aligner les bords de fuite »\n"
    "  --opti blend=P applique « Optimiser l'alignement », curseur à P (0 à 100)\n"
    "  --gabarits     écrit aussi les gabarits à l'échelle 1 : NOM_Gabarits.pdf,\n"
    "                 NOM_Gabarit_Empl.svg et NOM_Gabarit_Saum.svg\n"
    "  --papier F     papier des gabarits : a4 (par défaut), a3 ou letter\n"
    "  --gcode PROFIL écrit aussi la découpe en G-code pour la machine du profil\n"
    "                 PROFIL : NOM_Decoupe.ngc, vérifiée en la relisant\n"
    "  --profil-machine\n"
    "                 affiche un profil machine par défaut, commenté\n"
    "  --ecrire-profil FICHIER\n"
    "                 écrit ce profil machine par défaut dans FICHIER (UTF-8)\n"
    "  --help         affiche cette aide\n"
    "\n"
    "Code de sortie : 0 si tous les projets ont réussi, 1 si l'un d'eux a échoué,\n"
    "si le profil machine est refusé ou si le rapport n'a pas pu être écrit, 2 pour\n"
    "une erreur d'utilisation.\n";

enum class Opti { Aucune, Garder, Aligner, Melanger };

struct Options {
    bool json = false;
    std::optional<std::string> dossier;
    Opti opti = Opti::Aucune;
    int curseur = 50;
    OptionsSortie sortie;
    std::optional<std::string> profilMachine; // --gcode
    ProfilMachine machine;
    std::optional<std::string> profilAEcrire; // --ecrire-profil
    std::vector<std::string> projets;
};

// A JSON string: valid UTF-8 whatever the bytes given (a byte that is not part
// of a character, as in some file names, becomes U+FFFD), with the characters
// JSON reserves escaped.
std::string json(const std::string& texte) {
    std::string r = "\"";
    for (const char octet : Utf8_Repare(texte)) {
        const auto c = static_cast<unsigned char>(octet);
        switch (c) {
        case '"':
            r += "\\\"";
            break;
        case '\\':
            r += "\\\\";
            break;
        case '\n':
            r += "\\n";
            break;
        case '\r':
            r += "\\r";
            break;
        case '\t':
            r += "\\t";
            break;
        default:
            if (c < 0x20) {
                char u[8];
                std::snprintf(u, sizeof u, "\\u%04x", c);
                r += u;
            } else {
                r += static_cast<char>(c);
            }
        }
    }
    return r + "\"";
}

// A figure as the window shows it, as a JSON number of the same value; null
// where the window shows no number ("---", an empty text).
std::string nombre(const std::string& texte) {
    if (texte.empty() || texte == TexteSansValeur) return "null";
    char t[32];
    const auto fin = std::to_chars(t, t + sizeof t, Val(texte)).ptr;
    return std::string(t, fin);
}

// A kink as the window shows it (one decimal), null when undefined.
std::string kink(const std::optional<double>& degres) {
    return degres ? nombre(Texte_Cassure(degres)) : "null";
}

// Both kinks of a panel: {"upper": …, "lower": …}, or [upper, lower].
std::string kinks(const Cassures& c, bool paire) {
    return paire ? "[" + kink(c.extrados) + "," + kink(c.intrados) + "]"
                 : "{\"upper\":" + kink(c.extrados) + ",\"lower\":" + kink(c.intrados) + "}";
}

// A figure rounded as `motif` says, as a JSON number.
std::string arrondi(double v, const char* motif) {
    return nombre(Format(v, motif));
}

std::string etendue(const Etendue& e, const char* motif) {
    return "[" + arrondi(e.min, motif) + "," + arrondi(e.max, motif) + "]";
}

// The cut's figures: its time, each face's kerf, the faster face's speed over
// the planned one as read back, each axis's extent, the wire's largest angle,
// the largest distance of the wire read back from the planned one.
std::string bilanGCode(const GCodeVerifie& g, const ProfilMachine& p) {
    const Decoupe& d = g.decoupe;
    std::string t = "{\"time\":" + arrondi(d.duree, "#0.0") +
                    ",\"kerf\":{\"root\":" + etendue(d.saignee[0], "#0.000") +
                    ",\"tip\":" + etendue(d.saignee[1], "#0.000") + "},\"speed_ratio\":" +
                    etendue({g.simulation.rapportMin, g.simulation.rapportMax}, "#0.000000") +
                    ",\"axes\":{";
    for (std::size_t a = 0; a < NombreAxes; ++a)
        t += (a ? ",\"" : "\"") + std::string(1, p.axes[a]) + "\":" + etendue(d.axes[a], "#0.000");
    return t + "},\"max_wire_angle\":" + arrondi(d.angleFil, "#0.00") +
           ",\"max_deviation\":" + arrondi(g.simulation.ecartMax, "#0.000000") + "}";
}

// The slider's position of --opti blend=P: digits only, 0 to 100, leading
// zeros allowed (007 is 7, 0100 is 100).
bool position(std::string_view texte, int& p) {
    int v = 0;
    const auto fin = texte.data() + texte.size();
    const auto [lu, erreur] = std::from_chars(texte.data(), fin, v);
    if (texte.empty() || texte[0] == '-' || erreur != std::errc() || lu != fin || v > 100)
        return false;
    p = v;
    return true;
}

Resultat lireOptions(const std::vector<std::string>& argv, Options& o) {
    const std::size_t argc = argv.size();
    for (std::size_t i = 1; i < argc; ++i) {
        const std::string& a = argv[i];
        if (a == "--json") {
            o.json = true;
        } else if (a == "--gabarits") {
            o.sortie.gabarits = true;
        } else if (a == "--papier") {
            const auto f = ++i < argc ? std::find_if(FormatsPapier.begin(), FormatsPapier.end(),
                                                     [&](auto& p) { return argv[i] == p.nom; })
                                      : FormatsPapier.end();
            if (f == FormatsPapier.end())
                return Resultat::Refus("l'option --papier attend a4, a3 ou letter");
            o.sortie.papier.largeur = f->largeur;
            o.sortie.papier.hauteur = f->hauteur;
        } else if (a == "--gcode" || a == "--ecrire-profil") {
            if (++i >= argc || argv[i].empty())
                return Resultat::Refus("l'option " + a + " attend un fichier");
            (a == "--gcode" ? o.profilMachine : o.profilAEcrire) = argv[i];
        } else if (a == "-o") {
            // An empty folder would silently mean the working folder.
            if (++i >= argc || argv[i].empty())
                return Resultat::Refus("l'option -o attend un dossier");
            o.dossier = argv[i];
        } else if (a == "--opti") {
            if (++i >= argc)
                return Resultat::Refus("l'option --opti attend keep, align ou blend=P");
            const std::string& v = argv[i];
            if (v == "keep") {
                o.opti = Opti::Garder;
            } else if (v == "align") {
                o.opti = Opti::Aligner;
            } else if (v.rfind("blend=", 0) == 0 && position(v.substr(6), o.curseur)) {
                o.opti = Opti::Melanger;
            } else {
                return Resultat::Refus("valeur de --opti inconnue : « " + Citation(v) + " »");
            }
        } else if (a == "--") {
            for (++i; i < argc; ++i)
                o.projets.emplace_back(argv[i]);
        } else if (!a.empty() && a[0] == '-') {
            return Resultat::Refus("option inconnue : « " + Citation(a) + " »");
        } else {
            o.projets.push_back(a);
        }
    }
    if (o.projets.empty() && !o.profilAEcrire) return Resultat::Refus("aucun fichier projet");
    return {};
}

// Refresh then computation, as "Calculer les nouveaux profils" after a load.
Resultat calculer(Modele& m) {
    Rafraichir_Panneau(m);
    Vue vue;
    return Calculer_Profils_Projetes(m, vue);
}

// The files a call has written, each under its whole path folded as names are
// compared (Minuscules), with the project that wrote it.
using Ecrits = std::map<std::string, std::string>;

std::string cleEcrit(const fs::path& dossier, const std::string& nom) {
    std::error_code e;
    const fs::path reel = fs::weakly_canonical(dossier, e);
    return Minuscules(
        Utf8_Depuis_Chemin((e ? fs::absolute(dossier, e) : reel) / Chemin_Depuis_Utf8(nom)));
}

// A project refused before anything is written when it would write a file that
// an earlier project of the same call wrote: the later one would replace it.
Resultat verifierDejaEcrits(const Ecrits& ecrits, const fs::path& dossier,
                            const std::vector<std::string>& noms) {
    for (const std::string& nom : noms)
        if (const auto deja = ecrits.find(cleEcrit(dossier, nom)); deja != ecrits.end())
            return Resultat::Refus("le fichier « " + Citation(nom) +
                                   " » a déjà été écrit par le projet " +
                                   Chemin_Cite(Chemin_Depuis_Utf8(deja->second)) +
                                   " de cette commande : ce projet le remplacerait. Aucun "
                                   "fichier n'a été écrit.");
    return {};
}

// `avis` receives how each field not entirely a number was read, as the window's
// status line says it.
Resultat traiter(const std::string& projet, const Options& o, Ecrits& dejaEcrits,
                 std::vector<std::string>& avis, std::ostream& sortie) {
    const fs::path chemin = Chemin_Depuis_Utf8(projet);
    auto lu = std::make_unique<Projet>();
    if (Resultat r = Lire_Projet(chemin, *lu); !r) return r;
    auto m = std::make_unique<Modele>();
    Profils_Provisoires(*m);
    Appliquer_Projet(*m, *lu);
    avis = Lectures_Partielles(m->champs);
    if (Resultat r = calculer(*m); !r) return r;

    // The candidates as the optimisation dialog shows them on opening, with the
    // kinks each would give: those of the candidate applied are the panel's own
    // once it is computed with it.
    const CandidatsOpti candidats = Calcule_Candidats(*m);
    const std::string melange = Melange(candidats.txt_int, o.curseur, candidats.txt_ext);
    const std::array<std::pair<Opti, std::string>, 3> hauteurs = {
        {{Opti::Garder, candidats.Txt_NOP},
         {Opti::Aligner, candidats.Txt_Align},
         {Opti::Melanger, melange}}};
    std::array<Cassures, 3> cassuresCandidats;
    if (o.opti != Opti::Aucune && o.json)
        for (std::size_t k = 0; k < hauteurs.size(); ++k)
            if (hauteurs[k].first != o.opti)
                cassuresCandidats[k] = Cassures_Pour_Hauteur(*m, hauteurs[k].second);
    if (o.opti != Opti::Aucune) {
        std::size_t choisi = 0;
        while (hauteurs[choisi].first != o.opti)
            ++choisi;
        if (!Hauteur_A_Appliquer(hauteurs[choisi].second, m->champs.txt_href_saum))
            return Resultat::Refus(
                "la hauteur de saumon demandée n'est pas définie pour ce projet");
        if (Resultat r = calculer(*m); !r) return r;
        cassuresCandidats[choisi] = Mesurer_Cassures(*m);
    }

    const NomsProposes noms =
        Propose_Noms(m->Txt_Nom_proj, m->finals.Txt_Corde_Final, m->finals.Txt_Lg_Final, m->finals);
    const fs::path dossier =
        o.dossier ? Chemin_Depuis_Utf8(*o.dossier)
                  : (chemin.has_parent_path() ? chemin.parent_path() : fs::path("."));
    std::vector<std::string> ecrits;
    auto gcode = std::make_unique<GCodeVerifie>();
    if (Resultat r = verifierDejaEcrits(dejaEcrits, dossier,
                                        Noms_Des_Fichiers(m->Txt_Nom_proj, noms, o.sortie));
        !r)
        return r;
    if (Resultat r = Sauve_Fichiers(*m, dossier, noms, o.sortie, ecrits, gcode.get()); !r) return r;
    for (const std::string& nom : ecrits)
        dejaEcrits.emplace(cleEcrit(dossier, nom), projet);
    std::vector<std::string> chemins;
    chemins.reserve(ecrits.size());
    for (const std::string& nom : ecrits)
        chemins.push_back(Utf8_Depuis_Chemin(dossier / Chemin_Depuis_Utf8(nom)));

    if (!o.json) {
        // One line a file, whatever a folder's name holds, as a message quotes it.
        for (const std::string& c : chemins)
            sortie << Citation(c, std::string::npos) << '\n';
        return {};
    }
    // One object per project on one line; its keys are documented in the README.
    const Finals& f = m->finals;
    sortie << "{\"format\":2,\"project\":" << json(projet) << ",\"name\":" << json(m->Txt_Nom_proj)
           << ",\"files\":[";
    for (std::size_t k = 0; k < chemins.size(); ++k)
        sortie << (k ? "," : "") << json(chemins[k]);
    sortie << "],\"final\":{";
    for (std::size_t k = 0; k < TableFinals.size(); ++k)
        sortie << (k ? ",\"" : "\"") << TableFinals[k].cle
               << "\":" << nombre(f.*TableFinals[k].texte);
    const Cassures cassures = Mesurer_Cassures(*m);
    sortie << "},\"rotation\":" << nombre(Texte_Angle_Rotation(Lire_Parametres(m->champs)))
           << ",\"points\":{\"root\":" << m->Nb_Pts_Empl_Proj << ",\"tip\":" << m->Nb_Pts_Saum_Proj
           << "},\"kink\":" << kinks(cassures, false)
           << ",\"tip_height_candidates\":{\"keep\":" << nombre(candidats.Txt_NOP)
           << ",\"align\":" << nombre(candidats.Txt_Align)
           << ",\"lower\":" << nombre(candidats.txt_int)
           << ",\"upper\":" << nombre(candidats.txt_ext) << '}';
    if (o.opti != Opti::Aucune)
        sortie << ",\"candidate_kinks\":{\"keep\":" << kinks(cassuresCandidats[0], true)
               << ",\"align\":" << kinks(cassuresCandidats[1], true)
               << ",\"blend\":" << kinks(cassuresCandidats[2], true) << '}';
    if (o.sortie.machine) sortie << ",\"gcode\":" << bilanGCode(*gcode, o.machine);
    if (!avis.empty()) {
        sortie << ",\"notices\":[";
        for (std::size_t k = 0; k < avis.size(); ++k)
            sortie << (k ? "," : "") << json(avis[k]);
        sortie << ']';
    }
    sortie << "}\n";
    return {};
}

} // namespace

namespace ortix::lot {

int Executer(const std::vector<std::string>& arguments, std::ostream& sortie,
             std::ostream& erreurs) {
    // After "--" every argument is a project file, even one named "--help".
    for (std::size_t i = 1; i < arguments.size() && arguments[i] != "--"; ++i) {
        if (arguments[i] == "--help" || arguments[i] == "-h") {
            sortie << Aide;
            return 0;
        }
        if (arguments[i] == "--profil-machine") {
            for (const std::string& ligne : Lignes_Profil_Machine({}, true))
                sortie << ligne << '\n';
            return 0;
        }
    }
    Options o;
    if (Resultat r = lireOptions(arguments, o); !r) {
        erreurs << "ortix-batch : " << r.message() << "\n\n" << Aide;
        return 2;
    }
    if (o.profilAEcrire) {
        if (Resultat r = Ecrire_Profil_Machine(Chemin_Depuis_Utf8(*o.profilAEcrire), {}); !r) {
            erreurs << "ortix-batch : " << r.message() << '\n';
            return 1;
        }
        if (o.projets.empty()) return 0;
    }
    if (o.profilMachine) {
        if (Resultat r = Lire_Profil_Machine(Chemin_Depuis_Utf8(*o.profilMachine), o.machine); !r) {
            erreurs << "ortix-batch : " << r.message() << '\n';
            return 1;
        }
        o.sortie.machine = &o.machine;
    }
    int code = 0;
    Ecrits ecrits;
    for (const std::string& projet : o.projets) {
        std::ostringstream rapport;
        std::vector<std::string> avis;
        Resultat r;
        try {
            r = Proteger([&] { return traiter(projet, o, ecrits, avis, rapport); });
        } catch (const std::exception& e) {
            // A name the system cannot convert: this project fails.
            r = Resultat::Refus(std::string("erreur inattendue : ") + e.what());
        }
        const std::string cite = Chemin_Cite(Chemin_Depuis_Utf8(projet));
        for (const std::string& a : avis)
            erreurs << "ortix-batch : projet " << cite << " : " << a << '\n';
        if (r) {
            sortie << rapport.str() << std::flush;
        } else {
            erreurs << "ortix-batch : projet " << cite << " : " << r.message() << '\n';
            code = 1;
        }
    }
    return code;
}

} // namespace ortix::lot
