// The cut of a panel on a four-axis hot-wire cutter, as plain data: where the
// wire passes on both faces of the block and at both towers, position by
// position, with each move's duration, face speeds and kerf. The G-code writer
// only tells it to a controller; a preview only paints it.
//
// Face coordinates, in mm: on each face the projected profile as the templates
// show it, turned by its final twist about its leading-edge reference point;
// horizontal from the leading-edge vertical, positive toward the trailing edge;
// vertical, the height above the base line.
// Machine coordinates, in mm: the horizontal as on the faces; the vertical, the
// height above the table (the base line's height plus the face's vertical).
// Their origin, the foot of the leading-edge vertical on the base line, is one
// line through both faces and both tower planes; the kerf never moves it.
//
// Pairs of faces or towers are indexed by Extremite: [0] the root face and the
// root-side tower, [1] the tip face and the tip-side tower.
#pragma once

#include "geometry/Appariement.h"
#include "geometry/Machine.h"
#include "geometry/Vue.h"
#include "model/Modele.h"
#include "model/Resultat.h"

#include <array>
#include <string>
#include <vector>

namespace ortix {

// The part of the cut a position belongs to, in the order they are cut.
enum class Partie { Depart, Entree, Extrados, Intrados, Sortie };

// One position of the wire. A station of the outlines (Extrados, Intrados) lies
// on one generator: both faces' points have the same X' before the twist.
struct PositionFil {
    Partie partie = Partie::Depart;
    double X = 0; // the generator's X'; on the lead-in and lead-out, the trailing edge's
    // Per face: the outline point at the station or the one before it; on the
    // lead-in and lead-out, the outline's end the wire comes from or goes to.
    std::array<int, 2> point{};
    std::array<bool, 2> sommet{};    // the station stands on that outline point itself
    std::array<Point2, 2> profil{};  // the outline's point (lead-in and lead-out: the wire's)
    std::array<Point2, 2> fil{};     // the wire's planned point, k/2 outside the outline
    std::array<Point2, 2> tour{};    // both towers, machine coordinates on the 0.001 mm grid
    std::array<double, 2> saignee{}; // mm
    // The move that arrives here (none at the first position).
    double duree = 0;                // s
    std::array<double, 2> vitesse{}; // mm/s of each face, as the towers move the wire
    double pause = 0;                // s of dwell once here
};

struct Etendue {
    double min = 0, max = 0;
};

struct Decoupe {
    // The start, reached cold; then every position a cutting move reaches, in
    // order: the lead-in, the upper surface from the trailing edge to the leading
    // edge, the lower surface back, the lead-out to the start.
    std::vector<PositionFil> positions;
    double largeur = 0;               // mm between the faces
    std::array<double, 2> distance{}; // mm from each face to its own tower
    double vitesse = 0;               // mm/s of the faster face
    double prechauffe = 0;            // s, heated at the start before the first move
    double duree = 0;                 // s, from heat on to the last move's end, dwells included
    std::array<Etendue, 2> saignee{}; // per face, over the stations
    std::array<Etendue, 2> hauteur{}; // the outline's height above the table, per face
    std::array<Etendue, NombreAxes> axes{}; // per axis, in the order of the profile's letters
    double angleFil = 0;                    // the wire's largest angle from square, degrees
};

// Plans the cut of the computed panel on the machine. The wire always lies on a
// generator: on each surface, a station at every X' where either outline has a
// point, the other outline's point interpolated there on its current segment,
// or held at its end (leading or trailing edge) where its range ends first.
// Each face's wire path is its outline offset outward by half the kerf at that
// face's speed, iterated until no kerf changes by more than 0.001 mm. Each move
// lasts its longer face displacement divided by the speed. Refused, leaving `d`
// as it was, with a French sentence naming the value, the limit and the place:
// profiles not computed or not finite, an outline that does not start and end
// at its trailing edge or whose X' goes back along a surface, a tip profile
// that turns back on itself, a block not between the towers, an axis beyond its
// travel or speed, the wire beyond its angle, a mirrored tower path, kerf paths
// that cross ahead of the tip's own trailing edge, a kerf that does not settle.
Resultat Calculer_Decoupe(const Modele& m, const ProfilMachine& p, Decoupe& d);

// Where the wire stretched between both towers of the machine (machine
// coordinates) crosses each face of a block `largeur` wide, in face coordinates.
std::array<Point2, 2> Fil_Sur_Faces(const ProfilMachine& p, double largeur,
                                    const std::array<Point2, 2>& tours);

// The wire's angle from square to the faces, in degrees, where it crosses
// faces `largeur` apart at the points given (face coordinates).
double Angle_Fil(const std::array<Point2, 2>& faces, double largeur);

// The four axes' values at the towers given, in the order of the profile's letters.
std::array<double, NombreAxes> Valeurs_Axes(const ProfilMachine& p,
                                            const std::array<Point2, 2>& tours);

} // namespace ortix
