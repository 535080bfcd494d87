#include "geometry/Gabarit.h"

#include "model/Nombres.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>

namespace ortix {

namespace {

// ---- the template's look, in mm --------------------------------------------

constexpr double Marge = 5;        // room around the drawing; the title block's left edge
constexpr double Debord = 6;       // the base line and the leading-edge vertical past the profile
constexpr double DemiTrait = 3;    // half the length of a tick's stroke
constexpr double TailleRang = 2.5; // the ticks' labels
constexpr double TailleTitre = 5;
constexpr double EpaisseurEchelle = 0.4; // the scale bar and the square
constexpr double PasGraduations = 10;
constexpr double GardeBF = 1; // no numbered tick closer than this to the trailing edge
// A label keeps this far from other labels and strokes; when it cannot, it moves
// out along the outline's normal by steps, a few times, then is left out.
constexpr double EcartEtiquette = 0.3;
constexpr double PasEtiquette = 1.5;
constexpr int EssaisEtiquette = 5;
constexpr double RayonBFSaumon = 1.2; // the circles round the tip's own trailing edge

// An upper bound of a character's advance in DejaVu Sans, in em, measured with
// Cairo: digits 0.636; lower case at most 0.635 but for m and w; capitals at
// most 0.787 but for M and W; space and . , : ; 0.318 to 0.337. The rest, and
// any character beyond ASCII, is taken as 1 em, more than any of them needs.
double chasse(unsigned char c) {
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z' && c != 'm' && c != 'w')) return 0.64;
    if (c >= 'A' && c <= 'Z' && c != 'M' && c != 'W') return 0.8;
    if (c == ' ' || c == '.' || c == ',' || c == ':' || c == ';') return 0.34;
    return 1;
}

struct Figures {
    double corde, longueur, hauteur, vrillage; // vrillage in degrees
};

// A tick's rang and the generator at its X'.
using Rang = std::pair<int, Generatrice>;

// A label waiting for its place: beyond `point` along the unit normal `n`.
struct Attente {
    Point2 point, n;
    TexteGabarit* cible = nullptr;
    std::string texte;
};

// The title block, built apart and laid beside the drawing at the end.
struct Cartouche {
    std::vector<TexteGabarit> textes;
    std::vector<TraceGabarit> traces;
    double largeur = 0, hauteur = 0;
};

Point2 plus(Point2 p, double d, Point2 n) {
    return {p.x + d * n.x, p.y + d * n.y};
}

// Builds one template, step by step, from its profile, its figures and the
// generators of its ticks.
class Constructeur {
  public:
    Constructeur(const Modele& m, Extremite e, const ProfilProjete& p, const Figures& f)
        : m_(m), p_(p), f_(f) {
        g_.extremite = e;
        g_.nom = e == Extremite::Emplanture ? "Emplanture" : "Saumon";
        const double phi = Radians(f.vrillage);
        g_.cosVrillage = std::cos(phi);
        g_.sinVrillage = std::sin(phi);
        g_.hauteurReference = f.hauteur;
    }

    Gabarit construire(const std::vector<Rang>& extrados, const std::vector<Rang>& intrados,
                       const std::string& date, Disposition d) {
        mesurerEtendue();
        placerContour();
        tracerLignesDeReference();
        marquerCorde();
        prolonger();
        graduer(extrados, intrados);
        marquerBordDeFuiteSaumon();
        placerEtiquettes();
        disposer(d, cartouche(date));
        return std::move(g_);
    }

  private:
    // A profile point as the projected view shows it.
    Point2 montre(double X, double Y) const {
        return Tourner_Profil(X, Y, g_.cosVrillage, g_.sinVrillage, f_.hauteur);
    }
    // A point of the view on the sheet: the leading edge on the left, Y upward.
    Point2 feuille(Point2 q) const { return {g_.origine.x - q.x, g_.origine.y - q.y}; }

    // The extent of the view: the profile as shown, the chord's ends and (0, 0).
    void mesurerEtendue() {
        cordeBA_ = montre(0, f_.hauteur);
        cordeBF_ = montre(-f_.corde, f_.hauteur);
        for (const Point2 q : {cordeBA_, cordeBF_})
            etendre(q);
        for (int i = 1; i <= p_.n; ++i)
            etendre(montre(p_.x(i), p_.y(i)));
    }
    void etendre(Point2 q) {
        XMin_ = std::min(XMin_, q.x), XMax_ = std::max(XMax_, q.x);
        YMin_ = std::min(YMin_, q.y), YMax_ = std::max(YMax_, q.y);
    }

