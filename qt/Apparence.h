// The look shared by the main window and the dialogs, the small factories that
// place their controls at fixed positions, and the few gestures every window
// reads the same way.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QDialog;
class QEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QStyle;
class QWidget;

namespace ortix::gui {

// The interface's style, for QApplication::setStyle: Fusion, whose group boxes'
// frame is drawn here, pixel for pixel as Fusion draws it, without reading it
// from Fusion's picture: reading a picture loads every image plugin, which the
// window's first image would wait for.
QStyle* Style_Interface();
// A small sans-serif face, so that the rows fit the windows' fixed places at 96 dpi.
QFont Police_Interface();
// Makes every TrueType font of the folder available to the program, for a system
// that lacks the interface's face; the number of fonts loaded (none when the
// folder does not exist).
int Charger_Polices(const QString& dossier);

// A label at its place, vertically centred; a caption too long for its place is
// set condensed until it fits. Every label shows its text as plain text: a text
// from a file or a field never becomes a heading, a picture or a link.
QLabel* Etiquette(QWidget* parent, const QString& texte, QRect place,
                  Qt::Alignment alignement = Qt::AlignLeft);
// A named caption over a drawing, in its colour, kept legible on a white band the
// size of its text; it lets the mouse through to the drawing. A curve's legend
// is given the curve's colour: a swatch of it stands before the text.
QLabel* Legende(QWidget* parent, const char* nom, const QString& texte, QRect place,
                Qt::Alignment alignement, QColor couleur = Qt::black, QColor courbe = {});
// A named single-line field at its place. A read-only field looks it (the
// background of a disabled field) and takes the focus only when clicked, so
// that its text can be selected and it never interrupts the tab order.
QLineEdit* Champ(QWidget* parent, const char* nom, QRect place, bool lectureSeule = false,
                 const QString& texte = QString());
// A named button at its place. Enter in a field never presses it; Enter on the
// focused button presses it, as Space does.
QPushButton* Bouton(QWidget* parent, const char* nom, const QString& texte, QRect place);
// Name, caption, face and fixed client size of a dialog shown without being modal.
void Preparer_Dialogue(QDialog* d, const char* nom, const QString& titre, QSize taille);

// Shows a window without making it modal, in front, and gives it the focus.
void Montrer(QWidget* fenetre);
// Whether the event is a press of Return or of the keypad's Enter.
bool Touche_Entree(const QEvent* event);
// Whether the event is a field losing the focus to another control of its own
// window: not the window losing it to another one, nor a menu opening.
bool Quitte_Le_Champ(const QEvent* event);

} // namespace ortix::gui
