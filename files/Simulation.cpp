#include "files/Simulation.h"

#include "files/Citation.h"
#include "files/Dialectes.h"
#include "files/Encodage.h"
#include "files/LecteurChamps.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace ortix::fichiers {

namespace {

struct Mot {
    char lettre;
    double valeur;
};

double distance(Point2 a, Point2 b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y));
}

// The controller's state between lines, and each line read in turn.
class Controleur {
  public:
    Controleur(const ProfilMachine& p, const Decoupe& d)
        : p_(p), d_(d), g_(Dialecte_GCode(p.dialecte)) {}

    Resultat lire(std::string_view texte, Simulation& s) {
        const std::vector<std::string> lignes = Decouper_Lignes(texte);
        for (ligne_ = 1; ligne_ <= lignes.size(); ++ligne_)
            if (Resultat r = lireLigne(lignes[ligne_ - 1]); !r) return r;
        if (coupes_ + 1 != d_.positions.size())
            return Resultat::Refus("le fichier compte " + std::to_string(coupes_) +
                                   " mouvements de coupe pour " +
                                   std::to_string(d_.positions.size() - 1) + " prévus.");
        s = std::move(s_);
        return {};
    }

  private:
    Resultat lireLigne(const std::string& texte) {
        std::vector<Mot> mots;
        if (Resultat r = decouper(texte, mots); !r) return r;
        if (mots.empty()) return {};
        if (fin_) return refus("rien ne doit suivre M2");
        std::optional<double> f, pause;
        std::array<std::optional<double>, NombreAxes> axes;
        bool g4 = false;
        for (const Mot& m : mots) {
            const auto axe = std::find(p_.axes.begin(), p_.axes.end(), m.lettre);
            if (axe != p_.axes.end()) {
                axes[static_cast<std::size_t>(axe - p_.axes.begin())] = m.valeur;
            } else if (m.lettre == 'G' && (m.valeur == 0 || m.valeur == 1)) {
                rapide_ = m.valeur == 0;
                mode_ = true;
            } else if (m.lettre == 'G' && (m.valeur == 93 || m.valeur == 94)) {
                if (m.valeur == 93 && !g_.tempsInverse) return refus("G93 inconnu du contrôleur");
                tempsInverse_ = m.valeur == 93;
            } else if (m.lettre == 'G' && m.valeur == 4) {
                g4 = true;
            } else if (m.lettre == 'G' && (m.valeur == 17 || m.valeur == 21 || m.valeur == 90)) {
            } else if (m.lettre == 'M' && (m.valeur == 3 || m.valeur == 8)) {
                chaud_ = true;
            } else if (m.lettre == 'M' && (m.valeur == 5 || m.valeur == 9)) {
                chaud_ = false;
            } else if (m.lettre == 'M' && m.valeur == 2) {
                fin_ = true;
            } else if (m.lettre == 'F' && m.valeur > 0) {
                f = m.valeur;
            } else if (m.lettre == 'P' && m.valeur >= 0) {
                pause = m.valeur;
            } else if (m.lettre != 'S') {
                return refus("mot inattendu « " + std::string(1, m.lettre) + " »");
            }
        }
        if (g4 != pause.has_value()) return refus("G4 et P vont ensemble");
        if (pause) s_.duree += *pause * g_.secondesParP;
        if (f) f_ = *f;
        if (std::none_of(axes.begin(), axes.end(), [](auto& a) { return a.has_value(); }))
            return {};
        return deplacer(texte, axes, f.has_value());
    }

    // Words of a line, its comments and '%' lines left out.
    Resultat decouper(const std::string& texte, std::vector<Mot>& mots) const {
        std::string t;
        for (std::size_t i = 0; i < texte.size(); ++i) {
            const char c = texte[i];
            if (c == ';' && g_.dialecte != Dialecte::Mach3) break;
            if (c == '(' && g_.parentheses) {
                const std::size_t fin = texte.find(')', i);
                if (fin == std::string::npos) return refus("commentaire non fermé");
                i = fin;
            } else {
                t += c;
            }
        }
        if (g_.pourcent && t == "%") return {};
        for (std::size_t i = 0; i < t.size();) {
            if (Est_Blanc(t[i])) {
                ++i;
                continue;
            }
            const char lettre = t[i] >= 'a' && t[i] <= 'z' ? static_cast<char>(t[i] - 32) : t[i];
            const std::size_t debut = ++i;
            while (i < t.size() &&
                   std::string_view("+-.0123456789").find(t[i]) != std::string::npos)
                ++i;
            Mot m{lettre, 0};
            if (lettre < 'A' || lettre > 'Z' ||
                Lire_Nombre(std::string_view(t).substr(debut, i - debut), m.valeur) != Nombre::Lu)
                return refus("« " + Citation(t.substr(debut - 1, i - debut + 1)) +
                             " » n'est pas un mot de G-code");
            mots.push_back(m);
        }
        return {};
    }

