// The « Machine de découpe » dialog: every key of a machine profile as a
// labelled field with its unit and what it is, each checked as it is left by
// the profile file's own reader, the kerf as one value per face or a table of
// speeds; the profile read from and written to files. It edits a copy and
// hands it back on « OK »; the main window keeps the profile in use.
#pragma once

#include "files/FichierMachine.h"
#include "geometry/Machine.h"

#include <QDialog>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

class Machine_Decoupe : public QDialog {
    Q_OBJECT
  public:
    explicit Machine_Decoupe(QWidget* parent);

    // Shows the profile in use; `chemin` is the file it was read from, if any.
    void ouvrirAvec(const ortix::ProfilMachine& p,
                    const std::optional<std::filesystem::path>& chemin);
    // « Ouvrir… » and « Enregistrer sous… » once their file is chosen; a
    // refusal is shown in the dialog and changes nothing.
    void ouvrir(const std::filesystem::path& chemin);
    void enregistrer(const std::filesystem::path& chemin);
    const ortix::ProfilMachine& profil() const { return profil_; }

  signals:
    // « OK »: the profile, and its file when it holds it as it is.
    void accepte(const ortix::ProfilMachine& p, const std::optional<std::filesystem::path>& chemin);

  protected:
    bool eventFilter(QObject* objet, QEvent* event) override;

  private:
    // One row: the key's caption, its field, its unit and its refusal.
    struct Ligne {
        QLabel* libelle;
        QWidget* champ;
        QLabel* refus;
    };
    void construireLigne(std::size_t k, const ortix::fichiers::CleMachine& c, QPoint place);
    void construireTable(QPoint place);
    // Reads the field of row k into the profile, or shows why not.
    void verifier(std::size_t k);
    void verifierTable();
    void conclure(const std::string& cle, const ortix::Resultat& r, QLabel* refus);
    // Every field from the profile, but those whose refusal still stands.
    void afficherProfil();
    QString texteDe(const QWidget* champ) const;

    ortix::ProfilMachine profil_;
    std::optional<std::filesystem::path> chemin_;
    std::vector<Ligne> lignes_;
    std::map<std::string, std::string> refus_; // per key, the standing refusals
    bool remplissage_ = false;                 // the fields are being filled from the profile
    QCheckBox* Chk_Table;
    QTableWidget* Tab_Saignee;
    QLabel *Lbl_Refus_Table, *Lbl_Message, *Lbl_Fichier;
    QPushButton *Bt_OK, *Bt_Retirer;
};
