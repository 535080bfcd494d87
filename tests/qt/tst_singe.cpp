// A monkey test: thousands of random events on the real main window and its
// dialogs, checking after each one what must always hold. The seed is fixed;
// ORTIX_SINGE_GRAINE sets another, ORTIX_SINGE_EVENEMENTS the number of events.
#include "Outils.h"
#include "app/qt/Interface.h"
#include "geometry/qt/Opti_Href.h"
#include "files/qt/Charge_Fichier.h"
#include "files/qt/Dialogues_Projet.h"
#include "files/qt/PanneauFichiers.h"
#include "files/qt/Sauv_Profil.h"
#include "geometry/qt/ZoneDessin.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <random>

using outils::enfant;

namespace {

// Every file below a folder, with its size, as a picture of what is on disk.
QStringList inventaire(const QString& dossier, bool recursif) {
    QStringList l;
    QDirIterator it(dossier, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    recursif ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext()) {
        it.next();
        l << it.filePath() + QLatin1Char(' ') + QString::number(it.fileInfo().size());
    }
    l.sort();
    return l;
}

bool estNombreOuTiret(const QString& t) {
    static const QRegularExpression nombre(QStringLiteral("^-?[0-9]*\\.?[0-9]*$"));
    if (t == QLatin1String("---")) return true;
    if (!nombre.match(t).hasMatch() || !t.contains(QRegularExpression(QStringLiteral("[0-9]"))))
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && std::isfinite(v);
}

} // namespace

class TestSinge : public QObject {
    Q_OBJECT

    std::mt19937 alea;
    int entier(int n) { return std::uniform_int_distribution<int>(0, n - 1)(alea); }
    template <class T> T choisir(const QList<T>& l) { return l[entier(int(l.size()))]; }

    QString texteAuHasard() {
        switch (entier(10)) {
        case 0: return QString();
        case 1: return QStringLiteral("1e999");
        case 2: return QStringLiteral("-1e308");
        case 3: return QString(5000, QLatin1Char('9'));
        case 4: return QStringLiteral("12,5");
        case 5: return QStringLiteral("abc é ../..\\x");
        case 6: return QString::number(entier(2000) - 1000);
        case 7: return QString::number((entier(20000) - 10000) / 37.0, 'g', 8);
        case 8: return QStringLiteral("0");
        default: return QString::number(entier(600) + 1);
        }
    }

private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

