#include "OutilsFichiers.h"
#include "files/FichierProfil.h"
#include "files/Sortie.h"
#include "files/Texte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace ortix::fichiers {
namespace {

using essais::DossierNeuf; using essais::Contenu; using essais::Poser; using essais::Noms;

namespace fs = std::filesystem;

const double Infini = std::numeric_limits<double>::infinity();
const double PasUnNombre = std::numeric_limits<double>::quiet_NaN();

// ---- remp_virg_point --------------------------------------------------------

TEST(remp_virg_point, SixiemeCaractereDepuisLaFin) {
    const std::pair<std::string, std::string> cas[] = {
        {"-0,01234", "-0.01234"},
        {"0.25000", "0.25000"},
        {"0,25000", "0.25000"},
        {"12345,00001", "12345.00001"},
        {"x12345", ".12345"},   // exactly six: nothing before the separator
        {"12345", "12345"},     // too short: unchanged
        {"", ""},
    };
    for (const auto& [entree, attendu] : cas) EXPECT_EQ(remp_virg_point(entree), attendu) << entree;
}

// ---- Propose_Noms -------------------------------------------------------------

Finals Finaux(std::string he, std::string ve, std::string hs, std::string vs) {
    Finals f;
    f.Txt_Href_Empl_final = std::move(he);
    f.Txt_Vrill_Empl_Final = std::move(ve);
    f.Txt_Href_Saum_final = std::move(hs);
    f.Txt_Vrill_Saum_Final = std::move(vs);
    return f;
}

TEST(Propose_Noms, Tableau) {
    struct Cas {
        const char* titre;
        const char* P;
        const char* corde;
        const char* longueur;
        Finals finals;
        const char* empl;
        const char* saum;
    };
    const Cas cas[] = {
        {"exemple", "P", "398.52", "597.36", Finaux("12.30", "-1.50", "-4.75", "2.25"),
         "P_Empl_C398.5_H12.3_L0.0_V-1.5.dat", "P_Saum_C398.5_H-4.8_L597.4_V2.3.dat"},
        {"zéro sans chiffre avant le point", "Aile1", "0", "0.5", Finaux("0", "0.00", "-0.04", ".04"),
         "Aile1_Empl_C.0_H.0_L0.0_V.0.dat", "Aile1_Saum_C.0_H.0_L.5_V.0.dat"},
        {"jamais calculés", "Ortix", "---", "---", Finals{},
         "Ortix_Empl_C.0_H.0_L0.0_V.0.dat", "Ortix_Saum_C.0_H.0_L.0_V.0.dat"},
        {"trop grand pour un double", "A", "1e999", "-1e999", Finaux("1e999", "0", "0", "0"),
         "A_Empl_C---_H---_L0.0_V.0.dat", "A_Saum_C---_H.0_L---_V.0.dat"},
        {"virgule et blancs", "Mon aile", " 12,5", "1 0 0", Finaux("-0.05", "-0.049", "99.95", "0.45"),
         "Mon aile_Empl_C12.0_H-.1_L0.0_V.0.dat", "Mon aile_Saum_C12.0_H100.0_L100.0_V.5.dat"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.titre);
        const NomsProposes n = Propose_Noms(c.P, c.corde, c.longueur, c.finals);
        EXPECT_EQ(n.Txt_Nom_Fich_Empl, c.empl);
        EXPECT_EQ(n.Txt_Nom_Fich_Saum, c.saum);
        EXPECT_EQ(n.Txt_Nom_Fich_Data, std::string(c.P) + "_Data_Troncon.txt");
    }
}

// ---- NomDeFichierAccepte ----------------------------------------------------

TEST(NomDeFichierAccepte, Acceptes) {
    const std::string noms[] = {
        "Aile é_Empl_C301.0_H12.3_L0.0_V-1.5.dat", "naïve ça.dat", "Ortix_Data_Troncon.txt",
        "A_Empl_C---_H---_L0.0_V.0.dat", ".cache", "...", " blanc devant", "sans extension",
    };
    for (const std::string& nom : noms) {
        std::string erreur;
        EXPECT_TRUE(NomDeFichierAccepte(nom, erreur)) << nom << " : " << erreur;
    }
}

TEST(NomDeFichierAccepte, Refuses) {
    struct Cas {
        std::string nom;
        const char* montre;  // the name as the message shows it
        const char* raison;
    };
    const Cas cas[] = {
        {"../../evil_Empl_C398.5_H12.3_L0.0_V-1.5.dat", "../../evil_Empl_C398.5_H12.3_L0.0_V-1.5.dat",
         "séparateur de dossier"},
        {"a/b", "a/b", "séparateur de dossier"},
        {"a\\b", "a\\b", "séparateur de dossier"},
        {"\\\\serveur\\partage\\p.dat", "\\\\serveur\\partage\\p.dat", "séparateur de dossier"},
        {"/etc/passwd", "/etc/passwd", "séparateur de dossier"},
        {".", ".", "dossier"},
        {"..", "..", "dossier"},
        {"C:x", "C:x", "« : »"},
        {"C:", "C:", "« : »"},
        {"p.dat:flux", "p.dat:flux", "« : »"},
        {std::string("a\0b.dat", 7), "a?b.dat", "caractère de contrôle"},
        {"a\tb", "a?b", "caractère de contrôle"},
        {"a\r\nb", "a??b", "caractère de contrôle"},
        {"a\x7F", "a?", "caractère de contrôle"},
        {"a\xC2\x85z", "a?z", "caractère de contrôle"},  // NEL, a C1 control
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.montre);
        std::string erreur;
        EXPECT_FALSE(NomDeFichierAccepte(c.nom, erreur));
        EXPECT_NE(erreur.find(std::string("Nom de fichier refusé : \"") + c.montre + "\""),
                  std::string::npos) << erreur;
        EXPECT_NE(erreur.find(c.raison), std::string::npos) << erreur;
    }
    std::string erreur;
    EXPECT_FALSE(NomDeFichierAccepte("", erreur));
    EXPECT_EQ(erreur, "Nom de fichier refusé : le nom est vide.");
    EXPECT_FALSE(NomDeFichierAccepte("../../evil_Data_Troncon.txt", erreur));
    EXPECT_EQ(erreur, "Nom de fichier refusé : \"../../evil_Data_Troncon.txt\" contient un "
                      "séparateur de dossier.");
}

