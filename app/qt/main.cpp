#include "app/qt/Interface.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The window tells the desktop which .desktop file it belongs to.
    QGuiApplication::setDesktopFileName(QStringLiteral("ortix"));
    // Qt's own texts (context menus, standard buttons) in French, as the program's.
    QTranslator qt;
    if (qt.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qt);
    Interface fenetre(QApplication::arguments());
    fenetre.show();
    return QApplication::exec();
}
