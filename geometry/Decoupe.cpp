#include "geometry/Decoupe.h"

#include "geometry/Cassure.h"
#include "model/Nombres.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace ortix {

namespace {

constexpr double Grille = 0.001;        // mm: the towers' positions as the G-code gives them
constexpr double SaigneeStable = 0.001; // mm: the kerf iteration stops below this change
constexpr int IterationsSaignee = 50;
constexpr double FenetreVitesse = 1; // mm of the faster face's travel: see decaler()
// A face that moves less than this share of the other face's displacement is a
// pivot: the wire turns about a point on it.
constexpr double PresqueImmobile = 0.01;
constexpr double Recul = 0.01; // mm: a tower running back by less is still
// Below this value of 1 + cos(turn), an outline that turns back (a nose of no
// thickness) has no miter: its station is pushed ahead along the arriving segment.
constexpr double DemiTour = 2e-4;
// X' may step back by this much along a surface without meaning anything.
constexpr double Bruit = 1e-9; // mm

Point2 operator+(Point2 a, Point2 b) {
    return {a.x + b.x, a.y + b.y};
}
Point2 operator-(Point2 a, Point2 b) {
    return {a.x - b.x, a.y - b.y};
}
Point2 operator*(double k, Point2 a) {
    return {k * a.x, k * a.y};
}
double scalaire(Point2 a, Point2 b) {
    return a.x * b.x + a.y * b.y;
}
double norme(Point2 a) {
    return std::sqrt(scalaire(a, a));
}

constexpr std::array<Extremite, 2> Faces = {Extremite::Emplanture, Extremite::Saumon};

std::size_t indice(Extremite e) {
    return e == Extremite::Emplanture ? 0 : 1;
}

const char* nomProfil(std::size_t e) {
    return e == 0 ? "d'emplanture" : "du saumon";
}

std::string mm(double v) {
    return Format(v, "#0.00") + " mm";
}

// Where a station stands on one outline: on the segment (i, i + 1) at the
// fraction u, or on point i itself when u is 0.
struct Appui {
    int i = 1;
    double u = 0;
    bool operator==(const Appui&) const = default;
};

// One outline in face coordinates, with its X' before the twist.
struct Contour {
    ProfilProjete p;
    std::vector<Point2> face; // point i as entry i - 1
    int ba = 1;

    Point2 at(int i) const { return face[static_cast<std::size_t>(i - 1)]; }
    Point2 point(Appui a) const {
        return a.u == 0 ? at(a.i) : at(a.i) + a.u * (at(a.i + 1) - at(a.i));
    }
    // The outward normal of the travel from a to b (trailing edge, upper
    // surface, leading edge, lower surface): its right-hand side, the horizontal
    // running aft.
    static Point2 normale(Point2 a, Point2 b) {
        const Point2 d = b - a;
        return (1 / norme(d)) * Point2{d.y, -d.x};
    }
    // Where a unit offset moves point i: where the offset lines of its two
    // neighbouring segments meet (a miter), so that the path stays exactly as far
    // from each; along the one segment's normal at an end. Segments of no length
    // are skipped.
    Point2 onglet(int i) const {
        const Point2 q = at(i);
        int avant = i - 1, apres = i + 1;
        while (avant >= 1 && at(avant) == q)
            --avant;
        while (apres <= p.n && at(apres) == q)
            ++apres;
        if (avant < 1 && apres > p.n) return {};
        if (avant < 1) return normale(q, at(apres));
        if (apres > p.n) return normale(at(avant), q);
        const Point2 n1 = normale(at(avant), q), n2 = normale(q, at(apres));
        const double c = 1 + scalaire(n1, n2);
        if (c < DemiTour) return (1 / norme(q - at(avant))) * (q - at(avant));
        return (1 / c) * (n1 + n2);
    }
    // The point half a kerf outside the outline at `a`. Inside a segment, the
    // offset runs between the miters of its ends, on the segment's offset line:
    // the path is the polygon of the miters, never closer to the outline than the
    // half kerf, and a station near a concave corner does not overshoot it.
    Point2 decale(Appui a, double demi) const {
        const Point2 q = point(a);
        if (demi == 0) return q;
        const Point2 m = onglet(a.i);
        return q + demi * (a.u == 0 ? m : m + a.u * (onglet(a.i + 1) - m));
    }
};

// One station while it is planned: its generator and where it stands on each outline.
struct Station {
    Partie partie = Partie::Extrados;
    double X = 0;
    std::array<Appui, 2> appui{};
    std::array<double, 2> saignee{};
    std::array<Point2, 2> fil{};
};

// Whether two segments cross each other, not merely touch: points within a
// hair's breadth of a line (collinear pieces of one offset line, two trailing-edge
// ends that coincide) count as on it.
bool croisent(Point2 a, Point2 b, Point2 c, Point2 d) {
    auto orientation = [](Point2 o, Point2 p, Point2 q) {
        const Point2 u = p - o, w = q - o;
        const double v = u.x * w.y - u.y * w.x, marge = 1e-9 * norme(u) * norme(w);
        return (v > marge) - (v < -marge);
    };
    return orientation(a, b, c) * orientation(a, b, d) < 0 &&
           orientation(c, d, a) * orientation(c, d, b) < 0;
}

// Plans the cut step by step; each step may refuse.
class Calcul {
  public:
    Calcul(const Modele& m, const ProfilMachine& p) : m_(m), p_(p) {}

