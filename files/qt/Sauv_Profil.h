// The output dialog: proposes the names of the files from the project name and
// the final figures (the data file, the two profiles, the templates' PDF, the
// cut's G-code), and hands the folder, the names and what goes with them to the
// main window, which writes the files. It reads the main window's model and
// machine profile and owns none of them; its project-name field is where the
// program keeps the project name.
#pragma once

#include <QDialog>

#include "files/Sortie.h"

namespace ortix {
struct Modele;
struct ProfilMachine;
} // namespace ortix
class QCheckBox;
class QComboBox;
class QLabel;
class PanneauFichiers;
class QLineEdit;
class QPushButton;

class Sauv_Profil : public QDialog {
    Q_OBJECT
  public:
    Sauv_Profil(QWidget* parent, const ortix::Modele& modele, const ortix::ProfilMachine& machine);

    PanneauFichiers* panneau() const { return panneau_; }
    QString nomProjet() const;
    void definirNomProjet(const QString& nom);
    // The name of the machine profile in use, as the dialog shows it.
    void definirMachine(const QString& nom);

    void Form_Activate();
    void Propose_Noms();
    void Bt_Sauve_Click();

  signals:
    // The chosen folder, the names as shown, and what goes with the three files
    // (the machine, when the cut goes too, is the one given at construction).
    void sauver(const QString& dossier, const ortix::fichiers::NomsProposes& noms,
                const ortix::fichiers::OptionsSortie& options);
    void nomProjetChange(const QString& nom);
    void machineDemandee();
    void apercuDemande();

  protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

  private:
    ortix::fichiers::NomsProposes noms() const;
    ortix::fichiers::OptionsSortie options() const;
    // The save button's caption, from the files it will write.
    void compterFichiers();

    const ortix::Modele& modele_;
    const ortix::ProfilMachine& machine_;
    PanneauFichiers* panneau_;
    QLineEdit *Txt_Nom_proj, *Txt_Corde, *Txt_Long;
    QLineEdit *Txt_Nom_Fich_Empl, *Txt_Nom_Fich_Saum, *Txt_Nom_Fich_Data, *Txt_Nom_Fich_Gabarits,
        *Txt_Nom_Fich_GCode;
    QComboBox* Cmb_Papier;
    QCheckBox *Chk_Gabarits, *Chk_GCode;
    QLabel *Lbl_Machine, *Lbl_Repli;
    QPushButton* Bt_Sauve;
};
