// The window and its dialogs driven as a user would: what each event runs, each
// dialog's routing, the files written (the same bytes as the batch command's),
// the refusals, which change nothing, and the look, against a reference image.
#include "Banc.h"
#include "files/Chemins.h"
#include "files/CommandeFenetre.h"
#include "files/GabaritPDF.h"
#include "files/Projet.h"
#include "files/qt/Charge_Fichier.h"
#include "files/qt/PanneauFichiers.h"
#include "geometry/qt/ZoneDessin.h"
#include "model/Parametres.h"
#include "qt/Apparence.h"
#include "tests/support/Support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QSlider>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWheelEvent>

#include <cstdio>
#include <map>
#include <sstream>
#ifdef _WIN32
#include <io.h> // dup, dup2
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using ortix::essais::Contenu;
using ortix::essais::Donnee;

namespace {

// aile1.ortix with some of its lines (counted from 1) replaced, in the bench's folder.
QString ProjetAvec(const Banc& b, const QString& nom, std::map<int, std::string> lignes) {
    std::istringstream aile1(Contenu(Donnee("lots/projets/aile1.ortix")));
    std::string r;
    int n = 0;
    for (std::string l; std::getline(aile1, l);)
        r += (lignes.count(++n) ? lignes[n] + "\r" : l) + "\n";
    ortix::essais::Poser(b.chemin(nom).toStdString(), r);
    return b.chemin(nom);
}

// Compares a picture with its reference in the test data: at most `tolerance`
// pixels may differ plainly, and with no tolerance none may differ at all; on a
// difference the picture obtained is kept.
void comparerImage(const QImage& obtenue, const char* nom, int tolerance) {
    const QImage image = obtenue.convertToFormat(QImage::Format_RGB32);
    const fs::path reference = Donnee(nom);
    const QString obtenu = QString::fromStdString(ortix::essais::Obtenu(reference).string());
    QFile::remove(obtenu);
    const QImage modele =
        QImage(QString::fromStdString(reference.string())).convertToFormat(QImage::Format_RGB32);
    int differents = image.size() == modele.size() ? 0 : tolerance + 1;
    for (int y = 0; y < image.height() && image.size() == modele.size(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y), m = modele.pixel(x, y);
            differents += std::abs(qRed(a) - qRed(m)) + std::abs(qGreen(a) - qGreen(m)) +
                              std::abs(qBlue(a) - qBlue(m)) >
                          (tolerance > 0 ? 48 : 0);
        }
    if (differents > tolerance && QDir().mkpath(QFileInfo(obtenu).path())) image.save(obtenu);
    QVERIFY2(differents <= tolerance,
             qPrintable(QStringLiteral("%1 pixels diffèrent de %2 ; voir %3")
                            .arg(differents)
                            .arg(QString::fromLatin1(nom), obtenu)));
}

} // namespace

