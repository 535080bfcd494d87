#include "files/qt/Sauv_Profil.h"

#include "files/Sortie.h"
#include "files/qt/PanneauFichiers.h"
#include "geometry/Cassure.h"
#include "geometry/Pagination.h"
#include "model/Modele.h"
#include "qt/Apparence.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include <array>

namespace {

using namespace ortix::gui;

QString q(const std::string& t) {
    return QString::fromStdString(t);
}

// A caption at the left of its row.
void libelle(QWidget* parent, const QString& texte, int x, int y, int largeur) {
    Etiquette(parent, texte, {x, y, largeur, 19});
}

// The paper chosen last, kept with the window's geometry.
const QString ClePapier = QStringLiteral("sortie/papier");

// A name too long for its field is shown elided in the middle, whole in its
// tooltip (escaped, as a tooltip has no plain-text mode), and whole again while
// the field has the focus, to be edited. The whole name is kept in a property.
const char* const NomEntier = "nomEntier";

QString nomEntier(const QLineEdit* e) {
    const QVariant v = e->property(NomEntier);
    return v.isValid() ? v.toString() : e->text();
}

void montrerNom(QLineEdit* e, const QString& nom) {
    e->setProperty(NomEntier, nom);
    const QString vu =
        e->hasFocus() ? nom : e->fontMetrics().elidedText(nom, Qt::ElideMiddle, e->width() - 12);
    const QSignalBlocker bloque(e);
    if (e->text() != vu) e->setText(vu);
    if (!e->hasFocus()) e->setCursorPosition(0);
    e->setToolTip(vu == nom && !e->hasFocus() ? QString() : Qt::convertFromPlainText(nom));
}

} // namespace

