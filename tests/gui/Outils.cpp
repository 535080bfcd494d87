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
    QTest::keyClicks(champ, texte);
}

} // namespace outils
