#include "geometry/Gabarit.h"

#include "model/Nombres.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace ortix {

namespace {

bool fini(double v) {
    return std::isfinite(v);
}
bool fini(Point2 p) {
    return fini(p.x) && fini(p.y);
}

double x(const ProfilProjete& p, int i) {
    return p.X[i - 1];
}
double y(const ProfilProjete& p, int i) {
    return p.Y[i - 1];
}

// The leading edge: the first point of largest X'.
int bordAttaque(const ProfilProjete& p) {
    int ba = 1;
    for (int i = 2; i <= p.n; ++i)
        if (x(p, i) > x(p, ba)) ba = i;
    return ba;
}

Resultat verifier(const ProfilProjete& p, const std::string& nom) {
    if (p.n < 2 || p.X == nullptr || p.Y == nullptr)
        return Resultat::Refus("Le profil projeté " + nom +
                               " n'a pas été calculé : calculer les nouveaux profils d'abord.");
    if (p.n > Capacite)
        return Resultat::Refus("Le profil projeté " + nom + " compte plus de 1000 points.");
    for (int i = 1; i <= p.n; ++i)
        if (!fini(x(p, i)) || !fini(y(p, i)))
            return Resultat::Refus("Le profil projeté " + nom +
                                   " a une valeur non numérique (point " + std::to_string(i) +
                                   ") : aucun gabarit n'est produit.");
    return {};
}

// The first crossing of X' = t met walking from the leading edge `ba` by `pas`
// (-1 over the upper surface, +1 over the lower one). The caller has checked
// that t lies between the leading edge and the surface's last point, so the walk
// ends on a point at or aft of t.
PointSurProfil croiser(const ProfilProjete& p, int ba, int pas, double t) {
    const int dernier = pas < 0 ? 1 : p.n;
    if (x(p, ba) <= t || ba == dernier)
        return {y(p, ba), pas < 0 ? std::max(ba - 1, 1) : std::min(ba, p.n - 1)};
    int j = ba + pas;
    while (j != dernier && x(p, j) > t)
        j += pas;
    const int i = j - pas; // x(i) > t >= x(j)
    const double u = (x(p, i) - t) / (x(p, i) - x(p, j));
    return {y(p, i) + u * (y(p, j) - y(p, i)), std::min(i, j)};
}

const std::string nomEmpl = "d'emplanture";
const std::string nomSaum = "du saumon";

// ---- the template's look, in mm --------------------------------------------

constexpr double Bord = 12;        // room around the profile for the ticks and their labels
constexpr double DemiTrait = 3;    // half the length of a tick's stroke
constexpr double TailleRang = 2.5; // the ticks' labels
constexpr double TailleTitre = 5, TailleTexte = 3.5;
constexpr double Gauche = 5;             // the title block's left edge
constexpr double EpaisseurEchelle = 0.4; // the scale bar and the square
constexpr double PasGraduations = 10;
constexpr double GardeBF = 1; // no numbered tick closer than this to the trailing edge

// The text's baseline such that the middle of its capitals falls on `centre`.
TexteGabarit centre(Point2 c, double taille, std::string texte) {
    return {{c.x, c.y + 0.36 * taille}, taille, Ancrage::Centre, std::move(texte)};
}

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

// One template, from the profile, its figures and its ticks' generators (each
// with the point of this profile at its X').
Gabarit construire(const Modele& m, Extremite e, const ProfilProjete& p, const Figures& f,
                   const std::vector<std::pair<int, Generatrice>>& extrados,
                   const std::vector<std::pair<int, Generatrice>>& intrados,
                   const std::string& date) {
    const bool empl = e == Extremite::Emplanture;
    Gabarit g;
    g.extremite = e;
    g.nom = empl ? "Emplanture" : "Saumon";
    const double phi = Radians(f.vrillage);
    g.cosVrillage = std::cos(phi);
    g.sinVrillage = std::sin(phi);
    g.hauteurReference = f.hauteur;

    // The extent of the view: the profile as shown, the chord's ends and (0, 0).
    auto montre = [&](double X, double Y) {
        return Tourner_Profil(X, Y, g.cosVrillage, g.sinVrillage, f.hauteur);
    };
    const Point2 cordeBA = montre(0, f.hauteur), cordeBF = montre(-f.corde, f.hauteur);
    double XMin = 0, XMax = 0, YMin = 0, YMax = 0;
    auto etendre = [&](Point2 q) {
        XMin = std::min(XMin, q.x), XMax = std::max(XMax, q.x);
        YMin = std::min(YMin, q.y), YMax = std::max(YMax, q.y);
    };
    etendre(cordeBA);
    etendre(cordeBF);
    for (int i = 1; i <= p.n; ++i)
        etendre(montre(x(p, i), y(p, i)));

    // The leading edge on the left, Y upward.
    g.origine = {XMax + Bord, YMax + Bord};
    auto feuille = [&](Point2 q) { return Point2{g.origine.x - q.x, g.origine.y - q.y}; };
    g.contour.reserve(static_cast<std::size_t>(p.n));
    for (int i = 1; i <= p.n; ++i)
        g.contour.push_back(g.versFeuille(x(p, i), y(p, i)));

    // The base line and the leading-edge vertical, a little past the profile.
    const double debord = Bord / 2;
    g.traces.push_back({"Ligne_Base",
                        {feuille({XMax + debord, 0}), feuille({XMin - debord, 0})},
                        Trait::TiretPoint,
                        0.2,
                        false});
    g.traces.push_back({"Verticale_BA",
                        {feuille({0, YMax + debord}), feuille({0, YMin - debord})},
                        Trait::TiretPoint,
                        0.2,
                        false});

    // Each end of the chord: a stroke across the turned chord line.
    const Point2 travers = feuille({-g.sinVrillage, g.cosVrillage});
    auto marque = [&](const char* nom, Point2 bout) {
        const Point2 c = feuille(bout);
        const Point2 d{travers.x - g.origine.x, travers.y - g.origine.y};
        g.traces.push_back({nom,
                            {{c.x - 5 * d.x, c.y - 5 * d.y}, {c.x + 5 * d.x, c.y + 5 * d.y}},
                            Trait::Plein,
                            0.35,
                            false});
    };
    marque("Corde_BA", cordeBA);
    marque("Corde_BF", cordeBF);

    // The ticks: a stroke along the outline's outward normal, the label beyond it.
    auto graduer = [&](Face face, int rang, double X, double Y, int s) {
        Graduation t;
        t.face = face;
        t.rang = rang;
        t.X = X;
        t.point = g.versFeuille(X, Y);
        const Point2 a = g.contour[static_cast<std::size_t>(s - 1)];
        const Point2 b = g.contour[static_cast<std::size_t>(s)];
        double nx = a.y - b.y, ny = b.x - a.x; // the outline's left, outside the profile
        const double l = std::hypot(nx, ny);
        if (l > 0 && fini(l)) {
            nx /= l, ny /= l;
        } else { // two equal points: across the chord, away from the profile
            nx = g.sinVrillage, ny = -g.cosVrillage;
            if (face == Face::Intrados) nx = -nx, ny = -ny;
        }
        t.a = {t.point.x + DemiTrait * nx, t.point.y + DemiTrait * ny};
        t.b = {t.point.x - DemiTrait * nx, t.point.y - DemiTrait * ny};
        const double d = DemiTrait + 1 + 0.6 * TailleRang;
        t.etiquette = centre({t.point.x + d * nx, t.point.y + d * ny}, TailleRang,
                             rang ? std::to_string(rang) : "BF");
        g.graduations.push_back(std::move(t));
    };
    auto point = [&](const Generatrice& gen) { return empl ? gen.empl : gen.saum; };
    // Outline order: over the upper surface from the trailing edge forward, then
    // over the lower surface aft.
    graduer(Face::Extrados, 0, x(p, 1), y(p, 1), 1);
    for (auto k = extrados.rbegin(); k != extrados.rend(); ++k)
        graduer(Face::Extrados, k->first, k->second.X, point(k->second).Y,
                point(k->second).segment);
    for (const auto& [rang, gen] : intrados)
        graduer(Face::Intrados, rang, gen.X, point(gen).Y, point(gen).segment);
    graduer(Face::Intrados, 0, x(p, p.n), y(p, p.n), p.n - 1);

    // The title block under the profile.
    double ligne = (YMax - YMin) + 2 * Bord + 2;
    auto texte = [&](double taille, std::string s) {
        ligne += 1.6 * taille;
        g.textes.push_back({{Gauche, ligne}, taille, Ancrage::Gauche, std::move(s)});
    };
    texte(TailleTitre, m.Txt_Nom_proj);
    texte(TailleTitre, g.nom);
    texte(TailleTexte, "Corde : " + Format(f.corde, "#0.00") + " mm");
    texte(TailleTexte, "Hauteur de référence : " + Format(f.hauteur, "#0.00") + " mm");
    texte(TailleTexte, "Vrillage : " + Format(f.vrillage, "#0.00") + "°");
    texte(TailleTexte, "Longueur du tronçon : " + Format(f.longueur, "#0.00") + " mm");
    texte(TailleTexte, "Date : " + date);
    texte(TailleTexte, "Ortix version " ORTIX_VERSION);
    texte(TailleTexte, "Repères tous les 10 mm de corde, BF : bord de fuite");

    // The scale bar and the square: their strokes' outer edges measure 100 mm
    // and 10 mm, so the drawing is inset by half the stroke.
    const double barre = ligne + 12, w = EpaisseurEchelle / 2;
    g.textes.push_back({{Gauche, barre - 4}, TailleTexte, Ancrage::Gauche, "Vérifier : 100 mm"});
    g.traces.push_back({"Echelle",
                        {{Gauche + w, barre - 3},
                         {Gauche + w, barre - w},
                         {Gauche + 100 - w, barre - w},
                         {Gauche + 100 - w, barre - 3}},
                        Trait::Plein,
                        EpaisseurEchelle,
                        false});
    const double carre = Gauche + 110;
    g.textes.push_back({{carre + 13, barre - 1}, TailleTexte, Ancrage::Gauche, "10 mm"});
    g.traces.push_back({"Carre",
                        {{carre + w, barre - 10 + w},
                         {carre + 10 - w, barre - 10 + w},
                         {carre + 10 - w, barre - w},
                         {carre + w, barre - w}},
                        Trait::Plein,
                        EpaisseurEchelle,
                        true});

    g.largeur = std::max((XMax - XMin) + 2 * Bord, carre + 30 + Gauche);
    for (const TexteGabarit& t : g.textes)
        g.largeur = std::max(g.largeur, t.position.x + largeurEstimee(t) + Gauche);
    g.hauteur = barre + Gauche;
    return g;
}

} // namespace