TEST(Chemin_Sortie, JointOuRefuse) {
    const fs::path dossier = CheminDepuisUtf8("/tmp/profils");
    fs::path chemin = "inchangé";
    std::string erreur;
    ASSERT_TRUE(Chemin_Sortie(dossier, "Aile é.dat", chemin, erreur)) << erreur;
    EXPECT_EQ(chemin, dossier / CheminDepuisUtf8("Aile é.dat"));
    EXPECT_EQ(chemin.parent_path(), dossier);

    chemin = "inchangé";
    EXPECT_FALSE(Chemin_Sortie(dossier, "../evil.dat", chemin, erreur));
    EXPECT_EQ(chemin, fs::path("inchangé"));
    EXPECT_NE(erreur.find("../evil.dat"), std::string::npos);
}

// ---- a small hand-built model --------------------------------------------------
//
// Root: leading edge at X = 0, trailing edge at X = -200, so c = 200, h = 12.30.
// Tip: leading edge at X = -10, trailing edge at X = -110, so c = 100, h = -4.75.
// Each profile is normalised by its own extent, whatever the final chord text says.

struct Pt {
    double X, Y;
};

const Pt Racine[] = {
    {-200, 12.3},   // trailing edge on the base line: 1.00000 0.00000
    {-100, 20.3},   // 0.50000, 8 / 200 = 0.04000
    {-0.009, 12.3}, // 0.009 / 200 = 0.000045, a half: away from zero, 0.00005
    {0, 12.3},      // leading edge: 0.00000 0.00000
    {-50, 9.832},   // 0.25000, -2.468 / 200 = -0.01234 (below the base line)
    {-200, 11.3},   // 1.00000, -1 / 200 = -0.00500
};
const Pt Bout[] = {
    {-110, -4.75},   // 1.00000 0.00000
    {-60, -2.5},     // 0.50000, 2.25 / 100 = 0.02250
    {-10, -4.75},    // leading edge away from X = 0: 0.00000 0.00000
    {-85, -4.7525},  // 0.75000, -0.0025 / 100 = -0.000025 rounded to -0.00003
    {-60, -7},       // 0.50000 -0.02250
    {-110, -4.75},   // 1.00000 0.00000
};

