#include "files/Plateforme.h"

#include "files/Texte.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iterator>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ortix::fichiers::plateforme {

#ifdef ORTIX_PANNES_SIMULEES
namespace {
Etape etapeEnPanne = Etape::Aucune;
int codePanne = 0;
int foisPanne = 0;
Etape etapeSignal = Etape::Aucune;
int signalSimule = 0;
} // namespace

void Simuler_Panne(Etape etape, int code, int fois) {
    etapeEnPanne = etape;
    codePanne = code;
    foisPanne = fois;
}

// Whether this step fails now; a count of failures runs down.
bool EnPanne(Etape etape) {
    if (etapeEnPanne != etape) return false;
    if (foisPanne > 0 && --foisPanne == 0) etapeEnPanne = Etape::Aucune;
    return true;
}

void Simuler_Signal(Etape etape, int signal) {
    etapeSignal = etape;
    signalSimule = signal;
}

// Sends the simulated signal, then returns from the calling step with the simulated
// failure, when it is that step's turn.
#define PANNE_SIMULEE(etape)                                                                       \
    if (etapeSignal == Etape::etape) std::raise(signalSimule);                                     \
    if (EnPanne(Etape::etape)) return std::error_code(codePanne, std::generic_category())
#else
#define PANNE_SIMULEE(etape)
#endif

namespace {

std::error_code DerniereErreur(int defaut = EIO) {
    // A C library call that fails without setting errno still gives a reason.
    return std::error_code(errno != 0 ? errno : defaut, std::generic_category());
}

// What Ouvrir_Lecture refuses beyond the system's own failures.
class Categorie final : public std::error_category {
  public:
    const char* name() const noexcept override { return "ortix"; }
    std::string message(int) const override { return "ce n'est pas un fichier ordinaire"; }
};
const Categorie categorie;

// A pipe, a device or a socket: reading it could keep the program waiting for ever.
std::error_code Pas_Un_Fichier_Ordinaire() {
    return std::error_code(1, categorie);
}

} // namespace

std::FILE* Ouvrir_Lecture(const std::filesystem::path& chemin, std::error_code& erreur) {
    errno = 0;
#ifdef _WIN32
    // Opening never waits here, not even on a pipe's name; the check below is what counts.
    int fd = -1;
    if (_wsopen_s(&fd, chemin.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0) != 0) {
        // Windows refuses to open a folder, for a reason of its own.
        const std::error_code raison = DerniereErreur(ENOENT);
        std::error_code e;
        erreur = std::filesystem::is_directory(chemin, e)
                     ? std::make_error_code(std::errc::is_a_directory)
                     : raison;
        return nullptr;
    }
    struct _stat64 etat;
    const bool connu = _fstat64(fd, &etat) == 0;
    if (!connu || (etat.st_mode & _S_IFMT) != _S_IFREG) {
        erreur = !connu ? DerniereErreur()
                 : (etat.st_mode & _S_IFMT) == _S_IFDIR
                     ? std::make_error_code(std::errc::is_a_directory)
                     : Pas_Un_Fichier_Ordinaire();
        _close(fd);
        return nullptr;
    }
    std::FILE* f = _fdopen(fd, "rb");
    if (!f) _close(fd);
#else
    // Without O_NONBLOCK, opening a pipe waits for a writer, for ever. The name may
    // have become one since it was looked at: the opened file itself is checked.
    const int fd = ::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        erreur = DerniereErreur(ENOENT);
        return nullptr;
    }
    struct stat etat;
    const bool connu = ::fstat(fd, &etat) == 0;
    if (!connu || !S_ISREG(etat.st_mode)) {
        erreur = !connu                  ? DerniereErreur()
                 : S_ISDIR(etat.st_mode) ? std::make_error_code(std::errc::is_a_directory)
                                         : Pas_Un_Fichier_Ordinaire();
        ::close(fd);
        return nullptr;
    }
    // Reading an ordinary file does not wait either; the flag goes all the same.
    const int drapeaux = ::fcntl(fd, F_GETFL);
    if (drapeaux >= 0) ::fcntl(fd, F_SETFL, drapeaux & ~O_NONBLOCK);
    std::FILE* f = ::fdopen(fd, "rb");
    if (!f) ::close(fd);