    Resultat faire(Decoupe& d) {
        Resultat r = verifierProfilMachine();
        if (r) r = lireFigures();
        if (r) r = verifierBloc();
        if (r) r = verifierContours();
        if (r) {
            apparier(Face::Extrados);
            apparier(Face::Intrados);
            r = decaler();
        }
        if (r) r = verifierCroisements();
        if (r) {
            placerPositions();
            placerTours();
            r = verifierLimites();
        }
        if (!r) return r;
        resumer();
        if (!fini())
            return Resultat::Refus("La découpe donne une valeur non numérique : aucun G-code "
                                   "n'est produit.");
        d = std::move(d_);
        return {};
    }

  private:
    // What the computation needs of the profile to stay finite; the profile
    // file's reader holds every value to its own range.
    Resultat verifierProfilMachine() const {
        bool ok = p_.vitesse > 0 && Fini(p_.vitesse) && Fini(p_.ecartTours) &&
                  Fini(p_.distanceEmplanture) && Fini(p_.entree) && Fini(p_.hauteurLigneDeBase) &&
                  Fini(p_.angleFilMax) && p_.saigneeEmplanture >= 0 && p_.saigneeSaumon >= 0 &&
                  Fini(p_.saigneeEmplanture) && Fini(p_.saigneeSaumon) && Fini(p_.prechauffe) &&
                  Fini(p_.pauseBordAttaque) && Fini(p_.pauseBordDeFuite) &&
                  p_.saigneeVitesse.size() != 1;
        for (std::size_t k = 0; k < p_.saigneeVitesse.size(); ++k) {
            const SaigneeVitesse& s = p_.saigneeVitesse[k];
            ok = ok && Fini(s.vitesse) && Fini(s.saignee) && s.saignee >= 0 &&
                 (k == 0 || s.vitesse > p_.saigneeVitesse[k - 1].vitesse);
        }
        for (std::size_t a = 0; a < NombreAxes; ++a)
            ok = ok && Fini(p_.courseMin[a]) && Fini(p_.courseMax[a]) && Fini(p_.vitesseMax[a]);
        if (ok) return {};
        return Resultat::Refus("Le profil machine a une valeur non numérique, une vitesse nulle, "
                               "une saignée négative ou une table de saignée qui n'est pas "
                               "rangée par vitesses croissantes.");
    }

