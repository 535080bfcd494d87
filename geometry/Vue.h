// A plain description of one drawing area: its user coordinate system, its
// named line shapes and the segments drawn into it. The Qt side only paints
// this; tests check the numbers.
#pragma once

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

enum class Trait { Plein, TiretPoint };

struct Point2 {
    double x = 0, y = 0;
    bool operator==(const Point2&) const = default;
};

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
};

// User coordinates: x of the left edge, width, y of the top edge, height. A
// negative width makes x grow to the left; a negative height makes y grow upward.
struct Repere {
    double gauche = 0, largeur = 1, haut = 0, hauteur = 1;
};

struct Vue {
    // False when the coordinate system cannot be formed (no extent, or not a
    // number); such a view is left blank.
    bool valide = false;
    Repere repere;
    std::vector<Forme> formes;
    std::vector<Segment> segments;

    // Pixel position of a user point in an area of the given size.
    Point2 versPixel(Point2 p, double largeurPx, double hauteurPx) const;
};

// True when every number of the coordinate system is finite and its extent is
// not zero.
bool repereValide(const Repere& r);

} // namespace ortix

namespace ortix {

// Cuts the segment a-b to the rectangle [xmin, xmax] x [ymin, ymax]; false when
// nothing of it lies inside. Keeps painting exact and cheap for marks far outside.
bool couperSegment(Point2& a, Point2& b, double xmin, double ymin, double xmax, double ymax);

} // namespace ortix