class TestFenetre : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setStyle(ortix::gui::Style_Interface()); }

    // The first screen: its texts and its buttons.
    void demarrage() {
        Banc b;
        const QString attendu = QStringLiteral(
            "Txt_Long=400,txt_fleche=350,txt_corde_empl=400,txt_href_empl=20,txt_vril_empl2=0,"
            "txt_corde_saum=100,txt_href_saum=20,txt_vril_saum2=0,Txt_Lg_Final=597.36,"
            "Txt_Fleche_Final=0.00,Txt_Corde_Final=301.03,Txt_Href_Empl_final=---,"
            "Txt_Vrill_Saum_Final=---,txt_prof_empl=<-- Sélectionner");
        // An airfoil's name box may elide it, by the font's widths: its tooltip holds it whole.
        for (const QString& paire : attendu.split(QLatin1Char(','))) {
            const QByteArray nom = paire.section(QLatin1Char('='), 0, 0).toLatin1();
            QTextDocument bulle;
            bulle.setHtml(b.champ(nom.constData())->toolTip());
            QCOMPARE(nom.startsWith("txt_prof") ? bulle.toPlainText().section(u'\n', 0, 0)
                                                : b.texte(nom.constData()),
                     paire.section(QLatin1Char('='), 1));
        }
        QCOMPARE(enfant<QLabel>(b.w.get(), "Label32")->text(),
                 QStringLiteral("Position après rotation de 41.19°"));
        // No sentence yet: the projected view's drawing has its whole height.
        const auto* projetee = enfant<ZoneDessin>(b.w.get(), "Pic_Prof_Proj");
        QCOMPARE(projetee->taille().hauteur, double(projetee->height()));
        for (const char* n : {"Bt_Calc", "Bt_Save_Proj", "Bt_Opt_Href_Saum", "Bt_Sauve_Prof"})
            QVERIFY2(!b.bouton(n)->isEnabled(), n);
        for (const char* n :
             {"txt_prof_empl", "txt_prof_saum", "Txt_Lg_Final", "Txt_Vrill_Saum_Final"})
            QVERIFY2(b.champ(n)->isReadOnly(), n);
        QVERIFY(!b.champ("Txt_Long")->isReadOnly());
    }

    // The first screen's look: its icon, and the reference picture, within a small
    // tolerance for the window's painting; the help's drawing of the parameters,
    // which is painted alone, exactly.
    void apparence() {
#ifdef _WIN32
        QSKIP("Les images de référence sont peintes avec les polices et le rendu de Linux ; "
              "ceux de Windows en diffèrent, même avec les mêmes polices ; l'icône de "
              "Windows est celle du programme.");
#endif
        Banc b;
        // Given once the window has drawn itself.
        QTRY_VERIFY2(!b.w->windowIcon().pixmap(32).isNull(),
                     "l'icône ortix.svg ne se dessine pas (moteur SVG de Qt : paquet libqt6svg6)");
        comparerImage(b.w->grab().toImage(), "modeles/fenetre.png", 39);
        QTest::mouseClick(b.bouton("Bt_Aide"), Qt::LeftButton);
        comparerImage(
            enfant<QTextBrowser>(b.dialogue<QDialog>("Aide"), "Txt_Aide")
                ->document()
                ->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("figure:parametres")))
                .value<QImage>(),
            "modeles/aide.png", 0);
    }

    // The interface's style draws a group box's frame itself: exactly as Fusion
    // draws it, at the window's sizes, at the smallest and far larger, with a
    // title, a check box or neither.
    void cadreDeGroupe() {
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        const std::unique_ptr<QStyle> interface(ortix::gui::Style_Interface());
        for (const auto& [taille, titre, aCocher] :
             {std::tuple{QSize(185, 57), "Projet initial", false},
              {QSize(185, 169), "Projet final", false},
              {QSize(13, 30), "", true},
              {QSize(640, 400), "", false}}) {
            QGroupBox cadre(QString::fromUtf8(titre));
            cadre.setCheckable(aCocher);
            cadre.setFont(ortix::gui::Police_Interface());
            cadre.resize(taille);
            // Over nothing, so that the faintest of its pixels count.
            auto image = [&cadre](QStyle* style) {
                cadre.setStyle(style);
                QImage i(cadre.size(), QImage::Format_ARGB32_Premultiplied);
                i.fill(Qt::transparent);
                cadre.render(&i, {}, {}, QWidget::DrawChildren);
                return i;
            };
            QCOMPARE(image(interface.get()), image(fusion.get()));
        }
    }

    // Every control of the window and its dialogs lies whole inside its container
    // and over none of its neighbours, at the opening sizes and grown; every
    // caption shows whole.
    void disposition() {
        Banc b({QStringLiteral("lots/projets/aile1.ortix")});
        b.w->Charge_Projet(b.chemin(QStringLiteral("aile1.ortix")));
        QTest::mouseClick(b.bouton("Bt_Calc"), Qt::LeftButton);
        for (const char* n : {"Bt_Opt_Href_Saum", "Bt_Sauve_Prof", "Bt_Save_Proj", "Bt_Load_Proj",
                              "Bt_Prof_Empl", "Bt_Aide"})
            QTest::mouseClick(b.bouton(n), Qt::LeftButton);
        QTest::mouseClick(enfant<QPushButton>(b.dialogue<QDialog>("Sauv_Profil"), "Bt_Machine"),
                          Qt::LeftButton);
        const QList<QDialog*> dialogues = b.w->findChildren<QDialog*>();
        QCOMPARE(dialogues.size(), 7);
        // Ours are named; those Qt makes inside its own controls are not, or "qt_…".
        auto nomme = [](const QWidget* w) {
            return !w->isWindow() && !w->objectName().isEmpty() &&
                   !w->objectName().startsWith(u"qt_") && w->isVisibleTo(w->window());
        };
        const QWidget* aide = b.bouton("Bt_Aide");
        for (const double agrandi : {1.0, 1.37}) {
            b.w->resize(b.w->minimumSize() * agrandi);
            for (QDialog* d : dialogues)
                if (d->minimumSize() != d->maximumSize()) d->resize(d->minimumSize() * agrandi);
            QStringList fautes;
            for (const QWidget* w : b.w->findChildren<QWidget*>()) {
                if (!nomme(w)) continue;
                const QWidget* p = w->parentWidget();
                if (!p->rect().contains(w->geometry()))
                    fautes << w->objectName() + QStringLiteral(" déborde de ") + p->objectName();
                // Neighbours may share a border a few pixels wide; the help button
                // sits in the title row of the first frame.
                for (const QWidget* v : p->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                    const QRect commun = v->geometry().intersected(w->geometry());
                    if (v != w && nomme(v) && std::min(commun.width(), commun.height()) > 3 &&
                        w->objectName() < v->objectName() && w != aide && v != aide)
                        fautes << w->objectName() + QStringLiteral(" couvre ") + v->objectName();
                }
            }
            QVERIFY2(fautes.isEmpty(), qPrintable(fautes.join(QStringLiteral(" | "))));
        }
#ifndef _WIN32 // text widths follow the system's font engine; they are measured on Linux
        QStringList coupees;
        for (const QLabel* l : b.w->findChildren<QLabel*>()) {
            if (l->wordWrap() || !l->isVisibleTo(l->window())) continue;
            const int largeur = l->fontMetrics().horizontalAdvance(l->text());
            QRect texte = QStyle::alignedRect(l->layoutDirection(), l->alignment(),
                                              {largeur, l->fontMetrics().height()}, l->geometry());
            bool sous = false; // the text runs under another control
            for (const QWidget* f :
                 l->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                sous |=
                    f != l && !qobject_cast<const QLabel*>(f) && f->geometry().intersects(texte);
            if (largeur > l->contentsRect().width() || sous) coupees << l->text();
        }
        QVERIFY2(coupees.isEmpty(), qPrintable(coupees.join(QStringLiteral(" | "))));
#endif
    }

    // The program's own fonts, shipped beside it where the system lacks them:
    // each TrueType file of the folder loaded, a damaged one refused, anything
    // else left alone; no folder, nothing. The interface's face is then found.
    void policesDuProgramme() {
        // (Windows keeps a loaded font open: the folder stays until the next run.)
        const QDir dossier(QString::fromStdString(ortix::essais::Dossier_Neuf("polices").string()));
        QVERIFY(
            QFile::copy(QStringLiteral(ORTIX_POLICE), dossier.filePath(QStringLiteral("a.ttf"))));
        for (const QString& autre : {QStringLiteral("abimee.ttf"), QStringLiteral("lisez.txt")}) {
            QFile f(dossier.filePath(autre));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("pas une police") > 0);
        }
        QCOMPARE(ortix::gui::Charger_Polices(dossier.path()), 1);
        QCOMPARE(ortix::gui::Charger_Polices(dossier.filePath(QStringLiteral("absent"))), 0);
        QCOMPARE(QFontInfo(ortix::gui::Police_Interface()).family(), QStringLiteral("DejaVu Sans"));
    }

    // Enter in, or leaving, each planform or twist field runs the refresh, which
    // makes the computed profiles stale, and Enter then computes; clicks in the
    // views refresh or compute.
    void evenementsDeLaFenetre() {
        Banc b({QStringLiteral("lots/projets/aile1.ortix")});
        b.w->Charge_Projet(b.chemin(QStringLiteral("aile1.ortix")));
        for (bool parEntree : {true, false})
            for (const ortix::ChampParametre& c : ortix::TableChamps) {
                if (!c.valeur) continue;
                const char* n = c.controle;
                QTest::mouseClick(b.bouton("Bt_Calc"), Qt::LeftButton);
                QVERIFY2(b.bouton("Bt_Sauve_Prof")->isEnabled(), n);
                saisir(b.champ(n), QStringLiteral("300"));
                if (parEntree)
                    QTest::keyClick(b.champ(n), Qt::Key_Return);
                else
                    b.champ(std::string_view(n) == "Txt_Long" ? "txt_fleche" : "Txt_Long")
                        ->setFocus(Qt::TabFocusReason);
                QVERIFY2(b.bouton("Bt_Sauve_Prof")->isEnabled() == parEntree, n);
            }
        QCOMPARE(b.texte("Txt_Corde_Final"), QStringLiteral("212.13")); // 300·cos 45°
        // The figures only a computation writes look stale until the next one.
        auto grise = [&](const char* n) {
            return b.champ(n)->palette().color(QPalette::Text) ==
                   b.w->palette().color(QPalette::Disabled, QPalette::Text);
        };
        QVERIFY(grise("Txt_Href_Saum_final") && !grise("Txt_Lg_Final"));
        QTest::mouseClick(enfant<QWidget>(b.w.get(), "Pic_Prof_Proj"), Qt::LeftButton);
        QVERIFY(b.bouton("Bt_Sauve_Prof")->isEnabled() && !grise("Txt_Href_Saum_final"));
        QTest::mouseClick(enfant<QWidget>(b.w.get(), "Pic_Prof_Ini"), Qt::LeftButton);
        QVERIFY(!b.bouton("Bt_Sauve_Prof")->isEnabled());
        // A number read in part says so, until the text is a whole number again.
        auto* etat = enfant<QLabel>(b.w.get(), "Lbl_Etat");
        saisir(b.champ("txt_fleche"), QStringLiteral("12,5"));
        QTest::keyClick(b.champ("txt_fleche"), Qt::Key_Return);
        QCOMPARE(
            etat->text(),
            QStringLiteral("Flèche : « 12,5 » est lu 12 : le séparateur décimal est le point."));
        QCOMPARE(enfant<QWidget>(b.w.get(), "Pic_Prof_Proj")->toolTip(),
                 Qt::convertFromPlainText(etat->text())); // escaped: a tooltip has no plain mode
        // The field is framed in red while it stays so, its tooltip saying why.
        QVERIFY(b.champ("txt_fleche")->toolTip().contains(etat->text()) &&
                !b.champ("txt_fleche")->styleSheet().isEmpty());
        saisir(b.champ("txt_fleche"), QStringLiteral("12.5"));
        QVERIFY(b.champ("txt_fleche")->styleSheet().isEmpty());
        QTest::keyClick(b.champ("txt_fleche"), Qt::Key_Return);
        QVERIFY(etat->text().isEmpty());
        // The project's name leads the title; Ctrl+O loads a project.
        QVERIFY(b.w->windowTitle().startsWith(QStringLiteral("Aile1 - ")));
        QTest::keySequence(b.w.get(), QKeySequence::Open);
        QVERIFY(b.dialogue<QDialog>("Charge_Proj")->isVisible());
        b.dialogue<QDialog>("Charge_Proj")->hide();
        // Enter on a focused button presses it, as Space does.
        for (auto [bouton, dialogue, touche] :
             {std::tuple{"Bt_Load_Proj", "Charge_Proj", Qt::Key_Return},
              {"Bt_Prof_Empl", "Charge_Fichier", Qt::Key_Space}}) {
            b.bouton(bouton)->setFocus();
            QTest::keyClick(b.bouton(bouton), touche);
            // The click comes a moment later; the dialog is created by it.
            QTRY_VERIFY(b.w->findChild<QDialog*>(QString::fromLatin1(dialogue)) &&
                        b.dialogue<QDialog>(dialogue)->isVisible());
        }

        // F1 and « ? » show the bundled help, its drawing made.
        for (const bool parF1 : {true, false}) {
            if (parF1)
                QTest::keySequence(b.w.get(), QKeySequence::HelpContents);
            else
                QTest::mouseClick(b.bouton("Bt_Aide"), Qt::LeftButton);
            auto* aide = b.dialogue<QDialog>("Aide");
            QVERIFY(aide->isVisible());
            const QTextDocument* page = enfant<QTextBrowser>(aide, "Txt_Aide")->document();
            QVERIFY(page->toPlainText().contains(
                QStringLiteral("Un vrillage positif abaisse le bord de fuite.")));
            QVERIFY(!page->resource(QTextDocument::ImageResource,
                                    QUrl(QStringLiteral("figure:parametres")))
                         .value<QImage>()
                         .isNull());
            aide->hide();
        }

        // A zero length: no figure, a status line saying why, a computation refused,
        // by Enter and by the button alike.
        saisir(b.champ("Txt_Long"), QStringLiteral("0"));
        QTest::keyClick(b.champ("Txt_Long"), Qt::Key_Enter);
        QCOMPARE(b.messages.size(), 1);
        QCOMPARE(b.texte("Txt_Lg_Final"), QStringLiteral("---"));
        QCOMPARE(enfant<QLabel>(b.w.get(), "Label32")->text(),
                 QStringLiteral("Position après rotation"));
        QVERIFY(enfant<QLabel>(b.w.get(), "Lbl_Etat")
                    ->text()
                    .startsWith(QStringLiteral("Longueur nulle")));
        const QString avant = b.etat();
        QTest::mouseClick(b.bouton("Bt_Calc"), Qt::LeftButton);
        QCOMPARE(b.messages.size(), 2);
        QCOMPARE(b.etat(), avant);
    }

    // At the smallest size, a panel whose tip folds back and a field read in part:
    // each sentence whole in the band below the drawing, the fold-back one led by
    // its subject; every field and button has a tooltip that wraps.
    void phrasesALaTailleMinimale() {
        Banc b;
        b.w->Charge_Projet(ProjetAvec(b, QStringLiteral("replie.ortix"),
                                      {{3, "500"},
                                       {4, "100"},
                                       {6, "200"},
                                       {7, "10"},
                                       {8, "0"},
                                       {10, "300"},
                                       {11, "10"},
                                       {12, "0"}}));
        saisir(b.champ("txt_vril_saum2"), QStringLiteral("4OO"));
        QTest::keyClick(b.champ("txt_vril_saum2"), Qt::Key_Return);
        QCOMPARE(b.w->size(), b.w->minimumSize());
        auto* vue = enfant<ZoneDessin>(b.w.get(), "Pic_Prof_Proj");
        auto* cassure = enfant<QLabel>(vue, "Lbl_Cassure");
        QVERIFY2(cassure->text().startsWith(QStringLiteral("Cassure au bord de fuite du saumon")) &&
                     cassure->text().contains(QStringLiteral("revient sur lui-même")),
                 qPrintable(cassure->text()));
        QVERIFY(enfant<QLabel>(vue, "Lbl_Etat")->text().startsWith(QStringLiteral("Vrillage")));
        for (const char* n : {"Lbl_Cassure", "Lbl_Etat"}) {
            const QLabel* l = enfant<QLabel>(vue, n);
            QVERIFY2(l->y() >= vue->taille().hauteur && l->geometry().bottom() < vue->height(), n);
        }
        // However long the sentences, the title and the legends keep their two top rows.
        const QString phrase = cassure->text();
        cassure->setText(phrase.repeated(8));
        b.w->resize(b.w->minimumSize() + QSize(1, 1));
        QVERIFY(cassure->y() >= 32 && enfant<QLabel>(vue, "Lbl_Etat")->y() >= 32);
        cassure->setText(phrase);
        b.w->resize(b.w->minimumSize());
        auto entieres = [&] {
            for (const QLabel* l : b.w->findChildren<QLabel*>())
                if (l->wordWrap() && l->isVisibleTo(l->window()) && !l->text().isEmpty())
                    QVERIFY2(l->heightForWidth(l->width()) <= l->height(), qPrintable(l->text()));
        };
        entieres();
        // A panel without taper: « Opti. » says that no height changes its kinks.
        b.w->Charge_Projet(ProjetAvec(b, QStringLiteral("droit.ortix"),
                                      {{4, "0"}, {6, "200"}, {8, "0"}, {10, "200"}, {12, "0"}}));
        QTest::mouseClick(b.bouton("Bt_Opt_Href_Saum"), Qt::LeftButton);
        QVERIFY(enfant<QLabel>(b.w.get(), "Lbl_Avis")->text().startsWith(u"Toutes les hauteurs"));
        entieres();
        for (const QWidget* w : b.w->findChildren<QWidget*>()) {
            if (w->window() != b.w.get() ||
                (!qobject_cast<const QLineEdit*>(w) && !qobject_cast<const QPushButton*>(w)))
                continue;
            QTextDocument bulle;
            bulle.setHtml(w->toolTip());
            bulle.setTextWidth(400);
            QVERIFY2(!bulle.isEmpty() && bulle.idealWidth() <= 400, qPrintable(w->objectName()));
        }
    }

    // Projected profiles of more than 1000 points: the refusal offers the
    // reduction, which computes again and says what each airfoil keeps; the
    // project then holds the reduced airfoils.
    void reductionProposee() {
        Banc b({QStringLiteral("lots/projets/c316.ortix")});
        b.w->Charge_Projet(b.chemin(QStringLiteral("c316.ortix")));
        QTest::mouseClick(b.bouton("Bt_Calc"), Qt::LeftButton);
        auto* offre = b.dialogue<QMessageBox>("Reduction");
        QVERIFY(offre->text().contains(QStringLiteral("plus de 1000 points")));
        QAbstractButton* reduire = offre->buttons().constFirst();
        for (QAbstractButton* bouton : offre->buttons())
            if (bouton->text().startsWith(QStringLiteral("Réduire"))) reduire = bouton;
        const int N = reduire->text().section(QLatin1Char(' '), 4, 4).toInt();
        QVERIFY2(N >= 3, qPrintable(reduire->text()));
        reduire->click();
        QVERIFY(b.bouton("Bt_Sauve_Prof")->isEnabled());
        QCOMPARE(b.messages.last().first, QStringLiteral("Réduction des profils"));
        b.w->Sauve_Projet(b.chemin(QStringLiteral("reduit.ortix")), QStringLiteral("reduit.ortix"));
        ortix::fichiers::Projet p;
        QVERIFY(ortix::fichiers::Lire_Projet(
            ortix::fichiers::Chemin_Depuis_Utf8(
                b.chemin(QStringLiteral("reduit.ortix")).toStdString()),
            p));
        QVERIFY(std::max(p.empl.n, p.saum.n) == N);
        QVERIFY(b.messages.at(b.messages.size() - 2)
                    .second.contains(QStringLiteral("%1 points sur").arg(N)));
    }

    // "Every text that comes from a file, a file name, a field or the command line is
    // shown as plain text": a project whose point line is <a href="https://example.org/">
    // Cliquez ici</a> 0, with <h1>, <img src=…> and &lt; in names and lines. Every
    // label of the window, its dialogs and its message box shows its characters as
    // typed, and none is a link: "one click on that link opens a web address". A
    // legend is quoted at 80 characters: one of 15 MB held up the window.
    void texteBrut() {
        Banc b;
        b.w->Charge_Projet(ProjetAvec(b, QStringLiteral("balises.ortix"),
                                      {{2, "<h1>Titre</h1>"},
                                       {4, "<b>350</b>"},
                                       {14, "<img src=\"x.png\">&lt;" + std::string(100, 'L')}}));
        QTest::mouseClick(b.bouton("Bt_Calc"), Qt::LeftButton);
        QTest::mouseClick(b.bouton("Bt_Opt_Href_Saum"), Qt::LeftButton);
        const Interface lien(
            ProjetAvec(b, QStringLiteral("lien.ortix"),
                       {{15, "<a href=\"https://example.org/\">Cliquez ici</a> 0"}})
                .toStdString());
        QCOMPARE(enfant<QLabel>(b.w.get(), "Lbl_prof_empl")->text(), // quoted as messages quote
                 QString::fromStdString("<img src=\"x.png\">&lt;" + std::string(59, 'L') + "…"));
        QVERIFY(enfant<QLabel>(b.w.get(), "Lbl_Etat")->text().contains(u"« <b>350</b> »"));
        QVERIFY(lien.findChild<QMessageBox*>()->text().contains(u"Cliquez ici</a> 0"));
        for (const QWidget* w : std::initializer_list<const QWidget*>{b.w.get(), &lien})
            for (const QLabel* l : w->findChildren<QLabel*>())
                QVERIFY2(l->text().isEmpty() || l->textFormat() == Qt::PlainText,
                         qPrintable(l->text()));
    }

    // A window that grows: the drawings take the room, each fitted again; the wheel
    // zooms about the cursor, a double click fits again; the kink is measured.
    void agrandirEtZoomer() {
        Banc b({QStringLiteral("lots/projets/aile1.ortix")});
        b.w->Charge_Projet(b.chemin(QStringLiteral("aile1.ortix")));
        QTest::mouseClick(b.bouton("Bt_Calc"), Qt::LeftButton);
        QCOMPARE(
            enfant<QLabel>(b.w.get(), "Lbl_Cassure")->text(),
            QStringLiteral("Cassure au bord de fuite du saumon : extrados 0.6°, intrados 6.0°"));
        QCOMPARE(b.w->minimumSize(), QSize(736, 491));
        const QRect cadre = enfant<QWidget>(b.w.get(), "Frame4")->geometry();
        b.w->resize(1036, 691);
        auto* proj = enfant<ZoneDessin>(b.w.get(), "Pic_Prof_Proj");
        QCOMPARE(enfant<QWidget>(b.w.get(), "Pic_Prof_Ini")->geometry(), QRect(200, 8, 833, 189));
        QCOMPARE(enfant<QWidget>(b.w.get(), "Plan_Final")->geometry(), QRect(614, 200, 417, 284));
        QCOMPARE(proj->geometry(), QRect(200, 484, 833, 201));
        QCOMPARE(enfant<QWidget>(b.w.get(), "Frame4")->geometry(), cadre);
        QVERIFY(b.bouton("Bt_Sauve_Prof")->isEnabled()); // resizing is no refresh
        // The abscissa under a pixel, as the coordinates line shows it: "X′ = 12.3 mm   Y = …".
        auto abscisse = [proj](QPointF p) {
            QMouseEvent survol(QEvent::MouseMove, p, proj->mapToGlobal(p), Qt::NoButton, {}, {});
            QApplication::sendEvent(proj, &survol);
            return enfant<QLabel>(proj, "Coordonnees")->text().section(u' ', 2, 2).toDouble();
        };
        const QPointF curseur(300, 80), ailleurs(700, 80);
        const double xc = abscisse(curseur), x0 = abscisse(ailleurs);
        QVERIFY(std::abs(x0 - xc) > 100);
        QWheelEvent roue(curseur, proj->mapToGlobal(curseur), {}, {0, 240}, Qt::NoButton, {},
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(proj, &roue);
        QVERIFY(std::abs(abscisse(curseur) - xc) < 0.11); // the point under the cursor stays
        QVERIFY(std::abs((abscisse(ailleurs) - xc) * 1.44 - (x0 - xc)) < 0.2);
        QTest::mouseDClick(proj, Qt::LeftButton);
        QCOMPARE(abscisse(ailleurs), x0);
        // A drag with the left button carries the drawing along with the mouse.
        const QPointF arrivee = curseur + QPointF(60, 0);
        QTest::mousePress(proj, Qt::LeftButton, {}, curseur.toPoint());
        QMouseEvent glisse(QEvent::MouseMove, arrivee, proj->mapToGlobal(arrivee), Qt::NoButton,
                           Qt::LeftButton, {});
        QApplication::sendEvent(proj, &glisse);
        QTest::mouseRelease(proj, Qt::LeftButton, {}, arrivee.toPoint());
        QVERIFY(std::abs(abscisse(arrivee) - xc) < 0.11);
        QTest::mouseDClick(proj, Qt::LeftButton);
        // The coordinates show whole in their area and never cover a caption, in any area.
        for (const char* n : {"Pic_Prof_Ini", "Plan_Ini", "Plan_Final", "Pic_Prof_Proj"}) {
            auto* z = enfant<ZoneDessin>(b.w.get(), n);
            const QPointF milieu(z->width() / 2.0, z->height() / 2.0);
            QMouseEvent survol(QEvent::MouseMove, milieu, z->mapToGlobal(milieu), Qt::NoButton, {},
                               {});
            QApplication::sendEvent(z, &survol);
            const QLabel* coordonnees = enfant<QLabel>(z, "Coordonnees");
            QVERIFY2(coordonnees->isVisible() && z->rect().contains(coordonnees->geometry()), n);
            for (const QLabel* l : z->findChildren<QLabel*>())
                QVERIFY2(l == coordonnees || l->text().isEmpty() ||
                             !l->geometry().intersects(coordonnees->geometry()),
                         qPrintable(l->objectName()));
        }
    }

    // Without both airfoils a click in the projected view does nothing.
    void choixDesProfils() {
        Banc b({QStringLiteral("profils/clarky.dat"), QStringLiteral("profils/e205.dat")});
        // Offered: only what can be read, no link to a device, no pipe (neither is
        // made on Windows, whose file system holds no device and no pipe).
#ifndef _WIN32
        QFile::link(QStringLiteral("/dev/zero"), b.chemin(QStringLiteral("z.dat")));
        ::mkfifo(qPrintable(b.chemin(QStringLiteral("f.dat"))), 0600);
#endif
        QTest::mouseClick(enfant<QWidget>(b.w.get(), "Pic_Prof_Proj"), Qt::LeftButton);
        QVERIFY(b.messages.isEmpty() && !b.bouton("Bt_Sauve_Prof")->isEnabled());
        QTest::mouseClick(b.bouton("Bt_Prof_Empl"), Qt::LeftButton);
        auto* chooser = enfant<QDialog>(b.w.get(), "Charge_Fichier");
        auto* fichiers = enfant<QListWidget>(chooser, "Fichier");
        QCOMPARE(enfant<QLabel>(chooser, "lbl_appelant")->text(), QStringLiteral("Emplanture"));
        QCOMPARE(fichiers->count(), 2);
        QTest::mouseClick(enfant<QPushButton>(chooser, "Bt_Ouvrir"), Qt::LeftButton);
        QVERIFY(chooser->isVisible()); // nothing selected: nothing done
        // A long name is elided in the middle of its box, whole in its tooltip.
        const QString nomLong =
            QStringLiteral("clarky_copie_au_nom_bien_trop_long_pour_sa_case.dat");
        QVERIFY(QFile::copy(b.chemin(QStringLiteral("clarky.dat")), b.chemin(nomLong)));
        b.dialogue<Charge_Fichier>("Charge_Fichier")->panneau()->rafraichir();
        QVERIFY(cliquerEntree(fichiers, nomLong, true));
        QVERIFY(b.texte("txt_prof_empl").startsWith(u"cl") &&
                b.texte("txt_prof_empl").contains(u'…') &&
                b.champ("txt_prof_empl")->toolTip().contains(nomLong));
        QTest::mouseClick(b.bouton("Bt_Prof_Empl"), Qt::LeftButton);
        QVERIFY(cliquerEntree(fichiers, QStringLiteral("clarky.dat"), true));
        QVERIFY(!chooser->isVisible());
        QCOMPARE(b.texte("txt_prof_empl"), QStringLiteral("clarky.dat"));
        QCOMPARE(enfant<QLabel>(b.w.get(), "Lbl_prof_empl")->text(),
                 QStringLiteral(" CLARK Y AIRFOIL"));
        QVERIFY(!b.bouton("Bt_Calc")->isEnabled());
        // A click on the name box opens the chooser too; the highlighted airfoil is
        // drawn with its figures, and Enter opens it.
        QTest::mouseClick(b.champ("txt_prof_saum"), Qt::LeftButton);
        QCOMPARE(enfant<QLabel>(chooser, "lbl_appelant")->text(), QStringLiteral("Saumon"));
        QVERIFY(cliquerEntree(fichiers, QStringLiteral("e205.dat")));
        QCOMPARE(enfant<QLabel>(chooser, "Lbl_Apercu")->text(),
                 QStringLiteral("60 points, épaisseur 10.5 %")); // the file says 10.48 %
        const QSize apercu = enfant<QWidget>(chooser, "Pic_Apercu")->size();
        chooser->resize(chooser->size() * 2);
        QVERIFY(enfant<QWidget>(chooser, "Pic_Apercu")->width() > apercu.width() &&
                enfant<QWidget>(chooser, "Pic_Apercu")->height() > apercu.height());
        QTest::keyClick(fichiers, Qt::Key_Return);
        QCOMPARE(b.texte("txt_prof_saum"), QStringLiteral("e205.dat"));
        for (const char* n : {"Bt_Calc", "Bt_Save_Proj", "Bt_Opt_Href_Saum"})
            QVERIFY2(b.bouton(n)->isEnabled(), n);
        QTest::mouseClick(enfant<QWidget>(b.w.get(), "Pic_Prof_Proj"), Qt::LeftButton);
        QVERIFY(b.bouton("Bt_Sauve_Prof")->isEnabled());
    }

    // Every refused airfoil and project: a message, and the window as it was.
    void unRefusLaisseToutCommeAvant() {
        QStringList donnees = {QStringLiteral("lots/projets/aile1.ortix")};
        for (const QString& d : {QStringLiteral("profils"), QStringLiteral("lots/projets")})
            for (const QString& f : QDir(QStringLiteral(ORTIX_TEST_DATA "/") + d)
                                        .entryList({QStringLiteral("refus_*")}))
                donnees << d + QLatin1Char('/') + f;
        Banc b(donnees);
        b.w->Charge_Projet(b.chemin(QStringLiteral("aile1.ortix")));
        QTest::mouseClick(b.bouton("Bt_Calc"), Qt::LeftButton);
        int refus = 0;
        for (const QString& f : QDir(b.dossier.path()).entryList({QStringLiteral("refus_*")})) {
            const QString avant = b.etat();
            if (f.endsWith(QLatin1String(".dat"))) {
                QTest::mouseClick(b.bouton("bt_prof_saum"), Qt::LeftButton);
                auto* chooser = enfant<QDialog>(b.w.get(), "Charge_Fichier");
                QVERIFY(cliquerEntree(enfant<QListWidget>(chooser, "Fichier"), f, true));
            } else {
                QTest::mouseClick(b.bouton("Bt_Load_Proj"), Qt::LeftButton);
                auto* chargement = enfant<QDialog>(b.w.get(), "Charge_Proj");
                QVERIFY(cliquerEntree(enfant<QListWidget>(chargement, "Fichiers"), f, true));
                chargement->hide();
            }
            QCOMPARE(b.messages.size(), ++refus);
            QVERIFY2(b.messages.last().second.contains(f), qPrintable(b.messages.last().second));
            QCOMPARE(b.etat(), avant);
        }
        QCOMPARE(refus, donnees.size() - 1); // every file but aile1.ortix
    }

    // Output files, project file and settings file, written through the dialogs:
    // the same bytes as the golden files.
    void fichiersEcrits() {
        Banc b({QStringLiteral("lots/projets/aile1.ortix")});
        QTest::mouseClick(b.bouton("Bt_Load_Proj"), Qt::LeftButton);
        auto* chargement = enfant<QDialog>(b.w.get(), "Charge_Proj");
        QVERIFY(!enfant<QPushButton>(chargement, "Bt_Charge")->isEnabled());
        QVERIFY(cliquerEntree(enfant<QListWidget>(chargement, "Fichiers"),
                              QStringLiteral("aile1.ortix")));
        QTest::mouseClick(enfant<QPushButton>(chargement, "Bt_Charge"), Qt::LeftButton);
        QVERIFY(!chargement->isVisible());
        QTest::mouseClick(b.bouton("Bt_Calc"), Qt::LeftButton);

        // "Sauver les profils", then Enter in the project name: the three files.
        QTest::mouseClick(b.bouton("Bt_Sauve_Prof"), Qt::LeftButton);
        auto* sortie = enfant<QDialog>(b.w.get(), "Sauv_Profil");
        QCOMPARE(enfant<QLineEdit>(sortie, "Txt_Corde")->text(), b.texte("Txt_Corde_Final"));
        QTest::keyClick(enfant<QLineEdit>(sortie, "Txt_Nom_proj"), Qt::Key_Return);
        QTRY_VERIFY(!sortie->isVisible()); // saved off the window's thread
        QCOMPARE(b.messages.last().first, QStringLiteral("Sauvegarde effectuée"));
        const QString copies = qEnvironmentVariable("ORTIX_COPIE_FICHIERS");
        for (const auto& [nom, octets] : FichiersDuLot("aile1")) {
            const QString chemin = b.chemin(QString::fromStdString(nom));
            QVERIFY2(Contenu(chemin.toStdString()) == octets, nom.c_str());
            // Kept, when asked, for .ci/windows to compare across systems and programs.
            if (!copies.isEmpty())
                QVERIFY(QFile::copy(chemin, QDir(copies).filePath(QString::fromStdString(nom))));
        }
        // The templates, unchecked at first, join the three files when checked.
        QTest::mouseClick(b.bouton("Bt_Sauve_Prof"), Qt::LeftButton);
        auto* gabarits = enfant<QAbstractButton>(sortie, "Chk_Gabarits");
        QVERIFY(!gabarits->isChecked());
        gabarits->click();
        QTest::mouseClick(enfant<QPushButton>(sortie, "Bt_Sauve"), Qt::LeftButton);
        if (ortix::fichiers::Pdf_Disponible())
            QTRY_VERIFY(b.messages.last().second.startsWith(QStringLiteral(
                "Aile1_Empl_C287.4_H12.0_L0.0_V2.7.dat\nAile1_Saum_C287.4_H25.9_L669.5_V-1.2.dat\n"
                "Aile1_Data_Troncon.txt\nAile1_Gabarits.pdf\nAile1_Gabarit_Empl.svg\n")));
        else // built without Cairo, as for Windows: refused, saying why
            QTRY_VERIFY2(
                b.messages.last().second.contains(QStringLiteral("construite sans la sortie PDF")),
                qPrintable(b.messages.last().second));
        // A click on a file of the list takes its name, less ".dat", as the project's.
        QTest::mouseClick(b.bouton("Bt_Sauve_Prof"), Qt::LeftButton);
        QVERIFY(cliquerEntree(enfant<QListWidget>(sortie, "Fichiers"),
                              QStringLiteral("Aile1_Empl_C287.4_H12.0_L0.0_V2.7.dat")));
        // The whole name: the box may elide it, by the font's widths.
        QCOMPARE(enfant<QLineEdit>(sortie, "Txt_Nom_Fich_Data")->property("nomEntier").toString(),
                 QStringLiteral("Aile1_Empl_C287.4_H12.0_L0.0_V2.7_Data_Troncon.txt"));
        sortie->hide();

        // "Enregistrer le projet", then loading it back after an edit.
        QTest::mouseClick(b.bouton("Bt_Save_Proj"), Qt::LeftButton);
        auto* nom = enfant<QLineEdit>(b.w.get(), "Txt_Nom_Fichier");
        QCOMPARE(nom->text(), QStringLiteral("Aile1_Empl_C287.4_H12.0_L0.0_V2.7.ortix"));
        saisir(nom, QStringLiteral("Aile1")); // the extension is added
        QTest::keyClick(nom, Qt::Key_Return);
        QCOMPARE(b.messages.last().second, QStringLiteral("Paramètres du projet enregistrés"));
        std::string projet = Contenu(b.chemin(QStringLiteral("Aile1.ortix")).toStdString());
        // Line 1 ends with the date; the file is Windows-1252.
        projet.replace(projet.find(" - enregistr\xE9 le ") + 17, 10, "@DATE@");
        QCOMPARE(ortix::essais::Ecart_Au_Modele(projet, Donnee("modeles/Aile1.ortix")),
                 std::string());
        saisir(b.champ("Txt_Long"), QStringLiteral("123"));
        QTest::keyClick(b.champ("Txt_Long"), Qt::Key_Return);
        // "ortix PROJET.ortix": the project loaded at start-up; "ortix -- -x.ortix opens
        // -x.ortix", and "a file name that is not valid UTF-8 opens" (where names are
        // bytes: Windows' are UTF-16).
#ifdef _WIN32
        for (const std::string fichier : {"-x.ortix"}) {
#else
        for (const std::string fichier : {"-x.ortix", "a\xFF.ortix"}) {
#endif
            fs::copy_file("Aile1.ortix", fichier, fs::copy_options::overwrite_existing);
            ortix::fichiers::CommandeFenetre c;
            QVERIFY(ortix::fichiers::Lire_Commande_Fenetre({"ortix", "--", fichier}, c).ok());
            const Interface parLaLigneDeCommande(c.projet);
            QCOMPARE(enfant<QLineEdit>(&parLaLigneDeCommande, "Txt_Long")->text(),
                     QStringLiteral("600"));
        }

        // "Quitter": the settings file, every dialog at the working folder.
        QTest::mouseClick(b.bouton("Bt_Quit"), Qt::LeftButton);
        QString ini =
            QString::fromLatin1(Contenu(b.chemin(QStringLiteral("ortix.ini")).toStdString()));
        QStringList lignes = ini.split(QStringLiteral("\r\n"));
        for (int l : {0, 2, 5, 8, 11})
            lignes[l] = QStringLiteral("@");
        const QString obtenu =
            lignes.join(QStringLiteral("\r\n"))
                .replace(QDir::toNativeSeparators(b.dossier.path()), QStringLiteral("@DOSSIER@"));
        QCOMPARE(ortix::essais::Ecart_Au_Modele(obtenu.toStdString(), Donnee("modeles/ortix.ini")),
                 std::string());
    }

    // "ortix --help and ortix --version print in French and exit 0", with no
    // display: the command line is read before Qt starts.
    void aideEtVersion() {
        for (const QString& option : {QStringLiteral("--help"), QStringLiteral("--version")}) {
            QProcess ortix;
            ortix.setProcessEnvironment({});
            ortix.start(QStringLiteral(ORTIX_FENETRE), {option});
            QVERIFY(ortix.waitForFinished());
            QCOMPARE(ortix.exitCode(), 0);
            QVERIFY(ortix.readAllStandardOutput().startsWith(option == u"--help" ? "Usage : ortix"
                                                                                 : "Ortix 0."));
        }
    }

    // "Long saves leave the window alive": 742 pages of templates "froze the window
    // for 42 s". The save runs off the window's thread, the events going on, under
    // a progress dialog (shown once the save has taken half a second) whose
    // « Annuler » leaves every old file.
    void sauvegardeLongue() {
        if (!ortix::fichiers::Pdf_Disponible())
            QSKIP("Sans la sortie PDF (Windows), aucune sauvegarde n'est longue.");
        Banc b({QStringLiteral("gabarits/grand.ortix")});
        b.w->Charge_Projet(b.chemin(QStringLiteral("grand.ortix")));
        QTest::mouseClick(b.bouton("Bt_Calc"), Qt::LeftButton);
        QTest::mouseClick(b.bouton("Bt_Sauve_Prof"), Qt::LeftButton);
        auto* sortie = b.dialogue<QDialog>("Sauv_Profil");
        enfant<QAbstractButton>(sortie, "Chk_Gabarits")->click();
        QStringList anciens = {QStringLiteral("Grand_Gabarit_Empl.svg"),
                               QStringLiteral("Grand_Gabarit_Saum.svg")};
        for (const char* n : {"Txt_Nom_Fich_Empl", "Txt_Nom_Fich_Saum", "Txt_Nom_Fich_Data",
                              "Txt_Nom_Fich_Gabarits"})
            anciens << enfant<QLineEdit>(sortie, n)->text();
        for (const QString& n : anciens)
            ortix::essais::Poser(b.chemin(n).toStdString(), "ancien");
        QTest::mouseClick(enfant<QPushButton>(sortie, "Bt_Sauve"), Qt::LeftButton);
        // Cancelled at once, as the templates' pages are being drawn.
        auto* progression = b.w->findChild<QProgressDialog*>();
        QVERIFY(progression);
        QVERIFY(progression->findChild<QPushButton*>());
        progression->findChild<QPushButton*>()->click();
        // The pages are laid out before the first one can be cancelled: seconds
        // under the sanitizers on a busy machine.
        QTRY_VERIFY_WITH_TIMEOUT(!b.w->findChild<QProgressDialog*>(), 60000);
        QVERIFY2(b.messages.last().second.startsWith(u"Enregistrement annulé."),
                 qPrintable(b.messages.last().second));
        for (const QString& n : anciens)
            QCOMPARE(Contenu(b.chemin(n).toStdString()), std::string("ancien"));
        QCOMPARE(b.dossier.entryList(QDir::Files | QDir::Hidden).size(), anciens.size() + 1);
    }

    // When the settings cannot be written at closing, standard error says why.
    void reglagesImpossiblesAEcrire() {
        Banc b;
        QDir().mkdir(b.chemin(QStringLiteral("ortix.ini")));
        const QString journal = b.chemin(QStringLiteral("erreurs.txt"));
        const int sauve = ::dup(2);
        std::FILE* f = std::fopen(journal.toLocal8Bit().constData(), "w");
        ::dup2(::fileno(f), 2);
        b.w->close();
        std::fflush(stderr);
        ::dup2(sauve, 2);
        std::fclose(f);
        const std::string ecrit = Contenu(journal.toStdString());
        QVERIFY2(ecrit.find("les réglages n'ont pas pu être enregistrés. Impossible d'enregistrer "
                            "le fichier") != std::string::npos &&
                     ecrit.find("c'est un dossier") != std::string::npos,
                 ecrit.c_str());
    }

    // "Opti.": the candidates, the slider's blend, a height applied.
    void optimisation() {
        Banc b({QStringLiteral("lots/projets/aile1.ortix")});
        b.w->Charge_Projet(b.chemin(QStringLiteral("aile1.ortix")));
        // A refused computation opens no dialog.
        saisir(b.champ("Txt_Long"), QStringLiteral("1e999"));
        QTest::mouseClick(b.bouton("Bt_Opt_Href_Saum"), Qt::LeftButton);
        QVERIFY(!b.w->findChild<QDialog*>(QStringLiteral("Opti_Href")));
        QCOMPARE(b.messages.size(), 1);
        saisir(b.champ("Txt_Long"), QStringLiteral("600"));
        QTest::mouseClick(b.bouton("Bt_Opt_Href_Saum"), Qt::LeftButton);
        auto* opti = enfant<QDialog>(b.w.get(), "Opti_Href");
        QVERIFY(opti->isVisible());
        QVERIFY(enfant<QLineEdit>(opti, "Txt_NOP")->isReadOnly()); // the height kept
        auto* explication = enfant<QLabel>(opti, "Text1");         // the five lines whole
        QVERIFY(explication->heightForWidth(explication->width()) <= explication->height());
        auto texte = [&](const char* n) { return enfant<QLineEdit>(opti, n)->text(); };
        QCOMPARE(texte("Txt_NOP") + texte("Txt_Align") + texte("txt_int") + texte("txt_ext"),
                 QStringLiteral("25.00-2.406.8722.22"));
        QCOMPARE(enfant<QLabel>(opti, "Txt_NOP_Cassure")->text(),
                 QStringLiteral("extrados 0.6°, intrados 6.0°"));
        auto* curseur = enfant<QSlider>(opti, "Curseur");
        for (auto [p, attendu] : {std::pair{0, "6.87"}, {100, "22.22"}, {50, "14.55"}}) {
            curseur->setValue(p);
            QCOMPARE(texte("Txt_Opt"), QString::fromLatin1(attendu));
        }
        saisir(enfant<QLineEdit>(opti, "Txt_Opt"), QString());
        QVERIFY(!enfant<QPushButton>(opti, "Bt_Opti")->isEnabled());
        QTest::mouseClick(enfant<QPushButton>(opti, "Bt_Align"), Qt::LeftButton);
        QVERIFY(!opti->isVisible());
        QCOMPARE(b.texte("txt_href_saum"), QStringLiteral("-2.40"));
        QVERIFY(b.bouton("Bt_Sauve_Prof")->isEnabled());
        QCOMPARE(b.texte("Txt_Href_Saum_final"),
                 QStringLiteral("-3.39")); // as the batch command gives it
    }
};

QTEST_MAIN(TestFenetre)
#include "tst_fenetre.moc"
