#include "model/Nombres.h"
#include "geometry/Planforme.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace ortix {
namespace {

std::unique_ptr<Modele> modeleInitial() {
    auto m = std::make_unique<Modele>();
    Profils_Provisoires(*m);
    return m;
}

TEST(Trace_Profil_Ini, ExempleDesChampsInitiaux) {
    auto m = modeleInitial();
    m->boutons.Bt_Sauve_Prof = true;
    ResultatTrace r = Trace_Profil_Ini(*m);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(m->finals.Txt_Lg_Final, "597.36");
    EXPECT_EQ(m->finals.Txt_Fleche_Final, "0.00");
    EXPECT_EQ(m->finals.Txt_Corde_Final, "301.03");
    EXPECT_EQ(m->Label32, "Position après rotation de 41.19°");
    EXPECT_FALSE(m->boutons.Bt_Sauve_Prof);
    // The figures the trace does not own stay as they were.
    EXPECT_EQ(m->finals.Txt_Href_Empl_final, "---");

    // Placeholder sections: root chord line from 0 to -400 at 20, tip from -350 to -450.
    EXPECT_EQ(m->X_Empl_3D(1), -400);
    EXPECT_EQ(m->X_Empl_3D(2), 0);
    EXPECT_EQ(m->Y_Empl_3D(2), 20);
    EXPECT_EQ(m->X_Saum_3D(1), -450);
    EXPECT_EQ(m->X_Saum_3D(2), -350);
    EXPECT_EQ(m->Z_Saum_3D(3), 400);

    // Views: Plan_Ini H = 600, V = 450; Plan_Final H = Lf, V = 3 Lf / 4; Pic_Prof_Ini from 22.5 to -472.5.
    EXPECT_DOUBLE_EQ(r.Plan_Ini.repere.largeur, 1.1 * 600);
    EXPECT_DOUBLE_EQ(r.Plan_Ini.repere.hauteur, -1.1 * 450);
    const double Lf = 400 * std::cos(std::atan(0.875)) + 450 * std::sin(std::atan(0.875));
    EXPECT_DOUBLE_EQ(r.Plan_Final.repere.largeur, 1.1 * Lf);
    EXPECT_NEAR(-r.Plan_Final.repere.hauteur / 1.1, 448.02, 0.005);
    EXPECT_DOUBLE_EQ(r.Pic_Prof_Ini.repere.gauche, 22.5);
    EXPECT_DOUBLE_EQ(r.Pic_Prof_Ini.repere.gauche + r.Pic_Prof_Ini.repere.largeur, -472.5);

    const Forme* tte = r.Plan_Final.forme("Line13");
    ASSERT_NE(tte, nullptr);
    EXPECT_NEAR(tte->a.x, 263.40, 0.005);
    EXPECT_NEAR(tte->a.y, -301.03, 0.005);
    EXPECT_NEAR(tte->b.x, 597.36, 0.005);
    EXPECT_NEAR(tte->b.y, -75.26, 0.005);
    EXPECT_NEAR(r.Plan_Final.forme("Line14")->b.x, 531.51, 0.005);
    EXPECT_NEAR(r.Plan_Final.forme("Line14")->b.y, 0, 1e-9);

    // Two horizontal chord lines, root in red then tip in orange.
    ASSERT_EQ(r.Pic_Prof_Ini.segments.size(), 4u);
    EXPECT_EQ(r.Pic_Prof_Ini.segments[0].couleur, Rouge);
    EXPECT_EQ(r.Pic_Prof_Ini.segments[0].a, (Point2{-400, 20}));
    EXPECT_EQ(r.Pic_Prof_Ini.segments[2].couleur, Orange);
    EXPECT_EQ(r.Pic_Prof_Ini.segments[2].a, (Point2{-450, 20}));
}

TEST(Trace_Profil_Ini, VrillageTourneAutourDuBordDAttaque) {
    auto m = modeleInitial();
    m->champs.txt_vril_empl2 = "10";
    m->champs.txt_vril_saum2 = "-5";
    Modele avant = *m;
    ResultatTrace r = Trace_Profil_Ini(*m);
    // Root trailing edge at about (-393.9, He - 69.5); leading edge unchanged.
    const Segment& s = r.Pic_Prof_Ini.segments[0];
    EXPECT_NEAR(s.a.x, -393.92, 0.01);
    EXPECT_NEAR(s.a.y, 20 - 69.46, 0.01);
    EXPECT_NEAR(s.b.x, 0, 1e-12);
    EXPECT_NEAR(s.b.y, 20, 1e-12);
    // The tip turns about (-F, Hs): its leading edge stays, its trailing edge rises.
    const Segment& t = r.Pic_Prof_Ini.segments[2];
    EXPECT_NEAR(t.b.x, -350, 1e-9);
    EXPECT_GT(t.a.y, 20);
    // A twist changes no figure and no section point.
    Modele sansVrillage = avant;
    sansVrillage.champs.txt_vril_empl2 = "0";
    sansVrillage.champs.txt_vril_saum2 = "0";
    Trace_Profil_Ini(sansVrillage);
    EXPECT_EQ(m->finals, sansVrillage.finals);
    EXPECT_EQ(m->X_Empl_3D, sansVrillage.X_Empl_3D);
    EXPECT_EQ(m->Y_Saum_3D, sansVrillage.Y_Saum_3D);
}

struct CasPlan {
    const char *L, *F, *Ce, *Cs;
    const char *lg, *corde, *legende;
};

TEST(Trace_Profil_Ini, FiguresSelonLaFleche) {
    const CasPlan cas[] = {
        {"400", "0", "400", "100", "400.00", "400.00", "Position après rotation de 00.°"},
        {"400", "-350", "400", "100", "465.66", "301.03", "Position après rotation de -41.19°"},
        {"400", "350", "100", "400", "794.91", "75.26", "Position après rotation de 41.19°"},
        {"0.5", "0", "0.25", "0.25", ".50", ".25", "Position après rotation de 00.°"},
    };
    for (const CasPlan& c : cas) {
        auto m = modeleInitial();
        m->champs.Txt_Long = c.L;
        m->champs.txt_fleche = c.F;
        m->champs.txt_corde_empl = c.Ce;
        m->champs.txt_corde_saum = c.Cs;
        ResultatTrace r = Trace_Profil_Ini(*m);
        EXPECT_EQ(m->finals.Txt_Lg_Final, c.lg) << c.F;
        EXPECT_EQ(m->finals.Txt_Corde_Final, c.corde) << c.F;
        EXPECT_EQ(m->Label32, c.legende) << c.F;
        EXPECT_TRUE(r.Plan_Final.valide);
    }
}

TEST(Trace_Profil_Ini, SansFlecheLePlanTourneEgaleLeplanInitial) {
    auto m = modeleInitial();
    m->champs.txt_fleche = "0";
    ResultatTrace r = Trace_Profil_Ini(*m);
    const Forme* bf = r.Plan_Final.forme("Line13");
    EXPECT_EQ(bf->a, (Point2{0, -400}));
    EXPECT_EQ(bf->b, (Point2{400, -100}));
}

TEST(Trace_Profil_Ini, PanneauLongEtEtroitMisALEchelleDeSaLongueur) {
    auto m = modeleInitial();
    m->champs.Txt_Long = "2000";
    ResultatTrace r = Trace_Profil_Ini(*m);
    EXPECT_DOUBLE_EQ(r.Plan_Ini.repere.largeur, 1.1 * 2000);
    EXPECT_DOUBLE_EQ(r.Plan_Ini.repere.hauteur, -1.1 * 1500);
}

bool vueSaine(const Vue& v) {
    if (!v.valide) return v.formes.empty() && v.segments.empty();
    auto fini = [](Point2 p) { return std::isfinite(p.x) && std::isfinite(p.y); };
    bool ok = repereValide(v.repere);
    for (const Forme& f : v.formes) ok = ok && fini(f.a) && fini(f.b);
    for (const Segment& s : v.segments) ok = ok && fini(s.a) && fini(s.b);
    return ok;
}

// Degenerate and absurd entries in every field: the figures are numbers or
// "---", a view is drawn only with finite numbers, and anything left out is
// said in a message.
TEST(Trace_Profil_Ini, EntreesDegenereesSansValeurNonNumerique) {
    const char* textes[] = {"0", "-0", "abc", "", "1e999", "-1e999", "1e308", "-1e308",
                            "1e-320", "-400", "12,5", "4e15"};
    for (int champ = 0; champ < 8; ++champ) {
        for (const char* texte : textes) {
            auto m = modeleInitial();
            std::string* champs[] = {&m->champs.Txt_Long,       &m->champs.txt_fleche,
                                     &m->champs.txt_corde_empl, &m->champs.txt_href_empl,
                                     &m->champs.txt_vril_empl2, &m->champs.txt_corde_saum,
                                     &m->champs.txt_href_saum,  &m->champs.txt_vril_saum2};
            *champs[champ] = texte;
            ResultatTrace r = Trace_Profil_Ini(*m);
            bool tiret = false;
            for (const std::string* f : {&m->finals.Txt_Lg_Final, &m->finals.Txt_Corde_Final,
                                         &m->finals.Txt_Fleche_Final}) {
                tiret |= *f == "---";
                EXPECT_TRUE(*f == "---" || (std::isfinite(Val(*f)) &&
                                            f->find_first_not_of("-0123456789.") == std::string::npos))
                    << champ << " " << texte << " " << *f;
            }
            EXPECT_TRUE(vueSaine(r.Pic_Prof_Ini) && vueSaine(r.Plan_Ini) && vueSaine(r.Plan_Final));
            const bool complet =
                !tiret && r.Pic_Prof_Ini.valide && r.Plan_Ini.valide && r.Plan_Final.valide;
            EXPECT_EQ(r.messages.empty(), complet) << champ << " " << texte;
            EXPECT_EQ(m->Label32.find("nan"), std::string::npos);
            EXPECT_EQ(m->Label32.find("inf"), std::string::npos);
        }
    }
}

struct CasDegenere {
    const char* L;
    const char* Ce;
    bool figures, planFinal;
};

TEST(Trace_Profil_Ini, LongueurOuCordeNulle) {
    const CasDegenere cas[] = {
        {"0", "400", false, false}, {"abc", "400", false, false}, {"1e999", "400", false, false},
        {"400", "0", true, true},   {"0.0", "0", false, false},
    };
    for (const CasDegenere& c : cas) {
        auto m = modeleInitial();
        m->champs.Txt_Long = c.L;
        m->champs.txt_corde_empl = c.Ce;
        ResultatTrace r = Trace_Profil_Ini(*m);
        EXPECT_EQ(m->finals.Txt_Lg_Final != "---", c.figures) << c.L << " " << c.Ce;
        EXPECT_EQ(r.Plan_Final.valide, c.planFinal) << c.L << " " << c.Ce;
        if (std::string(c.L) == "0") {
            EXPECT_EQ(r.messages.front(), "Longueur nulle : la rotation ne peut pas être calculée.");
        }
    }
}

TEST(Trace_Profil_Ini, UneSaisieValideRetablitTout) {
    auto m = modeleInitial();
    m->champs.Txt_Long = "0";
    Trace_Profil_Ini(*m);
    EXPECT_EQ(m->finals.Txt_Lg_Final, "---");
    EXPECT_EQ(m->Label32, "Position après rotation");
    m->champs.Txt_Long = "400";
    ResultatTrace r = Trace_Profil_Ini(*m);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(m->finals.Txt_Lg_Final, "597.36");
}

TEST(Trace_Profil_Ini, UnChargementPlusCourtNUtiliseQueSesPoints) {
    auto m = modeleInitial();
    Profil p;
    p.n = 5;
    for (int i = 0; i < 5; ++i) p.x[static_cast<std::size_t>(i)] = 1.0 - i * 0.25;
    Poser_Profil(*m, Extremite::Emplanture, p);
    ResultatTrace r = Trace_Profil_Ini(*m);
    p.n = 2;
    Poser_Profil(*m, Extremite::Emplanture, p);
    r = Trace_Profil_Ini(*m);
    EXPECT_EQ(m->X_Empl(5), 0.0);   // left as it was
    EXPECT_EQ(r.Pic_Prof_Ini.segments.size(), 1u + 2u);
}

} // namespace
} // namespace ortix
