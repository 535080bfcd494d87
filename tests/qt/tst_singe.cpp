// A monkey test: thousands of random events on the real main window and its
// dialogs, checking after each one what must always hold. The seed is fixed;
// ORTIX_SINGE_GRAINE sets another (an unsigned 64-bit number),
// ORTIX_SINGE_EVENEMENTS the number of events.
#include "Banc.h"
#include "model/Parametres.h"
#include "qt/Apparence.h"

#include <QApplication>
#include <QDirIterator>
#include <QListWidget>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSlider>
#include <QTest>

#include <random>

namespace {

// The names below a folder: what is on disk, whatever the sizes.
QStringList Inventaire(const QString& dossier) {
    QStringList l;
    for (QDirIterator it(dossier, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                         QDirIterator::Subdirectories);
         it.hasNext();)
        l << it.next();
    l.sort();
    return l;
}

} // namespace

class TestSinge : public QObject {
    Q_OBJECT

    std::mt19937_64 alea;
    int entier(int n) { return std::uniform_int_distribution<int>(0, n - 1)(alea); }
    const char* parmi(std::initializer_list<const char*> l) {
        return l.begin()[entier(int(l.size()))];
    }
    QString texteAuHasard() {
        const QString textes[] = {QString(),
                                  QStringLiteral("1e999"),
                                  QStringLiteral("-1e308"),
                                  QString(5000, QLatin1Char('9')),
                                  QStringLiteral("12,5"),
                                  QStringLiteral("abc é ../..\\x"),
                                  QStringLiteral("0")};
        return entier(2) ? textes[entier(7)]
                         : QString::number((entier(20000) - 10000) / 37.0, 'g', 8);
    }
    // Shows one of the window's dialogs by its button, then picks an entry of its list.
    QDialog* ouvrir(Banc& b, const char* bouton, const char* dialogue, const char* liste,
                    bool double_ = false) {
        QTest::mouseClick(b.bouton(bouton), Qt::LeftButton);
        auto* d = b.dialogue<QDialog>(dialogue);
        auto* l = enfant<QListWidget>(d, liste);
        if (l->count() > 0) cliquerEntree(l, l->item(entier(l->count()))->text(), double_);
        return d;
    }

  private slots:
    void initTestCase() { QApplication::setStyle(ortix::gui::Style_Interface()); }

