#include "model/Nombres.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace ortix {

namespace {

bool estBlanc(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool estChiffre(char c) {
    return c >= '0' && c <= '9';
}

// The leading number of the text; `fin` is set where reading stopped, blanks
// skipped: the text's size when all of it is the number, 0 when it holds none.
double lireNombre(std::string_view texte, std::size_t& fin) {
    // Gather the characters of the leading number, skipping blanks wherever they stand.
    std::string nombre;
    std::size_t i = 0;
    auto suivant = [&]() -> char {
        while (i < texte.size() && estBlanc(texte[i]))
            ++i;
        return i < texte.size() ? texte[i] : '\0';
    };
    bool negatif = false;
    char c = suivant();
    if (c == '+' || c == '-') {
        negatif = c == '-';
        ++i;
        c = suivant();
    }
    int chiffresEntiers = 0; // significant digits before the point
    bool chiffreVu = false;
    bool nonNul = false;
    while (estChiffre(c)) {
        if (c != '0' || chiffresEntiers > 0) ++chiffresEntiers;
        nonNul |= c != '0';
        chiffreVu = true;
        nombre += c;
        ++i;
        c = suivant();
    }
    int zerosApresPoint = 0; // zeros right after the point, before any significant digit
    if (c == '.') {
        nombre += c;
        ++i;
        c = suivant();
        while (estChiffre(c)) {
            if (!nonNul && c == '0') ++zerosApresPoint;
            nonNul |= c != '0';
            chiffreVu = true;
            nombre += c;
            ++i;
            c = suivant();
        }
    }
    if (!chiffreVu) {
        fin = 0;
        return 0.0;
    }
    long long exposant = 0;
    if (c == 'e' || c == 'E') {
        std::size_t retour = i;
        std::string partie = "e";
        ++i;
        c = suivant();
        bool expNegatif = false;
        if (c == '+' || c == '-') {
            expNegatif = c == '-';
            partie += c;
            ++i;
            c = suivant();
        }
        if (estChiffre(c)) {
            while (estChiffre(c)) {
                if (exposant < 100000) exposant = exposant * 10 + (c - '0');
                partie += c;
                ++i;
                c = suivant();
            }
            if (expNegatif) exposant = -exposant;
            nombre += partie;
        } else {
            i = retour; // an 'e' without digits does not belong to the number
        }
    }
    fin = i;
    if (!nonNul) return 0.0;
    double valeur = 0.0;
    if (std::from_chars(nombre.data(), nombre.data() + nombre.size(), valeur).ec ==
        std::errc::result_out_of_range) {
        // Order of magnitude of the first significant digit decides overflow or underflow.
        long long ordre =
            (chiffresEntiers > 0 ? chiffresEntiers - 1 : -(zerosApresPoint + 1)) + exposant;
        valeur = ordre > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negatif ? -valeur : valeur;
}

} // namespace

double Val(std::string_view texte) {
    std::size_t fin = 0;
    return lireNombre(texte, fin);
}

std::string Lecture_Partielle(std::string_view texte, std::string_view affiche) {
    std::size_t fin = 0;
    const double v = lireNombre(texte, fin);
    if (fin == texte.size() && fin > 0) return {};
    char nombre[32];
    const auto ecrit = std::to_chars(nombre, nombre + sizeof nombre, v);
    const std::string debut = "« " + std::string(affiche) + " » est lu " +
                              std::string(nombre, static_cast<std::size_t>(ecrit.ptr - nombre)) +
                              " : ";
    if (texte.find_first_not_of(" \t\n") == std::string_view::npos)
        return "le champ est vide, il est lu 0.";
    if (fin == 0) return debut + "ce n'est pas un nombre.";
    if (texte[fin] == ',') return debut + "le séparateur décimal est le point.";
    return debut + "la suite n'est pas un nombre.";
}

std::string Format(double valeur, std::string_view motif) {
    if (!Fini(valeur)) return "---";
    const std::size_t point = motif.find('.');
    const std::string_view entier = motif.substr(0, point);
    const std::string_view decimales =
        point == std::string_view::npos ? std::string_view{} : motif.substr(point + 1);
    const std::size_t premierZero = entier.find('0');
    const int minEntier =
        premierZero == std::string_view::npos ? 0 : static_cast<int>(entier.size() - premierZero);
    const int maxDecimales = static_cast<int>(decimales.size());
    int minDecimales = 0;
    while (minDecimales < maxDecimales && decimales[static_cast<std::size_t>(minDecimales)] == '0')
        ++minDecimales;

    // The decimal value a person reads: 15 significant digits, "d.dddddddddddddde±x",
    // written without the process locale, whose decimal point may be anything.
    char tampon[40];
    const auto ecrit = std::to_chars(tampon, tampon + sizeof tampon, std::fabs(valeur),
                                     std::chars_format::scientific, 14);
    std::string chiffres;
    chiffres += tampon[0];
    chiffres.append(tampon + 2, 14);
    int exposant = 0;
    const char* debutExposant = tampon + 17;
    if (*debutExposant == '+') ++debutExposant;
    std::from_chars(debutExposant, ecrit.ptr, exposant);

    // Keep the digits down to the last decimal of the pattern, rounding half away from zero.
    const int garde = exposant + 1 + maxDecimales;
    std::string unites; // the value in units of the last decimal, as decimal digits
    if (garde <= 0) {
        unites = (garde == 0 && chiffres[0] >= '5') ? "1" : "0";
    } else if (garde >= static_cast<int>(chiffres.size())) {
        unites = chiffres + std::string(static_cast<std::size_t>(garde) - chiffres.size(), '0');
    } else {
        unites = chiffres.substr(0, static_cast<std::size_t>(garde));
        if (chiffres[static_cast<std::size_t>(garde)] >= '5') {
            int k = static_cast<int>(unites.size()) - 1;
            while (k >= 0 && unites[static_cast<std::size_t>(k)] == '9')
                unites[static_cast<std::size_t>(k--)] = '0';
            if (k < 0)
                unites.insert(unites.begin(), '1');
            else
                ++unites[static_cast<std::size_t>(k)];
        }
    }
    if (static_cast<int>(unites.size()) <= maxDecimales)
        unites.insert(0, static_cast<std::size_t>(maxDecimales + 1) - unites.size(), '0');

    std::string partieEntiere =
        unites.substr(0, unites.size() - static_cast<std::size_t>(maxDecimales));
    std::string partieDecimale =
        unites.substr(unites.size() - static_cast<std::size_t>(maxDecimales));
    std::size_t debut = partieEntiere.find_first_not_of('0');
    if (debut == std::string::npos) debut = partieEntiere.size();
    partieEntiere.erase(
        0, std::min(debut, partieEntiere.size() -
                               std::min<std::size_t>(partieEntiere.size(),
                                                     static_cast<std::size_t>(minEntier))));
    if (static_cast<int>(partieEntiere.size()) < minEntier)
        partieEntiere.insert(0, static_cast<std::size_t>(minEntier) - partieEntiere.size(), '0');
    while (static_cast<int>(partieDecimale.size()) > minDecimales && partieDecimale.back() == '0')
        partieDecimale.pop_back();

    const bool nul = unites.find_first_not_of('0') == std::string::npos;
    std::string texte = (std::signbit(valeur) && !nul) ? "-" : "";
    texte += partieEntiere;
    if (point != std::string_view::npos) texte += '.';
    texte += partieDecimale;
    return texte;
}

std::string Texte_Exact(double valeur) {
    if (!Fini(valeur)) return "---";
    char t[400]; // the longest fixed form of a double has 328 characters
    const auto fin = std::to_chars(t, t + sizeof t, valeur, std::chars_format::fixed).ptr;
    return std::string(t, fin);
}

} // namespace ortix
