// A drawing area: paints an ortix::Vue (its line shapes, drawn segments and captions)
// antialiased, and reports clicks. The wheel zooms about the cursor, a drag with
// the middle button (or the left one once it has moved a few pixels) pans, a
// double click fits the drawing again; the coordinates under the cursor show in
// millimetres, in the area's own frame.
#pragma once

#include "geometry/Vue.h"

#include <QPixmap>
#include <QWidget>

#include <vector>

class QLabel;

class ZoneDessin : public QWidget {
    Q_OBJECT
  public:
    // `axeX` and `axeY` name the area's two coordinates, such as "X′" and "Y".
    ZoneDessin(QWidget* parent, const QString& axeX, const QString& axeY);

    // Sets the coordinate system, the line shapes and the drawn segments, fitted.
    void afficher(const ortix::Vue& vue);
    // Removes the drawn segments and captions; line shapes stay where they are.
    void effacer();
    // Segments drawn over the view, such as a moving wire, set without fitting
    // again. The view under them is then kept as an image, so that moving them
    // repaints only them.
    void superposer(std::vector<ortix::Segment> segments);
    // Keeps a band of this height at the bottom for sentences: the drawing is
    // fitted above it and never painted into it.
    void reserverBande(int hauteur);
    // The part of the area the drawing takes, in pixels.
    ortix::Taille taille() const;
    // A drawing colour as painted here: the window-text one taken from the palette.
    QColor couleur(const ortix::Couleur& c) const;

  signals:
    void clique();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void montrerCoordonnees(QPointF pixel);
    void peindreVue(QPainter& painter) const;
    void peindre(QPainter& painter, const std::vector<ortix::Segment>& segments) const;
    // The view changed: its image is made again at the next paint.
    void changer();

    ortix::Vue vue_;
    ortix::Repere repere_;
    QString axeX_, axeY_;
    QLabel* coordonnees_;
    QPointF appui_; // where the button went down
    Qt::MouseButton bouton_ = Qt::NoButton;
    bool glisse_ = false; // a drag, not a click
    std::vector<ortix::Segment> dessus_;
    bool superpose_ = false;
    QPixmap fond_; // the view under the segments drawn over it; null when stale
    int bande_ = 0;
};
