#include "app/qt/Interface.h"

#include "app/qt/Aide.h"

#include "files/Chemins.h"
#include "files/Citation.h"
#include "files/Date.h"
#include "files/FichierMachine.h"
#include "files/FichierProfil.h"
#include "files/LecteurChamps.h"
#include "files/Projet.h"
#include "files/Reglages.h"
#include "files/Sortie.h"
#include "files/qt/Charge_Fichier.h"
#include "files/qt/Dialogues_Projet.h"
#include "files/qt/Machine_Decoupe.h"
#include "files/qt/PanneauFichiers.h"
#include "files/qt/Sauv_Profil.h"
#include "geometry/Cassure.h"
#include "geometry/Optimisation.h"
#include "geometry/Planforme.h"
#include "geometry/Projection.h"
#include "geometry/Reduction.h"
#include "geometry/qt/Apercu_Decoupe.h"
#include "geometry/qt/Opti_Href.h"
#include "geometry/qt/ZoneDessin.h"
#include "model/Nombres.h"
#include "model/Parametres.h"
#include "qt/Apparence.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QResizeEvent>
#include <QSettings>
#include <QShortcut>
#include <QTextDocument>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <tuple>

namespace {

QString q(const std::string& texte) {
    return QString::fromStdString(texte);
}
std::string s(const QString& texte) {
    return texte.toStdString();
}

// Rows inside the frames: label at the left, field, unit at the right.
constexpr int xChamp = 78, largeurChamp = 72, xUnite = 154, hauteurLigne = 19;

// A row's caption, field and unit, at the row's height y. The fields' texts
// come from the model.
QLabel* etiquette(QWidget* parent, const QString& texte, int x, int y, int largeur = 74) {
    return ortix::gui::Etiquette(parent, texte, {x, y, largeur, hauteurLigne});
}

QLineEdit* champ(QWidget* parent, const char* nom, int y, bool lectureSeule = false, int x = xChamp,
                 int largeur = largeurChamp) {
    return ortix::gui::Champ(parent, nom, {x, y, largeur, hauteurLigne}, lectureSeule);
}

// The unit of a parameter field, from its table.
QString unite(const char* controle) {
    for (const ortix::ChampParametre& c : ortix::TableChamps)
        if (std::string_view(c.controle) == controle) return QString::fromUtf8(c.unite);
    return {};
}

// A whole row: caption, field and unit.
QLineEdit* ligneDeChamp(QWidget* parent, const QString& libelle, const char* nom, int y) {
    etiquette(parent, libelle, 6, y, xChamp - 6);
    QLineEdit* e = champ(parent, nom, y);
    etiquette(parent, unite(nom), xUnite, y, 24);
    return e;
}

using ortix::gui::Bouton;
using ortix::gui::Montrer;

QGroupBox* cadre(QWidget* parent, const char* nom, const QString& titre, QRect place) {
    auto* g = new QGroupBox(titre, parent);
    g->setObjectName(QString::fromLatin1(nom));
    g->setGeometry(place);
    return g;
}

// A drawing area; the window places it at its size.
ZoneDessin* zone(QWidget* parent, const char* nom, const QString& axeX, const QString& axeY) {
    auto* z = new ZoneDessin(parent, axeX, axeY);
    z->setObjectName(QString::fromLatin1(nom));
    return z;
}

// A tooltip, wrapped to a readable width; a text from a file is never read as markup.
QString infobulle(const std::string& texte) {
    return Qt::convertFromPlainText(q(texte), Qt::WhiteSpaceNormal);
}

// The client size the window opens at, the smallest it can take.
constexpr QSize TailleOuverture{736, 491};

} // namespace

Interface::Interface(const std::optional<std::string>& projet, QWidget* parent)
    : QWidget(parent), modele_(std::make_unique<ortix::Modele>()) {
    messager = [this](const QString& titre, const QString& texte) {
        afficherMessage(titre, texte);
    };
    construire();
    Form_Load(projet);
}

Interface::~Interface() {
    // A save in progress reads this window's cancellation: it stops and is waited for.
    annulation_ = true;
    if (sauvegarde_) sauvegarde_->wait();
}

void Interface::construire() {
    setObjectName(QStringLiteral("Interface"));
    nommerFenetre({});
    setFont(ortix::gui::Police_Interface());
    setMinimumSize(TailleOuverture);
    resize(TailleOuverture);
    construireProjetInitial();
    construireExtremites();
    Bt_Calc =
        Bouton(this, "Bt_Calc", QStringLiteral("Calculer les nouveaux profils"), {8, 240, 185, 25});
    construireProjetFinal();
    Bt_Load_Proj =
        Bouton(this, "Bt_Load_Proj", QStringLiteral("Charger un projet"), {8, 440, 129, 25});
    Bt_Save_Proj =
        Bouton(this, "Bt_Save_Proj", QStringLiteral("Enregistrer le projet"), {8, 464, 129, 25});
    Bt_Quit = Bouton(this, "Bt_Quit", QStringLiteral("Quitter"), {144, 440, 49, 49});
    // The help's button stands beside the first frame's title, where nothing was.
    Bt_Aide = Bouton(this, "Bt_Aide", QStringLiteral("?"), {173, 0, 20, 15});
    construireZones();
    placerZones();
    for (std::size_t k = 0; k < ortix::TableChamps.size(); ++k) {
        parametres_[k] = findChild<QLineEdit*>(QString::fromLatin1(ortix::TableChamps[k].controle));
        parametres_[k]->setToolTip(infobulle(ortix::TableChamps[k].aide));
    }
    for (std::size_t k = 0; k < ortix::TableFinals.size(); ++k)
        finals_[k]->setToolTip(infobulle(ortix::TableFinals[k].aide));
    for (auto [bouton, aide] : std::initializer_list<std::pair<QPushButton*, const char*>>{
             {Bt_Prof_Empl, "Choisir le fichier du profil de l'emplanture."},
             {bt_prof_saum, "Choisir le fichier du profil du saumon."},
             {Bt_Opt_Href_Saum, "Proposer des hauteurs de référence du saumon qui réduisent la "
                                "cassure au bord de fuite du saumon."},
             {Bt_Calc, "Calculer les profils projetés et les cotes du projet final (Entrée dans "
                       "un champ)."},
             {Bt_Sauve_Prof, "Écrire les profils projetés, les données du tronçon et, au choix, "
                             "les gabarits et la découpe CNC."},
             {Bt_Load_Proj, "Charger un projet enregistré (Ctrl+O)."},
             {Bt_Save_Proj, "Enregistrer les paramètres et les deux profils dans un projet "
                            "(Ctrl+S)."},
             {Bt_Quit, "Fermer Ortix."},
             {Bt_Aide, "Aide d'Ortix (F1)."}})
        bouton->setToolTip(infobulle(aide));
    relierEvenements();
    relierDialogues();
}

