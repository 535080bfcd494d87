#include "app/qt/Apparence.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ortix::gui {

QFont policeInterface() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    return f;
}

QLabel* etiquette(QWidget* parent, const QString& texte, QRect place, Qt::Alignment alignement) {
    auto* l = new QLabel(texte, parent);
    l->setGeometry(place);
    l->setAlignment(alignement | Qt::AlignVCenter);
    return l;
}

QLineEdit* champ(QWidget* parent, const char* nom, QRect place, bool lectureSeule,
                 const QString& texte) {
    auto* e = new QLineEdit(texte, parent);
    e->setObjectName(QString::fromLatin1(nom));
    e->setGeometry(place);
    e->setReadOnly(lectureSeule);
    if (lectureSeule) e->setFocusPolicy(Qt::ClickFocus);
    return e;
}

QPushButton* bouton(QWidget* parent, const char* nom, const QString& texte, QRect place) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setGeometry(place);
    b->setAutoDefault(false);
    return b;
}

void preparerDialogue(QDialog* d, const char* nom, const QString& titre, QSize taille) {
    d->setObjectName(QString::fromLatin1(nom));
    d->setWindowTitle(titre);
    d->setFont(policeInterface());
    d->setFixedSize(taille);
    d->setModal(false);
}

} // namespace ortix::gui