#endif
    erreur = f ? std::error_code() : DerniereErreur();
    return f;
}

std::FILE* Creer_Exclusif(const std::filesystem::path& chemin, std::error_code& erreur) {
#ifdef ORTIX_PANNES_SIMULEES
    if (EnPanne(Etape::Creation)) {
        erreur = std::error_code(codePanne, std::generic_category());
        return nullptr;
    }
#endif
    // Created only if the name is free, rather than reusing a file of that name.
    errno = 0;
#ifdef _WIN32
    // The older C runtimes do not know fopen's "x": create through the descriptor.
    int fd = -1;
    if (_wsopen_s(&fd, chemin.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _SH_DENYNO,
                  _S_IREAD | _S_IWRITE) != 0) {
        erreur = DerniereErreur(EEXIST);
        return nullptr;
    }
    std::FILE* f = _fdopen(fd, "wb");
    if (!f) _close(fd);
#else
    const int fd = ::open(chemin.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    std::FILE* f = fd < 0 ? nullptr : ::fdopen(fd, "wb");
    if (fd >= 0 && !f) ::close(fd);
#endif
    erreur = f ? std::error_code() : DerniereErreur(EEXIST);
    return f;
}

std::vector<std::string> Arguments_Utf8(int argc, char** argv) {
    std::vector<std::string> r;
#ifdef _WIN32
    // The narrow arguments are in the ANSI code page; the wide ones hold every name.
    (void)argv;
    int n = 0;
    wchar_t** larges = CommandLineToArgvW(GetCommandLineW(), &n);
    for (int i = 0; larges && i < n && i < argc; ++i)
        r.push_back(Utf8DepuisChemin(std::filesystem::path(larges[i])));
    if (larges) LocalFree(larges);
#else
    for (int i = 0; i < argc; ++i)
        r.emplace_back(argv[i]);
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

std::error_code Ecrire(std::FILE* f, std::string_view octets) {
    PANNE_SIMULEE(Ecriture);
    errno = 0;
    if (!octets.empty() && std::fwrite(octets.data(), 1, octets.size(), f) != octets.size())
        return DerniereErreur();
    return {};
}

std::error_code Synchroniser(std::FILE* f) {
    PANNE_SIMULEE(Synchronisation);
    errno = 0;
    if (std::fflush(f) != 0) return DerniereErreur();
#ifdef _WIN32
    if (_commit(_fileno(f)) != 0) return DerniereErreur();
#else
    if (::fsync(::fileno(f)) != 0) return DerniereErreur();
#endif
    return {};
}

std::error_code Fermer(std::FILE* f) {
    errno = 0;
    const bool echec = std::fclose(f) != 0;
    PANNE_SIMULEE(Fermeture);
    return echec ? DerniereErreur() : std::error_code();
}

#ifdef _WIN32
namespace {

// A Windows error code as the errno value of the same reason, when a file
// operation can meet it; the code itself otherwise.
std::error_code DepuisWindows(DWORD code) {
    const auto posix = [](int e) { return std::error_code(e, std::generic_category()); };
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
        return posix(ENOENT);
    case ERROR_ACCESS_DENIED:
        return posix(EACCES);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return posix(EBUSY); // open in another program
    case ERROR_WRITE_PROTECT:
        return posix(EROFS);
    case ERROR_NOT_READY:
        return posix(ENXIO);
    case ERROR_NOT_SAME_DEVICE:
        return posix(EXDEV);
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL:
        return posix(ENOSPC);
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return posix(EEXIST);
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
        return posix(EINVAL);
    case ERROR_FILENAME_EXCED_RANGE:
        return posix(ENAMETOOLONG);
    case ERROR_DIR_NOT_EMPTY:
        return posix(ENOTEMPTY);
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return posix(ENOMEM);
    case ERROR_TOO_MANY_OPEN_FILES:
        return posix(EMFILE);
    default:
        return std::error_code(static_cast<int>(code), std::system_category());
    }
}

} // namespace
#endif

std::error_code Renommer(const std::filesystem::path& de, const std::filesystem::path& vers) {
    PANNE_SIMULEE(Renommage);
#ifdef _WIN32
    // Called directly, for its reason: the C++ library reports every refusal but
    // a denied access as an input-output error.
    if (MoveFileExW(de.c_str(), vers.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return DepuisWindows(GetLastError());
#else
    std::error_code erreur;
    std::filesystem::rename(de, vers, erreur);
    return erreur;
#endif
}

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
void Interrompu(int numero) {
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

void Installer_Gardes() {
    for (const int s : {SIGINT, SIGTERM}) {
#ifdef _WIN32
        // Only signal() reads the handler in place, by replacing it: one of the
        // program's own, or an ignored signal, is put back.
        const auto avant = std::signal(s, Interrompu);
        if (avant != SIG_DFL && avant != SIG_ERR) std::signal(s, avant);
#else
        struct sigaction avant {};
        if (::sigaction(s, nullptr, &avant) != 0) continue;
        // A handler of the program's own, or an ignored signal, stays as it is.
        if ((avant.sa_flags & SA_SIGINFO) != 0 || avant.sa_handler != SIG_DFL) continue;
        struct sigaction garde {};
        garde.sa_handler = Interrompu;
        sigemptyset(&garde.sa_mask);
        ::sigaction(s, &garde, nullptr);
#endif
    }
}

} // namespace

bool Garder_Temporaire(const std::filesystem::path& temporaire) {
    static const bool installees = (Installer_Gardes(), true);
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

void Synchroniser_Dossier(const std::filesystem::path& dossier) {
#ifndef _WIN32
    const int fd = ::open(dossier.empty() ? "." : dossier.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
#else
    (void)dossier;
#endif
}

bool Nom_Trop_Long(const std::filesystem::path& dossier, const std::filesystem::path& nom) {
#ifdef _WIN32
    (void)dossier;
    return nom.native().size() > 255; // UTF-16 units, on every Windows file system
#else
    errno = 0;
    const long maxi = ::pathconf(dossier.empty() ? "." : dossier.c_str(), _PC_NAME_MAX);
    return nom.native().size() > static_cast<std::size_t>(maxi > 0 ? maxi : 255);
#endif
}

std::string Date_Du_Jour() {
    const std::time_t t = std::time(nullptr);
    std::tm jour{};
#ifdef _WIN32
    if (localtime_s(&jour, &t) != 0) return "";
#else
    if (!localtime_r(&t, &jour)) return "";
#endif
    char texte[48];
    std::snprintf(texte, sizeof texte, "%02d/%02d/%04d", jour.tm_mday, jour.tm_mon + 1,
                  jour.tm_year + 1900);
    return texte;
}

namespace {

// The reasons a file operation can meet, by errno value, as the user reads them.
struct RaisonFrancaise {
    int code;
    const char* texte;
};
constexpr RaisonFrancaise Raisons[] = {
    {ENOENT, "fichier ou dossier introuvable"},
    {EACCES, "permission refusée"},
    {EPERM, "permission refusée"},
    {ENOSPC, "disque plein"},
    {EISDIR, "c'est un dossier"},
    {ENOTDIR, "un élément du chemin n'est pas un dossier"},
    {EROFS, "support en lecture seule"},
    {ENAMETOOLONG, "nom trop long"},
    {EEXIST, "le fichier existe déjà"},
    {EIO, "erreur d'entrée-sortie"},
    {EMFILE, "trop de fichiers ouverts"},
    {ENFILE, "trop de fichiers ouverts"},
    {EFBIG, "fichier trop volumineux"},
    {EBUSY, "fichier ou périphérique occupé"},
    {EINVAL, "nom de fichier invalide"},
    {EXDEV, "déplacement impossible d'un support à un autre"},
    {ELOOP, "trop de liens symboliques à suivre, ou une boucle de liens"},
    {EBADF, "fichier non ouvert ou fermé"},
    {EINTR, "opération interrompue"},
    {EAGAIN, "ressource momentanément indisponible"},
    {ENXIO, "périphérique absent ou sans lecteur"},
    {ETXTBSY, "fichier en cours d'exécution"},
    {EMLINK, "trop de liens vers ce fichier"},
    {ENOTEMPTY, "le dossier n'est pas vide"},
    {ENODEV, "opération impossible sur ce périphérique"},
    {EOVERFLOW, "fichier trop grand pour être traité"},
    {ENOMEM, "mémoire insuffisante"},
    {EFAULT, "adresse invalide"},
    {ESPIPE, "déplacement impossible dans ce fichier"},
    {EPIPE, "tube ou connexion fermé"},
    {EDEADLK, "verrou impossible sans blocage mutuel"},
    {ENOLCK, "aucun verrou disponible"},
    {ENOSYS, "fonction non disponible sur ce système"},
    {ENOTSUP, "opération non prise en charge"},
    {EILSEQ, "nom mal encodé"},
    {ETIMEDOUT, "délai dépassé"},
    {ENOTCONN, "support déconnecté"},
    {ECANCELED, "opération annulée"},
#ifdef EDQUOT
    {EDQUOT, "quota de disque dépassé"},
#endif
#ifdef ESTALE
    {ESTALE, "fichier réseau périmé"},
#endif
#if defined(EWOULDBLOCK) && EWOULDBLOCK != EAGAIN
    {EWOULDBLOCK, "ressource momentanément indisponible"},
#endif
#if defined(EOPNOTSUPP) && EOPNOTSUPP != ENOTSUP
    {EOPNOTSUPP, "opération non prise en charge"},
#endif
};

} // namespace

std::string Raison(const std::error_code& erreur) {
    if (erreur.category() == categorie) return erreur.message();
#ifdef _WIN32
    // The C++ library gives some failures as Windows codes.
    if (erreur.category() == std::system_category() && erreur.value() > 0)
        if (const std::error_code e = DepuisWindows(static_cast<DWORD>(erreur.value()));
            e.category() == std::generic_category())
            return Raison(e);
#endif
    const std::error_condition c = erreur.default_error_condition();
    if (c.category() == std::generic_category())
        for (const RaisonFrancaise& r : Raisons)
            if (r.code == c.value()) return r.texte;
    // The system's own text may be in another language: the number at least is exact.
    return "erreur système n° " + std::to_string(erreur.value());
}

} // namespace ortix::fichiers::plateforme

#if defined(__MINGW32__) && defined(__x86_64__)
// MinGW-w64's sin and cos leave the reduction of the angle to the x87, whose pi is
// exact to 66 bits only: near a multiple of pi/2 they lose most digits (cos(pi/2)
// keeps 12 good bits of 53), and a panel whose sweep outweighs its length by far
// was refused on Windows and computed on Linux. These take the C library's place
// in the programs: the angle is reduced here against pi/2 written as a sum of four
// constants, so that the x87 only sees |r| <= pi/4, where it is good to the last
// bit of a double but for a rounding now and then.
namespace {

long double Fsin(long double r) {
    asm("fsin" : "+t"(r));
    return r;
}
long double Fcos(long double r) {
    asm("fcos" : "+t"(r));
    return r;
}

void SinCos(double x, double& s, double& c) {
    if (!std::isfinite(x)) {
        s = c = x - x; // not a number
        return;
    }
    // No angle of the program comes near: only the result's being finite matters.
    if (std::fabs(x) > 0x1p40) x = std::fmod(x, 6.283185307179586);
    const long double k = nearbyintl(static_cast<long double>(x) * 0.636619772367581343076L);
    const long double r = static_cast<long double>(x) - k * 1.57079632673412561417e+00L -
                          k * 6.07710050630396597660e-11L - k * 2.02226624871116645580e-21L -
                          k * 8.47842766036889956997e-32L;
    const double sr = static_cast<double>(Fsin(r)), cr = static_cast<double>(Fcos(r));
    const double valeurs[4][2] = {{sr, cr}, {cr, -sr}, {-sr, -cr}, {-cr, sr}};
    const auto quart = static_cast<long long>(k) & 3;
    s = valeurs[quart][0];
    c = valeurs[quart][1];
}

} // namespace

extern "C" {
double sin(double x) {
    double s, c;
    SinCos(x, s, c);
    return s;
}
double cos(double x) {
    double s, c;
    SinCos(x, s, c);
    return c;
}
// GCC turns a sin and a cos of the same angle into one call of this.
void sincos(double x, double* s, double* c) {
    SinCos(x, *s, *c);
}
}
#endif
