#include "geometry/Primitives.h"

#include "model/Nombres.h"

#include <algorithm>
#include <cmath>

namespace ortix {

void Rotation_Y(double x, double y, double z, double& xr, double& yr, double& zr, double angle) {
    Rotation_Y(x, y, z, xr, yr, zr, std::cos(angle), std::sin(angle));
}

double XInterZ(double Xe, double, double zE, double Xs, double, double Zs, double Zint) {
    if (Zs == zE) return Xe;
    return Xe + (Xs - Xe) * (Zint - zE) / (Zs - zE);
}

double YInterZ(double, double Ye, double zE, double, double Ys, double Zs, double Zint) {
    if (Zs == zE) return Ye;
    return Ye + (Ys - Ye) * (Zint - zE) / (Zs - zE);
}

int Chercher_Segment_Lineaire(const double* XA, int N, double x, std::int16_t SensVarX) {
    const double d = SensVarX;
    const double dx = d * x;
    // XA[i - 1] is entry i; the segment (i, i+1) reads XA[i - 1] and XA[i].
    for (int i = 1; i < std::min(N, Capacite); ++i)
        if (d * XA[i - 1] <= dx && dx <= d * XA[i]) return i;
    return 0;
}

namespace {

// The search and the interpolation on one rotated section; `trouve` tells
// whether a segment held x, so that the caller reads its fall-back only then.
double Interpoler(const Tableau& XA, const Tableau& V, int N, double x, std::int16_t d,
                  bool& trouve) {
    const int i = Chercher_Segment_Lineaire(XA.data(), N, x, d);
    trouve = i != 0;
    return trouve ? Interpoler_Segment(XA.data(), V.data(), i, x) : 0.0;
}

} // namespace

double InterpolYEmpl(const Modele& m, double x, std::int16_t SensVarX) {
    bool trouve;
    const double v = Interpoler(m.X_Empl_Rot, m.Y_Empl_Rot, m.Nb_Pts_Empl, x, SensVarX, trouve);
    return trouve ? v : Val(m.champs.txt_href_empl);
}

double InterpolZEmpl(const Modele& m, double x, std::int16_t SensVarX) {
    bool trouve;
    const double v = Interpoler(m.X_Empl_Rot, m.Z_Empl_Rot, m.Nb_Pts_Empl, x, SensVarX, trouve);
    return trouve ? v : 0.0;
}

double InterpolYSaum(const Modele& m, double x, std::int16_t SensVarX) {
    bool trouve;
    const double v = Interpoler(m.X_Saum_Rot, m.Y_Saum_Rot, m.Nb_Pts_Saum, x, SensVarX, trouve);
    return trouve ? v : Val(m.champs.txt_href_saum);
}

double InterpolZSaum(const Modele& m, double x, std::int16_t SensVarX) {
    bool trouve;
    const double v = Interpoler(m.X_Saum_Rot, m.Z_Saum_Rot, m.Nb_Pts_Saum, x, SensVarX, trouve);
    if (trouve) return v;
    const double L = Val(m.champs.Txt_Long);
    const double F = Val(m.champs.txt_fleche);
    return std::sqrt(L * L + F * F);
}

} // namespace ortix
