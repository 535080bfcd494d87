// A drawing area: paints an ortix::Vue (its line shapes and drawn segments)
// antialiased, and reports clicks.
#pragma once

#include "geometry/Vue.h"

#include <QWidget>

class ZoneDessin : public QWidget {
    Q_OBJECT
  public:
    explicit ZoneDessin(QWidget* parent = nullptr);

    // Sets the coordinate system, the line shapes and the drawn segments.
    void afficher(const ortix::Vue& vue);
    // Removes the drawn segments; line shapes stay where they are.
    void effacer();

  signals:
    void clique();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    ortix::Vue vue_;
};