void Interface::nommerFenetre(const std::string& projet) {
    const QString titre =
        QStringLiteral("Découpe d'ailes à fort effilement - Ortix %1, l'atelier du fil chaud")
            .arg(QStringLiteral(ORTIX_VERSION));
    // Quoted as messages quote: a name from a file may be of any length.
    setWindowTitle(projet.empty()
                       ? titre
                       : q(ortix::fichiers::Citation(projet)) + QStringLiteral(" - ") + titre);
}

void Interface::construireProjetInitial() {
    auto* Frame3 = cadre(this, "Frame3", QStringLiteral("Projet initial"), {8, 0, 185, 57});
    Txt_Long = ligneDeChamp(Frame3, QStringLiteral("Longueur :"), "Txt_Long", 16);
    txt_fleche = ligneDeChamp(Frame3, QStringLiteral("Flèche :"), "txt_fleche", 36);
}

// The two end frames share one layout: the airfoil's "..." and name, then the
// chord, the reference height (with "Opti." at the tip) and the twist.
void Interface::construireExtremites() {
    auto extremite = [&](const char* nomCadre, const QString& titre, int y, const char* nomBouton,
                         const char* nomProfil) {
        auto* f = cadre(this, nomCadre, titre, {8, y, 185, 89});
        etiquette(f, QStringLiteral("Profil :"), 6, 14, 44);
        auto* b = Bouton(f, nomBouton, QStringLiteral("..."), {50, 14, 24, hauteurLigne});
        return std::pair{f, std::pair{b, champ(f, nomProfil, 14, true, 76, 103)}};
    };
    auto [Frame1, profilEmpl] =
        extremite("Frame1", QStringLiteral("Emplanture"), 56, "Bt_Prof_Empl", "txt_prof_empl");
    std::tie(Bt_Prof_Empl, txt_prof_empl) = profilEmpl;
    txt_corde_empl = ligneDeChamp(Frame1, QStringLiteral("Corde :"), "txt_corde_empl", 33);
    txt_href_empl = ligneDeChamp(Frame1, QStringLiteral("H référence :"), "txt_href_empl", 51);
    txt_vril_empl2 = ligneDeChamp(Frame1, QStringLiteral("Vrillage :"), "txt_vril_empl2", 69);

    auto [Frame2, profilSaum] =
        extremite("Frame2", QStringLiteral("Saumon"), 144, "bt_prof_saum", "txt_prof_saum");
    std::tie(bt_prof_saum, txt_prof_saum) = profilSaum;
    txt_corde_saum = ligneDeChamp(Frame2, QStringLiteral("Corde :"), "txt_corde_saum", 33);
    etiquette(Frame2, QStringLiteral("H réf. :"), 6, 51, 34);
    Bt_Opt_Href_Saum =
        Bouton(Frame2, "Bt_Opt_Href_Saum", QStringLiteral("Opti."), {40, 51, 37, hauteurLigne});
    txt_href_saum = champ(Frame2, "txt_href_saum", 51);
    etiquette(Frame2, unite("txt_href_saum"), xUnite, 51, 24);
    txt_vril_saum2 = ligneDeChamp(Frame2, QStringLiteral("Vrillage :"), "txt_vril_saum2", 69);
}

// The read-only figures of the final panel, one row each, and "Sauver les profils".
void Interface::construireProjetFinal() {
    auto* Frame4 = cadre(this, "Frame4", QStringLiteral("Projet final"), {8, 264, 185, 169});
    int y = 15;
    for (std::size_t k = 0; k < ortix::TableFinals.size(); ++k) {
        const ortix::ChampFinal& f = ortix::TableFinals[k];
        etiquette(Frame4, QString::fromUtf8(f.libelle), 6, y, 84);
        finals_[k] = champ(Frame4, f.controle, y, true, 90, 62);
        etiquette(Frame4, QString::fromUtf8(f.unite), xUnite, y, 24);
        y += 18;
    }
    Bt_Sauve_Prof =
        Bouton(Frame4, "Bt_Sauve_Prof", QStringLiteral("Sauver les profils"), {4, 143, 177, 22});
}

