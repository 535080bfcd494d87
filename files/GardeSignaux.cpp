#include "files/GardeSignaux.h"

#include <algorithm>
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

// The temporary file's whole path, ended by a NUL; the handler reads it only when
// `etatGarde` says Garde. Fixed in size: a signal handler may not allocate.
Caractere temporaireGarde[4096];
enum : int { Libre, Ecriture, Garde };
std::atomic<int> etatGarde{Libre};
static_assert(std::atomic<int>::is_always_lock_free, "read by a signal handler");

// Only what may run in a signal handler: removes the file, then ends the program as
// the signal would have without this handler.
void interrompu(int numero) {
    if (etatGarde.load() == Garde) {
#ifdef _WIN32
        _wunlink(temporaireGarde);
#else
        ::unlink(temporaireGarde);
#endif
    }
    std::signal(numero, SIG_DFL);
    std::raise(numero);
}

void installerGardes() {
    for (const int s : {SIGINT, SIGTERM}) {
#ifdef _WIN32
        // Only signal() reads the handler in place, by replacing it: one of the
        // program's own, or an ignored signal, is put back.
        const auto avant = std::signal(s, interrompu);
        if (avant != SIG_DFL && avant != SIG_ERR) std::signal(s, avant);
#else
        struct sigaction avant {};
        if (::sigaction(s, nullptr, &avant) != 0) continue;
        // A handler of the program's own, or an ignored signal, stays as it is.
        if ((avant.sa_flags & SA_SIGINFO) != 0 || avant.sa_handler != SIG_DFL) continue;
        struct sigaction garde {};
        garde.sa_handler = interrompu;
        sigemptyset(&garde.sa_mask);
        ::sigaction(s, &garde, nullptr);
#endif
    }
}

} // namespace

bool Garder_Temporaire(const std::filesystem::path& temporaire) {
    static const bool installees = (installerGardes(), true);
    (void)installees;
    // Whole, as the handler may run after the working folder changed.
    std::error_code e;
    const std::filesystem::path absolu = std::filesystem::absolute(temporaire, e);
    const auto& nom = absolu.native();
    if (e || nom.size() >= std::size(temporaireGarde)) return false;
    int libre = Libre;
    if (!etatGarde.compare_exchange_strong(libre, Ecriture)) return false;
    std::copy(nom.begin(), nom.end(), temporaireGarde);
    temporaireGarde[nom.size()] = 0;
    etatGarde.store(Garde);
    return true;
}

void Oublier_Temporaire() {
    etatGarde.store(Libre);
}

} // namespace ortix::fichiers::plateforme
