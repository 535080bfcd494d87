#include "geometry/Vrillage.h"

#include <gtest/gtest.h>

#include <string>

namespace ortix {
namespace {

struct CasFinal {
    const char* nom;
    Champs champs;
    const char *hrefEmpl, *hrefSaum, *vrillEmpl, *vrillSaum;
};

Champs champs(const char* L, const char* F, const char* Ce, const char* He, const char* Te,
              const char* Cs, const char* Hs, const char* Ts) {
    Champs c;
    c.Txt_Long = L;
    c.txt_fleche = F;
    c.txt_corde_empl = Ce;
    c.txt_href_empl = He;
    c.txt_vril_empl2 = Te;
    c.txt_corde_saum = Cs;
    c.txt_href_saum = Hs;
    c.txt_vril_saum2 = Ts;
    return c;
}

TEST(Calc_Vrillage_Final, Exemples) {
    const CasFinal cas[] = {
        {"champs initiaux", Champs{}, "20.00", "20.00", "0.00", "0.00"},
        {"sans flèche", champs("400", "0", "400", "20", "2", "100", "20", "-1"), "20.00",
         "20.00", "2.00", "-1.00"},
        {"dièdre sans vrillage", champs("400", "350", "400", "20", "0", "100", "40", "0"),
         "20.00", "42.48", "1.89", "1.89"},
        {"vrillage et flèche", champs("400", "350", "400", "20", "2", "100", "20", "-1"),
         "20.00", "20.00", "3.15", "-1.33"},
        {"hauteur d'emplanture gardée", champs("250", "-80", "300", "-7.25", "3", "150", "11", "4"),
         "-7.25", nullptr, nullptr, nullptr},
    };
    for (const CasFinal& c : cas) {
        Modele m;
        m.champs = c.champs;
        std::string message = "ancien";
        ASSERT_TRUE(Calc_Vrillage_Final(m, message)) << c.nom << " : " << message;
        EXPECT_TRUE(message.empty());
        EXPECT_EQ(m.finals.Txt_Href_Empl_final, c.hrefEmpl) << c.nom;
        if (c.hrefSaum) {
            EXPECT_EQ(m.finals.Txt_Href_Saum_final, c.hrefSaum) << c.nom;
            EXPECT_EQ(m.finals.Txt_Vrill_Empl_Final, c.vrillEmpl) << c.nom;
            EXPECT_EQ(m.finals.Txt_Vrill_Saum_Final, c.vrillSaum) << c.nom;
        }
        // The three planform figures are not this step's.
        EXPECT_EQ(m.finals.Txt_Lg_Final, "---");
    }
}

TEST(Calc_Vrillage_Final, ValeursNonArrondies) {
    const VrillageFinal v =
        Calc_Vrillage_Final(champs("400", "350", "400", "20", "2", "100", "20", "-1"));
    ASSERT_TRUE(v.ok);
    EXPECT_NEAR(v.Vrill_Empl, 3.149, 5e-4);
    EXPECT_NEAR(v.Vrill_Saum, -1.329, 5e-4);
    const VrillageFinal d =
        Calc_Vrillage_Final(champs("400", "350", "400", "20", "0", "100", "40", "0"));
    ASSERT_TRUE(d.ok);
    EXPECT_NEAR(d.Href_Saum, 42.48, 5e-3);
    // A difference of reference heights alone gives both profiles the same twist.
    EXPECT_NEAR(d.Vrill_Empl, d.Vrill_Saum, 1e-12);
}

TEST(Calc_Vrillage_Final, SansFlecheLesValeursSaisies) {
    // a = 0: the trailing-edge line meets the root plane at the root trailing edge.
    const VrillageFinal v =
        Calc_Vrillage_Final(champs("640", "0", "310", "-4.5", "-3.5", "120", "33.3", "7.25"));
    ASSERT_TRUE(v.ok);
    EXPECT_EQ(v.Href_Empl, -4.5);
    EXPECT_EQ(v.Href_Saum, 33.3);
    EXPECT_NEAR(v.Vrill_Empl, -3.5, 1e-12);
    EXPECT_NEAR(v.Vrill_Saum, 7.25, 1e-12);
}

struct CasRefus {
    const char* nom;
    Champs champs;
    const char* motCle; // a word the message must hold
};

TEST(Calc_Vrillage_Final, RefusLaisseLeModeleInchange) {
    const CasRefus cas[] = {
        {"longueur nulle", champs("0", "350", "400", "20", "0", "100", "20", "0"), "Longueur"},
        {"longueur illisible", champs("abc", "0", "400", "20", "0", "100", "20", "0"),
         "Longueur"},
        // (Cs + F)·sin a + L·cos a = Ce·sin a exactly for these values.
        {"bords de fuite à la même distance", champs("2", "1", "4", "0", "0", "-1", "0", "0"),
         "bords de fuite"},
        {"corde d'emplanture nulle", champs("400", "350", "0", "20", "0", "100", "20", "0"),
         "emplanture"},
        {"corde de saumon nulle sans flèche", champs("400", "0", "400", "20", "0", "0", "20", "0"),
         "saumon"},
        {"hauteur démesurée", champs("400", "350", "400", "1e999", "0", "100", "20", "0"),
         "numériques"},
        {"vrillage démesuré", champs("400", "350", "400", "20", "1e308", "100", "20", "0"),
         "numériques"},
        {"hauteur de saumon démesurée", champs("400", "350", "400", "20", "0", "100", "-1e999",
                                               "0"),
         "numériques"},
    };
    for (const CasRefus& c : cas) {
        Modele m;
        m.champs = c.champs;
        m.finals.Txt_Href_Saum_final = "12.34";
        const Modele avant = m;
        std::string message;
        EXPECT_FALSE(Calc_Vrillage_Final(m, message)) << c.nom;
        EXPECT_NE(message.find(c.motCle), std::string::npos) << c.nom << " : " << message;
        EXPECT_TRUE(m == avant) << c.nom;
    }
}

} // namespace
} // namespace ortix