// The four drawing areas with their titles, legends and status line.
void Interface::construireZones() {
    Pic_Prof_Ini = zone(this, "Pic_Prof_Ini", QStringLiteral("X"), QStringLiteral("Y"));
    Plan_Ini = zone(this, "Plan_Ini", QStringLiteral("Z"), QStringLiteral("X"));
    Plan_Final = zone(this, "Plan_Final", QStringLiteral("Z′"), QStringLiteral("X′"));
    Pic_Prof_Proj = zone(this, "Pic_Prof_Proj", QStringLiteral("X′"), QStringLiteral("Y"));

    using ortix::gui::Legende;
    Legende(Pic_Prof_Ini, "Lbl_Titre_Prof_Ini", QStringLiteral("Profils initiaux"), {},
            Qt::AlignLeft);
    // The curves' legends: their names in a dark colour, each beside a swatch of its curve's.
    const QColor sombre(40, 40, 40);
    Lbl_prof_empl = Legende(Pic_Prof_Ini, "Lbl_prof_empl", {}, {}, Qt::AlignRight, sombre,
                            Pic_Prof_Ini->couleur(ortix::Rouge));
    Lbl_Prof_Saum = Legende(Pic_Prof_Ini, "Lbl_Prof_Saum", {}, {}, Qt::AlignRight, sombre,
                            Pic_Prof_Ini->couleur(ortix::Orange));
    Legende(Plan_Ini, "Lbl_Titre_Plan_Ini", QStringLiteral("Position initiale de l'aile"), {},
            Qt::AlignHCenter);
    Label32 = Legende(Plan_Final, "Label32", {}, {}, Qt::AlignHCenter);
    Legende(Pic_Prof_Proj, "Lbl_Titre_Prof_Proj", QStringLiteral("Profils projetés"), {},
            Qt::AlignLeft);
    Legende(Pic_Prof_Proj, "Lbl_Leg_Empl_Proj", QStringLiteral("Emplanture"), {}, Qt::AlignRight,
            sombre, Pic_Prof_Proj->couleur(ortix::Bleu));
    Legende(Pic_Prof_Proj, "Lbl_Leg_Saum_Proj", QStringLiteral("Saumon"), {}, Qt::AlignRight,
            sombre, Pic_Prof_Proj->couleur(ortix::Vert));
    // The kink's sentence over the status sentences, in the band at the bottom of
    // the projected view (placerBande), the status whole in the view's tooltip.
    Lbl_Cassure = Legende(Pic_Prof_Proj, "Lbl_Cassure", {}, {}, Qt::AlignLeft);
    Lbl_Etat = Legende(Pic_Prof_Proj, "Lbl_Etat", QString(), {}, Qt::AlignLeft, QColor(170, 0, 0));
    for (QLabel* l : {Lbl_Cassure, Lbl_Etat}) {
        // Wrapped and set from the top: a sentence too long for the band loses
        // its end, never its subject.
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setWordWrap(true);
    }
}

// The drawing areas take the room the window gains over its opening size: the
// profile views in width, the planform views half of it each, the three rows the
// height in proportion to theirs. The left column keeps its size and place.
void Interface::placerZones() {
    const int dw = width() - TailleOuverture.width(), dh = height() - TailleOuverture.height();
    const int h1 = dh * 133 / 474, h2 = dh * 200 / 474, h3 = dh - h1 - h2, g = dw / 2;
    Pic_Prof_Ini->setGeometry(200, 8, 533 + dw, 133 + h1);
    Plan_Ini->setGeometry(200, 144 + h1, 267 + g, 200 + h2);
    Plan_Final->setGeometry(464 + g, 144 + h1, 267 + dw - g, 200 + h2);
    Pic_Prof_Proj->setGeometry(200, 344 + h1 + h2, 533 + dw, 141 + h3);
    // Captions along the areas' edges, as at the opening size.
    auto placer = [](ZoneDessin* z, const char* nom, int x, int y, int largeur, int hauteur) {
        z->findChild<QWidget*>(QString::fromLatin1(nom))
            ->setGeometry(x < 0 ? z->width() + x : x, y < 0 ? z->height() + y : y,
                          largeur <= 0 ? z->width() + largeur : largeur, hauteur);
    };
    placer(Pic_Prof_Ini, "Lbl_Titre_Prof_Ini", 4, 2, 200, 15);
    placer(Pic_Prof_Ini, "Lbl_prof_empl", -320, 2, 316, 15);
    placer(Pic_Prof_Ini, "Lbl_Prof_Saum", -320, 17, 316, 15);
    placer(Plan_Ini, "Lbl_Titre_Plan_Ini", 4, -18, -8, 15);
    placer(Plan_Final, "Label32", 4, -18, -8, 15);
    placer(Pic_Prof_Proj, "Lbl_Titre_Prof_Proj", 4, 2, 200, 15);
    placer(Pic_Prof_Proj, "Lbl_Leg_Empl_Proj", -320, 2, 316, 15);
    placer(Pic_Prof_Proj, "Lbl_Leg_Saum_Proj", -320, 17, 316, 15);
    placerBande();
}

// The band of the projected view's sentences: as tall as their wrapped lines,
// below the drawing, which is fitted above it. The title and the legends keep
// their two top rows.
void Interface::placerBande() {
    const int largeur = Pic_Prof_Proj->width() - 8;
    int reste = Pic_Prof_Proj->height() - 34;
    auto hauteur = [&](const QLabel* l) {
        const int h = l->text().isEmpty() ? 0 : std::min(l->heightForWidth(largeur), reste);
        reste -= h;
        return h;
    };
    const int hCassure = hauteur(Lbl_Cassure), hEtat = hauteur(Lbl_Etat);
    const int bande = hCassure + hEtat > 0 ? hCassure + hEtat + 4 : 0;
    const int haut = Pic_Prof_Proj->height() - bande + 2;
    Lbl_Cassure->setGeometry(4, haut, largeur, hCassure);
    Lbl_Etat->setGeometry(4, haut + hCassure, largeur, hEtat);
    Pic_Prof_Proj->reserverBande(bande);
}

