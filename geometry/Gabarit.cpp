#include "geometry/Gabarit.h"

#include "model/Nombres.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace ortix {

namespace {

// ---- the template's look, in mm --------------------------------------------

constexpr double Bord = 12;        // room around the profile for the ticks and their labels
constexpr double DemiTrait = 3;    // half the length of a tick's stroke
constexpr double TailleRang = 2.5; // the ticks' labels
constexpr double TailleTitre = 5;
constexpr double Gauche = 5;             // the title block's left edge
constexpr double EpaisseurEchelle = 0.4; // the scale bar and the square
constexpr double PasGraduations = 10;
constexpr double GardeBF = 1; // no numbered tick closer than this to the trailing edge

// A rough width, to size the sheet: DejaVu Sans averages below 0.62 em.
double largeurEstimee(const TexteGabarit& t) {
    std::size_t n = 0;
    for (const char c : t.texte)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return 0.62 * t.taille * static_cast<double>(n);
}

struct Figures {
    double corde, longueur, hauteur, vrillage; // vrillage in degrees
};

// A tick's rang and the generator at its X'.
using Rang = std::pair<int, Generatrice>;

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
                       const std::string& date) {
        mesurerEtendue();
        placerContour();
        tracerLignesDeReference();
        marquerCorde();
        graduer(extrados, intrados);
        const double ligne = cartouche(date);
        echelleEtCarre(ligne + 12);
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

    void placerContour() {
        g_.origine = {XMax_ + Bord, YMax_ + Bord};
        g_.contour.reserve(static_cast<std::size_t>(p_.n));
        for (int i = 1; i <= p_.n; ++i)
            g_.contour.push_back(g_.versFeuille(p_.x(i), p_.y(i)));
    }

    // The base line and the leading-edge vertical, a little past the profile.
    void tracerLignesDeReference() {
        const double debord = Bord / 2;
        g_.traces.push_back({"Ligne_Base",
                             {feuille({XMax_ + debord, 0}), feuille({XMin_ - debord, 0})},
                             Trait::TiretPoint,
                             0.2,
                             false});
        g_.traces.push_back({"Verticale_BA",
                             {feuille({0, YMax_ + debord}), feuille({0, YMin_ - debord})},
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

    // A stroke along the outline's outward normal at (X, Y), on the outline's
    // segment (s, s + 1), the label beyond it.
    void ajouterGraduation(Face face, int rang, double X, double Y, int s) {
        Graduation t;
        t.face = face;
        t.rang = rang;
        t.X = X;
        t.point = g_.versFeuille(X, Y);
        const Point2 a = g_.contour[static_cast<std::size_t>(s - 1)];
        const Point2 b = g_.contour[static_cast<std::size_t>(s)];
        double nx = a.y - b.y, ny = b.x - a.x; // the outline's left, outside the profile
        const double l = std::hypot(nx, ny);
        if (l > 0 && Fini(l)) {
            nx /= l, ny /= l;
        } else { // two equal points: across the chord, away from the profile
            nx = g_.sinVrillage, ny = -g_.cosVrillage;
            if (face == Face::Intrados) nx = -nx, ny = -ny;
        }
        t.a = {t.point.x + DemiTrait * nx, t.point.y + DemiTrait * ny};
        t.b = {t.point.x - DemiTrait * nx, t.point.y - DemiTrait * ny};
        const double d = DemiTrait + 1 + 0.6 * TailleRang;
        t.etiquette = Texte_Centre({t.point.x + d * nx, t.point.y + d * ny}, TailleRang,
                                   rang ? std::to_string(rang) : "BF");
        g_.graduations.push_back(std::move(t));
    }

    // The title block under the profile; the baseline of its last line.
    double cartouche(const std::string& date) {
        double ligne = (YMax_ - YMin_) + 2 * Bord + 2;
        auto texte = [&](double taille, std::string s) {
            ligne += 1.6 * taille;
            g_.textes.push_back({{Gauche, ligne}, taille, Ancrage::Gauche, std::move(s)});
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
        return ligne;
    }

    // The scale bar and the square on the line `barre`, then the sheet's size:
    // their strokes' outer edges measure 100 mm and 10 mm, so the drawing is
    // inset by half the stroke.
    void echelleEtCarre(double barre) {
        const double w = EpaisseurEchelle / 2;
        g_.textes.push_back(
            {{Gauche, barre - 4}, TailleTexteGabarit, Ancrage::Gauche, "Vérifier : 100 mm"});
        g_.traces.push_back({"Echelle",
                             {{Gauche + w, barre - 3},
                              {Gauche + w, barre - w},
                              {Gauche + 100 - w, barre - w},
                              {Gauche + 100 - w, barre - 3}},
                             Trait::Plein,
                             EpaisseurEchelle,
                             false});
        const double carre = Gauche + 110;
        g_.textes.push_back(
            {{carre + 13, barre - 1}, TailleTexteGabarit, Ancrage::Gauche, "10 mm"});
        g_.traces.push_back({"Carre",
                             {{carre + w, barre - 10 + w},
                              {carre + 10 - w, barre - 10 + w},
                              {carre + 10 - w, barre - w},
                              {carre + w, barre - w}},
                             Trait::Plein,
                             EpaisseurEchelle,
                             true});
        g_.largeur = std::max((XMax_ - XMin_) + 2 * Bord, carre + 30 + Gauche);
        for (const TexteGabarit& t : g_.textes)
            g_.largeur = std::max(g_.largeur, t.position.x + largeurEstimee(t) + Gauche);
        g_.hauteur = barre + Gauche;
    }

    const Modele& m_;
    const ProfilProjete& p_;
    const Figures& f_;
    Gabarit g_;
    Point2 cordeBA_, cordeBF_;
    double XMin_ = 0, XMax_ = 0, YMin_ = 0, YMax_ = 0;
};

} // namespace

TexteGabarit Texte_Centre(Point2 c, double taille, std::string texte) {
    return {{c.x, c.y + 0.36 * taille}, taille, Ancrage::Centre, std::move(texte)};
}

Point2 Gabarit::versFeuille(double X, double Y) const {
    const Point2 vu = Tourner_Profil(X, Y, cosVrillage, sinVrillage, hauteurReference);
    return {origine.x - vu.x, origine.y - vu.y};
}

Resultat Construire_Gabarits(const Modele& m, const std::string& date, Gabarit& empl,
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

    Gabarit ge = Constructeur(m, Extremite::Emplanture, pe, fe).construire(haut, bas, date);
    Gabarit gs = Constructeur(m, Extremite::Saumon, ps, fs).construire(haut, bas, date);
    if (!Gabarit_Fini(ge) || !Gabarit_Fini(gs))
        return Resultat::Refus("Le tracé des gabarits donne une valeur non numérique : aucun "
                               "gabarit n'est produit.");
    empl = std::move(ge);
    saum = std::move(gs);
    return {};
}

bool Gabarit_Fini(const Gabarit& g) {
    bool ok = Fini(g.largeur) && Fini(g.hauteur) && Fini(g.origine) && Fini(g.cosVrillage) &&
              Fini(g.sinVrillage) && Fini(g.hauteurReference);
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