template <std::size_t N>
void Remplir(Tableau& X, Tableau& Y, std::int16_t& n, const Pt (&points)[N]) {
    n = static_cast<std::int16_t>(N);
    for (std::size_t i = 0; i < N; ++i) {
        X(static_cast<int>(i + 1)) = points[i].X;
        Y(static_cast<int>(i + 1)) = points[i].Y;
    }
}

Modele ModeleDEssai() {
    Modele m;
    m.champs.txt_prof_empl = "clarky.dat";
    m.champs.txt_prof_saum = "naca_réduit.dat";
    m.finals.Txt_Lg_Final = "597.36";
    m.finals.Txt_Fleche_Final = "0.00";
    m.finals.Txt_Corde_Final = "301.03";
    m.finals.Txt_Href_Empl_final = "12.30";
    m.finals.Txt_Vrill_Empl_Final = "-1.50";
    m.finals.Txt_Href_Saum_final = "-4.75";
    m.finals.Txt_Vrill_Saum_Final = "2.25";
    Remplir(m.X_Empl_Proj, m.Y_Empl_Proj, m.Nb_Pts_Empl_Proj, Racine);
    Remplir(m.X_Saum_Proj, m.Y_Saum_Proj, m.Nb_Pts_Saum_Proj, Bout);
    // Entries beyond the counters hold leftovers from a longer computation.
    m.X_Empl_Proj(7) = 1000;
    m.Y_Empl_Proj(7) = PasUnNombre;
    m.X_Saum_Proj(7) = -5000;
    return m;
}

NomsProposes NomsDEssai(const Modele& m) {
    return Propose_Noms("Aile é", m.finals.Txt_Corde_Final, m.finals.Txt_Lg_Final, m.finals);
}

struct Chemins {
    fs::path empl, saum, data;
};

Chemins CheminsDans(const fs::path& dossier, const NomsProposes& n) {
    Chemins c;
    std::string erreur;
    EXPECT_TRUE(Chemin_Sortie(dossier, n.Txt_Nom_Fich_Empl, c.empl, erreur)) << erreur;
    EXPECT_TRUE(Chemin_Sortie(dossier, n.Txt_Nom_Fich_Saum, c.saum, erreur)) << erreur;
    EXPECT_TRUE(Chemin_Sortie(dossier, n.Txt_Nom_Fich_Data, c.data, erreur)) << erreur;
    return c;
}

bool Sauver(const Modele& m, const Chemins& c, const NomsProposes& n, std::string& erreur) {
    return Sauve_Fichiers(m, c.empl, c.saum, c.data, n.Txt_Nom_Fich_Empl, n.Txt_Nom_Fich_Saum,
                          erreur);
}

// ---- golden files --------------------------------------------------------------

// The reference bytes. The data file's first line carries the program's version,
// written "@ORTIX_VERSION@" in the reference so that a new version does not
// change it.
std::string Temoin(const std::string& nom) {
    std::string octets = Contenu(fs::path(ORTIX_TEST_DATA) / "golden" / nom);
    const std::string marque = "@ORTIX_VERSION@";
    if (const auto p = octets.find(marque); p != std::string::npos)
        octets.replace(p, marque.size(), ORTIX_VERSION);
    return octets;
}

std::string Lisible(const std::string& s) {
    std::string r;
    for (char c : s) {
        const auto o = static_cast<unsigned char>(c);
        if (c == '\r') r += "\\r";
        else if (c == '\n') r += "\\n";
        else if (o >= 0x20 && o < 0x7F) r += c;
        else {
            char t[8];
            std::snprintf(t, sizeof t, "\\x%02X", o);
            r += t;
        }
    }
    return r;
}

