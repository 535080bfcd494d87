#include "files/Raisons.h"

#include <cerrno>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#endif

namespace ortix::fichiers::plateforme {

namespace {

// What Ouvrir_Lecture refuses beyond the system's own failures.
class Categorie final : public std::error_category {
  public:
    const char* name() const noexcept override { return "ortix"; }
    std::string message(int) const override { return "ce n'est pas un fichier ordinaire"; }
};
const Categorie categorie;

} // namespace

std::error_code Pas_Un_Fichier_Ordinaire() {
    return std::error_code(1, categorie);
}

#ifdef _WIN32
std::error_code Depuis_Code_Windows(unsigned long code) {
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

#endif

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
        if (const std::error_code e =
                Depuis_Code_Windows(static_cast<unsigned long>(erreur.value()));
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
