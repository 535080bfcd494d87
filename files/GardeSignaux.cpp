#include "files/GardeSignaux.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <csignal>
#include <iterator>

#ifdef _WIN32
#include <io.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

namespace ortix::fichiers::plateforme {

namespace {

#ifdef _WIN32
using Caractere = wchar_t;
#else
using Caractere = char;
#endif

// One temporary file's whole path, ended by a NUL; the handler reads it only when
// `etat` says Garde. Fixed in size: a signal handler may not allocate.
enum : int { Libre, Ecriture, Garde };
struct Place {
    Caractere chemin[4096];
    std::atomic<int> etat{Libre};
};
static_assert(std::atomic<int>::is_always_lock_free, "read by a signal handler");
// Every file of the largest set, and a save of another thread beside it.
std::array<Place, 16> places;

// Only what may run in a signal handler: removes the files, then ends the program
// as the signal would have without this handler.
void interrompu(int numero) {
    for (Place& p : places)
        if (p.etat.load() == Garde) {
#ifdef _WIN32
            _wunlink(p.chemin);
#else
            ::unlink(p.chemin);
#endif
        }
    std::signal(numero, SIG_DFL);
    std::raise(numero);
}

void installerGardes() {
#ifdef _WIN32
    for (const int s : {SIGINT, SIGTERM}) {
        // Only signal() reads the handler in place, by replacing it: one of the
        // program's own, or an ignored signal, is put back.
        const auto avant = std::signal(s, interrompu);
        if (avant != SIG_DFL && avant != SIG_ERR) std::signal(s, avant);
    }
#else
    for (const int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGXFSZ}) {
        struct sigaction avant {};
        if (::sigaction(s, nullptr, &avant) != 0) continue;
        // A handler of the program's own, or an ignored signal, stays as it is.
        if ((avant.sa_flags & SA_SIGINFO) != 0 || avant.sa_handler != SIG_DFL) continue;
        struct sigaction garde {};
        garde.sa_handler = s == SIGXFSZ ? SIG_IGN : interrompu;
        sigemptyset(&garde.sa_mask);
        ::sigaction(s, &garde, nullptr);
    }
#endif
}

} // namespace

int Garder_Temporaire(const std::filesystem::path& temporaire) {
    static const bool installees = (installerGardes(), true);
    (void)installees;
    // Whole, as the handler may run after the working folder changed.
    std::error_code e;
    const std::filesystem::path absolu = std::filesystem::absolute(temporaire, e);
    const auto& nom = absolu.native();
    if (e || nom.size() >= std::size(places[0].chemin)) return -1;
    for (std::size_t k = 0; k < places.size(); ++k) {
        Place& p = places[k];
        int libre = Libre;
        if (!p.etat.compare_exchange_strong(libre, Ecriture)) continue;
        std::copy(nom.begin(), nom.end(), p.chemin);
        p.chemin[nom.size()] = 0;
        p.etat.store(Garde);
        return static_cast<int>(k);
    }
    return -1;
}

void Oublier_Temporaire(int place) {
    if (place >= 0) places[static_cast<std::size_t>(place)].etat.store(Libre);
}

} // namespace ortix::fichiers::plateforme
