#include "Outils.h"

#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>

namespace outils {

QString capture(QWidget* w, const QString& nom) {
    QDir().mkpath(QStringLiteral(ORTIX_TEST_OUT));
    const QString chemin = QStringLiteral(ORTIX_TEST_OUT "/") + nom + QStringLiteral(".png");
    w->grab().save(chemin);
    return chemin;
}

void saisir(QWidget* champ, const QString& texte) {
    champ->setFocus(Qt::MouseFocusReason);
    auto* e = qobject_cast<QLineEdit*>(champ);
    if (e) e->selectAll();
    QTest::keyClick(champ, Qt::Key_Delete);
    // Typed key by key; a character no key of the test keyboard gives is pasted.
    // A long text is pasted after its first characters, as a user would.
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte[i];
        if (i >= 32 && e) {
            e->insert(texte.mid(i));
            break;
        }
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f) QTest::keyClicks(champ, QString(c));
        else if (e) e->insert(QString(c));
    }
}

} // namespace outils

#include <QFile>
#include <QListWidget>

namespace outils {

bool cliquerEntree(QListWidget* liste, const QString& texte, bool double_) {
    const QList<QListWidgetItem*> trouves = liste->findItems(texte, Qt::MatchExactly);
    if (trouves.isEmpty()) return false;
    liste->scrollToItem(trouves.first());
    const QPoint centre = liste->visualItemRect(trouves.first()).center();
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, centre);
    if (double_) QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, centre);
    return true;
}

bool copierDonnee(const QString& nom, const QString& dossier, const QString& nouveauNom) {
    return QFile::copy(QStringLiteral(ORTIX_TEST_DATA "/") + nom,
                       dossier + QLatin1Char('/') +
                           (nouveauNom.isEmpty() ? nom.section(QLatin1Char('/'), -1) : nouveauNom));
}

} // namespace outils
