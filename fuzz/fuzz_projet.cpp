// A fuzzed project file read, then loaded into a fresh model, refreshed and
// computed as "Calculer les nouveaux profils". The reader refuses with a
// message, or gives airfoils of 1 to 1000 finite points. No field ever shows a
// non-number. The computation refuses with a message and the model bit for bit
// as it was, or leaves finite points and final figures that are numbers.
#include "files/Projet.h"
#include "fuzz/Verifier.h"
#include "geometry/Planforme.h"
#include "geometry/Projection.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

void Verifier_Points(const ortix::Tableau& X, const ortix::Tableau& Y, int n) {
    EXIGER(n >= 0 && n <= ortix::Capacite);
    for (int i = 1; i <= n; ++i)
        EXIGER(std::isfinite(X(i)) && std::isfinite(Y(i)));
}

void Verifier_Textes(const ortix::Modele& m) {
    const ortix::Finals& f = m.finals;
    for (const ortix::ChampFinal& champ : ortix::TableFinals)
        EXIGER(f.*champ.texte == "---" || ortix::fuzz::Est_Nombre(f.*champ.texte));
    EXIGER(m.Label32.find("nan") == std::string::npos &&
           m.Label32.find("inf") == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille) {
    const std::string_view octets(reinterpret_cast<const char*>(donnees), taille);
    auto projet = std::make_unique<ortix::fichiers::Projet>();
    if (const ortix::Resultat r = ortix::fichiers::Analyser_Projet(octets, "essai.ortix", *projet);
        !r) {
        EXIGER(!r.message().empty());
        return 0;
    }
    for (const ortix::Profil* p : {&projet->empl, &projet->saum}) {
        EXIGER(p->n >= 1 && p->n <= ortix::Capacite);
        for (std::size_t i = 0; i < static_cast<std::size_t>(p->n); ++i)
            EXIGER(std::isfinite(p->x[i]) && std::isfinite(p->y[i]));
    }

    auto m = std::make_unique<ortix::Modele>();
    ortix::Profils_Provisoires(*m);
    ortix::fichiers::Appliquer_Projet(*m, *projet);
    ortix::Rafraichir_Panneau(*m);
    Verifier_Textes(*m);
    const auto avant = std::make_unique<ortix::Modele>(*m);
    ortix::Vue vue;
    if (const ortix::Resultat r = ortix::Calculer_Profils_Projetes(*m, vue); !r) {
        EXIGER(!r.message().empty());
        // What the computation writes, byte for byte (a NaN is not equal to itself).
        using M = ortix::Modele;
        for (ortix::Tableau M::*t :
             {&M::X_Empl_Rot, &M::Y_Empl_Rot, &M::Z_Empl_Rot, &M::X_Saum_Rot, &M::Y_Saum_Rot,
              &M::Z_Saum_Rot, &M::X_Empl_Proj, &M::Y_Empl_Proj, &M::X_Saum_Proj, &M::Y_Saum_Proj})
            EXIGER(std::memcmp(((*m).*t).data(), ((*avant).*t).data(), // NOLINT: bits wanted
                               sizeof(double) * ortix::Capacite) == 0);
        EXIGER(m->finals == avant->finals && m->boutons == avant->boutons &&
               m->Nb_Pts_Empl_Proj == avant->Nb_Pts_Empl_Proj &&
               m->Nb_Pts_Saum_Proj == avant->Nb_Pts_Saum_Proj);
        return 0;
    }
    Verifier_Textes(*m);
    for (const std::string* t : {&m->finals.Txt_Href_Empl_final, &m->finals.Txt_Href_Saum_final})
        EXIGER(ortix::fuzz::Est_Nombre(*t));
    Verifier_Points(m->X_Empl_Proj, m->Y_Empl_Proj, m->Nb_Pts_Empl_Proj);
    Verifier_Points(m->X_Saum_Proj, m->Y_Saum_Proj, m->Nb_Pts_Saum_Proj);
    for (const ortix::Segment& s : vue.segments)
        EXIGER(std::isfinite(s.a.x + s.a.y + s.b.x + s.b.y));
    return 0;
}