    void evenementsAuHasard() {
        const quint64 graine = qEnvironmentVariableIsSet("ORTIX_SINGE_GRAINE")
                                   ? qgetenv("ORTIX_SINGE_GRAINE").toULongLong()
                                   : 20261207u;
        const int nombre = qEnvironmentVariableIsSet("ORTIX_SINGE_EVENEMENTS")
                               ? qEnvironmentVariableIntValue("ORTIX_SINGE_EVENEMENTS")
                               : 3000;
        alea.seed(graine);
        std::vector<const char*> champsNumeriques;
        for (const ortix::ChampParametre& c : ortix::TableChamps)
            if (c.valeur) champsNumeriques.push_back(c.controle);
        qInfo("graine %llu, %d événements", graine, nombre);
        QStringList donnees;
        for (const QString& d : {QStringLiteral("profils"), QStringLiteral("lots/projets")})
            for (const QString& f :
                 QDir(QStringLiteral(ORTIX_TEST_DATA "/") + d).entryList(QDir::Files))
                if (f.startsWith(QLatin1String("refus_")) || f.size() < 14)
                    donnees << d + QLatin1Char('/') + f;
        const QStringList donneesAvant = Inventaire(QStringLiteral(ORTIX_TEST_DATA));
        Banc b(donnees);
        const QString dehors = b.dehors.path();
        const QStringList dehorsAvant = QDir(dehors).entryList(QDir::AllEntries | QDir::Hidden);
        static const QRegularExpression nombreOuTiret(
            QStringLiteral("^(---|-?[0-9]*\\.?[0-9]+|-?[0-9]+\\.)$"));

        for (int n = 0; n < nombre; ++n) {
            const int genre = entier(12);
            const QString lieu =
                QStringLiteral("graine %1, événement %2 (genre %3)").arg(graine).arg(n).arg(genre);
            bool trace = false;
            switch (genre) {
            case 0:
            case 1:
            case 2: { // typing into a field, then Enter or leaving it
                QLineEdit* e =
                    b.champ(champsNumeriques[std::size_t(entier(int(champsNumeriques.size())))]);
                saisir(e, texteAuHasard());
                // A refusal: a message, or the offer of a reduction.
                auto refus = [&] {
                    return b.messages.size() +
                           b.w->findChildren<QMessageBox*>(QStringLiteral("Reduction")).size();
                };
                const auto refusAvant = refus();
                if (entier(2)) {
                    QTest::keyClick(e, entier(2) ? Qt::Key_Return : Qt::Key_Enter);
                    // Enter computes after the refresh: profiles ready unless refused.
                    QVERIFY2(b.bouton("Bt_Sauve_Prof")->isEnabled() ==
                                 (b.bouton("Bt_Calc")->isEnabled() && refus() == refusAvant),
                             qPrintable(lieu));
                    break;
                }
                b.champ(e->objectName() == QLatin1String("Txt_Long") ? "txt_fleche" : "Txt_Long")
                    ->setFocus(Qt::TabFocusReason);
                trace = true;
                break;
            }
            case 3: // a button of the main window
                QTest::mouseClick(b.bouton(parmi({"Bt_Calc", "Bt_Sauve_Prof", "Bt_Save_Proj",
                                                  "Bt_Opt_Href_Saum"})),
                                  Qt::LeftButton);
                break;
            case 4: { // a click in a drawing area
                auto* z = enfant<QWidget>(
                    b.w.get(), parmi({"Pic_Prof_Ini", "Plan_Ini", "Plan_Final", "Pic_Prof_Proj"}));
                trace = z->objectName() == QLatin1String("Pic_Prof_Ini");
                QTest::mouseClick(z, Qt::LeftButton, {},
                                  QPoint(entier(z->width()), entier(z->height())));
                break;
            }
            case 5:
            case 6: { // an airfoil, valid or not, for one end
                QDialog* d = ouvrir(b, entier(2) ? "Bt_Prof_Empl" : "bt_prof_saum",
                                    "Charge_Fichier", "Fichier", entier(2));
                if (d->isVisible())
                    QTest::mouseClick(enfant<QPushButton>(d, entier(4) ? "Bt_Ouvrir" : "Bt_Annul"),
                                      Qt::LeftButton);
                break;
            }
            case 7: { // a project, valid or not
                QDialog* d = ouvrir(b, "Bt_Load_Proj", "Charge_Proj", "Fichiers");
                QTest::mouseClick(enfant<QPushButton>(d, entier(5) ? "Bt_Charge" : "Bt_Annul"),
                                  Qt::LeftButton);
                d->hide();
                break;
            }
            case 8: { // saving the project, sometimes under a strange name
                if (!b.bouton("Bt_Save_Proj")->isEnabled()) break;
                QTest::mouseClick(b.bouton("Bt_Save_Proj"), Qt::LeftButton);
                auto* nom = enfant<QLineEdit>(b.w.get(), "Txt_Nom_Fichier");
                if (entier(3) == 0)
                    saisir(nom, entier(2) ? QStringLiteral("p%1.ortix").arg(entier(5))
                                          : texteAuHasard().left(40));
                QTest::keyClick(nom, Qt::Key_Return);
                b.dialogue<QDialog>("Sauv_Proj")->hide();
                break;
            }
            case 9: { // the output dialog, with the proposed or a typed project name
                if (!b.bouton("Bt_Sauve_Prof")->isEnabled()) break;
                QTest::mouseClick(b.bouton("Bt_Sauve_Prof"), Qt::LeftButton);
                auto* s = b.dialogue<QDialog>("Sauv_Profil");
                auto* nom = enfant<QLineEdit>(s, "Txt_Nom_proj");
                if (entier(2))
                    saisir(nom,
                           entier(2) ? QStringLiteral("../../evil") : texteAuHasard().left(30));
                if (entier(2))
                    QTest::keyClick(nom, Qt::Key_Return);
                else
                    QTest::mouseClick(enfant<QPushButton>(s, "Bt_Sauve"), Qt::LeftButton);
                s->hide();
                break;
            }
            case 10:
            case 11: { // the optimisation dialog
                if (!b.bouton("Bt_Opt_Href_Saum")->isEnabled()) break;
                QTest::mouseClick(b.bouton("Bt_Opt_Href_Saum"), Qt::LeftButton);
                auto* o = b.w->findChild<QDialog*>(QStringLiteral("Opti_Href"));
                if (!o || !o->isVisible()) break;
                enfant<QSlider>(o, "Curseur")->setValue(entier(101));
                if (entier(3) == 0)
                    saisir(enfant<QLineEdit>(o, parmi({"Txt_NOP", "Txt_Align", "Txt_Opt"})),
                           texteAuHasard());
                if (entier(4) == 0)
                    o->close();
                else
                    QTest::mouseClick(
                        enfant<QPushButton>(o, parmi({"Bt_NOP", "Bt_Align", "Bt_Opti"})),
                        Qt::LeftButton);
                trace = !o->isVisible();
                o->hide();
                break;
            }
            }
            // What must hold after every event: figures that are numbers, profiles
            // made stale by every refresh, nothing written outside the working folder.
            for (const ortix::ChampFinal& f : ortix::TableFinals)
                QVERIFY2(nombreOuTiret.match(b.texte(f.controle)).hasMatch(),
                         qPrintable(lieu + QLatin1Char(' ') + b.texte(f.controle)));
            if (trace && genre < 5)
                QVERIFY2(!b.bouton("Bt_Sauve_Prof")->isEnabled(), qPrintable(lieu));
            if (n % 100 == 99 || n == nombre - 1) {
                QVERIFY2(QDir(dehors).entryList(QDir::AllEntries | QDir::Hidden) == dehorsAvant,
                         qPrintable(lieu));
                QVERIFY2(Inventaire(QStringLiteral(ORTIX_TEST_DATA)) == donneesAvant,
                         qPrintable(lieu));
            }
        }
    }
};

QTEST_MAIN(TestSinge)
#include "tst_singe.moc"