    void evenementsAuHasard() {
        const unsigned graine = qEnvironmentVariableIsSet("ORTIX_SINGE_GRAINE")
                                    ? qEnvironmentVariableIntValue("ORTIX_SINGE_GRAINE")
                                    : 20261207u;
        const int nombre = qEnvironmentVariableIsSet("ORTIX_SINGE_EVENEMENTS")
                               ? qEnvironmentVariableIntValue("ORTIX_SINGE_EVENEMENTS")
                               : 3000;
        alea.seed(graine);
        qInfo("graine %u, %d événements", graine, nombre);

        QTemporaryDir parent;
        const QString dossier = parent.filePath(QStringLiteral("essai"));
        QDir().mkpath(dossier);
        const QString ancien = QDir::currentPath();
        QDir::setCurrent(dossier);
        for (const char* f : {"clarky.dat", "rg15.dat", "e205.dat", "n0009sm.dat", "lednicer_2412.dat"})
            outils::copierDonnee(QString::fromLatin1(f), dossier);
        for (const QString& f : QDir(QStringLiteral(ORTIX_TEST_DATA "/profils_refuses")).entryList(QDir::Files))
            outils::copierDonnee(QStringLiteral("profils_refuses/") + f, dossier);
        for (const QString& f : QDir(QStringLiteral(ORTIX_TEST_DATA "/projets_refuses")).entryList(QDir::Files))
            outils::copierDonnee(QStringLiteral("projets_refuses/") + f, dossier);
        for (const QString& f : QDir(QStringLiteral(ORTIX_TEST_DATA "/projets")).entryList(QDir::Files))
            outils::copierDonnee(QStringLiteral("projets/") + f, dossier);
        const QStringList autourAvant = inventaire(parent.path(), false);
        const QStringList donneesAvant = inventaire(QStringLiteral(ORTIX_TEST_DATA), true);

        auto w = std::make_unique<Interface>();
        int messages = 0;
        w->messager = [&](const QString&, const QString&) { ++messages; };
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));

        QString etape;
        auto lieu = [&] { return QStringLiteral("graine %1, %2").arg(graine).arg(etape); };
        bool traceSain = true;
        connect(w.get(), &Interface::traceFait, this, [&] {
            traceSain = traceSain && !enfant<QPushButton>(w.get(), "Bt_Sauve_Prof")->isEnabled() &&
                        enfant<ZoneDessin>(w.get(), "Pic_Prof_Proj")->vue().segments.empty();
        });

        const QList<const char*> champsPrincipaux = {
            "Txt_Long", "txt_fleche", "txt_corde_empl", "txt_href_empl", "txt_vril_empl2",
            "txt_corde_saum", "txt_href_saum", "txt_vril_saum2"};
        const QList<const char*> boutons = {"Bt_Calc", "Bt_Sauve_Prof", "Bt_Load_Proj", "Bt_Save_Proj",
                                            "Bt_Opt_Href_Saum", "Bt_Prof_Empl", "bt_prof_saum"};
        const QList<const char*> zones = {"Pic_Prof_Ini", "Plan_Ini", "Plan_Final", "Pic_Prof_Proj"};

        for (int n = 0; n < nombre; ++n) {
            const int genre = entier(14);
            etape = QStringLiteral("événement %1 (genre %2)").arg(n).arg(genre);
            switch (genre) {
            case 0: case 1: case 2: { // typing into a field, then maybe Enter or leaving it
                auto* e = enfant<QLineEdit>(w.get(), choisir(champsPrincipaux));
                outils::saisir(e, texteAuHasard());
                if (entier(2)) QTest::keyClick(e, entier(2) ? Qt::Key_Return : Qt::Key_Enter);
                else enfant<QWidget>(w.get(), choisir(champsPrincipaux))->setFocus(Qt::TabFocusReason);
                break;
            }
            case 3: case 4: { // a button of the main window
                QPushButton* b = enfant<QPushButton>(w.get(), choisir(boutons));
                QTest::mouseClick(b, Qt::LeftButton);
                break;
            }
            case 5: { // a click in a drawing area
                QWidget* z = enfant<QWidget>(w.get(), choisir(zones));
                QTest::mouseClick(z, Qt::LeftButton, {}, QPoint(entier(z->width()), entier(z->height())));
                break;
            }
            case 6: case 7: { // an airfoil, valid or not, for one end
                QTest::mouseClick(enfant<QPushButton>(w.get(), entier(2) ? "Bt_Prof_Empl" : "bt_prof_saum"),
                                  Qt::LeftButton);
                Charge_Fichier* c = w->chargeFichier();
                QListWidget* l = c->panneau()->Fichiers();
                if (l->count() > 0) outils::cliquerEntree(l, l->item(entier(l->count()))->text(), entier(2));
                if (c->isVisible()) QTest::mouseClick(enfant<QPushButton>(c, entier(4) ? "Bt_Ouvrir" : "Bt_Annul"), Qt::LeftButton);
                break;
            }
            case 8: { // a project, valid or not
                QTest::mouseClick(enfant<QPushButton>(w.get(), "Bt_Load_Proj"), Qt::LeftButton);
                Charge_Proj* c = w->chargeProj();
                QListWidget* l = c->panneau()->Fichiers();
                if (l->count() > 0) outils::cliquerEntree(l, l->item(entier(l->count()))->text());
                QTest::mouseClick(enfant<QPushButton>(c, entier(5) ? "Bt_Charge" : "Bt_Annul"), Qt::LeftButton);
                c->hide();
                break;
            }
            case 9: { // saving the project under a name, sometimes a strange one
                QPushButton* b = enfant<QPushButton>(w.get(), "Bt_Save_Proj");
                if (!b->isEnabled()) break;
                QTest::mouseClick(b, Qt::LeftButton);
                auto* nom = enfant<QLineEdit>(w->sauvProj(), "Txt_Nom_Fichier");
                if (entier(3) == 0) outils::saisir(nom, entier(2) ? QStringLiteral("p%1.ortix").arg(entier(5)) : texteAuHasard().left(40));
                if (nom->text().contains(QLatin1Char('/')) || nom->text().contains(QLatin1Char('\\')) ||
                    nom->text().startsWith(QLatin1Char('.')))
                    outils::saisir(nom, QStringLiteral("p.ortix"));
                QTest::keyClick(nom, Qt::Key_Return);
                w->sauvProj()->hide();
                break;
            }
            case 10: case 11: { // the output dialog, with the proposed or a typed project name
                QPushButton* b = enfant<QPushButton>(w.get(), "Bt_Sauve_Prof");
                if (!b->isEnabled()) break;
                QTest::mouseClick(b, Qt::LeftButton);
                Sauv_Profil* s = w->sauvProfil();
                auto* nom = enfant<QLineEdit>(s, "Txt_Nom_proj");
                if (entier(2)) outils::saisir(nom, entier(2) ? QStringLiteral("../../evil") : texteAuHasard().left(30));
                if (entier(2)) QTest::keyClick(nom, Qt::Key_Return);
                else QTest::mouseClick(enfant<QPushButton>(s, "Bt_Sauve"), Qt::LeftButton);
                s->hide();
                break;
            }
            case 12: case 13: { // the optimisation dialog
                QPushButton* b = enfant<QPushButton>(w.get(), "Bt_Opt_Href_Saum");
                if (!b->isEnabled()) break;
                QTest::mouseClick(b, Qt::LeftButton);
                Opti_Href* o = w->optiHref();
                if (!o || !o->isVisible()) break;
                enfant<QSlider>(o, "Curseur")->setValue(entier(101));
                if (entier(3) == 0) outils::saisir(enfant<QLineEdit>(o, choisir(QList<const char*>{"Txt_NOP", "Txt_Align", "Txt_Opt"})), texteAuHasard());
                const char* choix = choisir(QList<const char*>{"Bt_NOP", "Bt_Align", "Bt_Opti"});
                if (entier(4) == 0) o->close();
                else QTest::mouseClick(enfant<QPushButton>(o, choix), Qt::LeftButton);
                o->hide();
                break;
            }
            }

            // What must hold after every event.
            const ortix::Modele& m = w->modele();
            for (int c : {int(m.Nb_Pts_Empl), int(m.Nb_Pts_Saum), int(m.Nb_Pts_Empl_Proj), int(m.Nb_Pts_Saum_Proj)})
                QVERIFY2(c >= 0 && c <= 1000, qPrintable(lieu()));
            for (const char* f : {"Txt_Lg_Final", "Txt_Fleche_Final", "Txt_Corde_Final", "Txt_Href_Empl_final",
                                  "Txt_Vrill_Empl_Final", "Txt_Href_Saum_final", "Txt_Vrill_Saum_Final"}) {
                const QString t = enfant<QLineEdit>(w.get(), f)->text();
                QVERIFY2(estNombreOuTiret(t), qPrintable(lieu() + QStringLiteral(" : ") + QString::fromLatin1(f) + QStringLiteral(" = ") + t));
            }
            QVERIFY2(traceSain, qPrintable(lieu() + QStringLiteral(" : « Sauver les profils » actif après un tracé")));
            if (n % 100 == 99 || n == nombre - 1) {
                QCOMPARE(inventaire(parent.path(), false), autourAvant);
                QVERIFY2(inventaire(QStringLiteral(ORTIX_TEST_DATA), true) == donneesAvant, qPrintable(lieu()));
            }
        }
        qInfo("%d messages montrés", messages);
        w.reset();
        QDir::setCurrent(ancien);
    }
};

QTEST_MAIN(TestSinge)
#include "tst_singe.moc"
