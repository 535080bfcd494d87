#include "files/qt/Machine_Decoupe.h"

#include "files/Chemins.h"
#include "model/Nombres.h"
#include "qt/Apparence.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace {

using namespace ortix::gui;

QString q(std::string_view t) {
    return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
}

constexpr int Pas = 22;      // between rows
constexpr int Colonne = 520; // the second column's left edge
const std::string CleTable = "saignee_vitesse";
const QString FiltreProfils = QStringLiteral("Profils machine (*.profil);;Tous les fichiers (*)");

// The profile's values as its file writes them, by key.
std::map<std::string, std::string> valeurs(const ortix::ProfilMachine& p) {
    std::map<std::string, std::string> v;
    for (const std::string& l : ortix::fichiers::Lignes_Profil_Machine(p, false)) {
        const std::size_t egal = l.find(" = ");
        v[l.substr(0, egal)] = l.substr(egal + 3);
    }
    return v;
}

// A refusal beside its field, in red, whole in its tooltip.
QLabel* etiquetteRefus(QWidget* parent, QRect place) {
    QLabel* l = Etiquette(parent, QString(), place);
    QPalette rouge = l->palette();
    rouge.setColor(QPalette::WindowText, Qt::red);
    l->setPalette(rouge);
    return l;
}

void montrerRefus(QLabel* l, const std::string& message) {
    const QFontMetrics m(l->font());
    l->setText(m.elidedText(q(message), Qt::ElideRight, l->width()));
    l->setToolTip(message.empty() ? QString() : Qt::convertFromPlainText(q(message)));
}

} // namespace

Machine_Decoupe::Machine_Decoupe(QWidget* parent) : QDialog(parent) {
    Preparer_Dialogue(this, "Machine_Decoupe", QStringLiteral("Machine de découpe"), {1040, 470});
    const std::vector<ortix::fichiers::CleMachine> cles = ortix::fichiers::Cles_Machine(profil_);
    // The keys of the machine in the first column, the axes' in the second, the
    // kerf table under them.
    int gauche = 0, droite = 0;
    for (std::size_t k = 0; k < cles.size(); ++k) {
        const bool parAxe = k + 2 * ortix::NombreAxes >= cles.size();
        if (cles[k].nom == CleTable) {
            lignes_.push_back({nullptr, nullptr, nullptr});
            continue;
        }
        construireLigne(k, cles[k],
                        parAxe ? QPoint(Colonne, 8 + Pas * droite++)
                               : QPoint(8, 8 + Pas * gauche++));
    }
    construireTable({Colonne, 8 + Pas * droite + 6});

    // The profile's file beside the buttons that open and save it, clear of the
    // refusal above them.
    Lbl_Fichier = Etiquette(this, QString(), {262, 441, 578, 19});
    Lbl_Fichier->setObjectName(QStringLiteral("Lbl_Fichier"));
    Lbl_Message = etiquetteRefus(this, {8, 400, 1024, 32});
    Lbl_Message->setObjectName(QStringLiteral("Lbl_Message"));
    Lbl_Message->setWordWrap(true);
    auto* Bt_Ouvrir = Bouton(this, "Bt_Ouvrir", QStringLiteral("Ouvrir…"), {8, 438, 110, 25});
    auto* Bt_Enregistrer =
        Bouton(this, "Bt_Enregistrer", QStringLiteral("Enregistrer sous…"), {124, 438, 130, 25});
    Bt_OK = Bouton(this, "Bt_OK", QStringLiteral("OK"), {848, 438, 89, 25});
    auto* Bt_Annul = Bouton(this, "Bt_Annul", QStringLiteral("Annuler"), {943, 438, 89, 25});

    connect(Bt_Ouvrir, &QPushButton::clicked, this, [this] {
        const QString f = QFileDialog::getOpenFileName(
            this, QStringLiteral("Ouvrir un profil machine"), QString(), FiltreProfils, nullptr,
            QFileDialog::DontUseNativeDialog);
        if (!f.isEmpty()) ouvrir(ortix::fichiers::Chemin_Depuis_Utf8(f.toStdString()));
    });
    connect(Bt_Enregistrer, &QPushButton::clicked, this, [this] {
        const QString f = QFileDialog::getSaveFileName(
            this, QStringLiteral("Enregistrer le profil machine"), QStringLiteral("machine.profil"),
            FiltreProfils, nullptr, QFileDialog::DontUseNativeDialog);
        if (!f.isEmpty()) enregistrer(ortix::fichiers::Chemin_Depuis_Utf8(f.toStdString()));
    });
    connect(Bt_OK, &QPushButton::clicked, this, [this] {
        hide();
        emit accepte(profil_, chemin_);
    });
    connect(Bt_Annul, &QPushButton::clicked, this, &QDialog::hide);
}