// Compares a written file with its reference; on a difference keeps both under
// the output folder and shows the first line that differs.
void ComparerAuTemoin(const fs::path& ecrit, const std::string& nomTemoin) {
    const std::string attendu = Temoin(nomTemoin);
    ASSERT_FALSE(attendu.empty()) << "reference missing: " << nomTemoin;
    const std::string obtenu = Contenu(ecrit);
    if (obtenu == attendu) return;

    const fs::path garde = fs::path(ORTIX_TEST_OUT) / "sortie" / "differences";
    fs::create_directories(garde);
    Poser(garde / (nomTemoin + ".obtenu"), obtenu);
    Poser(garde / (nomTemoin + ".attendu"), attendu);

    const auto ecart = std::mismatch(attendu.begin(), attendu.end(), obtenu.begin(), obtenu.end());
    const auto octet = static_cast<std::size_t>(ecart.first - attendu.begin());
    const std::size_t debut = attendu.rfind('\n', octet == 0 ? 0 : octet - 1);
    const std::size_t d = debut == std::string::npos || octet == 0 ? 0 : debut + 1;
    const auto ligne = [&](const std::string& s) {
        const std::size_t f = s.find('\n', d);
        return d >= s.size()
                   ? std::string("(end of file)")
                   : "\"" + Lisible(s.substr(d, f == std::string::npos ? f : f + 1 - d)) + "\"";
    };
    ADD_FAILURE() << nomTemoin << " differs from its reference at byte " << octet << ", line "
                  << std::count(attendu.begin(), attendu.begin() + static_cast<long>(d), '\n') + 1
                  << "\n  expected: " << ligne(attendu) << "\n  actual:   " << ligne(obtenu)
                  << "\n  compare: diff <(xxd " << Utf8DepuisChemin(garde / (nomTemoin + ".attendu"))
                  << ") <(xxd " << Utf8DepuisChemin(garde / (nomTemoin + ".obtenu")) << ")";
}

TEST(Sauve_Fichiers, TroisFichiersConformesAuxTemoins) {
    const fs::path dossier = DossierNeuf("sortie");
    const Modele m = ModeleDEssai();
    const NomsProposes n = NomsDEssai(m);
    ASSERT_EQ(n.Txt_Nom_Fich_Empl, "Aile é_Empl_C301.0_H12.3_L0.0_V-1.5.dat");
    ASSERT_EQ(n.Txt_Nom_Fich_Saum, "Aile é_Saum_C301.0_H-4.8_L597.4_V2.3.dat");
    const Chemins c = CheminsDans(dossier, n);
    std::string erreur;
    ASSERT_TRUE(Sauver(m, c, n, erreur)) << erreur;

    ComparerAuTemoin(c.data, "sortie_Data_Troncon.txt");
    ComparerAuTemoin(c.empl, "sortie_emplanture.dat");
    ComparerAuTemoin(c.saum, "sortie_saumon.dat");
    EXPECT_EQ(Noms(dossier),
              (std::vector<std::string>{n.Txt_Nom_Fich_Data, n.Txt_Nom_Fich_Empl, n.Txt_Nom_Fich_Saum}));
}

TEST(Lignes_Donnees, PremiereLigneEtAttribution) {
    const Modele m = ModeleDEssai();
    const std::vector<std::string> l = Lignes_Donnees(m, "e.dat", "s.dat");
    ASSERT_EQ(l.size(), 14u);
    EXPECT_TRUE(l[0].starts_with("Profils généré par le programme Ortix")) << l[0];
    EXPECT_NE(l[0].find(ORTIX_VERSION), std::string::npos) << l[0];
}

// A written profile file is an airfoil file the program reads back: the title as
// legend, then the points.
TEST(Sauve_Fichiers, ProfilsRelusCommeProfils) {
    const fs::path dossier = DossierNeuf("sortie");
    const Modele m = ModeleDEssai();
    const NomsProposes n = NomsDEssai(m);
    const Chemins c = CheminsDans(dossier, n);
    std::string erreur;
    ASSERT_TRUE(Sauver(m, c, n, erreur)) << erreur;

    struct Cas {
        fs::path chemin;
        const char* legende;
        std::vector<std::pair<double, double>> points;
    };
    const Cas cas[] = {
        {c.empl, "Emplanture base clarky.dat - Corde 301.03mm - Href 12.30mm - Vrillage -1.50deg",
         {{1, 0}, {0.5, 0.04}, {0.00005, 0}, {0, 0}, {0.25, -0.01234}, {1, -0.005}}},
        {c.saum,
         "Saumon base naca_réduit.dat - Corde 301.03mm - Href -4.75mm - Longueur 597.36mm - "
         "Vrillage 2.25deg",
         {{1, 0}, {0.5, 0.0225}, {0, 0}, {0.75, -0.00003}, {0.5, -0.0225}, {1, 0}}},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.legende);
        Profil p;
        ASSERT_TRUE(Lire_Profil(k.chemin, Utf8DepuisChemin(k.chemin.filename()), p, erreur)) << erreur;
        EXPECT_EQ(p.legende, k.legende);
        ASSERT_EQ(p.n, static_cast<int>(k.points.size()));
        for (int i = 1; i <= p.n; ++i) {
            EXPECT_EQ(p.x[std::size_t(i - 1)], k.points[std::size_t(i - 1)].first) << i;
            EXPECT_EQ(p.y[std::size_t(i - 1)], k.points[std::size_t(i - 1)].second) << i;
        }
    }
}

