#include "qt/Apparence.h"

#include <QDialog>
#include <QDir>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>
#include <qdrawutil.h>

#include <algorithm>

namespace ortix::gui {

namespace {

// Fusion's frame of a group box, 98 by 38 pixels, drawn in nine pieces with
// margins of 6: one pixel in from the top and the left edges, a line of grey at
// a fifth of full opacity, a faint shadow within it and a fainter tint inside,
// and rounded corners. Each corner is read from its vertex, along its row (dx)
// and along its column (dy); the four share all but their two-by-two tips, alike
// at the top left and bottom right and alike at the two others.
QPixmap CadreDeGroupe() {
    constexpr int largeur = 98, hauteur = 38;
    QImage image(largeur, hauteur, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 1; y < hauteur; ++y) {
        auto* rangee = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 1; x < largeur; ++x) {
            const int bord = std::min({x - 1, largeur - 1 - x, y - 1, hauteur - 1 - y});
            rangee[x] =
                bord == 0 ? qRgba(0x75, 0x75, 0x75, 0x32) : qRgba(0, 0, 0, bord == 1 ? 7 : 3);
        }
    }
    struct Pixel {
        int dx, dy;
        QRgb couleur;
    };
    const QRgb biseau = qRgba(0x6c, 0x6c, 0x6c, 0x34);
    const Pixel communs[] = {{2, 0, biseau},
                             {0, 2, biseau},
                             {2, 1, qRgba(0, 0, 0, 10)},
                             {1, 2, qRgba(0, 0, 0, 9)},
                             {3, 1, qRgba(0, 0, 0, 8)},
                             {1, 3, qRgba(0, 0, 0, 8)}};
    const QRgb pointes[2][4] = {{qRgba(0x27, 0x27, 0x27, 0x0d), qRgba(0x5d, 0x5d, 0x5d, 0x34),
                                 qRgba(0x62, 0x62, 0x62, 0x39), qRgba(0x5a, 0x5a, 0x5a, 0x1f)},
                                {qRgba(0x15, 0x15, 0x15, 0x0c), qRgba(0x66, 0x66, 0x66, 0x37),
                                 qRgba(0x5b, 0x5b, 0x5b, 0x35), qRgba(0x5e, 0x5e, 0x5e, 0x1e)}};
    struct Coin {
        int x, y, sx, sy, pointe;
    };
    for (const Coin c :
         {Coin{1, 1, 1, 1, 0}, Coin{largeur - 1, 1, -1, 1, 1}, Coin{1, hauteur - 1, 1, -1, 1},
          Coin{largeur - 1, hauteur - 1, -1, -1, 0}}) {
        for (const Pixel& p : communs)
            image.setPixel(c.x + c.sx * p.dx, c.y + c.sy * p.dy, p.couleur);
        for (int k = 0; k < 4; ++k)
            image.setPixel(c.x + c.sx * (k % 2), c.y + c.sy * (k / 2), pointes[c.pointe][k]);
    }
    return QPixmap::fromImage(image);
}

class StyleInterface : public QProxyStyle {
  public:
    StyleInterface() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* peintre,
                       const QWidget* widget) const override {
        const auto* groupe = qobject_cast<const QGroupBox*>(widget);
        // Without a title or a check box, Fusion draws the frame higher up.
        if (element != PE_FrameGroupBox || !groupe ||
            (groupe->title().isEmpty() && !groupe->isCheckable())) {
            QProxyStyle::drawPrimitive(element, option, peintre, widget);
            return;
        }
        // Below the title's row, 3 pixels down, where Fusion sets it.
        const int titre =
            std::max(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) + 3;
        if (cadre_.isNull()) cadre_ = CadreDeGroupe();
        qDrawBorderPixmap(peintre, option->rect.adjusted(0, titre, 0, 0), QMargins(6, 6, 6, 6),
                          cadre_);
    }

  private:
    mutable QPixmap cadre_;
};

} // namespace

QStyle* Style_Interface() {
    return new StyleInterface;
}

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
