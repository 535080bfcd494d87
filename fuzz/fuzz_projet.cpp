// The project reader, from a file's bytes. A success holds two airfoils of 1 to
// 1000 finite points; a refusal names the file, says why and leaves the project
// it was given as it was.
#include "files/Projet.h"
#include "fuzz/Verifier.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace {

ortix::Profil Profil_Temoin(const char* legende, double pas) {
    ortix::Profil p;
    p.legende = legende;
    p.n = 4;
    for (std::size_t i = 0; i < p.x.size(); ++i) {
        p.x[i] = pas * static_cast<double>(i % 9);
        p.y[i] = -pas * static_cast<double>(i % 4);
    }
    return p;
}

// A project already in place, so that a refusal can be seen to keep it.
ortix::fichiers::Projet Projet_Temoin() {
    ortix::fichiers::Projet p;
    p.nom = "Témoin";
    p.champs.Txt_Long = "123";
    p.champs.txt_prof_empl = "a.dat";
    p.empl = Profil_Temoin("A", 0.125);
    p.saum = Profil_Temoin("B", 0.375);
    return p;
}

bool Identiques(const ortix::Profil& a, const ortix::Profil& b) {
    return a.legende == b.legende && a.n == b.n &&
           std::memcmp(a.x.data(), b.x.data(), sizeof a.x) == 0 &&
           std::memcmp(a.y.data(), b.y.data(), sizeof a.y) == 0;
}

void Verifier_Profil(const ortix::Profil& p) {
    EXIGER(p.n >= 1 && p.n <= ortix::Capacite);
    for (int i = 0; i < p.n; ++i)
        EXIGER(std::isfinite(p.x[static_cast<std::size_t>(i)]) &&
               std::isfinite(p.y[static_cast<std::size_t>(i)]));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string_view octets(reinterpret_cast<const char*>(donnees), taille);
    static const ortix::fichiers::Projet temoin = Projet_Temoin();
    ortix::fichiers::Projet p = temoin;
    std::string erreur;
    if (ortix::fichiers::Analyser_Projet(octets, "essai.ortix", p, erreur)) {
        Verifier_Profil(p.empl);
        Verifier_Profil(p.saum);
    } else {
        EXIGER(!erreur.empty());
        EXIGER(erreur.find("essai.ortix") != std::string::npos);
        EXIGER(p.nom == temoin.nom && p.champs == temoin.champs);
        EXIGER(Identiques(p.empl, temoin.empl) && Identiques(p.saum, temoin.saum));
    }
    return 0;
}