ProfilProjete Profil_Projete(const Modele& m, Extremite e) {
    if (e == Extremite::Emplanture)
        return {m.X_Empl_Proj.data(), m.Y_Empl_Proj.data(), m.Nb_Pts_Empl_Proj};
    return {m.X_Saum_Proj.data(), m.Y_Saum_Proj.data(), m.Nb_Pts_Saum_Proj};
}

Resultat Etendue_Commune(const ProfilProjete& empl, const ProfilProjete& saum, double& Xmin,
                         double& Xmax) {
    if (Resultat r = verifier(empl, nomEmpl); !r) return r;
    if (Resultat r = verifier(saum, nomSaum); !r) return r;
    Xmin = std::max({x(empl, 1), x(empl, empl.n), x(saum, 1), x(saum, saum.n)});
    Xmax = std::min(x(empl, bordAttaque(empl)), x(saum, bordAttaque(saum)));
    return {};
}

Resultat Apparier_Profils(const ProfilProjete& empl, const ProfilProjete& saum,
                          const std::vector<double>& abscisses, Appariement& paires) {
    double Xmin, Xmax;
    if (Resultat r = Etendue_Commune(empl, saum, Xmin, Xmax); !r) return r;
    const int baE = bordAttaque(empl), baS = bordAttaque(saum);
    Appariement a;
    a.extrados.reserve(abscisses.size());
    a.intrados.reserve(abscisses.size());
    for (const double t : abscisses) {
        if (!(t >= Xmin && t <= Xmax))
            return Resultat::Refus("L'abscisse " + Format(t, "#0.000") +
                                   " mm est hors de la partie commune aux deux profils (de " +
                                   Format(Xmin, "#0.000") + " à " + Format(Xmax, "#0.000") +
                                   " mm) : les points ne peuvent pas être appariés.");
        Generatrice haut{t, croiser(empl, baE, -1, t), croiser(saum, baS, -1, t)};
        Generatrice bas{t, croiser(empl, baE, +1, t), croiser(saum, baS, +1, t)};
        if (!fini(haut.empl.Y) || !fini(haut.saum.Y) || !fini(bas.empl.Y) || !fini(bas.saum.Y))
            return Resultat::Refus("L'appariement des profils à l'abscisse " + Format(t, "#0.000") +
                                   " mm donne une valeur non numérique.");
        a.extrados.push_back(haut);
        a.intrados.push_back(bas);
    }
    paires = std::move(a);
    return {};
}