    // The drawing is built about an origin of its own; disposer() moves it to its place.
    void placerContour() {
        g_.origine = {XMax_, YMax_};
        g_.contour.reserve(static_cast<std::size_t>(p_.n));
        for (int i = 1; i <= p_.n; ++i)
            g_.contour.push_back(g_.versFeuille(p_.x(i), p_.y(i)));
    }

    // The base line and the leading-edge vertical, a little past the profile.
    void tracerLignesDeReference() {
        g_.traces.push_back({"Ligne_Base",
                             {feuille({XMax_ + Debord, 0}), feuille({XMin_ - Debord, 0})},
                             Trait::TiretPoint,
                             0.2,
                             false});
        g_.traces.push_back({"Verticale_BA",
                             {feuille({0, YMax_ + Debord}), feuille({0, YMin_ - Debord})},
                             Trait::TiretPoint,
                             0.2,
                             false});
    }

    // Each end of the chord: a stroke across the turned chord line.
    void marquerCorde() {
        const Point2 travers = feuille({-g_.sinVrillage, g_.cosVrillage});
        const Point2 d{travers.x - g_.origine.x, travers.y - g_.origine.y};
        for (const auto& [nom, bout] : {std::pair{"Corde_BA", cordeBA_}, {"Corde_BF", cordeBF_}}) {
            const Point2 c = feuille(bout);
            g_.traces.push_back({nom,
                                 {{c.x - 5 * d.x, c.y - 5 * d.y}, {c.x + 5 * d.x, c.y + 5 * d.y}},
                                 Trait::Plein,
                                 0.35,
                                 false});
        }
    }

    // The tip's own first and last points, when the computation gave them.
    bool bordDeFuiteSaumon(int& premier, int& dernier) const {
        premier = m_.Rang_Saum_Premier_Proj, dernier = m_.Rang_Saum_Dernier_Proj;
        return g_.extremite == Extremite::Saumon && 1 <= premier && premier <= dernier &&
               dernier <= p_.n;
    }

    // The outline the template's own profile draws, and the tip's lengthening,
    // taken from the root, dashed apart.
    void prolonger() {
        int premier = 1, dernier = p_.n;
        if (!bordDeFuiteSaumon(premier, dernier)) premier = 1, dernier = p_.n;
        g_.debutPropre = static_cast<std::size_t>(premier - 1);
        g_.finPropre = static_cast<std::size_t>(dernier - 1);
        const auto debut = g_.contour.begin();
        if (premier > 1)
            g_.traces.push_back(
                {"Prolongement_Extrados", {debut, debut + premier}, Trait::Tirets, 0.3, false});
        if (dernier < p_.n)
            g_.traces.push_back({"Prolongement_Intrados",
                                 {debut + dernier - 1, g_.contour.end()},
                                 Trait::Tirets,
                                 0.3,
                                 false});
    }

    // The ticks in outline order: over the upper surface from the trailing edge
    // forward, then over the lower surface aft.
    void graduer(const std::vector<Rang>& extrados, const std::vector<Rang>& intrados) {
        const bool empl = g_.extremite == Extremite::Emplanture;
        auto point = [&](const Generatrice& gen) { return empl ? gen.empl : gen.saum; };
        ajouterGraduation(Face::Extrados, 0, p_.x(1), p_.y(1), 1);
        for (auto k = extrados.rbegin(); k != extrados.rend(); ++k)
            ajouterGraduation(Face::Extrados, k->first, k->second.X, point(k->second).Y,
                              point(k->second).segment);
        for (const auto& [rang, gen] : intrados)
            ajouterGraduation(Face::Intrados, rang, gen.X, point(gen).Y, point(gen).segment);
        ajouterGraduation(Face::Intrados, 0, p_.x(p_.n), p_.y(p_.n), p_.n - 1);
    }

