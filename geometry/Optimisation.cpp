#include "geometry/Optimisation.h"

#include "model/Nombres.h"

#include <cmath>

namespace ortix {

namespace {

// A value as the dialog shows it; nothing for a value that is not a number.
std::string texte(double v) { return std::isfinite(v) ? Format(v, "#0.00") : std::string(); }

bool vide(const std::string& t) { return t.find_first_not_of(" \t\r\n") == std::string::npos; }

bool compteValide(int n) { return n >= 1 && n <= Capacite; }

} // namespace

CandidatsOpti Calcule_Candidats(const Modele& m) {
    const Champs& c = m.champs;
    const double pi = 4 * std::atan(1.0);
    const double Hs = Val(c.txt_href_saum);
    const double He = Val(c.txt_href_empl);
    const double Ce = Val(c.txt_corde_empl);
    const double Cs = Val(c.txt_corde_saum);
    const double Te = Val(c.txt_vril_empl2) * pi / 180;
    const double Ts = Val(c.txt_vril_saum2) * pi / 180;

    CandidatsOpti r;
    r.Txt_NOP = texte(Hs);
    // A profile turned by T about its leading edge at height H has its trailing
    // edge at H − C·sin T: A puts the tip's trailing edge at the root's height.
    const double A = He - Ce * std::sin(Te) + Cs * std::sin(Ts);
    r.Txt_Align = texte(A);

    // From the tip's trailing edge, the straight continuation of its trailing-edge
    // segment reaches the root's trailing-edge height at the root's trailing edge.
    const int Ne = m.Nb_Pts_Empl, Ns = m.Nb_Pts_Saum;
    if (Ns >= 2 && compteValide(Ns) && compteValide(Ne)) {
        const double dxInt = m.X_Saum_Rot(Ns) - m.X_Saum_Rot(Ns - 1);
        if (dxInt != 0) {
            const double mInt = (m.Y_Saum_Rot(Ns) - m.Y_Saum_Rot(Ns - 1)) / dxInt;
            r.txt_int = texte(A + mInt * (m.X_Saum_Rot(Ns) - m.X_Empl_Rot(Ne)));
        }
        const double dxExt = m.X_Saum_Rot(1) - m.X_Saum_Rot(2);
        if (dxExt != 0) {
            const double mExt = (m.Y_Saum_Rot(1) - m.Y_Saum_Rot(2)) / dxExt;
            r.txt_ext = texte(A + mExt * (m.X_Saum_Rot(1) - m.X_Empl_Rot(1)));
        }
    }
    return r;
}

std::string Melange(const std::string& txt_int, int P, const std::string& txt_ext) {
    if (vide(txt_int) || vide(txt_ext)) return {};
    const double I = Val(txt_int);
    const double E = Val(txt_ext);
    return texte(I + (E - I) * P / 100);
}

bool Hauteur_A_Appliquer(const std::string& texteChamp, std::string& txt_href_saum,
                         std::string& message) {
    if (vide(texteChamp)) {
        message = "Aucune hauteur à appliquer : le champ est vide.";
        return false;
    }
    const double h = Val(texteChamp);
    if (!std::isfinite(h)) {
        message = "La hauteur « " + texteChamp + " » n'est pas un nombre utilisable.";
        return false;
    }
    txt_href_saum = Format(h, "#0.00");
    message.clear();
    return true;
}

bool Hauteur_A_Appliquer(const std::string& texteChamp, std::string& txt_href_saum) {
    std::string message;
    return Hauteur_A_Appliquer(texteChamp, txt_href_saum, message);
}

} // namespace ortix
