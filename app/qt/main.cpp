#include "app/qt/Interface.h"
#include "qt/Apparence.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QStyleFactory>
#include <QTranslator>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    // The version alone, before anything of the window is made, for a script
    // checking what is installed.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fputs("Ortix " ORTIX_VERSION "\n", stdout);
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // The interface's face, where the program ships it beside itself (Windows).
    ortix::gui::Charger_Polices(QApplication::applicationDirPath() + QStringLiteral("/polices"));
    // The window tells the desktop which .desktop file it belongs to.
    QGuiApplication::setDesktopFileName(QStringLiteral("ortix"));
    // Qt's own texts (context menus, standard buttons) in French, as the program's;
    // on Windows, qt.conf beside the program says where they are.
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
