// Reading and writing numbers, from the table tests/data/nombres.txt, and the
// same under a locale whose decimal point is two bytes long.
#include "model/Nombres.h"
#include "tests/support/Support.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace ortix::essais {
namespace {

double Decimal(const std::string& t) {
    if (t == "inf" || t == "-inf" || t == "nan") return std::strtod(t.c_str(), nullptr);
    double v = 0;
    std::from_chars(t.data(), t.data() + t.size(), v);
    return v;
}

// Every case of the table; the number of cases checked.
int VerifierLaTable() {
    std::istringstream table(Contenu(Donnee("nombres.txt")));
    int n = 0;
    std::string ligne, suite;
    while (std::getline(table, ligne)) {
        // A text may hold a line feed: it goes on until the field count is reached.
        while (ligne.starts_with("val|") && ligne.find('|', 4) == std::string::npos &&
               std::getline(table, suite))
            ligne += "\n" + suite;
        std::vector<std::string> c;
        std::istringstream champs(ligne);
        for (std::string t; std::getline(champs, t, '|');)
            c.push_back(t);
        if (c.size() == 3 && c[0] == "val") {
            EXPECT_EQ(Val(c[1]), Decimal(c[2])) << "« " << c[1] << " »";
        } else if (c[0] == "partiel") {
            c.resize(3);
            EXPECT_EQ(Lecture_Partielle(c[1], c[1]), c[2]) << "« " << c[1] << " »";
        } else if (c.size() == 4 && c[0] == "format") {
            EXPECT_EQ(Format(Decimal(c[1]), c[2]), c[3]) << c[1] << " " << c[2];
        } else {
            continue;
        }
        ++n;
    }
    return n;
}

TEST(Nombres, LaTable) {
    EXPECT_GT(VerifierLaTable(), 70);
}

// Qt sets the process locale from the environment. A locale whose decimal point
// is not '.' (here two bytes, U+066B) must change nothing; it is built with
// localedef into the test's own folder.
TEST(Nombres, LaTableSousUnPointDecimalDeDeuxOctets) {
#ifdef _WIN32
    GTEST_SKIP() << "localedef et LOCPATH n'existent pas sous Windows";
#else
    const fs::path locales = Dossier_Neuf("locales");
    const std::string commande =
        "localedef -i ps_AF -f UTF-8 '" + (locales / "ps_AF.UTF-8").string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(commande.c_str()), 0) << "localedef (paquet locales) est nécessaire";
    ::setenv("LOCPATH", locales.c_str(), 1);
    ASSERT_NE(std::setlocale(LC_ALL, "ps_AF.UTF-8"), nullptr);
    EXPECT_EQ(std::string(std::localeconv()->decimal_point), "\xD9\xAB");
    VerifierLaTable();
    std::setlocale(LC_ALL, "C");
    ::unsetenv("LOCPATH");
#endif
}

// Whatever a pattern writes reads back within half its last unit.
TEST(Nombres, FormatRelitSaValeur) {
    const char* motifs[] = {"#0.00", "#.00", "#.0", "#0.00000", "#0.000000"};
    const double pas[] = {0.01, 0.01, 0.1, 0.00001, 0.000001};
    for (int k = 0; k < 5; ++k)
        for (double v = -50; v < 50; v += 0.123456789)
            EXPECT_LE(std::fabs(Val(Format(v, motifs[k])) - v), pas[k] / 2 * (1 + 1e-9)) << v;
}

} // namespace
} // namespace ortix::essais
