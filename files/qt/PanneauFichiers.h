// The linked drive, folder and file panels that every file dialog holds.
// Choosing a drive moves the folder panel to that drive; opening a folder moves
// the file panel to it, which lists the folder's files matching its pattern
// whatever their letter case. Nothing else links them.
#pragma once

#include <QHash>
#include <QObject>
#include <QRect>
#include <QString>

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QWidget;

class PanneauFichiers : public QObject {
    Q_OBJECT
  public:
    // Creates the three panels as children of the dialog, at their places and
    // with their names, on the working folder.
    PanneauFichiers(QWidget* dialogue, const QString& motif, const char* nomDossiers,
                    const char* nomFichiers, QRect placeLecteur, QRect placeDossiers,
                    QRect placeFichiers);

    // The drive entry as shown: its root path, then its name in brackets when it has one.
    QString lecteurCourant() const;
    // The folder panel's current folder, with the platform's separators.
    QString dossierCourant() const;
    // The name of the file selected in the file panel, or an empty text.
    QString fichierSelectionne() const;
    // The full path of a file of the current folder.
    QString cheminDans(const QString& nom) const;

    // Sets the drive panel to the entry shown as `texte` (or whose root it
    // names); false, and nothing changed, when no such drive is mounted.
    bool definirLecteur(const QString& texte);
    // Opens the folder in the folder and file panels; false, and nothing
    // changed, when it does not exist.
    bool definirDossier(const QString& chemin);
    // Lists the folder's files again (after a save, say).
    void rafraichir();

  signals:
    void fichierClique(const QString& nom);
    void fichierDoubleClique(const QString& nom);

  private:
    // The drive entry for a root path and a volume name.
    static QString texteLecteur(const QString& racine, const QString& nom);
    void Lecteur_Change(int index);
    void Dossier_Change(QListWidgetItem* item);
    void remplirLecteurs();
    void ouvrir(const QString& chemin);
    QString racineDe(const QString& chemin) const;

    QComboBox* lecteur_;
    QListWidget* dossiers_;
    QListWidget* fichiers_;
    QString motif_;
    QString dossier_;                        // absolute, with '/' separators
    QHash<QString, QString> dernierDossier_; // last folder opened on each drive root
};
