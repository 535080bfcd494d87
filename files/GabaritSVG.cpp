#include "files/GabaritSVG.h"
#include "files/Citation.h"

#include <charconv>
#include <cmath>
#include <span>

namespace ortix::fichiers {

namespace {

// A length in mm to the micrometre, without exponent and whatever the locale.
void nombre(std::string& s, double v) {
    if (std::abs(v) < 0.0005) v = 0; // no "-0.000"
    char tampon[400];                // the largest double has 309 digits
    const auto r = std::to_chars(tampon, tampon + sizeof tampon, v, std::chars_format::fixed, 3);
    s.append(tampon, r.ec == std::errc() ? r.ptr : tampon);
}

void points(std::string& s, std::span<const Point2> p) {
    s += " points=\"";
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (i) s += ' ';
        nombre(s, p[i].x);
        s += ',';
        nombre(s, p[i].y);
    }
    s += '"';
}

void attribut(std::string& s, const char* nom, double v) {
    s += ' ';
    s += nom;
    s += "=\"";
    nombre(s, v);
    s += '"';
}

void texte(std::string& s, const TexteGabarit& t) {
    if (t.texte.empty()) return;
    s += "<text";
    attribut(s, "x", t.position.x);
    attribut(s, "y", t.position.y);
    attribut(s, "font-size", t.taille);
    if (t.ancrage == Ancrage::Centre) s += " text-anchor=\"middle\"";
    s += '>';
    s += Echapper_Xml(Texte_Affichable(t.texte));
    s += "</text>\n";
}

} // namespace

std::string Echapper_Xml(std::string_view texte) {
    std::string r;
    r.reserve(texte.size());
    for (const char c : texte) {
        switch (c) {
        case '&':
            r += "&amp;";
            break;
        case '<':
            r += "&lt;";
            break;
        case '>':
            r += "&gt;";
            break;
        case '"':
            r += "&quot;";
            break;
        case '\'':
            r += "&apos;";
            break;
        default:
            r += c;
        }
    }
    return r;
}

Resultat Svg_Gabarit(const Gabarit& g, std::string& svg) {
    if (!Gabarit_Fini(g))
        return Resultat::Refus("Le gabarit " + g.nom +
                               " contient une valeur non numérique : le fichier SVG n'est pas "
                               "produit.");
    std::string s;
    s.reserve(64 * g.contour.size() + 100 * g.graduations.size() + 4096);
    s += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"";
    s += " width=\"";
    nombre(s, g.largeur);
    s += "mm\" height=\"";
    nombre(s, g.hauteur);
    s += "mm\" viewBox=\"0 0 ";
    nombre(s, g.largeur);
    s += ' ';
    nombre(s, g.hauteur);
    s += "\">\n<title>";
    s += Echapper_Xml(Texte_Affichable("Gabarit " + g.nom));
    s += "</title>\n<g fill=\"none\" stroke=\"#000\" stroke-linejoin=\"miter\" "
         "stroke-linecap=\"butt\">\n";
    for (const TraceGabarit& t : g.traces) {
        s += t.ferme ? "<polygon id=\"" : "<polyline id=\"";
        s += Echapper_Xml(Texte_Affichable(t.nom));
        s += '"';
        attribut(s, "stroke-width", t.epaisseur);
        if (t.trait != Trait::Plein) {
            const std::span<const double> motif = t.trait == Trait::Tirets
                                                      ? std::span<const double>(TiretsGabarit)
                                                      : std::span<const double>(TiretPointGabarit);
            s += " stroke-dasharray=\"";
            for (std::size_t i = 0; i < motif.size(); ++i) {
                char tampon[32]; // the shortest form: "1.5", not "1.500"
                const auto r = std::to_chars(tampon, tampon + sizeof tampon, motif[i]);
                if (i > 0) s += ' ';
                s.append(tampon, r.ptr);
            }
            s += '"';
        }
        points(s, t.points);
        s += "/>\n";
    }
    s += g.extremite == Extremite::Emplanture ? "<polyline id=\"profil-emplanture\""
                                              : "<polyline id=\"profil-saumon\"";
    s += " stroke-width=\"0.3\"";
    points(s, std::span(g.contour).subspan(g.debutPropre, g.finPropre + 1 - g.debutPropre));
    s += "/>\n<g id=\"graduations\" stroke-width=\"0.25\">\n";
    for (const Graduation& t : g.graduations) {
        s += "<line";
        attribut(s, "x1", t.a.x);
        attribut(s, "y1", t.a.y);
        attribut(s, "x2", t.b.x);
        attribut(s, "y2", t.b.y);
        s += "/>\n";
    }
    s += "</g>\n</g>\n<g font-family=\"DejaVu Sans\" fill=\"#000\">\n";
    for (const Graduation& t : g.graduations)
        texte(s, t.etiquette);
    for (const TexteGabarit& t : g.textes)
        texte(s, t);
    s += "</g>\n</svg>\n";
    svg = std::move(s);
    return {};
}

} // namespace ortix::fichiers
