#include "files/qt/Charge_Fichier.h"

#include "files/Chemins.h"
#include "files/FichierProfil.h"
#include "files/qt/PanneauFichiers.h"
#include "geometry/Apercu.h"
#include "geometry/qt/ZoneDessin.h"
#include "qt/Apparence.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QResizeEvent>

#include <memory>

namespace {

// The size the chooser opens at, the smallest it takes.
constexpr QSize TailleOuverture{529, 207};
// The drawing's column at the right.
constexpr int LargeurApercu = 168;

} // namespace

Charge_Fichier::Charge_Fichier(QWidget* parent) : QDialog(parent) {
    using namespace ortix::gui;
    Preparer_Dialogue(this, "Charge_Fichier", QStringLiteral("Choix du profil"), TailleOuverture);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    panneau_ = new PanneauFichiers(this, QStringLiteral("*.dat"), "Repertoire", "Fichier",
                                   {8, 8, 153, 21}, {8, 32, 153, 171}, {168, 32, 177, 136});
    lbl_appelant = Etiquette(this, QString(), {176, 8, 161, 17});
    lbl_appelant->setObjectName(QStringLiteral("lbl_appelant"));
    auto* Bt_Ouvrir = Bouton(this, "Bt_Ouvrir", QStringLiteral("Ouvrir"), {168, 176, 89, 25});
    auto* Bt_Annul = Bouton(this, "Bt_Annul", QStringLiteral("Annuler"), {264, 176, 81, 25});
    Pic_Apercu = new ZoneDessin(this, QStringLiteral("x"), QStringLiteral("y"));
    Pic_Apercu->setObjectName(QStringLiteral("Pic_Apercu"));
    Lbl_Apercu = Etiquette(this, QString(), {});
    Lbl_Apercu->setObjectName(QStringLiteral("Lbl_Apercu"));
    Lbl_Apercu->setWordWrap(true);
    Lbl_Apercu->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* fichiers = findChild<QListWidget*>(QStringLiteral("Fichier"));
    fichiers->installEventFilter(this);
    connect(fichiers, &QListWidget::currentTextChanged, this, &Charge_Fichier::apercevoir);
    connect(Bt_Ouvrir, &QPushButton::clicked, this, &Charge_Fichier::Bt_Ouvrir_Click);
    connect(Bt_Annul, &QPushButton::clicked, this, &QDialog::hide);
    connect(panneau_, &PanneauFichiers::fichierDoubleClique, this,
            &Charge_Fichier::Bt_Ouvrir_Click);
}

// The folder list and the buttons keep the left; the file list and the drawing
// share the room the dialog gains over its opening size.
void Charge_Fichier::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!Pic_Apercu) return; // sized before its controls were made
    const int dw = width() - TailleOuverture.width(), dh = height() - TailleOuverture.height();
    const int fichiers = 177 + dw / 2, xApercu = 168 + fichiers + 8;
    auto placer = [this](const char* nom, QRect place) {
        findChild<QWidget*>(QString::fromLatin1(nom))->setGeometry(place);
    };
    placer("Repertoire", {8, 32, 153, 171 + dh});
    placer("Fichier", {168, 32, fichiers, 136 + dh});
    placer("Bt_Ouvrir", {168, 176 + dh, 89, 25});
    placer("Bt_Annul", {264, 176 + dh, 81, 25});
    const int largeur = LargeurApercu + dw - dw / 2;
    Pic_Apercu->setGeometry(xApercu, 8, largeur, 160 + dh);
    Lbl_Apercu->setGeometry(xApercu, 172 + dh, largeur, 30);
    apercevoir(panneau_->fichierSelectionne());
}

bool Charge_Fichier::eventFilter(QObject* objet, QEvent* event) {
    // Enter on the highlighted file opens it, as a double click does.
    if (ortix::gui::Touche_Entree(event)) {
        Bt_Ouvrir_Click();
        return true;
    }
    return QDialog::eventFilter(objet, event);
}

void Charge_Fichier::apercevoir(const QString& nom) {
    Pic_Apercu->afficher({});
    Lbl_Apercu->clear();
    if (nom.isEmpty()) return;
    auto profil = std::make_unique<ortix::Profil>();
    const ortix::Resultat r = ortix::Proteger([&] {
        return ortix::fichiers::Lire_Profil(
            ortix::fichiers::Chemin_Depuis_Utf8(panneau_->cheminDans(nom).toStdString()),
            nom.toStdString(), *profil);
    });
    if (!r) {
        Lbl_Apercu->setText(QStringLiteral("Fichier illisible"));
        Lbl_Apercu->setToolTip(
            Qt::convertFromPlainText(QString::fromStdString(r.message()), Qt::WhiteSpaceNormal));
        return;
    }
    Lbl_Apercu->setToolTip({});
    Pic_Apercu->afficher(ortix::Tracer_Apercu(*profil, Pic_Apercu->taille()));
    Lbl_Apercu->setText(QString::fromStdString(ortix::Resume_Profil(*profil)));
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
