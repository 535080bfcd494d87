// The real main window, started as the program starts it, until its first paint.
#include "app/qt/Interface.h"
#include "premiere_image.h"

#include <QStyleFactory>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    Interface fenetre;
    PremiereImage mesure(&fenetre);
    fenetre.show();
    return QApplication::exec();
}
