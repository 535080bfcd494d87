#include "files/Texte.h"

#include "files/Plateforme.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>

namespace ortix::fichiers {

namespace pf = plateforme;

namespace {

// Windows-1252 bytes 0x80 to 0x9F. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control of the same value, as
// Windows itself decodes them, so that every byte survives a round trip.
constexpr std::array<char32_t, 32> TableC1 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t Remplacement = 0xFFFD;

void AjouterUtf8(std::string& s, char32_t c) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 character at `i` (strictly: no overlong form, no surrogate,
// nothing above U+10FFFF). Returns its length, or 0 when the bytes there are not
// UTF-8.
std::size_t LireUtf8(std::string_view s, std::size_t i, char32_t& c) {
    const auto o = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const unsigned char b = o(0);
    std::size_t n;
    char32_t minimum;
    if (b < 0x80) {
        c = b;
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        n = 2, c = b & 0x1F, minimum = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        n = 3, c = b & 0x0F, minimum = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        n = 4, c = b & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((o(k) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (o(k) & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return n;
}

bool EstUtf8Valide(std::string_view s) {
    char32_t c;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = LireUtf8(s, i, c);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

} // namespace

std::string Utf8Repare(std::string_view s) {
    std::string r;
    r.reserve(s.size());
    char32_t c;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = LireUtf8(s, i, c);
        if (n == 0) {
            AjouterUtf8(r, Remplacement);
            ++i;
        } else {
            r.append(s.substr(i, n));
            i += n;
        }
    }
    return r;
}

std::size_t Caractere_Controle(std::string_view s, std::size_t i) {
    const auto o = static_cast<unsigned char>(s[i]);
    if (o < 0x20 || o == 0x7F) return 1;
    if (o == 0xC2 && i + 1 < s.size()) {
        const auto suivant = static_cast<unsigned char>(s[i + 1]);
        if (suivant >= 0x80 && suivant <= 0x9F) return 2;
    }
    return 0;
}

std::string Citation(std::string_view texte, std::size_t longueur) {
    std::string r;
    char32_t c;
    std::size_t i = 0;
    for (std::size_t caracteres = 0; i < texte.size() && caracteres < longueur; ++caracteres) {
        if (const std::size_t n = Caractere_Controle(texte, i)) {
            r += '?';
            i += n;
        } else {
            const std::size_t n8 = std::max<std::size_t>(LireUtf8(texte, i, c), 1);
            r.append(texte.substr(i, n8));
            i += n8;
        }
    }
    if (i < texte.size()) r += "…";
    return r;
}

namespace {

// A path as a message names it: whole, its control characters as '?'.
std::string Guillemets(const std::filesystem::path& chemin) {
    return "« " + Citation(Utf8DepuisChemin(chemin), std::string::npos) + " »";
}

Resultat RefusEcriture(const std::filesystem::path& chemin, const std::error_code& e) {
    return Resultat::Refus("Impossible d'enregistrer le fichier " + Guillemets(chemin) + " : " +
                           pf::Raison(e) + ".");
}

Resultat RefusLecture(const std::filesystem::path& chemin, const std::string& raison) {
    return Resultat::Refus("Impossible de lire le fichier " + Guillemets(chemin) + " : " + raison +
                           ".");
}

// A name no dialog lists (the patterns are *.dat and *.ortix), unlikely to be
// taken, in the target's folder so that the rename stays on one file system.
std::filesystem::path NomTemporaire(const std::filesystem::path& cible) {
    static std::atomic<std::uint32_t> compteur{0};
    const auto tic =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    const std::uint64_t germe = tic * 0x9E3779B97F4A7C15ull + compteur.fetch_add(1);
    char nom[40];
    std::snprintf(nom, sizeof nom, ".~ortix-%012llx.tmp",
                  static_cast<unsigned long long>(germe & 0xFFFFFFFFFFFFull));
    return cible.parent_path() / nom;
}

// While a save is in progress, SIGINT or SIGTERM removes its temporary file.
class GardeTemporaire {
  public:
    GardeTemporaire() = default;
    GardeTemporaire(const GardeTemporaire&) = delete;
    GardeTemporaire& operator=(const GardeTemporaire&) = delete;
    ~GardeTemporaire() { liberer(); }
    void garder(const std::filesystem::path& temporaire) {
        liberer();
        tenue_ = pf::Garder_Temporaire(temporaire);
    }
    void liberer() {
        if (tenue_) pf::Oublier_Temporaire();
        tenue_ = false;
    }

  private:
    bool tenue_ = false;
};

// Bytes of a file beyond which it is refused: no file of the program comes near
// it, and it keeps a huge file from tying up the program.
constexpr std::size_t TailleMaximale = 16u << 20;

} // namespace

// Paths are built from UTF-8 on every system: char8_t text is read as UTF-8 by
// std::filesystem, whatever the process's code page.
std::filesystem::path CheminDepuisUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8DepuisChemin(const std::filesystem::path& chemin) {
    const std::u8string u = chemin.u8string();
    return std::string(u.begin(), u.end());
}

std::string VersWindows1252(std::string_view utf8) {
    std::string r;
    r.reserve(utf8.size());
    char32_t c;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = LireUtf8(utf8, i, c);
        if (n == 0) {
            r += '?';
            ++i;
            continue;
        }
        i += n;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            r += static_cast<char>(c);
            continue;
        }
        char octet = '?';
        for (std::size_t k = 0; k < TableC1.size(); ++k) {
            if (TableC1[k] == c) {
                octet = static_cast<char>(0x80 + k);
                break;
            }
        }
        r += octet;
    }
    return r;
}

std::string DepuisWindows1252(std::string_view octets) {
    std::string r;
    r.reserve(octets.size() + octets.size() / 8);
    for (char o : octets) {
        const auto b = static_cast<unsigned char>(o);
        if (b < 0x80) {
            r += o;
        } else {
            AjouterUtf8(r, b < 0xA0 ? TableC1[b - 0x80] : char32_t{b});
        }
    }
    return r;
}

std::string DecoderTexte(std::string_view octets) {
    constexpr std::string_view Bom = "\xEF\xBB\xBF";
    if (octets.starts_with(Bom)) return Utf8Repare(octets.substr(Bom.size()));
    bool ascii = true;
    for (char o : octets) {
        if (static_cast<unsigned char>(o) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) return std::string(octets);
    if (EstUtf8Valide(octets)) return std::string(octets);
    return DepuisWindows1252(octets);
}

std::vector<std::string> DecouperLignes(std::string_view texte) {
    std::vector<std::string> lignes;
    std::size_t debut = 0;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] != '\r' && texte[i] != '\n') continue;
        lignes.emplace_back(texte.substr(debut, i - debut));
        if (texte[i] == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') ++i;
        debut = i + 1;
    }
    if (debut < texte.size()) lignes.emplace_back(texte.substr(debut));
    return lignes;
}

Resultat LireFichier(const std::filesystem::path& chemin, std::string& octets) {
    std::error_code e;
    std::FILE* f = pf::Ouvrir_Lecture(chemin, e);
    if (!f) return RefusLecture(chemin, pf::Raison(e));
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
    if (tropGrand) return RefusLecture(chemin, "fichier trop volumineux (plus de 16 Mo)");
    if (echec) return RefusLecture(chemin, pf::Raison(raison));
    octets = std::move(lu);
    return {};
}

Resultat EcrireAtomique(const std::filesystem::path& chemin, std::string_view octets) {
    std::error_code e;
    if (chemin.empty() || !chemin.has_filename())
        return RefusEcriture(chemin, std::make_error_code(std::errc::invalid_argument));
    if (std::filesystem::is_directory(chemin, e))
        return RefusEcriture(chemin, std::make_error_code(std::errc::is_a_directory));
    std::filesystem::path temporaire;
    std::FILE* f = nullptr;
    GardeTemporaire garde;
    for (int essai = 0; essai < 100 && !f; ++essai) {
        temporaire = NomTemporaire(chemin);
        // Guarded before it exists, so that no moment of the save can leave it.
        garde.garder(temporaire);
        f = pf::Creer_Exclusif(temporaire, e);
        if (!f && e != std::errc::file_exists) break;
    }
    if (!f) return RefusEcriture(chemin, e);
    // Keep the read, write and execute rights of the file being replaced, never a
    // set-uid, set-gid or sticky bit. A symbolic link is replaced itself: the new
    // file has the default rights, not those of the link's target.
    std::error_code ignore;
    const auto ancien = std::filesystem::symlink_status(chemin, ignore);
    if (std::filesystem::is_regular_file(ancien))
        std::filesystem::permissions(temporaire, ancien.permissions() & std::filesystem::perms::all,
                                     ignore);

    e = pf::Ecrire(f, octets);
    if (!e) e = pf::Synchroniser(f);
    const std::error_code eFermeture = pf::Fermer(f);
    if (!e) e = eFermeture;
    if (!e) e = pf::Renommer(temporaire, chemin);
    if (e) {
        std::error_code eSuppression;
        std::filesystem::remove(temporaire, eSuppression);
        garde.liberer();
        Resultat r = RefusEcriture(chemin, e);
        if (!eSuppression) return r;
        // A folder that refuses the rename may refuse the removal too (append-only).
        return Resultat::Refus(r.message() + " Le fichier temporaire " + Guillemets(temporaire) +
                               " reste : il n'a pas pu être supprimé (" + pf::Raison(eSuppression) +
                               ").");
    }
    garde.liberer();
    pf::Synchroniser_Dossier(chemin.parent_path());
    return {};
}

std::string OctetsDesLignes(const std::vector<std::string>& lignes) {
    std::string octets;
    for (const std::string& ligne : lignes) {
        std::string l = VersWindows1252(ligne);
        // One line stays one line: a line end inside a value would shift every later line.
        for (char& c : l)
            if (c == '\r' || c == '\n') c = ' ';
        octets += l;
        octets += "\r\n";
    }
    return octets;
}

Resultat EcrireLignes(const std::filesystem::path& chemin, const std::vector<std::string>& lignes) {
    return EcrireAtomique(chemin, OctetsDesLignes(lignes));
}

std::string Texte_Affichable(std::string_view texte) {
    return Citation(Utf8Repare(texte), std::string::npos);
}

} // namespace ortix::fichiers