    Resultat lireFigures() {
        const Finals& f = m_.finals;
        for (const std::string* t : {&f.Txt_Href_Empl_final, &f.Txt_Vrill_Empl_Final,
                                     &f.Txt_Href_Saum_final, &f.Txt_Vrill_Saum_Final})
            if (*t == TexteSansValeur)
                return Resultat::Refus("Les profils projetés n'ont pas été calculés : calculer "
                                       "les nouveaux profils d'abord.");
        hauteur_ = {Val(f.Txt_Href_Empl_final), Val(f.Txt_Href_Saum_final)};
        vrillage_ = {Radians(Val(f.Txt_Vrill_Empl_Final)), Radians(Val(f.Txt_Vrill_Saum_Final))};
        // The tip face is the tip cutting plane, through the tip section's first point.
        largeur_ = m_.Nb_Pts_Saum >= 1 ? m_.Z_Saum_Rot(1) : 0;
        if (!Fini(hauteur_[0]) || !Fini(hauteur_[1]) || !Fini(vrillage_[0]) ||
            !Fini(vrillage_[1]) || !Fini(largeur_))
            return Resultat::Refus("Une dimension finale n'est pas un nombre fini : aucun G-code "
                                   "n'est produit.");
        if (largeur_ <= 0)
            return Resultat::Refus("Les faces du bloc ne sont pas écartées (largeur " +
                                   mm(largeur_) + ") : aucun G-code n'est produit.");
        return {};
    }

    Resultat verifierBloc() {
        distance_ = {p_.distanceEmplanture, p_.ecartTours - p_.distanceEmplanture - largeur_};
        if (distance_[0] <= 0)
            return Resultat::Refus("Le bloc ne tient pas entre les tours : distance_emplanture = " +
                                   Texte_Exact(p_.distanceEmplanture) +
                                   " mm, il faut une distance positive entre la tour côté "
                                   "emplanture et la face d'emplanture.");
        if (distance_[1] <= 0)
            return Resultat::Refus(
                "Le bloc ne tient pas entre les tours : avec ecart_tours = " +
                Texte_Exact(p_.ecartTours) +
                " mm et distance_emplanture = " + Texte_Exact(p_.distanceEmplanture) +
                " mm, le bloc de " + mm(largeur_) + " de large laisse " + mm(distance_[1]) +
                " entre la face du saumon et sa tour ; il faut une distance positive.");
        return {};
    }

    Resultat verifierContours() {
        double Xmin, Xmax;
        const ProfilProjete pe = Profil_Projete(m_, Extremite::Emplanture);
        const ProfilProjete ps = Profil_Projete(m_, Extremite::Saumon);
        if (Resultat r = Etendue_Commune(pe, ps, Xmin, Xmax); !r) return r;
        for (const Extremite e : Faces) {
            const std::size_t k = indice(e);
            Contour& c = contour_[k];
            c.p = k == 0 ? pe : ps;
            c.ba = c.p.bordAttaque();
            const double c0 = std::cos(vrillage_[k]), s0 = std::sin(vrillage_[k]);
            c.face.clear();
            double Xlo = c.p.x(1), Xhi = c.p.x(1);
            for (int i = 1; i <= c.p.n; ++i) {
                const Point2 q = Tourner_Profil(c.p.x(i), c.p.y(i), c0, s0, hauteur_[k]);
                c.face.push_back({-q.x, q.y});
                Xlo = std::min(Xlo, c.p.x(i)), Xhi = std::max(Xhi, c.p.x(i));
            }
            const double milieu = (Xlo + Xhi) / 2;
            if (c.ba == 1 || c.ba == c.p.n || c.p.x(1) > milieu || c.p.x(c.p.n) > milieu)
                return Resultat::Refus(
                    std::string("Le profil projeté ") + nomProfil(k) +
                    " ne commence pas et ne finit pas à son bord de fuite : le profil d'origine "
                    "est sans doute listé depuis son bord d'attaque. Un profil doit aller du bord "
                    "de fuite au bord de fuite, par l'extrados puis l'intrados.");
        }
        bool revient = false;
        const std::string phrase = Phrase_Cassures(Mesurer_Cassures(m_), revient);
        if (revient) return Resultat::Refus(phrase + " Le fil ne peut pas le découper.");
        for (std::size_t k = 0; k < 2; ++k) {
            const Contour& c = contour_[k];
            for (int i = 2; i <= c.p.n; ++i) {
                const bool extrados = i <= c.ba;
                const double recul = extrados ? c.p.x(i - 1) - c.p.x(i) : c.p.x(i) - c.p.x(i - 1);
                if (recul > Bruit)
                    return Resultat::Refus(
                        std::string("Le profil projeté ") + nomProfil(k) + " revient en arrière " +
                        (extrados ? "à l'extrados" : "à l'intrados") + " au point " +
                        std::to_string(i) + " (abscisse " + mm(c.p.x(i)) + " après " +
                        mm(c.p.x(i - 1)) + ") : le fil ne peut pas suivre les génératrices.");
            }
        }
        return {};
    }

