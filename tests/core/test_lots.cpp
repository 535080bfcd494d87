// The batch command on the projects of tests/data/lots: for each case of
// cas.txt, its exit status, its report, its error output and every file it
// writes must be, byte for byte, the case's golden transcript. The golden files
// were checked against an independent implementation of the computation.
#include "files/Chemins.h"
#include "files/Date.h"
#include "files/GabaritPDF.h"
#include "tests/support/Support.h"
#include "tools/Lot.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

namespace ortix::essais {
namespace {

// `texte` with every occurrence of `de` replaced by `par`.
std::string Remplacer(std::string texte, const std::string& de, const std::string& par) {
    for (std::size_t i = 0; (i = texte.find(de, i)) != std::string::npos; i += par.size())
        texte.replace(i, de.size(), par);
    return texte;
}

// Runs one case and writes down everything it gave, in a fixed order.
std::string Transcription(const std::string& nom, const std::vector<std::string>& options) {
    const fs::path sortie = Dossier_Neuf("lots/" + nom);
    const std::string projets = Donnee("lots/projets").string();
    std::vector<std::string> arguments = {"ortix-batch", "-o", sortie.string()};
    for (const std::string& o : options)
        arguments.push_back(o.ends_with(".ortix") ? projets + "/" + o : o);
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
         {std::pair{sortie.string(), "@SORTIE@"}, {projets, "@PROJETS@"}})
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
#endif

} // namespace
} // namespace ortix::essais
