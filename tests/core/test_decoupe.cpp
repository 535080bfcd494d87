// The cut on a four-axis hot-wire cutter: properties of random panels cut on
// random machines and replayed by the simulator, the controllers' G94 length
// rules, and the machine profile reader (tests/data/machines/lectures.txt).
// The golden G-code files are in the batch command's transcripts.
#include "files/ApercuDecoupe.h"
#include "files/Dialectes.h"
#include "files/FichierMachine.h"
#include "files/GCode.h"
#include "geometry/Projection.h"
#include "tests/support/Support.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <sstream>

namespace ortix::essais {
namespace {

using namespace fichiers;

double Distance(Point2 p, Point2 a, Point2 b) {
    const double dx = b.x - a.x, dy = b.y - a.y, l = dx * dx + dy * dy;
    const double u = l > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l, 0.0, 1.0) : 0;
    return std::hypot(p.x - a.x - u * dx, p.y - a.y - u * dy);
}
double Distance(Point2 p, const std::vector<Point2>& ligne) {
    double d = INFINITY;
    for (std::size_t i = 0; i + 1 < ligne.size(); ++i)
        d = std::min(d, Distance(p, ligne[i], ligne[i + 1]));
    return d;
}

// A face's turn by its final twist about its leading-edge reference point.
struct Tour {
    double c, s, H;
    Point2 montre(double X, double Y) const { // as the face shows it
        return {-(X * c - (Y - H) * s), X * s + (Y - H) * c + H};
    }
    double X(Point2 q) const { return -q.x * c + (q.y - H) * s; } // X' turned back
};
Tour Tour_De(const Modele& m, std::size_t k) {
    const double phi =
        Radians(Val(k == 0 ? m.finals.Txt_Vrill_Empl_Final : m.finals.Txt_Vrill_Saum_Final));
    return {std::cos(phi), std::sin(phi),
            Val(k == 0 ? m.finals.Txt_Href_Empl_final : m.finals.Txt_Href_Saum_final)};
}

// A random machine wide enough for the panel, of the dialect given, with no kerf,
// a constant one on each face (`uniforme`: the same on both) or a table.
ProfilMachine Machine(const DialecteGCode& d, int saignee, bool uniforme, double largeur,
                      std::mt19937& alea) {
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(alea); };
    ProfilMachine p;
    p.dialecte = d.dialecte;
    p.axes = d.axes;
    // LinuxCNC's files go to its interpreter, which checks inverse time.
    p.avance = d.tempsInverse && (d.dialecte == Dialecte::LinuxCNC || u(0, 1) < 0.5) ? Avance::G93
                                                                                     : Avance::G94;
    p.emplantureAGauche = u(0, 1) < 0.5;
    p.distanceEmplanture = u(40, 120);
    p.ecartTours = p.distanceEmplanture + largeur + u(20, 80);
    p.hauteurLigneDeBase = u(0, 300);
    p.vitesse = u(2, 6);
    p.saigneeEmplanture = saignee == 1 ? u(0.5, 1.5) : 0;
    p.saigneeSaumon = saignee == 1 ? u(0.5, 1.5) : 0;
    if (uniforme) p.saigneeSaumon = p.saigneeEmplanture;
    if (saignee == 2) p.saigneeVitesse = {{1, u(1.2, 2)}, {u(3, 5), u(0.6, 1)}, {8, 0.5}};
    p.courseMin.fill(-5000);
    p.courseMax.fill(5000);
    p.vitesseMax.fill(1000);
    p.angleFilMax = 80;
    return p;
}

