// The output dialog: proposes the names of the files from the project name and
// the final figures (the data file, the two profiles, the templates' PDF), and
// hands the folder and the names to the main window, which writes the files. It reads the main
// window's model and owns none of it; its project-name field is where the program keeps the project
// name.
#pragma once

#include <QDialog>

#include "files/Sortie.h"

namespace ortix {
struct Modele;
}
class QCheckBox;
class PanneauFichiers;
class QLineEdit;

class Sauv_Profil : public QDialog {
    Q_OBJECT
  public:
    Sauv_Profil(QWidget* parent, const ortix::Modele& modele);

    PanneauFichiers* panneau() const { return panneau_; }
    QString nomProjet() const;
    void definirNomProjet(const QString& nom);

    void Form_Activate();
    void Propose_Noms();
    void Bt_Sauve_Click();

  signals:
    // The chosen folder, the names as shown, and whether the templates go too.
    void sauver(const QString& dossier, const ortix::fichiers::NomsProposes& noms, bool gabarits);
    void nomProjetChange(const QString& nom);

  protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

  private:
    const ortix::Modele& modele_;
    PanneauFichiers* panneau_;
    QLineEdit *Txt_Nom_proj, *Txt_Corde, *Txt_Long;
    QLineEdit *Txt_Nom_Fich_Empl, *Txt_Nom_Fich_Saum, *Txt_Nom_Fich_Data, *Txt_Nom_Fich_Gabarits;
    QCheckBox* Chk_Gabarits;
};
