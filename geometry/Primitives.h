// The small numeric functions the projected profiles are built from: the turn
// of a point about the vertical axis, the straight line through two points of
// space evaluated at an abscissa or at a spanwise height, and the interpolation
// along a rotated section (root or tip) at a chordwise abscissa.
// Coordinates are millimetres, angles radians. No state is kept between calls.
#pragma once

#include "model/Modele.h"

#include <cstdint>

namespace ortix {

// Turns (x, y, z) about the vertical axis: xr = c·x + s·z, yr = y, zr = −x·s + c·z.
void Rotation_Y(double x, double y, double z, double& xr, double& yr, double& zr, double angle);

// The same turn given c = cos(angle) and s = sin(angle), for the many points that
// one computation turns by one angle: the same products and sums, so the same bits.
inline void Rotation_Y(double x, double y, double z, double& xr, double& yr, double& zr,
                       double c, double s) {
    xr = c * x + s * z;
    yr = y;
    zr = -x * s + c * z;
}

// The line through (Xe, Ye, zE) and (Xs, Ys, Zs) at the abscissa xF. No guard:
// Xs = Xe divides by zero, and the caller checks what comes out.
// Defined here, like XYInterZ below, so that the loops of one computation inline them.
inline double YinterBF(double Xe, double Ye, double, double Xs, double Ys, double, double xF) {
    return Ye + (Ys - Ye) * (xF - Xe) / (Xs - Xe);
}
inline double ZinterBF(double Xe, double, double zE, double Xs, double, double Zs, double xF) {
    return zE + (Zs - zE) * (xF - Xe) / (Xs - Xe);
}

// The same line at the spanwise height Zint, extended beyond its two points as
// needed. Two points of exactly the same Z give the first point.
double XInterZ(double Xe, double Ye, double zE, double Xs, double Ys, double Zs, double Zint);
double YInterZ(double Xe, double Ye, double zE, double Xs, double Ys, double Zs, double Zint);
inline void XYInterZ(double Xe, double Ye, double zE, double Xs, double Ys, double Zs, double& X,
                     double& Y, double Zint) {
    if (Zs == zE) {
        X = Xe;
        Y = Ye;
        return;
    }
    X = Xe + (Xs - Xe) * (Zint - zE) / (Zs - zE);
    Y = Ye + (Ys - Ye) * (Zint - zE) / (Zs - zE);
}

// The search along a section. XA points at the section's first abscissa (entry 1
// of a 1-based array); N is the section's point count. Tries the segments (1, 2),
// (2, 3), ..., (N−1, N) in this order and returns the first i whose segment
// (i, i+1) holds x in the direction SensVarX, both ends included:
// d·XA(i) ≤ d·x ≤ d·XA(i+1). Returns 0 when none does. A section of fewer than
// two points has no segment and the search fails.
// This plain walk is the reference: the indexed search of
// geometry/RechercheSegments.h, used for the many searches of one computation,
// gives the same answer.
int Chercher_Segment_Lineaire(const double* XA, int N, double x, std::int16_t SensVarX);

// A single search on a section that is not indexed: the linear walk, cheaper
// than building an index for one call.
inline int Chercher_Segment(const double* XA, int N, double x, std::int16_t SensVarX) {
    return Chercher_Segment_Lineaire(XA, N, x, SensVarX);
}

// The value at x on the segment (i, i+1) found by the search, extended as a
// straight line; the mean of the two values when both ends share their abscissa.
inline double Interpoler_Segment(const double* XA, const double* V, int i, double x) {
    const double x1 = XA[i - 1], x2 = XA[i];
    const double v1 = V[i - 1], v2 = V[i];
    if (x1 == x2) return (v1 + v2) / 2;
    return v1 + (v2 - v1) * (x - x1) / (x2 - x1);
}

// Height and spanwise position of the rotated root (Empl) or tip (Saum) section at
// the abscissa x, on the stretch the section crosses in the direction SensVarX.
// When no segment holds x, the section's leading-edge reference point in the
// rotated frame is given instead: He and 0 at the root, Hs and √(L² + F²) at the
// tip, read from the fields at that moment.
double InterpolYEmpl(const Modele& m, double x, std::int16_t SensVarX);
double InterpolZEmpl(const Modele& m, double x, std::int16_t SensVarX);
double InterpolYSaum(const Modele& m, double x, std::int16_t SensVarX);
double InterpolZSaum(const Modele& m, double x, std::int16_t SensVarX);

} // namespace ortix
