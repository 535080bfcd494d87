// The cut in the window: the G-code saved with the profiles, the same bytes as
// the batch command's; a refused cut, which writes nothing; the machine
// profile's dialog; the preview following the panel.
#include "Banc.h"
#include "files/Chemins.h"
#include "files/Date.h"
#include "files/FichierMachine.h"
#include "files/qt/Machine_Decoupe.h"
#include "geometry/qt/Apercu_Decoupe.h"
#include "model/Nombres.h"
#include "tests/support/Support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QSettings>
#include <QSlider>
#include <QTableWidget>
#include <QTest>

using ortix::essais::Contenu;

namespace {

// The machine profile the window starts with, among the test data's.
void profilAuDemarrage(const char* profil) {
    QSettings(QStringLiteral("Ortix"), QStringLiteral("Ortix"))
        .setValue(QStringLiteral("machine/profil"),
                  QStringLiteral(ORTIX_TEST_DATA "/machines/") + QLatin1String(profil));
}

// aile1 loaded and computed, its output dialog open with the cut's box checked.
QDialog* sortieAvecDecoupe(Banc& b) {
    b.w->Charge_Projet(b.chemin(QStringLiteral("aile1.ortix")));
    QTest::mouseClick(b.bouton("Bt_Calc"), Qt::LeftButton);
    QTest::mouseClick(b.bouton("Bt_Sauve_Prof"), Qt::LeftButton);
    auto* sortie = b.dialogue<QDialog>("Sauv_Profil");
    auto* gcode = enfant<QAbstractButton>(sortie, "Chk_GCode");
    if (gcode->isChecked()) qFatal("la découpe est cochée à la première ouverture");
    gcode->click();
    return sortie;
}

} // namespace

class TestDecoupe : public QObject {
    Q_OBJECT

