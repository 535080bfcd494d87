// The batch command, run as a separate process on project files written into a
// fresh folder, and compared with the same steps taken in-process through the
// core: load, refresh, computation, candidate, proposed names, the three files.
#if defined(ORTIX_BATCH) && !defined(_WIN32)

#include "OutilsFichiers.h"
#include "model/Modele.h"
#include "model/Nombres.h"
#include "files/Projet.h"
#include "files/Sortie.h"
#include "files/Texte.h"
#include "geometry/Optimisation.h"
#include "geometry/Planforme.h"
#include "geometry/Projection.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

namespace ortix::fichiers {
namespace {

using essais::Contenu; using essais::Poser;

namespace fs = std::filesystem;

const fs::path Projets = fs::path(ORTIX_TEST_DATA) / "projets";
const fs::path Sorties = fs::path(ORTIX_TEST_OUT) / "batch";

// ---- files and folders --------------------------------------------------------

std::vector<std::string> Lignes(const std::string& texte) {
    std::vector<std::string> r;
    std::istringstream in(texte);
    for (std::string l; std::getline(in, l);)
        r.push_back(l);
    return r;
}

// aile1.ortix with some of its lines (1-based) replaced, as bytes: the project
// file is Windows-1252, so a name given here is given in that code page.
std::string Aile1(const std::map<int, std::string>& remplacees = {}) {
    const std::string source = Contenu(Projets / "aile1.ortix");
    std::string r;
    std::size_t debut = 0;
    for (int n = 1; debut < source.size(); ++n) {
        std::size_t fin = source.find("\r\n", debut);
        if (fin == std::string::npos) fin = source.size();
        const auto it = remplacees.find(n);
        r += it != remplacees.end() ? it->second : source.substr(debut, fin - debut);
        r += "\r\n";
        debut = fin + 2;
    }
    return r;
}

// Every regular file below `d`, as paths relative to it.
std::set<std::string> Arbre(const fs::path& d) {
    std::set<std::string> r;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(d, ec), fin; !ec && it != fin; it.increment(ec))
        if (it->is_regular_file(ec)) r.insert(fs::relative(it->path(), d).generic_string());
    return r;
}

// Entries whose name holds `mot`, below `d` (recursively or not).
std::vector<std::string> Contenant(const fs::path& d, const std::string& mot, bool recursif) {
    std::vector<std::string> r;
    std::error_code ec;
    if (recursif) {
        for (fs::recursive_directory_iterator it(d, ec), fin; !ec && it != fin; it.increment(ec))
            if (it->path().filename().string().find(mot) != std::string::npos)
                r.push_back(it->path().string());
    } else {
        for (fs::directory_iterator it(d, ec), fin; !ec && it != fin; it.increment(ec))
            if (it->path().filename().string().find(mot) != std::string::npos)
                r.push_back(it->path().string());
    }
    return r;
}

// One test's folders: `arbre` holds the projects and receives the outputs,
// `flux` the captured streams, outside the tree that the tests list.
struct Dossiers {
    fs::path racine, arbre, flux;
};

Dossiers DossiersNeufs() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    Dossiers d;
    d.racine = Sorties / (std::string(info->test_suite_name()) + "_" + info->name());
    fs::remove_all(d.racine);
    d.arbre = d.racine / "arbre";
    d.flux = d.racine / "flux";
    fs::create_directories(d.arbre);
    fs::create_directories(d.flux);
    return d;
}

// ---- running the command ----------------------------------------------------------

struct Execution {
    int code = -1;
    std::string sortie;
    std::string erreurs;
};

std::ostream& operator<<(std::ostream& os, const Execution& e) {
    return os << "code " << e.code << "\n--- sortie ---\n"
              << e.sortie << "--- erreurs ---\n"
              << e.erreurs;
}

