#include "files/Projet.h"

#include "files/Chemins.h"
#include "files/Citation.h"
#include "files/Date.h"
#include "files/Encodage.h"
#include "files/LecteurChamps.h"
#include "files/Lecture.h"
#include "files/NomsDeFichiers.h"
#include "files/SauvegardeAtomique.h"
#include "model/Nombres.h"
#include "model/Parametres.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <vector>

namespace ortix::fichiers {

namespace {

constexpr std::string_view Titre = "Fichier projet - Programme Ortix";
constexpr std::string_view NomParDefaut = "Ortix";
constexpr std::string_view Extension = ".ortix";

std::string ligneCompte(int n) {
    return " " + std::to_string(n) + " ";
}

std::string lignePoint(double x, double y) {
    return Format(x, "#0.000000") + "  " + Format(y, "#0.000000");
}

bool profilEcrivable(const Modele& m, Extremite e) {
    const bool empl = e == Extremite::Emplanture;
    const int n = empl ? m.Nb_Pts_Empl : m.Nb_Pts_Saum;
    if (n < 1 || n > Capacite) return false;
    for (int i = 1; i <= n; ++i) {
        if (!Fini(empl ? m.X_Empl(i) : m.X_Saum(i))) return false;
        if (!Fini(empl ? m.Y_Empl(i) : m.Y_Saum(i))) return false;
    }
    return true;
}

void ajouterProfil(std::vector<std::string>& lignes, const Modele& m, Extremite e) {
    const bool empl = e == Extremite::Emplanture;
    const int n = empl ? m.Nb_Pts_Empl : m.Nb_Pts_Saum;
    lignes.push_back(ligneCompte(n));
    lignes.push_back(empl ? m.Lbl_prof_empl : m.Lbl_Prof_Saum);
    for (int i = 1; i <= n; ++i)
        lignes.push_back(empl ? lignePoint(m.X_Empl(i), m.Y_Empl(i))
                              : lignePoint(m.X_Saum(i), m.Y_Saum(i)));
}

// Walks the lines of a project file in order; each step says what it expects so
// that a refusal names the line and the fault.
class Lecteur {
  public:
    Lecteur(const std::vector<std::string>& lignes, std::string nomFichier)
        : lignes_(lignes), nom_(std::move(nomFichier)) {}

    Resultat texte(std::string& valeur) {
        if (Resultat r = suivante(); !r) return r;
        valeur = std::string(Sans_Blancs_Devant(lignes_[courante_ - 1]));
        return {};
    }

    Resultat compte(int& n) {
        if (Resultat r = suivante(); !r) return r;
        const std::vector<std::string_view> v = Valeurs_Ligne(lignes_[courante_ - 1]);
        double x = 0;
        if (v.size() != 1 || Lire_Nombre(v[0], x) != Nombre::Lu || x != std::floor(x) || x < 1 ||
            x > Capacite)
            return refus("le nombre de points doit être un entier de 1 à " +
                         std::to_string(Capacite) + ", pas « " + Citation(lignes_[courante_ - 1]) +
                         " »");
        n = static_cast<int>(x);
        return {};
    }

    Resultat point(double& x, double& y) {
        if (Resultat r = suivante(); !r) return r;
        const std::vector<std::string_view> v = Valeurs_Ligne(lignes_[courante_ - 1]);
        if (v.size() != 2 || Lire_Nombre(v[0], x) != Nombre::Lu ||
            Lire_Nombre(v[1], y) != Nombre::Lu)
            return refus("un point doit tenir en deux nombres, pas « " +
                         Citation(lignes_[courante_ - 1]) + " »");
        return {};
    }

    Resultat profil(ortix::Profil& p) {
        if (Resultat r = compte(p.n); !r) return r;
        if (Resultat r = texte(p.legende); !r) return r;
        for (std::size_t i = 0; i < static_cast<std::size_t>(p.n); ++i)
            if (Resultat r = point(p.x[i], p.y[i]); !r) return r;
        return {};
    }

  private:
    Resultat suivante() {
        ++courante_;
        if (courante_ <= lignes_.size()) return {};
        return refus("ligne manquante, le fichier s'arrête avant");
    }

