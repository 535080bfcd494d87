// The help window: the bundled French help, shown by Qt's own text browser, with
// a drawing of the panel's parameters made when it opens.
#pragma once

#include <QDialog>

class Aide : public QDialog {
    Q_OBJECT
  public:
    explicit Aide(QWidget* parent);
};
