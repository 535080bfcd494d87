// The profile chooser, shared by both ends: the caller's label routes the
// chosen file to the root or the tip loader. A small drawing of the highlighted
// airfoil, with its point count and thickness, helps choose; the dialog can be
// enlarged, the lists and the drawing taking the room.
#pragma once

#include <QDialog>

class PanneauFichiers;
class QLabel;
class QPushButton;
class ZoneDessin;

class Charge_Fichier : public QDialog {
    Q_OBJECT
  public:
    explicit Charge_Fichier(QWidget* parent);

    PanneauFichiers* panneau() const { return panneau_; }
    // Sets the caller's label ("Emplanture" or "Saumon") and shows the chooser.
    void choisirPour(const QString& appelant);

    void Bt_Ouvrir_Click();

  signals:
    void chargerEmplanture(const QString& chemin, const QString& nom);
    void chargerSaumon(const QString& chemin, const QString& nom);
    void erreurAppelant();

  protected:
    bool eventFilter(QObject* objet, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // The drawing and the figures of the highlighted file; blank for none, and
    // the reason for a file that cannot be read.
    void apercevoir(const QString& nom);

    PanneauFichiers* panneau_;
    QLabel* lbl_appelant;
    ZoneDessin* Pic_Apercu = nullptr;
    QLabel* Lbl_Apercu = nullptr;
};
