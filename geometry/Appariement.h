// The pairing of the two projected profiles along the generators of the panel's
// extended surface: the root and tip points of the same surface at the same X'.
// The cutting templates' ticks and the wire of a CNC cut both follow them.
#pragma once

#include "model/Modele.h"
#include "model/Resultat.h"

#include <vector>

namespace ortix {

// One projected profile as the computation leaves it: points 1 to n, X' chordwise
// (0 at the leading edge, negative aft), Y upward from the base line, before
// the final twist. The outline runs from the trailing edge over the upper
// surface to the leading edge (its first point of largest X') and back over
// the lower surface.
struct ProfilProjete {
    const double* X = nullptr; // entry 1
    const double* Y = nullptr;
    int n = 0;
    double x(int i) const { return X[i - 1]; }
    double y(int i) const { return Y[i - 1]; }
    // The leading edge: the first point of largest X'.
    int bordAttaque() const;
};
ProfilProjete Profil_Projete(const Modele& m, Extremite e);

enum class Face { Extrados, Intrados };

// Where one surface of a profile crosses a given X'.
struct PointSurProfil {
    double Y = 0;    // before the final twist
    int segment = 0; // the point lies on the outline's segment (segment, segment + 1)
};

// The two ends of one generator of the panel's extended surface: the root and
// tip points of the same surface at the same X'.
struct Generatrice {
    double X = 0;
    PointSurProfil empl, saum;
};

// For each X' given, in the given order, the generator on the upper surface and
// the one on the lower surface.
struct Appariement {
    std::vector<Generatrice> extrados, intrados;
};

// The X' range in which both surfaces of both profiles are crossed: from the
// foremost of the four trailing-edge ends to the aftmost of the two leading
// edges. Refused (French message) when a profile has fewer than two points, more
// than 1000, or a value that is not finite.
Resultat Etendue_Commune(const ProfilProjete& empl, const ProfilProjete& saum, double& Xmin,
                         double& Xmax);

// Pairs root and tip at each X' given. On each surface the crossing taken is the
// first met walking from the leading edge towards the trailing edge: a surface
// that turns back on itself still gives one point per X', in the same order on
// both profiles. Refused, leaving `paires` as it was, when Etendue_Commune
// refuses or an X' lies outside the common range.
Resultat Apparier_Profils(const ProfilProjete& empl, const ProfilProjete& saum,
                          const std::vector<double>& abscisses, Appariement& paires);

} // namespace ortix