ortix::TaillesVues Interface::tailles() const {
    return {Pic_Prof_Ini->taille(), Plan_Ini->taille(), Plan_Final->taille(),
            Pic_Prof_Proj->taille()};
}

// Each view fitted again to its area's new size, as the last refresh and the
// last computation left it.
void Interface::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placerZones();
    if (!champsTrace_) return;
    ortix::ResultatTrace vues;
    ortix::Tracer_Vues_Initiales(*modele_, *champsTrace_, tailles(), vues);
    Pic_Prof_Ini->afficher(vues.Pic_Prof_Ini);
    Plan_Ini->afficher(vues.Plan_Ini);
    Plan_Final->afficher(vues.Plan_Final);
    tracerProjetee();
}

void Interface::tracerProjetee() {
    const ortix::Modele& m = *modele_;
    ortix::Vue proj;
    if (m.boutons.Bt_Sauve_Prof &&
        ortix::Tracer_Prof_Proj(m.X_Empl_Proj.data(), m.Y_Empl_Proj.data(), m.Nb_Pts_Empl_Proj,
                                m.X_Saum_Proj.data(), m.Y_Saum_Proj.data(), m.Nb_Pts_Saum_Proj,
                                m.finals, proj, tailles().Pic_Prof_Proj, m.Rang_Saum_Premier_Proj,
                                m.Rang_Saum_Dernier_Proj))
        Pic_Prof_Proj->afficher(proj);
}

// The main window's own events: Enter and leaving a field, the views' clicks and
// the command buttons.
void Interface::relierEvenements() {
    // Enter in, or leaving, a planform or twist field runs the refresh, a click
    // on an airfoil's name opens the chooser; a text not wholly a number is
    // marked while it stays so.
    for (std::size_t k = 0; k < ortix::TableChamps.size(); ++k) {
        parametres_[k]->installEventFilter(this);
        if (!ortix::TableChamps[k].valeur) continue;
        connect(parametres_[k], &QLineEdit::textChanged, this, [this, k] { marquerLecture(k); });
    }
    connect(Pic_Prof_Ini, &ZoneDessin::clique, this, &Interface::Trace_Profil_Ini);
    connect(Pic_Prof_Proj, &ZoneDessin::clique, this, [this] {
        if (Bt_Calc->isEnabled()) Bt_Calc_Click();
    });
    connect(Bt_Calc, &QPushButton::clicked, this, &Interface::Bt_Calc_Click);
    connect(Bt_Opt_Href_Saum, &QPushButton::clicked, this, &Interface::Bt_Opt_Href_Saum_Click);
    connect(Bt_Quit, &QPushButton::clicked, this, &QWidget::close);
    connect(Bt_Aide, &QPushButton::clicked, this, &Interface::Afficher_Aide);
    // F1 from any of the program's windows, its dialogs too.
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    f1->setContext(Qt::ApplicationShortcut);
    connect(f1, &QShortcut::activated, this, &Interface::Afficher_Aide);
    // Ctrl+O and Ctrl+S as their buttons, when these are available.
    for (auto [touches, bouton] :
         {std::pair{QKeySequence::Open, Bt_Load_Proj}, std::pair{QKeySequence::Save, Bt_Save_Proj}})
        connect(new QShortcut(touches, this), &QShortcut::activated, bouton, [bouton = bouton] {
            if (bouton->isEnabled()) bouton->click();
        });
}

// The buttons that open a dialog; each dialog is created at its first use.
void Interface::relierDialogues() {
    connect(Bt_Prof_Empl, &QPushButton::clicked, this,
            [this] { chargeFichier()->choisirPour(QStringLiteral("Emplanture")); });
    connect(bt_prof_saum, &QPushButton::clicked, this,
            [this] { chargeFichier()->choisirPour(QStringLiteral("Saumon")); });
    connect(Bt_Sauve_Prof, &QPushButton::clicked, this, [this] {
        Sauv_Profil* d = sauvProfil();
        d->panneau()->rafraichir();
        Montrer(d);
        d->Form_Activate();
    });
    connect(Bt_Save_Proj, &QPushButton::clicked, this,
            [this] { sauvProj()->ouvrirAvec(sauvProfil()->nomProjet()); });
    connect(Bt_Load_Proj, &QPushButton::clicked, this, [this] {
        Charge_Proj* d = chargeProj();
        d->panneau()->rafraichir();
        Montrer(d);
    });
}

// What each dialog hands back to the window, wired when it is created, and the
// place the settings file remembers for it.
Charge_Fichier* Interface::chargeFichier() {
    if (Charge_Fichier_) return Charge_Fichier_;
    Charge_Fichier_ = new Charge_Fichier(this);
    connect(Charge_Fichier_, &Charge_Fichier::chargerEmplanture, this,
            &Interface::Charge_Profil_Empl);
    connect(Charge_Fichier_, &Charge_Fichier::chargerSaumon, this, &Interface::Charge_Profil_Saum);
    connect(Charge_Fichier_, &Charge_Fichier::erreurAppelant, this,
            [this] { messager(QStringLiteral("Ortix"), QStringLiteral("Erreur d'appelant")); });
    placerPanneau(ortix::fichiers::ChoixProfil, Charge_Fichier_->panneau());
    return Charge_Fichier_;
}

Sauv_Profil* Interface::sauvProfil() {
    if (Sauv_Profil_) return Sauv_Profil_;
    Sauv_Profil_ = new Sauv_Profil(this, *modele_, machine_);
    Sauv_Profil_->definirNomProjet(q(modele_->Txt_Nom_proj));
    Sauv_Profil_->definirMachine(nomMachine());
    connect(Sauv_Profil_, &Sauv_Profil::sauver, this, &Interface::Sauve_Fichiers);
    connect(Sauv_Profil_, &Sauv_Profil::nomProjetChange, this,
            [this](const QString& nom) { modele_->Txt_Nom_proj = s(nom); });
    connect(Sauv_Profil_, &Sauv_Profil::machineDemandee, this, &Interface::choisirMachine);
    connect(Sauv_Profil_, &Sauv_Profil::apercuDemande, this, &Interface::montrerApercu);
    placerPanneau(ortix::fichiers::SauvegardeProfils, Sauv_Profil_->panneau());
    return Sauv_Profil_;
}

