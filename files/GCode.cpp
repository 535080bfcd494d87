#include "files/GCode.h"

#include "files/Dialectes.h"
#include "files/Encodage.h"
#include "files/FichierMachine.h"
#include "model/Nombres.h"

#include <algorithm>
#include <cmath>

namespace ortix::fichiers {

namespace {

// Accented letters of the program's texts as ASCII, for controllers that read
// nothing else in a comment.
constexpr std::pair<char32_t, const char*> Translitteration[] = {
    {U'à', "a"},    {U'â', "a"},  {U'ä', "a"},  {U'é', "e"}, {U'è', "e"}, {U'ê', "e"}, {U'ë', "e"},
    {U'î', "i"},    {U'ï', "i"},  {U'ô', "o"},  {U'ö', "o"}, {U'ù', "u"}, {U'û', "u"}, {U'ü', "u"},
    {U'ç', "c"},    {U'œ', "oe"}, {U'æ', "ae"}, {U'À', "A"}, {U'Â', "A"}, {U'É', "E"}, {U'È', "E"},
    {U'Ê', "E"},    {U'Î', "I"},  {U'Ô', "O"},  {U'Ù', "U"}, {U'Û', "U"}, {U'Ç', "C"}, {U'Œ', "OE"},
    {U'°', " deg"}, {U'«', "\""}, {U'»', "\""}, {U'’', "'"}, {U'′', "'"}};

// A comment's text in printable ASCII: accents dropped, parentheses (which
// would end a comment) as brackets, anything else as '?'.
std::string ascii(std::string_view texte) {
    std::string r;
    for (std::size_t i = 0; i < texte.size();) {
        char32_t c = 0;
        const std::size_t n = Lire_Utf8(texte, i, c);
        i += n ? n : 1;
        if (n == 0) c = U'?';
        if (c == U'(' || c == U')') {
            r += c == U'(' ? '[' : ']';
        } else if (c >= 0x20 && c < 0x7F) {
            r += static_cast<char>(c);
        } else {
            const auto t = std::find_if(std::begin(Translitteration), std::end(Translitteration),
                                        [&](const auto& e) { return e.first == c; });
            r += t != std::end(Translitteration) ? t->second : "?";
        }
    }
    return r;
}

std::string mm(double v) {
    return Format(v, "#0.00") + " mm";
}

// Six significant digits: a relative error below 1e-5.
std::string six(double v) {
    int decimales = 5; // for v from 1 to 10
    for (double p = 10; p <= v && decimales > 0; p *= 10)
        --decimales;
    for (double p = 1; p > v && decimales < 15; p /= 10)
        ++decimales;
    return Format(v, "#0." + std::string(static_cast<std::size_t>(decimales), '0'));
}

// Comments are cut into lines of at most this many characters, between words
// (the two blanks that open a following line excepted): some controllers keep a
// whole line, comment included, in a short buffer.
constexpr std::size_t LargeurCommentaire = 72;

class Ecrivain {
  public:
    Ecrivain(const Modele& m, const ProfilMachine& p, const Decoupe& d)
        : m_(m), p_(p), d_(d), g_(Dialecte_GCode(p.dialecte)) {}

    ProgrammeGCode ecrire(const std::string& date) {
        if (g_.pourcent) ligne("%");
        entete(date);
        ligne(std::string(g_.preambule));
        if (g_.tempsInverse) ligne("G94"); // a controller without G93 has no other mode
        const std::vector<PositionFil>& q = d_.positions;
        deplacement("G0", q[0], "", true);
        chauffer(true);
        pause(d_.prechauffe);
        if (p_.avance == Avance::G93) ligne("G93");
        for (std::size_t j = 1; j < q.size(); ++j) {
            deplacement("G1", q[j], " F" + six(avance(q[j - 1], q[j])), true);
            pause(q[j].pause);
        }
        if (p_.avance == Avance::G93) ligne("G94");
        chauffer(false);
        deplacement("G0", q[0], "", false);
        ligne("M2");
        if (g_.pourcent) ligne("%");
        return std::move(programme_);
    }

  private:
    void ligne(const std::string& t) {
        programme_.texte += t + "\n";
        ++lignes_;
    }
    void commentaire(const std::string& t) {
        std::string reste = ascii(t);
        do {
            std::size_t coupe = reste.size();
            if (coupe > LargeurCommentaire) {
                coupe = reste.rfind(' ', LargeurCommentaire);
                if (coupe == std::string::npos || coupe <= 2) coupe = LargeurCommentaire;
            }
            ligne(g_.parentheses ? "(" + reste.substr(0, coupe) + ")"
                                 : "; " + reste.substr(0, coupe));
            reste.erase(0, reste.find_first_not_of(' ', coupe));
            if (!reste.empty()) reste.insert(0, "  ");
        } while (reste.size() > 2);
    }