// ---- refusals --------------------------------------------------------------------

TEST(Sauve_Fichiers, ProfilNonNormalisableNEcritRien) {
    struct Cas {
        const char* titre;
        void (*abimer)(Modele&);
        const char* morceaux[2];
    };
    const Cas cas[] = {
        {"racine sur une seule abscisse",
         [](Modele& m) { for (int i = 1; i <= m.Nb_Pts_Empl_Proj; ++i) m.X_Empl_Proj(i) = -42.5; },
         {"Profil d'emplanture", "tous les points ont la même abscisse : le profil ne peut pas être normalisé"}},
        {"bout sur une seule abscisse",
         [](Modele& m) { for (int i = 1; i <= m.Nb_Pts_Saum_Proj; ++i) m.X_Saum_Proj(i) = 7; },
         {"Profil de saumon", "tous les points ont la même abscisse"}},
        {"un seul point", [](Modele& m) { m.Nb_Pts_Saum_Proj = 1; },
         {"Profil de saumon", "même abscisse"}},
        {"aucun point", [](Modele& m) { m.Nb_Pts_Empl_Proj = 0; },
         {"Profil d'emplanture", "aucun point"}},
        {"compteur négatif", [](Modele& m) { m.Nb_Pts_Saum_Proj = -3; },
         {"Profil de saumon", "aucun point"}},
        {"compteur au-delà de la capacité", [](Modele& m) { m.Nb_Pts_Empl_Proj = 1001; },
         {"Profil d'emplanture", "1000 points"}},
        {"hauteur non numérique", [](Modele& m) { m.Y_Empl_Proj(5) = PasUnNombre; },
         {"Profil d'emplanture", "point 5"}},
        {"abscisse infinie", [](Modele& m) { m.X_Saum_Proj(2) = Infini; },
         {"Profil de saumon", "l'étendue du profil n'est pas un nombre fini"}},
        {"ordonnée infinie", [](Modele& m) { m.Y_Saum_Proj(2) = Infini; },
         {"Profil de saumon", "pas des coordonnées finies"}},
        {"étendue minuscule : y déborde",
         [](Modele& m) {
             for (int i = 1; i <= m.Nb_Pts_Saum_Proj; ++i) m.X_Saum_Proj(i) = 0;
             m.X_Saum_Proj(1) = -1e-310;  // c = 1e-310, 2.25 / c overflows
         },
         {"Profil de saumon", "point 2"}},
        {"hauteur de référence trop grande", [](Modele& m) { m.finals.Txt_Href_Empl_final = "1e999"; },
         {"Profil d'emplanture", "hauteur de référence finale"}},
    };
    for (const Cas& k : cas) {
        SCOPED_TRACE(k.titre);
        const fs::path dossier = DossierNeuf("sortie");
        Modele m = ModeleDEssai();
        k.abimer(m);
        const NomsProposes n = NomsDEssai(m);
        const Chemins c = CheminsDans(dossier, n);
        std::string erreur;
        EXPECT_FALSE(Sauver(m, c, n, erreur));
        for (const char* morceau : k.morceaux)
            EXPECT_NE(erreur.find(morceau), std::string::npos) << erreur;
        EXPECT_NE(erreur.find("Aucun fichier n'a été écrit."), std::string::npos) << erreur;
        EXPECT_TRUE(Noms(dossier).empty());
    }
}

TEST(Lignes_Profil, RefusLaisseLesLignes) {
    Modele m = ModeleDEssai();
    m.X_Empl_Proj(3) = PasUnNombre;
    std::vector<std::string> lignes{"avant"};
    std::string erreur;
    EXPECT_FALSE(Lignes_Profil(m, Extremite::Emplanture, lignes, erreur));
    EXPECT_EQ(lignes, std::vector<std::string>{"avant"});
    EXPECT_EQ(erreur.find("nan"), std::string::npos) << erreur;
}

