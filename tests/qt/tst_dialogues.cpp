// The file dialogs driven as a user would: the chooser and its routing, the
// enabling rule, the computation, the output dialog, the project dialogs and
// the settings file.
#include "Outils.h"
#include "app/qt/Interface.h"
#include "files/qt/Charge_Fichier.h"
#include "files/qt/Dialogues_Projet.h"
#include "files/qt/PanneauFichiers.h"
#include "files/qt/Sauv_Profil.h"
#include "geometry/qt/ZoneDessin.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using outils::enfant;

namespace {

struct Message {
    QString titre, texte;
};

// A window started in a fresh working folder holding a few airfoils, whose
// messages are collected instead of shown.
struct Banc {
    QTemporaryDir dossier;
    QString ancien = QDir::currentPath();
    std::unique_ptr<Interface> w;
    QList<Message> messages;

    Banc() {
        QDir::setCurrent(dossier.path());
        for (const char* f : {"clarky.dat", "rg15.dat", "e205.dat"})
            outils::copierDonnee(QString::fromLatin1(f), dossier.path());
        outils::copierDonnee(QStringLiteral("n0009sm.dat"), dossier.path(), QStringLiteral("NACA.DAT"));
        outils::copierDonnee(QStringLiteral("profils_refuses/impair.dat"), dossier.path());
        w = std::make_unique<Interface>();
        w->messager = [this](const QString& t, const QString& m) { messages.append({t, m}); };
        w->show();
        if (!QTest::qWaitForWindowExposed(w.get())) qWarning("fenêtre non exposée");
    }
    ~Banc() {
        w.reset();
        QDir::setCurrent(ancien);
    }
    QString chemin(const QString& nom) const { return dossier.filePath(nom); }
    QString texte(const char* nom) const { return enfant<QLineEdit>(w.get(), nom)->text(); }
    QPushButton* bouton(const char* nom) const { return enfant<QPushButton>(w.get(), nom); }

    // "..." of an end, then the file chosen in the chooser's list, then "Ouvrir".
    bool choisir(const char* boutonPoints, const QString& fichier, bool doubleClic = false) {
        QTest::mouseClick(bouton(boutonPoints), Qt::LeftButton);
        Charge_Fichier* c = w->chargeFichier();
        if (!c->isVisible()) return false;
        c->panneau()->rafraichir();
        if (!outils::cliquerEntree(c->panneau()->Fichiers(), fichier, doubleClic)) return false;
        if (!doubleClic) QTest::mouseClick(enfant<QPushButton>(c, "Bt_Ouvrir"), Qt::LeftButton);
        return !c->isVisible();
    }
};

} // namespace

