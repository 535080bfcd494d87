#include "OutilsFichiers.h"
#include "files/Reglages.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace ortix::fichiers {

void PrintTo(const Emplacement& e, std::ostream* os) {
    *os << '{' << (e.lecteur ? '"' + *e.lecteur + '"' : "absent") << ", "
        << (e.dossier ? '"' + *e.dossier + '"' : "absent") << '}';
}

namespace {

using essais::DossierNeuf; using essais::Contenu; using essais::Poser;

namespace fs = std::filesystem;

Reglages Exemple() {
    Reglages r;
    r.Charge_Proj = {"C: [Syst\xC3\xA8me]", "C:\\Projets, anciens"};
    r.Sauv_Proj = {"C: [Syst\xC3\xA8me]", "C:\\Projets"};
    r.Charge_Fichier = {"D:", "D:\\Profils\\\xC3\xA9t\xC3\xA9"};
    r.Sauv_Profil = {std::nullopt, "/home/moi/d\xC3\xA9" "coupe"};
    return r;
}

TEST(Ecrire_Reglages, QuatorzeLignesExactes) {
    const fs::path d = DossierNeuf("reglages");
    std::string erreur;
    ASSERT_TRUE(Ecrire_Reglages(d / "ortix.ini", Exemple(), "07/12/2025", erreur)) << erreur;
    EXPECT_EQ(Contenu(d / "ortix.ini"),
              "07/12/2025\r\n"
              "*** Repertoire de chargement des projets\r\n"
              "C: [Syst\xE8me]\r\n"
              "C:\\Projets, anciens\r\n"
              "*** Repertoire de sauvegarde des projets\r\n"
              "C: [Syst\xE8me]\r\n"
              "C:\\Projets\r\n"
              "*** Repertoire de chargement des profils\r\n"
              "D:\r\n"
              "D:\\Profils\\\xE9t\xE9\r\n"
              "*** Repertoire de sauvegarde des profils\r\n"
              "\r\n"
              "/home/moi/d\xE9" "coupe\r\n"
              "-=[ EOF ]=-\r\n");
}

TEST(Lire_Reglages, AllerRetourAvecVirguleEtAccents) {
    const fs::path d = DossierNeuf("reglages");
    std::string erreur;
    ASSERT_TRUE(Ecrire_Reglages(d / "ortix.ini", Exemple(), "07/12/2025", erreur)) << erreur;
    EXPECT_EQ(Lire_Reglages(d / "ortix.ini"), Exemple());
}

TEST(Lire_Reglages, FichierAbsentOuIllisible) {
    const fs::path d = DossierNeuf("reglages");
    EXPECT_EQ(Lire_Reglages(d / "absent.ini"), Reglages{});
    EXPECT_EQ(Lire_Reglages(d), Reglages{});
    Poser(d / "vide.ini", "");
    EXPECT_EQ(Lire_Reglages(d / "vide.ini"), Reglages{});
}

// A file cut after its n-th line gives what it holds, block by block.
TEST(Lire_Reglages, FichiersCourts) {
    const fs::path d = DossierNeuf("reglages");
    const std::string lignes[] = {"date", "h1", "L1", "D1", "h2", "L2", "D2",
                                  "h3",   "L3", "D3", "h4", "L4", "D4"};
    for (std::size_t n = 0; n <= 13; ++n) {
        std::string texte;
        for (std::size_t k = 0; k < n; ++k) texte += lignes[k] + "\n";
        Poser(d / "court.ini", texte);
        const Reglages r = Lire_Reglages(d / "court.ini");
        const auto attendu = [&](std::size_t numero) -> std::optional<std::string> {
            if (numero > n) return std::nullopt;
            return lignes[numero - 1];
        };
        SCOPED_TRACE(n);
        EXPECT_EQ(r.Charge_Proj, (Emplacement{attendu(3), attendu(4)}));
        EXPECT_EQ(r.Sauv_Proj, (Emplacement{attendu(6), attendu(7)}));
        EXPECT_EQ(r.Charge_Fichier, (Emplacement{attendu(9), attendu(10)}));
        EXPECT_EQ(r.Sauv_Profil, (Emplacement{attendu(12), attendu(13)}));
    }
}

TEST(Lire_Reglages, EntetesQuelconquesEtLignesEntieres) {
    const fs::path d = DossierNeuf("reglages");
    // Headers edited by hand, blanks kept, a Windows-1252 byte, lone CR line ends.
    Poser(d / "main.ini", "x\rN'importe quoi\r C:\r /dossier, avec virgule \r?\r\r"
                          "/b\r\r/c\xE9\r\rh4\rE:\r/e\r");
    const Reglages r = Lire_Reglages(d / "main.ini");
    EXPECT_EQ(r.Charge_Proj, (Emplacement{" C:", " /dossier, avec virgule "}));
    EXPECT_EQ(r.Sauv_Proj, (Emplacement{std::nullopt, "/b"}));
    EXPECT_EQ(r.Charge_Fichier, (Emplacement{"/c\xC3\xA9", std::nullopt}));
    EXPECT_EQ(r.Sauv_Profil, (Emplacement{"E:", "/e"}));
}

TEST(Ecrire_Reglages, EchecDitPourquoi) {
    const fs::path d = DossierNeuf("reglages");
    Poser(d / "fichier", "x");
    std::string erreur;
    EXPECT_FALSE(Ecrire_Reglages(d / "fichier" / "ortix.ini", Exemple(), "d", erreur));
    EXPECT_NE(erreur.find("ortix.ini"), std::string::npos) << erreur;
    EXPECT_EQ(Contenu(d / "fichier"), "x");
}

} // namespace
} // namespace ortix::fichiers