// Random panels on random machines: the wire on a generator through every
// outline point; exactly on the outline without kerf; with a constant kerf,
// never closer than k/2 to the outline, which lies within k/2 of the wire (to a
// thousandth of a millimetre: a concave corner stays k/2 / cos(turn / 2) from
// the wire's miter), where there is foam to cut; the file read back within 0.01 mm and 0.5 %; a
// panel of one section, unswept and untwisted, has its towers on its faces. LinuxCNC's files are
// kept for its own interpreter (.ci/run).
TEST(Decoupe, PanneauxAleatoires) {
    std::mt19937 alea(20250714);
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(alea); };
    auto f = [](double v) { return std::to_string(v); };
    const fs::path sortie = Dossier_Neuf("decoupe");
    int acceptes = 0;
    for (int essai = 0; essai < 48; ++essai) {
        const bool droit = essai % 8 == 0;
        const double Ce = u(150, 350), Cs = droit ? Ce : u(0.35, 1) * Ce, H = u(10, 30);
        const auto naca = [&] {
            return Naca(static_cast<int>(u(15, 80)), u(0.06, 0.16), u(0, 0.05));
        };
        const Profil e = naca();
        auto m = Panneau(e, droit ? e : naca(),
                         {f(u(300, 700)), droit ? "0" : f(u(0, 250)), "e.dat", f(Ce), f(H),
                          droit ? "0" : f(u(-3, 3)), "s.dat", f(Cs), droit ? f(H) : f(u(10, 40)),
                          droit ? "0" : f(u(-3, 3))});
        Vue v;
        ASSERT_TRUE(Calculer_Profils_Projetes(*m, v).ok());
        const DialecteGCode& d = TableDialectes[static_cast<std::size_t>(essai) % 6];
        const int saignee = essai % 3;
        const ProfilMachine p = Machine(d, saignee, droit, m->Z_Saum_Rot(1), alea);
        GCodeVerifie g;
        if (const Resultat r = Preparer_GCode(*m, p, "01/01/2025", g); !r) {
            // The tip's lengthening may fold back; nothing else is refused here.
            EXPECT_NE(r.message().find("revient sur lui-même"), std::string::npos) << r.message();
            continue;
        }
        ++acceptes;
        if (d.dialecte == Dialecte::LinuxCNC)
            Poser(sortie / ("panneau" + std::to_string(essai) + ".ngc"), g.programme.texte);
        EXPECT_LE(std::max(1 - g.simulation.rapportMin, g.simulation.rapportMax - 1), EcartVitesse);
        EXPECT_EQ(g.programme.ligneDePosition.size(), g.decoupe.positions.size());
        std::vector<PositionFil> stations;
        std::copy_if(g.decoupe.positions.begin(), g.decoupe.positions.end(),
                     std::back_inserter(stations), [](const PositionFil& q) {
                         return q.partie == Partie::Extrados || q.partie == Partie::Intrados;
                     });
        // Where the tip face has foam of the panel: its own outline, off its trailing edge.
        auto mousse = [&](const PositionFil& q) {
            return q.point[1] > m->Rang_Saum_Premier_Proj + 1 &&
                   q.point[1] < m->Rang_Saum_Dernier_Proj - 1;
        };
        for (std::size_t k = 0; k < 2; ++k) {
            const Tour t = Tour_De(*m, k);
            std::vector<Point2> contour, propre, fil;
            const int n = k == 0 ? m->Nb_Pts_Empl_Proj : m->Nb_Pts_Saum_Proj;
            for (int i = 1; i <= n; ++i) {
                contour.push_back(k == 0 ? t.montre(m->X_Empl_Proj(i), m->Y_Empl_Proj(i))
                                         : t.montre(m->X_Saum_Proj(i), m->Y_Saum_Proj(i)));
                if (k == 0 ||
                    (i > m->Rang_Saum_Premier_Proj + 1 && i < m->Rang_Saum_Dernier_Proj - 1))
                    propre.push_back(contour.back());
            }
            for (const PositionFil& q : stations) {
                fil.push_back(q.fil[k]);
                EXPECT_NEAR(t.X(q.profil[k]), q.X, 1e-6) << essai; // one generator
                if (droit) {
                    EXPECT_NEAR(q.tour[k].x, q.fil[k].x, 0.0006);
                    EXPECT_NEAR(q.tour[k].y, q.fil[k].y + p.hauteurLigneDeBase, 0.0006);
                }
                if (saignee == 0) {
                    EXPECT_EQ(q.fil[k], q.profil[k]);
                }
            }
            for (const Point2 o : contour)
                EXPECT_TRUE(std::any_of(stations.begin(), stations.end(), [&](auto& q) {
                    return q.profil[k] == o;
                })) << essai;
            // The n-th cutting move read back reaches the n-th position.
            std::size_t coupes = 0;
            for (const MouvementSimule& s : g.simulation.mouvements) {
                const std::size_t j = s.coupe ? ++coupes : 0;
                // The line the writer gives for each position is the one read back.
                if (j || s.ligne < g.programme.ligneDePosition[1]) {
                    EXPECT_EQ(s.ligne, g.programme.ligneDePosition[j]);
                }
                const Partie partie = g.decoupe.positions[j].partie;
                if (saignee == 0 && (partie == Partie::Extrados || partie == Partie::Intrados)) {
                    EXPECT_LT(Distance(s.face[k], contour), EcartMaximal) << essai;
                }
            }
            if (saignee != 1) continue;
            const double demi = (k == 0 ? p.saigneeEmplanture : p.saigneeSaumon) / 2;
            for (std::size_t j = 0; j + 1 < stations.size(); ++j) {
                if (k == 1 && !(mousse(stations[j]) && mousse(stations[j + 1]))) continue;
                const Point2 a = stations[j].fil[k], b = stations[j + 1].fil[k];
                EXPECT_GT(Distance(a, contour), demi - 1e-6) << essai;
                EXPECT_GT(Distance({(a.x + b.x) / 2, (a.y + b.y) / 2}, contour), demi - 1e-6)
                    << essai;
            }
            for (const Point2 o : propre)
                EXPECT_LT(Distance(o, fil), demi + 0.001) << essai;
        }
    }
    EXPECT_GT(acceptes, 36);
}

