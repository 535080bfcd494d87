// Shared by the two programs the start-up benchmark launches: writes one byte
// to standard output once the window has been painted for the first time, then
// ends the program.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <cstdio>

class PremiereImage : public QObject {
  public:
    explicit PremiereImage(QWidget* fenetre) : fenetre_(fenetre) {
        fenetre->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* objet, QEvent* event) override {
        if (objet == fenetre_ && event->type() == QEvent::Paint && !fait_) {
            fait_ = true;
            // Report after this paint has finished.
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    std::fputc('!', stdout);
                    std::fflush(stdout);
                    QApplication::exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

  private:
    QWidget* fenetre_;
    bool fait_ = false;
};