Sauv_Proj* Interface::sauvProj() {
    if (Sauv_Proj_) return Sauv_Proj_;
    Sauv_Proj_ = new Sauv_Proj(this);
    connect(Sauv_Proj_, &Sauv_Proj::sauver, this, &Interface::Sauve_Projet);
    placerPanneau(ortix::fichiers::SauvegardeProjet, Sauv_Proj_->panneau());
    return Sauv_Proj_;
}

Charge_Proj* Interface::chargeProj() {
    if (Charge_Proj_) return Charge_Proj_;
    Charge_Proj_ = new Charge_Proj(this);
    connect(Charge_Proj_, &Charge_Proj::charger, this, &Interface::Charge_Projet);
    placerPanneau(ortix::fichiers::ChargementProjet, Charge_Proj_->panneau());
    return Charge_Proj_;
}

bool Interface::eventFilter(QObject* objet, QEvent* event) {
    // A click on an airfoil's name opens the chooser, as « ... » does.
    if (objet == txt_prof_empl || objet == txt_prof_saum) {
        if (event->type() == QEvent::MouseButtonRelease)
            (objet == txt_prof_empl ? Bt_Prof_Empl : bt_prof_saum)->click();
        return QWidget::eventFilter(objet, event);
    }
    const bool entree = ortix::gui::Touche_Entree(event);
    if (entree || ortix::gui::Quitte_Le_Champ(event)) Trace_Profil_Ini();
    // Enter goes on to the computation, as « Calculer » would.
    if (entree && Bt_Calc->isEnabled()) Bt_Calc_Click();
    return QWidget::eventFilter(objet, event);
}

// A field read in part is framed in red while it stays so, its tooltip saying
// how it is read, as the status line does.
void Interface::marquerLecture(std::size_t k) {
    QLineEdit* e = parametres_[k];
    const std::string lecture = ortix::fichiers::Lecture_Champ(ortix::TableChamps[k], s(e->text()));
    e->setStyleSheet(lecture.empty()
                         ? QString()
                         : QStringLiteral("QLineEdit { border: 2px solid rgb(200, 0, 0); }"));
    e->setToolTip(infobulle(lecture.empty() ? ortix::TableChamps[k].aide : lecture));
}

void Interface::Form_Load(const std::optional<std::string>& projet) {
    lireReglages();
    const ortix::Resultat machine = lireMachine();
    ortix::Profils_Provisoires(*modele_);
    afficherModele(); // the fields' initial texts
    Trace_Profil_Ini();
    // Said once, in the status line: the default profile serves meanwhile.
    if (!machine) Lbl_Etat->setText(q(machine.message()));
    // A project named on the command line, after the settings, as "Charger un
    // projet" loads it.
    if (projet) chargerProjet(ortix::fichiers::Chemin_Depuis_Utf8(*projet));
}

void Interface::Form_Unload() {
    // The window's size and place, in the platform's usual place for settings;
    // ortix.ini keeps to the dialogs' folders.
    QSettings(QStringLiteral("Ortix"), QStringLiteral("Ortix"))
        .setValue(QStringLiteral("fenetre/geometrie"), saveGeometry());
    // The program ends whether or not the settings could be written.
    if (ortix::Resultat r = ecrireReglages(); !r)
        std::fprintf(stderr, "Ortix : les réglages n'ont pas pu être enregistrés. %s\n",
                     r.message().c_str());
    QApplication::quit();
}

namespace {
// The profile's path is remembered with the window's geometry.
const QString CleMachine = QStringLiteral("machine/profil");
} // namespace

ortix::Resultat Interface::lireMachine() {
    const QString chemin =
        QSettings(QStringLiteral("Ortix"), QStringLiteral("Ortix")).value(CleMachine).toString();
    if (chemin.isEmpty()) return {};
    const std::filesystem::path p = ortix::fichiers::Chemin_Depuis_Utf8(s(chemin));
    ortix::ProfilMachine lu;
    if (ortix::Resultat r =
            ortix::Proteger([&] { return ortix::fichiers::Lire_Profil_Machine(p, lu); });
        !r)
        return ortix::Resultat::Refus(r.message() + " Le profil machine par défaut est utilisé.");
    machine_ = lu;
    cheminMachine_ = p;
    return {};
}

QString Interface::nomMachine() const {
    if (cheminMachine_) return q(ortix::fichiers::Utf8_Depuis_Chemin(cheminMachine_->filename()));
    return machine_ == ortix::ProfilMachine{} ? QStringLiteral("profil par défaut")
                                              : QStringLiteral("profil sans fichier");
}

void Interface::choisirMachine() {
    if (!Machine_Decoupe_) {
        Machine_Decoupe_ = new Machine_Decoupe(this);
        connect(Machine_Decoupe_, &Machine_Decoupe::accepte, this, &Interface::utiliserMachine);
    }
    Machine_Decoupe_->ouvrirAvec(machine_, cheminMachine_);
}