    // The stations of one surface: both outlines walked together by growing t
    // (X' over the upper surface, -X' over the lower one), one station at every
    // point of either. A station equal to the one before is dropped.
    void apparier(Face face) {
        const bool extrados = face == Face::Extrados;
        const double signe = extrados ? 1 : -1;
        std::array<int, 2> debut{}, fin{}, fait{};
        for (std::size_t k = 0; k < 2; ++k) {
            debut[k] = extrados ? 1 : contour_[k].ba;
            fin[k] = extrados ? contour_[k].ba : contour_[k].p.n;
            fait[k] = debut[k] - 1;
        }
        auto t = [&](std::size_t k, int i) { return signe * contour_[k].p.x(i); };
        // The point of outline k at t, its last point walked being `q`.
        auto sur = [&](std::size_t k, double tt) -> Appui {
            const int q = fait[k];
            if (q < debut[k]) return {debut[k], 0};
            if (q >= fin[k]) return {fin[k], 0};
            const double t0 = t(k, q), t1 = t(k, q + 1);
            if (t1 <= t0 || tt <= t0) return {q, 0};
            if (tt >= t1) return {q + 1, 0};
            return {q, (tt - t0) / (t1 - t0)};
        };
        while (fait[0] < fin[0] || fait[1] < fin[1]) {
            const std::size_t k = fait[0] >= fin[0]                        ? 1
                                  : fait[1] >= fin[1]                      ? 0
                                  : t(0, fait[0] + 1) <= t(1, fait[1] + 1) ? 0
                                                                           : 1;
            const double tt = t(k, ++fait[k]);
            Station s;
            s.partie = extrados ? Partie::Extrados : Partie::Intrados;
            s.X = signe * tt;
            s.appui[k] = {fait[k], 0};
            // Two points a hair apart in X' (both leading edges, often) make one station.
            const std::size_t o = 1 - k;
            if (fait[o] < fin[o] && t(o, fait[o] + 1) - tt <= Bruit) ++fait[o];
            s.appui[o] = sur(o, tt);
            if (stations_.empty() || stations_.back().appui != s.appui) stations_.push_back(s);
        }
    }

    // Each face's wire path with the kerf of its speed, until the kerfs settle.
    // A face's speed at a station is its mean speed over the moves within
    // FenetreVitesse of travel of the faster face on either side: a face that a
    // move barely shifts (held while the other one runs, or shifted by nothing
    // but a change of kerf) would otherwise swing the kerf that shifts it.
    Resultat decaler() {
        const std::size_t n = stations_.size();
        for (Station& s : stations_)
            for (const Extremite e : Faces)
                s.saignee[indice(e)] = Saignee(p_, e, p_.vitesse);
        // Sums over the moves before each station: the faster face's travel, each
        // face's travel, the time.
        std::vector<double> course(n), temps(n);
        std::array<std::vector<double>, 2> chemin{std::vector<double>(n), std::vector<double>(n)};
        for (int iteration = 0; iteration < IterationsSaignee; ++iteration) {
            for (Station& s : stations_)
                for (std::size_t k = 0; k < 2; ++k)
                    s.fil[k] = contour_[k].decale(s.appui[k], s.saignee[k] / 2);
            for (std::size_t j = 1; j < n; ++j) {
                const double d0 = norme(stations_[j].fil[0] - stations_[j - 1].fil[0]);
                const double d1 = norme(stations_[j].fil[1] - stations_[j - 1].fil[1]);
                course[j] = course[j - 1] + std::max(d0, d1);
                chemin[0][j] = chemin[0][j - 1] + d0;
                chemin[1][j] = chemin[1][j - 1] + d1;
                temps[j] = course[j] / p_.vitesse;
            }
            double change = 0;
            std::vector<std::array<double, 2>> nouvelles(n);
            for (std::size_t j = 0; j < n; ++j) {
                std::size_t a = static_cast<std::size_t>(
                    std::upper_bound(course.begin(),
                                     course.begin() + static_cast<std::ptrdiff_t>(j),
                                     course[j] - FenetreVitesse) -
                    course.begin());
                a = a > 0 ? a - 1 : 0;
                std::size_t b = static_cast<std::size_t>(
                    std::lower_bound(course.begin() + static_cast<std::ptrdiff_t>(j), course.end(),
                                     course[j] + FenetreVitesse) -
                    course.begin());
                b = std::min(b, n - 1);
                for (const Extremite e : Faces) {
                    const std::size_t k = indice(e);
                    const double t = temps[b] - temps[a];
                    nouvelles[j][k] =
                        Saignee(p_, e, t > 0 ? (chemin[k][b] - chemin[k][a]) / t : p_.vitesse);
                    change = std::max(change, std::fabs(nouvelles[j][k] - stations_[j].saignee[k]));
                }
            }
            if (!(change > SaigneeStable)) return {};
            for (std::size_t j = 0; j < n; ++j)
                stations_[j].saignee = nouvelles[j];
        }
        return Resultat::Refus("La saignée ne se stabilise pas : la table saignee_vitesse varie "
                               "trop vite avec la vitesse pour ce panneau.");
    }