    // The outward unit normal of the outline's segment (s, s + 1): its left.
    Point2 normale(int s, Face face) const {
        const Point2 a = g_.contour[static_cast<std::size_t>(s - 1)];
        const Point2 b = g_.contour[static_cast<std::size_t>(s)];
        const double nx = a.y - b.y, ny = b.x - a.x;
        const double l = std::hypot(nx, ny);
        if (l > 0 && Fini(l)) return {nx / l, ny / l};
        // Two equal points: across the chord, away from the profile.
        const Point2 n{g_.sinVrillage, -g_.cosVrillage};
        return face == Face::Extrados ? n : Point2{-n.x, -n.y};
    }

    // How far from p, on the outline, a stroke along the unit vector d may run:
    // DemiTrait, or less where it meets the outline again.
    double libre(Point2 p, Point2 d) const {
        double t = DemiTrait;
        for (std::size_t i = 1; i < g_.contour.size(); ++i) {
            const Point2 a = g_.contour[i - 1], b = g_.contour[i];
            const Point2 e{b.x - a.x, b.y - a.y};
            const double det = d.x * e.y - d.y * e.x;
            if (det == 0) continue;
            const Point2 w{a.x - p.x, a.y - p.y};
            const double s = (w.x * d.y - w.y * d.x) / det; // along the segment
            const double u = (w.x * e.y - w.y * e.x) / det; // along the stroke
            if (s >= 0 && s <= 1 && u > 1e-6 && u < t) t = u;
        }
        return t;
    }

