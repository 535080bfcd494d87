// Built by MinGW-w64 for x86-64 only: the C library's sin and cos replaced, so
// that the geometry computes on Windows what it computes elsewhere.
#include <cmath>

#if defined(__MINGW32__) && defined(__x86_64__)
// MinGW-w64's sin and cos leave the reduction of the angle to the x87, whose pi is
// exact to 66 bits only: near a multiple of pi/2 they lose most digits (cos(pi/2)
// keeps 12 good bits of 53), and a panel whose sweep outweighs its length by far
// was refused on Windows and computed on Linux. These take the C library's place
// in the programs: the angle is reduced here against pi/2 written as a sum of four
// constants, so that the x87 only sees |r| <= pi/4, where it is good to the last
// bit of a double but for a rounding now and then.
namespace {

long double fsinX87(long double r) {
    asm("fsin" : "+t"(r));
    return r;
}
long double fcosX87(long double r) {
    asm("fcos" : "+t"(r));
    return r;
}

void sinCos(double x, double& s, double& c) {
    if (!std::isfinite(x)) {
        s = c = x - x; // not a number
        return;
    }
    // No angle of the program comes near: only the result's being finite matters.
    if (std::fabs(x) > 0x1p40) x = std::fmod(x, 6.283185307179586);
    const long double k = nearbyintl(static_cast<long double>(x) * 0.636619772367581343076L);
    const long double r = static_cast<long double>(x) - k * 1.57079632673412561417e+00L -
                          k * 6.07710050630396597660e-11L - k * 2.02226624871116645580e-21L -
                          k * 8.47842766036889956997e-32L;
    const double sr = static_cast<double>(fsinX87(r)), cr = static_cast<double>(fcosX87(r));
    const double valeurs[4][2] = {{sr, cr}, {cr, -sr}, {-sr, -cr}, {-cr, sr}};
    const auto quart = static_cast<long long>(k) & 3;
    s = valeurs[quart][0];
    c = valeurs[quart][1];
}

} // namespace

extern "C" {
double sin(double x) {
    double s, c;
    sinCos(x, s, c);
    return s;
}
double cos(double x) {
    double s, c;
    sinCos(x, s, c);
    return c;
}
// GCC turns a sin and a cos of the same angle into one call of this.
void sincos(double x, double* s, double* c) {
    sinCos(x, *s, *c);
}
}
#endif
