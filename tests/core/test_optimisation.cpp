#include "model/Nombres.h"
#include "geometry/Optimisation.h"
#include "geometry/Planforme.h"
#include "geometry/Projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace ortix {
namespace {

// Rotated sections set by hand: the tip's first segment rises 3 over 10 mm
// forward, its last segment drops 2 over 10 mm aft; root trailing edge at −100.
std::unique_ptr<Modele> modeleTourne() {
    auto m = std::make_unique<Modele>();
    const double xS[] = {-60, -50, 0, -50, -60}, yS[] = {10, 13, 11, 12, 10};
    for (int j = 1; j <= 5; ++j) {
        m->X_Saum_Rot(j) = xS[j - 1];
        m->Y_Saum_Rot(j) = yS[j - 1];
    }
    m->X_Empl_Rot(1) = -100;
    m->X_Empl_Rot(2) = 0;
    m->X_Empl_Rot(3) = -100;
    m->Nb_Pts_Empl = 3;
    m->Nb_Pts_Saum = 5;
    m->champs.txt_href_empl = "20";
    m->champs.txt_corde_empl = "400";
    m->champs.txt_vril_empl2 = "30"; // the root trailing edge 200 mm below its leading edge
    m->champs.txt_corde_saum = "100";
    m->champs.txt_vril_saum2 = "0";
    m->champs.txt_href_saum = "12.345";
    return m;
}

TEST(Calcule_Candidats, ValeursCalculeesALaMain) {
    const auto m = modeleTourne();
    const CandidatsOpti c = Calcule_Candidats(*m);
    EXPECT_EQ(c.Txt_NOP, "12.35");
    EXPECT_EQ(c.Txt_Align, "-180.00");  // 20 − 400·sin 30°
    EXPECT_EQ(c.txt_int, "-172.00");    // A + 0.2·(−60 + 100)
    EXPECT_EQ(c.txt_ext, "-168.00");    // A + 0.3·(−60 + 100)
}

TEST(Calcule_Candidats, SansVrillageAlignerGardeLaHauteurDEmplanture) {
    for (const char* corde : {"400", "35.5", "0", "1200"}) {
        auto m = modeleTourne();
        m->champs.txt_vril_empl2 = "0";
        m->champs.txt_corde_empl = corde;
        m->champs.txt_corde_saum = corde;
        m->champs.txt_href_empl = "-17.25";
        EXPECT_EQ(Calcule_Candidats(*m).Txt_Align, "-17.25") << corde;
    }
}

TEST(Calcule_Candidats, CandidatIndefiniLaisseLesAutres) {
    struct Cas {
        const char* nom;
        void (*preparer)(Modele&);
        bool NOP, align, inter, exter;
    };
    const Cas cas[] = {
        {"dernier segment vertical", [](Modele& m) { m.X_Saum_Rot(4) = -60; }, true, true,
         false, true},
        {"premier segment vertical", [](Modele& m) { m.X_Saum_Rot(2) = -60; }, true, true, true,
         false},
        {"saumon d'un point", [](Modele& m) { m.Nb_Pts_Saum = 1; }, true, true, false, false},
        {"hauteur d'emplanture démesurée", [](Modele& m) { m.champs.txt_href_empl = "1e999"; },
         true, false, false, false},
        {"hauteur de saumon démesurée", [](Modele& m) { m.champs.txt_href_saum = "-1e999"; },
         false, true, true, true},
        {"pente démesurée",
         [](Modele& m) {
             m.Y_Saum_Rot(4) = -1e308;
             m.Y_Saum_Rot(5) = 1e308;
         },
         true, true, false, true},
    };
    for (const Cas& c : cas) {
        auto m = modeleTourne();
        c.preparer(*m);
        const CandidatsOpti r = Calcule_Candidats(*m);
        EXPECT_EQ(!r.Txt_NOP.empty(), c.NOP) << c.nom;
        EXPECT_EQ(!r.Txt_Align.empty(), c.align) << c.nom;
        EXPECT_EQ(!r.txt_int.empty(), c.inter) << c.nom << " : " << r.txt_int;
        EXPECT_EQ(!r.txt_ext.empty(), c.exter) << c.nom << " : " << r.txt_ext;
        for (const std::string* t : {&r.Txt_NOP, &r.Txt_Align, &r.txt_int, &r.txt_ext})
            if (!t->empty()) {
                EXPECT_EQ(Format(Val(*t), "#0.00"), *t) << c.nom;
            }
    }
}

// The sections in the panel frame, placed by the refresh itself.
void remplir3D(Modele& m) { Trace_Profil_Ini(m); }

std::unique_ptr<Modele> panneauCalcule(const char* hrefSaum) {
    auto m = std::make_unique<Modele>();
    auto p = std::make_unique<Profil>();
    const double x[] = {1, 0.7, 0.4, 0.15, 0, 0.15, 0.4, 0.7, 1};
    const double y[] = {0.001, 0.04, 0.07, 0.06, 0, -0.03, -0.03, -0.015, -0.001};
    p->n = 9;
    for (std::size_t i = 0; i < 9; ++i) {
        p->x[i] = x[i];
        p->y[i] = y[i];
    }
    Poser_Profil(*m, Extremite::Emplanture, *p);
    Poser_Profil(*m, Extremite::Saumon, *p);
    m->champs.txt_vril_empl2 = "3";
    m->champs.txt_vril_saum2 = "-2.5";
    m->champs.txt_href_saum = hrefSaum;
    remplir3D(*m);
    EXPECT_TRUE(Bt_Calc_Click(*m).ok);
    return m;
}

TEST(Calcule_Candidats, NeDependentPasDeLaHauteurDuSaumon) {
    const auto a = panneauCalcule("20");
    const CandidatsOpti ca = Calcule_Candidats(*a);
    EXPECT_EQ(ca.Txt_NOP, "20.00");
    ASSERT_FALSE(ca.txt_int.empty());
    ASSERT_FALSE(ca.txt_ext.empty());
    // Apply each candidate, compute again: the same three candidates come back.
    for (const std::string& texte : {ca.Txt_Align, ca.txt_int, Melange(ca.txt_int, 30, ca.txt_ext)}) {
        std::string href;
        ASSERT_TRUE(Hauteur_A_Appliquer(texte, href));
        const auto b = panneauCalcule(href.c_str());
        const CandidatsOpti cb = Calcule_Candidats(*b);
        EXPECT_EQ(cb.Txt_NOP, href);
        EXPECT_EQ(cb.Txt_Align, ca.Txt_Align);
        EXPECT_EQ(cb.txt_int, ca.txt_int);
        EXPECT_EQ(cb.txt_ext, ca.txt_ext);
    }
}

TEST(Melange, CurseurEntreIntradosEtExtrados) {
    struct Cas {
        const char* inter;
        int P;
        const char* exter;
        const char* attendu;
    };
    const Cas cas[] = {
        {"-172.00", 0, "-168.00", "-172.00"}, {"-172.00", 100, "-168.00", "-168.00"},
        {"-172.00", 50, "-168.00", "-170.00"}, {"1.23", 50, "1.26", "1.25"},
        {"10.00", 25, "20.00", "12.50"},      {"3.5 mm", 10, "abc", "3.15"},
        {"", 50, "20.00", ""},                {"10.00", 50, "", ""},
        {"1e308", 50, "-1e308", ""},          {"-4", 50, "-4.00", "-4.00"},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(Melange(c.inter, c.P, c.exter), c.attendu)
            << c.inter << ' ' << c.P << ' ' << c.exter;
}

TEST(Hauteur_A_Appliquer, TexteDuChampHrefSaumon) {
    struct Cas {
        const char* texte;
        bool accepte;
        const char* resultat;
    };
    const Cas cas[] = {
        {"12.345", true, "12.35"}, {"  -3", true, "-3.00"}, {"42.48", true, "42.48"},
        {"abc", true, "0.00"},     {"7,9", true, "7.00"},   {"", false, "avant"},
        {"  \t", false, "avant"},  {"1e999", false, "avant"},
    };
    for (const Cas& c : cas) {
        std::string href = "avant", message;
        EXPECT_EQ(Hauteur_A_Appliquer(c.texte, href, message), c.accepte) << c.texte;
        EXPECT_EQ(href, c.resultat) << c.texte;
        EXPECT_EQ(message.empty(), c.accepte) << c.texte << " : " << message;
    }
}

} // namespace
} // namespace ortix
