#include "app/qt/Interface.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QSettings>
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
    Interface fenetre(QApplication::arguments().mid(1));
    // Where and how large the window was at the end of the last session.
    fenetre.restoreGeometry(QSettings(QStringLiteral("Ortix"), QStringLiteral("Ortix"))
                                .value(QStringLiteral("fenetre/geometrie"))
                                .toByteArray());
    fenetre.show();
    return QApplication::exec();
}
