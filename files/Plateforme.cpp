#include "files/Plateforme.h"

#include "files/Raisons.h"

#include <cerrno>
#include <csignal>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ortix::fichiers::plateforme {

#ifdef ORTIX_PANNES_SIMULEES
namespace {
Etape etapeEnPanne = Etape::Aucune;
int codePanne = 0;
int foisPanne = 0;
int avantPanne = 0;
Etape etapeSignal = Etape::Aucune;
int signalSimule = 0;
} // namespace

void Simuler_Panne(Etape etape, int code, int fois, int apres) {
    etapeEnPanne = etape;
    codePanne = code;
    foisPanne = fois;
    avantPanne = apres;
}

// Whether this step fails now; the counts of successes, then of failures, run down.
bool enPanne(Etape etape) {
    if (etapeEnPanne != etape) return false;
    if (avantPanne > 0) {
        --avantPanne;
        return false;
    }
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
    if (enPanne(Etape::etape)) return std::error_code(codePanne, std::generic_category())
#else
#define PANNE_SIMULEE(etape)
#endif

namespace {

std::error_code derniereErreur(int defaut = EIO) {
    // A C library call that fails without setting errno still gives a reason.
    return std::error_code(errno != 0 ? errno : defaut, std::generic_category());
}

} // namespace

std::FILE* Ouvrir_Lecture(const std::filesystem::path& chemin, std::error_code& erreur) {
    errno = 0;
#ifdef _WIN32
    // Opening never waits here, not even on a pipe's name; the check below is what counts.
    int fd = -1;
    if (_wsopen_s(&fd, chemin.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT, _SH_DENYNO, 0) != 0) {
        // Windows refuses to open a folder, for a reason of its own.
        const std::error_code raison = derniereErreur(ENOENT);
        std::error_code e;
        erreur = std::filesystem::is_directory(chemin, e)
                     ? std::make_error_code(std::errc::is_a_directory)
                     : raison;
        return nullptr;
    }
    struct _stat64 etat;
    const bool connu = _fstat64(fd, &etat) == 0;
    if (!connu || (etat.st_mode & _S_IFMT) != _S_IFREG) {
        erreur = !connu ? derniereErreur()
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
        erreur = derniereErreur(ENOENT);
        return nullptr;
    }
    struct stat etat;
    const bool connu = ::fstat(fd, &etat) == 0;
    if (!connu || !S_ISREG(etat.st_mode)) {
        erreur = !connu                  ? derniereErreur()
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
    erreur = f ? std::error_code() : derniereErreur();
    return f;
}

std::FILE* Creer_Exclusif(const std::filesystem::path& chemin, std::error_code& erreur) {
#ifdef ORTIX_PANNES_SIMULEES
    if (enPanne(Etape::Creation)) {
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
        erreur = derniereErreur(EEXIST);
        return nullptr;
    }
    std::FILE* f = _fdopen(fd, "wb");
    if (!f) _close(fd);
#else
    const int fd = ::open(chemin.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    std::FILE* f = fd < 0 ? nullptr : ::fdopen(fd, "wb");
    if (fd >= 0 && !f) ::close(fd);
#endif
    erreur = f ? std::error_code() : derniereErreur(EEXIST);
    return f;
}

std::error_code Ecrire(std::FILE* f, std::string_view octets) {
    PANNE_SIMULEE(Ecriture);
    errno = 0;
    if (!octets.empty() && std::fwrite(octets.data(), 1, octets.size(), f) != octets.size())
        return derniereErreur();
    return {};
}

std::error_code Synchroniser(std::FILE* f) {
    PANNE_SIMULEE(Synchronisation);
    errno = 0;
    if (std::fflush(f) != 0) return derniereErreur();
#ifdef _WIN32
    if (_commit(_fileno(f)) != 0) return derniereErreur();
#else
    if (::fsync(::fileno(f)) != 0) return derniereErreur();
#endif
    return {};
}

std::error_code Fermer(std::FILE* f) {
    errno = 0;
    const bool echec = std::fclose(f) != 0;
    PANNE_SIMULEE(Fermeture);
    return echec ? derniereErreur() : std::error_code();
}

std::error_code Renommer(const std::filesystem::path& de, const std::filesystem::path& vers) {
    PANNE_SIMULEE(Renommage);
#ifdef _WIN32
    // Called directly, for its reason: the C++ library reports every refusal but
    // a denied access as an input-output error.
    if (MoveFileExW(de.c_str(), vers.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return Depuis_Code_Windows(GetLastError());
#else
    std::error_code erreur;
    std::filesystem::rename(de, vers, erreur);
    return erreur;
#endif
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

} // namespace ortix::fichiers::plateforme