void Interface::utiliserMachine(const ortix::ProfilMachine& p,
                                const std::optional<std::filesystem::path>& chemin) {
    machine_ = p;
    cheminMachine_ = chemin;
    // A profile held by no file is not remembered: the next start takes the default.
    QSettings reglages(QStringLiteral("Ortix"), QStringLiteral("Ortix"));
    if (chemin)
        reglages.setValue(CleMachine, q(ortix::fichiers::Utf8_Depuis_Chemin(*chemin)));
    else
        reglages.remove(CleMachine);
    if (Sauv_Profil_) Sauv_Profil_->definirMachine(nomMachine());
    suivreApercu();
}

void Interface::montrerApercu() {
    if (!Apercu_) Apercu_ = new Apercu_Decoupe(this);
    Montrer(Apercu_);
    suivreApercu();
}

void Interface::suivreApercu() {
    if (Apercu_ && Apercu_->isVisible())
        Apercu_->afficher(*modele_, machine_, modele_->boutons.Bt_Sauve_Prof);
}

QString Interface::cheminReglages() {
    return QDir::current().filePath(QStringLiteral("ortix.ini"));
}

PanneauFichiers* Interface::panneau(ortix::fichiers::Dialogue d) {
    using namespace ortix::fichiers;
    switch (d) {
    case ChargementProjet:
        return chargeProj()->panneau();
    case SauvegardeProjet:
        return sauvProj()->panneau();
    case ChoixProfil:
        return chargeFichier()->panneau();
    case SauvegardeProfils:
    case NombreDeDialogues:
        break;
    }
    return sauvProfil()->panneau();
}

void Interface::rafraichirPanneaux() {
    // A dialog not yet created lists its folder when it is.
    for (QDialog* d :
         std::initializer_list<QDialog*>{Charge_Fichier_, Sauv_Profil_, Sauv_Proj_, Charge_Proj_})
        if (d) d->findChild<PanneauFichiers*>()->rafraichir();
}

void Interface::lireReglages() {
    reglages_ =
        ortix::fichiers::Lire_Reglages(ortix::fichiers::Chemin_Depuis_Utf8(s(cheminReglages())));
}

void Interface::placerPanneau(ortix::fichiers::Dialogue d, PanneauFichiers* p) const {
    // Opening the remembered folder also sets its drive; the drive alone is set
    // only when the folder is gone.
    const ortix::fichiers::Emplacement& e = reglages_[d];
    if (e.dossier && p->definirDossier(q(*e.dossier))) return;
    if (e.lecteur) p->definirLecteur(q(*e.lecteur));
}

ortix::Resultat Interface::ecrireReglages() {
    // Every dialog's place, the ones never opened too: they are made now, at the end.
    ortix::fichiers::Reglages r;
    for (std::size_t k = 0; k < r.size(); ++k) {
        const PanneauFichiers* p = panneau(static_cast<ortix::fichiers::Dialogue>(k));
        r[k].lecteur = s(p->lecteurCourant());
        r[k].dossier = s(p->dossierCourant());
    }
    return ortix::fichiers::Ecrire_Reglages(
        ortix::fichiers::Chemin_Depuis_Utf8(s(cheminReglages())), r,
        ortix::fichiers::plateforme::Date_Du_Jour());
}

// The icon and the help live in the window's library, whose resources are not
// registered by themselves. Outside any namespace, as the registering function is.
static void enregistrerRessources() {
    static bool faites = false;
    if (!faites) Q_INIT_RESOURCE(ortix);
    faites = true;
}

bool Interface::event(QEvent* event) {
    // The icon is given once the window has drawn itself: reading it brings in the
    // SVG and image plugins, which the first image need not wait for.
    if (event->type() == QEvent::Paint && windowIcon().isNull())
        QTimer::singleShot(0, this, [] {
            enregistrerRessources();
            QApplication::setWindowIcon(QIcon(QStringLiteral(":/ortix/ortix.svg")));
        });
    return QWidget::event(event);
}

void Interface::Afficher_Aide() {
    if (!Aide_) {
        enregistrerRessources();
        Aide_ = new Aide(this);
    }
    Montrer(Aide_);
}

void Interface::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void Interface::lireChamps() {
    // The airfoils' names are read-only and may be shown elided: the model keeps them.
    for (std::size_t k = 0; k < ortix::TableChamps.size(); ++k)
        if (ortix::TableChamps[k].valeur)
            modele_->champs.*ortix::TableChamps[k].texte = s(parametres_[k]->text());
}

void Interface::afficherModele() {
    // A field is rewritten only when its text changed, so that typing is not disturbed.
    auto poser = [](QLineEdit* e, const std::string& t) {
        if (e->text() != q(t)) e->setText(q(t));
    };
    for (std::size_t k = 0; k < ortix::TableChamps.size(); ++k) {
        const ortix::ChampParametre& c = ortix::TableChamps[k];
        QLineEdit* e = parametres_[k];
        const std::string& texte = modele_->champs.*c.texte;
        if (c.valeur) {
            poser(e, texte);
            continue;
        }
        // An airfoil's name elided in the middle to its box, whole in its tooltip.
        const std::string nom = ortix::fichiers::Citation(texte, 1000);
        poser(e, s(e->fontMetrics().elidedText(q(nom), Qt::ElideMiddle, e->width() - 12)));
        e->setToolTip(infobulle(nom + "\n\n" + c.aide));
    }
    for (std::size_t k = 0; k < ortix::TableFinals.size(); ++k) {
        poser(finals_[k], modele_->finals.*ortix::TableFinals[k].texte);
        finals_[k]->setCursorPosition(0);
    }
    txt_prof_empl->setCursorPosition(0);
    txt_prof_saum->setCursorPosition(0);
    // Quoted as messages quote: a legend of millions of characters, laid out at
    // every paint, would hold up the window.
    Lbl_prof_empl->setText(q(ortix::fichiers::Citation(modele_->Lbl_prof_empl)));
    Lbl_Prof_Saum->setText(q(ortix::fichiers::Citation(modele_->Lbl_Prof_Saum)));
    Label32->setText(q(modele_->Label32));
    const ortix::Boutons& b = modele_->boutons;
    // The figures only a computation writes look stale from a refresh to the next one.
    for (std::size_t k = 0; k < finals_.size(); ++k) {
        if (!ortix::TableFinals[k].parLeCalcul) continue;
        QPalette p = finals_[k]->palette();
        p.setColor(QPalette::Text,
                   palette().color(b.Bt_Sauve_Prof ? QPalette::Active : QPalette::Disabled,
                                   QPalette::Text));
        finals_[k]->setPalette(p);
    }
    Bt_Calc->setEnabled(b.Bt_Calc);
    Bt_Save_Proj->setEnabled(b.Bt_Save_Proj);
    Bt_Opt_Href_Saum->setEnabled(b.Bt_Opt_Href_Saum);
    Bt_Sauve_Prof->setEnabled(b.Bt_Sauve_Prof);
}

