// Reading numbers from field texts and formatting numbers with the program's
// patterns. Both are independent of the process locale: the point is the only
// decimal separator, everywhere.
#pragma once

#include <cmath>
#include <string>
#include <string_view>

namespace ortix {

// Whether a value is a number the program can show or write: not an infinity,
// not "not a number".
inline bool Fini(double v) {
    return std::isfinite(v);
}

// π as every computation forms it.
inline const double Pi = 4 * std::atan(1.0);

// An angle entered or shown in degrees, in radians for the computations.
inline double Radians(double degres) {
    return degres * Pi / 180;
}
inline double Degres(double radians) {
    return radians * 180 / Pi;
}

// The leading-number reader. Blanks, tabs and line feeds are ignored wherever
// they stand; then an optional sign, digits, an optional point and digits and an
// optional exponent are read, stopping at the first character that cannot
// continue the number. A text without a leading number gives 0, so "12,5" is 12.
// A magnitude beyond the range of a double gives an infinity of its sign, which
// the callers refuse; a magnitude below it gives 0.
double Val(std::string_view texte);

// How a field's text is read when it is not entirely a number ("12,5", "abc",
// "210mm", an empty text), as a French sentence showing the text as `affiche`
// gives it: « 12,5 » est lu 12 : le séparateur décimal est le point. Empty when
// the whole text is the number.
std::string Lecture_Partielle(std::string_view texte, std::string_view affiche);

// Formats a value with a pattern of '#', '0' and '.', such as "#0.00", "#.00",
// "0#.##", "#.0", "#0.00000" or "#0.000000". The value is first taken to 15
// significant digits, then rounded to the pattern's last decimal, halves away
// from zero, as a person reading the decimal value would: 2.675 gives "2.68".
// A value that rounds to zero carries no minus sign. A value that is not finite
// gives "---": callers check before writing a number anywhere.
std::string Format(double valeur, std::string_view motif);

// The shortest decimal text, without exponent, that reads back as exactly the
// value ("400", "0.8", "-0.0001"); "---" for a value that is not finite. For
// values a user typed, written back or quoted.
std::string Texte_Exact(double valeur);

} // namespace ortix
