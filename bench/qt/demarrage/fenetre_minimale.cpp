// The smallest Qt Widgets window, for comparison: one label, same style.
#include "premiere_image.h"

#include <QLabel>
#include <QStyleFactory>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QLabel fenetre(QStringLiteral("Bonjour"));
    fenetre.resize(736, 491);
    PremiereImage mesure(&fenetre);
    fenetre.show();
    return QApplication::exec();
}