// A value that is not a finite number, in the panel or on the machine, and a tip
// face on the root face or behind it, are refused for what they are and change
// nothing.
TEST(Decoupe, ValeursRefusees) {
    using Abimer = void (*)(Modele&, ProfilMachine&);
    const std::string machine = "Le profil machine a une valeur non numérique";
    for (const auto& [abimer, cause] : std::initializer_list<std::pair<Abimer, std::string>>{
             {[](Modele&m, ProfilMachine&) { m.Y_Saum_Proj(5) = NAN; }, "valeur non numérique"},
             {[](Modele&m, ProfilMachine&) { m.Z_Saum_Rot(1) = 0; }, "pas écartées (largeur 0.00"},
             {[](Modele&m, ProfilMachine&) { m.Z_Saum_Rot(1) = -20; }, "pas écartées"},
             {[](Modele&m, ProfilMachine&p) {
                  m.Z_Saum_Rot(1) = 400, p.distanceEmplanture = 100, p.ecartTours = 500;
              },
              "laisse 0.00 mm entre la face du saumon et sa tour"},
             {[](Modele&m, ProfilMachine&) { m.finals.Txt_Vrill_Empl_Final = "1e999"; },
              "pas un nombre fini"},
             {[](Modele&, ProfilMachine&p) { p.vitesse = NAN; }, machine},
             {[](Modele&, ProfilMachine&p) {
                  p.saigneeVitesse = {{1, INFINITY}, {2, 1}};
              },
              machine},
             {[](Modele&, ProfilMachine&p) { p.courseMax[3] = NAN; }, machine}}) {
        auto m = Calcule("lots/projets/aile1.ortix");
        ProfilMachine p;
        Decoupe d;
        ASSERT_TRUE(Calculer_Decoupe(*m, p, d).ok());
        const std::size_t n = d.positions.size();
        abimer(*m, p);
        const Resultat r = Calculer_Decoupe(*m, p, d);
        EXPECT_NE(r.message().find(cause), std::string::npos) << r.message();
        EXPECT_EQ(d.positions.size(), n);
    }
}

