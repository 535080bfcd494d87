#include "files/Console.h"

#include "files/Chemins.h"

#include <csignal>

#ifdef _WIN32
#include <cstdlib>
#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>
#endif

namespace ortix::fichiers::plateforme {

std::vector<std::string> Arguments_Utf8(int argc, char** argv) {
    std::vector<std::string> r;
#ifdef _WIN32
    // The narrow arguments are in the ANSI code page; the wide ones hold every name.
    (void)argv;
    int n = 0;
    wchar_t** larges = CommandLineToArgvW(GetCommandLineW(), &n);
    for (int i = 0; larges && i < n && i < argc; ++i)
        r.push_back(fichiers::Utf8_Depuis_Chemin(std::filesystem::path(larges[i])));
    if (larges) LocalFree(larges);
#else
    r.assign(argv, argv + argc);
#endif
    return r;
}

void Console_Utf8() {
#ifdef _WIN32
    static const UINT avant = GetConsoleOutputCP();
    if (avant == 0 || avant == CP_UTF8 || !SetConsoleOutputCP(CP_UTF8)) return;
    std::atexit([] { SetConsoleOutputCP(avant); });
#endif
}

void Ignorer_Tube_Ferme() {
#ifdef SIGPIPE // not on Windows, where such a write fails anyway
    std::signal(SIGPIPE, SIG_IGN);
#endif
}

} // namespace ortix::fichiers::plateforme
