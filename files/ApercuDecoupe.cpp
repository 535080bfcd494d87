#include "files/ApercuDecoupe.h"

#include "files/Dialectes.h"
#include "geometry/Decoupe.h"
#include "model/Nombres.h"

#include <algorithm>
#include <limits>

namespace ortix::fichiers {

namespace {

constexpr Couleur Gris{160, 160, 160};
constexpr Couleur Noir = CouleurTexte;

// The extent of the points drawn, to fit a view to.
struct Boite {
    double xmin = std::numeric_limits<double>::infinity(), xmax = -xmin;
    double ymin = xmin, ymax = -xmin;
    void ajouter(Point2 p) {
        xmin = std::min(xmin, p.x), xmax = std::max(xmax, p.x);
        ymin = std::min(ymin, p.y), ymax = std::max(ymax, p.y);
    }
};

// The system that shows the box whole, with a margin, at one scale on both
// axes, y upward, centred in an area of size t.
Repere cadrer(const Boite& b, Taille t) {
    const double marge = 0.05 * std::max(b.xmax - b.xmin, b.ymax - b.ymin);
    const double l = b.xmax - b.xmin + 2 * marge, h = b.ymax - b.ymin + 2 * marge;
    const double echelle = std::min(t.largeur / l, t.hauteur / h); // pixels a mm
    const double L = t.largeur / echelle, H = t.hauteur / echelle;
    return {(b.xmin + b.xmax - L) / 2, L, (b.ymin + b.ymax + H) / 2, -H};
}

Vue finir(Vue v, const Boite& b, Taille t) {
    v.repere = cadrer(b, t);
    v.valide = Repere_Valide(v.repere);
    return v;
}

Point2 plus(Point2 a, Point2 b) {
    return {a.x + b.x, a.y + b.y};
}

// Face coordinates lifted to the table's: the base line's height added.
Point2 surTable(const ProfilMachine& p, Point2 f) {
    return {f.x, f.y + p.hauteurLigneDeBase};
}

bool surContour(Partie q) {
    return q == Partie::Extrados || q == Partie::Intrados;
}

Vue vueCote(const ProfilMachine& p, const Decoupe& d, Taille t) {
    Vue v;
    Boite b;
    const Couleur faces[2] = {Bleu, Vert};
    const std::vector<PositionFil>& q = d.positions;
    for (std::size_t i = 1; i < q.size(); ++i)
        for (std::size_t k = 0; k < 2; ++k) {
            const Point2 fa = surTable(p, q[i - 1].fil[k]), fb = surTable(p, q[i].fil[k]);
            if (surContour(q[i].partie) && surContour(q[i - 1].partie))
                v.segments.push_back({surTable(p, q[i - 1].profil[k]), surTable(p, q[i].profil[k]),
                                      faces[k], Trait::Plein});
            // The lead-in and lead-out in red, the wire's kerf path dashed.
            const bool entree = !surContour(q[i].partie) || !surContour(q[i - 1].partie);
            v.segments.push_back({fa, fb, entree ? Rouge : faces[k], Trait::Tirets});
            v.segments.push_back({q[i - 1].tour[k], q[i].tour[k], Gris, Trait::Plein});
            for (const Point2 x : {fa, fb, q[i].tour[k]})
                b.ajouter(x);
        }
    // The block: from the table to its highest outline, between its edges.
    Boite bloc;
    for (const PositionFil& r : q)
        if (surContour(r.partie))
            for (std::size_t k = 0; k < 2; ++k)
                bloc.ajouter(surTable(p, r.profil[k]));
    bloc.ymin = 0;
    b.ajouter({bloc.xmin, 0});
    const Point2 coins[4] = {{bloc.xmin, bloc.ymin},
                             {bloc.xmax, bloc.ymin},
                             {bloc.xmax, bloc.ymax},
                             {bloc.xmin, bloc.ymax}};
    for (std::size_t c = 0; c < 4; ++c)
        v.segments.push_back({coins[c], coins[(c + 1) % 4], Noir, Trait::Plein});
    return finir(std::move(v), b, t);
}

// Along the wire, the place of the root-side tower's plane, of the faces and of
// the other tower's, mirrored when the root-side tower is on the right.
double travers(const ProfilMachine& p, double depuisEmplanture) {
    return p.emplantureAGauche ? depuisEmplanture : p.ecartTours - depuisEmplanture;
}

Vue vueDessus(const ProfilMachine& p, const Decoupe& d, Taille t) {
    Vue v;
    Boite b;
    for (const Extremite e : {Extremite::Emplanture, Extremite::Saumon}) {
        const std::size_t a = Premier_Axe(p, e);
        const double s = travers(p, e == Extremite::Emplanture ? 0 : p.ecartTours);
        const Point2 debut{s, p.courseMin[a]}, fin{s, p.courseMax[a]};
        v.formes.push_back({e == Extremite::Emplanture ? "Tour_Empl" : "Tour_Saum", Noir, 3,
                            Trait::Plein, debut, fin});
        b.ajouter(debut), b.ajouter(fin);
    }
    Boite bloc;
    for (const PositionFil& r : d.positions)
        if (surContour(r.partie))
            for (std::size_t k = 0; k < 2; ++k)
                bloc.ajouter({0, r.profil[k].x});
    const double s0 = travers(p, p.distanceEmplanture),
                 s1 = travers(p, p.distanceEmplanture + d.largeur);
    const Point2 coins[4] = {{s0, bloc.ymin}, {s1, bloc.ymin}, {s1, bloc.ymax}, {s0, bloc.ymax}};
    const Couleur faces[4] = {Noir, Vert, Noir, Bleu};
    for (std::size_t c = 0; c < 4; ++c)
        v.segments.push_back({coins[c], coins[(c + 1) % 4], faces[c], Trait::Plein});
    return finir(std::move(v), b, t);
}

std::vector<std::string> constater(const ProfilMachine& p, const GCodeVerifie& g) {
    const Decoupe& d = g.decoupe;
    const Simulation& s = g.simulation;
    auto mm = [](double v) { return Format(v, "#0.000"); };
    std::vector<std::string> c = {
        "Durée estimée : " + Texte_Duree(d.duree) + ", préchauffe et pauses comprises.",
        "Saignée : de " + mm(d.saignee[0].min) + " à " + mm(d.saignee[0].max) +
            " mm à l'emplanture, de " + mm(d.saignee[1].min) + " à " + mm(d.saignee[1].max) +
            " mm au saumon.",
        "Angle du fil : au plus " + Format(d.angleFil, "#0.00") + "° de l'équerre (limite " +
            Texte_Exact(p.angleFilMax) + "°).",
        "Relu comme " + std::string(Dialecte_GCode(p.dialecte).nom) +
            " le lit : le fil s'écarte du tracé prévu de " + Format(s.ecartMax, "#0.000000") +
            " mm au plus ; la face la plus rapide va de " + Format(s.rapportMin, "#0.000000") +
            " à " + Format(s.rapportMax, "#0.000000") + " fois la vitesse."};
    for (std::size_t a = 0; a < NombreAxes; ++a)
        c.push_back("Axe " + std::string(1, p.axes[a]) + " : de " + mm(d.axes[a].min) + " à " +
                    mm(d.axes[a].max) + " mm, course " + Texte_Exact(p.courseMin[a]) + ":" +
                    Texte_Exact(p.courseMax[a]) + ".");
    return c;
}

} // namespace

Resultat Preparer_Apercu(const Modele& m, const ProfilMachine& p, const std::string& date,
                         Taille cote, Taille dessus, ApercuDecoupe& a) {
    ApercuDecoupe n;
    if (Resultat r = Preparer_GCode(m, p, date, n.gcode); !r) return r;
    n.machine = p;
    n.cote = vueCote(p, n.gcode.decoupe, cote);
    n.dessus = vueDessus(p, n.gcode.decoupe, dessus);
    for (const MouvementSimule& mv : n.gcode.simulation.mouvements)
        n.fin.push_back(n.duree += mv.duree);
    n.constats = constater(p, n.gcode);
    a = std::move(n);
    return {};
}

InstantDecoupe Instant_Decoupe(const ApercuDecoupe& a, double t) {
    InstantDecoupe i;
    const std::vector<MouvementSimule>& mv = a.gcode.simulation.mouvements;
    if (mv.empty()) return i;
    i.t = std::clamp(Fini(t) ? t : 0.0, 0.0, a.duree);
    // The move running at t: the first to end after it; none at either end.
    const auto apres = std::upper_bound(a.fin.begin(), a.fin.end(), i.t);
    const bool bout = t <= 0 || apres == a.fin.end();
    i.mouvement =
        bout ? (t <= 0 ? 0 : mv.size() - 1) : static_cast<std::size_t>(apres - a.fin.begin());
    const MouvementSimule& m = mv[i.mouvement];
    i.tour = m.tour;
    i.vitesse = m.vitesse;
    if (!bout && i.mouvement > 0 && m.duree > 0) {
        const double f = 1 - (a.fin[i.mouvement] - i.t) / m.duree;
        const std::array<Point2, 2>& avant = mv[i.mouvement - 1].tour;
        for (std::size_t k = 0; k < 2; ++k)
            i.tour[k] = {avant[k].x + f * (m.tour[k].x - avant[k].x),
                         avant[k].y + f * (m.tour[k].y - avant[k].y)};
    }
    const double largeur = a.gcode.decoupe.largeur;
    i.face = Fil_Sur_Faces(a.machine, largeur, i.tour);
    i.angle = Angle_Fil(i.face, largeur);
    return i;
}

namespace {

// A small cross about p, of half-width r.
void croix(std::vector<Segment>& s, Point2 p, double r, Couleur c) {
    s.push_back({plus(p, {-r, -r}), plus(p, {r, r}), c, Trait::Plein});
    s.push_back({plus(p, {-r, r}), plus(p, {r, -r}), c, Trait::Plein});
}

} // namespace

std::vector<Segment> Fil_Cote(const ApercuDecoupe& a, const InstantDecoupe& i) {
    std::vector<Segment> s;
    const double r = 0.01 * std::abs(a.cote.repere.largeur);
    const Couleur faces[2] = {Bleu, Vert};
    for (std::size_t k = 0; k < 2; ++k) {
        croix(s, surTable(a.machine, i.face[k]), r, faces[k]);
        croix(s, i.tour[k], r, Rouge);
    }
    return s;
}

std::vector<Segment> Fil_Dessus(const ApercuDecoupe& a, const InstantDecoupe& i) {
    const ProfilMachine& p = a.machine;
    return {{{travers(p, 0), i.tour[0].x},
             {travers(p, p.ecartTours), i.tour[1].x},
             Rouge,
             Trait::Plein}};
}

} // namespace ortix::fichiers