    // Whether p lies inside the outline closed across its trailing edge.
    bool dedans(Point2 p) const {
        bool r = false;
        const std::size_t n = g_.contour.size();
        for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
            const Point2 a = g_.contour[i], b = g_.contour[j];
            if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y))
                r = !r;
        }
        return r;
    }

    // A stroke across the outline at p, along its outward normal n: out to the
    // outline or DemiTrait; in likewise, or not at all where p is a sharp edge.
    std::pair<Point2, Point2> trait(Point2 p, Point2 n) const {
        const Point2 m{-n.x, -n.y};
        return {plus(p, libre(p, n), n), plus(p, dedans(plus(p, 0.01, m)) ? libre(p, m) : 0, m)};
    }

    // A stroke at (X, Y) on the outline's segment (s, s + 1); its label waits.
    void ajouterGraduation(Face face, int rang, double X, double Y, int s) {
        Graduation t;
        t.face = face;
        t.rang = rang;
        t.X = X;
        t.point = g_.versFeuille(X, Y);
        normales_.push_back(normale(s, face));
        std::tie(t.a, t.b) = trait(t.point, normales_.back());
        g_.graduations.push_back(std::move(t));
    }

    // On the tip, a small circle round each of its own two trailing-edge points,
    // and the label beyond the upper one.
    void marquerBordDeFuiteSaumon() {
        int premier, dernier;
        if (!bordDeFuiteSaumon(premier, dernier)) return;
        const Point2 h = g_.contour[g_.debutPropre], b = g_.contour[g_.finPropre];
        for (const auto& [nom, c] :
             {std::pair{"BF_Saumon_Extrados", h}, std::pair{"BF_Saumon_Intrados", b}}) {
            std::vector<Point2> cercle;
            cercle.reserve(24);
            for (int k = 0; k < 24; ++k)
                cercle.push_back(
                    plus(c, RayonBFSaumon, {std::cos(k * Pi / 12), std::sin(k * Pi / 12)}));
            g_.traces.push_back({nom, std::move(cercle), Trait::Plein, 0.25, true});
        }
        g_.textes.emplace_back();
        bfSaumon_ = {h, normale(std::min(premier, p_.n - 1), Face::Extrados), &g_.textes.back(),
                     "BF saumon"};
    }

    // Each label beyond its stroke, clear of the outline, the strokes and the
    // labels placed before it: first "BF", then « BF saumon », then the numbers.
    void placerEtiquettes() {
        std::vector<Attente> attente;
        auto rang = [&](bool bf) {
            for (std::size_t k = 0; k < g_.graduations.size(); ++k) {
                Graduation& t = g_.graduations[k];
                if ((t.rang == 0) == bf)
                    attente.push_back({t.point, normales_[k], &t.etiquette,
                                       t.rang ? std::to_string(t.rang) : "BF"});
            }
        };
        rang(true);
        if (bfSaumon_.cible) attente.push_back(bfSaumon_);
        rang(false);

        std::vector<std::pair<Point2, Point2>> traits;
        for (std::size_t i = 1; i < g_.contour.size(); ++i)
            traits.emplace_back(g_.contour[i - 1], g_.contour[i]);
        for (const Graduation& t : g_.graduations)
            traits.emplace_back(t.a, t.b);
        for (const TraceGabarit& t : g_.traces)
            if (t.trait != Trait::TiretPoint)
                for (std::size_t i = 1; i < t.points.size(); ++i)
                    traits.emplace_back(t.points[i - 1], t.points[i]);

        std::vector<Boite> placees;
        auto degagee = [&](const Boite& b) {
            for (const Boite& o : placees)
                if (Boites_Proches(b, o, EcartEtiquette)) return false;
            const double e = EcartEtiquette + 0.2; // and the strokes' half width
            for (auto [a, c] : traits)
                if (Couper_Segment(a, c, b.gauche - e, b.haut - e, b.droite + e, b.bas + e))
                    return false;
            return true;
        };
        // Out along the normal by steps; at each, straight out, then a label's
        // width to either side.
        const double d0 = DemiTrait + 1 + 0.6 * TailleRang;
        for (const Attente& e : attente) {
            const Point2 cote{-e.n.y, e.n.x};
            const Boite b0 = Boite_Texte(Texte_Centre({}, TailleRang, e.texte));
            const double l = b0.droite - b0.gauche + 2 * EcartEtiquette;
            auto essayer = [&](double d, double lateral) {
                TexteGabarit t =
                    Texte_Centre(plus(plus(e.point, d, e.n), lateral, cote), TailleRang, e.texte);
                const Boite b = Boite_Texte(t);
                if (!degagee(b)) return false;
                placees.push_back(b);
                *e.cible = std::move(t);
                return true;
            };
            *e.cible = Texte_Centre(plus(e.point, d0, e.n), TailleRang, {});
            bool place = false;
            for (int k = 0; k < EssaisEtiquette && !place; ++k)
                for (const double lateral : {0.0, -l, l})
                    if (!place) place = essayer(d0 + k * PasEtiquette, lateral);
        }
    }

    // The title block: its texts from the top, then the scale bar and the square.
    Cartouche cartouche(const std::string& date) const {
        Cartouche c;
        double ligne = 0;
        auto texte = [&](double taille, std::string s) {
            ligne += 1.6 * taille;
            c.textes.push_back({{Marge, ligne}, taille, Ancrage::Gauche, std::move(s)});
        };
        texte(TailleTitre, m_.Txt_Nom_proj);
        texte(TailleTitre, g_.nom);
        texte(TailleTexteGabarit, "Corde : " + Format(f_.corde, "#0.00") + " mm");
        texte(TailleTexteGabarit, "Hauteur de référence : " + Format(f_.hauteur, "#0.00") + " mm");
        texte(TailleTexteGabarit, "Vrillage : " + Format(f_.vrillage, "#0.00") + "°");
        texte(TailleTexteGabarit, "Longueur du tronçon : " + Format(f_.longueur, "#0.00") + " mm");
        texte(TailleTexteGabarit, "Date : " + date);
        texte(TailleTexteGabarit, "Ortix version " ORTIX_VERSION);
        texte(TailleTexteGabarit, "Repères tous les 10 mm de corde, BF : bord de fuite");
        if (bfSaumon_.cible)
            texte(TailleTexteGabarit, "BF saumon : bord de fuite du saumon, prolongé en tirets");
        texte(TailleTexteGabarit, "Barre et carré : mesurer d'un bord extérieur à l'autre");
        echelleEtCarre(ligne + 12, c);
        return c;
    }

    // The scale bar and the square on the line `barre`, and the block's size:
    // their strokes' outer edges measure 100 mm and 10 mm, so the drawing is
    // inset by half the stroke.
    static void echelleEtCarre(double barre, Cartouche& c) {
        const double w = EpaisseurEchelle / 2;
        c.textes.push_back(
            {{Marge, barre - 4}, TailleTexteGabarit, Ancrage::Gauche, "Vérifier : 100 mm"});
        c.traces.push_back({"Echelle",
                            {{Marge + w, barre - 3},
                             {Marge + w, barre - w},
                             {Marge + 100 - w, barre - w},
                             {Marge + 100 - w, barre - 3}},
                            Trait::Plein,
                            EpaisseurEchelle,
                            false});
        const double carre = Marge + 110;
        c.textes.push_back({{carre + 13, barre - 1}, TailleTexteGabarit, Ancrage::Gauche, "10 mm"});
        c.traces.push_back({"Carre",
                            {{carre + w, barre - 10 + w},
                             {carre + 10 - w, barre - 10 + w},
                             {carre + 10 - w, barre - w},
                             {carre + w, barre - w}},
                            Trait::Plein,
                            EpaisseurEchelle,
                            true});
        c.largeur = carre + 30 + Marge;
        for (const TexteGabarit& t : c.textes)
            c.largeur = std::max(c.largeur, Boite_Texte(t).droite + Marge);
        c.hauteur = barre + Marge;
    }

    // The drawing moved below or beside the title block, a margin around all its
    // ink; the title block added; the sheet sized to hold both.
    void disposer(Disposition d, Cartouche c) {
        Boite b{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
        auto inclure = [&](Point2 p) {
            b = {std::min(b.gauche, p.x), std::min(b.haut, p.y), std::max(b.droite, p.x),
                 std::max(b.bas, p.y)};
        };
        for (const Point2 p : g_.contour)
            inclure(p);
        for (const TraceGabarit& t : g_.traces)
            for (const Point2 p : t.points)
                inclure(p);
        auto texte = [&](const TexteGabarit& t) {
            if (t.texte.empty()) return;
            const Boite e = Boite_Texte(t);
            inclure({e.gauche, e.haut});
            inclure({e.droite, e.bas});
        };
        for (const Graduation& t : g_.graduations) {
            inclure(t.a), inclure(t.b);
            texte(t.etiquette);
        }
        for (const TexteGabarit& t : g_.textes)
            texte(t);

        const bool dessus = d == Disposition::Dessus;
        const Point2 coin = dessus ? Point2{0, c.hauteur} : Point2{c.largeur, 0};
        deplacer({coin.x + Marge - b.gauche, coin.y + Marge - b.haut});
        const double l = b.droite - b.gauche + 2 * Marge, h = b.bas - b.haut + 2 * Marge;
        g_.largeur = dessus ? std::max(c.largeur, l) : c.largeur + l;
        g_.hauteur = dessus ? c.hauteur + h : std::max(c.hauteur, h);
        for (TexteGabarit& t : c.textes)
            g_.textes.push_back(std::move(t));
        for (TraceGabarit& t : c.traces)
            g_.traces.push_back(std::move(t));
    }

    void deplacer(Point2 v) {
        auto d = [&](Point2& p) { p = {p.x + v.x, p.y + v.y}; };
        d(g_.origine);
        for (Point2& p : g_.contour)
            d(p);
        for (TraceGabarit& t : g_.traces)
            for (Point2& p : t.points)
                d(p);
        for (Graduation& t : g_.graduations) {
            d(t.point), d(t.a), d(t.b);
            d(t.etiquette.position);
        }
        for (TexteGabarit& t : g_.textes)
            d(t.position);
    }

    const Modele& m_;
    const ProfilProjete& p_;
    const Figures& f_;
    Gabarit g_;
    Point2 cordeBA_, cordeBF_;
    double XMin_ = 0, XMax_ = 0, YMin_ = 0, YMax_ = 0;
    std::vector<Point2> normales_; // of each tick, in order
    Attente bfSaumon_;             // the label « BF saumon », on the tip
};

} // namespace