void Interface::Trace_Profil_Ini() {
    lireChamps();
    ortix::ResultatTrace r = ortix::Rafraichir_Panneau(*modele_, tailles());
    champsTrace_ = modele_->champs;
    Lbl_Cassure->clear();
    Pic_Prof_Ini->afficher(r.Pic_Prof_Ini);
    Pic_Prof_Proj->effacer();
    Plan_Ini->afficher(r.Plan_Ini);
    Plan_Final->afficher(r.Plan_Final);
    QStringList messages;
    for (const std::string& m : r.messages)
        messages << q(m);
    // A field read only in part says how it was read, until it holds a whole number.
    for (const std::string& l : ortix::fichiers::Lectures_Partielles(modele_->champs))
        messages << q(l);
    Lbl_Etat->setText(messages.join(QLatin1Char(' ')));
    placerBande();
    // A tooltip has no plain-text mode: its text is escaped, never read as markup.
    Pic_Prof_Proj->setToolTip(Qt::convertFromPlainText(messages.join(QLatin1Char('\n'))));
    afficherModele();
    suivreApercu();
}

bool Interface::Bt_Calc_Click() {
    lireChamps();
    ortix::Vue vue;
    if (ortix::Resultat r = ortix::Proteger([&] {
            return ortix::Calculer_Profils_Projetes(*modele_, vue, tailles().Pic_Prof_Proj);
        });
        !r) {
        // Too many points: the airfoils reduced so that both fit are offered.
        auto reduction = std::make_shared<ortix::Reduction>();
        if (ortix::Proteger([&] { return ortix::Proposer_Reduction(*modele_, *reduction); }))
            proposerReduction(q(r.message()), reduction);
        else
            messager(QStringLiteral("Calcul des profils projetés"), q(r.message()));
        return false;
    }
    // The kink at the tip's trailing edge, red when the tip's outline runs back.
    bool revient = false;
    Lbl_Cassure->setText(q(ortix::Phrase_Cassures(ortix::Mesurer_Cassures(*modele_), revient)));
    QPalette p = Lbl_Cassure->palette();
    p.setColor(QPalette::WindowText, revient ? Qt::red : Qt::black);
    Lbl_Cassure->setPalette(p);
    // Drawn above the band the sentence takes.
    placerBande();
    tracerProjetee();
    afficherModele();
    suivreApercu();
    return true;
}

void Interface::proposerReduction(const QString& refus,
                                  const std::shared_ptr<const ortix::Reduction>& reduction) {
    auto* boite =
        new QMessageBox(QMessageBox::Warning, QStringLiteral("Calcul des profils projetés"), refus,
                        QMessageBox::Cancel, this);
    boite->setObjectName(QStringLiteral("Reduction"));
    boite->setTextFormat(Qt::PlainText);
    boite->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* reduire =
        boite->addButton(QStringLiteral("Réduire les profils à %1 points").arg(reduction->N),
                         QMessageBox::AcceptRole);
    boite->setDefaultButton(reduire);
    connect(reduire, &QPushButton::clicked, this, [this, reduction] {
        const QString bilan = q(ortix::Appliquer_Reduction(*modele_, *reduction));
        Trace_Profil_Ini();
        if (Bt_Calc_Click()) messager(QStringLiteral("Réduction des profils"), bilan);
    });
    // Window-modal: the airfoils cannot change until it is answered.
    boite->open();
}

void Interface::Bt_Opt_Href_Saum_Click() {
    // Without a computation there is no rotated section to take the candidates from.
    Trace_Profil_Ini();
    if (!Bt_Calc_Click()) return;
    const ortix::CandidatsOpti c = ortix::Calcule_Candidats(*modele_);
    if (!Opti_Href_) {
        Opti_Href_ = new Opti_Href(this);
        connect(Opti_Href_, &Opti_Href::appliquer, this, &Interface::Appliquer_Href_Saum);
    }
    Opti_Href_->remplir(
        q(c.Txt_NOP), q(c.Txt_Align), q(c.txt_int), q(c.txt_ext),
        [this](const QString& hauteur) {
            return q(ortix::Paire_Cassures(ortix::Cassures_Pour_Hauteur(*modele_, s(hauteur))));
        },
        q(ortix::Avis_Candidats(*modele_, c)));
    Montrer(Opti_Href_);
    Opti_Href_->Form_Activate();
}

void Interface::Appliquer_Href_Saum(const QString& texte) {
    std::string hauteur;
    if (ortix::Resultat r = ortix::Hauteur_A_Appliquer(s(texte), hauteur); !r) {
        messager(QStringLiteral("Optimisation de la hauteur de ligne de base du saumon"),
                 q(r.message()));
        return;
    }
    txt_href_saum->setText(q(hauteur));
    Trace_Profil_Ini();
    Bt_Calc_Click();
}