Point2 Gabarit::versFeuille(double X, double Y) const {
    const Point2 vu = Tourner_Profil(X, Y, cosVrillage, sinVrillage, hauteurReference);
    return {origine.x - vu.x, origine.y - vu.y};
}

Resultat Construire_Gabarits(const Modele& m, const std::string& date, Gabarit& empl,
                             Gabarit& saum) {
    const Finals& f = m.finals;
    for (const std::string* s :
         {&f.Txt_Corde_Final, &f.Txt_Lg_Final, &f.Txt_Href_Empl_final, &f.Txt_Vrill_Empl_Final,
          &f.Txt_Href_Saum_final, &f.Txt_Vrill_Saum_Final})
        if (*s == TexteSansValeur)
            return Resultat::Refus("Les dimensions finales n'ont pas été calculées : aucun "
                                   "gabarit n'est produit.");
    const Figures fe{Val(f.Txt_Corde_Final), Val(f.Txt_Lg_Final), Val(f.Txt_Href_Empl_final),
                     Val(f.Txt_Vrill_Empl_Final)};
    const Figures fs{fe.corde, fe.longueur, Val(f.Txt_Href_Saum_final),
                     Val(f.Txt_Vrill_Saum_Final)};
    for (const double v : {fe.corde, fe.longueur, fe.hauteur, fe.vrillage, fs.hauteur, fs.vrillage})
        if (!fini(v))
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
    std::vector<std::pair<int, Generatrice>> haut, bas;
    for (std::size_t i = 0; i < rangs.size(); ++i) {
        haut.emplace_back(rangs[i], paires.extrados[i]);
        bas.emplace_back(rangs[i], paires.intrados[i]);
    }

    Gabarit ge = construire(m, Extremite::Emplanture, pe, fe, haut, bas, date);
    Gabarit gs = construire(m, Extremite::Saumon, ps, fs, haut, bas, date);
    if (!Gabarit_Fini(ge) || !Gabarit_Fini(gs))
        return Resultat::Refus("Le tracé des gabarits donne une valeur non numérique : aucun "
                               "gabarit n'est produit.");
    empl = std::move(ge);
    saum = std::move(gs);
    return {};
}

