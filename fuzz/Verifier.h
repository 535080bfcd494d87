// What the fuzz targets share. A broken property stops the run at once, naming
// the check, so that libFuzzer keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

#define EXIGER(condition)                                                                          \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: propriété violée : %s\n", __FILE__, __LINE__,             \
                         #condition);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace ortix::fuzz {

// A text as Format writes it: an optional minus sign, then digits with at most
// one point, at least one digit. Never "nan", "inf" or an exponent.
inline bool Est_Nombre(std::string_view t) {
    if (!t.empty() && t.front() == '-') t.remove_prefix(1);
    bool chiffre = false, point = false;
    for (char c : t) {
        chiffre |= c >= '0' && c <= '9';
        if (c == '.' && !point)
            point = true;
        else if (c < '0' || c > '9')
            return false;
    }
    return chiffre;
}

} // namespace ortix::fuzz
