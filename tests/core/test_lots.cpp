// The batch command on the projects of tests/data/lots: for each case of
// cas.txt, its exit status, its report, its error output and every file it
// writes must be, byte for byte, the case's golden transcript.
#include "files/Chemins.h"
#include "files/Date.h"
#include "files/Encodage.h"
#include "files/GabaritPDF.h"
#include "tests/support/Support.h"
#include "tools/Lot.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace ortix::essais {
namespace {

// Allocations of more bytes than this fail while a test asks: memory running
// out, the same way on every system (the replaced operator new below).
std::atomic<std::size_t> LimiteAllocation{SIZE_MAX};

// `texte` with every occurrence of `de` replaced by `par`.
std::string Remplacer(std::string texte, const std::string& de, const std::string& par) {
    for (std::size_t i = 0; (i = texte.find(de, i)) != std::string::npos; i += par.size())
        texte.replace(i, de.size(), par);
    return texte;
}

// Runs one case and writes down everything it gave, in a fixed order. Projects
// are in lots/projets, machine profiles in machines; a profile to write goes
// to the case's folder.
std::string Transcription(const std::string& nom, const std::vector<std::string>& options) {
    const fs::path sortie = Dossier_Neuf("lots/" + nom);
    const std::string projets = Donnee("lots/projets").string();
    const std::string machines = Donnee("machines").string();
    std::vector<std::string> arguments = {"ortix-batch", "-o", sortie.string()};
    for (const std::string& o : options)
        arguments.push_back(
            o.ends_with(".ortix") ? projets + "/" + o
            : o.ends_with(".profil")
                ? (arguments.back() == "--ecrire-profil" ? sortie.string() : machines) + "/" + o
                : o);
    std::ostringstream rapport, erreurs;
    const int code = lot::Executer(arguments, rapport, erreurs);
    std::string t = "code " + std::to_string(code) + "\n== sortie\n" + rapport.str() +
                    "== erreurs\n" + erreurs.str();
    std::set<fs::path> fichiers;
    for (const auto& f : fs::directory_iterator(sortie))
        fichiers.insert(f.path());
    // A PDF is checked elsewhere, drawn; here only that it is one.
    for (const fs::path& f : fichiers)
        t += "== fichier " + fichiers::Utf8_Depuis_Chemin(f.filename()) + "\n" +
             (f.extension() == ".pdf" ? Contenu(f).substr(0, 5) + "…\n" : Contenu(f));
    t = Remplacer(t, fichiers::plateforme::Date_Du_Jour(), "@DATE@");
    // Each folder as printed and as JSON writes it, Windows' backslashes doubled; the
    // separator after it is shown as '/'.
    for (const auto& [dossier, repere] :
         {std::pair{sortie.string(), "@SORTIE@"}, {projets, "@PROJETS@"}, {machines, "@MACHINES@"}})
        for (const std::string& d : {Remplacer(dossier, "\\", "\\\\"), dossier}) {
            for (const std::string separateur : {"\\\\", "\\"})
                t = Remplacer(t, d + separateur, repere + std::string("/"));
            t = Remplacer(t, d, repere);
        }
    return t;
}

TEST(Lots, ChaqueCasDonneSaTranscription) {
    std::ifstream cas(Donnee("lots/cas.txt"));
    int n = 0;
    for (std::string ligne; std::getline(cas, ligne);) {
        std::istringstream mots(ligne);
        std::string nom;
        if (!(mots >> nom) || nom[0] == '#') continue;
        std::vector<std::string> options{std::istream_iterator<std::string>(mots), {}};
        // Their golden files hold the templates' PDF.
        if (!fichiers::Pdf_Disponible() && ligne.find("--gabarits") != std::string::npos) continue;
        ++n;
        EXPECT_EQ(
            Ecart_Au_Modele(Transcription(nom, options), Donnee("lots/attendus/" + nom + ".txt")),
            "")
            << nom;
    }
    EXPECT_GT(n, 100);
}

// Whether `t` holds one JSON value and nothing else, as a strict parser reads it:
// strings of valid UTF-8 without raw control characters, numbers in JSON's form.
bool JsonValide(std::string_view t) {
    std::size_t i = 0;
    const auto blancs = [&] { i = std::min(t.find_first_not_of(" \t\r\n", i), t.size()); };
    std::function<bool()> valeur = [&]() -> bool {
        blancs();
        if (i >= t.size()) return false;
        const char c = t[i];
        if (c == '{' || c == '[') {
            const char fin = c == '{' ? '}' : ']';
            blancs(), ++i, blancs();
            if (i < t.size() && t[i] == fin) return ++i, true;
            for (;;) {
                if (c == '{') {
                    blancs();
                    if (i >= t.size() || t[i] != '"' || !valeur()) return false;
                    blancs();
                    if (i >= t.size() || t[i++] != ':') return false;
                }
                if (!valeur()) return false;
                blancs();
                if (i < t.size() && t[i] == ',') {
                    ++i;
                    continue;
                }
                return i < t.size() && t[i++] == fin;
            }
        }
        if (c == '"') {
            std::size_t fin = i + 1;
            for (; fin < t.size() && t[fin] != '"'; ++fin)
                if (static_cast<unsigned char>(t[fin]) < 0x20)
                    return false;
                else if (t[fin] == '\\')
                    ++fin; // the escaped character
            if (fin >= t.size()) return false;
            const std::string_view s = t.substr(i + 1, fin - i - 1);
            return i = fin + 1, fichiers::Utf8_Repare(s) == s;
        }
        for (const std::string_view mot : {"true", "false", "null"})
            if (t.substr(i, mot.size()) == mot) return i += mot.size(), true;
        static const std::regex nombre("^-?(0|[1-9][0-9]*)(\\.[0-9]+)?([eE][-+]?[0-9]+)?");
        std::cmatch m;
        if (!std::regex_search(t.data() + i, t.data() + t.size(), m, nombre)) return false;
        return i += static_cast<std::size_t>(m.length(0)), true;
    };
    return valeur() && (blancs(), i == t.size());
}

// Every JSON report of the golden transcripts is one valid object.
TEST(Lots, LeJsonEstValide) {
    int n = 0;
    for (const auto& f : fs::directory_iterator(Donnee("lots/attendus"))) {
        std::istringstream t(Contenu(f.path()));
        for (std::string ligne; std::getline(t, ligne);)
            if (ligne.starts_with("{")) {
                EXPECT_TRUE(JsonValide(ligne)) << f.path() << "\n" << ligne;
                ++n;
            }
    }
    EXPECT_GT(n, 100);
}

// A project whose name is not UTF-8 gives valid UTF-8 all the same.
TEST(Lots, UnNomQuiNEstPasUtf8) {
#ifdef _WIN32
    GTEST_SKIP() << "les noms de Windows sont en UTF-16 : un octet hors UTF-8 y est lu dans "
                    "la page de code et devient un caractère valide ; un tel nom ne se fait pas";
#endif
    const fs::path d = Dossier_Neuf("lots/json");
    fs::copy_file(Donnee("lots/projets/aile1.ortix"), d / "aile\xFF.ortix");
    std::ostringstream sortie, erreurs;
    ASSERT_EQ(
        lot::Executer({"ortix-batch", "--json", (d / "aile\xFF.ortix").string()}, sortie, erreurs),
        0);
    EXPECT_TRUE(JsonValide(sortie.str()));
    EXPECT_NE(sortie.str().find("aile\uFFFD.ortix\",\"name\""), std::string::npos);
}

// "Running out of memory gives a French message (« mémoire insuffisante »), never
// std::bad_alloc or a library's English text, and writes nothing": first the
// model's allocation fails, then the templates' PDF growing in memory (Cairo's
// "error while writing to output stream").
TEST(Lots, LaMemoireQuiManqueEstDite) {
    const fs::path d = Dossier_Neuf("lots/memoire");
    const std::size_t basse = 100'000;
    for (const std::size_t limite : {basse, fichiers::Pdf_Disponible() ? 5 * basse : basse}) {
        std::ostringstream sortie, erreurs;
        LimiteAllocation = limite;
        const int code = lot::Executer({"ortix-batch", "--gabarits", "-o", d.string(),
                                        Donnee("gabarits/grand.ortix").string()},
                                       sortie, erreurs);
        LimiteAllocation = SIZE_MAX;
        EXPECT_EQ(code, 1);
        EXPECT_NE(erreurs.str().find("émoire insuffisante"), std::string::npos) << erreurs.str();
        EXPECT_TRUE(fs::is_empty(d));
    }
}

#ifndef _WIN32 // no line feed in a Windows name
// "The plain report shows a path with a line feed in it on one line, as the
// quoting does."
TEST(Lots, UnCheminParLigne) {
    const fs::path d = Dossier_Neuf("lots/saut") / "a\nb";
    fs::create_directory(d);
    std::ostringstream sortie, erreurs;
    EXPECT_EQ(lot::Executer(
                  {"ortix-batch", "-o", d.string(), Donnee("lots/projets/aile1.ortix").string()},
                  sortie, erreurs),
              0);
    const std::string rapport = sortie.str();
    EXPECT_EQ(std::count(rapport.begin(), rapport.end(), '\n'), 3) << rapport;
}
#endif

// "A project name of 15 million characters is quoted like every other text: at
// most 80 characters, then « … »", and no 15 MB error line.
TEST(Lots, UnNomImmenseEstCite) {
    const fs::path d = Dossier_Neuf("lots/nom_immense");
    std::string projet = Contenu(Donnee("lots/projets/aile1.ortix"));
    const std::size_t nom = projet.find('\n') + 1;
    projet.replace(nom, projet.find('\r', nom) - nom, 15'000'000, 'N');
    Poser(d / "immense.ortix", projet);
    std::ostringstream sortie, erreurs;
    EXPECT_EQ(lot::Executer({"ortix-batch", "--gabarits", (d / "immense.ortix").string()}, sortie,
                            erreurs),
              1);
    EXPECT_LT(erreurs.str().size(), 600u) << erreurs.str().substr(0, 600);
}

#if defined(ORTIX_BATCH) && !defined(_WIN32)
// POSIX only, for the shell's redirections: the built command, its report going to a
// full device, then to a closed standard output. A lost report is a failure.
TEST(Lots, UnRapportPerduEstUnEchec) {
    const fs::path d = Dossier_Neuf("lots/rapport_perdu");
    for (const std::string sortie : {">/dev/full", ">&-"}) {
        const std::string commande = ORTIX_BATCH " --json -o " + d.string() + " " +
                                     Donnee("lots/projets/aile1.ortix").string() + " 2>" +
                                     (d / "erreurs").string() + " " + sortie;
        EXPECT_EQ(std::system(commande.c_str()), 1 << 8) << sortie;
        EXPECT_NE(Contenu(d / "erreurs").find("sortie standard"), std::string::npos) << sortie;
    }
}

// The report into a pipe whose reader is gone: "`| head -c 10` ends the batch
// silently after two of four projects". Every project is processed, the failure
// said on standard error, the exit status 1.
TEST(Lots, UnLecteurPartiNArretePasLeLot) {
    const fs::path d = Dossier_Neuf("lots/tube_ferme");
    int tube[2];
    ASSERT_EQ(::pipe(tube), 0);
    ::close(tube[0]);
    const ::pid_t fils = ::fork();
    if (fils == 0) {
        ::dup2(tube[1], 1);
        ::freopen((d / "erreurs").c_str(), "w", stderr);
        const std::string projets = Donnee("lots/projets/").string();
        ::execl(ORTIX_BATCH, ORTIX_BATCH, "-o", d.c_str(), (projets + "p01.ortix").c_str(),
                (projets + "p02.ortix").c_str(), (projets + "c313.ortix").c_str(),
                (projets + "aile1.ortix").c_str(), nullptr);
        ::_exit(127);
    }
    ::close(tube[1]);
    int etat = 0;
    ASSERT_EQ(::waitpid(fils, &etat, 0), fils);
    EXPECT_TRUE(WIFEXITED(etat) && WEXITSTATUS(etat) == 1) << etat;
    EXPECT_NE(Contenu(d / "erreurs").find("sortie standard"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(d), {}), 4 * 3 + 1);
}
#endif

} // namespace
} // namespace ortix::essais

// GCC takes the replaced pair for a mismatch once it inlines them.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t n) {
    if (n > ortix::essais::LimiteAllocation) throw std::bad_alloc();
    if (void* p = std::malloc(n > 0 ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
