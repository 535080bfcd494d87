// The profile chooser, shared by both ends: the caller's label routes the
// chosen file to the root or the tip loader.
#pragma once

#include <QDialog>

class PanneauFichiers;
class QLabel;
class QPushButton;

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

  private:
    PanneauFichiers* panneau_;
    QLabel* lbl_appelant;
};