class TestDialogues : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

    void choixDuProfilEtActivation() {
        Banc b;
        Charge_Fichier* c = b.w->chargeFichier();
        QCOMPARE(c->windowTitle(), QStringLiteral("Choix du profil"));
        QCOMPARE(c->size(), QSize(353, 207));
        QVERIFY(!c->isModal());
        // The file list shows the .dat files of the working folder, whatever their case.
        QTest::mouseClick(b.bouton("Bt_Prof_Empl"), Qt::LeftButton);
        QVERIFY(c->isVisible());
        QCOMPARE(enfant<QLabel>(c, "lbl_appelant")->text(), QStringLiteral("Emplanture"));
        QListWidget* liste = c->panneau()->Fichiers();
        QCOMPARE(liste->objectName(), QStringLiteral("Fichier"));
        QStringList noms;
        for (int i = 0; i < liste->count(); ++i) noms << liste->item(i)->text();
        QCOMPARE(noms, (QStringList{QStringLiteral("clarky.dat"), QStringLiteral("e205.dat"),
                                    QStringLiteral("impair.dat"), QStringLiteral("NACA.DAT"),
                                    QStringLiteral("rg15.dat")}));
        QCOMPARE(c->panneau()->dossierCourant(), QDir::toNativeSeparators(b.dossier.path()));
        // "Ouvrir" with nothing selected does nothing; the chooser stays.
        QTest::mouseClick(enfant<QPushButton>(c, "Bt_Ouvrir"), Qt::LeftButton);
        QVERIFY(c->isVisible());
        // The other end's "..." re-targets it.
        QTest::mouseClick(b.bouton("bt_prof_saum"), Qt::LeftButton);
        QCOMPARE(enfant<QLabel>(c, "lbl_appelant")->text(), QStringLiteral("Saumon"));
        QTest::mouseClick(enfant<QPushButton>(c, "Bt_Annul"), Qt::LeftButton);
        QVERIFY(!c->isVisible());
        QCOMPARE(b.texte("txt_prof_saum"), QStringLiteral("<-- Sélectionner"));

        // The root's file twice enables nothing; the tip's then enables the three buttons.
        QVERIFY(b.choisir("Bt_Prof_Empl", QStringLiteral("clarky.dat")));
        QCOMPARE(b.texte("txt_prof_empl"), QStringLiteral("clarky.dat"));
        QCOMPARE(enfant<QLabel>(b.w.get(), "Lbl_prof_empl")->text(), QStringLiteral(" CLARK Y AIRFOIL"));
        QCOMPARE(int(b.w->modele().Nb_Pts_Empl), 121);
        QVERIFY(b.choisir("Bt_Prof_Empl", QStringLiteral("e205.dat")));
        QCOMPARE(int(b.w->modele().Nb_Pts_Empl), 60);
        for (const char* n : {"Bt_Calc", "Bt_Save_Proj", "Bt_Opt_Href_Saum"})
            QVERIFY2(!b.bouton(n)->isEnabled(), n);
        QVERIFY(b.choisir("bt_prof_saum", QStringLiteral("NACA.DAT"), true)); // double click opens
        QCOMPARE(b.texte("txt_prof_saum"), QStringLiteral("NACA.DAT"));
        QCOMPARE(enfant<QLabel>(b.w.get(), "Lbl_Prof_Saum")->text(),
                 QStringLiteral("  NACA-0009 9.0% smoothed"));
        for (const char* n : {"Bt_Calc", "Bt_Save_Proj", "Bt_Opt_Href_Saum"})
            QVERIFY2(b.bouton(n)->isEnabled(), n);
        QVERIFY(b.messages.isEmpty());
        // The chooser kept its folder and selection.
        QTest::mouseClick(b.bouton("Bt_Prof_Empl"), Qt::LeftButton);
        QCOMPARE(c->panneau()->fichierSelectionne(), QStringLiteral("NACA.DAT"));
        c->hide();
    }

    void fichierRefuseNeChangeRien() {
        Banc b;
        QVERIFY(b.choisir("Bt_Prof_Empl", QStringLiteral("clarky.dat")));
        const ortix::Modele avant = b.w->modele();
        QVERIFY(b.choisir("Bt_Prof_Empl", QStringLiteral("impair.dat")));
        QCOMPARE(b.messages.size(), 1);
        QVERIFY(b.messages[0].texte.contains(QStringLiteral("impair.dat")));
        QVERIFY(b.w->modele() == avant);
        QCOMPARE(b.texte("txt_prof_empl"), QStringLiteral("clarky.dat"));
    }

    void erreurDAppelant() {
        Banc b;
        Charge_Fichier* c = b.w->chargeFichier();
        QTest::mouseClick(b.bouton("Bt_Prof_Empl"), Qt::LeftButton);
        enfant<QLabel>(c, "lbl_appelant")->setText(QStringLiteral("emplanture"));
        QVERIFY(outils::cliquerEntree(c->panneau()->Fichiers(), QStringLiteral("clarky.dat")));
        const ortix::Modele avant = b.w->modele();
        QTest::mouseClick(enfant<QPushButton>(c, "Bt_Ouvrir"), Qt::LeftButton);
        QCOMPARE(b.messages.size(), 1);
        QCOMPARE(b.messages[0].texte, QStringLiteral("Erreur d'appelant"));
        QVERIFY(!c->isVisible());
        QVERIFY(b.w->modele() == avant);
    }

    void calculEtSauvegardeDesProfils() {
        Banc b;
        QVERIFY(b.choisir("Bt_Prof_Empl", QStringLiteral("clarky.dat")));
        QVERIFY(b.choisir("bt_prof_saum", QStringLiteral("rg15.dat")));
        QVERIFY(!b.bouton("Bt_Sauve_Prof")->isEnabled());
        QTest::mouseClick(b.bouton("Bt_Calc"), Qt::LeftButton);
        QVERIFY(b.messages.isEmpty());
        QCOMPARE(b.texte("Txt_Href_Empl_final"), QStringLiteral("20.00"));
        QCOMPARE(b.texte("Txt_Vrill_Saum_Final"), QStringLiteral("0.00"));
        QVERIFY(b.bouton("Bt_Sauve_Prof")->isEnabled());
        auto* proj = enfant<ZoneDessin>(b.w.get(), "Pic_Prof_Proj");
        const int segments = int(proj->vue().segments.size());
        QCOMPARE(segments, b.w->modele().Nb_Pts_Empl_Proj + b.w->modele().Nb_Pts_Saum_Proj - 2);
        outils::capture(b.w.get(), QStringLiteral("fenetre_profils_projetes"));
        // A refresh clears the view and disables saving; a click in the view computes again.
        QTest::mouseClick(enfant<QWidget>(b.w.get(), "Pic_Prof_Ini"), Qt::LeftButton);
        QVERIFY(proj->vue().segments.empty());
        QVERIFY(!b.bouton("Bt_Sauve_Prof")->isEnabled());
        QTest::mouseClick(proj, Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(int(proj->vue().segments.size()), segments);
        QVERIFY(b.bouton("Bt_Sauve_Prof")->isEnabled());

        // The output dialog copies the figures and proposes the names.
        QTest::mouseClick(b.bouton("Bt_Sauve_Prof"), Qt::LeftButton);
        Sauv_Profil* s = b.w->sauvProfil();
        QVERIFY(s->isVisible());
        QVERIFY(!s->isModal());
        QCOMPARE(s->windowTitle(), QStringLiteral("Sauvegarde des profils calculés"));
        QCOMPARE(enfant<QLineEdit>(s, "Txt_Corde")->text(), b.texte("Txt_Corde_Final"));
        QCOMPARE(enfant<QLineEdit>(s, "Txt_Long")->text(), b.texte("Txt_Lg_Final"));
        QCOMPARE(enfant<QLineEdit>(s, "Txt_Nom_Fich_Empl")->text(),
                 QStringLiteral("Ortix_Empl_C301.0_H20.0_L0.0_V.0.dat"));
        QCOMPARE(enfant<QLineEdit>(s, "Txt_Nom_Fich_Saum")->text(),
                 QStringLiteral("Ortix_Saum_C301.0_H20.0_L597.4_V.0.dat"));
        QCOMPARE(enfant<QLineEdit>(s, "Txt_Nom_Fich_Data")->text(),
                 QStringLiteral("Ortix_Data_Troncon.txt"));

        // A click on a file names the project after it.
        QVERIFY(outils::cliquerEntree(s->panneau()->Fichiers(), QStringLiteral("e205.dat")));
        QCOMPARE(s->nomProjet(), QStringLiteral("e205"));
        QCOMPARE(enfant<QLineEdit>(s, "Txt_Nom_Fich_Data")->text(), QStringLiteral("e205_Data_Troncon.txt"));

        // Enter in the project name proposes afresh and writes at once.
        auto* nom = enfant<QLineEdit>(s, "Txt_Nom_proj");
        outils::saisir(nom, QStringLiteral("Aile1"));
        QTest::keyClick(nom, Qt::Key_Return);
        QVERIFY(!s->isVisible());
        QCOMPARE(b.messages.size(), 1);
        QCOMPARE(b.messages[0].titre, QStringLiteral("Sauvegarde effectuée"));
        const QString empl = QStringLiteral("Aile1_Empl_C301.0_H20.0_L0.0_V.0.dat");
        QVERIFY(b.messages[0].texte.startsWith(empl + QLatin1Char('\n')));
        QVERIFY(b.messages[0].texte.endsWith(QStringLiteral("Dans le dossier :\n") +
                                             QDir::toNativeSeparators(b.dossier.path())));
        for (const QString& f : {empl, QStringLiteral("Aile1_Saum_C301.0_H20.0_L597.4_V.0.dat"),
                                 QStringLiteral("Aile1_Data_Troncon.txt")})
            QVERIFY2(QFile::exists(b.chemin(f)), qPrintable(f));

        // The written profile loads back as an airfoil.
        QVERIFY(b.choisir("bt_prof_saum", empl));
        QCOMPARE(b.texte("txt_prof_saum"), empl);
        QVERIFY(enfant<QLabel>(b.w.get(), "Lbl_Prof_Saum")->text().startsWith(QStringLiteral("Emplanture base clarky.dat")));
        QCOMPARE(int(b.w->modele().Nb_Pts_Saum), int(b.w->modele().Nb_Pts_Empl_Proj));
        // Any later trace clears the view and disables saving.
        QVERIFY(!b.bouton("Bt_Sauve_Prof")->isEnabled());
        QVERIFY(proj->vue().segments.empty());
    }

    void nomsQuiSortentDuDossierRefuses() {
        Banc b;
        QVERIFY(b.choisir("Bt_Prof_Empl", QStringLiteral("clarky.dat")));
        QVERIFY(b.choisir("bt_prof_saum", QStringLiteral("rg15.dat")));
        QTest::mouseClick(b.bouton("Bt_Calc"), Qt::LeftButton);
        QTest::mouseClick(b.bouton("Bt_Sauve_Prof"), Qt::LeftButton);
        Sauv_Profil* s = b.w->sauvProfil();
        QDir().mkpath(b.chemin(QStringLiteral("sous")));
        s->panneau()->definirDossier(b.chemin(QStringLiteral("sous")));
        auto* nom = enfant<QLineEdit>(s, "Txt_Nom_proj");
        outils::saisir(nom, QStringLiteral("../../evil"));
        QTest::keyClick(nom, Qt::Key_Return);
        QCOMPARE(b.messages.size(), 1);
        QVERIFY(b.messages[0].texte.contains(QStringLiteral("../../evil")));
        QVERIFY(s->isVisible());
        QCOMPARE(QDir(b.chemin(QStringLiteral("sous"))).entryList(QDir::Files).size(), 0);
        QVERIFY(!QFile::exists(QDir(b.dossier.path()).filePath(QStringLiteral("../evil_Data_Troncon.txt"))));
        // A folder that cannot be written: the message names the file, the dialog stays.
        outils::saisir(nom, QStringLiteral("Aile"));
        QVERIFY(QDir(b.chemin(QStringLiteral("sous"))).removeRecursively());
        QTest::keyClick(nom, Qt::Key_Return);
        QCOMPARE(b.messages.size(), 2);
        QVERIFY2(b.messages[1].texte.contains(QStringLiteral("Aile_Data_Troncon.txt")),
                 qPrintable(b.messages[1].texte));
        QVERIFY(s->isVisible());
        QTest::mouseClick(enfant<QPushButton>(s, "Bt_Annul"), Qt::LeftButton);
        QVERIFY(!s->isVisible());
    }

    void projetAllerRetour() {
        Banc b;
        QVERIFY(b.choisir("Bt_Prof_Empl", QStringLiteral("clarky.dat")));
        QVERIFY(b.choisir("bt_prof_saum", QStringLiteral("rg15.dat")));
        outils::saisir(enfant<QLineEdit>(b.w.get(), "txt_vril_saum2"), QStringLiteral("-1.5"));
        outils::saisir(enfant<QLineEdit>(b.w.get(), "txt_href_saum"), QStringLiteral("12,5"));
        QTest::keyClick(enfant<QLineEdit>(b.w.get(), "txt_href_saum"), Qt::Key_Return);
        QTest::mouseClick(b.bouton("Bt_Save_Proj"), Qt::LeftButton);
        Sauv_Proj* sp = b.w->sauvProj();
        QVERIFY(sp->isVisible());
        QCOMPARE(sp->nomFichier(), QStringLiteral("Ortix.ortix"));
        auto* nom = enfant<QLineEdit>(sp, "Txt_Nom_Fichier");
        outils::saisir(nom, QStringLiteral("Aile1.ortix"));
        QTest::keyClick(nom, Qt::Key_Return);
        QVERIFY(!sp->isVisible());
        QCOMPARE(b.messages.size(), 1);
        QCOMPARE(b.messages[0].titre, QStringLiteral("Sauvegarde du projet"));
        QCOMPARE(b.messages[0].texte, QStringLiteral("Paramètres du projet enregistrés"));
        const ortix::Modele sauve = b.w->modele();

        // Another window loads it: fields, names and points come back.
        Banc autre;
        outils::copierDonnee(QStringLiteral("projets_refuses/compte_1001.ortix"), autre.dossier.path());
        QFile::copy(b.chemin(QStringLiteral("Aile1.ortix")), autre.chemin(QStringLiteral("Aile1.ortix")));
        QTest::mouseClick(autre.bouton("Bt_Load_Proj"), Qt::LeftButton);
        Charge_Proj* cp = autre.w->chargeProj();
        QVERIFY(cp->isVisible());
        QVERIFY(!enfant<QPushButton>(cp, "Bt_Charge")->isEnabled());
        // A refused project changes nothing and says why.
        const ortix::Modele avant = autre.w->modele();
        QVERIFY(outils::cliquerEntree(cp->panneau()->Fichiers(), QStringLiteral("compte_1001.ortix")));
        QVERIFY(enfant<QPushButton>(cp, "Bt_Charge")->isEnabled());
        QTest::mouseClick(enfant<QPushButton>(cp, "Bt_Charge"), Qt::LeftButton);
        QCOMPARE(autre.messages.size(), 1);
        QVERIFY(autre.messages[0].texte.contains(QStringLiteral("compte_1001.ortix")));
        QVERIFY(autre.w->modele() == avant);
        QVERIFY(cp->isVisible());
        // Double click loads.
        QVERIFY(outils::cliquerEntree(cp->panneau()->Fichiers(), QStringLiteral("Aile1.ortix"), true));
        QVERIFY(!cp->isVisible());
        QCOMPARE(autre.messages.size(), 1);
        const ortix::Modele& charge = autre.w->modele();
        QVERIFY(charge.champs == sauve.champs);
        QCOMPARE(charge.Lbl_prof_empl, std::string("CLARK Y AIRFOIL")); // less its leading blank
        QCOMPARE(charge.Nb_Pts_Saum, sauve.Nb_Pts_Saum);
        for (int i = 1; i <= charge.Nb_Pts_Empl; ++i)
            QVERIFY(qAbs(charge.Y_Empl(i) - sauve.Y_Empl(i)) <= 5e-7 * (1 + 1e-6));
        QCOMPARE(autre.w->sauvProfil()->nomProjet(), QStringLiteral("Aile1"));
        QCOMPARE(autre.texte("txt_href_saum"), QStringLiteral("12,5"));
        for (const char* n : {"Bt_Calc", "Bt_Save_Proj", "Bt_Opt_Href_Saum"})
            QVERIFY2(autre.bouton(n)->isEnabled(), n);
        QVERIFY(!autre.bouton("Bt_Sauve_Prof")->isEnabled());
        // The next save proposes the loaded name.
        QTest::mouseClick(autre.bouton("Bt_Save_Proj"), Qt::LeftButton);
        QCOMPARE(autre.w->sauvProj()->nomFichier(), QStringLiteral("Aile1.ortix"));
    }

    void reglagesEntreDeuxSessions() {
        QTemporaryDir ailleurs;
        QString ecrit;
        {
            Banc b;
            QVERIFY(!QFile::exists(b.chemin(QStringLiteral("ortix.ini"))));
            b.w->chargeFichier()->panneau()->definirDossier(ailleurs.path());
            b.w->close();
            QFile f(b.chemin(QStringLiteral("ortix.ini")));
            QVERIFY(f.open(QIODevice::ReadOnly));
            ecrit = QString::fromLatin1(f.readAll());
            const QStringList lignes = ecrit.split(QStringLiteral("\r\n"));
            QCOMPARE(lignes.size(), 15); // 14 lines, each ended by CR LF
            QCOMPARE(lignes[1], QStringLiteral("*** Repertoire de chargement des projets"));
            QCOMPARE(lignes[3], QDir::toNativeSeparators(b.dossier.path()));
            QCOMPARE(lignes[9], QDir::toNativeSeparators(ailleurs.path()));
            QCOMPARE(lignes[13], QStringLiteral("-=[ EOF ]=-"));
            // The next run, in the same working folder, opens the chooser there.
            Interface suivante;
            QCOMPARE(suivante.chargeFichier()->panneau()->dossierCourant(),
                     QDir::toNativeSeparators(ailleurs.path()));
            QCOMPARE(suivante.sauvProj()->panneau()->dossierCourant(),
                     QDir::toNativeSeparators(b.dossier.path()));
        }
    }

    void panneauDesDossiers() {
        Banc b;
        QDir(b.dossier.path()).mkpath(QStringLiteral("Profils/Anciens"));
        PanneauFichiers* p = b.w->chargeFichier()->panneau();
        p->definirDossier(b.dossier.path());
        QListWidget* dossiers = p->Dossiers();
        QCOMPARE(dossiers->objectName(), QStringLiteral("Repertoire"));
        // The path from the drive's root down to the folder, then its sub-folders.
        QVERIFY(dossiers->count() >= 2);
        QCOMPARE(dossiers->item(dossiers->count() - 1)->text().trimmed(), QStringLiteral("Profils"));
        QVERIFY(outils::cliquerEntree(dossiers, dossiers->item(dossiers->count() - 1)->text(), true));
        QCOMPARE(p->dossierCourant(), QDir::toNativeSeparators(b.chemin(QStringLiteral("Profils"))));
        QCOMPARE(p->Fichiers()->count(), 0);
        QCOMPARE(dossiers->item(dossiers->count() - 1)->text().trimmed(), QStringLiteral("Anciens"));
        // A drive entry shows its root path; choosing it moves the folder panel back.
        QVERIFY(p->Lecteur()->count() >= 1);
        QVERIFY(p->definirLecteur(p->lecteurCourant()));
        QCOMPARE(PanneauFichiers::texteLecteur(QStringLiteral("/media/usb"), QStringLiteral("CLE")),
                 QDir::toNativeSeparators(QStringLiteral("/media/usb")) + QStringLiteral(" [CLE]"));
        QVERIFY(!p->definirDossier(b.chemin(QStringLiteral("absent"))));
        QVERIFY(!p->definirLecteur(QStringLiteral("Q:\\ [rien]")));
    }
};

QTEST_MAIN(TestDialogues)
#include "tst_dialogues.moc"
