#include "files/Date.h"

#include <cstdio>
#include <ctime>

namespace ortix::fichiers::plateforme {

std::string Date_Du_Jour() {
    const std::time_t t = std::time(nullptr);
    std::tm jour{};
#ifdef _WIN32
    if (localtime_s(&jour, &t) != 0) return "";
#else
    if (!localtime_r(&t, &jour)) return "";
#endif
    char texte[48];
    std::snprintf(texte, sizeof texte, "%02d/%02d/%04d", jour.tm_mday, jour.tm_mon + 1,
                  jour.tm_year + 1900);
    return texte;
}

} // namespace ortix::fichiers::plateforme