Sauv_Profil::Sauv_Profil(QWidget* parent, const ortix::Modele& modele,
                         const ortix::ProfilMachine& machine)
    : QDialog(parent), modele_(modele), machine_(machine) {
    Preparer_Dialogue(this, "Sauv_Profil", QStringLiteral("Sauvegarde des profils calculés"),
                      {480, 495});

    libelle(this, QStringLiteral("Nom du projet :"), 8, 8, 110);
    Txt_Nom_proj = Champ(this, "Txt_Nom_proj", {120, 8, 161, 19}, false, QStringLiteral("Ortix"));
    libelle(this, QStringLiteral("Corde des profils :"), 8, 32, 110);
    Txt_Corde = Champ(this, "Txt_Corde", {120, 32, 73, 19}, true);
    libelle(this, QStringLiteral("mm"), 200, 32, 30);
    libelle(this, QStringLiteral("Longueur du tronçon :"), 8, 48, 112);
    Txt_Long = Champ(this, "Txt_Long", {120, 48, 73, 19}, true);
    libelle(this, QStringLiteral("mm"), 200, 48, 30);

    panneau_ = new PanneauFichiers(this, QStringLiteral("*.dat"), "Repertoire", "Fichiers",
                                   {8, 72, 137, 21}, {8, 96, 137, 126}, {144, 72, 328, 149});

    libelle(this, QStringLiteral("Noms proposés pour les fichiers :"), 88, 224, 195);
    libelle(this, QStringLiteral("Emplanture :"), 8, 240, 72);
    Txt_Nom_Fich_Empl = Champ(this, "Txt_Nom_Fich_Empl", {80, 240, 392, 19});
    libelle(this, QStringLiteral("Saumon :"), 8, 256, 72);
    Txt_Nom_Fich_Saum = Champ(this, "Txt_Nom_Fich_Saum", {80, 256, 392, 19});
    libelle(this, QStringLiteral("Data tronçon :"), 8, 272, 72);
    Txt_Nom_Fich_Data = Champ(this, "Txt_Nom_Fich_Data", {80, 272, 392, 19});
    libelle(this, QStringLiteral("Gabarits :"), 8, 288, 72);
    Txt_Nom_Fich_Gabarits = Champ(this, "Txt_Nom_Fich_Gabarits", {80, 288, 392, 19});
    // The cut's name follows the project's alone.
    libelle(this, QStringLiteral("Découpe :"), 8, 304, 72);
    Txt_Nom_Fich_GCode = Champ(this, "Txt_Nom_Fich_GCode", {80, 304, 392, 19}, true);

    Chk_Gabarits = new QCheckBox(QStringLiteral("Gabarits à l'échelle 1 (PDF et SVG)"), this);
    Chk_Gabarits->setObjectName(QStringLiteral("Chk_Gabarits"));
    Chk_Gabarits->setGeometry(8, 328, 240, 19);
    libelle(this, QStringLiteral("Papier :"), 336, 328, 48);
    Cmb_Papier = new QComboBox(this);
    Cmb_Papier->setObjectName(QStringLiteral("Cmb_Papier"));
    Cmb_Papier->setGeometry(384, 327, 88, 21);
    const QString papier = QSettings(QStringLiteral("Ortix"), QStringLiteral("Ortix"))
                               .value(ClePapier, QStringLiteral("a4"))
                               .toString();
    for (const ortix::FormatPapier& f : ortix::FormatsPapier) {
        Cmb_Papier->addItem(QString::fromLatin1(f.libelle), QString::fromLatin1(f.nom));
        if (papier == QString::fromLatin1(f.nom))
            Cmb_Papier->setCurrentIndex(Cmb_Papier->count() - 1);
    }
    Chk_GCode = new QCheckBox(QStringLiteral("Découpe CNC (G-code)"), this);
    Chk_GCode->setObjectName(QStringLiteral("Chk_GCode"));
    Chk_GCode->setGeometry(8, 352, 240, 19);
    Lbl_Machine = Etiquette(this, QString(), {8, 374, 240, 19});
    Lbl_Machine->setObjectName(QStringLiteral("Lbl_Machine"));
    auto* Bt_Machine = Bouton(this, "Bt_Machine", QStringLiteral("Machine…"), {252, 372, 80, 23});
    auto* Bt_Apercu =
        Bouton(this, "Bt_Apercu", QStringLiteral("Aperçu de la découpe"), {336, 372, 136, 23});
    // A tip that folds back is said again here, before anything is written.
    Lbl_Repli = Etiquette(this, QString(), {8, 400, 464, 56});
    Lbl_Repli->setObjectName(QStringLiteral("Lbl_Repli"));
    Lbl_Repli->setWordWrap(true);
    Lbl_Repli->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette rouge = Lbl_Repli->palette();
    rouge.setColor(QPalette::WindowText, Qt::red);
    Lbl_Repli->setPalette(rouge);

    Bt_Sauve = Bouton(this, "Bt_Sauve", QString(), {8, 462, 240, 25});
    auto* Bt_Annul = Bouton(this, "Bt_Annul", QStringLiteral("Annuler"), {383, 462, 89, 25});

    Txt_Nom_proj->installEventFilter(this);
    connect(Txt_Nom_proj, &QLineEdit::textChanged, this, &Sauv_Profil::nomProjetChange);
    for (QLineEdit* e : {Txt_Nom_Fich_Empl, Txt_Nom_Fich_Saum, Txt_Nom_Fich_Data,
                         Txt_Nom_Fich_Gabarits, Txt_Nom_Fich_GCode}) {
        e->installEventFilter(this);
        connect(e, &QLineEdit::textEdited, this, [e](const QString& t) { montrerNom(e, t); });
    }
    for (QCheckBox* c : {Chk_Gabarits, Chk_GCode})
        connect(c, &QCheckBox::toggled, this, &Sauv_Profil::compterFichiers);
    connect(Cmb_Papier, &QComboBox::currentIndexChanged, this, [this] {
        QSettings(QStringLiteral("Ortix"), QStringLiteral("Ortix"))
            .setValue(ClePapier, Cmb_Papier->currentData());
    });
    connect(Bt_Machine, &QPushButton::clicked, this, &Sauv_Profil::machineDemandee);
    connect(Bt_Apercu, &QPushButton::clicked, this, &Sauv_Profil::apercuDemande);
    connect(Bt_Sauve, &QPushButton::clicked, this, &Sauv_Profil::Bt_Sauve_Click);
    connect(Bt_Annul, &QPushButton::clicked, this, &QDialog::hide);
    connect(panneau_, &PanneauFichiers::fichierClique, this, [this](QString nom) {
        nom.chop(4); // the ".dat"
        Txt_Nom_proj->setText(nom);
        Propose_Noms();
    });
    connect(panneau_, &PanneauFichiers::fichierDoubleClique, this, &Sauv_Profil::Bt_Sauve_Click);
    compterFichiers();
}

