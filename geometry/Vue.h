// A plain description of one drawing area: its user coordinate system, its
// named line shapes and the segments drawn into it. The Qt side only paints
// this; tests check the numbers.
#pragma once

#include "model/Nombres.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ortix {

struct Couleur {
    std::uint8_t r = 0, g = 0, b = 0;
    bool texte = false; // the window-text colour rather than r, g, b
    bool operator==(const Couleur&) const = default;
};

inline constexpr Couleur CouleurTexte{0, 0, 0, true};
inline constexpr Couleur Rouge{255, 0, 0};
inline constexpr Couleur Orange{255, 192, 128};
inline constexpr Couleur Bleu{0, 0, 255};
inline constexpr Couleur Vert{0, 255, 0};

enum class Trait { Plein, TiretPoint, Tirets };

struct Point2 {
    double x = 0, y = 0;
    bool operator==(const Point2&) const = default;
};

inline bool Fini(Point2 p) {
    return Fini(p.x) && Fini(p.y);
}

// A projected profile's point (X', Y) as shown: turned by the final twist, of
// cosine c and sine s, about its leading-edge reference point (0, H).
inline Point2 Tourner_Profil(double X, double Y, double c, double s, double H) {
    return {X * c - (Y - H) * s, X * s + (Y - H) * c + H};
}

// A named, persistent line whose two end points each run sets.
struct Forme {
    std::string nom;
    Couleur couleur;
    int largeur = 1;
    Trait trait = Trait::Plein;
    Point2 a, b;
};

struct Segment {
    Point2 a, b;
    Couleur couleur;
    Trait trait = Trait::Plein;
};

// A caption of a view, centred just above its point.
struct TexteVue {
    Point2 point;
    std::string texte;
    Couleur couleur;
};

// User coordinates: x of the left edge, width, y of the top edge, height. A
// negative width makes x grow to the left; a negative height makes y grow upward.
struct Repere {
    double gauche = 0, largeur = 1, haut = 0, hauteur = 1;
};

// The size of a drawing area in pixels.
struct Taille {
    double largeur = 0, hauteur = 0;
};

// The areas' sizes the window opens with; the views are fitted to the areas'
// actual sizes, and are exactly as at these sizes when the areas have them.
struct TaillesVues {
    Taille Pic_Prof_Ini{533, 133};
    Taille Plan_Ini{267, 200};
    Taille Plan_Final{267, 200};
    Taille Pic_Prof_Proj{533, 141};
};

// How much wider, relative to its height, an area is than at the size it opens
// with: 1 there. A view keeps the relation between its two scales by
// multiplying the ratio its fitting rule holds (4 : 1, 4 : 3) by this.
double Etirement(Taille actuelle, Taille ouverture);

struct Vue {
    // False when the coordinate system cannot be formed (no extent, or not a
    // number); such a view is left blank.
    bool valide = false;
    Repere repere;
    std::vector<Forme> formes;
    std::vector<Segment> segments;
    std::vector<TexteVue> textes;
};

// The pixel of an area under a user point.
Point2 Vers_Pixel(const Repere& r, Point2 p, Taille t);
// The user point under a pixel of an area.
Point2 Vers_Utilisateur(const Repere& r, Point2 pixel, Taille t);
// The system zoomed by `facteur` (above 1: closer) about a pixel: the user point
// under it stays under it.
Repere Zoomer(const Repere& r, Point2 pixel, double facteur, Taille t);
// The system moved as the mouse drags the drawing by `deplacement` pixels.
Repere Deplacer(const Repere& r, Point2 deplacement, Taille t);

// True when every number of the coordinate system is finite and its extent is
// not zero.
bool Repere_Valide(const Repere& r);

} // namespace ortix

namespace ortix {

// Cuts the segment a-b to the rectangle [xmin, xmax] x [ymin, ymax]; false when
// nothing of it lies inside. Keeps painting exact and cheap for marks far outside.
bool Couper_Segment(Point2& a, Point2& b, double xmin, double ymin, double xmax, double ymax);

} // namespace ortix
