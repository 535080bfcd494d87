// The window tests' bench: the main window started in a fresh working folder
// holding copies of test data, its messages collected instead of shown, and the
// gestures of a user.
#pragma once

#include "app/qt/Interface.h"

#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QList>
#include <QPair>
#include <QPushButton>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <string>

class QListWidget;

// The named child, failing the test when it is missing.
template <class T> T* enfant(const QObject* parent, const char* nom) {
    T* w = parent->findChild<T*>(QString::fromLatin1(nom));
    if (!w) qFatal("contrôle introuvable : %s", nom);
    return w;
}

struct Banc {
    // Holds the working folder and nothing else. Under the test output, on the drive
    // of the test data: Windows reads a path without a drive on the current one.
    QTemporaryDir dehors{QStringLiteral(ORTIX_TEST_OUT "/banc-XXXXXX")};
    QDir dossier{dehors.filePath(QStringLiteral("travail"))};
    QString ancien = QDir::currentPath();
    std::unique_ptr<Interface> w;
    QList<QPair<QString, QString>> messages; // title and text of each

    // Copies these files of the test data into the working folder, then starts.
    explicit Banc(const QStringList& donnees = {});
    ~Banc();

    QString chemin(const QString& nom) const { return dossier.filePath(nom); }
    QLineEdit* champ(const char* nom) const { return enfant<QLineEdit>(w.get(), nom); }
    QString texte(const char* nom) const { return champ(nom)->text(); }
    QPushButton* bouton(const char* nom) const { return enfant<QPushButton>(w.get(), nom); }
    template <class T> T* dialogue(const char* nom) const { return enfant<T>(w.get(), nom); }
    // The texts of every field, label and button state of the window, in one text.
    QString etat() const;
};

// Types the text into the field as a user would: focus, select all, type.
void saisir(QLineEdit* champ, const QString& texte);
// Clicks (or double-clicks) the entry of a list as a user would; false when absent.
bool cliquerEntree(QListWidget* liste, const QString& texte, bool double_ = false);
// The files the batch command wrote for a case, from its golden transcript.
std::map<std::string, std::string> FichiersDuLot(const std::string& cas);