    Resultat refus(const std::string& raison) const {
        return Resultat::Refus("Projet « " + Citation(nom_) + " » refusé, ligne " +
                               std::to_string(courante_) + " : " + raison + ".");
    }

    const std::vector<std::string>& lignes_;
    std::string nom_;
    std::size_t courante_ = 0;
};

} // namespace

std::string Nom_Projet_A_Ecrire(const std::string& nomProjet, const std::string& nomFichierTape) {
    if (nomProjet != NomParDefaut) return nomProjet;
    if (!Finit_Par(nomFichierTape, Extension)) return nomFichierTape;
    const std::string sansExtension =
        nomFichierTape.substr(0, nomFichierTape.size() - Extension.size());
    return sansExtension.empty() ? std::string(NomParDefaut) : sansExtension;
}

Resultat Sauve_Projet(const ortix::Modele& m, const std::filesystem::path& chemin,
                      const std::string& nomFichierTape) {
    if (Ligne_Vide(nomFichierTape))
        return Resultat::Refus("Aucun nom de fichier : le projet n'est pas enregistré.");
    // The typed name must name a file of the chosen folder and nothing else.
    if (Resultat r = Nom_De_Fichier_Accepte(nomFichierTape); !r) return r;
    for (Extremite e : {Extremite::Emplanture, Extremite::Saumon})
        if (!profilEcrivable(m, e))
            return Resultat::Refus(std::string("Le profil ") +
                                   (e == Extremite::Emplanture ? "d'emplanture" : "de saumon") +
                                   " n'a pas de 1 à 1000 points finis : le projet « " +
                                   Citation(nomFichierTape) + " » n'est pas enregistré.");
    // Saved as a project, so that "Charger un projet" lists it.
    std::filesystem::path fichier = chemin;
    if (!Finit_Par(nomFichierTape, Extension)) fichier += Extension;
    std::vector<std::string> lignes = {std::string(Titre) +
                                           " version " ORTIX_VERSION " - enregistré le " +
                                           plateforme::Date_Du_Jour(),
                                       Nom_Projet_A_Ecrire(m.Txt_Nom_proj, nomFichierTape)};
    for (const ChampParametre& champ : TableChamps)
        lignes.push_back(m.champs.*champ.texte);
    ajouterProfil(lignes, m, Extremite::Emplanture);
    ajouterProfil(lignes, m, Extremite::Saumon);
    return Ecrire_Lignes(fichier, lignes);
}

Resultat Lire_Projet(const std::filesystem::path& chemin, Projet& projet) {
    std::string octets;
    if (Resultat r = Lire_Fichier(chemin, octets); !r) return r;
    return Analyser_Projet(octets, Utf8_Depuis_Chemin(chemin.filename()), projet);
}

Resultat Analyser_Projet(std::string_view octets, const std::string& nomFichier, Projet& projet) {
    const std::vector<std::string> lignes = Decouper_Lignes(Decoder_Texte(octets));
    Lecteur l(lignes, nomFichier);
    Projet p;
    std::string titre;
    if (Resultat r = l.texte(titre); !r) return r;
    if (Resultat r = l.texte(p.nom); !r) return r;
    for (const ChampParametre& champ : TableChamps)
        if (Resultat r = l.texte(p.champs.*champ.texte); !r) return r;
    if (Resultat r = l.profil(p.empl); !r) return r;
    if (Resultat r = l.profil(p.saum); !r) return r;
    projet = std::move(p);
    return {};
}

void Appliquer_Projet(ortix::Modele& m, const Projet& projet) {
    m.Txt_Nom_proj = projet.nom;
    m.champs = projet.champs;
    m.Lbl_prof_empl = projet.empl.legende;
    m.Lbl_Prof_Saum = projet.saum.legende;
    Poser_Profil(m, Extremite::Emplanture, projet.empl);
    Poser_Profil(m, Extremite::Saumon, projet.saum);
    m.boutons.Bt_Calc = true;
    m.boutons.Bt_Save_Proj = true;
    m.boutons.Bt_Opt_Href_Saum = true;
}

} // namespace ortix::fichiers