    void entete(const std::string& date) {
        commentaire("Ortix " ORTIX_VERSION " : découpe au fil chaud sur quatre axes");
        commentaire("Projet : " + m_.Txt_Nom_proj + ", le " + date);
        commentaire("Profils : emplanture " + m_.champs.txt_prof_empl + ", saumon " +
                    m_.champs.txt_prof_saum);
        commentaire("Machine : " + std::string(g_.nom) + ", profil :");
        for (const std::string& l : Lignes_Profil_Machine(p_, false))
            commentaire("  " + l);
        commentaire("Bloc : largeur " + mm(d_.largeur) + ", tours à " + mm(d_.distance[0]) +
                    " de la face d'emplanture et " + mm(d_.distance[1]) + " de celle du saumon");
        for (std::size_t k = 0; k < 2; ++k)
            commentaire(std::string(k == 0 ? "Emplanture" : "Saumon") + " : profil de " +
                        Format(d_.hauteur[k].min, "#0.00") + " à " + mm(d_.hauteur[k].max) +
                        " au-dessus de la table, saignée de " +
                        Format(d_.saignee[k].min, "#0.000") + " à " +
                        Format(d_.saignee[k].max, "#0.000") + " mm");
        commentaire("Vitesse : " + Texte_Exact(d_.vitesse) +
                    " mm/s à la face la plus rapide ; durée estimée : " + Texte_Duree(d_.duree));
        commentaire("Origine : horizontale à l'aplomb du bord d'attaque, positive vers le bord "
                    "de fuite ; verticale sur la table");
    }

    // A move to q; `noter`: the move that reaches one of the cut's positions.
    void deplacement(const char* code, const PositionFil& q, const std::string& fin, bool noter) {
        const std::array<double, NombreAxes> v = Valeurs_Axes(p_, q.tour);
        std::string t = code;
        for (std::size_t a = 0; a < NombreAxes; ++a)
            t += std::string(" ") + p_.axes[a] + Format(v[a], "#0.000");
        if (noter) programme_.ligneDePosition.push_back(lignes_ + 1);
        ligne(t + fin);
    }

    // F for the move from a to b: 1 / its duration in minutes in inverse time;
    // otherwise the length the controller applies F to, per minute.
    double avance(const PositionFil& a, const PositionFil& b) const {
        if (p_.avance == Avance::G93) return 60 / b.duree;
        const std::array<double, NombreAxes> va = Valeurs_Axes(p_, a.tour),
                                             vb = Valeurs_Axes(p_, b.tour);
        std::array<double, NombreAxes> delta{};
        for (std::size_t k = 0; k < NombreAxes; ++k)
            delta[k] = vb[k] - va[k];
        return Longueur_Avance(g_.regle, p_.axes, delta) * 60 / b.duree;
    }

    void chauffer(bool allumer) {
        if (p_.chauffe == Chauffe::M3)
            ligne(allumer ? "M3 S" + Texte_Exact(p_.puissance) : "M5");
        else if (p_.chauffe == Chauffe::M8)
            ligne(allumer ? "M8" : "M9");
    }

    void pause(double secondes) {
        if (secondes > 0)
            ligne("G4 P" +
                  Format(secondes / g_.secondesParP, g_.secondesParP < 1 ? "#0" : "#0.000"));
    }

    const Modele& m_;
    const ProfilMachine& p_;
    const Decoupe& d_;
    const DialecteGCode& g_;
    ProgrammeGCode programme_;
    int lignes_ = 0;
};

} // namespace

ProgrammeGCode Ecrire_GCode(const Modele& m, const ProfilMachine& p, const Decoupe& d,
                            const std::string& date) {
    return Ecrivain(m, p, d).ecrire(date);
}

Resultat Preparer_GCode(const Modele& m, const ProfilMachine& p, const std::string& date,
                        GCodeVerifie& g) {
    GCodeVerifie v;
    if (Resultat r = Calculer_Decoupe(m, p, v.decoupe); !r) return r;
    v.programme = Ecrire_GCode(m, p, v.decoupe, date);
    if (Resultat r = Simuler_GCode(v.programme.texte, p, v.decoupe, v.simulation); !r)
        return Resultat::Refus("Le G-code relu est refusé : " + r.message());
    const Simulation& s = v.simulation;
    if (!(s.ecartMax <= EcartMaximal))
        return Resultat::Refus("Le G-code relu écarte le fil de " + Format(s.ecartMax, "#0.0000") +
                               " mm du chemin prévu, plus que " + Format(EcartMaximal, "#0.00") +
                               " mm : il n'est pas écrit.");
    if (!(std::max(1 - s.rapportMin, s.rapportMax - 1) <= EcartVitesse))
        return Resultat::Refus("Le G-code relu mène la face la plus rapide de " +
                               Format(100 * s.rapportMin, "#0.00") + " à " +
                               Format(100 * s.rapportMax, "#0.00") +
                               " % de la vitesse prévue : il n'est pas écrit.");
    g = std::move(v);
    return {};
}

std::string Texte_Duree(double s) {
    const double secondes = std::round(s), minutes = std::floor(secondes / 60);
    return (minutes > 0 ? Format(minutes, "#0") + " min " : "") +
           Format(secondes - 60 * minutes, "#0") + " s";
}

} // namespace ortix::fichiers