// The read-back catches what would cut wrong: a good file edited, or read with
// another machine's rules, is refused or measured off the plan.
TEST(Decoupe, RelectureDesFautes) {
    const auto m = Calcule("lots/projets/aile1.ortix");
    ProfilMachine p; // LinuxCNC, inverse time
    p.chauffe = Chauffe::M3;
    GCodeVerifie g;
    ASSERT_TRUE(Preparer_GCode(*m, p, "01/01/2025", g).ok());
    auto verdict = [&](const std::string& texte, const ProfilMachine& lecture) {
        Simulation s;
        if (const Resultat r = Simuler_GCode(texte, lecture, g.decoupe, s); !r) return r.message();
        if (s.ecartMax > EcartMaximal) return std::string("écart");
        return std::string(std::max(1 - s.rapportMin, s.rapportMax - 1) > EcartVitesse ? "vitesse"
                                                                                       : "juste");
    };
    auto remplacer = [&](const std::string& de, const std::string& par) {
        std::string t = g.programme.texte;
        return t.replace(t.find(de), de.size(), par);
    };
    ProfilMachine droite = p, grbl = p, loin = p;
    droite.emplantureAGauche = false;
    grbl.dialecte = Dialecte::Grbl;
    loin.distanceEmplanture += 1;
    // clang-format off
    for (const auto& [texte, lecture, attendu] : std::initializer_list<std::tuple<std::string, ProfilMachine, std::string>>{
             {g.programme.texte, p, "juste"},
             {remplacer("G93\n", ""), p, "vitesse"},
             {remplacer("M3 S100\n", "M3 S100\nG0 X0 Y0 U0 V0\n"), p, "un G0 fil chaud"},
             {remplacer("M2\n", "M2\nG4 P1\n"), p, "rien ne doit suivre M2"},
             {remplacer("\nG1 X", "\nG1 Q1 X"), p, "mot inattendu « Q »"},
             {std::regex_replace(g.programme.texte, std::regex(" F[0-9.]+"), "", std::regex_constants::format_first_only), p, "chaque G1 porte son F"},
             {remplacer("G0 X", "G0 X0 Y0\nG0 X"), p, "placer les quatre axes"},
             {g.programme.texte, droite, "écart"},
             {g.programme.texte, loin, "écart"},
             {g.programme.texte, grbl, "« % » n'est pas un mot"}}) // clang-format on
        EXPECT_NE(verdict(texte, lecture).find(attendu), std::string::npos)
            << attendu << " : " << verdict(texte, lecture);
    // In units per minute, a G1 before any F has no feed.
    ProfilMachine minute = p;
    minute.avance = Avance::G94;
    GCodeVerifie g94;
    ASSERT_TRUE(Preparer_GCode(*m, minute, "01/01/2025", g94).ok());
    EXPECT_NE(verdict(std::regex_replace(g94.programme.texte, std::regex(" F[0-9.]+"), ""), minute)
                  .find("un G1 sans avance"),
              std::string::npos);
}

// What F means in G94 on each controller, move by move: the length it divides by F.
TEST(Decoupe, LongueursDAvance) {
    using R = RegleAvance;
    const std::array<char, 4> xyuv{'X', 'Y', 'U', 'V'}, xyza{'X', 'Y', 'Z', 'A'};
    // clang-format off
    for (const auto& [regle, lettres, d, longueur] : std::initializer_list<std::tuple<R, std::array<char, 4>, std::array<double, 4>, double>>{
             {R::TousLesAxes, xyza, {3, 4, 12, 0}, 13}, {R::TousLesAxes, xyuv, {1, 2, 2, 4}, 5},
             {R::XYZPuisUVW, xyuv, {3, 4, 12, 0}, 5},   {R::XYZPuisUVW, xyuv, {0, 0, 3, 4}, 5},
             {R::XYZPuisUVW, xyza, {0, 0, 3, 4}, 3},    {R::PlusGrandePaire, xyuv, {3, 4, 6, 8}, 10},
             {R::PlusGrandePaire, xyuv, {6, 8, 0, 1}, 10}}) // clang-format on
        EXPECT_DOUBLE_EQ(Longueur_Avance(regle, lettres, d), longueur);
}