  private slots:
    // Settings of their own: the other window tests, which may run meanwhile,
    // start with the default profile.
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QStringLiteral(ORTIX_TEST_OUT "/config-decoupe"));
    }

    void cleanup() {
        QSettings reglages(QStringLiteral("Ortix"), QStringLiteral("Ortix"));
        reglages.remove(QStringLiteral("machine/profil"));
        reglages.remove(QStringLiteral("sortie/papier"));
    }

    // The box adds the cut to the files, the caption counting it, and the window
    // writes the very bytes the batch command writes for the project and profile.
    void decoupeEcrite() {
        profilAuDemarrage("linuxcnc.profil");
        Banc b({QStringLiteral("lots/projets/aile1.ortix")});
        QDialog* sortie = sortieAvecDecoupe(b);
        auto* sauve = enfant<QPushButton>(sortie, "Bt_Sauve");
        QCOMPARE(sauve->text(), QStringLiteral("Enregistrer les quatre fichiers"));
        QCOMPARE(enfant<QLabel>(sortie, "Lbl_Machine")->text(),
                 QStringLiteral("Machine : linuxcnc.profil"));
        QTest::mouseClick(sauve, Qt::LeftButton);
        QTRY_VERIFY(!sortie->isVisible());
        QVERIFY2(b.messages.last().second.contains(u"Aile1_Decoupe.ngc\n"),
                 qPrintable(b.messages.last().second));
        for (auto [nom, octets] : FichiersDuLot("gcode_aile1_linuxcnc")) {
            for (std::size_t i; (i = octets.find("@DATE@")) != std::string::npos;)
                octets.replace(i, 6, ortix::fichiers::plateforme::Date_Du_Jour());
            QVERIFY2(Contenu(b.chemin(QString::fromStdString(nom)).toStdString()) == octets,
                     nom.c_str());
        }
    }

    // A cut the core refuses writes no file at all, and the refusal is shown.
    void decoupeRefusee() {
        profilAuDemarrage("refus_angle.profil");
        Banc b({QStringLiteral("lots/projets/aile1.ortix")});
        QDialog* sortie = sortieAvecDecoupe(b);
        QTest::mouseClick(enfant<QPushButton>(sortie, "Bt_Sauve"), Qt::LeftButton);
        QTRY_VERIFY(!b.messages.isEmpty());
        QVERIFY(b.messages.last().second.contains(u"angle_fil_max = 3°"));
        QVERIFY(b.messages.last().second.endsWith(u"Aucun fichier n'a été écrit."));
        QCOMPARE(b.dossier.entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("aile1.ortix")});
    }

    // The machine's dialog: each field refused as it is left, the refusal beside
    // it and « OK » disabled while it stands; a dialect brings its letters and
    // feed; the kerf table; a profile written and read back as it was.
    void dialogueMachine() {
        Banc b({QStringLiteral("lots/projets/aile1.ortix")});
        QDialog* sortie = sortieAvecDecoupe(b);
        QTest::mouseClick(enfant<QPushButton>(sortie, "Bt_Machine"), Qt::LeftButton);
        auto* d = b.dialogue<Machine_Decoupe>("Machine_Decoupe");
        QVERIFY(d->isVisible());
        auto* ok = enfant<QPushButton>(d, "Bt_OK");
        auto* message = enfant<QLabel>(d, "Lbl_Message");
        for (QLineEdit* champ : d->findChildren<QLineEdit*>()) {
            if (!champ->isEnabled()) continue;
            const QString avant = champ->text();
            saisir(champ, QStringLiteral("x"));
            QTest::keyClick(champ, Qt::Key_Return);
            QVERIFY2(!ok->isEnabled() && message->text().startsWith(u"Valeur refusée : "),
                     qPrintable(champ->objectName()));
            saisir(champ, avant);
            QTest::keyClick(champ, Qt::Key_Return);
            QVERIFY2(ok->isEnabled(), qPrintable(message->text()));
        }
        const std::vector<ortix::fichiers::CleMachine> cles = ortix::fichiers::Cles_Machine({});
        auto champ = [&](const std::string& cle) {
            const auto k =
                std::find_if(cles.begin(), cles.end(), [&](const auto& c) { return c.nom == cle; });
            return enfant<QWidget>(d, ("Champ_" + std::to_string(k - cles.begin())).c_str());
        };
        // A refused axis whose letter a new dialect renames is refused no more.
        saisir(qobject_cast<QLineEdit*>(champ("course_U")), QStringLiteral("x"));
        QTest::keyClick(champ("course_U"), Qt::Key_Return);
        QVERIFY(!ok->isEnabled());
        qobject_cast<QComboBox*>(champ("dialecte"))->setCurrentText(QStringLiteral("grbl"));
        QVERIFY(ok->isEnabled());
        QCOMPARE(qobject_cast<QLineEdit*>(champ("course_U"))->text(), QStringLiteral("-100:900"));
        qobject_cast<QComboBox*>(champ("dialecte"))->setCurrentText(QStringLiteral("marlin"));
        QCOMPARE(qobject_cast<QComboBox*>(champ("avance"))->currentText(), QStringLiteral("g94"));
        saisir(qobject_cast<QLineEdit*>(champ("ecart_tours")), QStringLiteral("950.5"));
        QTest::keyClick(champ("ecart_tours"), Qt::Key_Return);
        enfant<QAbstractButton>(d, "Chk_Table")->click();
        QVERIFY(!ok->isEnabled()); // two empty rows
        auto* table = enfant<QTableWidget>(d, "Tab_Saignee");
        for (int i = 0; i < 4; ++i)
            table->setItem(i / 2, i % 2, new QTableWidgetItem(QString::number(1 + i)));
        QVERIFY(ok->isEnabled());
        const ortix::ProfilMachine edite = d->profil();
        QCOMPARE(edite.ecartTours, 950.5);
        QCOMPARE(edite.saigneeVitesse.size(), std::size_t(2));
        QCOMPARE(edite.dialecte, ortix::Dialecte::Marlin);
        const auto chemin = ortix::fichiers::Chemin_Depuis_Utf8(
            b.chemin(QStringLiteral("fil chaud.profil")).toStdString());
        d->enregistrer(chemin);
        d->ouvrir(ortix::essais::Donnee("machines/grbl.profil"));
        QVERIFY(!(d->profil() == edite));
        d->ouvrir(chemin);
        QVERIFY(d->profil() == edite);
        // Its kerf table shown as typed, standing for both constant kerfs.
        QString lu;
        for (int i = 0; i < 4; ++i)
            lu +=
                table->item(i / 2, i % 2) ? table->item(i / 2, i % 2)->text() : QStringLiteral("?");
        QCOMPARE(lu, QStringLiteral("1234"));
        QVERIFY(!champ("saignee_emplanture")->isEnabled() && !champ("saignee_saumon")->isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(enfant<QLabel>(sortie, "Lbl_Machine")->text(),
                 QStringLiteral("Machine : fil chaud.profil"));
        QCOMPARE(QSettings(QStringLiteral("Ortix"), QStringLiteral("Ortix"))
                     .value(QStringLiteral("machine/profil"))
                     .toString(),
                 b.chemin(QStringLiteral("fil chaud.profil")));
    }

    // The preview: the wire at the slider's ends stands at the first and last
    // moves read back, the speeds shown are the simulator's; it follows the
    // panel, a refresh asking for a computation; a refused cut shows no path.
    void apercu() {
        profilAuDemarrage("linuxcnc.profil");
        Banc b({QStringLiteral("lots/projets/aile1.ortix")});
        QDialog* sortie = sortieAvecDecoupe(b);
        QTest::mouseClick(enfant<QPushButton>(sortie, "Bt_Apercu"), Qt::LeftButton);
        auto* a = b.dialogue<Apercu_Decoupe>("Apercu_Decoupe");
        QVERIFY(a->isVisible());
        auto* curseur = enfant<QSlider>(a, "Sld_Temps");
        const auto& mv = a->apercu().gcode.simulation.mouvements;
        QVERIFY(!mv.empty());
        curseur->setValue(curseur->maximum());
        QCOMPARE(a->instant().tour, mv.back().tour);
        curseur->setValue(0);
        QCOMPARE(a->instant().tour, mv.front().tour);
        curseur->setValue(Apercu_Decoupe::Pas / 3);
        const auto& ici = mv[a->instant().mouvement];
        QVERIFY(ici.coupe);
        QCOMPARE(enfant<QLabel>(a, "Lbl_Vitesses")->text(),
                 QStringLiteral("Vitesse : emplanture %1 mm/s, saumon %2 mm/s")
                     .arg(QString::fromStdString(ortix::Format(ici.vitesse[0], "#0.00")),
                          QString::fromStdString(ortix::Format(ici.vitesse[1], "#0.00"))));
        QCOMPARE(enfant<QLabel>(a, "Lbl_Ligne")->text(),
                 QStringLiteral("Ligne %1 : ").arg(ici.ligne) + QString::fromStdString(ici.texte));
        auto* constats = enfant<QListWidget>(a, "Lst_Constats");
        QVERIFY(constats->count() > 4);

        // A field left refreshes the panel, whose projected profiles are then stale.
        saisir(b.champ("Txt_Long"), QStringLiteral("600"));
        b.champ("txt_fleche")->setFocus(Qt::TabFocusReason);
        QCOMPARE(constats->item(0)->text(), QStringLiteral("Calculez les nouveaux profils."));
        QVERIFY(a->apercu().gcode.simulation.mouvements.empty());
        QTest::mouseClick(b.bouton("Bt_Calc"), Qt::LeftButton);
        QVERIFY(!a->apercu().gcode.simulation.mouvements.empty());

        // A new profile whose wire would lean too far: the refusal, no path.
        QTest::mouseClick(enfant<QPushButton>(sortie, "Bt_Machine"), Qt::LeftButton);
        auto* d = b.dialogue<Machine_Decoupe>("Machine_Decoupe");
        d->ouvrir(ortix::essais::Donnee("machines/refus_angle.profil"));
        QTest::mouseClick(enfant<QPushButton>(d, "Bt_OK"), Qt::LeftButton);
        QVERIFY(a->apercu().gcode.simulation.mouvements.empty());
        QVERIFY(constats->item(0)->text().contains(u"angle_fil_max"));
    }

    // A name too long for its field is elided in the middle, whole in its
    // tooltip and while edited, and the file takes it whole.
    void nomsLongs() {
        Banc b({QStringLiteral("lots/projets/aile1.ortix")});
        QDialog* sortie = sortieAvecDecoupe(b);
        QApplication::setActiveWindow(sortie); // so that its fields take the focus
        const QString projet = QStringLiteral("Aile de planeur de pente, panneau extérieur gauche");
        saisir(enfant<QLineEdit>(sortie, "Txt_Nom_proj"), projet);
        auto* data = enfant<QLineEdit>(sortie, "Txt_Nom_Fich_Data");
        data->setFocus(Qt::TabFocusReason);
        const QString entier = projet + QStringLiteral("_Data_Troncon.txt");
        QCOMPARE(data->text(), entier);
        enfant<QLineEdit>(sortie, "Txt_Nom_Fich_Empl")->setFocus(Qt::TabFocusReason);
        QVERIFY2(data->text().contains(QChar(0x2026)) && data->text() != entier,
                 qPrintable(data->text()));
        QVERIFY(data->toolTip().contains(QStringLiteral("gauche_Data_Troncon.txt")));
        QTest::mouseClick(enfant<QPushButton>(sortie, "Bt_Sauve"), Qt::LeftButton);
        QTRY_VERIFY(!sortie->isVisible());
        QVERIFY(QFile::exists(b.chemin(entier)));
    }

    // The templates' paper, A4 at first, is remembered for the next start.
    void papierRetenu() {
        for (const QString& attendu : {QStringLiteral("A4"), QStringLiteral("A3")}) {
            Banc b({QStringLiteral("lots/projets/aile1.ortix")});
            auto* papier = enfant<QComboBox>(sortieAvecDecoupe(b), "Cmb_Papier");
            QCOMPARE(papier->currentText(), attendu);
            papier->setCurrentText(QStringLiteral("A3"));
        }
    }

    // A tip that folds back: the output dialog repeats the status line's
    // sentence above its buttons; none otherwise.
    void repliRepete() {
        Banc b(
            {QStringLiteral("lots/projets/p00.ortix"), QStringLiteral("lots/projets/aile1.ortix")});
        for (const char* projet : {"p00.ortix", "aile1.ortix"}) {
            b.w->Charge_Projet(b.chemin(QString::fromLatin1(projet)));
            QTest::mouseClick(b.bouton("Bt_Calc"), Qt::LeftButton);
            QTest::mouseClick(b.bouton("Bt_Sauve_Prof"), Qt::LeftButton);
            const QString cassure = enfant<QLabel>(b.w.get(), "Lbl_Cassure")->text();
            const QString repli =
                enfant<QLabel>(b.dialogue<QDialog>("Sauv_Profil"), "Lbl_Repli")->text();
            QCOMPARE(repli, cassure.contains(u"revient") ? cassure : QString());
            QCOMPARE(repli.isEmpty(), projet[0] == 'a');
        }
    }

    // A profile that cannot be read at start: the default one, said once.
    void profilIllisibleAuDemarrage() {
        profilAuDemarrage("refus_lecture.profil");
        Banc b;
        QVERIFY(enfant<QLabel>(b.w.get(), "Lbl_Etat")
                    ->text()
                    .endsWith(u"Le profil machine par défaut est utilisé."));
        QVERIFY(b.messages.isEmpty());
    }
};

QTEST_MAIN(TestDecoupe)
#include "tst_decoupe.moc"
