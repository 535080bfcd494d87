// The « Aperçu de la découpe » window: the face planes from the side, the
// machine from above, and the wire moving along the whole cut under a time
// slider, with each face's speed, the wire's angle and the G-code line being
// run. Everything it shows is computed by the core (files/ApercuDecoupe.h), as
// the file is written; the window only paints and wires events.
#pragma once

#include "files/ApercuDecoupe.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class QTimer;
class ZoneDessin;

namespace ortix {
struct Modele;
}

class Apercu_Decoupe : public QWidget {
    Q_OBJECT
  public:
    explicit Apercu_Decoupe(QWidget* parent);

    // The slider's steps along the whole cut.
    static constexpr int Pas = 1000;

    // Plans the cut of the panel on the machine and shows it; `calcule` false
    // (the projected profiles are stale) shows that they need computing instead,
    // as a refused cut shows its refusal: without any path.
    void afficher(const ortix::Modele& m, const ortix::ProfilMachine& p, bool calcule);
    // Puts the wire where slider position s (0 to Pas) is along the cut.
    void placer(int s);

    const ortix::fichiers::ApercuDecoupe& apercu() const { return apercu_; }
    const ortix::fichiers::InstantDecoupe& instant() const { return instant_; }

  private:
    void vider(const QString& raison);
    void lireOuArreter();

    ortix::fichiers::ApercuDecoupe apercu_;
    ortix::fichiers::InstantDecoupe instant_;
    ZoneDessin *Pic_Cote, *Pic_Dessus;
    QSlider* Sld_Temps;
    QPushButton* Bt_Lecture;
    QTimer* lecture_;
    QLabel *Lbl_Temps, *Lbl_Vitesses, *Lbl_Angle, *Lbl_Ligne;
    QListWidget* Lst_Constats;
};