    Resultat deplacer(const std::string& texte,
                      const std::array<std::optional<double>, NombreAxes>& axes, bool fSurLaLigne) {
        if (!mode_) return refus("un déplacement sans G0 ni G1");
        if (!position_ && std::any_of(axes.begin(), axes.end(), [](auto& a) { return !a; }))
            return refus("le premier déplacement doit placer les quatre axes");
        if (!rapide_ && tempsInverse_ && !fSurLaLigne)
            return refus("en temps inverse, chaque G1 porte son F");
        if (!rapide_ && !(f_ > 0)) return refus("un G1 sans avance");
        if (rapide_ && chaud_) return refus("un G0 fil chaud");
        std::array<double, NombreAxes> avant = position_.value_or(std::array<double, NombreAxes>{});
        std::array<double, NombreAxes> apres = avant, delta{};
        for (std::size_t a = 0; a < NombreAxes; ++a) {
            apres[a] = axes[a].value_or(avant[a]);
            delta[a] = apres[a] - avant[a];
        }
        if (!rapide_ && std::all_of(delta.begin(), delta.end(), [](double x) { return x == 0; }))
            return refus("un G1 qui ne déplace rien");
        MouvementSimule m;
        m.ligne = static_cast<int>(ligne_);
        m.texte = texte;
        m.coupe = !rapide_;
        for (const Extremite e : {Extremite::Emplanture, Extremite::Saumon}) {
            const std::size_t a = Premier_Axe(p_, e), k = e == Extremite::Emplanture ? 0 : 1;
            m.tour[k] = {apres[a], apres[a + 1]};
        }
        m.face = Fil_Sur_Faces(p_, d_.largeur, m.tour);
        if (m.coupe) {
            m.duree = tempsInverse_ ? 60 / f_ : Longueur_Avance(g_.regle, p_.axes, delta) * 60 / f_;
            for (std::size_t k = 0; k < 2; ++k)
                m.vitesse[k] =
                    position_ ? distance(m.face[k], s_.mouvements.back().face[k]) / m.duree : 0;
            const double rapport = std::max(m.vitesse[0], m.vitesse[1]) / d_.vitesse;
            s_.rapportMin = coupes_ ? std::min(s_.rapportMin, rapport) : rapport;
            s_.rapportMax = coupes_ ? std::max(s_.rapportMax, rapport) : rapport;
            s_.duree += m.duree;
            ++coupes_;
        }
        // Each cutting move reaches the next position; each rapid, the start.
        const std::size_t prevu = m.coupe ? coupes_ : 0;
        if (prevu >= d_.positions.size()) return refus("un mouvement de plus que prévu");
        for (std::size_t k = 0; k < 2; ++k)
            s_.ecartMax = std::max(s_.ecartMax, distance(m.face[k], d_.positions[prevu].fil[k]));
        position_ = apres;
        s_.mouvements.push_back(std::move(m));
        return {};
    }

    Resultat refus(const std::string& raison) const {
        return Resultat::Refus("ligne " + std::to_string(ligne_) + " : " + raison + ".");
    }

    const ProfilMachine& p_;
    const Decoupe& d_;
    const DialecteGCode& g_;
    Simulation s_;
    std::size_t ligne_ = 0, coupes_ = 0;
    std::optional<std::array<double, NombreAxes>> position_;
    bool mode_ = false, rapide_ = true, tempsInverse_ = false, chaud_ = false, fin_ = false;
    double f_ = 0;
};

} // namespace

Resultat Simuler_GCode(std::string_view texte, const ProfilMachine& p, const Decoupe& prevue,
                       Simulation& s) {
    return Controleur(p, prevue).lire(texte, s);
}

} // namespace ortix::fichiers
