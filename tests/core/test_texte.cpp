#include "OutilsFichiers.h"
#include "files/Plateforme.h"
#include "files/Texte.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ortix::fichiers {
namespace {

using essais::DossierNeuf; using essais::Contenu; using essais::Poser; using essais::Noms;

namespace fs = std::filesystem;

// The reference table of Windows-1252, 0x80 to 0x9F, from the code page's definition.
const char32_t Cp1252[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178,
};

std::u32string VersU32(const std::string& utf8) {
    std::u32string r;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = n == 1 ? b : n == 2 ? b & 0x1F : n == 3 ? b & 0x0F : b & 0x07;
        for (int k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        r += c;
        i += static_cast<std::size_t>(n);
    }
    return r;
}

TEST(Windows1252, LesDeuxCentCinquanteSixOctets) {
    for (int b = 0; b < 256; ++b) {
        const std::string octet(1, static_cast<char>(b));
        const std::string utf8 = DepuisWindows1252(octet);
        const char32_t attendu = b >= 0x80 && b < 0xA0 ? Cp1252[b - 0x80] : char32_t(b);
        EXPECT_EQ(VersU32(utf8), std::u32string(1, attendu)) << "octet " << b;
        EXPECT_EQ(VersWindows1252(utf8), octet) << "octet " << b;
    }
}

TEST(Windows1252, CaracteresHorsDuJeuDeviennentPointDInterrogation) {
    struct Cas {
        const char* utf8;
        const char* attendu;
    };
    const Cas cas[] = {
        {"caf\xC3\xA9", "caf\xE9"},               // é
        {"\xE2\x82\xAC", "\x80"},                 // €
        {"\xC5\x93uf", "\x9C" "uf"},              // œ
        {"\xCE\xA9", "?"},                        // Greek capital omega
        {"a\xF0\x9F\x98\x80z", "a?z"},            // an emoji, four bytes
        {"\xC2\x80", "?"},                        // U+0080, a C1 control 1252 lacks
        {"x\xFFy", "x?y"},                        // not UTF-8 at all
        {"\xE2\x82", "??"},                       // a cut sequence
        {"\xC0\xAF", "??"},                       // overlong '/'
        {"\xED\xA0\x80", "???"},                  // a surrogate
        {"S\xC3\xA9lectionner <--", "S\xE9lectionner <--"},
    };
    for (const Cas& c : cas) EXPECT_EQ(VersWindows1252(c.utf8), c.attendu) << c.utf8;
}

TEST(DecoderTexte, ChoisitLEncodage) {
    struct Cas {
        std::string octets;
        std::string attendu;
    };
    const Cas cas[] = {
        {"plain ascii", "plain ascii"},
        {"caf\xE9", "caf\xC3\xA9"},                          // 1252
        {"caf\xC3\xA9", "caf\xC3\xA9"},                      // valid UTF-8
        {"\xEF\xBB\xBF" "abc", "abc"},                       // BOM dropped
        {"\xEF\xBB\xBF" "caf\xC3\xA9", "caf\xC3\xA9"},
        {"\xEF\xBB\xBF" "a\xE9z", "a\xEF\xBF\xBDz"},          // BOM then a stray byte
        {"\xC3\xA9t\xE9", "\xC3\x83\xC2\xA9t\xC3\xA9"},      // mixed: not UTF-8, so 1252
        {"\x80 \x9C", "\xE2\x82\xAC \xC5\x93"},
        {"", ""},
    };
    for (const Cas& c : cas) EXPECT_EQ(DecoderTexte(c.octets), c.attendu) << c.octets;
}

TEST(DecouperLignes, TroisFinsDeLigne) {
    struct Cas {
        std::string texte;
        std::vector<std::string> lignes;
    };
    const Cas cas[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\n", {"a"}},
        {"a\r", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\r", {"a", ""}},
        {"\r\n", {""}},
        {"\r\n\r\n", {"", ""}},
        {" x \t", {" x \t"}},
    };
    for (const Cas& c : cas) EXPECT_EQ(DecouperLignes(c.texte), c.lignes) << c.texte;
}

TEST(EcrireLignes, Windows1252EtCrLfApresChaqueLigne) {
    const fs::path d = DossierNeuf("texte");
    std::string erreur;
    ASSERT_TRUE(EcrireLignes(d / "a.txt", {"caf\xC3\xA9", "", "x\xE2\x82\xAC", "\xCE\xA9"},
                             erreur))
        << erreur;
    EXPECT_EQ(Contenu(d / "a.txt"), "caf\xE9\r\n\r\nx\x80\r\n?\r\n");
    ASSERT_TRUE(EcrireLignes(d / "b.txt", {"un\ndeux\r"}, erreur));
    EXPECT_EQ(Contenu(d / "b.txt"), "un deux \r\n");
    ASSERT_TRUE(EcrireLignes(d / "c.txt", {}, erreur));
    EXPECT_EQ(Contenu(d / "c.txt"), "");
    EXPECT_EQ(Noms(d), (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
}

TEST(EcrireLignes, AllerRetourParLireLignes) {
    const fs::path d = DossierNeuf("texte");
    const std::vector<std::string> lignes = {"Profil \xC3\xA9t\xC3\xA9", "  1.5, 2", "\xC5\x92uvre"};
    std::string erreur;
    ASSERT_TRUE(EcrireLignes(d / "r.ortix", lignes, erreur)) << erreur;
    std::vector<std::string> relues;
    ASSERT_TRUE(LireLignes(d / "r.ortix", relues, erreur)) << erreur;
    EXPECT_EQ(relues, lignes);
}

TEST(EcrireAtomique, RemplaceLAncienFichierSansResteNiPerteDeDroits) {
    const fs::path d = DossierNeuf("texte");
    const fs::path cible = d / "profil.dat";
    Poser(cible, std::string(5000, 'a'));
    fs::permissions(cible, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    std::string erreur;
    ASSERT_TRUE(EcrireAtomique(cible, "court", erreur)) << erreur;
    EXPECT_EQ(Contenu(cible), "court");
    EXPECT_EQ(fs::status(cible).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Noms(d), std::vector<std::string>{"profil.dat"});
}

TEST(EcrireAtomique, NomAccentue) {
    const fs::path d = DossierNeuf("texte");
    const fs::path cible = d / CheminDepuisUtf8("\xC3\xA9t\xC3\xA9.dat");
    std::string erreur;
    ASSERT_TRUE(EcrireAtomique(cible, "x", erreur)) << erreur;
    EXPECT_EQ(Utf8DepuisChemin(cible.filename()), "\xC3\xA9t\xC3\xA9.dat");
    EXPECT_EQ(Contenu(cible), "x");
}

// Every failed save: a French message naming the file, the old file untouched,
// nothing left behind in the folder.
void VerifierEchec(const fs::path& dossier, const fs::path& cible, const std::string& ancien,
                   const std::vector<std::string>& nomsAvant, const std::string& raison) {
    std::string erreur;
    EXPECT_FALSE(EcrireAtomique(cible, "NOUVEAU CONTENU", erreur));
    EXPECT_NE(erreur.find("Impossible d'enregistrer le fichier"), std::string::npos) << erreur;
    EXPECT_NE(erreur.find(Utf8DepuisChemin(cible)), std::string::npos) << erreur;
    EXPECT_NE(erreur.find(raison), std::string::npos) << erreur;
    if (fs::is_regular_file(cible)) {
        EXPECT_EQ(Contenu(cible), ancien);
    }
    if (fs::is_directory(dossier)) {
        EXPECT_EQ(Noms(dossier), nomsAvant);
    }
}

TEST(EcrireAtomique, PannesSimuleesDeChaqueEtape) {
    using plateforme::Etape;
    struct Cas {
        Etape etape;
        int code;
        const char* raison;
    };
    const Cas cas[] = {
        {Etape::Creation, ENOSPC, "disque plein"},
        {Etape::Ecriture, ENOSPC, "disque plein"},
        {Etape::Synchronisation, ENOSPC, "disque plein"},
        {Etape::Synchronisation, EIO, "erreur d'entrée-sortie"},
        {Etape::Fermeture, ENOSPC, "disque plein"},
        {Etape::Renommage, EACCES, "permission refusée"},
        {Etape::Renommage, EXDEV, "support"},
    };
    const fs::path d = DossierNeuf("texte");
    const fs::path cible = d / "projet.ortix";
    const std::string ancien = "ancien\r\ncontenu\r\n";
    Poser(cible, ancien);
    // The seam is switched off again whatever happens in between.
    struct Panne {
        Panne(Etape e, int code) { plateforme::Simuler_Panne(e, code); }
        ~Panne() { plateforme::Simuler_Panne(Etape::Aucune, 0); }
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(static_cast<int>(c.etape));
        Panne panne(c.etape, c.code);
        VerifierEchec(d, cible, ancien, {"projet.ortix"}, c.raison);
    }
    std::string erreur;
    EXPECT_TRUE(EcrireAtomique(cible, "ok", erreur)) << erreur;
    EXPECT_EQ(Contenu(cible), "ok");
}

TEST(EcrireAtomique, CheminsImpossibles) {
    const fs::path d = DossierNeuf("texte");
    Poser(d / "fichier", "je suis un fichier");
    fs::create_directory(d / "dossier.dat");
    const std::vector<std::string> noms = {"dossier.dat", "fichier"};
    // Missing folder, a parent that is a regular file, a folder of the target's name.
    VerifierEchec(d, d / "absent" / "a.dat", "", noms, "introuvable");
    VerifierEchec(d, d / "fichier" / "a.dat", "", noms, "n'est pas un dossier");
    VerifierEchec(d, d / "dossier.dat", "", noms, "c'est un dossier");
    EXPECT_TRUE(fs::is_directory(d / "dossier.dat"));
    EXPECT_TRUE(fs::is_empty(d / "dossier.dat"));
    std::string erreur;
    EXPECT_FALSE(EcrireAtomique("", "x", erreur));
    EXPECT_FALSE(erreur.empty());
    EXPECT_FALSE(EcrireAtomique(d / "", "x", erreur));
}

TEST(EcrireAtomique, DossierEnLectureSeule) {
    const fs::path d = DossierNeuf("texte");
    const fs::path ro = d / "ro";
    fs::create_directory(ro);
    Poser(ro / "a.dat", "ancien");
    fs::permissions(ro, fs::perms::owner_read | fs::perms::owner_exec);
    // root is not stopped by permission bits: find out honestly before relying on them.
    const bool protege = !std::ofstream(ro / "essai").is_open();
    fs::remove(ro / "essai");
    if (protege) VerifierEchec(ro, ro / "a.dat", "ancien", {"a.dat"}, "permission refusée");
    fs::permissions(ro, fs::perms::owner_all);
    if (!protege) GTEST_SKIP() << "les droits du dossier n'arrêtent pas ce compte (root)";
}

#ifdef __linux__
TEST(EcrireAtomique, VraiDisquePlein) {
    const fs::path d = DossierNeuf("texte") / "petit";
    fs::create_directory(d);
    if (::mount("tmpfs", d.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "montage d'un petit tmpfs impossible ici";
    const fs::path cible = d / "profil.dat";
    Poser(cible, "ancien contenu");
    std::string erreur;
    const bool ok = EcrireAtomique(cible, std::string(256 * 1024, 'x'), erreur);
    const std::string relu = Contenu(cible);
    const auto noms = Noms(d);
    ::umount(d.c_str());
    EXPECT_FALSE(ok);
    EXPECT_NE(erreur.find("disque plein"), std::string::npos) << erreur;
    EXPECT_EQ(relu, "ancien contenu");
    EXPECT_EQ(noms, std::vector<std::string>{"profil.dat"});
}

// A support mounted read-only stops root too, where permission bits do not.
TEST(EcrireAtomique, SupportEnLectureSeule) {
    const fs::path d = DossierNeuf("texte") / "ro";
    fs::create_directory(d);
    if (::mount("tmpfs", d.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "montage d'un petit tmpfs impossible ici";
    Poser(d / "a.ortix", "ancien");
    if (::mount("tmpfs", d.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k") != 0) {
        ::umount(d.c_str());
        GTEST_SKIP() << "remontage en lecture seule impossible ici";
    }
    VerifierEchec(d, d / "a.ortix", "ancien", {"a.ortix"}, "lecture seule");
    ::umount(d.c_str());
}
#endif

TEST(LireFichier, EchecsNommentLeFichier) {
    const fs::path d = DossierNeuf("texte");
    std::string octets = "inchangé", erreur;
    EXPECT_FALSE(LireFichier(d / "absent.dat", octets, erreur));
    EXPECT_NE(erreur.find("absent.dat"), std::string::npos) << erreur;
    EXPECT_NE(erreur.find("introuvable"), std::string::npos) << erreur;
    EXPECT_FALSE(LireFichier(d, octets, erreur));
    EXPECT_NE(erreur.find("c'est un dossier"), std::string::npos) << erreur;
    EXPECT_EQ(octets, "inchangé");
    Poser(d / "vide.dat", "");
    EXPECT_TRUE(LireFichier(d / "vide.dat", octets, erreur));
    EXPECT_EQ(octets, "");
#ifndef _WIN32
    // A named pipe would keep the reader waiting for a writer for ever.
    octets = "inchangé";
    ASSERT_EQ(::mkfifo((d / "tube.dat").c_str(), 0600), 0);
    EXPECT_FALSE(LireFichier(d / "tube.dat", octets, erreur));
    EXPECT_NE(erreur.find("pas un fichier ordinaire"), std::string::npos) << erreur;
    EXPECT_EQ(octets, "inchangé");
#endif
}

} // namespace
} // namespace ortix::fichiers
