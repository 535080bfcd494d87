// The small numeric functions the projected profiles are built from: the turn
// of a point about the vertical axis, the straight line through two points of
// space evaluated at an abscissa or at a spanwise height, and the interpolation
// along a rotated section (root or tip) at a chordwise abscissa.
// Coordinates are millimetres. No state is kept between calls.
#pragma once

#include "model/Parametres.h"

#include <cstdint>

namespace ortix {

// Turns (x, y, z) about the vertical axis by the angle whose cosine is c and
// sine s: xr = c·x + s·z, yr = y, zr = −x·s + c·z.
inline void Rotation_Y(double x, double y, double z, double& xr, double& yr, double& zr, double c,
                       double s) {
    xr = c * x + s * z;
    yr = y;
    zr = -x * s + c * z;
}

// The line through (Xe, Ye, zE) and (Xs, Ys, Zs) at the abscissa xF. No guard:
// Xs = Xe divides by zero, and the caller checks what comes out.
inline double YinterBF(double Xe, double Ye, double, double Xs, double Ys, double, double xF) {
    return Ye + (Ys - Ye) * (xF - Xe) / (Xs - Xe);
}
inline double ZinterBF(double Xe, double, double zE, double Xs, double, double Zs, double xF) {
    return zE + (Zs - zE) * (xF - Xe) / (Xs - Xe);
}

// The same line at the spanwise height Zint, extended beyond its two points as
// needed. Two points of exactly the same Z give the first point.
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

// A section after the plan rotation, as the interpolations read it: abscissae,
// heights and spanwise positions from the section's point 1, and its count.
struct Section {
    const double* X;
    const double* Y;
    const double* Z;
    int N;
    double x(int i) const { return X[i - 1]; }
    double y(int i) const { return Y[i - 1]; }
    double z(int i) const { return Z[i - 1]; }
};

// The direction in which X varies along a section at point n (1 to N, N ≥ 2):
// the sign of X(n+1) − X(n), as +1, −1 or 0. At the last point, the direction of
// the segment that ends there, so that nothing past the section is read.
std::int16_t Sens_Var_X(const Section& s, int n);

// Tries the segments (1, 2), (2, 3), ..., (N−1, N) in this order and returns the
// first i whose segment (i, i+1) holds x in the direction SensVarX, both ends
// included: d·X(i) ≤ d·x ≤ d·X(i+1). Returns 0 when none does.
int Chercher_Segment(const Section& s, double x, std::int16_t SensVarX);

// The value at x on the segment (i, i+1), extended as a straight line; the mean
// of the two values when both ends share their abscissa. V gives the values
// from point 1.
double Interpoler_Segment(const Section& s, const double* V, int i, double x);

// Where an interpolation along a section that finds no segment lands: the
// section's leading-edge reference point in the rotated frame, its height and
// its spanwise position.
struct PointRepli {
    double Y, Z;
};
PointRepli Repli_Empl(const Parametres& p); // (He, 0)
PointRepli Repli_Saum(const Parametres& p); // (Hs, √(L² + F²))

// Height and spanwise position of the rotated root (Empl) or tip (Saum) section
// at the abscissa x, on the stretch the section crosses in the direction
// SensVarX; the leading-edge reference point when no segment holds x.
double InterpolYEmpl(const Section& empl, const Parametres& p, double x, std::int16_t SensVarX);
double InterpolZEmpl(const Section& empl, const Parametres& p, double x, std::int16_t SensVarX);
double InterpolYSaum(const Section& saum, const Parametres& p, double x, std::int16_t SensVarX);
double InterpolZSaum(const Section& saum, const Parametres& p, double x, std::int16_t SensVarX);

} // namespace ortix