bool Gabarit_Fini(const Gabarit& g) {
    bool ok = fini(g.largeur) && fini(g.hauteur) && fini(g.origine) && fini(g.cosVrillage) &&
              fini(g.sinVrillage) && fini(g.hauteurReference);
    for (const Point2& q : g.contour)
        ok = ok && fini(q);
    for (const TraceGabarit& t : g.traces) {
        ok = ok && fini(t.epaisseur);
        for (const Point2& q : t.points)
            ok = ok && fini(q);
    }
    for (const Graduation& t : g.graduations)
        ok = ok && fini(t.X) && fini(t.point) && fini(t.a) && fini(t.b) &&
             fini(t.etiquette.position) && fini(t.etiquette.taille);
    for (const TexteGabarit& t : g.textes)
        ok = ok && fini(t.position) && fini(t.taille);
    return ok;
}

Resultat Paginer(const Gabarit& g, const Papier& papier, Pagination& p) {
    const double m = papier.marge, rec = papier.recouvrement;
    if (!(fini(papier.largeur) && fini(papier.hauteur) && fini(m) && fini(rec) && m >= 0 &&
          rec >= 0) ||
        !(papier.largeur - 2 * m > rec && papier.hauteur - 2 * m > rec))
        return Resultat::Refus("Le format de papier ne laisse pas de place au gabarit entre ses "
                               "marges et le recouvrement des pages.");
    if (!(fini(g.largeur) && fini(g.hauteur)))
        return Resultat::Refus("Les dimensions du gabarit ne sont pas des nombres finis.");

    // Pages along one direction: the first holds `utile`, each further one
    // `utile - rec` more. A hair over is not worth a page.
    auto pages = [&](double etendue, double utile) {
        return 1 + std::max(0.0, std::ceil((etendue - utile - 1e-6) / (utile - rec)));
    };
    const double Wp = papier.largeur - 2 * m, Hp = papier.hauteur - 2 * m;
    const double portrait = pages(g.largeur, Wp) * pages(g.hauteur, Hp);
    const double paysage = pages(g.largeur, Hp) * pages(g.hauteur, Wp);
    // Equal counts: the paper laid as the template runs.
    const bool tourne = paysage < portrait || (paysage == portrait && g.largeur > g.hauteur);
    if (std::min(portrait, paysage) > 400)
        return Resultat::Refus("Le gabarit " + g.nom + " demanderait plus de 400 pages.");

    Pagination r;
    r.paysage = tourne;
    const double W = tourne ? papier.hauteur : papier.largeur;
    const double H = tourne ? papier.largeur : papier.hauteur;
    const double Wu = W - 2 * m, Hu = H - 2 * m;
    r.colonnes = static_cast<int>(pages(g.largeur, Wu));
    r.lignes = static_cast<int>(pages(g.hauteur, Hu));
    // The grid centred on the template.
    const double x0 = (g.largeur - (Wu + (r.colonnes - 1) * (Wu - rec))) / 2;
    const double y0 = (g.hauteur - (Hu + (r.lignes - 1) * (Hu - rec))) / 2;
    auto gauche = [&](int c) { return x0 + (c - 1) * (Wu - rec); };
    auto haut = [&](int l) { return y0 + (l - 1) * (Hu - rec); };

    // Alignment marks in the middle of every overlap, two to each shared edge.
    std::vector<Point2> croix;
    for (int l = 1; l <= r.lignes; ++l)
        for (int c = 1; c < r.colonnes; ++c)
            for (const double f : {0.25, 0.75})
                croix.push_back({gauche(c + 1) + rec / 2, haut(l) + f * Hu});
    for (int l = 1; l < r.lignes; ++l)
        for (int c = 1; c <= r.colonnes; ++c)
            for (const double f : {0.25, 0.75})
                croix.push_back({gauche(c) + f * Wu, haut(l + 1) + rec / 2});

    const int total = r.lignes * r.colonnes;
    const double ecart = 0.2 * m, bout = 0.8 * m; // crop marks within the margin
    for (int l = 1; l <= r.lignes; ++l)
        for (int c = 1; c <= r.colonnes; ++c) {
            PageGabarit pg;
            pg.numero = (l - 1) * r.colonnes + c;
            pg.ligne = l;
            pg.colonne = c;
            pg.largeur = W;
            pg.hauteur = H;
            pg.marge = m;
            pg.coin = {gauche(c), haut(l)};
            pg.largeurFenetre = Wu;
            pg.hauteurFenetre = Hu;
            for (const Point2& q : croix)
                if (pg.montre(q)) pg.croix.push_back(q);
            for (const double cx : {m, m + Wu})
                for (const double cy : {m, m + Hu}) {
                    const double sx = cx == m ? -1 : 1, sy = cy == m ? -1 : 1;
                    pg.coupes.push_back({{cx + sx * ecart, cy}, {cx + sx * bout, cy}, {}});
                    pg.coupes.push_back({{cx, cy + sy * ecart}, {cx, cy + sy * bout}, {}});
                }
            // The label in the middle of the bottom margin, how to assemble in the
            // top one: both clear of the crop marks.
            pg.textes.push_back(
                centre({W / 2, H - m / 2}, TailleTexte,
                       g.nom + " " + std::to_string(pg.numero) + "/" + std::to_string(total)));
            if (total > 1)
                pg.textes.push_back(centre({W / 2, m / 2}, TailleTexte,
                                           "Ligne " + std::to_string(l) + ", colonne " +
                                               std::to_string(c) +
                                               " : superposer les croix des pages voisines"));
            r.pages.push_back(std::move(pg));
        }
    p = std::move(r);
    return {};
}

} // namespace ortix
