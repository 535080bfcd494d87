#include "geometry/qt/ZoneDessin.h"

#include <QMouseEvent>
#include <QPainter>

ZoneDessin::ZoneDessin(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
}

void ZoneDessin::afficher(const ortix::Vue& vue) {
    vue_ = vue;
    update();
}

void ZoneDessin::effacer() {
    vue_.segments.clear();
    update();
}

void ZoneDessin::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clique();
    QWidget::mousePressEvent(event);
}

void ZoneDessin::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!vue_.valide) return;
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = width(), h = height();
    auto couleur = [&](const ortix::Couleur& c) {
        return c.texte ? palette().color(QPalette::WindowText) : QColor(c.r, c.g, c.b);
    };
    auto tracer = [&](ortix::Point2 a, ortix::Point2 b) {
        a = vue_.versPixel(a, w, h);
        b = vue_.versPixel(b, w, h);
        if (ortix::couperSegment(a, b, -10, -10, w + 10, h + 10))
            painter.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
    };
    for (const ortix::Segment& s : vue_.segments) {
        painter.setPen(couleur(s.couleur));
        tracer(s.a, s.b);
    }
    for (const ortix::Forme& f : vue_.formes) {
        QPen pen(couleur(f.couleur), f.largeur);
        pen.setStyle(f.trait == ortix::Trait::TiretPoint ? Qt::DashDotLine : Qt::SolidLine);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        tracer(f.a, f.b);
    }
}
