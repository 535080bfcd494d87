#include "geometry/qt/ZoneDessin.h"

#include "model/Nombres.h"
#include "qt/Apparence.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

Qt::PenStyle trait(ortix::Trait trait) {
    switch (trait) {
    case ortix::Trait::TiretPoint:
        return Qt::DashDotLine;
    case ortix::Trait::Tirets:
        return Qt::DashLine;
    case ortix::Trait::Plein:
        break;
    }
    return Qt::SolidLine;
}

// The segment a-b in pixels, cut to the area and a little beyond.
void tracer(QPainter& painter, const ortix::Repere& r, ortix::Taille t, ortix::Point2 a,
            ortix::Point2 b) {
    a = ortix::Vers_Pixel(r, a, t);
    b = ortix::Vers_Pixel(r, b, t);
    if (ortix::Couper_Segment(a, b, -10, -10, t.largeur + 10, t.hauteur + 10))
        painter.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
}

} // namespace

ZoneDessin::ZoneDessin(QWidget* parent, const QString& axeX, const QString& axeY)
    : QWidget(parent), axeX_(axeX), axeY_(axeY) {
    setAutoFillBackground(true);
    setMouseTracking(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    coordonnees_ =
        ortix::gui::Legende(this, "Coordonnees", {}, {}, Qt::AlignRight, QColor(90, 90, 90));
    coordonnees_->hide();
}

ortix::Taille ZoneDessin::taille() const {
    return {static_cast<double>(width()), static_cast<double>(std::max(height() - bande_, 1))};
}

QColor ZoneDessin::couleur(const ortix::Couleur& c) const {
    return c.texte ? palette().color(QPalette::WindowText) : QColor(c.r, c.g, c.b);
}

void ZoneDessin::reserverBande(int hauteur) {
    bande_ = hauteur;
    update();
}

void ZoneDessin::afficher(const ortix::Vue& vue) {
    vue_ = vue;
    repere_ = vue.repere;
    changer();
}

void ZoneDessin::effacer() {
    vue_.segments.clear();
    vue_.textes.clear();
    dessus_.clear();
    changer();
}

void ZoneDessin::superposer(std::vector<ortix::Segment> segments) {
    dessus_ = std::move(segments);
    superpose_ = true;
    update();
}

void ZoneDessin::changer() {
    fond_ = QPixmap();
    update();
}

void ZoneDessin::resizeEvent(QResizeEvent* event) {
    fond_ = QPixmap();
    QWidget::resizeEvent(event);
}

void ZoneDessin::mousePressEvent(QMouseEvent* event) {
    appui_ = event->position();
    bouton_ = event->button();
    glisse_ = bouton_ == Qt::MiddleButton;
    QWidget::mousePressEvent(event);
}

void ZoneDessin::mouseMoveEvent(QMouseEvent* event) {
    const QPointF ici = event->position();
    if (bouton_ == Qt::LeftButton &&
        (ici - appui_).manhattanLength() >= QApplication::startDragDistance())
        glisse_ = true;
    if (glisse_ && vue_.valide) {
        repere_ = ortix::Deplacer(repere_, {ici.x() - appui_.x(), ici.y() - appui_.y()}, taille());
        appui_ = ici;
        changer();
    }
    montrerCoordonnees(ici);
}

void ZoneDessin::mouseReleaseEvent(QMouseEvent* event) {
    // A plain left click keeps its meaning in the window: a refresh or a computation.
    if (event->button() == Qt::LeftButton && bouton_ == Qt::LeftButton && !glisse_) emit clique();
    bouton_ = Qt::NoButton;
    glisse_ = false;
}

void ZoneDessin::mouseDoubleClickEvent(QMouseEvent*) {
    repere_ = vue_.repere;
    changer();
}

void ZoneDessin::wheelEvent(QWheelEvent* event) {
    if (!vue_.valide) return;
    const QPointF ici = event->position();
    repere_ = ortix::Zoomer(repere_, {ici.x(), ici.y()},
                            std::pow(1.2, event->angleDelta().y() / 120.0), taille());
    changer();
    montrerCoordonnees(ici);
}

void ZoneDessin::leaveEvent(QEvent*) {
    coordonnees_->hide();
}

void ZoneDessin::montrerCoordonnees(QPointF pixel) {
    if (!vue_.valide) return coordonnees_->hide();
    const ortix::Point2 u = ortix::Vers_Utilisateur(repere_, {pixel.x(), pixel.y()}, taille());
    auto texte = [](double v) { return QString::fromStdString(ortix::Format(v, "#0.0")); };
    coordonnees_->setText(axeX_ + QStringLiteral(" = ") + texte(u.x) + QStringLiteral(" mm   ") +
                          axeY_ + QStringLiteral(" = ") + texte(u.y) + QStringLiteral(" mm"));
    // In the first corner of the drawing that no caption holds: bottom right, top
    // right, bottom left, top left.
    const int bas = static_cast<int>(taille().hauteur) - 17;
    for (const QPoint coin :
         {QPoint(width() - 254, bas), QPoint(width() - 254, 2), QPoint(4, bas), QPoint(4, 2)}) {
        const QRect place(coin, QSize(250, 15));
        bool libre = true;
        for (const QLabel* l : findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            libre &= l == coordonnees_ || l->text().isEmpty() || !l->isVisibleTo(this) ||
                     !l->geometry().intersects(place);
        coordonnees_->setGeometry(place);
        if (libre) break;
    }
    coordonnees_->show();
}

void ZoneDessin::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!superpose_) return peindreVue(painter);
    if (fond_.isNull()) {
        fond_ = QPixmap(size() * devicePixelRatioF());
        fond_.setDevicePixelRatio(devicePixelRatioF());
        fond_.fill(palette().color(QPalette::Window));
        QPainter p(&fond_);
        peindreVue(p);
    }
    painter.drawPixmap(0, 0, fond_);
    if (!vue_.valide) return;
    painter.setRenderHint(QPainter::Antialiasing);
    peindre(painter, dessus_);
}

void ZoneDessin::peindreVue(QPainter& painter) const {
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!vue_.valide) return;
    const ortix::Taille t = taille();
    painter.setClipRect(QRectF(0, 0, t.largeur, t.hauteur));
    painter.setRenderHint(QPainter::Antialiasing);
    peindre(painter, vue_.segments);
    for (const ortix::Forme& f : vue_.formes) {
        QPen pen(couleur(f.couleur), f.largeur, trait(f.trait));
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        tracer(painter, repere_, t, f.a, f.b);
    }
    for (const ortix::TexteVue& e : vue_.textes) {
        const ortix::Point2 p = ortix::Vers_Pixel(repere_, e.point, t);
        painter.setPen(couleur(e.couleur));
        painter.drawText(QRectF(p.x - 100, p.y - 102, 200, 100), Qt::AlignHCenter | Qt::AlignBottom,
                         QString::fromStdString(e.texte));
    }
}

void ZoneDessin::peindre(QPainter& painter, const std::vector<ortix::Segment>& segments) const {
    const ortix::Taille t = taille();
    for (const ortix::Segment& s : segments) {
        painter.setPen(QPen(s.couleur.texte ? palette().color(QPalette::WindowText)
                                            : QColor(s.couleur.r, s.couleur.g, s.couleur.b),
                            1, trait(s.trait)));
        tracer(painter, repere_, t, s.a, s.b);
    }
}
