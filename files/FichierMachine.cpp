#include "files/FichierMachine.h"

#include "files/Chemins.h"
#include "files/Citation.h"
#include "files/Dialectes.h"
#include "files/Encodage.h"
#include "files/LecteurChamps.h"
#include "files/Lecture.h"
#include "files/SauvegardeAtomique.h"
#include "model/Nombres.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

namespace ortix::fichiers {

namespace {

enum class Genre { Dialecte, Axes, Cote, Nombre, Avance, Table, Chauffe };

// One key of the file: its name, its kind, for a number its member and range,
// and the comment written before it.
struct Cle {
    std::string_view nom;
    Genre genre;
    double ProfilMachine::*nombre = nullptr;
    double min = 0, max = 0;
    bool minExclu = false;
    std::string_view aide;
    std::string_view unite = {};
    std::string_view libelle = {}; // as the dialog names it
};

constexpr double Grand = 1e5; // mm: no machine comes near

const Cle Cles[] = {
    {"dialecte", Genre::Dialecte, nullptr, 0, 0, false,
     "Contrôleur : linuxcnc, grbl (GRBL 1.1, grbl-Mega-5X), fluidnc, grblhal, marlin, mach3", "",
     "Contrôleur"},
    {"axes", Genre::Axes, nullptr, 0, 0, false,
     "Lettres des axes : horizontal et vertical de la première tour, puis de la seconde", "",
     "Lettres des axes"},
    {"cote_emplanture", Genre::Cote, nullptr, 0, 0, false,
     "gauche : la tour côté emplanture porte les deux premiers axes ; droite : les deux derniers",
     "", "Côté de l'emplanture"},
    {"ecart_tours", Genre::Nombre, &ProfilMachine::ecartTours, 0, Grand, true,
     "Distance entre les plans des deux tours (mm) : mesurez le fil tendu, d'un point "
     "d'attache à l'autre",
     "mm", "Écart entre les tours"},
    {"distance_emplanture", Genre::Nombre, &ProfilMachine::distanceEmplanture, 0, Grand, false,
     "Distance de la tour côté emplanture à la face d'emplanture du bloc (mm) : mesurez "
     "le long du fil, de son point d'attache à la face du bloc",
     "mm", "Tour à face d'emplanture"},
    {"hauteur_ligne_de_base", Genre::Nombre, &ProfilMachine::hauteurLigneDeBase, -Grand, Grand,
     false,
     "Hauteur de la ligne de base des profils au-dessus de la table (mm) : mesurez, "
     "sur une face du bloc, de la table au trait de la ligne de base",
     "mm", "Hauteur de la ligne de base"},
    {"vitesse", Genre::Nombre, &ProfilMachine::vitesse, 0, 1000, true,
     "Vitesse de coupe de la face la plus rapide (mm/s)", "mm/s", "Vitesse de coupe"},
    {"avance", Genre::Avance, nullptr, 0, 0, false,
     "g93 : avance en temps inverse ; g94 : mm/min selon la règle du contrôleur", "", "Avance"},
    {"saignee_emplanture", Genre::Nombre, &ProfilMachine::saigneeEmplanture, 0, 50, false,
     "Saignée (largeur du sillon fondu) à la face d'emplanture (mm)", "mm",
     "Saignée à l'emplanture"},
    {"saignee_saumon", Genre::Nombre, &ProfilMachine::saigneeSaumon, 0, 50, false,
     "Saignée à la face du saumon (mm)", "mm", "Saignée au saumon"},
    {"saignee_vitesse", Genre::Table, nullptr, 0, 0, false,
     "Table vitesse (mm/s) : saignée (mm), au moins deux paires ; remplace les deux saignées",
     "mm/s : mm", "Saignée selon la vitesse"},
    {"chauffe", Genre::Chauffe, nullptr, 0, 0, false,
     "Chauffe du fil : aucune, m3 (M3 S<puissance> / M5), m8 (M8 / M9)", "", "Chauffe"},
    {"puissance", Genre::Nombre, &ProfilMachine::puissance, 0, 1e6, false,
     "Puissance de chauffe, le S de M3", "", "Puissance de chauffe"},
    {"prechauffe", Genre::Nombre, &ProfilMachine::prechauffe, 0, 3600, false,
     "Attente après la mise en chauffe, avant le premier mouvement (s)", "s", "Préchauffe"},
    {"pause_bord_attaque", Genre::Nombre, &ProfilMachine::pauseBordAttaque, 0, 3600, false,
     "Attente quand le fil atteint le bord d'attaque (s)", "s", "Pause au bord d'attaque"},
    {"pause_bord_de_fuite", Genre::Nombre, &ProfilMachine::pauseBordDeFuite, 0, 3600, false,
     "Attente quand le fil atteint le bord de fuite, à l'aller et au retour (s)", "s",
     "Pause au bord de fuite"},
    {"entree", Genre::Nombre, &ProfilMachine::entree, 0, 1000, false,
     "Longueur de l'entrée, horizontale, en arrière du bord de fuite (mm)", "mm",
     "Longueur d'entrée"},
    {"angle_fil_max", Genre::Nombre, &ProfilMachine::angleFilMax, 0, 89, true,
     "Angle maximal du fil par rapport à l'équerre des faces (degrés)", "°",
     "Angle maximal du fil"},
};

constexpr std::string_view Course = "course_", VitesseMax = "vitesse_max_";

template <typename T> struct Choix {
    std::string_view texte;
    T valeur;
};
constexpr Choix<bool> Cotes[] = {{"gauche", true}, {"droite", false}};
constexpr Choix<Avance> Avances[] = {{"g93", Avance::G93}, {"g94", Avance::G94}};
constexpr Choix<Chauffe> Chauffes[] = {
    {"aucune", Chauffe::Aucune}, {"m3", Chauffe::M3}, {"m8", Chauffe::M8}};

template <typename T, std::size_t N> std::string_view texteDe(const Choix<T> (&choix)[N], T v) {
    for (const Choix<T>& c : choix)
        if (c.valeur == v) return c.texte;
    return {};
}

std::string_view sansBlancs(std::string_view s) {
    s = Sans_Blancs_Devant(s);
    while (!s.empty() && Est_Blanc(s.back()))
        s.remove_suffix(1);
    return s;
}

char majuscule(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// One `clé = valeur` line as read.
struct Entree {
    std::string valeur;
    std::size_t ligne = 0;
};

class Lecteur {
  public:
    // Without a name, one field is read alone, with no file to name.
    explicit Lecteur(std::optional<std::string> nom) : nom_(std::move(nom)) {}

    Resultat lire(std::string_view octets, ProfilMachine& sortie) {
        const std::vector<std::string> lignes = Decouper_Lignes(Decoder_Texte(octets));
        for (std::size_t n = 1; n <= lignes.size(); ++n)
            if (Resultat r = decouper(lignes[n - 1], n); !r) return r;
        ProfilMachine p;
        Resultat r = lireDialecte(p);
        if (r) r = lireAxes(p);
        for (const Cle& c : Cles)
            if (r && c.genre != Genre::Dialecte && c.genre != Genre::Axes) r = lireCle(c, p);
        if (r) r = lireParAxe(p);
        if (!r) return r;
        if (entrees_.size() != lues_.size())
            for (const auto& [cle, e] : entrees_)
                if (!lues_.contains(cle))
                    return refus(e.ligne, "clé « " + Citation(cle) +
                                              " » : la lettre n'est pas un des axes (axes = " +
                                              std::string(p.axes.begin(), p.axes.end()) + ")");
        sortie = std::move(p);
        return {};
    }

  private:
    Resultat decouper(std::string_view ligne, std::size_t n) {
        ligne = sansBlancs(ligne.substr(0, ligne.find('#')));
        if (ligne.empty()) return {};
        const std::size_t egal = ligne.find('=');
        if (egal == std::string_view::npos)
            return refus(n, "la ligne doit être de la forme « clé = valeur », pas « " +
                                Citation(ligne) + " »");
        std::string cle(sansBlancs(ligne.substr(0, egal)));
        const bool parAxe = (cle.starts_with(Course) && cle.size() == Course.size() + 1) ||
                            (cle.starts_with(VitesseMax) && cle.size() == VitesseMax.size() + 1);
        if (parAxe) cle.back() = majuscule(cle.back());
        if (!parAxe && std::none_of(std::begin(Cles), std::end(Cles),
                                    [&](const Cle& c) { return c.nom == cle; }))
            return refus(n, "clé inconnue « " + Citation(cle) + " »");
        if (entrees_.contains(cle))
            return refus(n, "la clé « " + cle + " » est déjà donnée ligne " +
                                std::to_string(entrees_[cle].ligne));
        entrees_[cle] = {std::string(sansBlancs(ligne.substr(egal + 1))), n};
        return {};
    }

    // The entry of a key, marked as read; none when the file leaves it out.
    const Entree* entree(const std::string& cle) {
        const auto e = entrees_.find(cle);
        if (e == entrees_.end()) return nullptr;
        lues_.insert(cle);
        return &e->second;
    }

    Resultat lireDialecte(ProfilMachine& p) {
        const Entree* e = entree("dialecte");
        if (!e) return {};
        const auto d = std::find_if(TableDialectes.begin(), TableDialectes.end(),
                                    [&](const DialecteGCode& t) { return t.cle == e->valeur; });
        if (d == TableDialectes.end())
            return refus(e->ligne, "dialecte inconnu « " + Citation(e->valeur) +
                                       " » (linuxcnc, grbl, fluidnc, grblhal, marlin ou mach3)");
        p.dialecte = d->dialecte;
        p.axes = d->axes;
        p.avance = d->tempsInverse ? Avance::G93 : Avance::G94;
        return {};
    }

    Resultat lireAxes(ProfilMachine& p) {
        const Entree* e = entree("axes");
        if (!e) return {};
        const std::string_view permises = Dialecte_GCode(p.dialecte).lettresPermises;
        std::string a;
        for (const char c : e->valeur)
            a += majuscule(c);
        bool ok = a.size() == NombreAxes;
        for (std::size_t i = 0; ok && i < a.size(); ++i)
            ok = permises.find(a[i]) != std::string_view::npos && a.find(a[i]) == i;
        if (!ok)
            return refus(e->ligne, "axes attend quatre lettres différentes parmi " +
                                       std::string(permises) + " pour " +
                                       std::string(Dialecte_GCode(p.dialecte).nom) + ", pas « " +
                                       Citation(e->valeur) + " »");
        std::copy(a.begin(), a.end(), p.axes.begin());
        return {};
    }

    Resultat lireCle(const Cle& c, ProfilMachine& p) {
        const Entree* e = entree(std::string(c.nom));
        if (!e) return {};
        switch (c.genre) {
        case Genre::Cote:
            return choisir(Cotes, *e, c.nom, p.emplantureAGauche);
        case Genre::Chauffe:
            return choisir(Chauffes, *e, c.nom, p.chauffe);
        case Genre::Avance:
            if (Resultat r = choisir(Avances, *e, c.nom, p.avance); !r) return r;
            if (p.avance == Avance::G93 && !Dialecte_GCode(p.dialecte).tempsInverse)
                return refus(e->ligne, std::string(Dialecte_GCode(p.dialecte).nom) +
                                           " ne connaît pas l'avance en temps inverse (G93) : "
                                           "avance = g94");
            return {};
        case Genre::Table:
            return lireTable(*e, p.saigneeVitesse);
        default:
            return lireNombre(*e, c.nom, c.min, c.max, c.minExclu, p.*c.nombre);
        }
    }

    Resultat lireParAxe(ProfilMachine& p) {
        for (std::size_t a = 0; a < NombreAxes; ++a) {
            const std::string lettre(1, p.axes[a]);
            if (const Entree* e = entree(std::string(VitesseMax) + lettre))
                if (Resultat r = lireNombre(*e, std::string(VitesseMax) + lettre, 0, 1e4, true,
                                            p.vitesseMax[a]);
                    !r)
                    return r;
            const Entree* e = entree(std::string(Course) + lettre);
            if (!e) continue;
            const std::size_t deux = e->valeur.find(':');
            double min, max; // set by Lire_Nombre before any use
            if (deux == std::string::npos ||
                Lire_Nombre(sansBlancs(std::string_view(e->valeur).substr(0, deux)), min) !=
                    Nombre::Lu ||
                Lire_Nombre(sansBlancs(std::string_view(e->valeur).substr(deux + 1)), max) !=
                    Nombre::Lu ||
                !(min < max) || min < -Grand || max > Grand)
                return refus(e->ligne, std::string(Course) + lettre +
                                           " attend « min:max », deux nombres croissants de -" +
                                           Texte_Exact(Grand) + " à " + Texte_Exact(Grand) +
                                           ", pas « " + Citation(e->valeur) + " »");
            p.courseMin[a] = min;
            p.courseMax[a] = max;
        }
        return {};
    }

    Resultat lireNombre(const Entree& e, std::string_view cle, double min, double max,
                        bool minExclu, double& v) {
        double x = 0;
        if (Lire_Nombre(e.valeur, x) != Nombre::Lu || x > max || x < min || (minExclu && x == min))
            return refus(e.ligne, std::string(cle) + " attend un nombre de " + Texte_Exact(min) +
                                      (minExclu ? " (exclu)" : "") + " à " + Texte_Exact(max) +
                                      ", pas « " + Citation(e.valeur) + " »");
        v = x;
        return {};
    }

    // "v:k, v:k...": at least two pairs, speeds growing.
    Resultat lireTable(const Entree& e, std::vector<SaigneeVitesse>& table) {
        std::vector<SaigneeVitesse> t;
        bool ok = true;
        const std::string_view valeur = e.valeur;
        for (std::size_t debut = 0; ok && debut <= valeur.size();) {
            const std::size_t virgule = std::min(valeur.find(',', debut), valeur.size());
            const std::string_view paire = valeur.substr(debut, virgule - debut);
            debut = virgule + 1;
            const std::size_t deux = paire.find(':');
            SaigneeVitesse s;
            ok = deux != std::string_view::npos && t.size() < 100 &&
                 Lire_Nombre(sansBlancs(paire.substr(0, deux)), s.vitesse) == Nombre::Lu &&
                 Lire_Nombre(sansBlancs(paire.substr(deux + 1)), s.saignee) == Nombre::Lu &&
                 s.vitesse >= 0 && s.vitesse <= 1000 && s.saignee >= 0 && s.saignee <= 50 &&
                 (t.empty() || s.vitesse > t.back().vitesse);
            t.push_back(s);
        }
        if (!ok || t.size() < 2)
            return refus(e.ligne, "saignee_vitesse attend au moins deux paires « vitesse:saignée » "
                                  "séparées par des virgules, vitesses croissantes de 0 à 1000 "
                                  "mm/s, saignées de 0 à 50 mm, pas « " +
                                      Citation(e.valeur) + " »");
        table = std::move(t);
        return {};
    }

    template <typename T, std::size_t N>
    Resultat choisir(const Choix<T> (&choix)[N], const Entree& e, std::string_view cle, T& v) {
        std::string permis;
        for (const Choix<T>& c : choix) {
            if (c.texte == e.valeur) {
                v = c.valeur;
                return {};
            }
            permis += (permis.empty() ? "" : ", ") + std::string(c.texte);
        }
        return refus(e.ligne, std::string(cle) + " attend " + permis + ", pas « " +
                                  Citation(e.valeur) + " »");
    }

    Resultat refus(std::size_t ligne, const std::string& raison) const {
        if (!nom_) return Resultat::Refus("Valeur refusée : " + raison + ".");
        return Resultat::Refus("Profil machine « " + Citation(*nom_, std::string::npos) +
                               " » refusé, ligne " + std::to_string(ligne) + " : " + raison + ".");
    }

    std::optional<std::string> nom_;
    std::map<std::string, Entree> entrees_;
    std::set<std::string> lues_;
};

} // namespace

Resultat Lire_Profil_Machine(const std::filesystem::path& chemin, ProfilMachine& p) {
    std::string octets;
    if (Resultat r = Lire_Fichier(chemin, octets); !r) return r;
    return Analyser_Profil_Machine(octets, Utf8_Depuis_Chemin(chemin.filename()), p);
}

Resultat Analyser_Profil_Machine(std::string_view octets, const std::string& nomFichier,
                                 ProfilMachine& p) {
    return Lecteur(nomFichier).lire(octets, p);
}

std::vector<std::string> Lignes_Profil_Machine(const ProfilMachine& p, bool commentaires) {
    std::vector<std::string> l;
    if (commentaires)
        l = {"# Profil machine Ortix : découpe au fil chaud sur quatre axes.",
             "# Une ligne « clé = valeur » par réglage ; « # » ouvre un commentaire ; une clé",
             "# absente garde sa valeur par défaut. Longueurs en mm, vitesses en mm/s, durées",
             "# en s, angles en degrés. Coordonnées machine : horizontale nulle à l'aplomb du",
             "# bord d'attaque, positive vers le bord de fuite ; verticale nulle sur la table."};
    auto ajouter = [&](std::string_view aide, const std::string& cle, const std::string& valeur) {
        if (commentaires) l.push_back("# " + std::string(aide));
        l.push_back(cle + " = " + valeur);
    };
    for (const Cle& c : Cles) {
        const std::string nom(c.nom);
        switch (c.genre) {
        case Genre::Dialecte:
            ajouter(c.aide, nom, std::string(Dialecte_GCode(p.dialecte).cle));
            break;
        case Genre::Axes:
            ajouter(c.aide, nom, std::string(p.axes.begin(), p.axes.end()));
            break;
        case Genre::Cote:
            ajouter(c.aide, nom, std::string(texteDe(Cotes, p.emplantureAGauche)));
            break;
        case Genre::Avance:
            ajouter(c.aide, nom, std::string(texteDe(Avances, p.avance)));
            break;
        case Genre::Chauffe:
            ajouter(c.aide, nom, std::string(texteDe(Chauffes, p.chauffe)));
            break;
        case Genre::Table: {
            std::string t;
            for (const SaigneeVitesse& s : p.saigneeVitesse)
                t +=
                    (t.empty() ? "" : ", ") + Texte_Exact(s.vitesse) + ":" + Texte_Exact(s.saignee);
            if (!t.empty())
                ajouter(c.aide, nom, t);
            else if (commentaires)
                l.insert(l.end(), {"# " + std::string(c.aide), "# " + nom + " = 1:1.5, 4:0.8"});
            break;
        }
        case Genre::Nombre:
            ajouter(c.aide, nom, Texte_Exact(p.*c.nombre));
            break;
        }
    }
    for (std::size_t a = 0; a < NombreAxes; ++a) {
        const std::string lettre(1, p.axes[a]);
        ajouter("Axe " + lettre + " : course min:max (mm) et vitesse maximale (mm/s)",
                std::string(Course) + lettre,
                Texte_Exact(p.courseMin[a]) + ":" + Texte_Exact(p.courseMax[a]));
        l.push_back(std::string(VitesseMax) + lettre + " = " + Texte_Exact(p.vitesseMax[a]));
    }
    return l;
}

std::vector<CleMachine> Cles_Machine(const ProfilMachine& p) {
    std::vector<CleMachine> cles;
    auto mots = [](const auto& choix) {
        std::vector<std::string_view> m;
        for (const auto& c : choix)
            m.push_back(c.texte);
        return m;
    };
    for (const Cle& c : Cles) {
        CleMachine k{std::string(c.nom), std::string(c.libelle), c.unite, c.aide, {}};
        if (c.genre == Genre::Dialecte)
            for (const DialecteGCode& d : TableDialectes)
                k.choix.push_back(d.cle);
        if (c.genre == Genre::Cote) k.choix = mots(Cotes);
        if (c.genre == Genre::Avance) k.choix = mots(Avances);
        if (c.genre == Genre::Chauffe) k.choix = mots(Chauffes);
        cles.push_back(std::move(k));
    }
    for (const char lettre : p.axes) {
        const std::string axe(1, lettre);
        cles.push_back({std::string(Course) + axe,
                        "Course de l'axe " + axe,
                        "mm",
                        "Course de l'axe, « min:max », en coordonnées machine (mm)",
                        {}});
        cles.push_back({std::string(VitesseMax) + axe,
                        "Vitesse maximale de l'axe " + axe,
                        "mm/s",
                        "Vitesse maximale de l'axe sur un mouvement de coupe (mm/s)",
                        {}});
    }
    return cles;
}

Resultat Lire_Cle_Machine(const std::string& cle, const std::string& valeur, ProfilMachine& p) {
    // The profile written again, this key's line replaced: every other key keeps
    // its value. A new dialect brings its letters and feed mode, and new letters
    // rename the per-axis keys, whose values follow their axis by its place.
    const bool lettres = cle == "dialecte" || cle == "axes";
    std::string texte;
    for (const std::string& ligne : Lignes_Profil_Machine(p, false)) {
        const std::string nom = ligne.substr(0, ligne.find(" = "));
        const bool parAxe = nom.starts_with(Course) || nom.starts_with(VitesseMax);
        if (nom == cle || (lettres && parAxe) ||
            (cle == "dialecte" && (nom == "axes" || nom == "avance")))
            continue;
        texte += ligne + "\n";
    }
    // An empty kerf table is no table: both constants are used.
    if (!(cle == "saignee_vitesse" && sansBlancs(valeur).empty()))
        texte += cle + " = " + valeur + "\n";
    ProfilMachine lu;
    if (Resultat r = Lecteur(std::nullopt).lire(texte, lu); !r) return r;
    if (lettres) {
        lu.courseMin = p.courseMin;
        lu.courseMax = p.courseMax;
        lu.vitesseMax = p.vitesseMax;
    }
    p = std::move(lu);
    return {};
}

Resultat Ecrire_Profil_Machine(const std::filesystem::path& chemin, const ProfilMachine& p) {
    std::string octets;
    for (const std::string& ligne : Lignes_Profil_Machine(p, true))
        octets += ligne + "\n";
    return Ecrire_Atomique(chemin, octets);
}

} // namespace ortix::fichiers