QString Sauv_Profil::nomProjet() const {
    return Txt_Nom_proj->text();
}

void Sauv_Profil::definirNomProjet(const QString& nom) {
    Txt_Nom_proj->setText(nom);
}

void Sauv_Profil::definirMachine(const QString& nom) {
    Lbl_Machine->setText(QStringLiteral("Machine : ") + nom);
    Lbl_Machine->setToolTip(Qt::convertFromPlainText(nom));
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
    // A proposed name, whole while it is edited, elided again once left.
    if (auto* e = qobject_cast<QLineEdit*>(objet);
        e && e != Txt_Nom_proj &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        montrerNom(e, nomEntier(e));
    return QDialog::eventFilter(objet, event);
}

void Sauv_Profil::Form_Activate() {
    Txt_Corde->setText(q(modele_.finals.Txt_Corde_Final));
    Txt_Long->setText(q(modele_.finals.Txt_Lg_Final));
    Propose_Noms();
    bool revient = false;
    const std::string phrase = ortix::Phrase_Cassures(ortix::Mesurer_Cassures(modele_), revient);
    Lbl_Repli->setText(revient ? q(phrase) : QString());
}

void Sauv_Profil::Propose_Noms() {
    const ortix::fichiers::NomsProposes n = ortix::fichiers::Propose_Noms(
        Txt_Nom_proj->text().toStdString(), Txt_Corde->text().toStdString(),
        Txt_Long->text().toStdString(), modele_.finals);
    montrerNom(Txt_Nom_Fich_Empl, q(n.Txt_Nom_Fich_Empl));
    montrerNom(Txt_Nom_Fich_Saum, q(n.Txt_Nom_Fich_Saum));
    montrerNom(Txt_Nom_Fich_Data, q(n.Txt_Nom_Fich_Data));
    montrerNom(Txt_Nom_Fich_Gabarits, q(n.Txt_Nom_Fich_Gabarits));
    montrerNom(Txt_Nom_Fich_GCode,
               q(ortix::fichiers::Nom_GCode(Txt_Nom_proj->text().toStdString())));
}

ortix::fichiers::NomsProposes Sauv_Profil::noms() const {
    auto t = [](const QLineEdit* e) { return nomEntier(e).toStdString(); };
    return {t(Txt_Nom_Fich_Empl), t(Txt_Nom_Fich_Saum), t(Txt_Nom_Fich_Data),
            t(Txt_Nom_Fich_Gabarits)};
}

ortix::fichiers::OptionsSortie Sauv_Profil::options() const {
    ortix::fichiers::OptionsSortie o;
    o.gabarits = Chk_Gabarits->isChecked();
    const ortix::FormatPapier& f =
        ortix::FormatsPapier[static_cast<std::size_t>(std::max(0, Cmb_Papier->currentIndex()))];
    o.papier.largeur = f.largeur;
    o.papier.hauteur = f.hauteur;
    if (Chk_GCode->isChecked()) o.machine = &machine_;
    return o;
}

void Sauv_Profil::compterFichiers() {
    static const std::array<const char*, 8> Nombres = {"",       "un",   "deux", "trois",
                                                       "quatre", "cinq", "six",  "sept"};
    const std::size_t n =
        ortix::fichiers::Noms_Des_Fichiers(Txt_Nom_proj->text().toStdString(), noms(), options())
            .size();
    Bt_Sauve->setText(
        QStringLiteral("Enregistrer les %1 fichiers")
            .arg(n < Nombres.size() ? QString::fromLatin1(Nombres[n]) : QString::number(n)));
}

void Sauv_Profil::Bt_Sauve_Click() {
    emit sauver(panneau_->dossierCourant(), noms(), options());
}
