// The two project dialogs. They collect a path and hand it to the main window,
// which reads or writes the project and hides the dialog on success.
#pragma once

#include <QDialog>

class PanneauFichiers;
class QLineEdit;
class QPushButton;

class Sauv_Proj : public QDialog {
    Q_OBJECT
  public:
    explicit Sauv_Proj(QWidget* parent);
    PanneauFichiers* panneau() const { return panneau_; }
    // Proposes the project name followed by ".ortix" and shows the dialog.
    void ouvrirAvec(const QString& nomProjet);
    void Bt_Sauve_Click();

  signals:
    // The full path and the name as typed.
    void sauver(const QString& chemin, const QString& nomTape);

  protected:
    bool eventFilter(QObject* objet, QEvent* event) override;

  private:
    PanneauFichiers* panneau_;
    QLineEdit* Txt_Nom_Fichier;
};

class Charge_Proj : public QDialog {
    Q_OBJECT
  public:
    explicit Charge_Proj(QWidget* parent);
    PanneauFichiers* panneau() const { return panneau_; }
    void Bt_Charge_Click();

  signals:
    void charger(const QString& chemin);

  private:
    PanneauFichiers* panneau_;
    QPushButton* Bt_Charge;
};
