#include "files/qt/PanneauFichiers.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyledItemDelegate>
#include <QWidget>

namespace {

constexpr int RoleChemin = Qt::UserRole;
constexpr int RoleNiveau = Qt::UserRole + 1;

// Indents each folder of the list by its depth and leaves its name as it is, so
// that typing a folder's name finds it.
class Retrait : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->rect.adjust(12 * index.data(RoleNiveau).toInt(), 0, 0, 0);
    }
};

} // namespace

PanneauFichiers::PanneauFichiers(QWidget* dialogue, const QString& motif, const char* nomDossiers,
                                 const char* nomFichiers, QRect placeLecteur, QRect placeDossiers,
                                 QRect placeFichiers)
    : QObject(dialogue), motif_(motif) {
    lecteur_ = new QComboBox(dialogue);
    lecteur_->setObjectName(QStringLiteral("Lecteur"));
    lecteur_->setGeometry(placeLecteur);
    dossiers_ = new QListWidget(dialogue);
    dossiers_->setObjectName(QString::fromLatin1(nomDossiers));
    dossiers_->setGeometry(placeDossiers);
    dossiers_->setItemDelegate(new Retrait(dossiers_));
    fichiers_ = new QListWidget(dialogue);
    fichiers_->setObjectName(QString::fromLatin1(nomFichiers));
    fichiers_->setGeometry(placeFichiers);

    remplirLecteurs();
    ouvrir(QDir::currentPath());

    connect(lecteur_, &QComboBox::activated, this, &PanneauFichiers::Lecteur_Change);
    connect(dossiers_, &QListWidget::itemDoubleClicked, this, &PanneauFichiers::Dossier_Change);
    connect(dossiers_, &QListWidget::itemActivated, this, &PanneauFichiers::Dossier_Change);
    connect(fichiers_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit fichierClique(item->text()); });
    connect(fichiers_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { emit fichierDoubleClique(item->text()); });
}

QString PanneauFichiers::texteLecteur(const QString& racine, const QString& nom) {
    const QString r = QDir::toNativeSeparators(racine);
    return nom.isEmpty() ? r : r + QStringLiteral(" [") + nom + QLatin1Char(']');
}

void PanneauFichiers::remplirLecteurs() {
    const QSignalBlocker bloque(lecteur_);
    lecteur_->clear();
    QStringList vus;
    // Qt leaves the pseudo file systems out; a drive without its medium is left out here.
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        if (!v.isReady() || vus.contains(v.rootPath())) continue;
        vus << v.rootPath();
        lecteur_->addItem(texteLecteur(v.rootPath(), v.name()), v.rootPath());
    }
    // The current folder's drive, the root of the file system and the home folder,
    // even where no volume is reported (a container, a chroot).
    for (const QString& racine :
         {QStorageInfo(QDir::currentPath()).rootPath(), QDir::rootPath(), QDir::homePath()})
        if (!vus.contains(racine) && !racine.isEmpty()) {
            vus << racine;
            lecteur_->addItem(texteLecteur(racine, QString()), racine);
        }
}

QString PanneauFichiers::racineDe(const QString& chemin) const {
    QString racine = QStorageInfo(chemin).rootPath();
    return racine.isEmpty() ? QDir(chemin).rootPath() : racine;
}

QString PanneauFichiers::lecteurCourant() const {
    return lecteur_->currentText();
}

QString PanneauFichiers::dossierCourant() const {
    return QDir::toNativeSeparators(dossier_);
}

QString PanneauFichiers::fichierSelectionne() const {
    QListWidgetItem* item = fichiers_->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

QString PanneauFichiers::cheminDans(const QString& nom) const {
    return QDir::toNativeSeparators(QDir(dossier_).filePath(nom));
}

bool PanneauFichiers::definirLecteur(const QString& texte) {
    int index = lecteur_->findText(texte);
    if (index < 0) {
        // An entry written on another run may carry another volume name: match the root.
        const QString racine =
            QDir::fromNativeSeparators(texte.section(QStringLiteral(" ["), 0, 0));
        index = lecteur_->findData(racine);
    }
    if (index < 0) return false;
    lecteur_->setCurrentIndex(index);
    Lecteur_Change(index);
    return true;
}

bool PanneauFichiers::definirDossier(const QString& chemin) {
    QFileInfo info(chemin);
    if (chemin.isEmpty() || !info.isDir()) return false;
    ouvrir(info.absoluteFilePath());
    return true;
}

void PanneauFichiers::Lecteur_Change(int index) {
    const QString racine = lecteur_->itemData(index).toString();
    if (racine.isEmpty()) return;
    const QString dossier = dernierDossier_.value(racine, racine);
    ouvrir(QFileInfo(dossier).isDir() ? dossier : racine);
}

void PanneauFichiers::Dossier_Change(QListWidgetItem* item) {
    if (item) ouvrir(item->data(RoleChemin).toString());
}

void PanneauFichiers::ouvrir(const QString& chemin) {
    dossier_ = QDir::cleanPath(QDir(chemin).absolutePath());
    const QString racine = racineDe(dossier_);
    dernierDossier_.insert(racine, dossier_);
    {
        const QSignalBlocker bloque(lecteur_);
        const int index = lecteur_->findData(racine);
        if (index >= 0) lecteur_->setCurrentIndex(index);
    }

    // The path from the drive's root down to the folder, then its sub-folders.
    dossiers_->clear();
    QStringList chaine;
    for (QDir d(dossier_);;) {
        chaine.prepend(d.absolutePath());
        if (d.isRoot() || QDir::cleanPath(d.absolutePath()) == QDir::cleanPath(racine) || !d.cdUp())
            break;
    }
    int niveau = 0;
    for (const QString& c : chaine) {
        const QString nom = QDir(c).isRoot() || c == QDir::cleanPath(racine)
                                ? QDir::toNativeSeparators(c)
                                : QDir(c).dirName();
        auto* item = new QListWidgetItem(nom, dossiers_);
        item->setData(RoleChemin, c);
        item->setData(RoleNiveau, niveau);
        ++niveau;
    }
    dossiers_->setCurrentRow(dossiers_->count() - 1);
    const QStringList sousDossiers =
        QDir(dossier_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& s : sousDossiers) {
        auto* item = new QListWidgetItem(s, dossiers_);
        item->setData(RoleChemin, QDir(dossier_).filePath(s));
        item->setData(RoleNiveau, niveau);
    }
    rafraichir();
}

void PanneauFichiers::rafraichir() {
    const QString selection = fichierSelectionne();
    fichiers_->clear();
    const QRegularExpression filtre(QRegularExpression::wildcardToRegularExpression(motif_),
                                    QRegularExpression::CaseInsensitiveOption);
    const QFileInfoList entrees =
        QDir(dossier_).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    // QDir lists a link whatever its target: one to a device or a pipe, whose load
    // would be refused, is not offered.
    for (const QFileInfo& f : entrees)
        if (f.isFile() && filtre.match(f.fileName()).hasMatch()) fichiers_->addItem(f.fileName());
    const QList<QListWidgetItem*> trouves = fichiers_->findItems(selection, Qt::MatchExactly);
    if (!selection.isEmpty() && !trouves.isEmpty()) fichiers_->setCurrentItem(trouves.first());
}
