#include "qt/Apparence.h"

#include <QDialog>
#include <QDir>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace ortix::gui {

QFont Police_Interface() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(11);
    return f;
}

int Charger_Polices(const QString& dossier) {
    int chargees = 0;
    const QDir d(dossier);
    for (const QString& nom : d.entryList({QStringLiteral("*.ttf")}, QDir::Files, QDir::Name))
        chargees += QFontDatabase::addApplicationFont(d.filePath(nom)) >= 0;
    return chargees;
}

QLabel* Etiquette(QWidget* parent, const QString& texte, QRect place, Qt::Alignment alignement) {
    auto* l = new QLabel(texte, parent);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(place);
    l->setAlignment(alignement | Qt::AlignVCenter);
    QFont f = l->font();
    for (int serre = 95; serre >= 70 && QFontMetrics(f).horizontalAdvance(texte) > place.width();
         serre -= 5)
        f.setStretch(serre);
    l->setFont(f);
    return l;
}

namespace {

// The swatch's length and the room kept for it before the text.
constexpr int LongueurPastille = 14, PlacePastille = LongueurPastille + 6;

class LegendeSurFond : public QLabel {
  public:
    LegendeSurFond(const QString& texte, QWidget* parent, QColor courbe)
        : QLabel(texte, parent), courbe_(courbe) {
        if (courbe_.isValid()) setContentsMargins(PlacePastille, 0, 0, 0);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        if (!text().isEmpty()) {
            const int drapeaux =
                static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
            const QRect texte = fontMetrics().boundingRect(contentsRect(), drapeaux, text());
            QPainter peintre(this);
            const int avant = courbe_.isValid() ? PlacePastille : 0;
            peintre.fillRect(texte.adjusted(-2 - avant, 0, 2, 0), Qt::white);
            if (courbe_.isValid())
                peintre.fillRect(QRect(texte.left() - PlacePastille + 2, texte.center().y() - 1,
                                       LongueurPastille, 3),
                                 courbe_);
        }
        QLabel::paintEvent(event);
    }

  private:
    QColor courbe_;
};

} // namespace

QLabel* Legende(QWidget* parent, const char* nom, const QString& texte, QRect place,
                Qt::Alignment alignement, QColor couleur, QColor courbe) {
    auto* l = new LegendeSurFond(texte, parent, courbe);
    l->setTextFormat(Qt::PlainText);
    l->setObjectName(QString::fromLatin1(nom));
    l->setGeometry(place);
    l->setAlignment(alignement | Qt::AlignVCenter);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, couleur);
    l->setPalette(p);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
}

QLineEdit* Champ(QWidget* parent, const char* nom, QRect place, bool lectureSeule,
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
        if (!Touche_Entree(event)) return false;
        static_cast<QPushButton*>(objet)->animateClick();
        return true;
    }
};

} // namespace

QPushButton* Bouton(QWidget* parent, const char* nom, const QString& texte, QRect place) {
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setGeometry(place);
    b->setAutoDefault(false);
    b->installEventFilter(new EntreePresse(b));
    return b;
}

void Preparer_Dialogue(QDialog* d, const char* nom, const QString& titre, QSize taille) {
    d->setObjectName(QString::fromLatin1(nom));
    d->setWindowTitle(titre);
    d->setFont(Police_Interface());
    d->setFixedSize(taille);
    d->setModal(false);
}

void Montrer(QWidget* fenetre) {
    fenetre->show();
    fenetre->raise();
    fenetre->activateWindow();
}

bool Touche_Entree(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int touche = static_cast<const QKeyEvent*>(event)->key();
    return touche == Qt::Key_Return || touche == Qt::Key_Enter;
}

bool Quitte_Le_Champ(const QEvent* event) {
    if (event->type() != QEvent::FocusOut) return false;
    const Qt::FocusReason raison = static_cast<const QFocusEvent*>(event)->reason();
    return raison != Qt::ActiveWindowFocusReason && raison != Qt::PopupFocusReason;
}

} // namespace ortix::gui
