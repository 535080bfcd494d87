// Small helpers shared by the window tests.
#pragma once

#include <QString>
#include <QWidget>

namespace outils {

// The named child, failing the test when it is missing.
template <class T> T* enfant(QWidget* parent, const char* nom) {
    T* w = parent->findChild<T*>(QString::fromLatin1(nom));
    if (!w) qFatal("contrôle introuvable : %s", nom);
    return w;
}

// Saves a picture of the widget into the build folder's test output.
QString capture(QWidget* w, const QString& nom);

// Types the text into the field as a user would: focus, select all, type.
void saisir(QWidget* champ, const QString& texte);

} // namespace outils

class QListWidget;

namespace outils {

// Clicks (or double-clicks) the named entry of a list as a user would; false when absent.
bool cliquerEntree(QListWidget* liste, const QString& texte, bool double_ = false);

// Copies a file of the test data into a folder, under another name if given.
bool copierDonnee(const QString& nom, const QString& dossier, const QString& nouveauNom = QString());

} // namespace outils
