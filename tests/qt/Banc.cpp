#include "Banc.h"

#include "tests/support/Support.h"

#include <QAbstractButton>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QTest>

Banc::Banc(const QStringList& donnees) {
    dossier.mkpath(QStringLiteral("."));
    QDir::setCurrent(dossier.path());
    for (const QString& f : donnees)
        QFile::copy(QStringLiteral(ORTIX_TEST_DATA "/") + f,
                    chemin(f.section(QLatin1Char('/'), -1)));
    w = std::make_unique<Interface>();
    w->messager = [this](const QString& t, const QString& m) { messages.append({t, m}); };
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get())) qWarning("fenêtre non exposée");
}

Banc::~Banc() {
    w.reset();
    QDir::setCurrent(ancien);
}

QString Banc::etat() const {
    QString e;
    for (const QWidget* c : w->findChildren<QWidget*>()) {
        if (c->window() != w.get()) continue; // the dialogs keep their own state
        if (auto* l = qobject_cast<const QLineEdit*>(c))
            e += l->objectName() + QLatin1Char('=') + l->text();
        if (auto* l = qobject_cast<const QLabel*>(c))
            e += l->objectName() + QLatin1Char('=') + l->text();
        if (auto* b = qobject_cast<const QAbstractButton*>(c))
            e += b->objectName() + QString::number(b->isEnabled());
        e += QLatin1Char('\n');
    }
    // And the drawings, as a hash of each drawing area's picture.
    for (const char* zone : {"Pic_Prof_Ini", "Plan_Ini", "Plan_Final", "Pic_Prof_Proj"}) {
        const QImage image = enfant<QWidget>(w.get(), zone)->grab().toImage();
        e +=
            QString::number(qHashBits(image.constBits(), static_cast<size_t>(image.sizeInBytes())));
    }
    return e;
}

void saisir(QLineEdit* champ, const QString& texte) {
    champ->setFocus(Qt::MouseFocusReason);
    champ->selectAll();
    QTest::keyClick(champ, Qt::Key_Delete);
    // Typed key by key; what no key of the test keyboard gives, and the end of a
    // long text, is pasted.
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte[i];
        if (i >= 32) {
            champ->insert(texte.mid(i));
            break;
        }
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
            QTest::keyClicks(champ, QString(c));
        else
            champ->insert(QString(c));
    }
}

bool cliquerEntree(QListWidget* liste, const QString& texte, bool double_) {
    const QList<QListWidgetItem*> trouves = liste->findItems(texte, Qt::MatchExactly);
    if (trouves.isEmpty()) return false;
    liste->scrollToItem(trouves.first());
    const QPoint centre = liste->visualItemRect(trouves.first()).center();
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, centre);
    if (double_) QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, centre);
    return true;
}

std::map<std::string, std::string> FichiersDuLot(const std::string& cas) {
    const std::string t =
        ortix::essais::Contenu(ortix::essais::Donnee("lots/attendus/" + cas + ".txt"));
    std::map<std::string, std::string> f;
    const std::string marque = "== fichier ";
    for (std::size_t i = t.find(marque); i != std::string::npos;) {
        const std::size_t nom = i + marque.size(), debut = t.find('\n', nom) + 1;
        i = t.find(marque, debut);
        f[t.substr(nom, debut - 1 - nom)] = t.substr(debut, i == std::string::npos ? i : i - debut);
    }
    return f;
}
