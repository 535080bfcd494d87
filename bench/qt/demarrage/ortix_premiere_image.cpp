// The real main window, started as the program starts it, until its first paint.
#include "app/qt/Interface.h"
#include "premiere_image.h"
#include "qt/Apparence.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setStyle(ortix::gui::Style_Interface());
    Interface fenetre;
    PremiereImage mesure(&fenetre);
    fenetre.show();
    return QApplication::exec();
}
