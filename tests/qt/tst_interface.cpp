// The main window: start-up state, places, the refresh events and degenerate input.
#include "Outils.h"
#include "app/qt/Interface.h"
#include "geometry/qt/ZoneDessin.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>

using outils::enfant;

class TestInterface : public QObject {
    Q_OBJECT

    QString texte(Interface& w, const char* nom) { return enfant<QLineEdit>(&w, nom)->text(); }

private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

    void demarrage() {
        Interface w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.windowTitle().startsWith(QStringLiteral("Découpe d'ailes à fort effilement")));
        QCOMPARE(w.size(), QSize(736, 491));
        const char* champs[][2] = {
            {"Txt_Long", "400"},        {"txt_fleche", "350"},
            {"txt_corde_empl", "400"},  {"txt_href_empl", "20"},
            {"txt_vril_empl2", "0"},    {"txt_corde_saum", "100"},
            {"txt_href_saum", "20"},    {"txt_vril_saum2", "0"},
            {"Txt_Lg_Final", "597.36"}, {"Txt_Fleche_Final", "0.00"},
            {"Txt_Corde_Final", "301.03"}, {"Txt_Href_Empl_final", "---"},
            {"Txt_Vrill_Empl_Final", "---"}, {"Txt_Href_Saum_final", "---"},
            {"Txt_Vrill_Saum_Final", "---"},
        };
        for (auto& c : champs) QCOMPARE(texte(w, c[0]), QString::fromUtf8(c[1]));
        QCOMPARE(texte(w, "txt_prof_empl"), QStringLiteral("<-- Sélectionner"));
        QCOMPARE(texte(w, "txt_prof_saum"), QStringLiteral("<-- Sélectionner"));
        QVERIFY(enfant<QLineEdit>(&w, "Txt_Lg_Final")->isReadOnly());
        QVERIFY(enfant<QLineEdit>(&w, "txt_prof_empl")->isReadOnly());
        QVERIFY(!enfant<QLineEdit>(&w, "Txt_Long")->isReadOnly());
        QCOMPARE(enfant<QLabel>(&w, "Label32")->text(),
                 QStringLiteral("Position après rotation de 41.19°"));
        QCOMPARE(enfant<QLabel>(&w, "Lbl_prof_empl")->text(), QStringLiteral("Emplanture"));
        QCOMPARE(enfant<QLabel>(&w, "Lbl_Prof_Saum")->text(), QStringLiteral("Saumon"));

        const char* actifs[] = {"Bt_Quit", "Bt_Load_Proj", "Bt_Prof_Empl", "bt_prof_saum"};
        const char* inactifs[] = {"Bt_Calc", "Bt_Save_Proj", "Bt_Opt_Href_Saum", "Bt_Sauve_Prof"};
        for (const char* n : actifs) QVERIFY2(enfant<QPushButton>(&w, n)->isEnabled(), n);
        for (const char* n : inactifs) QVERIFY2(!enfant<QPushButton>(&w, n)->isEnabled(), n);
        const char* legendes[][2] = {
            {"Bt_Calc", "Calculer les nouveaux profils"}, {"Bt_Sauve_Prof", "Sauver les profils"},
            {"Bt_Load_Proj", "Charger un projet"}, {"Bt_Save_Proj", "Enregistrer le projet"},
            {"Bt_Quit", "Quitter"}, {"Bt_Opt_Href_Saum", "Opti."}, {"Bt_Prof_Empl", "..."},
        };
        for (auto& l : legendes) QCOMPARE(enfant<QPushButton>(&w, l[0])->text(), QString::fromUtf8(l[1]));
        const char* cadres[][2] = {{"Frame3", "Projet initial"}, {"Frame1", "Emplanture"},
                                   {"Frame2", "Saumon"}, {"Frame4", "Projet final"}};
        for (auto& c : cadres) QCOMPARE(enfant<QGroupBox>(&w, c[0])->title(), QString::fromUtf8(c[1]));

