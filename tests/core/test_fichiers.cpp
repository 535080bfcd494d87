// The text layer: code pages and line ends, reading only what can be read, and
// saves that never lose the file they replace.
#include "files/Encodage.h"
#include "files/GabaritPDF.h"
#include "files/Lecture.h"
#include "files/Plateforme.h"
#include "files/Projet.h"
#include "files/Raisons.h"
#include "files/SauvegardeAtomique.h"
#include "files/Sortie.h"
#include "tests/support/Support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <functional>
#include <set>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#endif
#ifdef __linux__
#include <sys/mount.h>
#include <sys/stat.h>
#endif

namespace ortix::essais {
namespace {

using namespace fichiers;

std::set<std::string> Noms(const fs::path& d) {
    std::set<std::string> n;
    for (const auto& e : fs::directory_iterator(d))
        n.insert(e.path().filename().string());
    return n;
}

TEST(Texte, LesDeuxCentCinquanteSixOctetsFontLAllerRetour) {
    std::string tous;
    for (int o = 0; o < 256; ++o)
        tous += static_cast<char>(o);
    EXPECT_EQ(Vers_Windows1252(Depuis_Windows1252(tous)), tous);
    EXPECT_EQ(Vers_Windows1252("é€œ° ≠ \xFF \xC2\x80"),
              "\xE9\x80\x9C\xB0 ? ? ?"); // U+0080 is not €
}

TEST(Texte, DecodageEtFinsDeLigne) {
    struct Cas {
        std::string octets;
        std::vector<std::string> lignes;
    };
    const Cas cas[] = {
        {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"caf\xE9\r\n", {"café"}},   // Windows-1252
        {"caf\xC3\xA9\n", {"café"}}, // UTF-8
        {"\xEF\xBB\xBF"
         "caf\xE9\n",
         {"caf\xEF\xBF\xBD"}}, // a byte-order mark says UTF-8
    };
    for (const Cas& c : cas)
        EXPECT_EQ(Decouper_Lignes(Decoder_Texte(c.octets)), c.lignes);
}

// Every way a save can fail: a French message naming the file and the reason,
// the old file byte for byte, nothing left behind in its folder.
TEST(Ecrire_Atomique, UnEchecNeLaisseQueLAncienFichier) {
    using plateforme::Etape;
    const fs::path d = Dossier_Neuf("fichiers/echecs");
    struct Cas {
        const char* raison;
        fs::path cible;
        std::function<void()> preparer = [] {};
    };
    const auto panne = [](Etape e, int code) {
        return [=] { plateforme::Simuler_Panne(e, code); };
    };
    const std::vector<Cas> cas = {
        {"disque plein", d / "a.ortix", panne(Etape::Creation, ENOSPC)},
        {"disque plein", d / "a.ortix", panne(Etape::Ecriture, ENOSPC)},
        {"erreur d'entrée-sortie", d / "a.ortix", panne(Etape::Synchronisation, EIO)},
        {"disque plein", d / "a.ortix", panne(Etape::Fermeture, ENOSPC)},
        {"permission refusée", d / "a.ortix", panne(Etape::Renommage, EACCES)},
        {"introuvable", d / "absent" / "a.dat"},
#ifdef _WIN32
        {"introuvable", d / "a.ortix" / "a.dat"},   // Windows says the path is not found
        {"nom de fichier invalide", d / "a?b.dat"}, // refused by the rename only
#else
        {"n'est pas un dossier", d / "a.ortix" / "a.dat"},
#endif
        {"c'est un dossier", d / "dossier.dat"},
        {"", d / std::string(1000, 'n')}, // whatever the reason, quoted at 80 characters
    };
    Poser(d / "a.ortix", "ancien\r\n");
    fs::create_directory(d / "dossier.dat");
    for (const Cas& c : cas) {
        c.preparer();
        const Resultat r = Ecrire_Atomique(c.cible, "NOUVEAU");
        plateforme::Simuler_Panne(Etape::Aucune, 0);
        EXPECT_FALSE(r.ok()) << c.raison;
        EXPECT_NE(r.message().find("Impossible d'enregistrer le fichier « " +
                                   c.cible.parent_path().string()),
                  std::string::npos)
            << r.message();
        EXPECT_LT(r.message().size(), 400u);
        EXPECT_NE(r.message().find(c.raison), std::string::npos) << r.message();
        EXPECT_EQ(Contenu(d / "a.ortix"), "ancien\r\n");
        EXPECT_EQ(Noms(d), (std::set<std::string>{"a.ortix", "dossier.dat"}));
    }
    // A temporary name found taken is tried again under another.
    plateforme::Simuler_Panne(Etape::Creation, EEXIST, 1);
    EXPECT_TRUE(Ecrire_Atomique(d / "a.ortix", "nouveau").ok());
    EXPECT_EQ(Contenu(d / "a.ortix"), "nouveau");
}

// The output is saved as a whole: a failure before the renames changes no file and
// leaves no temporary one; a failed rename says what it replaced. As found: "a
// full disk leaves new profiles beside the old PDF and SVGs, and a folder named
// like the last output is found after five files were written".
TEST(Sauve_Fichiers, UnEnsembleEchoueSansRienChanger) {
    using plateforme::Etape;
    const auto m = Calcule("lots/projets/aile1.ortix");
    const fs::path d = Dossier_Neuf("fichiers/ensemble");
    const OptionsSortie options{Pdf_Disponible(), {}};
    const NomsProposes noms = Propose_Noms(m->Txt_Nom_proj, "1", "2", m->finals);
    const std::vector<std::string> tous = Noms_Des_Fichiers(m->Txt_Nom_proj, noms, options);
    for (const std::string& n : tous)
        Poser(d / n, "ancien");
    std::atomic<bool> annule{false};
    const std::pair<std::string, std::function<void()>> cas[] = {
        {"disque plein", [] { plateforme::Simuler_Panne(Etape::Ecriture, ENOSPC, 1, 2); }},
        {"Enregistrement annulé", [&] { annule = true; }},
        {"Fichiers déjà remplacés : « " + tous[0] +
             " ». Fichiers laissés tels qu'ils étaient : « " + tous[1] + " »,",
         [] { plateforme::Simuler_Panne(Etape::Renommage, EACCES, 1, 1); }},
        {"c'est un dossier",
         [&] { fs::remove(d / tous.back()), fs::create_directory(d / tous.back()); }}};
    for (const auto& [raison, preparer] : cas) {
        preparer();
        std::vector<std::string> ecrits;
        const Resultat r = Sauve_Fichiers(*m, d, noms, options, ecrits, nullptr, &annule);
        annule = false;
        EXPECT_NE(r.message().find(raison), std::string::npos) << r.message();
        EXPECT_EQ(Noms(d), std::set<std::string>(tous.begin(), tous.end()));
        for (std::size_t k = raison.starts_with("Fichiers") ? 1 : 0; k + 1 < tous.size(); ++k)
            EXPECT_EQ(Contenu(d / tous[k]), "ancien") << raison << " " << tous[k];
        Poser(d / tous[0], "ancien");
    }
}

// Every name of an output is checked before anything is written; the templates'
// too, when the PDF can be made.
TEST(Sauve_Fichiers, TousLesNomsVerifiesAvantDEcrire) {
    const auto m = Calcule("lots/projets/aile1.ortix");
    const fs::path d = Dossier_Neuf("fichiers/noms");
    const bool pdf = fichiers::Pdf_Disponible();
    const std::pair<fichiers::NomsProposes, std::string> cas[] = {
        {{"a.dat", "b.dat", "A.DAT", "g.pdf"}, "\"A.DAT\" et \"a.dat\" désigneraient le même"},
        {{"ÉtÉ.dat", "b.dat", "été.DAT", "g.pdf"}, "\"été.DAT\" et \"ÉtÉ.dat\" désigneraient"},
        {{"a.dat", "b.dat", pdf ? "c.txt" : "b.dat", "b.dat"}, "\"b.dat\" et \"b.dat\""},
        {{"a.dat", std::string(300, 'b'), "c.txt", "g.pdf"}, "est trop long"},
        {{"a.dat", "b.dat", "c\x01.txt", "g.pdf"}, "caractère de contrôle"}};
    for (const auto& [noms, raison] : cas) {
        std::vector<std::string> ecrits;
        const Resultat r = Sauve_Fichiers(*m, d, noms, {pdf, {}}, ecrits);
        EXPECT_NE(r.message().find(raison), std::string::npos) << r.message();
        EXPECT_TRUE(fs::is_empty(d) && ecrits.empty());
    }
}

// A project whose airfoil could not be read back is refused, naming that
// airfoil, and the file it would replace is left as it was.
TEST(Sauve_Projet, UnProfilNonFiniLaisseLAncienFichier) {
    const fs::path d = Dossier_Neuf("fichiers/projet");
    Poser(d / "aile.ortix", "ancien");
    for (const bool emplanture : {true, false}) {
        auto m = Calcule("lots/projets/aile1.ortix");
        (emplanture ? m->Y_Empl : m->Y_Saum)(2) = std::nan("");
        const Resultat r = Sauve_Projet(*m, d / "aile", "aile");
        EXPECT_NE(r.message().find(emplanture ? "Le profil d'emplanture" : "Le profil de saumon"),
                  std::string::npos)
            << r.message();
        EXPECT_EQ(Contenu(d / "aile.ortix"), "ancien");
    }
}

// Linux only: mount and chattr.
#ifdef __linux__
// Undoes what a test sets up on the system, before it (what a run killed midway
// left) and however it ends.
struct Defaire {
    std::function<void()> action;
    explicit Defaire(std::function<void()> a) : action(std::move(a)) { action(); }
    Defaire(const Defaire&) = delete;
    Defaire& operator=(const Defaire&) = delete;
    ~Defaire() { action(); }
};

// A real full disk and a medium mounted read-only (which stops root too), on a
// small tmpfs of the test's own.
TEST(Ecrire_Atomique, DisquePleinEtSupportEnLectureSeule) {
    if (::geteuid() != 0) GTEST_SKIP() << "monter un tmpfs demande les droits de root";
    const fs::path d = fs::path(ORTIX_TEST_OUT) / "fichiers/tmpfs";
    const Defaire demonter([&] { ::umount2(d.c_str(), MNT_DETACH); });
    Dossier_Neuf("fichiers/tmpfs");
    ASSERT_EQ(::mount("tmpfs", d.c_str(), "tmpfs", 0, "size=64k"), 0);
    Poser(d / "a.dat", "ancien");
    const Resultat plein = Ecrire_Atomique(d / "a.dat", std::string(std::size_t{256} * 1024, 'x'));
    ASSERT_EQ(::mount("tmpfs", d.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
    const Resultat lectureSeule = Ecrire_Atomique(d / "a.dat", "nouveau");
    const std::string relu = Contenu(d / "a.dat");
    const auto noms = Noms(d);
    EXPECT_NE(plein.message().find("disque plein"), std::string::npos) << plein.message();
    EXPECT_NE(lectureSeule.message().find("lecture seule"), std::string::npos)
        << lectureSeule.message();
    EXPECT_EQ(relu, "ancien");
    EXPECT_EQ(noms, std::set<std::string>{"a.dat"});
}

// A folder that only grows (chattr +a) refuses both the rename and the removal:
// the message names the temporary file left there.
TEST(Ecrire_Atomique, LeTemporaireQuiResteEstNomme) {
    const fs::path d = fs::path(ORTIX_TEST_OUT) / "fichiers/ajout";
    const Defaire liberer(
        [&] { std::system(("chattr -a " + d.string() + " 2>/dev/null").c_str()); });
    Dossier_Neuf("fichiers/ajout");
    Poser(d / "a.dat", "ancien");
    if (std::system(("chattr +a " + d.string() + " 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "chattr +a impossible ici";
    const Resultat r = Ecrire_Atomique(d / "a.dat", "nouveau");
    const fs::path reste = d / *Noms(d).begin(); // ".~ortix-…" comes before "a.dat"
    EXPECT_NE(r.message().find("« " + reste.string() + " » reste"), std::string::npos)
        << r.message();
}
#endif

// Not on Windows, which has no mode bits beyond read-only, no fork, and no named
// pipe in the file system.
#ifndef _WIN32
// A replaced file keeps its read, write and execute bits, never set-uid or set-gid;
// a symbolic link is replaced by a file of the default rights, not its target's.
TEST(Ecrire_Atomique, DroitsDuFichierRemplace) {
    const fs::path d = Dossier_Neuf("fichiers/droits");
    Poser(d / "a.dat", "");
    Poser(d / "cible.dat", "");
    fs::permissions(d / "a.dat", fs::perms(06755));
    fs::permissions(d / "cible.dat", fs::perms(0600));
    fs::create_symlink("cible.dat", d / "lien.dat");
    Poser(d / "neuf.dat", ""); // the default rights: 0666 less the umask
    ASSERT_TRUE(Ecrire_Atomique(d / "a.dat", "x") && Ecrire_Atomique(d / "lien.dat", "x"));
    EXPECT_EQ(static_cast<int>(fs::status(d / "a.dat").permissions()), 0755);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(d / "lien.dat")));
    EXPECT_EQ(fs::status(d / "lien.dat").permissions(), fs::status(d / "neuf.dat").permissions());
}

// A child process saving a.dat and b.dat over "ancien", under a file-size limit
// and with its core dumps off; its exit status as waitpid gives it.
int EnsembleDansUnFils(const fs::path& d, std::size_t taille, const std::function<void()>& avant) {
    Poser(d / "a.dat", "ancien");
    Poser(d / "b.dat", "ancien");
    const ::pid_t fils = ::fork();
    if (fils == 0) {
        const ::rlimit coeur{0, 0}, taille_{4096, 4096};
        ::setrlimit(RLIMIT_CORE, &coeur);
        ::setrlimit(RLIMIT_FSIZE, &taille_);
        avant();
        const Resultat r =
            Ecrire_Ensemble(d, {{"a.dat", "x"}, {"b.dat", std::string(taille, 'y')}});
        ::_exit(r.message().find("fichier trop volumineux. Aucun fichier n'a été modifié.") ==
                        std::string::npos
                    ? 1
                    : 0);
    }
    int etat = 0;
    ::waitpid(fils, &etat, 0);
    return etat;
}

// A signal in the middle of a save, every file of the set written to its temporary
// one: the process ends as the signal says, the old files intact, nothing left
// beside them; "SIGHUP and SIGQUIT remove the temporary file, as SIGINT and
// SIGTERM do". A file-size limit is a refusal: "SIGXFSZ (a file-size limit)
// gives the French « fichier trop volumineux » refusal and no temporary file".
TEST(Ecrire_Ensemble, UnSignalPendantLaSauvegardeNeLaisseRien) {
    const fs::path d = Dossier_Neuf("fichiers/signal");
    for (const int s : {SIGTERM, SIGHUP, SIGQUIT, SIGXFSZ}) {
        const int etat = EnsembleDansUnFils(d, s == SIGXFSZ ? 1 << 20 : 10, [s] {
            if (s != SIGXFSZ) plateforme::Simuler_Signal(plateforme::Etape::Renommage, s);
        });
        EXPECT_TRUE(s == SIGXFSZ ? WIFEXITED(etat) && WEXITSTATUS(etat) == 0
                                 : WIFSIGNALED(etat) && WTERMSIG(etat) == s)
            << s << " " << etat;
        EXPECT_EQ(Noms(d), (std::set<std::string>{"a.dat", "b.dat"}));
        EXPECT_EQ(Contenu(d / "a.dat") + Contenu(d / "b.dat"), "ancienancien");
    }
}

// The open itself refuses a pipe, at once: the name may have become one since
// Lire_Fichier looked at it. Should the open wait, the alarm ends the test program.
TEST(Lire_Fichier, LOuvertureRefuseUnTubeSansAttendre) {
    const fs::path tube = Dossier_Neuf("fichiers/tube") / "t.dat";
    ASSERT_EQ(::mkfifo(tube.c_str(), 0600), 0);
    ::alarm(5);
    std::error_code e;
    EXPECT_EQ(plateforme::Ouvrir_Lecture(tube, e), nullptr);
    ::alarm(0);
}
#endif

// Only ordinary files are read: a folder or a named pipe (which would keep the
// program waiting for ever) is refused with the file's name.
TEST(Lire_Fichier, RefuseCeQuiNEstPasUnFichierOrdinaire) {
    const fs::path d = Dossier_Neuf("fichiers/lecture");
    std::vector<std::pair<fs::path, std::string>> cas = {{d / "absent.dat", "introuvable"},
                                                         {d, "c'est un dossier"}};
#ifndef _WIN32 // no named pipe in Windows' file system
    ASSERT_EQ(::mkfifo((d / "tube.dat").c_str(), 0600), 0);
    cas.emplace_back(d / "tube.dat", "pas un fichier ordinaire");
#endif
    for (const auto& [chemin, raison] : cas) {
        std::string octets = "inchangé";
        const Resultat r = Lire_Fichier(chemin, octets);
        EXPECT_NE(r.message().find("Impossible de lire le fichier « " + chemin.string()),
                  std::string::npos)
            << r.message();
        EXPECT_NE(r.message().find(raison), std::string::npos) << r.message();
        EXPECT_EQ(octets, "inchangé");
        // Below it, the refusal is an error that reads as one.
        std::error_code erreur;
        EXPECT_EQ(plateforme::Ouvrir_Lecture(chemin, erreur), nullptr);
        EXPECT_TRUE(erreur) << chemin;
    }
}

// Every reason a file operation can meet is a French text, which never carries
// the number: the number is what an unknown reason shows.
TEST(Plateforme, RaisonsEnFrancais) {
    const auto raison = [](int c) { return plateforme::Raison({c, std::generic_category()}); };
    for (const int code :
         {ELOOP,   ENAMETOOLONG, EROFS,  EMFILE,    ENOSPC,  EBADF,  EINTR,  EAGAIN,    ENXIO,
          ETXTBSY, EFBIG,        EMLINK, ENOTEMPTY, EPERM,   EINVAL, ENODEV, EOVERFLOW, EACCES,
          ENOENT,  EEXIST,       EIO,    EISDIR,    ENOTDIR, EBUSY,  EXDEV,  ENFILE})
        EXPECT_EQ(raison(code).find(std::to_string(code)), std::string::npos) << raison(code);
    EXPECT_EQ(raison(4321), "erreur système n° 4321");
}

} // namespace
} // namespace ortix::essais