void Interface::Charge_Profil_Empl(const QString& chemin, const QString& nom) {
    Charge_Profil(ortix::Extremite::Emplanture, chemin, nom);
}

void Interface::Charge_Profil_Saum(const QString& chemin, const QString& nom) {
    Charge_Profil(ortix::Extremite::Saumon, chemin, nom);
}

void Interface::Charge_Profil(ortix::Extremite e, const QString& chemin, const QString& nom) {
    lireChamps();
    std::unique_ptr<ortix::Profil> p;
    if (ortix::Resultat r = ortix::Proteger([&] {
            p = std::make_unique<ortix::Profil>();
            return ortix::fichiers::Lire_Profil(ortix::fichiers::Chemin_Depuis_Utf8(s(chemin)),
                                                s(nom), *p);
        });
        !r) {
        messager(QStringLiteral("Chargement du profil"), q(r.message()));
        return;
    }
    ortix::fichiers::Appliquer_Profil(*modele_, e, s(nom), *p);
    afficherModele();
    Trace_Profil_Ini();
}

void Interface::Charge_Projet(const QString& chemin) {
    chargerProjet(ortix::fichiers::Chemin_Depuis_Utf8(s(chemin)));
}

void Interface::chargerProjet(const std::filesystem::path& chemin) {
    lireChamps();
    std::unique_ptr<ortix::fichiers::Projet> projet;
    if (ortix::Resultat r = ortix::Proteger([&] {
            projet = std::make_unique<ortix::fichiers::Projet>();
            return ortix::fichiers::Lire_Projet(chemin, *projet);
        });
        !r) {
        messager(QStringLiteral("Chargement d'un projet"), q(r.message()));
        return;
    }
    ortix::fichiers::Appliquer_Projet(*modele_, *projet);
    if (Sauv_Profil_) Sauv_Profil_->definirNomProjet(q(modele_->Txt_Nom_proj));
    if (Charge_Proj_) Charge_Proj_->hide();
    nommerFenetre(modele_->Txt_Nom_proj);
    afficherModele();
    Trace_Profil_Ini();
}

void Interface::Sauve_Projet(const QString& chemin, const QString& nomTape) {
    lireChamps();
    if (ortix::Resultat r = ortix::Proteger([&] {
            return ortix::fichiers::Sauve_Projet(
                *modele_, ortix::fichiers::Chemin_Depuis_Utf8(s(chemin)), s(nomTape));
        });
        !r) {
        messager(QStringLiteral("Sauvegarde du projet"), q(r.message()));
        return;
    }
    if (Sauv_Proj_) Sauv_Proj_->hide();
    nommerFenetre(ortix::fichiers::Nom_Projet_A_Ecrire(modele_->Txt_Nom_proj, s(nomTape)));
    rafraichirPanneaux();
    messager(QStringLiteral("Sauvegarde du projet"),
             QStringLiteral("Paramètres du projet enregistrés"));
}

void Interface::Sauve_Fichiers(const QString& dossier, const ortix::fichiers::NomsProposes& noms,
                               const ortix::fichiers::OptionsSortie& options) {
    if (sauvegarde_) return;
    lireChamps();
    // The save works on a copy of the model in a thread of its own, so that the
    // window keeps painting and can cancel it; the result comes back here.
    struct Travail {
        ortix::Modele modele;
        ortix::ProfilMachine machine;
        ortix::fichiers::OptionsSortie options;
        std::vector<std::string> ecrits;
        ortix::Resultat r;
    };
    auto travail = std::make_shared<Travail>(Travail{*modele_, machine_, options, {}, {}});
    if (options.machine) travail->options.machine = &travail->machine;
    annulation_ = false;
    sauvegarde_ = QThread::create([this, travail, noms,
                                   chemin = ortix::fichiers::Chemin_Depuis_Utf8(s(dossier))] {
        travail->r = ortix::Proteger([&] {
            return ortix::fichiers::Sauve_Fichiers(travail->modele, chemin, noms, travail->options,
                                                   travail->ecrits, nullptr, &annulation_);
        });
    });
    sauvegarde_->setParent(this);
    // Shown once the save has taken half a second; the windows wait meanwhile.
    auto* progression = new QProgressDialog(QStringLiteral("Enregistrement des fichiers…"),
                                            QStringLiteral("Annuler"), 0, 0, Sauv_Profil_);
    progression->setWindowTitle(QStringLiteral("Sauvegarde des profils"));
    progression->setWindowModality(Qt::WindowModal);
    progression->setMinimumDuration(500);
    progression->setValue(0); // starts the half second
    connect(progression, &QProgressDialog::canceled, this, [this] { annulation_ = true; });
    connect(sauvegarde_, &QThread::finished, this, [this, travail, progression, dossier] {
        delete progression;
        sauvegarde_->deleteLater();
        sauvegarde_ = nullptr;
        if (!travail->r) {
            messager(QStringLiteral("Sauvegarde des profils"), q(travail->r.message()));
            return;
        }
        Sauv_Profil_->hide();
        rafraichirPanneaux();
        messager(QStringLiteral("Sauvegarde effectuée"),
                 q(ortix::fichiers::Message_Sauvegarde(travail->ecrits, s(dossier))));
    });
    sauvegarde_->start();
}

void Interface::afficherMessage(const QString& titre, const QString& texte) {
    auto* boite = new QMessageBox(QMessageBox::NoIcon, titre, texte, QMessageBox::Ok, this);
    // A message quotes names and lines from files: shown as typed, never as a link.
    boite->setTextFormat(Qt::PlainText);
    boite->setAttribute(Qt::WA_DeleteOnClose);
    boite->open();
}
