#include "app/qt/Apparence.h"

#include <QDialog>
#include <QKeyEvent>
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
    QFont f = l->font();
    for (int serre = 95; serre >= 70 && QFontMetrics(f).horizontalAdvance(texte) > place.width();
         serre -= 5)
        f.setStretch(serre);
    l->setFont(f);
    return l;
}

QLineEdit* champ(QWidget* parent, const char* nom, QRect place, bool lectureSeule,
                 const QString& texte) {
    auto* e = new QLineEdit(texte, parent);
    e->setObjectName(QString::fromLatin1(nom));
    e->setGeometry(place);
    e->setReadOnly(lectureSeule);
    if (lectureSeule) {
        e->setFocusPolicy(Qt::ClickFocus);
        QPalette p = e->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Disabled, QPalette::Base));
        e->setPalette(p);
    }
    return e;
}

namespace {

// Enter on a focused button presses it, as Space does; the buttons are not
// "default" buttons, so that Enter in a field never presses one.
class EntreePresse : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* objet, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int touche = static_cast<QKeyEvent*>(event)->key();
        if (touche != Qt::Key_Return && touche != Qt::Key_Enter) return false;
        static_cast<QPushButton*>(objet)->animateClick();
        return true;
    }
};

} // namespace

QPushButton* bouton(QWidget* parent, const char* nom, const QString& texte, QRect place) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setGeometry(place);
    b->setAutoDefault(false);
    b->installEventFilter(new EntreePresse(b));
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
