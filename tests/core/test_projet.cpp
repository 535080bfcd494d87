#include "OutilsFichiers.h"
#include "files/FichierProfil.h"
#include "files/Projet.h"
#include "files/Texte.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace ortix::fichiers {
namespace {

using essais::DossierNeuf; using essais::Contenu;

namespace fs = std::filesystem;

const fs::path Donnees = ORTIX_TEST_DATA;

// The model the reference file was written from by hand.
Modele ModeleDeReference() {
    Modele m;
    Profils_Provisoires(m);
    m.Txt_Nom_proj = "Aile, test \xC3\xA9";
    m.champs.txt_prof_empl = "clarky.dat";
    m.champs.txt_prof_saum = "e205.dat";
    m.champs.txt_href_saum = "12.5";
    m.champs.txt_vril_saum2 = "-1.5";
    Profil r;
    r.legende = " CLARK Y AIRFOIL";
    r.n = 3;
    r.x = {1, 0.25, 0};
    r.y = {0.00126, -0.012345, 0};
    Profil s;
    s.legende = "E205  (10.48%)";
    s.n = 2;
    s.x = {1, 0.5};
    s.y = {0, 0.1234567};
    Appliquer_Profil(m, Extremite::Emplanture, m.champs.txt_prof_empl, r);
    Appliquer_Profil(m, Extremite::Saumon, m.champs.txt_prof_saum, s);
    return m;
}

TEST(Sauve_Projet, FichierDeReference) {
    const fs::path d = DossierNeuf("projet");
    std::string erreur;
    ASSERT_TRUE(Sauve_Projet(ModeleDeReference(), d / "Aile1.ortix", "Aile1.ortix", erreur))
        << erreur;
    const std::string obtenu = Contenu(d / "Aile1.ortix");
    const std::string attendu = Contenu(Donnees / "projets" / "reference.ortix");
    // Line 1 goes on with the version and the date: only its beginning is fixed.
    const std::size_t fin1 = obtenu.find("\r\n"), finAttendu1 = attendu.find("\r\n");
    ASSERT_NE(fin1, std::string::npos);
    const std::string ligne1 = obtenu.substr(0, fin1);
    EXPECT_TRUE(ligne1.starts_with(attendu.substr(0, finAttendu1))) << ligne1;
    EXPECT_EQ(ligne1.find(','), std::string::npos) << ligne1;
    EXPECT_EQ(obtenu.substr(fin1), attendu.substr(finAttendu1))
        << "fichier obtenu : " << (d / "Aile1.ortix");
}

TEST(Sauve_Projet, NomEnLigneDeux) {
    struct Cas {
        const char* nomProjet;
        const char* nomFichier;
        const char* ligne2;
    };
    const Cas cas[] = {
        {"Ortix", "Ortix.ortix", "Ortix"},
        {"Ortix", "Aile1.ortix", "Aile1"},
        {"Ortix", "Aile1.ORTIX", "Aile1"},
        {"Ortix", "Aile1.Ortix", "Aile1"},
        {"Ortix", "Aile1_b", "Aile1_b"},      // nothing to cut: the whole name
        {"Ortix", "a.ortix.bak", "a.ortix.bak"},
        {"Ortix", "ortix", "ortix"},
        {"Ortix", ".ortix", "Ortix"},         // nothing would remain
        {"Planeur", "Aile1.ortix", "Planeur"},
        {"ortix", "Aile1.ortix", "ortix"},    // the comparison is exact
        {"Ortix ", "Aile1.ortix", "Ortix "},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(Nom_Projet_A_Ecrire(c.nomProjet, c.nomFichier), c.ligne2)
            << c.nomProjet << " / " << c.nomFichier;

    // And in the file itself.
    const fs::path d = DossierNeuf("projet");
    Modele m = ModeleDeReference();
    m.Txt_Nom_proj = "Ortix";
    std::string erreur;
    ASSERT_TRUE(Sauve_Projet(m, d / "Aile1.ORTIX", "Aile1.ORTIX", erreur)) << erreur;
    std::vector<std::string> lignes;
    ASSERT_TRUE(LireLignes(d / "Aile1.ORTIX", lignes, erreur)) << erreur;
    ASSERT_GE(lignes.size(), 2u);
    EXPECT_EQ(lignes[1], "Aile1");
}

TEST(Sauve_Projet, NombreDeLignesEtComptes) {
    const fs::path d = DossierNeuf("projet");
    Modele m = ModeleDeReference();
    Profil p;
    p.n = 35;
    for (std::size_t i = 0; i < 35; ++i) p.x[i] = static_cast<double>(i) / 34;
    Poser_Profil(m, Extremite::Emplanture, p);
    std::string erreur;
    ASSERT_TRUE(Sauve_Projet(m, d / "p.ortix", "p.ortix", erreur)) << erreur;
    std::vector<std::string> lignes;
    ASSERT_TRUE(LireLignes(d / "p.ortix", lignes, erreur)) << erreur;
    ASSERT_EQ(lignes.size(), 16u + 35u + 2u);
    EXPECT_EQ(lignes[12], " 35 ");
    EXPECT_EQ(lignes[14 + 35], " 2 ");
    EXPECT_EQ(lignes[14 + 34], "1.000000  0.000000");
}

TEST(Sauve_Projet, RefusSansRienEcrire) {
    const fs::path d = DossierNeuf("projet");
    std::string erreur;
    for (const char* nom : {"", "   "}) {
        EXPECT_FALSE(Sauve_Projet(ModeleDeReference(), d / nom, nom, erreur));
        EXPECT_NE(erreur.find("Aucun nom de fichier"), std::string::npos) << erreur;
    }
    // A typed name that would leave the chosen folder.
    fs::create_directories(d / "dossier");
    for (const char* nom : {"../dehors.ortix", "sous/p.ortix", "..", "C:p.ortix"}) {
        EXPECT_FALSE(Sauve_Projet(ModeleDeReference(), d / "dossier" / nom, nom, erreur));
        EXPECT_NE(erreur.find(nom), std::string::npos) << erreur;
    }
    EXPECT_FALSE(fs::exists(d / "dehors.ortix"));
    EXPECT_TRUE(fs::is_empty(d / "dossier"));
    fs::remove(d / "dossier");
    Modele m = ModeleDeReference();
    m.Y_Saum(2) = std::nan("");
    EXPECT_FALSE(Sauve_Projet(m, d / "nan.ortix", "nan.ortix", erreur));
    EXPECT_NE(erreur.find("saumon"), std::string::npos) << erreur;
    m = ModeleDeReference();
    m.Nb_Pts_Empl = 0;
    EXPECT_FALSE(Sauve_Projet(m, d / "zero.ortix", "zero.ortix", erreur));
    EXPECT_NE(erreur.find("emplanture"), std::string::npos) << erreur;
    EXPECT_TRUE(fs::is_empty(d));
}

double Arrondi6(double v) { return std::round(v * 1e6) / 1e6; }

TEST(Charge_Projet, AllerRetourAvecDeVraisProfils) {
    const fs::path d = DossierNeuf("projet");
    Modele m;
    Profils_Provisoires(m);
    for (auto [e, nom] : {std::pair{Extremite::Emplanture, "clarky.dat"},
                          std::pair{Extremite::Saumon, "e205.dat"}}) {
        Profil p;
        std::string erreur;
        ASSERT_TRUE(Lire_Profil(Donnees / nom, nom, p, erreur)) << erreur;
        Appliquer_Profil(m, e, nom, p);
    }
    m.champs = {"412,5", " 300", "clarky.dat", "250.25", "-3", "2e1", "e205.dat", "99",
                "a b", "\xC3\xA9t\xC3\xA9"};
    m.Txt_Nom_proj = "Aile, la grande";
    std::string erreur;
    ASSERT_TRUE(Sauve_Projet(m, d / "aile.ortix", "aile.ortix", erreur)) << erreur;

    Modele relu;
    Profils_Provisoires(relu);
    ASSERT_TRUE(Charge_Projet(relu, d / "aile.ortix", erreur)) << erreur;
    Champs attendus = m.champs;
    attendus.txt_fleche = "300"; // the blanks before a value are not kept
    EXPECT_EQ(relu.champs, attendus);
    EXPECT_EQ(relu.Txt_Nom_proj, "Aile, la grande");
    // A display name, like every text value, comes back without the blanks before it.
    EXPECT_EQ(relu.Lbl_prof_empl, "CLARK Y AIRFOIL");
    EXPECT_EQ(relu.Lbl_Prof_Saum, "E205  (10.48%)");
    ASSERT_EQ(relu.Nb_Pts_Empl, 121);
    ASSERT_EQ(relu.Nb_Pts_Saum, 60);
    for (int i = 1; i <= 121; ++i) {
        EXPECT_NEAR(relu.X_Empl(i), Arrondi6(m.X_Empl(i)), 1e-12) << i;
        EXPECT_NEAR(relu.Y_Empl(i), Arrondi6(m.Y_Empl(i)), 1e-12) << i;
    }
    for (int i = 1; i <= 60; ++i) {
        EXPECT_NEAR(relu.X_Saum(i), Arrondi6(m.X_Saum(i)), 1e-12) << i;
        EXPECT_NEAR(relu.Y_Saum(i), Arrondi6(m.Y_Saum(i)), 1e-12) << i;
    }
    EXPECT_TRUE(relu.boutons.Bt_Calc && relu.boutons.Bt_Save_Proj &&
                relu.boutons.Bt_Opt_Href_Saum);
    EXPECT_FALSE(relu.boutons.Bt_Sauve_Prof);
}

TEST(Charge_Projet, FichierSouple) {
    Modele m;
    Profils_Provisoires(m);
    m.X_Empl(4) = 42;
    std::string erreur;
    ASSERT_TRUE(Charge_Projet(m, Donnees / "projets" / "souple.ortix", erreur)) << erreur;
    EXPECT_EQ(m.Txt_Nom_proj, "Aile \xC3\xA9");
    EXPECT_EQ(m.champs.Txt_Long, "400");
    EXPECT_EQ(m.champs.txt_prof_saum, "b.dat");
    EXPECT_EQ(m.Lbl_prof_empl, "Racine \xC3\xA0 blancs");
    EXPECT_EQ(m.Lbl_Prof_Saum, "Bout");
    EXPECT_EQ(m.Nb_Pts_Empl, 3);
    EXPECT_EQ(m.X_Empl(2), 0.5);
    EXPECT_EQ(m.Y_Empl(2), 0.1);
    EXPECT_EQ(m.X_Empl(4), 42); // beyond the count: left as it was
    EXPECT_EQ(m.Nb_Pts_Saum, 2);
    // Loading works even when the named airfoil files do not exist.
    EXPECT_FALSE(fs::exists(Donnees / "projets" / "a.dat"));
}

TEST(Charge_Projet, FichiersRefusesLaissentLeModele) {
    struct Cas {
        const char* nom;
        int ligne;
    };
    const Cas cas[] = {
        {"vide.ortix", 1},
        {"coupe_ligne_9.ortix", 9},
        {"compte_texte.ortix", 13},
        {"compte_zero.ortix", 13},
        {"compte_1001.ortix", 13},
        {"compte_decimal.ortix", 13},
        {"compte_deux_nombres.ortix", 13},
        {"point_un_nombre.ortix", 16},
        {"point_trois_nombres.ortix", 16},
        {"point_texte.ortix", 15},
        {"point_infini.ortix", 17},
        {"point_virgule_decimale.ortix", 16},
        {"point_vide.ortix", 16},
        {"points_manquants.ortix", 18},
        {"saumon_coupe.ortix", 21},
        {"saumon_compte_texte.ortix", 18},
    };
    Modele m = ModeleDeReference();
    const Modele avant = m;
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        std::string erreur;
        EXPECT_FALSE(Charge_Projet(m, Donnees / "projets_refuses" / c.nom, erreur));
        EXPECT_NE(erreur.find(std::string("« ") + c.nom + " »"), std::string::npos) << erreur;
        EXPECT_NE(erreur.find("ligne " + std::to_string(c.ligne) + " :"), std::string::npos)
            << erreur;
        EXPECT_TRUE(m == avant);
    }
    std::string erreur;
    EXPECT_FALSE(Charge_Projet(m, Donnees / "projets_refuses" / "absent.ortix", erreur));
    EXPECT_NE(erreur.find("absent.ortix"), std::string::npos) << erreur;
    EXPECT_TRUE(m == avant);
}

} // namespace
} // namespace ortix::fichiers
