// The leading-number reader and the number patterns. Eight bytes are taken as
// a double, anything else as a field text. Val must read any text without
// failing and never give a non-number; a finite value formatted with any of the
// program's patterns must read back within half a unit of the pattern's last
// decimal.
#include "fuzz/Verifier.h"
#include "model/Nombres.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

struct Motif {
    std::string_view texte;
    int decimales;
};

constexpr std::array<Motif, 6> Motifs = {{
    {"#0.00", 2},
    {"#.00", 2},
    {"0#.##", 2},
    {"#.0", 1},
    {"#0.00000", 5},
    {"#0.000000", 6},
}};

// Format first takes the value to 15 significant digits, then rounds to the
// last decimal: half a unit of that decimal, plus what the first step and the
// reading back may lose.
void Verifier_Aller_Retour(double v) {
    for (const Motif& m : Motifs) {
        const std::string texte = ortix::Format(v, m.texte);
        EXIGER(ortix::fuzz::Est_Nombre(texte));
        const double relu = ortix::Val(texte);
        const double demiUnite = 0.5 * std::pow(10.0, -m.decimales);
        const double tolerance = demiUnite * (1 + 1e-9) + 1e-14 * std::fabs(v);
        EXIGER(std::fabs(relu - v) <= tolerance);
        // The sign is kept, and a value rounding to zero has none.
        EXIGER(texte.front() != '-' || v < 0);
        EXIGER(relu == 0 || (relu < 0) == (v < 0));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string_view texte(reinterpret_cast<const char*>(donnees), taille);
    const double lu = ortix::Val(texte);
    EXIGER(!std::isnan(lu));

    double v = lu;
    if (taille == sizeof(double)) std::memcpy(&v, donnees, sizeof v);
    if (std::isfinite(v) && std::fabs(v) < 1e15) Verifier_Aller_Retour(v);
    if (!std::isfinite(v)) {
        for (const Motif& m : Motifs)
            EXIGER(ortix::Format(v, m.texte) == "---");
    }
    return 0;
}