    // Whether station j of face k counts for the crossing test: the whole root
    // face; on the tip face, what lies ahead of the tip's own trailing edge,
    // behind which the lengthening pinches to nothing or crosses itself.
    bool devant(std::size_t j, std::size_t k) const {
        if (k == 0) return true;
        const Appui a = stations_[j].appui[1];
        const double rang = a.i + a.u;
        return stations_[j].partie == Partie::Extrados ? rang > m_.Rang_Saum_Premier_Proj
                                                       : rang < m_.Rang_Saum_Dernier_Proj;
    }

    // Neither face's path crosses itself, nor the other surface's, where foam of
    // the panel is cut: segments sorted along the horizontal, each tested against
    // those it overlaps.
    Resultat verifierCroisements() const {
        struct Trait {
            double gauche, droite;
            std::size_t j;
        };
        for (std::size_t k = 0; k < 2; ++k) {
            std::vector<Trait> traits;
            for (std::size_t j = 0; j + 1 < stations_.size(); ++j) {
                const Point2 a = stations_[j].fil[k], b = stations_[j + 1].fil[k];
                if (devant(j, k) && devant(j + 1, k) && !(a == b))
                    traits.push_back({std::min(a.x, b.x), std::max(a.x, b.x), j});
            }
            std::sort(traits.begin(), traits.end(),
                      [](const Trait& a, const Trait& b) { return a.gauche < b.gauche; });
            for (std::size_t i = 0; i < traits.size(); ++i)
                for (std::size_t l = i + 1;
                     l < traits.size() && traits[l].gauche <= traits[i].droite; ++l) {
                    const std::size_t a = std::min(traits[i].j, traits[l].j);
                    const std::size_t b = std::max(traits[i].j, traits[l].j);
                    if (b == a + 1) continue;
                    if (croisent(stations_[a].fil[k], stations_[a + 1].fil[k], stations_[b].fil[k],
                                 stations_[b + 1].fil[k]))
                        return Resultat::Refus(
                            std::string("La saignée fait se croiser la trajectoire du fil sur la "
                                        "face ") +
                            nomProfil(k) + ", " + lieu(station(a)) + " et " + lieu(station(b)) +
                            " : le profil y est plus mince ou plus courbé que la saignée ; "
                            "réduire la saignée.");
                }
        }
        return {};
    }

    PositionFil station(std::size_t j) const {
        const Station& s = stations_[j];
        PositionFil q;
        q.partie = s.partie;
        q.X = s.X;
        for (std::size_t k = 0; k < 2; ++k) {
            q.point[k] = s.appui[k].i;
            q.sommet[k] = s.appui[k].u == 0;
            q.profil[k] = contour_[k].point(s.appui[k]);
            q.fil[k] = s.fil[k];
            q.saignee[k] = s.saignee[k];
        }
        return q;
    }

