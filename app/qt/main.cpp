#include "app/qt/Interface.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    Interface fenetre;
    fenetre.show();
    return QApplication::exec();
}
