#include "model/Nombres.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace ortix {
namespace {

struct CasLecture {
    const char* texte;
    double attendu;
};

TEST(Val, LitLeNombreDeTete) {
    const CasLecture cas[] = {
        {"400", 400},      {"12,5", 12},        {"12.5", 12.5},     {"  -3.25", -3.25},
        {"+7", 7},         {"1 2 3", 123},      {"\t4\n5", 45},     {"- 1 . 5", -1.5},
        {".5", 0.5},       {"5.", 5},           {"abc", 0},         {"", 0},
        {"-", 0},          {".", 0},            {"1e3", 1000},      {"1E-2", 0.01},
        {"1e", 1},         {"1e+", 1},          {"2.5e 2", 250},    {"3x4", 3},
        {"1e999", std::numeric_limits<double>::infinity()},
        {"-1e999", -std::numeric_limits<double>::infinity()},
        {"1e-999", 0},     {"0e999", 0},        {"0.000e999", 0},   {"1e308", 1e308},
        {"12\r5", 12},     {"--5", 0},          {"+-5", 0},         {"0x10", 0},
    };
    for (const CasLecture& c : cas) EXPECT_EQ(Val(c.texte), c.attendu) << '"' << c.texte << '"';
}

TEST(Val, TresLongTexteDeChiffres) {
    std::string t(5000, '9');
    EXPECT_TRUE(std::isinf(Val(t)));
    EXPECT_EQ(Val("0." + std::string(400, '0') + "1"), 0.0);
}

struct CasFormat {
    double valeur;
    const char* motif;
    const char* attendu;
};

TEST(Format, MotifsDuProgramme) {
    const CasFormat cas[] = {
        {2.675, "#0.00", "2.68"},       {1.005, "#0.00", "1.01"},     {-2.675, "#0.00", "-2.68"},
        {0, "#0.00", "0.00"},           {-0.001, "#0.00", "0.00"},    {-0.005, "#0.00", "-0.01"},
        {20, "#0.00", "20.00"},         {3.149, "#0.00", "3.15"},     {-1.329, "#0.00", "-1.33"},
        {597.3615, "#.00", "597.36"},   {0.5, "#.00", ".50"},         {0, "#.00", ".00"},
        {-0.25, "#.00", "-.25"},        {41.18592, "0#.##", "41.19"}, {0, "0#.##", "00."},
        {5.5, "0#.##", "05.5"},         {-41.19, "0#.##", "-41.19"},  {10, "0#.##", "10."},
        {123.456, "0#.##", "123.46"},   {0.5, "#.0", ".5"},           {0, "#.0", ".0"},
        {398.52, "#.0", "398.5"},       {-1.5, "#.0", "-1.5"},        {12.3, "#.0", "12.3"},
        {0.25, "#0.00000", "0.25000"},  {-0.012345, "#0.00000", "-0.01235"},
        {1, "#0.000000", "1.000000"},   {0.00126, "#0.000000", "0.001260"},
        {-0.012345, "#0.000000", "-0.012345"}, {999.995, "#0.00", "1000.00"},
        {0.0049999, "#0.00", "0.00"},   {9.995, "#.00", "10.00"},     {1e20, "#0.00", "100000000000000000000.00"},
        {std::nan(""), "#0.00", "---"}, {std::numeric_limits<double>::infinity(), "#.00", "---"},
    };
    for (const CasFormat& c : cas)
        EXPECT_EQ(Format(c.valeur, c.motif), c.attendu) << c.valeur << " " << c.motif;
}

TEST(Format, IndependantDeLaLangueDuSysteme) {
    const char* ancienne = std::setlocale(LC_ALL, nullptr);
    std::string sauve = ancienne ? ancienne : "C";
    if (std::setlocale(LC_ALL, "fr_FR.UTF-8") || std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        EXPECT_EQ(Format(2.675, "#0.00"), "2.68");
        EXPECT_EQ(Val("12.5"), 12.5);
    }
    std::setlocale(LC_ALL, sauve.c_str());
}

TEST(Format, RelitSaValeurADemiUnitePres) {
    const char* motifs[] = {"#0.00", "#.00", "#.0", "#0.00000", "#0.000000"};
    const double pas[] = {0.01, 0.01, 0.1, 0.00001, 0.000001};
    for (int k = 0; k < 5; ++k)
        for (double v = -50; v < 50; v += 0.123456789)
            EXPECT_LE(std::fabs(Val(Format(v, motifs[k])) - v), pas[k] / 2 * (1 + 1e-9)) << v;
}

} // namespace
} // namespace ortix
