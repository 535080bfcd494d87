#include "tests/support/Support.h"

#include "files/Projet.h"
#include "geometry/Planforme.h"
#include "geometry/Projection.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace ortix::essais {

fs::path Donnee(const std::string& relatif) {
    return fs::path(ORTIX_TEST_DATA) / relatif;
}

fs::path Dossier_Neuf(const std::string& nom) {
    fs::path d = fs::path(ORTIX_TEST_OUT) / nom;
    fs::remove_all(d);
    fs::create_directories(d);
    return d;
}

std::string Contenu(const fs::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

void Poser(const fs::path& chemin, const std::string& octets) {
    if (chemin.has_parent_path()) fs::create_directories(chemin.parent_path());
    std::ofstream(chemin, std::ios::binary) << octets;
}

fs::path Obtenu(const fs::path& modele) {
    return fs::path(ORTIX_TEST_OUT) / "obtenus" / modele.lexically_relative(ORTIX_TEST_DATA);
}

std::string Ecart_Au_Modele(const std::string& obtenu, const fs::path& modele) {
    const std::string attendu = Contenu(modele);
    const fs::path copie = Obtenu(modele);
    if (obtenu == attendu) {
        fs::remove(copie);
        return {};
    }
    Poser(copie, obtenu);
    std::istringstream a(attendu), o(obtenu);
    std::string la, lo, ecart;
    int n = 0, montres = 0;
    for (bool fa = true, fo = true; (fa || fo) && montres < 6;) {
        fa = static_cast<bool>(std::getline(a, la));
        fo = static_cast<bool>(std::getline(o, lo));
        ++n;
        if ((fa || fo) && (fa != fo || la != lo)) {
            ecart += "ligne " + std::to_string(n) + "\n  - " + (fa ? la : "(fin)") + "\n  + " +
                     (fo ? lo : "(fin)") + "\n";
            ++montres;
        }
    }
    return "diffère de " + modele.string() + " (obtenu : " + copie.string() + ")\n" + ecart;
}

Profil Naca(int n, double epaisseur, double cambrure) {
    const double pi = 4 * std::atan(1.0);
    auto demi = [&](double x) {
        return 5 * epaisseur *
               (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x -
                0.1036 * x * x * x * x);
    };
    Profil p;
    auto ajouter = [&](double x, double y) {
        p.x[static_cast<std::size_t>(p.n)] = x;
        p.y[static_cast<std::size_t>(p.n)] = y;
        ++p.n;
    };
    for (int i = 0; i < n; ++i) {
        const double x = (1 + std::cos(pi * i / (n - 1))) / 2;
        ajouter(x, 4 * cambrure * x * (1 - x) + demi(x));
    }
    for (int i = n - 2; i >= 0; --i) {
        const double x = (1 + std::cos(pi * i / (n - 1))) / 2;
        ajouter(x, 4 * cambrure * x * (1 - x) - demi(x));
    }
    return p;
}

std::unique_ptr<Modele> Panneau(const Profil& empl, const Profil& saum, const Champs& champs) {
    auto m = std::make_unique<Modele>();
    m->champs = champs;
    Poser_Profil(*m, Extremite::Emplanture, empl);
    Poser_Profil(*m, Extremite::Saumon, saum);
    Rafraichir_Panneau(*m);
    return m;
}

std::unique_ptr<Modele> Calcule(const std::string& projet) {
    auto p = std::make_unique<fichiers::Projet>();
    auto m = std::make_unique<Modele>();
    Vue vue;
    Resultat r = fichiers::Lire_Projet(Donnee(projet), *p);
    if (r) {
        fichiers::Appliquer_Projet(*m, *p);
        Rafraichir_Panneau(*m);
        r = Calculer_Profils_Projetes(*m, vue);
    }
    if (!r) throw std::runtime_error(projet + " : " + r.message());
    return m;
}

} // namespace ortix::essais
