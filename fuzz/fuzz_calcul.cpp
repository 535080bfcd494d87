// A fuzzed project file loaded into a fresh model, then the refresh and
// "Calculer les nouveaux profils". The computation either refuses, with a
// message and the model bit for bit as it was, or leaves counters within 0 to
// 1000, finite points and final texts that are numbers.
#include "model/Modele.h"
#include "files/Projet.h"
#include "fuzz/Verifier.h"
#include "geometry/Planforme.h"
#include "geometry/Projection.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace {

using ortix::Modele;
using ortix::Tableau;

constexpr std::array<Tableau Modele::*, 20> Tableaux = {
    &Modele::X_Empl_3D,  &Modele::Y_Empl_3D,  &Modele::Z_Empl_3D,  &Modele::X_Saum_3D,
    &Modele::Y_Saum_3D,  &Modele::Z_Saum_3D,  &Modele::X_Empl_Rot, &Modele::Y_Empl_Rot,
    &Modele::Z_Empl_Rot, &Modele::X_Saum_Rot, &Modele::Y_Saum_Rot, &Modele::Z_Saum_Rot,
    &Modele::X_Empl_Proj, &Modele::Y_Empl_Proj, &Modele::X_Saum_Proj, &Modele::Y_Saum_Proj,
    &Modele::X_Empl,     &Modele::Y_Empl,     &Modele::X_Saum,     &Modele::Y_Saum,
};

// Bit for bit: the arrays by their bytes (a section placed from a huge chord can
// hold a NaN, which == would call different from itself), the rest with ==.
bool Identiques(const Modele& a, const Modele& b) {
    for (Tableau Modele::*t : Tableaux) {
        if (std::memcmp((a.*t).data(), (b.*t).data(), sizeof(double) * ortix::Capacite) != 0)
            return false;
    }
    auto sa = std::make_unique<Modele>(a);
    auto sb = std::make_unique<Modele>(b);
    for (Tableau Modele::*t : Tableaux) {
        (*sa).*t = Tableau{};
        (*sb).*t = Tableau{};
    }
    return *sa == *sb;
}

bool Compte_Sain(std::int16_t n) { return n >= 0 && n <= ortix::Capacite; }

void Verifier_Points(const Tableau& X, const Tableau& Y, int n) {
    for (int i = 1; i <= n; ++i) EXIGER(std::isfinite(X(i)) && std::isfinite(Y(i)));
}

void Verifier_Points(const Tableau& X, const Tableau& Y, const Tableau& Z, int n) {
    Verifier_Points(X, Y, n);
    for (int i = 1; i <= n; ++i) EXIGER(std::isfinite(Z(i)));
}

void Verifier_Vue(const ortix::Vue& v) {
    if (!v.valide) return;
    auto fini = [](ortix::Point2 p) { return std::isfinite(p.x) && std::isfinite(p.y); };
    EXIGER(ortix::repereValide(v.repere));
    for (const ortix::Forme& f : v.formes) EXIGER(fini(f.a) && fini(f.b));
    for (const ortix::Segment& s : v.segments) EXIGER(fini(s.a) && fini(s.b));
}

bool Sans_Non_Nombre(const std::string& t) {
    return t.find("nan") == std::string::npos && t.find("inf") == std::string::npos;
}

// What every refresh leaves, whatever the fields hold.
void Verifier_Trace(const Modele& m, const ortix::ResultatTrace& r) {
    EXIGER(Compte_Sain(m.Nb_Pts_Empl) && Compte_Sain(m.Nb_Pts_Saum));
    EXIGER(Compte_Sain(m.Nb_Pts_Empl_Proj) && Compte_Sain(m.Nb_Pts_Saum_Proj));
    const ortix::Finals& f = m.finals;
    for (const std::string* t : {&f.Txt_Lg_Final, &f.Txt_Fleche_Final, &f.Txt_Corde_Final,
                                 &f.Txt_Href_Empl_final, &f.Txt_Vrill_Empl_Final,
                                 &f.Txt_Href_Saum_final, &f.Txt_Vrill_Saum_Final})
        EXIGER(ortix::fuzz::Est_Nombre_Ou_Rien(*t));
    EXIGER(Sans_Non_Nombre(m.Label32));
    EXIGER(!m.boutons.Bt_Sauve_Prof);
    Verifier_Vue(r.Pic_Prof_Ini);
    Verifier_Vue(r.Plan_Ini);
    Verifier_Vue(r.Plan_Final);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string_view octets(reinterpret_cast<const char*>(donnees), taille);
    ortix::fichiers::Projet projet;
    std::string erreur;
    if (!ortix::fichiers::Analyser_Projet(octets, "essai.ortix", projet, erreur)) {
        EXIGER(!erreur.empty());
        return 0;
    }

    // As the window starts, then loads the project.
    auto m = std::make_unique<Modele>();
    ortix::Profils_Provisoires(*m);
    ortix::Trace_Profil_Ini(*m);
    ortix::fichiers::Appliquer_Projet(*m, projet);
    Verifier_Trace(*m, ortix::Trace_Profil_Ini(*m));

    const auto avant = std::make_unique<Modele>(*m);
    const ortix::ResultatCalcul r = ortix::Bt_Calc_Click(*m);
    if (!r.ok) {
        EXIGER(!r.message.empty());
        EXIGER(Identiques(*m, *avant));
        return 0;
    }
    EXIGER(Compte_Sain(m->Nb_Pts_Empl) && Compte_Sain(m->Nb_Pts_Saum));
    EXIGER(Compte_Sain(m->Nb_Pts_Empl_Proj) && Compte_Sain(m->Nb_Pts_Saum_Proj));
    Verifier_Points(m->X_Empl_Proj, m->Y_Empl_Proj, m->Nb_Pts_Empl_Proj);
    Verifier_Points(m->X_Saum_Proj, m->Y_Saum_Proj, m->Nb_Pts_Saum_Proj);
    Verifier_Points(m->X_Empl_Rot, m->Y_Empl_Rot, m->Z_Empl_Rot, m->Nb_Pts_Empl);
    Verifier_Points(m->X_Saum_Rot, m->Y_Saum_Rot, m->Z_Saum_Rot, m->Nb_Pts_Saum);
    const ortix::Finals& f = m->finals;
    for (const std::string* t : {&f.Txt_Href_Empl_final, &f.Txt_Vrill_Empl_Final,
                                 &f.Txt_Href_Saum_final, &f.Txt_Vrill_Saum_Final})
        EXIGER(ortix::fuzz::Est_Nombre(*t));
    for (const std::string* t : {&f.Txt_Lg_Final, &f.Txt_Fleche_Final, &f.Txt_Corde_Final})
        EXIGER(ortix::fuzz::Est_Nombre_Ou_Rien(*t));
    EXIGER(m->boutons.Bt_Sauve_Prof);
    Verifier_Vue(r.Pic_Prof_Proj);
    return 0;
}
