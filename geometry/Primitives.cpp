#include "geometry/Primitives.h"

#include <algorithm>
#include <cmath>

namespace ortix {

std::int16_t Sens_Var_X(const Section& s, int n) {
    const double d = n < s.N ? s.x(n + 1) - s.x(n) : s.x(s.N) - s.x(s.N - 1);
    return static_cast<std::int16_t>(d > 0 ? 1 : d < 0 ? -1 : 0);
}

int Chercher_Segment(const Section& s, double x, std::int16_t SensVarX) {
    const double d = SensVarX;
    const double dx = d * x;
    for (int i = 1; i < std::min(s.N, Capacite); ++i)
        if (d * s.x(i) <= dx && dx <= d * s.x(i + 1)) return i;
    return 0;
}

double Interpoler_Segment(const Section& s, const double* V, int i, double x) {
    const double x1 = s.x(i), x2 = s.x(i + 1);
    const double v1 = V[i - 1], v2 = V[i];
    if (x1 == x2) return (v1 + v2) / 2;
    return v1 + (v2 - v1) * (x - x1) / (x2 - x1);
}

PointRepli Repli_Empl(const Parametres& p) {
    return {p.He, 0.0};
}

PointRepli Repli_Saum(const Parametres& p) {
    return {p.Hs, std::sqrt(p.L * p.L + p.F * p.F)};
}

namespace {

double interpoler(const Section& s, const double* V, double x, std::int16_t d, double repli) {
    const int i = Chercher_Segment(s, x, d);
    return i ? Interpoler_Segment(s, V, i, x) : repli;
}

} // namespace

double InterpolYEmpl(const Section& empl, const Parametres& p, double x, std::int16_t SensVarX) {
    return interpoler(empl, empl.Y, x, SensVarX, Repli_Empl(p).Y);
}

double InterpolZEmpl(const Section& empl, const Parametres& p, double x, std::int16_t SensVarX) {
    return interpoler(empl, empl.Z, x, SensVarX, Repli_Empl(p).Z);
}

double InterpolYSaum(const Section& saum, const Parametres& p, double x, std::int16_t SensVarX) {
    return interpoler(saum, saum.Y, x, SensVarX, Repli_Saum(p).Y);
}

double InterpolZSaum(const Section& saum, const Parametres& p, double x, std::int16_t SensVarX) {
    return interpoler(saum, saum.Z, x, SensVarX, Repli_Saum(p).Z);
}

} // namespace ortix
