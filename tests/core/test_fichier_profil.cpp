#include "files/FichierProfil.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace ortix::fichiers {
namespace {

namespace fs = std::filesystem;

const fs::path Donnees = ORTIX_TEST_DATA;

using Point = std::pair<double, double>;

Point Pt(const Profil& p, int i) { return {p.x[std::size_t(i - 1)], p.y[std::size_t(i - 1)]}; }

TEST(Lire_Profil, FichiersReels) {
    struct Cas {
        const char* nom;
        const char* legende;
        int n;
        Point premier, dernier;
    };
    const Cas cas[] = {
        {"clarky.dat", " CLARK Y AIRFOIL", 121, {1, 0}, {1, -0.0}},
        {"e205.dat", "E205  (10.48%)", 60, {1, 0}, {0.99651, -0.00003}},
        {"rg15.dat", "  RG-15 8.9%", 62, {1, 0}, {1, 0}},
        {"n0009sm.dat", "  NACA-0009 9.0% smoothed", 69, {1, 0}, {1, 0}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Profil p;
        std::string erreur;
        ASSERT_TRUE(Lire_Profil(Donnees / c.nom, c.nom, p, erreur)) << erreur;
        EXPECT_EQ(p.legende, c.legende);
        EXPECT_EQ(p.n, c.n);
        EXPECT_EQ(Pt(p, 1), c.premier);
        EXPECT_EQ(Pt(p, p.n), c.dernier);
    }
}

TEST(Lire_Profil, SecondPointDeClarkY) {
    Profil p;
    std::string erreur;
    ASSERT_TRUE(Lire_Profil(Donnees / "clarky.dat", "clarky.dat", p, erreur)) << erreur;
    EXPECT_EQ(Pt(p, 2), Point(0.99, 0.002969));
    EXPECT_EQ(Pt(p, 120), Point(0.99, -0.0009666));
}

// Upper and lower surfaces each from the leading edge, after a count line.
TEST(Lire_Profil, DispositionEnDeuxSurfaces) {
    Profil p;
    std::string erreur;
    ASSERT_TRUE(Lire_Profil(Donnees / "lednicer_2412.dat", "lednicer_2412.dat", p, erreur))
        << erreur;
    EXPECT_EQ(p.legende, "NACA 2412 (Lednicer layout)");
    ASSERT_EQ(p.n, 33); // 17 + 17, the shared leading edge once
    EXPECT_EQ(Pt(p, 1), Point(1.000084, 0.001257));  // upper trailing edge
    EXPECT_EQ(Pt(p, 2), Point(0.990563, 0.003230));
    EXPECT_EQ(Pt(p, 16), Point(0.007984, 0.017585));
    EXPECT_EQ(Pt(p, 17), Point(0, 0));               // leading edge
    EXPECT_EQ(Pt(p, 18), Point(0.011231, -0.015687)); // lower surface onwards
    EXPECT_EQ(Pt(p, 33), Point(0.999916, -0.001257));
}

struct CasTexte {
    const char* titre;
    const char* texte;
    const char* legende;
    std::vector<Point> points;
};

TEST(Analyser_Profil, TitreEtValeurs) {
    const CasTexte cas[] = {
        {"titre puis 1.00000", "Mon profil\n1.00000 0.00130\n0 0\n", "Mon profil",
         {{1, 0.0013}, {0, 0}}},
        {"sans titre", "1 0\n0 0\n1 0\n", "f.dat", {{1, 0}, {0, 0}, {1, 0}}},
        {"1.000000 sans titre", "1.000000 0\r\n0 0\r\n", "f.dat", {{1, 0}, {0, 0}}},
        {"0.99999 est un titre", "0.99999 0.00012\n1 0\n0 0\n", "0.99999 0.00012",
         {{1, 0}, {0, 0}}},
        {"1.00001 est un titre", "1.00001 0\n1 0\n", "1.00001 0", {{1, 0}}},
        {"1 m d'envergure est un titre", "1 m span\n1 0\n", "1 m span", {{1, 0}}},
        {"titre à blancs gardés", "   Titre  \t\n1 0\n", "   Titre  \t", {{1, 0}}},
        {"virgules", "T\n1.0,0.0\n0.5, 0.1\n", "T", {{1, 0}, {0.5, 0.1}}},
        {"point sur deux lignes", "T\n1.0\n0.0 0.5\n0.1\n", "T", {{1, 0}, {0.5, 0.1}}},
        {"deux points par ligne", "T\n1 0 0.5 0.1\n", "T", {{1, 0}, {0.5, 0.1}}},
        {"tabulations", "T\n1\t0\n\t.5\t-.5\n", "T", {{1, 0}, {0.5, -0.5}}},
        {"lignes vides et blancs", "\n\nT\n\n1 0  \n \t \n0 0\n\n\n", "T", {{1, 0}, {0, 0}}},
        {"CR seuls", "T\r1 0\r0 0", "T", {{1, 0}, {0, 0}}},
        {"signes et exposants", "T\n+1 -.0046700\n1e-1 2.5E-2\n", "T",
         {{1, -0.00467}, {0.1, 0.025}}},
        {"virgule décimale coupe le nombre", "T\n0,5 0,05\n", "T", {{0, 5}, {0, 5}}},
    };
    for (const CasTexte& c : cas) {
        SCOPED_TRACE(c.titre);
        Profil p;
        std::string erreur;
        ASSERT_TRUE(Analyser_Profil(c.texte, "f.dat", p, erreur)) << erreur;
        EXPECT_EQ(p.legende, c.legende);
        ASSERT_EQ(p.n, static_cast<int>(c.points.size()));
        for (int i = 1; i <= p.n; ++i) EXPECT_EQ(Pt(p, i), c.points[std::size_t(i - 1)]) << i;
    }
}

TEST(Analyser_Profil, DeuxSurfaces) {
    const CasTexte cas[] = {
        {"bord d'attaque commun", "L\n3. 3.\n\n0 0\n0.5 0.1\n1 0\n\n0 0\n0.5 -0.1\n1 0\n", "L",
         {{1, 0}, {0.5, 0.1}, {0, 0}, {0.5, -0.1}, {1, 0}}},
        {"bords d'attaque distincts", "L\n2 2\n0 0.01\n1 0\n0 -0.01\n1 0\n", "L",
         {{1, 0}, {0, 0.01}, {0, -0.01}, {1, 0}}},
        {"surfaces inégales", "L\n2.0 3.0\n0 0\n1 0\n0 0\n0.5 -0.1\n1 0\n", "L",
         {{1, 0}, {0, 0}, {0.5, -0.1}, {1, 0}}},
        // Counts that do not match what follows: an ordinary file.
        {"comptes faux", "L\n3. 3.\n0 0\n1 0\n", "L", {{3, 3}, {0, 0}, {1, 0}}},
        {"comptes non entiers", "L\n2.5 1.5\n0 0\n1 0\n0 0\n1 0\n", "L",
         {{2.5, 1.5}, {0, 0}, {1, 0}, {0, 0}, {1, 0}}},
    };
    for (const CasTexte& c : cas) {
        SCOPED_TRACE(c.titre);
        Profil p;
        std::string erreur;
        ASSERT_TRUE(Analyser_Profil(c.texte, "f.dat", p, erreur)) << erreur;
        EXPECT_EQ(p.legende, c.legende);
        ASSERT_EQ(p.n, static_cast<int>(c.points.size()));
        for (int i = 1; i <= p.n; ++i) EXPECT_EQ(Pt(p, i), c.points[std::size_t(i - 1)]) << i;
    }
}

// Each refused file leaves the airfoil as it was, with a message naming the
// file and saying why (and where).
TEST(Lire_Profil, FichiersRefuses) {
    struct Cas {
        const char* nom;
        std::vector<const char*> morceaux;
    };
    const Cas cas[] = {
        {"vide.dat", {"vide.dat", "aucun point"}},
        {"titre_seul.dat", {"titre_seul.dat", "aucun point"}},
        {"texte.dat", {"texte.dat", "ligne 4", "« abc »", "n'est pas un nombre"}},
        {"impair.dat", {"impair.dat", "ligne 5", "impair"}},
        {"infini.dat", {"infini.dat", "ligne 3", "1e999", "limites"}},
        {"trop_de_points.dat", {"trop_de_points.dat", "1001 points", "1000"}},
        {"absent.dat", {"absent.dat", "introuvable"}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Profil p;
        p.legende = "avant";
        p.n = 2;
        p.x[0] = 7;
        std::string erreur;
        EXPECT_FALSE(Lire_Profil(Donnees / "profils_refuses" / c.nom, c.nom, p, erreur));
        for (const char* m : c.morceaux) EXPECT_NE(erreur.find(m), std::string::npos) << erreur;
        EXPECT_EQ(p.legende, "avant");
        EXPECT_EQ(p.n, 2);
        EXPECT_EQ(p.x[0], 7);
    }
}

TEST(Analyser_Profil, ValeursRefusees) {
    const char* cas[] = {
        "T\n1 0\n0 nan\n", "T\n1 0\n0 inf\n",  "T\n1 0\n0 1e-999\n", "T\n1 0\n0 0x10\n",
        "T\n1 0\n0 1e\n",  "T\n1 0\n0 1.0d0\n", "T\n1 0\n0 --1\n",   "T\n1 0\n0 \"1\"\n",
        "T\n1 0\n0 1;\n",  "1 0\n0\n",          "1 0\n0 1e999",
    };
    for (const char* texte : cas) {
        Profil p;
        std::string erreur;
        EXPECT_FALSE(Analyser_Profil(texte, "f.dat", p, erreur)) << texte;
        EXPECT_NE(erreur.find("f.dat"), std::string::npos) << erreur;
        EXPECT_EQ(p.n, 0);
    }
}

TEST(Analyser_Profil, MilleEtMilleUnPoints) {
    std::string texte = "T\n";
    for (int i = 0; i < 1000; ++i) texte += "0.5 0.25\n";
    Profil p;
    std::string erreur;
    ASSERT_TRUE(Analyser_Profil(texte, "f.dat", p, erreur)) << erreur;
    EXPECT_EQ(p.n, 1000);
    EXPECT_EQ(Pt(p, 1000), Point(0.5, 0.25));
    EXPECT_FALSE(Analyser_Profil(texte + "0 0\n", "f.dat", p, erreur));
    EXPECT_NE(erreur.find("1001 points"), std::string::npos) << erreur;
    EXPECT_EQ(p.n, 1000);
}

TEST(Appliquer_Profil, ChampsLegendeTableauxEtBoutons) {
    Modele m;
    Profils_Provisoires(m);
    Profil p;
    p.legende = " CLARK Y";
    p.n = 2;
    p.x[0] = 1, p.y[0] = 0.5, p.x[1] = 0, p.y[1] = -0.5;
    const Modele avant = m;

    // The root first: the tip is still unchosen, nothing is enabled.
    Appliquer_Profil(m, Extremite::Emplanture, "clarky.dat", p);
    EXPECT_EQ(m.champs.txt_prof_empl, "clarky.dat");
    EXPECT_EQ(m.Lbl_prof_empl, " CLARK Y");
    EXPECT_EQ(m.Nb_Pts_Empl, 2);
    EXPECT_EQ(m.X_Empl(1), 1);
    EXPECT_EQ(m.Y_Empl(2), -0.5);
    EXPECT_EQ(m.X_Empl(3), 1); // beyond the counter: the placeholder's point stays
    EXPECT_EQ(m.boutons, avant.boutons);
    EXPECT_EQ(m.Nb_Pts_Saum, avant.Nb_Pts_Saum);
    EXPECT_EQ(m.Lbl_Prof_Saum, avant.Lbl_Prof_Saum);

    // The root again: still nothing.
    Appliquer_Profil(m, Extremite::Emplanture, "clarky.dat", p);
    EXPECT_EQ(m.boutons, avant.boutons);

    // Then the tip: the three buttons, and never the profile saving.
    Appliquer_Profil(m, Extremite::Saumon, "e205.dat", p);
    EXPECT_EQ(m.champs.txt_prof_saum, "e205.dat");
    EXPECT_EQ(m.Lbl_Prof_Saum, " CLARK Y");
    EXPECT_TRUE(m.boutons.Bt_Calc);
    EXPECT_TRUE(m.boutons.Bt_Save_Proj);
    EXPECT_TRUE(m.boutons.Bt_Opt_Href_Saum);
    EXPECT_FALSE(m.boutons.Bt_Sauve_Prof);
}

TEST(Appliquer_Profil, LeSaumonDAbordActiveAuSecondChoix) {
    Modele m;
    Profils_Provisoires(m);
    Profil p;
    p.n = 1;
    Appliquer_Profil(m, Extremite::Saumon, "a.dat", p);
    EXPECT_FALSE(m.boutons.Bt_Calc);
    Appliquer_Profil(m, Extremite::Emplanture, "b.dat", p);
    EXPECT_TRUE(m.boutons.Bt_Calc && m.boutons.Bt_Save_Proj && m.boutons.Bt_Opt_Href_Saum);
}

} // namespace
} // namespace ortix::fichiers