    // A lead position at `fil` on both faces, beside the outline's end `bout`.
    PositionFil entree(Partie partie, const std::array<Point2, 2>& fil, const PositionFil& bout) {
        PositionFil q = bout;
        q.partie = partie;
        q.profil = q.fil = fil;
        q.pause = 0;
        return q;
    }

    // The start S, the lead-in S -> M -> the upper path's first point, the
    // stations, and the lead-out back along the lead-in. M is the midpoint of the
    // two paths' trailing-edge ends: where the trailing edge is thinner than the
    // kerf, the wire's channel rounds it there.
    void placerPositions() {
        const PositionFil premier = station(0), dernier = station(stations_.size() - 1);
        std::array<Point2, 2> M, S;
        for (std::size_t k = 0; k < 2; ++k) {
            M[k] = 0.5 * (premier.fil[k] + dernier.fil[k]);
            S[k] = M[k] + Point2{p_.entree, 0};
        }
        std::vector<PositionFil>& q = d_.positions;
        q.push_back(entree(Partie::Depart, S, premier));
        q.push_back(entree(Partie::Entree, M, premier));
        for (std::size_t j = 0; j < stations_.size(); ++j) {
            q.push_back(station(j));
            const bool ba = j + 1 < stations_.size() &&
                            stations_[j + 1].partie == Partie::Intrados &&
                            stations_[j].partie == Partie::Extrados;
            if (j == 0 || j + 1 == stations_.size()) q.back().pause = p_.pauseBordDeFuite;
            if (ba) q.back().pause = p_.pauseBordAttaque;
        }
        q.push_back(entree(Partie::Sortie, M, dernier));
        q.push_back(entree(Partie::Sortie, S, dernier));
    }

    // The towers on the line of the wire, placed on the grid the G-code writes;
    // a position the towers would not leave is dropped (its dwell kept), a
    // lead-in point rather than the station it meets. Durations
    // and face speeds follow the wire as those towers carry it.
    void placerTours() {
        d_.largeur = largeur_;
        d_.distance = distance_;
        d_.vitesse = p_.vitesse;
        d_.prechauffe = p_.prechauffe;
        auto grille = [](double v) { return std::round(v / Grille) * Grille; };
        std::vector<PositionFil> gardees;
        for (PositionFil& q : d_.positions) {
            const Point2 R = q.fil[0], T = q.fil[1];
            const Point2 L = R + (distance_[0] / largeur_) * (R - T);
            const Point2 U = T + (distance_[1] / largeur_) * (T - R);
            q.tour = {Point2{grille(L.x), grille(L.y + p_.hauteurLigneDeBase)},
                      Point2{grille(U.x), grille(U.y + p_.hauteurLigneDeBase)}};
            const bool station = q.partie == Partie::Extrados || q.partie == Partie::Intrados;
            if (gardees.empty() || !(gardees.back().tour == q.tour)) {
                gardees.push_back(q);
            } else if (station && gardees.back().partie == Partie::Entree) {
                q.pause += gardees.back().pause; // the station keeps its outline points
                gardees.back() = q;
            } else {
                gardees.back().pause += q.pause;
            }
        }
        d_.positions = std::move(gardees);
        std::array<Point2, 2> avant = Fil_Sur_Faces(p_, largeur_, d_.positions[0].tour);
        for (std::size_t j = 1; j < d_.positions.size(); ++j) {
            PositionFil& q = d_.positions[j];
            const std::array<Point2, 2> apres = Fil_Sur_Faces(p_, largeur_, q.tour);
            const double d0 = norme(apres[0] - avant[0]), d1 = norme(apres[1] - avant[1]);
            q.duree = std::max(d0, d1) / p_.vitesse;
            q.vitesse = {d0 / q.duree, d1 / q.duree};
            avant = apres;
        }
    }