TEST(Normaliser, ValeursEtRefusSansToucherAuxSorties) {
    const Modele m = ModeleDEssai();
    std::vector<double> x, y;
    ASSERT_TRUE(Normaliser(m.X_Empl_Proj, m.Y_Empl_Proj, m.Nb_Pts_Empl_Proj, 12.3, x, y));
    ASSERT_EQ(x.size(), 6u);
    EXPECT_EQ(x[0], 1.0);   // trailing edge
    EXPECT_EQ(x[3], 0.0);   // leading edge
    EXPECT_DOUBLE_EQ(x[4], 0.25);
    EXPECT_DOUBLE_EQ(y[1], 0.04);
    EXPECT_DOUBLE_EQ(y[4], -0.01234);

    const std::vector<double> x0{9}, y0{8};
    x = x0;
    y = y0;
    std::string raison;
    EXPECT_FALSE(Normaliser(m.X_Empl_Proj, m.Y_Empl_Proj, 1, 0, x, y, raison));
    EXPECT_NE(raison.find("même abscisse"), std::string::npos);
    EXPECT_FALSE(Normaliser(m.X_Empl_Proj, m.Y_Empl_Proj, 0, 0, x, y));
    EXPECT_FALSE(Normaliser(m.X_Empl_Proj, m.Y_Empl_Proj, 6, PasUnNombre, x, y));
    EXPECT_FALSE(Normaliser(m.X_Empl_Proj, m.Y_Empl_Proj, 7, 0, x, y));  // the leftover NaN
    EXPECT_EQ(x, x0);
    EXPECT_EQ(y, y0);
}

TEST(Sauve_Fichiers, DossierAbsent) {
    const fs::path dossier = DossierNeuf("sortie");
    const Modele m = ModeleDEssai();
    const NomsProposes n = NomsDEssai(m);
    const Chemins c = CheminsDans(dossier / "absent", n);
    std::string erreur;
    EXPECT_FALSE(Sauver(m, c, n, erreur));
    // The data file comes first, so it is the one named.
    EXPECT_NE(erreur.find(n.Txt_Nom_Fich_Data), std::string::npos) << erreur;
    EXPECT_TRUE(Noms(dossier).empty());
}

// The data file is written first and stays; the first failure stops the rest.
TEST(Sauve_Fichiers, ArretAuPremierEchec) {
    const fs::path dossier = DossierNeuf("sortie");
    const Modele m = ModeleDEssai();
    const NomsProposes n = NomsDEssai(m);
    Chemins c = CheminsDans(dossier, n);
    c.empl = dossier / "absent" / c.empl.filename();
    std::string erreur;
    EXPECT_FALSE(Sauver(m, c, n, erreur));
    EXPECT_NE(erreur.find(n.Txt_Nom_Fich_Empl), std::string::npos) << erreur;
    EXPECT_EQ(Noms(dossier), std::vector<std::string>{n.Txt_Nom_Fich_Data});
    ComparerAuTemoin(c.data, "sortie_Data_Troncon.txt");
}

TEST(Sauve_Fichiers, FichiersExistantsRemplaces) {
    const fs::path dossier = DossierNeuf("sortie");
    const Modele m = ModeleDEssai();
    const NomsProposes n = NomsDEssai(m);
    const Chemins c = CheminsDans(dossier, n);
    const std::string ancien(5000, 'A');  // longer than the new contents
    for (const fs::path& p : {c.empl, c.saum, c.data}) Poser(p, ancien);
    std::string erreur;
    ASSERT_TRUE(Sauver(m, c, n, erreur)) << erreur;
    ComparerAuTemoin(c.data, "sortie_Data_Troncon.txt");
    ComparerAuTemoin(c.empl, "sortie_emplanture.dat");
    ComparerAuTemoin(c.saum, "sortie_saumon.dat");
    EXPECT_EQ(Noms(dossier).size(), 3u);  // no temporary file left
}

TEST(Message_Sauvegarde, TroisNomsPuisLeDossier) {
    EXPECT_EQ(Message_Sauvegarde("e.dat", "s.dat", "P_Data_Troncon.txt", "/home/moi/ailes"),
              "e.dat\ns.dat\nP_Data_Troncon.txt\n\nDans le dossier :\n/home/moi/ailes");
}

} // namespace
} // namespace ortix::fichiers
