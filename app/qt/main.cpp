#include "app/qt/Interface.h"
#include "files/CommandeFenetre.h"
#include "files/Console.h"
#include "qt/Apparence.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

#include <cstdio>

int main(int argc, char* argv[]) {
    using namespace ortix::fichiers;
    plateforme::Console_Utf8();
    // Read before Qt starts: --help and --version answer without a display, and
    // no file name is taken for one of Qt's own options.
    CommandeFenetre commande;
    if (const ortix::Resultat r =
            Lire_Commande_Fenetre(plateforme::Arguments_Utf8(argc, argv), commande);
        !r) {
        std::fprintf(stderr, "ortix : %s\n\n%s", r.message().c_str(), AideFenetre);
        return 2;
    }
    if (commande.demande == CommandeFenetre::Demande::Aide) {
        std::fputs(AideFenetre, stdout);
        return 0;
    }
    if (commande.demande == CommandeFenetre::Demande::Version) {
        std::fputs("Ortix " ORTIX_VERSION "\n", stdout);
        return 0;
    }
    int argcQt = 1;
    QApplication application(argcQt, argv);
    QApplication::setStyle(ortix::gui::Style_Interface());
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
    Interface fenetre(commande.projet);
    // Where and how large the window was at the end of the last session.
    fenetre.restoreGeometry(QSettings(QStringLiteral("Ortix"), QStringLiteral("Ortix"))
                                .value(QStringLiteral("fenetre/geometrie"))
                                .toByteArray());
    fenetre.show();
    return QApplication::exec();
}
