// The main window: the panel's parameter fields, the final figures, the
// command buttons and the four drawing areas. It owns the wing model for the
// whole run and wires each event to its procedure; the computations live in
// the core.
#pragma once

#include "files/Reglages.h"
#include "files/Sortie.h"
#include "geometry/Machine.h"
#include "geometry/Vue.h"
#include "model/Modele.h"
#include "model/Parametres.h"
#include "model/Resultat.h"

#include <QWidget>

#include <array>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace ortix {
struct Reduction;
}

class Aide;
class Apercu_Decoupe;
class Charge_Fichier;
class Charge_Proj;
class Machine_Decoupe;
class Opti_Href;
class PanneauFichiers;
class QLabel;
class QLineEdit;
class QPushButton;
class QThread;
class Sauv_Profil;
class Sauv_Proj;
class ZoneDessin;

class Interface : public QWidget {
    Q_OBJECT
  public:
    // The project named on the command line (Lire_Commande_Fenetre): "ortix
    // PROJET.ortix", as a file manager opens a project, loads it at start-up.
    explicit Interface(const std::optional<std::string>& projet = {}, QWidget* parent = nullptr);
    ~Interface() override;

    // The refresh: sections, rotation, final figures and the three initial views.
    void Trace_Profil_Ini();
    // "Calculer les nouveaux profils": the projected profiles and their view.
    // False, with a message and nothing changed, when the computation is refused.
    bool Bt_Calc_Click();
    // "Opti.": refresh, computation, then the candidate tip heights in their dialog.
    void Bt_Opt_Href_Saum_Click();
    // Writes a candidate height into txt_href_saum, then refreshes and computes.
    void Appliquer_Href_Saum(const QString& texte);
    // Loads an airfoil file for one end; a refused file changes nothing.
    void Charge_Profil_Empl(const QString& chemin, const QString& nom);
    void Charge_Profil_Saum(const QString& chemin, const QString& nom);
    // Reads a project file into the fields and airfoils; a refused file changes nothing.
    void Charge_Projet(const QString& chemin);
    // Shows the help window (F1, the « ? » button).
    void Afficher_Aide();
    // Writes the project file.
    void Sauve_Projet(const QString& chemin, const QString& nomTape);
    // Writes the panel data file, then the root and tip profile files, and the
    // cutting templates and the cut when asked, into the folder, as one set: off
    // the window's thread, on a copy of the model and of the machine profile, with
    // a progress dialog once it takes half a second, whose « Annuler » changes no
    // file. One save at a time.
    void Sauve_Fichiers(const QString& dossier, const ortix::fichiers::NomsProposes& noms,
                        const ortix::fichiers::OptionsSortie& options);

    // The settings file in the working folder.
    static QString cheminReglages();

    // Shows a message to the user. Replaceable so that tests can read it.
    std::function<void(const QString& titre, const QString& texte)> messager;

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void construire();
    // The window's title, led by the project's name once one is loaded or saved.
    void nommerFenetre(const std::string& projet);
    void construireProjetInitial();
    void construireExtremites();
    void construireProjetFinal();
    void construireZones();
    void placerZones();
    void placerBande();
    // The projected view, from the profiles of the last computation, fitted again.
    void tracerProjetee();
    void marquerLecture(std::size_t k);
    // The refusal of a computation whose projected profiles would have too many
    // points, with a button that applies the reduction, refreshes and computes again.
    void proposerReduction(const QString& refus,
                           const std::shared_ptr<const ortix::Reduction>& reduction);
    // The drawing areas' sizes, to which the views are fitted.
    ortix::TaillesVues tailles() const;
    void relierEvenements();
    void relierDialogues();
    void Form_Load(const std::optional<std::string>& projet);
    // Charge_Projet's work, on a path that need not be UTF-8.
    void chargerProjet(const std::filesystem::path& chemin);
    void Form_Unload();
    // Copies the field texts into the model, and the model back into the window.
    void lireChamps();
    void Charge_Profil(ortix::Extremite e, const QString& chemin, const QString& nom);
    // The dialogs, each created at its first use, wired and placed where the
    // settings file remembers it.
    Charge_Fichier* chargeFichier();
    Sauv_Profil* sauvProfil();
    Sauv_Proj* sauvProj();
    Charge_Proj* chargeProj();
    // The file panel of each dialog whose place the settings file remembers.
    PanneauFichiers* panneau(ortix::fichiers::Dialogue d);
    void placerPanneau(ortix::fichiers::Dialogue d, PanneauFichiers* p) const;
    // Lists every dialog's folder again, after a file was written.
    void rafraichirPanneaux();
    void lireReglages();
    ortix::Resultat ecrireReglages();
    void afficherModele();
    void afficherMessage(const QString& titre, const QString& texte);

    std::unique_ptr<ortix::Modele> modele_;
    // The machine the cut is planned for, and the file it was read from (none:
    // the built-in default profile).
    ortix::ProfilMachine machine_;
    std::optional<std::filesystem::path> cheminMachine_;
    // Reads the profile used last; the default one when it is gone or refused,
    // the refusal returned.
    ortix::Resultat lireMachine();
    QString nomMachine() const;
    // The « Machine… » dialog, and the profile it hands back, put in use.
    void choisirMachine();
    void utiliserMachine(const ortix::ProfilMachine& p,
                         const std::optional<std::filesystem::path>& chemin);
    // The cut's preview, shown; and shown again, when open, after a computation,
    // a refresh or a new profile.
    void montrerApercu();
    void suivreApercu();

    QLineEdit *Txt_Long, *txt_fleche;
    QLineEdit *txt_prof_empl, *txt_corde_empl, *txt_href_empl, *txt_vril_empl2;
    QLineEdit *txt_prof_saum, *txt_corde_saum, *txt_href_saum, *txt_vril_saum2;
    // The parameter fields and the final figures, in the order of their tables
    // (TableChamps, TableFinals).
    std::array<QLineEdit*, ortix::TableChamps.size()> parametres_{};
    std::array<QLineEdit*, ortix::TableFinals.size()> finals_{};
    QPushButton *Bt_Prof_Empl, *bt_prof_saum, *Bt_Opt_Href_Saum;
    QPushButton *Bt_Calc, *Bt_Sauve_Prof, *Bt_Load_Proj, *Bt_Save_Proj, *Bt_Quit, *Bt_Aide;
    ZoneDessin *Pic_Prof_Ini, *Plan_Ini, *Plan_Final, *Pic_Prof_Proj;
    QLabel *Lbl_prof_empl, *Lbl_Prof_Saum, *Label32, *Lbl_Etat, *Lbl_Cassure;
    // The fields as the last refresh read them: a resized window draws its views
    // again from them.
    std::optional<ortix::Champs> champsTrace_;

    // The settings file as read at start-up, for the dialogs still to be created.
    ortix::fichiers::Reglages reglages_;
    Charge_Fichier* Charge_Fichier_ = nullptr;
    Sauv_Profil* Sauv_Profil_ = nullptr;
    Sauv_Proj* Sauv_Proj_ = nullptr;
    Charge_Proj* Charge_Proj_ = nullptr;
    Opti_Href* Opti_Href_ = nullptr;             // created at its first use
    Machine_Decoupe* Machine_Decoupe_ = nullptr; // likewise
    Apercu_Decoupe* Apercu_ = nullptr;           // likewise
    Aide* Aide_ = nullptr;                       // likewise
    // The output's save in progress, and its cancellation, which it reads.
    QThread* sauvegarde_ = nullptr;
    std::atomic<bool> annulation_{false};
};