// tests/data/machines/lectures.txt: a profile's text ('|' for a line end), then
// the refusal, or the lines it writes back that the default profile does not
// have ('|' between them).
TEST(Decoupe, LectureDesProfilsMachine) {
    std::istringstream table(Contenu(Donnee("machines/lectures.txt")));
    int n = 0;
    for (std::string ligne; std::getline(table, ligne);) {
        const std::size_t fleche = ligne.find(" => ");
        if (ligne.empty() || ligne[0] == '#' || fleche == std::string::npos) continue;
        std::string texte = ligne.substr(0, fleche);
        std::replace(texte.begin(), texte.end(), '|', '\n');
        ProfilMachine p;
        p.vitesse = -1; // left as it was on a refusal
        const Resultat r = Analyser_Profil_Machine(texte, "essai.profil", p);
        std::string lu = r.message();
        const std::vector<std::string> defaut = Lignes_Profil_Machine({}, false);
        if (r)
            for (const std::string& l : Lignes_Profil_Machine(p, false))
                if (std::find(defaut.begin(), defaut.end(), l) == defaut.end())
                    lu += (lu.empty() ? "" : "|") + l;
        EXPECT_EQ(lu, ligne.substr(fleche + 4)) << ligne;
        EXPECT_EQ(p.vitesse == -1, !r) << ligne;
        // What it writes reads back the same, with or without comments.
        for (const bool commentaires : {true, false}) {
            ProfilMachine relu;
            std::string ecrit;
            for (const std::string& l : Lignes_Profil_Machine(p, commentaires))
                ecrit += l + "\n";
            if (r) {
                EXPECT_TRUE(Analyser_Profil_Machine(ecrit, "relu", relu).ok() && relu == p)
                    << ecrit;
            }
        }
        // A one-line profile read as one field of the dialog: the same rule and
        // sentence, no file named.
        const std::size_t egal = texte.find('=');
        if (texte.find('\n') == std::string::npos && egal != std::string::npos) {
            auto bord = [](std::string t) {
                t.erase(0, t.find_first_not_of(' '));
                return t.erase(t.find_last_not_of(' ') + 1);
            };
            ProfilMachine champ;
            const Resultat c =
                Lire_Cle_Machine(bord(texte.substr(0, egal)), bord(texte.substr(egal + 1)), champ);
            if (r)
                EXPECT_TRUE(c.ok() && champ == p) << ligne;
            else
                EXPECT_EQ(c.message(),
                          "Valeur refusée : " + r.message().substr(r.message().find(" : ") + 3))
                    << ligne;
        }
        ++n;
    }
    EXPECT_GT(n, 20);
}

// The preview of aile1's cut: at the slider's ends the wire stands at the first
// and last moves read back; anywhere between, on the move that runs then, between
// its two ends, with that move's speeds, and on both faces where the wire between
// the towers crosses them.
TEST(Decoupe, Apercu) {
    const auto m = Calcule("lots/projets/aile1.ortix");
    ProfilMachine p;
    ASSERT_TRUE(Lire_Profil_Machine(Donnee("machines/linuxcnc.profil"), p).ok());
    ApercuDecoupe a;
    ASSERT_TRUE(Preparer_Apercu(*m, p, "01/01/2000", {884, 300}, {440, 220}, a).ok());
    const std::vector<MouvementSimule>& mv = a.gcode.simulation.mouvements;
    EXPECT_EQ(Instant_Decoupe(a, 0).tour, mv.front().tour);
    EXPECT_EQ(Instant_Decoupe(a, a.duree).tour, mv.back().tour);
    EXPECT_EQ(Instant_Decoupe(a, a.duree).mouvement, mv.size() - 1);
    std::mt19937 alea(7);
    for (int n = 0; n < 500; ++n) {
        const double t = std::uniform_real_distribution<double>(0, a.duree)(alea);
        const InstantDecoupe i = Instant_Decoupe(a, t);
        ASSERT_GT(i.mouvement, 0u);
        const MouvementSimule &ici = mv[i.mouvement], &avant = mv[i.mouvement - 1];
        EXPECT_TRUE(a.fin[i.mouvement - 1] <= t && t <= a.fin[i.mouvement]) << t;
        EXPECT_EQ(i.vitesse, ici.vitesse);
        for (std::size_t k = 0; k < 2; ++k)
            EXPECT_LT(Distance(i.tour[k], avant.tour[k], ici.tour[k]), 1e-9);
        EXPECT_EQ(i.face, Fil_Sur_Faces(p, a.gcode.decoupe.largeur, i.tour));
        EXPECT_LE(i.angle, a.gcode.decoupe.angleFil + 1e-3);
    }
}

} // namespace
} // namespace ortix::essais
