// The tip reference-height dialog: opening, re-opening, the slider and each
// apply button, driven on the real window.
#include "Outils.h"
#include "app/qt/Interface.h"
#include "geometry/qt/Opti_Href.h"
#include "model/Nombres.h"
#include "files/qt/Charge_Fichier.h"
#include "files/qt/PanneauFichiers.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using outils::enfant;

namespace {

// A window with the clark Y at the root and the RG-15 at the tip, twisted and
// with dihedral, ready for "Opti.".
struct Banc {
    QTemporaryDir dossier;
    QString ancien = QDir::currentPath();
    std::unique_ptr<Interface> w;
    QStringList messages;

    Banc() {
        QDir::setCurrent(dossier.path());
        outils::copierDonnee(QStringLiteral("clarky.dat"), dossier.path());
        outils::copierDonnee(QStringLiteral("rg15.dat"), dossier.path());
        w = std::make_unique<Interface>();
        w->messager = [this](const QString&, const QString& m) { messages << m; };
        w->show();
        charger(w->chargeFichier(), "Bt_Prof_Empl", QStringLiteral("clarky.dat"));
        charger(w->chargeFichier(), "bt_prof_saum", QStringLiteral("rg15.dat"));
        saisir("txt_vril_empl2", QStringLiteral("3"));
        saisir("txt_vril_saum2", QStringLiteral("-2"));
        saisir("txt_href_saum", QStringLiteral("40.125"));
    }
    ~Banc() {
        w.reset();
        QDir::setCurrent(ancien);
    }
    void charger(Charge_Fichier* c, const char* bouton, const QString& nom) {
        QTest::mouseClick(enfant<QPushButton>(w.get(), bouton), Qt::LeftButton);
        c->panneau()->rafraichir();
        outils::cliquerEntree(c->panneau()->Fichiers(), nom, true);
    }
    void saisir(const char* champ, const QString& texte) {
        auto* e = enfant<QLineEdit>(w.get(), champ);
        outils::saisir(e, texte);
        QTest::keyClick(e, Qt::Key_Return);
    }
    QString texte(QWidget* parent, const char* nom) { return enfant<QLineEdit>(parent, nom)->text(); }
    Opti_Href* ouvrir() {
        QTest::mouseClick(enfant<QPushButton>(w.get(), "Bt_Opt_Href_Saum"), Qt::LeftButton);
        return w->optiHref();
    }
};

double val(const QString& t) { return ortix::Val(t.toStdString()); }

} // namespace

