// The readers of what users give: airfoil files, from the table
// tests/data/profils/attendus.txt (each file and what reading it gives), and the
// settings file, which never refuses.
#include "files/CommandeFenetre.h"
#include "files/FichierProfil.h"
#include "files/NomsDeFichiers.h"
#include "files/Projet.h"
#include "files/Reglages.h"
#include "files/Sortie.h"
#include "geometry/Apercu.h"
#include "model/Nombres.h"
#include "tests/support/Support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ortix::essais {
namespace {

using namespace fichiers;

// What reading an airfoil file gives, in one line: the refusal's message, or the
// count and thickness as the chooser shows them, the legend and the first and
// last points.
std::string Lecture(const std::string& nom) {
    Profil p;
    const Resultat r = Lire_Profil(Donnee("profils/" + nom), nom, p);
    if (!r) return r.message();
    auto point = [&](int i) {
        const auto k = static_cast<std::size_t>(i);
        return "(" + Format(p.x[k], "#0.000000") + " " + Format(p.y[k], "#0.000000") + ")";
    };
    return Resume_Profil(p) + ", « " + p.legende + " », " + point(0) + " … " + point(p.n - 1);
}

TEST(Lectures, ProfilsDeLaTable) {
    std::istringstream table(Contenu(Donnee("profils/attendus.txt")));
    int n = 0;
    for (std::string ligne; std::getline(table, ligne);) {
        const std::size_t barre = ligne.find('|');
        if (ligne.empty() || ligne[0] == '#' || barre == std::string::npos) continue;
        EXPECT_EQ(Lecture(ligne.substr(0, barre)), ligne.substr(barre + 1));
        ++n;
    }
    EXPECT_GT(n, 10);
}

// tests/data/noms.txt: the names of files the program writes, accepted or not.
TEST(Lectures, NomsDeFichiers) {
    std::istringstream table(Contenu(Donnee("noms.txt")));
    int n = 0;
    for (std::string ligne; std::getline(table, ligne);) {
        const std::size_t barre = ligne.starts_with("projet|") ? ligne.rfind('|') : ligne.find('|');
        if (ligne.empty() || ligne[0] == '#' || barre == std::string::npos) continue;
        if (ligne.starts_with("projet|")) {
            const std::size_t b1 = ligne.find('|', 7);
            EXPECT_EQ(
                Nom_Projet_A_Ecrire(ligne.substr(7, b1 - 7), ligne.substr(b1 + 1, barre - b1 - 1)),
                ligne.substr(barre + 1));
            continue;
        }
        std::string nom;
        for (std::size_t i = 0; i < barre; ++i)
            if (ligne.compare(i, 2, "\\x") == 0) {
                nom += static_cast<char>(std::stoi(ligne.substr(i + 2, 2), nullptr, 16));
                i += 3;
            } else {
                nom += ligne[i];
            }
        const Resultat r = Nom_De_Fichier_Accepte(nom);
        EXPECT_EQ(r ? "accepté" : r.message(), ligne.substr(barre + 1)) << ligne;
        ++n;
    }
    EXPECT_GT(n, 10);
}

// The window's command line: "extra arguments are refused with a French usage
// line rather than ignored", and "ortix \"\" says that the name is empty".
TEST(Lectures, CommandeDeLaFenetre) {
    const std::pair<std::vector<std::string>, std::string> cas[] = {
        {{"ortix", "--", "-x.ortix"}, "-x.ortix"},
        {{"ortix", "a.ortix", "--help"}, "aide"},
        {{"ortix", "--version"}, "version"},
        {{"ortix", "a.ortix", "b"}, "un seul projet, pas « b » en plus de « a.ortix »."},
        {{"ortix", "-x"}, "option inconnue : « -x »."},
        {{"ortix", ""}, "le nom du fichier projet est vide."}};
    for (const auto& [arguments, attendu] : cas) {
        CommandeFenetre c;
        const Resultat r = Lire_Commande_Fenetre(arguments, c);
        using D = CommandeFenetre::Demande;
        const bool dit = r.message().find(attendu) != std::string::npos;
        EXPECT_EQ(!r                        ? (dit ? attendu : r.message())
                  : c.demande == D::Aide    ? "aide"
                  : c.demande == D::Version ? "version"
                                            : c.projet.value_or(""),
                  attendu);
    }
}

// Lines are taken whole by position; a short file gives what it holds.
TEST(Lectures, Reglages) {
    const fs::path ini = Dossier_Neuf("lectures") / "ortix.ini";
    Poser(ini, "date\r\nen-tête\r\nC:\r\nC:\\Projets, 2024\r\nen-tête\r\n\r\n/maison\r\nen-tête\r\n"
               "D: [Données]\r\n");
    const Reglages r = Lire_Reglages(ini);
    EXPECT_EQ(r[ChargementProjet], (Emplacement{"C:", "C:\\Projets, 2024"}));
    EXPECT_EQ(r[SauvegardeProjet], (Emplacement{std::nullopt, "/maison"}));
    EXPECT_EQ(r[ChoixProfil], (Emplacement{"D: [Données]", std::nullopt}));
    EXPECT_EQ(r[SauvegardeProfils], Emplacement{});
}

} // namespace
} // namespace ortix::essais
