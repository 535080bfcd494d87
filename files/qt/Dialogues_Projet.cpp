#include "files/qt/Dialogues_Projet.h"

#include "files/qt/PanneauFichiers.h"
#include "qt/Apparence.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace ortix::gui;

// Both dialogs: drive list top left, folder list below it, file list at the
// right, then the confirming button and "Annuler" under the file list.
PanneauFichiers* panneauProjet(QDialog* d, int hauteurFichiers) {
    return new PanneauFichiers(d, QStringLiteral("*.ortix"), "Dossier", "Fichiers", {8, 8, 153, 21},
                               {8, 32, 153, 192}, {168, 8, 177, hauteurFichiers});
}

} // namespace

Sauv_Proj::Sauv_Proj(QWidget* parent) : QDialog(parent) {
    Preparer_Dialogue(this, "Sauv_Proj", QStringLiteral("Sauvegarde du projet"), {353, 232});
    panneau_ = panneauProjet(this, 162);
    Txt_Nom_Fichier = Champ(this, "Txt_Nom_Fichier", {168, 174, 177, 21});
    Txt_Nom_Fichier->installEventFilter(this);
    auto* Bt_Sauve = Bouton(this, "Bt_Sauve", QStringLiteral("Enregistrer"), {168, 200, 89, 25});
    auto* Bt_Annul = Bouton(this, "Bt_Annul", QStringLiteral("Annuler"), {264, 200, 81, 25});
    connect(Bt_Sauve, &QPushButton::clicked, this, &Sauv_Proj::Bt_Sauve_Click);
    connect(Bt_Annul, &QPushButton::clicked, this, &QDialog::hide);
    connect(panneau_, &PanneauFichiers::fichierClique, Txt_Nom_Fichier, &QLineEdit::setText);
    connect(panneau_, &PanneauFichiers::fichierDoubleClique, this, &Sauv_Proj::Bt_Sauve_Click);
}

void Sauv_Proj::ouvrirAvec(const QString& nomProjet) {
    Txt_Nom_Fichier->setText(nomProjet + QStringLiteral(".ortix"));
    panneau_->rafraichir();
    Montrer(this);
}

void Sauv_Proj::Bt_Sauve_Click() {
    emit sauver(panneau_->cheminDans(Txt_Nom_Fichier->text()), Txt_Nom_Fichier->text());
}

bool Sauv_Proj::eventFilter(QObject* objet, QEvent* event) {
    if (objet == Txt_Nom_Fichier && Touche_Entree(event)) {
        Bt_Sauve_Click();
        return true;
    }
    return QDialog::eventFilter(objet, event);
}

Charge_Proj::Charge_Proj(QWidget* parent) : QDialog(parent) {
    Preparer_Dialogue(this, "Charge_Proj", QStringLiteral("Chargement d'un projet"), {353, 232});
    panneau_ = panneauProjet(this, 186);
    Bt_Charge = Bouton(this, "Bt_Charge", QStringLiteral("Charger"), {168, 200, 89, 25});
    Bt_Charge->setEnabled(false);
    auto* Bt_Annul = Bouton(this, "Bt_Annul", QStringLiteral("Annuler"), {264, 200, 81, 25});
    connect(Bt_Charge, &QPushButton::clicked, this, &Charge_Proj::Bt_Charge_Click);
    connect(Bt_Annul, &QPushButton::clicked, this, &QDialog::hide);
    connect(panneau_, &PanneauFichiers::fichierClique, this, [this](const QString& nom) {
        if (!nom.isEmpty()) Bt_Charge->setEnabled(true);
    });
    connect(panneau_, &PanneauFichiers::fichierDoubleClique, this, &Charge_Proj::Bt_Charge_Click);
}

void Charge_Proj::Bt_Charge_Click() {
    const QString nom = panneau_->fichierSelectionne();
    if (nom.isEmpty()) return;
    emit charger(panneau_->cheminDans(nom));
}