class TestOpti : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

    void ouvertureEtTextes() {
        Banc b;
        QVERIFY(b.w->optiHref() == nullptr); // created at its first use
        Opti_Href* o = b.ouvrir();
        QVERIFY(o && o->isVisible());
        QVERIFY(!o->isModal());
        QCOMPARE(o->windowTitle(), QStringLiteral("Optimisation de la hauteur de ligne de base du saumon"));
        QCOMPARE(enfant<QPlainTextEdit>(o, "Text1")->toPlainText(),
                 QStringLiteral("Lors du calcul de tronçon présentant un vrillage important et du \n"
                                "dièdre, une cassure peut se créer dans le profil projeté au saumon, au niveau du \n"
                                "bord de fuite de ce dernier.\n"
                                "Pour limiter ce phénomène, il est possible de jouer sur la hauteur de \n"
                                "la ligne de base du saumon, ce qui modifie le dièdre du projet.\n"));
        // Opening ran the computation: final figures and saving are there.
        QVERIFY(enfant<QPushButton>(b.w.get(), "Bt_Sauve_Prof")->isEnabled());
        QCOMPARE(b.texte(o, "Txt_NOP"), QStringLiteral("40.13"));
        // A = He - Ce sin Te + Cs sin Ts with the default chords 400 and 100, He = 20.
        const double pi = 4 * std::atan(1.0);
        const double A = 20 - 400 * std::sin(3 * pi / 180) + 100 * std::sin(-2 * pi / 180);
        QCOMPARE(b.texte(o, "Txt_Align"), QString::fromStdString(ortix::Format(A, "#0.00")));
        const QString I = b.texte(o, "txt_int"), E = b.texte(o, "txt_ext");
        QVERIFY(!I.isEmpty() && !E.isEmpty());
        QVERIFY(enfant<QLineEdit>(o, "txt_int")->isReadOnly());
        // The slider starts at 50: the blend is the mean of the two texts as shown.
        auto* curseur = enfant<QSlider>(o, "Curseur");
        QCOMPARE(curseur->value(), 50);
        QCOMPARE(curseur->minimum(), 0);
        QCOMPARE(curseur->maximum(), 100);
        QCOMPARE(b.texte(o, "Txt_Opt"), QString::fromStdString(ortix::Format((val(I) + val(E)) / 2, "#0.00")));
        curseur->setValue(0);
        QCOMPARE(b.texte(o, "Txt_Opt"), I);
        curseur->setValue(100);
        QCOMPARE(b.texte(o, "Txt_Opt"), E);
        // Arrow and page steps move by 1 and 10.
        curseur->setFocus();
        QTest::keyClick(curseur, Qt::Key_Left);
        QCOMPARE(curseur->value(), 99);
        QTest::keyClick(curseur, Qt::Key_PageDown);
        QCOMPARE(curseur->value(), 89);
        QCOMPARE(b.texte(o, "Txt_Opt"),
                 QString::fromStdString(ortix::Format(val(I) + (val(E) - val(I)) * 89 / 100, "#0.00")));
        // Dragging the thumb also recomputes.
        curseur->setSliderDown(true);
        curseur->setSliderPosition(20);
        curseur->setSliderDown(false);
        QCOMPARE(b.texte(o, "Txt_Opt"),
                 QString::fromStdString(ortix::Format(val(I) + (val(E) - val(I)) * 20 / 100, "#0.00")));
        QVERIFY(b.messages.isEmpty());
    }

    void boutonsAppliquent_data() {
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<QString>("champ");
        QTest::newRow("garder") << "Bt_NOP" << "Txt_NOP";
        QTest::newRow("aligner") << "Bt_Align" << "Txt_Align";
        QTest::newRow("optimiser") << "Bt_Opti" << "Txt_Opt";
    }

    void boutonsAppliquent() {
        QFETCH(QString, bouton);
        QFETCH(QString, champ);
        Banc b;
        Opti_Href* o = b.ouvrir();
        const QString align = b.texte(o, "Txt_Align"), I = b.texte(o, "txt_int"), E = b.texte(o, "txt_ext");
        const QString attendu = o->findChild<QLineEdit*>(champ)->text();
        QTest::mouseClick(o->findChild<QPushButton*>(bouton), Qt::LeftButton);
        QVERIFY(!o->isVisible());
        QCOMPARE(b.texte(b.w.get(), "txt_href_saum"), attendu);
        // The panel was refreshed and computed again with the new height.
        QVERIFY(enfant<QPushButton>(b.w.get(), "Bt_Sauve_Prof")->isEnabled());
        QCOMPARE(b.w->modele().champs.txt_href_saum, attendu.toStdString());
        // Candidates do not depend on the tip height; "keep" then shows the applied one.
        o = b.ouvrir();
        QCOMPARE(b.texte(o, "Txt_Align"), align);
        QCOMPARE(b.texte(o, "txt_int"), I);
        QCOMPARE(b.texte(o, "txt_ext"), E);
        QCOMPARE(b.texte(o, "Txt_NOP"), attendu);
    }

    void hauteurSaisieEstAppliquee() {
        Banc b;
        Opti_Href* o = b.ouvrir();
        outils::saisir(enfant<QLineEdit>(o, "Txt_Align"), QStringLiteral("17.456"));
        QTest::mouseClick(enfant<QPushButton>(o, "Bt_Align"), Qt::LeftButton);
        QCOMPARE(b.texte(b.w.get(), "txt_href_saum"), QStringLiteral("17.46"));
    }

    void fermetureEtReouverture() {
        Banc b;
        Opti_Href* o = b.ouvrir();
        enfant<QSlider>(o, "Curseur")->setValue(30);
        const QString avant = b.texte(b.w.get(), "txt_href_saum");
        o->close(); // the close box applies nothing
        QVERIFY(!o->isVisible());
        QCOMPARE(b.texte(b.w.get(), "txt_href_saum"), avant);
        // Re-opening finds the same single dialog, its slider where it was.
        Opti_Href* encore = b.ouvrir();
        QCOMPARE(encore, o);
        QVERIFY(encore->isVisible());
        QCOMPARE(enfant<QSlider>(o, "Curseur")->value(), 30);
        // "Opti." while open refills it.
        b.saisir("txt_vril_empl2", QStringLiteral("0"));
        b.saisir("txt_vril_saum2", QStringLiteral("0"));
        QCOMPARE(b.ouvrir(), o);
        QCOMPARE(b.texte(o, "Txt_Align"), QStringLiteral("20.00")); // zero twists: the root height
    }

    // A tip whose last segment is vertical has no lower-surface slope: that
    // candidate and the blend are empty, their buttons disabled, the others usable.
    void candidatSansPente() {
        Banc b;
        QFile source(QStringLiteral(ORTIX_TEST_DATA "/rg15.dat"));
        QVERIFY(source.open(QIODevice::ReadOnly));
        QFile bout(b.dossier.filePath(QStringLiteral("bout.dat")));
        QVERIFY(bout.open(QIODevice::WriteOnly));
        bout.write(source.readAll() + "\n1.00000 0.00500\n");
        bout.close();
        b.charger(b.w->chargeFichier(), "bt_prof_saum", QStringLiteral("bout.dat"));
        QCOMPARE(b.texte(b.w.get(), "txt_prof_saum"), QStringLiteral("bout.dat"));
        Opti_Href* o = b.ouvrir();
        QVERIFY(o && o->isVisible());
        QVERIFY(b.texte(o, "txt_int").isEmpty());
        QVERIFY(!b.texte(o, "txt_ext").isEmpty());
        QVERIFY(b.texte(o, "Txt_Opt").isEmpty());
        QVERIFY(!enfant<QPushButton>(o, "Bt_Opti")->isEnabled());
        QVERIFY(enfant<QPushButton>(o, "Bt_Align")->isEnabled());
        QVERIFY(enfant<QPushButton>(o, "Bt_NOP")->isEnabled());
        QTest::mouseClick(enfant<QPushButton>(o, "Bt_Align"), Qt::LeftButton);
        QCOMPARE(b.texte(b.w.get(), "txt_href_saum"), b.texte(o, "Txt_Align"));
    }

    void calculRefuseNOuvrePas() {
        Banc b;
        b.saisir("Txt_Long", QStringLiteral("0"));
        QTest::mouseClick(enfant<QPushButton>(b.w.get(), "Bt_Opt_Href_Saum"), Qt::LeftButton);
        QVERIFY(b.w->optiHref() == nullptr || !b.w->optiHref()->isVisible());
        QCOMPARE(b.messages.size(), 1);
        QVERIFY(b.messages[0].contains(QStringLiteral("Longueur")));
    }
};

QTEST_MAIN(TestOpti)
#include "tst_opti.moc"
