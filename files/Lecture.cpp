#include "files/Lecture.h"

#include "files/Chemins.h"
#include "files/Citation.h"
#include "files/Plateforme.h"
#include "files/Raisons.h"

#include <cerrno>
#include <cstdio>

namespace ortix::fichiers {

namespace pf = plateforme;

namespace {

Resultat refusLecture(const std::filesystem::path& chemin, const std::string& raison) {
    return Resultat::Refus("Impossible de lire le fichier " + Chemin_Cite(chemin) + " : " + raison +
                           ".");
}

// Bytes of a file beyond which it is refused: no file of the program comes near
// it, and it keeps a huge file from tying up the program.
constexpr std::size_t TailleMaximale = 16u << 20;

} // namespace

std::string Chemin_Cite(const std::filesystem::path& chemin) {
    // Part by part, between the separators as written: the folders of a deep path
    // all stay, a name of millions of characters does not.
    const std::string texte = Utf8_Depuis_Chemin(chemin);
    const char separateurs[] = {'/', static_cast<char>(std::filesystem::path::preferred_separator),
                                0};
    std::string cite = "« ";
    for (std::size_t debut = 0;;) {
        const std::size_t fin = texte.find_first_of(separateurs, debut);
        cite += Citation(std::string_view(texte).substr(debut, fin - debut));
        if (fin == std::string::npos) return cite + " »";
        cite += texte[fin];
        debut = fin + 1;
    }
}

Resultat Lire_Fichier(const std::filesystem::path& chemin, std::string& octets) {
    std::error_code e;
    std::FILE* f = pf::Ouvrir_Lecture(chemin, e);
    if (!f) return refusLecture(chemin, pf::Raison(e));
    std::string lu;
    char tampon[65536];
    bool tropGrand = false;
    for (;;) {
        errno = 0;
        const std::size_t n = std::fread(tampon, 1, sizeof tampon, f);
        lu.append(tampon, n);
        if (lu.size() > TailleMaximale) {
            tropGrand = true;
            break;
        }
        if (n < sizeof tampon) break;
    }
    const bool echec = std::ferror(f) != 0;
    const std::error_code raison(errno != 0 ? errno : EIO, std::generic_category());
    std::fclose(f);
    if (tropGrand) return refusLecture(chemin, "fichier trop volumineux (plus de 16 Mo)");
    if (echec) return refusLecture(chemin, pf::Raison(raison));
    octets = std::move(lu);
    return {};
}
} // namespace ortix::fichiers