    Resultat verifierLimites() const {
        const double tangente = std::tan(Radians(p_.angleFilMax));
        std::array<double, NombreAxes> avant{};
        for (std::size_t j = 0; j < d_.positions.size(); ++j) {
            const PositionFil& q = d_.positions[j];
            const std::array<double, NombreAxes> v = Valeurs_Axes(p_, q.tour);
            for (std::size_t a = 0; a < NombreAxes; ++a) {
                const std::string axe(1, p_.axes[a]);
                if (v[a] < p_.courseMin[a] || v[a] > p_.courseMax[a])
                    return Resultat::Refus("L'axe " + axe + " sort de sa course : " + mm(v[a]) +
                                           " hors de course_" + axe + " = " +
                                           Texte_Exact(p_.courseMin[a]) + ":" +
                                           Texte_Exact(p_.courseMax[a]) + ", " + lieu(q) + ".");
                const double vitesse = j ? std::fabs(v[a] - avant[a]) / q.duree : 0;
                if (vitesse > p_.vitesseMax[a] * (1 + 1e-9))
                    return Resultat::Refus("L'axe " + axe + " irait à " + Format(vitesse, "#0.00") +
                                           " mm/s, plus que vitesse_max_" + axe + " = " +
                                           Texte_Exact(p_.vitesseMax[a]) + " mm/s, " + lieu(q) +
                                           " : réduire la vitesse de coupe (vitesse).");
            }
            avant = v;
            const double ecart = norme(q.fil[0] - q.fil[1]);
            if (ecart > tangente * largeur_)
                return Resultat::Refus("Le fil s'inclinerait de " +
                                       Format(Degres(std::atan(ecart / largeur_)), "#0.00") +
                                       "° par rapport à l'équerre des faces, plus que "
                                       "angle_fil_max = " +
                                       Texte_Exact(p_.angleFilMax) + "°, " + lieu(q) + ".");
        }
        return verifierMiroirs();
    }

    // Each tower against its face along the outlines, from one of the face's own
    // outline points to the next: inside one of its segments the face moves
    // straight while the other face follows its curve, and single moves would
    // show crossings that the two outlines do not have. The lead-in and lead-out,
    // which only cross the trailing edge's channel, are not judged.
    Resultat verifierMiroirs() const {
        const std::vector<PositionFil>& q = d_.positions;
        auto station = [&](std::size_t j) {
            return q[j].partie == Partie::Extrados || q[j].partie == Partie::Intrados;
        };
        for (std::size_t k = 0; k < 2; ++k) {
            std::size_t j0 = 0;
            for (std::size_t j = 0; j < q.size(); ++j) {
                if (!station(j)) continue;
                const bool dernier = j + 1 == q.size() || !station(j + 1);
                if (station(j0) && j0 < j && (q[j].sommet[k] || dernier))
                    if (Resultat r = verifierMiroir(k, q[j0], q[j]); !r) return r;
                if (!station(j0) || q[j].sommet[k] || dernier) j0 = j;
            }
        }
        return {};
    }

    // A tower that runs back against its face: the wire lines at both ends of
    // the stretch cross between the face and its tower, and the tower's path
    // comes out mirrored. A face that barely moves is a pivot, whose tower's
    // direction says nothing; a tower that runs back by less than Recul is taken
    // as still.
    Resultat verifierMiroir(std::size_t k, const PositionFil& a, const PositionFil& b) const {
        const Point2 face = b.fil[k] - a.fil[k], autre = b.fil[1 - k] - a.fil[1 - k];
        const Point2 tour = b.tour[k] - a.tour[k];
        const double longueur = norme(face);
        if (longueur <= PresqueImmobile * norme(autre) || -scalaire(face, tour) <= Recul * longueur)
            return {};
        const std::size_t premier = Premier_Axe(p_, Faces[k]);
        return Resultat::Refus(
            std::string("La trajectoire de la tour côté ") + (k == 0 ? "emplanture" : "saumon") +
            " (axes " + p_.axes[premier] + p_.axes[premier + 1] + ") serait inversée " + lieu(b) +
            " : elle reculerait de " + mm(-scalaire(face, tour) / longueur) +
            " quand la face avance, le fil se croisant entre la face et sa tour. Rapprocher "
            "cette tour du bloc (ecart_tours, distance_emplanture).");
    }

