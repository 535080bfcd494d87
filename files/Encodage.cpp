#include "files/Encodage.h"

#include <array>

namespace ortix::fichiers {

namespace {

// Windows-1252 bytes 0x80 to 0x9F. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control of the same value, as
// Windows itself decodes them, so that every byte survives a round trip.
constexpr std::array<char32_t, 32> TableC1 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t Remplacement = 0xFFFD;

void ajouterUtf8(std::string& s, char32_t c) {
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool estUtf8Valide(std::string_view s) {
    char32_t c;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = Lire_Utf8(s, i, c);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

} // namespace

std::size_t Lire_Utf8(std::string_view s, std::size_t i, char32_t& c) {
    const auto o = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const unsigned char b = o(0);
    std::size_t n;
    char32_t minimum;
    if (b < 0x80) {
        c = b;
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        n = 2, c = b & 0x1F, minimum = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        n = 3, c = b & 0x0F, minimum = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        n = 4, c = b & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((o(k) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (o(k) & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return n;
}

std::string Utf8_Repare(std::string_view s) {
    std::string r;
    r.reserve(s.size());
    char32_t c;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = Lire_Utf8(s, i, c);
        if (n == 0) {
            ajouterUtf8(r, Remplacement);
            ++i;
        } else {
            r.append(s.substr(i, n));
            i += n;
        }
    }
    return r;
}

std::string Vers_Windows1252(std::string_view utf8) {
    std::string r;
    r.reserve(utf8.size());
    char32_t c;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = Lire_Utf8(utf8, i, c);
        if (n == 0) {
            r += '?';
            ++i;
            continue;
        }
        i += n;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            r += static_cast<char>(c);
            continue;
        }
        char octet = '?';
        for (std::size_t k = 0; k < TableC1.size(); ++k) {
            if (TableC1[k] == c) {
                octet = static_cast<char>(0x80 + k);
                break;
            }
        }
        r += octet;
    }
    return r;
}

std::string Depuis_Windows1252(std::string_view octets) {
    std::string r;
    r.reserve(octets.size() + octets.size() / 8);
    for (char o : octets) {
        const auto b = static_cast<unsigned char>(o);
        if (b < 0x80) {
            r += o;
        } else {
            ajouterUtf8(r, b < 0xA0 ? TableC1[b - 0x80] : char32_t{b});
        }
    }
    return r;
}

std::string Decoder_Texte(std::string_view octets) {
    constexpr std::string_view Bom = "\xEF\xBB\xBF";
    if (octets.starts_with(Bom)) return Utf8_Repare(octets.substr(Bom.size()));
    bool ascii = true;
    for (char o : octets) {
        if (static_cast<unsigned char>(o) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) return std::string(octets);
    if (estUtf8Valide(octets)) return std::string(octets);
    return Depuis_Windows1252(octets);
}

std::vector<std::string> Decouper_Lignes(std::string_view texte) {
    std::vector<std::string> lignes;
    std::size_t debut = 0;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] != '\r' && texte[i] != '\n') continue;
        lignes.emplace_back(texte.substr(debut, i - debut));
        if (texte[i] == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') ++i;
        debut = i + 1;
    }
    if (debut < texte.size()) lignes.emplace_back(texte.substr(debut));
    return lignes;
}

} // namespace ortix::fichiers
