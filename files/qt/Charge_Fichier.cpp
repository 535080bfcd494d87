#include "files/qt/Charge_Fichier.h"

#include "files/qt/PanneauFichiers.h"
#include "qt/Apparence.h"

#include <QLabel>
#include <QPushButton>

Charge_Fichier::Charge_Fichier(QWidget* parent) : QDialog(parent) {
    using namespace ortix::gui;
    Preparer_Dialogue(this, "Charge_Fichier", QStringLiteral("Choix du profil"), {353, 207});
    panneau_ = new PanneauFichiers(this, QStringLiteral("*.dat"), "Repertoire", "Fichier",
                                   {8, 8, 153, 21}, {8, 32, 153, 171}, {168, 32, 177, 136});
    lbl_appelant = Etiquette(this, QString(), {176, 8, 161, 17});
    lbl_appelant->setObjectName(QStringLiteral("lbl_appelant"));
    auto* Bt_Ouvrir = Bouton(this, "Bt_Ouvrir", QStringLiteral("Ouvrir"), {168, 176, 89, 25});
    auto* Bt_Annul = Bouton(this, "Bt_Annul", QStringLiteral("Annuler"), {264, 176, 81, 25});

    connect(Bt_Ouvrir, &QPushButton::clicked, this, &Charge_Fichier::Bt_Ouvrir_Click);
    connect(Bt_Annul, &QPushButton::clicked, this, &QDialog::hide);
    connect(panneau_, &PanneauFichiers::fichierDoubleClique, this,
            &Charge_Fichier::Bt_Ouvrir_Click);
}

void Charge_Fichier::choisirPour(const QString& appelant) {
    lbl_appelant->setText(appelant);
    panneau_->rafraichir();
    ortix::gui::Montrer(this);
}

void Charge_Fichier::Bt_Ouvrir_Click() {
    const QString nom = panneau_->fichierSelectionne();
    if (nom.isEmpty()) return;
    const QString chemin = panneau_->cheminDans(nom);
    hide();
    if (lbl_appelant->text() == QLatin1String("Emplanture"))
        emit chargerEmplanture(chemin, nom);
    else if (lbl_appelant->text() == QLatin1String("Saumon"))
        emit chargerSaumon(chemin, nom);
    else
        emit erreurAppelant();
}