void Machine_Decoupe::construireLigne(std::size_t k, const ortix::fichiers::CleMachine& c,
                                      QPoint place) {
    const int x = place.x(), y = place.y();
    Ligne l{Etiquette(this, q(c.libelle), {x, y, 168, 19}), nullptr,
            etiquetteRefus(this, {x + 326, y, 180, 19})};
    const QString nom = QStringLiteral("Champ_%1").arg(k);
    if (c.choix.empty()) {
        QLineEdit* e = Champ(this, nom.toLatin1().constData(), {x + 170, y, 110, 19});
        e->installEventFilter(this);
        l.champ = e;
    } else {
        auto* b = new QComboBox(this);
        b->setObjectName(nom);
        b->setGeometry(x + 170, y - 1, 110, 21);
        for (std::string_view choix : c.choix)
            b->addItem(q(choix));
        connect(b, &QComboBox::currentTextChanged, this, [this, k] {
            if (!remplissage_) verifier(k);
        });
        l.champ = b;
    }
    Etiquette(this, q(c.unite), {x + 284, y, 40, 19});
    lignes_.push_back(l);
}

void Machine_Decoupe::construireTable(QPoint place) {
    const int x = place.x(), y = place.y();
    Chk_Table = new QCheckBox(
        QStringLiteral("Saignée selon la vitesse (remplace les deux saignées)"), this);
    Chk_Table->setObjectName(QStringLiteral("Chk_Table"));
    Chk_Table->setGeometry(x, y, 420, 19);
    Tab_Saignee = new QTableWidget(0, 2, this);
    Tab_Saignee->setObjectName(QStringLiteral("Tab_Saignee"));
    Tab_Saignee->setGeometry(x, y + 22, 260, 110);
    Tab_Saignee->setHorizontalHeaderLabels(
        {QStringLiteral("Vitesse (mm/s)"), QStringLiteral("Saignée (mm)")});
    Tab_Saignee->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    auto* Bt_Ajouter =
        Bouton(this, "Bt_Ajouter", QStringLiteral("Ajouter une ligne"), {x + 268, y + 22, 130, 25});
    Bt_Retirer =
        Bouton(this, "Bt_Retirer", QStringLiteral("Retirer la ligne"), {x + 268, y + 52, 130, 25});
    Lbl_Refus_Table = etiquetteRefus(this, {x, y + 136, 506, 19});
    for (const ortix::fichiers::CleMachine& c : ortix::fichiers::Cles_Machine(profil_))
        if (c.nom == CleTable) Tab_Saignee->setToolTip(Qt::convertFromPlainText(q(c.aide)));

    connect(Chk_Table, &QCheckBox::toggled, this, [this] {
        if (remplissage_) return;
        // A new table starts with two rows to fill.
        if (Chk_Table->isChecked() && Tab_Saignee->rowCount() == 0) Tab_Saignee->setRowCount(2);
        verifierTable();
    });
    connect(Tab_Saignee, &QTableWidget::itemChanged, this, [this] {
        if (!remplissage_) verifierTable();
    });
    connect(Bt_Ajouter, &QPushButton::clicked, this, [this] {
        Tab_Saignee->insertRow(Tab_Saignee->rowCount());
        verifierTable();
    });
    connect(Bt_Retirer, &QPushButton::clicked, this, [this] {
        Tab_Saignee->removeRow(std::max(0, Tab_Saignee->currentRow()));
        verifierTable();
    });
}

void Machine_Decoupe::ouvrirAvec(const ortix::ProfilMachine& p,
                                 const std::optional<std::filesystem::path>& chemin) {
    profil_ = p;
    chemin_ = chemin;
    refus_.clear();
    Lbl_Message->clear();
    afficherProfil();
    Montrer(this);
}

void Machine_Decoupe::ouvrir(const std::filesystem::path& chemin) {
    ortix::ProfilMachine lu;
    if (ortix::Resultat r =
            ortix::Proteger([&] { return ortix::fichiers::Lire_Profil_Machine(chemin, lu); });
        !r) {
        Lbl_Message->setText(q(r.message()));
        return;
    }
    profil_ = lu;
    chemin_ = chemin;
    refus_.clear();
    Lbl_Message->clear();
    afficherProfil();
}

void Machine_Decoupe::enregistrer(const std::filesystem::path& chemin) {
    if (!refus_.empty()) {
        Lbl_Message->setText(QStringLiteral("Corrigez d'abord les valeurs refusées."));
        return;
    }
    if (ortix::Resultat r = ortix::fichiers::Ecrire_Profil_Machine(chemin, profil_); !r) {
        Lbl_Message->setText(q(r.message()));
        return;
    }
    chemin_ = chemin;
    Lbl_Message->clear();
    afficherProfil();
}

bool Machine_Decoupe::eventFilter(QObject* objet, QEvent* event) {
    if (Touche_Entree(event) || Quitte_Le_Champ(event))
        for (std::size_t k = 0; k < lignes_.size(); ++k)
            if (lignes_[k].champ == objet) verifier(k);
    return QDialog::eventFilter(objet, event);
}