        // The placeholder chord lines: root from 0 to -400, tip from -350 to -450, both at 20.
        const ortix::Vue& ini = enfant<ZoneDessin>(&w, "Pic_Prof_Ini")->vue();
        QCOMPARE(ini.segments.size(), size_t(4));
        QCOMPARE(ini.segments[0].b.x, 0.0);
        QCOMPARE(ini.segments[3].a.y, 20.0);
        QVERIFY(enfant<ZoneDessin>(&w, "Pic_Prof_Proj")->vue().segments.empty());
        outils::capture(&w, QStringLiteral("fenetre_principale"));
    }

    // Someone clicking at a block's place hits the named control.
    void placesDesBlocs() {
        Interface w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        struct Bloc {
            const char* nom;
            QRect place;
        };
        const Bloc blocs[] = {
            {"Frame3", {8, 0, 185, 57}},          {"Frame1", {8, 56, 185, 89}},
            {"Frame2", {8, 144, 185, 89}},        {"Bt_Calc", {8, 240, 185, 25}},
            {"Frame4", {8, 264, 185, 169}},       {"Bt_Load_Proj", {8, 440, 129, 25}},
            {"Bt_Save_Proj", {8, 464, 129, 25}},  {"Bt_Quit", {144, 440, 49, 49}},
            {"Pic_Prof_Ini", {200, 8, 533, 133}}, {"Plan_Ini", {200, 144, 267, 200}},
            {"Plan_Final", {464, 144, 267, 200}}, {"Pic_Prof_Proj", {200, 344, 533, 141}},
        };
        for (const Bloc& b : blocs) {
            QWidget* c = enfant<QWidget>(&w, b.nom);
            QCOMPARE(c->geometry(), b.place);
            if (QString::fromLatin1(b.nom).startsWith(QLatin1String("Frame"))) continue;
            QWidget* touche = w.childAt(b.place.center());
            QVERIFY2(touche == c || c->isAncestorOf(touche), b.nom);
        }
        // The fields of the frames are inside their frames, each at its own place.
        const char* champs[] = {"Txt_Long", "txt_fleche", "txt_corde_empl", "txt_href_empl",
                                "txt_vril_empl2", "txt_corde_saum", "txt_href_saum",
                                "txt_vril_saum2", "Txt_Vrill_Saum_Final", "Bt_Sauve_Prof",
                                "Bt_Opt_Href_Saum", "Bt_Prof_Empl", "bt_prof_saum"};
        for (const char* n : champs) {
            QWidget* c = enfant<QWidget>(&w, n);
            const QPoint centre = c->mapTo(&w, c->rect().center());
            QCOMPARE(w.childAt(centre), c);
        }
    }

    void entreeEtSortieDeChampRelancentLeTrace_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<bool>("parEntree");
        for (const char* n : {"Txt_Long", "txt_fleche", "txt_corde_empl", "txt_href_empl",
                              "txt_corde_saum", "txt_href_saum"}) {
            QTest::newRow((QByteArray(n) + " Entrée").constData()) << QString::fromLatin1(n) << true;
            QTest::newRow((QByteArray(n) + " sortie").constData()) << QString::fromLatin1(n) << false;
        }
    }

    void entreeEtSortieDeChampRelancentLeTrace() {
        QFETCH(QString, nom);
        QFETCH(bool, parEntree);
        Interface w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.activateWindow();
        auto* champ = w.findChild<QLineEdit*>(nom);
        const ortix::Vue avant = enfant<ZoneDessin>(&w, "Plan_Ini")->vue();
        outils::saisir(champ, QStringLiteral("123"));
        QCOMPARE(w.modele().champs.Txt_Long + w.modele().champs.txt_fleche +
                     w.modele().champs.txt_corde_empl + w.modele().champs.txt_href_empl +
                     w.modele().champs.txt_corde_saum + w.modele().champs.txt_href_saum,
                 std::string("4003504002010020"));
        if (parEntree) QTest::keyClick(champ, Qt::Key_Return);
        else enfant<QWidget>(&w, "txt_vril_empl2")->setFocus(Qt::TabFocusReason);
        QCOMPARE(QString::fromStdString(w.modele().champs.Txt_Long + w.modele().champs.txt_fleche +
                                        w.modele().champs.txt_corde_empl +
                                        w.modele().champs.txt_href_empl +
                                        w.modele().champs.txt_corde_saum +
                                        w.modele().champs.txt_href_saum)
                     .count(QStringLiteral("123")),
                 1);
        // The height fields move no planform line; the others do.
        const bool hauteur = nom.contains(QLatin1String("href"));
        const ortix::Vue apres = enfant<ZoneDessin>(&w, "Plan_Ini")->vue();
        bool bouge = false;
        for (size_t i = 0; i < apres.formes.size(); ++i)
            bouge |= !(apres.formes[i].a == avant.formes[i].a && apres.formes[i].b == avant.formes[i].b);
        QCOMPARE(bouge, !hauteur);
    }

    void clavierNumeriqueEtVrillages() {
        Interface w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* vrillage = enfant<QLineEdit>(&w, "txt_vril_empl2");
        outils::saisir(vrillage, QStringLiteral("10"));
        QTest::keyClick(vrillage, Qt::Key_Enter, Qt::KeypadModifier);
        const ortix::Vue& ini = enfant<ZoneDessin>(&w, "Pic_Prof_Ini")->vue();
        QVERIFY(qAbs(ini.segments[0].a.x + 393.92) < 0.01);
        QVERIFY(qAbs(ini.segments[0].a.y - (20 - 69.46)) < 0.01);
        auto* vrillageSaum = enfant<QLineEdit>(&w, "txt_vril_saum2");
        outils::saisir(vrillageSaum, QStringLiteral("5"));
        enfant<QWidget>(&w, "Txt_Long")->setFocus(Qt::TabFocusReason);
        QVERIFY(ini.segments[2].a.y < 20); // the tip trailing edge went down
    }

    void cliqueDansLesProfilsInitiauxRetrace() {
        Interface w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        enfant<QLineEdit>(&w, "Txt_Long")->setText(QStringLiteral("800"));
        QCOMPARE(texte(w, "Txt_Lg_Final"), QStringLiteral("597.36"));
        QTest::mouseClick(enfant<QWidget>(&w, "Pic_Prof_Ini"), Qt::LeftButton, {}, QPoint(100, 60));
        QVERIFY(texte(w, "Txt_Lg_Final") != QStringLiteral("597.36"));
        // A click in the projected view before any airfoil does nothing.
        QTest::mouseClick(enfant<QWidget>(&w, "Pic_Prof_Proj"), Qt::LeftButton, {}, QPoint(100, 60));
        QCOMPARE(texte(w, "Txt_Href_Empl_final"), QStringLiteral("---"));
    }

    void entreesDegenerees_data() {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("saisie");
        QTest::addColumn<bool>("message");
        QTest::newRow("L nulle") << "Txt_Long" << "0" << true;
        QTest::newRow("L lettres") << "Txt_Long" << "abc" << true;
        QTest::newRow("L 1e999") << "Txt_Long" << "1e999" << true;
        QTest::newRow("fleche 1e308") << "txt_fleche" << "1e308" << true;
        QTest::newRow("corde nulle") << "txt_corde_empl" << "0" << false;
        QTest::newRow("corde negative") << "txt_corde_empl" << "-400" << false;
        QTest::newRow("hauteur 1e999") << "txt_href_empl" << "1e999" << true;
        QTest::newRow("vide") << "txt_corde_saum" << "" << false;
        QTest::newRow("virgule") << "txt_fleche" << "12,5" << false;
    }

    void entreesDegenerees() {
        QFETCH(QString, nom);
        QFETCH(QString, saisie);
        QFETCH(bool, message);
        Interface w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* champ = w.findChild<QLineEdit*>(nom);
        outils::saisir(champ, saisie);
        QTest::keyClick(champ, Qt::Key_Return);
        for (const char* n : {"Txt_Lg_Final", "Txt_Fleche_Final", "Txt_Corde_Final"}) {
            const QString t = texte(w, n);
            bool nombre = false;
            t.toDouble(&nombre);
            QVERIFY2(t == QStringLiteral("---") || (nombre && !t.contains(QLatin1Char('e')) &&
                                                    !t.contains(QLatin1String("inf")) &&
                                                    !t.contains(QLatin1String("nan"))),
                     qPrintable(t));
        }
        QVERIFY(!enfant<QLabel>(&w, "Label32")->text().contains(QLatin1String("nan")));
        QCOMPARE(!enfant<QLabel>(&w, "Lbl_Etat")->text().isEmpty(), message);
        w.repaint(); // painting a degenerate view must not fail
        // The next valid edit restores everything.
        outils::saisir(champ, w.findChild<QLineEdit*>(nom) == enfant<QLineEdit>(&w, "Txt_Long")
                                  ? QStringLiteral("400")
                                  : QString::fromStdString(ortix::Champs{}.txt_fleche));
        QTest::keyClick(champ, Qt::Key_Return);
        if (nom == QLatin1String("Txt_Long") || nom == QLatin1String("txt_fleche")) {
            QCOMPARE(texte(w, "Txt_Lg_Final"), QStringLiteral("597.36"));
            QVERIFY(enfant<QLabel>(&w, "Lbl_Etat")->text().isEmpty());
        }
    }
};

QTEST_MAIN(TestInterface)
#include "tst_interface.moc"