TexteGabarit Texte_Centre(Point2 c, double taille, std::string texte) {
    return {{c.x, c.y + 0.36 * taille}, taille, Ancrage::Centre, std::move(texte)};
}

Boite Boite_Texte(const TexteGabarit& t) {
    double l = 0;
    for (const char c : t.texte)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            l += chasse(static_cast<unsigned char>(c));
    l *= t.taille;
    const double x = t.ancrage == Ancrage::Centre ? t.position.x - l / 2 : t.position.x;
    // Ascent 0.93 em covers an accented capital, descent 0.24 em a descender.
    return {x, t.position.y - 0.93 * t.taille, x + l, t.position.y + 0.24 * t.taille};
}

bool Boites_Proches(const Boite& a, const Boite& b, double ecart) {
    return a.gauche < b.droite + ecart && b.gauche < a.droite + ecart && a.haut < b.bas + ecart &&
           b.haut < a.bas + ecart;
}

Point2 Gabarit::versFeuille(double X, double Y) const {
    const Point2 vu = Tourner_Profil(X, Y, cosVrillage, sinVrillage, hauteurReference);
    return {origine.x - vu.x, origine.y - vu.y};
}

Resultat Construire_Gabarits(const Modele& m, const std::string& date, Disposition d, Gabarit& empl,
                             Gabarit& saum) {
    const Finals& f = m.finals;
    for (const ChampFinal& champ : TableFinals)
        if (f.*champ.texte == TexteSansValeur)
            return Resultat::Refus("Les dimensions finales n'ont pas été calculées : aucun "
                                   "gabarit n'est produit.");
    const Figures fe{Val(f.Txt_Corde_Final), Val(f.Txt_Lg_Final), Val(f.Txt_Href_Empl_final),
                     Val(f.Txt_Vrill_Empl_Final)};
    const Figures fs{fe.corde, fe.longueur, Val(f.Txt_Href_Saum_final),
                     Val(f.Txt_Vrill_Saum_Final)};
    for (const double v : {fe.corde, fe.longueur, fe.hauteur, fe.vrillage, fs.hauteur, fs.vrillage})
        if (!Fini(v))
            return Resultat::Refus("Une dimension finale n'est pas un nombre fini : aucun "
                                   "gabarit n'est produit.");

    const ProfilProjete pe = Profil_Projete(m, Extremite::Emplanture);
    const ProfilProjete ps = Profil_Projete(m, Extremite::Saumon);
    double Xmin, Xmax;
    if (Resultat r = Etendue_Commune(pe, ps, Xmin, Xmax); !r) return r;

    // Numbered ticks at X' = -10 k, within the part both profiles share; none in
    // the last millimetre before the trailing edge, where "BF" stands.
    if (Xmin < -1e5)
        return Resultat::Refus("Les profils projetés s'étendent sur plus de 100 m : aucun "
                               "gabarit n'est produit.");
    std::vector<int> rangs;
    std::vector<double> abscisses;
    for (double k = std::max(1.0, std::ceil(-Xmax / PasGraduations));
         - PasGraduations * k > Xmin + GardeBF; ++k) {
        rangs.push_back(static_cast<int>(k));
        abscisses.push_back(-PasGraduations * k);
    }
    Appariement paires;
    if (Resultat r = Apparier_Profils(pe, ps, abscisses, paires); !r) return r;
    std::vector<Rang> haut, bas;
    for (std::size_t i = 0; i < rangs.size(); ++i) {
        haut.emplace_back(rangs[i], paires.extrados[i]);
        bas.emplace_back(rangs[i], paires.intrados[i]);
    }

    Gabarit ge = Constructeur(m, Extremite::Emplanture, pe, fe).construire(haut, bas, date, d);
    Gabarit gs = Constructeur(m, Extremite::Saumon, ps, fs).construire(haut, bas, date, d);
    if (!Gabarit_Fini(ge) || !Gabarit_Fini(gs))
        return Resultat::Refus("Le tracé des gabarits donne une valeur non numérique : aucun "
                               "gabarit n'est produit.");
    empl = std::move(ge);
    saum = std::move(gs);
    return {};
}

bool Gabarit_Fini(const Gabarit& g) {
    bool ok = Fini(g.largeur) && Fini(g.hauteur) && Fini(g.origine) && Fini(g.cosVrillage) &&
              Fini(g.sinVrillage) && Fini(g.hauteurReference) && g.debutPropre <= g.finPropre &&
              g.finPropre < g.contour.size();
    for (const Point2& q : g.contour)
        ok = ok && Fini(q);
    for (const TraceGabarit& t : g.traces) {
        ok = ok && Fini(t.epaisseur);
        for (const Point2& q : t.points)
            ok = ok && Fini(q);
    }
    for (const Graduation& t : g.graduations)
        ok = ok && Fini(t.X) && Fini(t.point) && Fini(t.a) && Fini(t.b) &&
             Fini(t.etiquette.position) && Fini(t.etiquette.taille);
    for (const TexteGabarit& t : g.textes)
        ok = ok && Fini(t.position) && Fini(t.taille);
    return ok;
}

} // namespace ortix