QString Machine_Decoupe::texteDe(const QWidget* champ) const {
    if (auto* e = qobject_cast<const QLineEdit*>(champ)) return e->text();
    return static_cast<const QComboBox*>(champ)->currentText();
}

void Machine_Decoupe::verifier(std::size_t k) {
    const std::string cle = ortix::fichiers::Cles_Machine(profil_)[k].nom;
    const std::string valeur = texteDe(lignes_[k].champ).toStdString();
    // A value the profile already holds needs no reading, nor a new file.
    if (!refus_.contains(cle) && valeurs(profil_)[cle] == valeur) return;
    conclure(cle, ortix::fichiers::Lire_Cle_Machine(cle, valeur, profil_), lignes_[k].refus);
}

void Machine_Decoupe::verifierTable() {
    QString table;
    for (int i = 0; Chk_Table->isChecked() && i < Tab_Saignee->rowCount(); ++i) {
        auto cellule = [&](int j) {
            const QTableWidgetItem* c = Tab_Saignee->item(i, j);
            return c ? c->text() : QString();
        };
        table +=
            (i ? QStringLiteral(", ") : QString()) + cellule(0) + QLatin1Char(':') + cellule(1);
    }
    conclure(CleTable, ortix::fichiers::Lire_Cle_Machine(CleTable, table.toStdString(), profil_),
             Lbl_Refus_Table);
}

void Machine_Decoupe::conclure(const std::string& cle, const ortix::Resultat& r, QLabel* refus) {
    if (r) {
        refus_.erase(cle);
        chemin_.reset(); // the file no longer holds the profile as it is
        // New letters rename the per-axis keys, and a dialect sets the letters and
        // the feed: their fields take the profile's values again.
        const std::vector<ortix::fichiers::CleMachine> cles =
            ortix::fichiers::Cles_Machine(profil_);
        std::erase_if(refus_, [&](const auto& e) {
            return (cle == "dialecte" && (e.first == "axes" || e.first == "avance")) ||
                   std::none_of(cles.begin(), cles.end(),
                                [&](const auto& c) { return c.nom == e.first; });
        });
    } else {
        refus_[cle] = r.message();
    }
    montrerRefus(refus, r ? std::string() : r.message());
    Lbl_Message->setText(r ? QString() : q(r.message()));
    afficherProfil();
}

void Machine_Decoupe::afficherProfil() {
    remplissage_ = true;
    const std::vector<ortix::fichiers::CleMachine> cles = ortix::fichiers::Cles_Machine(profil_);
    std::map<std::string, std::string> v = valeurs(profil_);
    for (std::size_t k = 0; k < lignes_.size(); ++k) {
        const Ligne& l = lignes_[k];
        if (!l.champ) continue;
        // The per-axis keys take the letters' names; the tooltip names the key
        // as the file writes it.
        const ortix::fichiers::CleMachine& c = cles[k];
        const QString aide = Qt::convertFromPlainText(q(c.nom + " : " + std::string(c.aide)));
        l.libelle->setText(q(c.libelle));
        l.libelle->setToolTip(aide);
        l.champ->setToolTip(aide);
        if (refus_.contains(c.nom)) continue;
        montrerRefus(l.refus, {});
        if (auto* e = qobject_cast<QLineEdit*>(l.champ))
            e->setText(q(v[c.nom]));
        else
            static_cast<QComboBox*>(l.champ)->setCurrentText(q(v[c.nom]));
        // Both constants give way to a table.
        if (c.nom == "saignee_emplanture" || c.nom == "saignee_saumon")
            l.champ->setEnabled(profil_.saigneeVitesse.empty());
    }
    if (!refus_.contains(CleTable)) {
        montrerRefus(Lbl_Refus_Table, {});
        Chk_Table->setChecked(!profil_.saigneeVitesse.empty());
        Tab_Saignee->setRowCount(static_cast<int>(profil_.saigneeVitesse.size()));
        for (int i = 0; i < Tab_Saignee->rowCount(); ++i) {
            const ortix::SaigneeVitesse& s = profil_.saigneeVitesse[static_cast<std::size_t>(i)];
            Tab_Saignee->setItem(i, 0, new QTableWidgetItem(q(ortix::Texte_Exact(s.vitesse))));
            Tab_Saignee->setItem(i, 1, new QTableWidgetItem(q(ortix::Texte_Exact(s.saignee))));
        }
    }
    Tab_Saignee->setEnabled(Chk_Table->isChecked());
    Lbl_Fichier->setText(QStringLiteral("Fichier : ") +
                         (chemin_ ? q(ortix::fichiers::Utf8_Depuis_Chemin(chemin_->filename()))
                                  : QStringLiteral("aucun (profil non enregistré)")));
    Bt_OK->setEnabled(refus_.empty());
    remplissage_ = false;
}