// Runs ortix-batch with `args` from the folder `courant`, by default `flux`, so
// that nothing can land in the folder the tests run from; stdout and stderr go
// to files of `flux`, read back once the process has ended.
Execution Lancer(const fs::path& flux, const std::vector<std::string>& args,
                 const fs::path& courant = {}) {
    const std::string fSortie = (flux / "sortie.txt").string();
    const std::string fErreurs = (flux / "erreurs.txt").string();
    const std::string dossier = (courant.empty() ? flux : courant).string();
    std::vector<std::string> tous{ORTIX_BATCH};
    tous.insert(tous.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : tous)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    Execution e;
    const pid_t pid = fork();
    if (pid < 0) return e;
    if (pid == 0) {
        if (chdir(dossier.c_str()) != 0) _exit(126);
        const int o = open(fSortie.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int r = open(fErreurs.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (o < 0 || r < 0 || dup2(o, 1) < 0 || dup2(r, 2) < 0) _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int statut = 0;
    if (waitpid(pid, &statut, 0) == pid && WIFEXITED(statut)) e.code = WEXITSTATUS(statut);
    e.sortie = Contenu(fSortie);
    e.erreurs = Contenu(fErreurs);
    return e;
}

// ---- a minimal reader of the flat JSON objects the command prints ----------------

struct ValeurJson {
    bool texte = false;                // a string
    bool liste = false;                // an array of strings
    std::string valeur;                // a string's text, or a number as written
    std::vector<std::string> elements; // an array's strings
};

class LecteurJson {
  public:
    explicit LecteurJson(const std::string& s) : s_(s) {}

    bool objet(std::map<std::string, ValeurJson>& r) {
        if (!lit('{')) return false;
        if (lit('}')) return fin();
        do {
            std::string cle;
            ValeurJson v;
            if (!chaine(cle) || !lit(':') || !valeur(v) || r.count(cle)) return false;
            r[cle] = v;
        } while (lit(','));
        return lit('}') && fin();
    }

  private:
    bool fin() const { return i_ == s_.size(); }
    bool lit(char c) {
        if (i_ < s_.size() && s_[i_] == c) return ++i_, true;
        return false;
    }
    bool chaine(std::string& r) {
        if (!lit('"')) return false;
        while (i_ < s_.size() && s_[i_] != '"') {
            char c = s_[i_++];
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c == '\\') {
                if (i_ >= s_.size()) return false;
                switch (s_[i_++]) {
                case '"':
                    c = '"';
                    break;
                case '\\':
                    c = '\\';
                    break;
                case '/':
                    c = '/';
                    break;
                case 'n':
                    c = '\n';
                    break;
                case 'r':
                    c = '\r';
                    break;
                case 't':
                    c = '\t';
                    break;
                case 'u': {
                    // Only the control characters the command escapes this way.
                    if (i_ + 4 > s_.size() || s_.compare(i_, 2, "00") != 0) return false;
                    c = static_cast<char>(std::stoi(s_.substr(i_ + 2, 2), nullptr, 16));
                    i_ += 4;
                    break;
                }
                default:
                    return false;
                }
            }
            r += c;
        }
        return lit('"');
    }
    bool valeur(ValeurJson& v) {
        if (i_ < s_.size() && s_[i_] == '"') return v.texte = true, chaine(v.valeur);
        if (lit('[')) {
            v.liste = true;
            if (lit(']')) return true;
            do {
                std::string e;
                if (!chaine(e)) return false;
                v.elements.push_back(e);
            } while (lit(','));
            return lit(']');
        }
        const std::size_t debut = i_;
        if (i_ < s_.size() && s_[i_] == '-') ++i_;
        while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9')
            ++i_;
        v.valeur = s_.substr(debut, i_ - debut);
        return !v.valeur.empty() && v.valeur != "-";
    }

    const std::string& s_;
    std::size_t i_ = 0;
};

std::map<std::string, ValeurJson> Objet(const std::string& ligne) {
    std::map<std::string, ValeurJson> r;
    EXPECT_TRUE(LecteurJson(ligne).objet(r)) << "JSON illisible : " << ligne;
    return r;
}

TEST(LecteurJson, LitCeQueLaCommandeEcrit) {
    std::map<std::string, ValeurJson> o;
    ASSERT_TRUE(LecteurJson(R"({"a":"x\"y\\z\u001f","b":[],"c":["p","q"],"d":-12})").objet(o));
    EXPECT_EQ(o["a"].valeur, "x\"y\\z\x1f");
    EXPECT_TRUE(o["b"].liste && o["b"].elements.empty());
    EXPECT_EQ(o["c"].elements, (std::vector<std::string>{"p", "q"}));
    EXPECT_FALSE(o["d"].texte);
    EXPECT_EQ(o["d"].valeur, "-12");
    for (const char* faux :
         {R"({"a":"x")", R"({"a":"x"} )", R"({"a":1,"a":2})", R"({"a":})", "{\"a\":\"\n\"}"}) {
        std::map<std::string, ValeurJson> r;
        EXPECT_FALSE(LecteurJson(faux).objet(r)) << faux;
    }
}

// ---- the same steps in-process ----------------------------------------------------

// What the window and its dialogs give for one project file.
struct Reference {
    std::unique_ptr<Modele> m = std::make_unique<Modele>();
    CandidatsOpti candidats; // as the optimisation dialog shows them on opening
    NomsProposes noms;
    std::string erreur; // why the project was refused; empty when it was not
};

// Load as "Charger un projet", refresh and compute; then, when `hauteur` is
// given, write it into the tip height field and refresh and compute again, as an
// applied candidate does; then the names the output dialog proposes.
Reference Calculer(const fs::path& projet, const std::optional<std::string>& hauteur = {}) {
    Reference r;
    Modele& m = *r.m;
    Profils_Provisoires(m);
    Projet lu;
    if (!Lire_Projet(projet, lu, r.erreur)) return r;
    Appliquer_Projet(m, lu);
    Trace_Profil_Ini(m);
    ResultatCalcul calcul = Bt_Calc_Click(m);
    if (!calcul.ok) {
        r.erreur = calcul.message;
        return r;
    }
    r.candidats = Calcule_Candidats(m);
    if (hauteur) {
        m.champs.txt_href_saum = *hauteur;
        Trace_Profil_Ini(m);
        calcul = Bt_Calc_Click(m);
        if (!calcul.ok) {
            r.erreur = calcul.message;
            return r;
        }
    }
    r.noms =
        Propose_Noms(m.Txt_Nom_proj, m.finals.Txt_Corde_Final, m.finals.Txt_Lg_Final, m.finals);
    return r;
}

struct Fichiers {
    std::string data, empl, saum;
    bool operator==(const Fichiers&) const = default;
};

// The three files as Sauve_Fichiers writes them in-process, under the proposed names.
Fichiers Ecrits(const Reference& r, const fs::path& dossier) {
    fs::create_directories(dossier);
    std::string erreur;
    EXPECT_TRUE(Sauve_Fichiers(*r.m, dossier / r.noms.Txt_Nom_Fich_Empl,
                               dossier / r.noms.Txt_Nom_Fich_Saum,
                               dossier / r.noms.Txt_Nom_Fich_Data, r.noms.Txt_Nom_Fich_Empl,
                               r.noms.Txt_Nom_Fich_Saum, erreur))
        << erreur;
    return {Contenu(dossier / r.noms.Txt_Nom_Fich_Data),
            Contenu(dossier / r.noms.Txt_Nom_Fich_Empl),
            Contenu(dossier / r.noms.Txt_Nom_Fich_Saum)};
}

Fichiers Lus(const Reference& r, const fs::path& dossier) {
    return {Contenu(dossier / r.noms.Txt_Nom_Fich_Data),
            Contenu(dossier / r.noms.Txt_Nom_Fich_Empl),
            Contenu(dossier / r.noms.Txt_Nom_Fich_Saum)};
}

// The paths the command prints for a project written into `dossier`: data file,
// root profile, tip profile, the order in which they are written.
std::vector<std::string> Chemins(const Reference& r, const fs::path& dossier) {
    return {(dossier / r.noms.Txt_Nom_Fich_Data).string(),
            (dossier / r.noms.Txt_Nom_Fich_Empl).string(),
            (dossier / r.noms.Txt_Nom_Fich_Saum).string()};
}

std::set<std::string> Relatifs(const Reference& r, const std::string& prefixe) {
    return {prefixe + r.noms.Txt_Nom_Fich_Data, prefixe + r.noms.Txt_Nom_Fich_Empl,
            prefixe + r.noms.Txt_Nom_Fich_Saum};
}

// Every key of a --json line against the in-process model and candidates.
void ComparerJson(const std::map<std::string, ValeurJson>& o, const std::string& projet,
                  const Reference& r, const fs::path& dossier) {
    const Modele& m = *r.m;
    const Finals& f = m.finals;
    const std::map<std::string, std::string> textes = {
        {"project", projet},
        {"name", m.Txt_Nom_proj},
        {"Txt_Lg_Final", f.Txt_Lg_Final},
        {"Txt_Fleche_Final", f.Txt_Fleche_Final},
        {"Txt_Corde_Final", f.Txt_Corde_Final},
        {"Txt_Href_Empl_final", f.Txt_Href_Empl_final},
        {"Txt_Href_Saum_final", f.Txt_Href_Saum_final},
        {"Txt_Vrill_Empl_Final", f.Txt_Vrill_Empl_Final},
        {"Txt_Vrill_Saum_Final", f.Txt_Vrill_Saum_Final},
        {"Label32", m.Label32},
        {"Txt_NOP", r.candidats.Txt_NOP},
        {"Txt_Align", r.candidats.Txt_Align},
        {"txt_int", r.candidats.txt_int},
        {"txt_ext", r.candidats.txt_ext},
    };
    const std::map<std::string, std::string> nombres = {
        {"Nb_Pts_Empl_Proj", std::to_string(m.Nb_Pts_Empl_Proj)},
        {"Nb_Pts_Saum_Proj", std::to_string(m.Nb_Pts_Saum_Proj)},
    };
    EXPECT_EQ(o.size(), textes.size() + nombres.size() + 1) << "clés en trop ou manquantes";
    for (const auto& [cle, attendu] : textes) {
        const auto it = o.find(cle);
        ASSERT_NE(it, o.end()) << cle;
        EXPECT_TRUE(it->second.texte) << cle;
        EXPECT_EQ(it->second.valeur, attendu) << cle;
    }
    for (const auto& [cle, attendu] : nombres) {
        const auto it = o.find(cle);
        ASSERT_NE(it, o.end()) << cle;
        EXPECT_FALSE(it->second.texte || it->second.liste) << cle;
        EXPECT_EQ(it->second.valeur, attendu) << cle;
    }
    const auto it = o.find("files");
    ASSERT_NE(it, o.end());
    EXPECT_TRUE(it->second.liste);
    EXPECT_EQ(it->second.elements, Chemins(r, dossier));
}

// ---- exit status ---------------------------------------------------------------------

TEST(OrtixBatch, AideDecritChaqueOption) {
    const Dossiers d = DossiersNeufs();
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--help"}, {"--json", "--help"}, {"-h"}}) {
        const Execution e = Lancer(d.flux, args);
        EXPECT_EQ(e.code, 0) << e;
        EXPECT_EQ(e.erreurs, "");
        for (const char* option : {"--json", "-o", "--opti", "keep", "align", "blend=P", "--help",
                                   "PROJET", "Code de sortie"})
            EXPECT_NE(e.sortie.find(option), std::string::npos) << option << "\n" << e;
    }
    // After "--" it is a project file like any other.
    const Execution e = Lancer(d.flux, {"--", "--help"});
    EXPECT_EQ(e.code, 1) << e;
    EXPECT_EQ(e.sortie, "");
    EXPECT_NE(e.erreurs.find("projet « --help »"), std::string::npos) << e;
}

TEST(OrtixBatch, ErreursDUtilisationSansRienEcrire) {
    const Dossiers d = DossiersNeufs();
    const std::string projet = (d.arbre / "aile1.ortix").string();
    Poser(projet, Aile1());
    const std::string sortie = (d.arbre / "sortie").string();
    fs::create_directories(sortie);
    const std::set<std::string> avant = Arbre(d.arbre);

    const struct {
        std::vector<std::string> args;
        const char* motif; // a piece of the French message on stderr
    } cas[] = {
        {{}, "aucun fichier projet"},
        {{"--json"}, "aucun fichier projet"},
        {{"-o", sortie}, "aucun fichier projet"},
        {{"--inconnue", projet}, "option inconnue : « --inconnue »"},
        {{projet, "-x"}, "option inconnue : « -x »"},
        {{projet, "-o"}, "l'option -o attend un dossier"},
        {{"-o", "", projet}, "l'option -o attend un dossier"},
        {{projet, "--opti"}, "l'option --opti attend"},
        {{"--opti", "blend=101", projet}, "« blend=101 »"},
        {{"--opti", "blend=1000", projet}, "« blend=1000 »"},
        {{"--opti", "blend=-1", projet}, "« blend=-1 »"},
        {{"--opti", "blend=x", projet}, "« blend=x »"},
        {{"--opti", "blend=", projet}, "« blend= »"},
        {{"--opti", "blend=5.5", projet}, "« blend=5.5 »"},
        {{"--opti", "blend=99999999999999999999", projet}, "« blend=99999999999999999999 »"},
        {{"--opti", "foo", projet}, "« foo »"},
        {{"--opti", "Keep", projet}, "« Keep »"},
    };
    for (const auto& c : cas) {
        std::string titre;
        for (const std::string& a : c.args)
            titre += a + " ";
        const Execution e = Lancer(d.flux, c.args);
        EXPECT_EQ(e.code, 2) << titre << "\n" << e;
        EXPECT_EQ(e.sortie, "") << titre;
        EXPECT_EQ(e.erreurs.rfind("ortix-batch : ", 0), 0u) << titre << "\n" << e;
        EXPECT_NE(e.erreurs.find(c.motif), std::string::npos) << titre << "\n" << e;
        EXPECT_NE(e.erreurs.find("Usage"), std::string::npos) << titre << "\n" << e;
        EXPECT_EQ(Arbre(d.arbre), avant) << titre;
    }
}

// Good and bad projects on one command line: the good ones are written whatever
// comes before or after them; each bad one gets its French line on stderr.
TEST(OrtixBatch, CodeDeSortieEtProjetsRefuses) {
    const Dossiers d = DossiersNeufs();
    const fs::path dossier = d.arbre / "p";
    const fs::path bon = dossier / "aile1.ortix";
    const fs::path bon2 = dossier / "aile2.ortix";
    const fs::path refuse = dossier / "reference.ortix";
    const fs::path nul = dossier / "longueur_nulle.ortix";
    const fs::path absent = dossier / "absent.ortix";
    const fs::path vide = dossier / "vide.ortix";
    Poser(bon, Aile1());
    Poser(bon2, Aile1({{2, "Aile2"}}));
    Poser(refuse, Contenu(Projets / "reference.ortix"));
    Poser(nul, Aile1({{3, "0"}}));
    Poser(vide, "");
    const Reference r1 = Calculer(bon), r2 = Calculer(bon2);
    ASSERT_EQ(r1.erreur, "");
    ASSERT_EQ(r2.erreur, "");
    const Fichiers f1 = Ecrits(r1, d.racine / "attendu1"), f2 = Ecrits(r2, d.racine / "attendu2");

    // The cause the window would give for each refused project.
    std::map<fs::path, std::string> causes;
    for (const fs::path& p : {refuse, nul, absent, vide}) {
        causes[p] = Calculer(p).erreur;
        ASSERT_NE(causes[p], "") << p;
    }

    const struct {
        std::vector<fs::path> projets;
        int code;
    } cas[] = {
        {{bon}, 0},
        {{bon, bon2}, 0},
        {{bon, refuse}, 1},
        {{refuse, bon}, 1},
        {{bon, nul, bon2}, 1},
        {{absent, bon}, 1},
        {{bon, vide}, 1},
        {{refuse, nul, absent, vide}, 1},
    };
    for (const auto& c : cas) {
        for (const std::string& n : Arbre(dossier))
            if (n.find(".ortix") == std::string::npos) fs::remove(dossier / n);
        std::vector<std::string> args;
        std::set<std::string> attendus;
        std::vector<std::string> lignes;
        std::vector<std::string> refuses;
        std::string titre;
        for (const fs::path& p : c.projets) {
            args.push_back(p.string());
            titre += p.filename().string() + " ";
            const Reference* r = p == bon ? &r1 : p == bon2 ? &r2 : nullptr;
            if (r) {
                attendus.merge(Relatifs(*r, ""));
                for (const std::string& l : Chemins(*r, dossier))
                    lignes.push_back(l);
            } else {
                refuses.push_back(p.string());
            }
        }
        for (const std::string& n : Arbre(dossier))
            if (n.find(".ortix") != std::string::npos) attendus.insert(n);

        const Execution e = Lancer(d.flux, args);
        EXPECT_EQ(e.code, c.code) << titre << "\n" << e;
        EXPECT_EQ(Lignes(e.sortie), lignes) << titre;
        EXPECT_EQ(Arbre(dossier), attendus) << titre;
        if (std::find(c.projets.begin(), c.projets.end(), bon) != c.projets.end()) {
            EXPECT_EQ(Lus(r1, dossier), f1) << titre;
        }
        if (std::find(c.projets.begin(), c.projets.end(), bon2) != c.projets.end()) {
            EXPECT_EQ(Lus(r2, dossier), f2) << titre;
        }

        // One line per refused project, in order, naming it and saying why.
        const std::vector<std::string> erreurs = Lignes(e.erreurs);
        ASSERT_EQ(erreurs.size(), refuses.size()) << titre << "\n" << e;
        for (std::size_t i = 0; i < refuses.size(); ++i) {
            EXPECT_NE(erreurs[i].find("projet « " + refuses[i] + " »"), std::string::npos)
                << erreurs[i];
            EXPECT_NE(erreurs[i].find(causes[refuses[i]]), std::string::npos) << erreurs[i];
        }
    }
}

// ---- plain output -------------------------------------------------------------------

TEST(OrtixBatch, UneLigneParFichierDansLeDossierDuProjet) {
    const Dossiers d = DossiersNeufs();
    const fs::path p1 = d.arbre / "un" / "aile1.ortix";
    const fs::path p2 = d.arbre / "deux" / "aile2.ortix";
    Poser(p1, Aile1());
    Poser(p2, Aile1({{2, "Aile2"}, {4, "0"}}));
    const Reference r1 = Calculer(p1), r2 = Calculer(p2);
    ASSERT_EQ(r1.erreur, "");
    ASSERT_EQ(r2.erreur, "");

    const Execution e = Lancer(d.flux, {p1.string(), p2.string()});
    ASSERT_EQ(e.code, 0) << e;
    EXPECT_EQ(e.erreurs, "");
    std::vector<std::string> attendu = Chemins(r1, p1.parent_path());
    for (const std::string& l : Chemins(r2, p2.parent_path()))
        attendu.push_back(l);
    EXPECT_EQ(Lignes(e.sortie), attendu);
    EXPECT_EQ(r1.noms.Txt_Nom_Fich_Data, "Aile1_Data_Troncon.txt");
    EXPECT_EQ(r2.noms.Txt_Nom_Fich_Data, "Aile2_Data_Troncon.txt");

    std::set<std::string> fichiers = Relatifs(r1, "un/");
    fichiers.merge(Relatifs(r2, "deux/"));
    fichiers.insert({"un/aile1.ortix", "deux/aile2.ortix"});
    EXPECT_EQ(Arbre(d.arbre), fichiers);

    // Byte for byte what the output dialog writes.
    EXPECT_EQ(Lus(r1, p1.parent_path()), Ecrits(r1, d.racine / "attendu1"));
    EXPECT_EQ(Lus(r2, p2.parent_path()), Ecrits(r2, d.racine / "attendu2"));
}

TEST(OrtixBatch, ProjetSansDossierEcritDansLeDossierCourant) {
    const Dossiers d = DossiersNeufs();
    Poser(d.arbre / "aile1.ortix", Aile1());
    const Reference r = Calculer(d.arbre / "aile1.ortix");
    ASSERT_EQ(r.erreur, "");

    const Execution e = Lancer(d.flux, {"aile1.ortix"}, d.arbre);
    ASSERT_EQ(e.code, 0) << e;
    std::set<std::string> attendus = Relatifs(r, "");
    attendus.insert("aile1.ortix");
    EXPECT_EQ(Arbre(d.arbre), attendus);
    const std::vector<std::string> lignes = Lignes(e.sortie);
    ASSERT_EQ(lignes.size(), 3u) << e;
    const std::vector<std::string> chemins = Chemins(r, d.arbre);
    for (std::size_t i = 0; i < 3; ++i) {
        std::error_code ec;
        EXPECT_TRUE(fs::equivalent(d.arbre / lignes[i], chemins[i], ec)) << lignes[i];
    }
}

TEST(OrtixBatch, DossierDeSortieChoisi) {
    const Dossiers d = DossiersNeufs();
    const fs::path projet = d.arbre / "p" / "aile1.ortix";
    const fs::path sortie = d.arbre / "sortie";
    Poser(projet, Aile1());
    fs::create_directories(sortie);
    const Reference r = Calculer(projet);
    ASSERT_EQ(r.erreur, "");

    Execution e = Lancer(d.flux, {"-o", sortie.string(), projet.string()});
    ASSERT_EQ(e.code, 0) << e;
    EXPECT_EQ(Lignes(e.sortie), Chemins(r, sortie));
    std::set<std::string> attendus = Relatifs(r, "sortie/");
    attendus.insert("p/aile1.ortix");
    EXPECT_EQ(Arbre(d.arbre), attendus);
    EXPECT_EQ(Lus(r, sortie), Ecrits(r, d.racine / "attendu"));

    // A folder that does not exist is not created: the project fails.
    const fs::path absent = d.arbre / "absent";
    e = Lancer(d.flux, {"-o", absent.string(), projet.string()});
    EXPECT_EQ(e.code, 1) << e;
    EXPECT_EQ(e.sortie, "");
    EXPECT_NE(e.erreurs.find("projet « " + projet.string() + " »"), std::string::npos) << e;
    EXPECT_FALSE(fs::exists(absent));
    EXPECT_EQ(Arbre(d.arbre), attendus);
}

// ---- --json ----------------------------------------------------------------------------

TEST(OrtixBatch, JsonUneLigneParProjetReussi) {
    const Dossiers d = DossiersNeufs();
    const fs::path p1 = d.arbre / "aile1.ortix";
    // A name with quotes and accents (Windows-1252 in the file) exercises the escapes.
    const fs::path p2 = d.arbre / "guillemets.ortix";
    const fs::path p3 = d.arbre / "reference.ortix";
    Poser(p1, Aile1());
    Poser(p2, Aile1({{2, "Aile \"q\" \xE9t\xE9"}}));
    Poser(p3, Contenu(Projets / "reference.ortix"));
    const Reference r1 = Calculer(p1), r2 = Calculer(p2);
    ASSERT_EQ(r1.erreur, "");
    ASSERT_EQ(r2.erreur, "");

    const fs::path sortie = d.arbre / "sortie";
    fs::create_directories(sortie);
    const Execution e =
        Lancer(d.flux, {"--json", p1.string(), p3.string(), "-o", sortie.string(), p2.string()});
    EXPECT_EQ(e.code, 1) << e;
    EXPECT_NE(e.erreurs.find("projet « " + p3.string() + " »"), std::string::npos) << e;
    const std::vector<std::string> lignes = Lignes(e.sortie);
    ASSERT_EQ(lignes.size(), 2u) << e;
    const auto o1 = Objet(lignes[0]);
    const auto o2 = Objet(lignes[1]);
    ComparerJson(o1, p1.string(), r1, sortie);
    ComparerJson(o2, p2.string(), r2, sortie);
    EXPECT_EQ(o2.at("name").valeur, "Aile \"q\" \xC3\xA9t\xC3\xA9");
    EXPECT_EQ(Lus(r1, sortie), Ecrits(r1, d.racine / "attendu1"));
    EXPECT_EQ(Lus(r2, sortie), Ecrits(r2, d.racine / "attendu2"));

    // Figures checked by hand for L = 600, F = 180, He = 12, Ce = 300, Te = 2,
    // Hs = 25, Cs = 150, Ts = -1.5: the rotation is atan(180/600) = 16.70°, the
    // final sweep is nil, and the aligned height is
    // 12 − 300·sin 2° + 150·sin(−1.5°) = 12 − 10.470 − 3.927 = −2.40.
    const struct {
        const char* cle;
        const char* valeur;
    } aLaMain[] = {
        {"name", "Aile1"},
        {"Label32", "Position après rotation de 16.7°"},
        {"Txt_Fleche_Final", "0.00"},
        {"Txt_Href_Empl_final", "12.00"},
        {"Txt_NOP", "25.00"},
        {"Txt_Align", "-2.40"},
    };
    for (const auto& c : aLaMain)
        EXPECT_EQ(o1.at(c.cle).valeur, c.valeur) << c.cle;
    EXPECT_EQ(o1.at("files").elements[0], (sortie / "Aile1_Data_Troncon.txt").string());
}

// ---- --opti --------------------------------------------------------------------------

// The tip height an applied candidate writes into txt_href_saum: the candidate's
// text read and formatted "#0.00", as the dialog's buttons do.
std::string Appliquee(const std::string& candidat) {
    return Format(Val(candidat), "#0.00");
}

// The slider's blend, worked out here from the two texts as shown.
std::string Curseur(const CandidatsOpti& c, int P) {
    const double I = Val(c.txt_int), E = Val(c.txt_ext);
    return Format(I + (E - I) * P / 100, "#0.00");
}

TEST(OrtixBatch, OptiAppliqueLeCandidatAvantDEcrire) {
    const Dossiers d = DossiersNeufs();
    // A tip height of four decimals: keeping it writes it back with two.
    const fs::path projet = d.arbre / "aile1.ortix";
    Poser(projet, Aile1({{11, "25.0049"}}));
    const Reference base = Calculer(projet);
    ASSERT_EQ(base.erreur, "");
    const CandidatsOpti& c = base.candidats;
    ASSERT_EQ(c.Txt_NOP, "25.00");
    ASSERT_NE(c.txt_int, "");
    ASSERT_NE(c.txt_ext, "");
    const Fichiers sansOpti = Ecrits(base, d.racine / "sans_opti");

    const struct {
        const char* opti;
        std::string candidat;
    } cas[] = {
        {"keep", c.Txt_NOP},      {"align", c.Txt_Align},       {"blend=0", c.txt_int},
        {"blend=100", c.txt_ext}, {"blend=50", Curseur(c, 50)}, {"blend=37", Curseur(c, 37)},
    };
    int n = 0;
    for (const auto& k : cas) {
        const std::string hauteur = Appliquee(k.candidat);
        const Reference r = Calculer(projet, hauteur);
        ASSERT_EQ(r.erreur, "") << k.opti;
        const fs::path attendu = d.racine / ("attendu" + std::to_string(n));
        const fs::path sortie = d.arbre / ("sortie" + std::to_string(n++));
        fs::create_directories(sortie);
        const Fichiers fichiers = Ecrits(r, attendu);
        // Otherwise the comparisons below could not tell an applied candidate from none.
        ASSERT_NE(fichiers.saum, sansOpti.saum) << k.opti;

        const Execution e =
            Lancer(d.flux, {"--opti", k.opti, "--json", "-o", sortie.string(), projet.string()});
        ASSERT_EQ(e.code, 0) << k.opti << "\n" << e;
        const std::vector<std::string> lignes = Lignes(e.sortie);
        ASSERT_EQ(lignes.size(), 1u) << e;
        const auto o = Objet(lignes[0]);
        // The figures after the application; the candidates as shown on opening.
        ComparerJson(o, projet.string(), r, sortie);
        EXPECT_EQ(o.at("Txt_NOP").valeur, c.Txt_NOP) << k.opti;
        EXPECT_EQ(o.at("Txt_Href_Saum_final").valeur, r.m->finals.Txt_Href_Saum_final);
        EXPECT_EQ(Lus(r, sortie), fichiers) << k.opti;

        const std::vector<std::string> saum = Lignes(Contenu(sortie / r.noms.Txt_Nom_Fich_Saum));
        ASSERT_FALSE(saum.empty());
        EXPECT_NE(saum[0].find("mm - Href " + o.at("Txt_Href_Saum_final").valeur + "mm"),
                  std::string::npos)
            << saum[0];
    }
}

// A tip whose last two points stand one above the other has no lower-surface
// candidate: it shows as an empty text, and a blend needing it refuses the project.
TEST(OrtixBatch, CandidatNonDefini) {
    const Dossiers d = DossiersNeufs();
    const fs::path projet = d.arbre / "vertical.ortix";
    const int n = static_cast<int>(Lignes(Aile1()).size());
    Poser(projet, Aile1({{12, "0"}, {n - 1, "1.000000  0.000210"}}));
    const Reference base = Calculer(projet);
    ASSERT_EQ(base.erreur, "");
    ASSERT_EQ(base.candidats.txt_int, "");
    ASSERT_NE(base.candidats.txt_ext, "");

    const struct {
        const char* opti;
        int code;
    } cas[] = {{"blend=0", 1}, {"blend=100", 1}, {"blend=50", 1}, {"align", 0}, {"keep", 0}};
    for (const auto& k : cas) {
        const fs::path sortie = d.arbre / (std::string("sortie_") + k.opti);
        fs::create_directories(sortie);
        const Execution e =
            Lancer(d.flux, {"--json", "--opti", k.opti, "-o", sortie.string(), projet.string()});
        EXPECT_EQ(e.code, k.code) << k.opti << "\n" << e;
        if (k.code == 1) {
            EXPECT_EQ(e.sortie, "");
            EXPECT_NE(e.erreurs.find("projet « " + projet.string() + " »"), std::string::npos) << e;
            EXPECT_TRUE(Arbre(sortie).empty()) << k.opti;
        } else {
            const std::vector<std::string> lignes = Lignes(e.sortie);
            ASSERT_EQ(lignes.size(), 1u) << e;
            const auto o = Objet(lignes[0]);
            EXPECT_EQ(o.at("txt_int").valeur, "");
            EXPECT_EQ(o.at("txt_ext").valeur, base.candidats.txt_ext);
            const std::string candidat =
                std::string(k.opti) == "align" ? base.candidats.Txt_Align : base.candidats.Txt_NOP;
            const Reference r = Calculer(projet, Appliquee(candidat));
            ComparerJson(o, projet.string(), r, sortie);
            EXPECT_EQ(Lus(r, sortie), Ecrits(r, d.racine / "attendu"));
        }
    }
}

// ---- names that would leave the folder ------------------------------------------------

TEST(OrtixBatch, NomQuiSortDuDossierRefuse) {
    const Dossiers d = DossiersNeufs();
    // Projects two levels down, so that "../../" would land in the tree, and a
    // folder "a" beside them, so that "a/b" would be writable.
    const fs::path dossier = d.arbre / "p" / "q";
    const fs::path bon = dossier / "aile1.ortix";
    const fs::path bon2 = dossier / "aile2.ortix";
    Poser(bon, Aile1());
    Poser(bon2, Aile1({{2, "Aile2"}}));
    fs::create_directories(dossier / "a");
    fs::create_directories(d.arbre / "o" / "p" / "a");
    const Reference r1 = Calculer(bon), r2 = Calculer(bon2);
    ASSERT_EQ(r1.erreur, "");

    const struct {
        const char* nom;
        bool sortieChoisie; // -o, rather than the project's folder
        bool json;
    } cas[] = {
        {"../../evil", false, false}, {"../../evil", false, true}, {"../../evil", true, false},
        {"../evil", false, false},    {"a/evil", false, true},     {"a/evil", true, false},
        {"a\\evil", false, false},    {"/tmp/evil", false, false},
    };
    int n = 0;
    for (const auto& c : cas) {
        const fs::path fuite = dossier / ("fuite" + std::to_string(n++) + ".ortix");
        Poser(fuite, Aile1({{2, c.nom}}));
        const fs::path cible = c.sortieChoisie ? d.arbre / "o" / "p" : dossier;
        const std::string prefixe = c.sortieChoisie ? "o/p/" : "p/q/";
        std::set<std::string> attendus = Arbre(d.arbre);
        attendus.merge(Relatifs(r1, prefixe));
        attendus.merge(Relatifs(r2, prefixe));

        std::vector<std::string> args;
        if (c.json) args.push_back("--json");
        if (c.sortieChoisie) args.insert(args.end(), {"-o", cible.string()});
        args.insert(args.end(), {bon.string(), fuite.string(), bon2.string()});
        const Execution e = Lancer(d.flux, args);
        EXPECT_EQ(e.code, 1) << c.nom << "\n" << e;
        const std::vector<std::string> lignes = Lignes(e.sortie);
        EXPECT_EQ(lignes.size(), c.json ? 2u : 6u) << c.nom << "\n" << e;
        const std::vector<std::string> erreurs = Lignes(e.erreurs);
        ASSERT_EQ(erreurs.size(), 1u) << e;
        EXPECT_NE(erreurs[0].find("projet « " + fuite.string() + " »"), std::string::npos)
            << erreurs[0];
        EXPECT_NE(erreurs[0].find(c.nom), std::string::npos) << erreurs[0];
        EXPECT_NE(erreurs[0].find("refusé"), std::string::npos) << erreurs[0];
        EXPECT_EQ(Arbre(d.arbre), attendus) << c.nom;
    }
    // Nothing named after the escaping project anywhere around the tree.
    EXPECT_EQ(Contenant(Sorties, "evil", true), std::vector<std::string>{});
    EXPECT_EQ(Contenant(fs::path(ORTIX_TEST_OUT), "evil", false), std::vector<std::string>{});
    EXPECT_EQ(Contenant(fs::path(ORTIX_TEST_OUT).parent_path(), "evil", false),
              std::vector<std::string>{});
    EXPECT_EQ(Contenant("/tmp", "evil_", false), std::vector<std::string>{});
}

} // namespace
} // namespace ortix::fichiers

#endif