    static std::string lieu(const PositionFil& q) {
        switch (q.partie) {
        case Partie::Depart:
            return "au point de départ";
        case Partie::Entree:
            return "à l'entrée";
        case Partie::Sortie:
            return "à la sortie";
        default:
            return std::string(q.partie == Partie::Extrados ? "à l'extrados" : "à l'intrados") +
                   ", abscisse " + mm(q.X) + " (point " + std::to_string(q.point[0]) +
                   " d'emplanture, " + std::to_string(q.point[1]) + " du saumon)";
        }
    }

    void resumer() {
        const std::vector<PositionFil>& q = d_.positions;
        d_.duree = d_.prechauffe;
        for (std::size_t a = 0; a < NombreAxes; ++a)
            d_.axes[a].min = d_.axes[a].max = Valeurs_Axes(p_, q[0].tour)[a];
        bool premiere = true;
        for (const PositionFil& r : q) {
            d_.duree += r.duree + r.pause;
            const std::array<double, NombreAxes> v = Valeurs_Axes(p_, r.tour);
            for (std::size_t a = 0; a < NombreAxes; ++a)
                d_.axes[a] = {std::min(d_.axes[a].min, v[a]), std::max(d_.axes[a].max, v[a])};
            d_.angleFil = std::max(d_.angleFil, Angle_Fil(r.fil, largeur_));
            if (r.partie != Partie::Extrados && r.partie != Partie::Intrados) continue;
            for (std::size_t k = 0; k < 2; ++k) {
                const double h = r.profil[k].y + p_.hauteurLigneDeBase;
                if (premiere) d_.saignee[k] = {r.saignee[k], r.saignee[k]}, d_.hauteur[k] = {h, h};
                d_.saignee[k] = {std::min(d_.saignee[k].min, r.saignee[k]),
                                 std::max(d_.saignee[k].max, r.saignee[k])};
                d_.hauteur[k] = {std::min(d_.hauteur[k].min, h), std::max(d_.hauteur[k].max, h)};
            }
            premiere = false;
        }
    }

    bool fini() const {
        bool ok = Fini(d_.duree) && Fini(d_.angleFil);
        for (const PositionFil& q : d_.positions)
            for (std::size_t k = 0; k < 2; ++k)
                ok = ok && Fini(q.X) && Fini(q.profil[k]) && Fini(q.fil[k]) && Fini(q.tour[k]) &&
                     Fini(q.saignee[k]) && Fini(q.vitesse[k]) && Fini(q.duree);
        return ok;
    }

    const Modele& m_;
    const ProfilMachine& p_;
    std::array<double, 2> hauteur_{}, vrillage_{}, distance_{};
    double largeur_ = 0;
    std::array<Contour, 2> contour_;
    std::vector<Station> stations_;
    Decoupe d_;
};

} // namespace

Resultat Calculer_Decoupe(const Modele& m, const ProfilMachine& p, Decoupe& d) {
    return Calcul(m, p).faire(d);
}

std::array<Point2, 2> Fil_Sur_Faces(const ProfilMachine& p, double largeur,
                                    const std::array<Point2, 2>& tours) {
    const double a = p.distanceEmplanture / p.ecartTours;
    const double b = (p.distanceEmplanture + largeur) / p.ecartTours;
    const Point2 L = tours[0] - Point2{0, p.hauteurLigneDeBase};
    const Point2 U = tours[1] - Point2{0, p.hauteurLigneDeBase};
    return {L + a * (U - L), L + b * (U - L)};
}

double Angle_Fil(const std::array<Point2, 2>& faces, double largeur) {
    return Degres(std::atan(norme(faces[0] - faces[1]) / largeur));
}

std::array<double, NombreAxes> Valeurs_Axes(const ProfilMachine& p,
                                            const std::array<Point2, 2>& tours) {
    std::array<double, NombreAxes> v{};
    for (const Extremite e : Faces) {
        const std::size_t a = Premier_Axe(p, e);
        v[a] = tours[indice(e)].x;
        v[a + 1] = tours[indice(e)].y;
    }
    return v;
}

} // namespace ortix
