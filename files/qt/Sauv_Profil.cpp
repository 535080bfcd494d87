#include "files/qt/Sauv_Profil.h"

#include "files/Sortie.h"
#include "files/qt/PanneauFichiers.h"
#include "model/Modele.h"
#include "qt/Apparence.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace ortix::gui;

QString q(const std::string& t) {
    return QString::fromStdString(t);
}

// A caption at the left of its row.
void libelle(QWidget* parent, const QString& texte, int x, int y, int largeur) {
    Etiquette(parent, texte, {x, y, largeur, 19});
}

} // namespace

Sauv_Profil::Sauv_Profil(QWidget* parent, const ortix::Modele& modele)
    : QDialog(parent), modele_(modele) {
    Preparer_Dialogue(this, "Sauv_Profil", QStringLiteral("Sauvegarde des profils calculés"),
                      {287, 377});

    libelle(this, QStringLiteral("Nom du projet :"), 8, 8, 110);
    Txt_Nom_proj = Champ(this, "Txt_Nom_proj", {120, 8, 161, 19}, false, QStringLiteral("Ortix"));
    libelle(this, QStringLiteral("Corde des profils :"), 8, 32, 110);
    Txt_Corde = Champ(this, "Txt_Corde", {120, 32, 73, 19}, true);
    libelle(this, QStringLiteral("mm"), 200, 32, 30);
    libelle(this, QStringLiteral("Longueur du tronçon :"), 8, 48, 112);
    Txt_Long = Champ(this, "Txt_Long", {120, 48, 73, 19}, true);
    libelle(this, QStringLiteral("mm"), 200, 48, 30);

    panneau_ = new PanneauFichiers(this, QStringLiteral("*.dat"), "Repertoire", "Fichiers",
                                   {8, 72, 137, 21}, {8, 96, 137, 126}, {144, 72, 137, 149});

    libelle(this, QStringLiteral("Noms proposés pour les fichiers :"), 88, 224, 195);
    libelle(this, QStringLiteral("Emplanture :"), 8, 240, 72);
    Txt_Nom_Fich_Empl = Champ(this, "Txt_Nom_Fich_Empl", {80, 240, 201, 19});
    libelle(this, QStringLiteral("Saumon :"), 8, 256, 72);
    Txt_Nom_Fich_Saum = Champ(this, "Txt_Nom_Fich_Saum", {80, 256, 201, 19});
    libelle(this, QStringLiteral("Data tronçon :"), 8, 272, 72);
    Txt_Nom_Fich_Data = Champ(this, "Txt_Nom_Fich_Data", {80, 272, 201, 19});

    auto* Bt_Sauve = Bouton(this, "Bt_Sauve", QStringLiteral("Enregistrer les trois fichiers"),
                            {8, 296, 177, 25});
    auto* Bt_Annul = Bouton(this, "Bt_Annul", QStringLiteral("Annuler"), {192, 296, 89, 25});
    // The cutting templates, under the dialog's first controls, which keep their places.
    libelle(this, QStringLiteral("Gabarits :"), 8, 328, 72);
    Txt_Nom_Fich_Gabarits = Champ(this, "Txt_Nom_Fich_Gabarits", {80, 328, 201, 19});
    Chk_Gabarits = new QCheckBox(QStringLiteral("Gabarits à l'échelle 1 (PDF et SVG)"), this);
    Chk_Gabarits->setObjectName(QStringLiteral("Chk_Gabarits"));
    Chk_Gabarits->setGeometry(8, 352, 273, 19);

    Txt_Nom_proj->installEventFilter(this);
    connect(Txt_Nom_proj, &QLineEdit::textChanged, this, &Sauv_Profil::nomProjetChange);
    connect(Bt_Sauve, &QPushButton::clicked, this, &Sauv_Profil::Bt_Sauve_Click);
    connect(Bt_Annul, &QPushButton::clicked, this, &QDialog::hide);
    connect(panneau_, &PanneauFichiers::fichierClique, this, [this](QString nom) {
        nom.chop(4); // the ".dat"
        Txt_Nom_proj->setText(nom);
        Propose_Noms();
    });
    connect(panneau_, &PanneauFichiers::fichierDoubleClique, this, &Sauv_Profil::Bt_Sauve_Click);
}

QString Sauv_Profil::nomProjet() const {
    return Txt_Nom_proj->text();
}

void Sauv_Profil::definirNomProjet(const QString& nom) {
    Txt_Nom_proj->setText(nom);
}

void Sauv_Profil::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
    QDialog::changeEvent(event);
}

bool Sauv_Profil::eventFilter(QObject* objet, QEvent* event) {
    if (objet == Txt_Nom_proj && Touche_Entree(event)) {
        Propose_Noms();
        Bt_Sauve_Click();
        return true;
    }
    if (objet == Txt_Nom_proj && Quitte_Le_Champ(event)) Propose_Noms();
    return QDialog::eventFilter(objet, event);
}

void Sauv_Profil::Form_Activate() {
    Txt_Corde->setText(q(modele_.finals.Txt_Corde_Final));
    Txt_Long->setText(q(modele_.finals.Txt_Lg_Final));
    Propose_Noms();
}

void Sauv_Profil::Propose_Noms() {
    const ortix::fichiers::NomsProposes n = ortix::fichiers::Propose_Noms(
        Txt_Nom_proj->text().toStdString(), Txt_Corde->text().toStdString(),
        Txt_Long->text().toStdString(), modele_.finals);
    Txt_Nom_Fich_Empl->setText(q(n.Txt_Nom_Fich_Empl));
    Txt_Nom_Fich_Saum->setText(q(n.Txt_Nom_Fich_Saum));
    Txt_Nom_Fich_Data->setText(q(n.Txt_Nom_Fich_Data));
    Txt_Nom_Fich_Gabarits->setText(q(n.Txt_Nom_Fich_Gabarits));
    // The start of a name, the project's, is what tells one proposal from another.
    for (QLineEdit* e :
         {Txt_Nom_Fich_Empl, Txt_Nom_Fich_Saum, Txt_Nom_Fich_Data, Txt_Nom_Fich_Gabarits})
        e->setCursorPosition(0);
}

void Sauv_Profil::Bt_Sauve_Click() {
    auto t = [](const QLineEdit* e) { return e->text().toStdString(); };
    emit sauver(panneau_->dossierCourant(),
                {t(Txt_Nom_Fich_Empl), t(Txt_Nom_Fich_Saum), t(Txt_Nom_Fich_Data),
                 t(Txt_Nom_Fich_Gabarits)},
                Chk_Gabarits->isChecked());
}
