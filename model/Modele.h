// The state of the one wing panel the program works on: the texts of the
// parameter fields, the airfoils as read, the derived sections and projected
// profiles with their counters, the final figures and the guard state.
// Plain data, no Qt: the window mirrors it, the batch command drives it.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <string>

namespace ortix {

inline constexpr int Capacite = 1000;

// A fixed array of 1000 doubles indexed from 1, as every formula numbers its points.
class Tableau {
  public:
    double& operator()(int i) {
        assert(i >= 1 && i <= Capacite);
        return v_[static_cast<std::size_t>(i - 1)];
    }
    double operator()(int i) const {
        assert(i >= 1 && i <= Capacite);
        return v_[static_cast<std::size_t>(i - 1)];
    }
    const double* data() const { return v_.data(); }
    bool operator==(const Tableau&) const = default;

  private:
    std::array<double, Capacite> v_{};
};

inline const std::string TexteNonChoisi = "<-- Sélectionner";
inline const std::string TexteSansValeur = "---";

// The ten parameter fields of the main window, as text: they are the only store
// of the parameters, read with the leading-number reader when a step needs them.
struct Champs {
    std::string Txt_Long = "400";
    std::string txt_fleche = "350";
    std::string txt_prof_empl = TexteNonChoisi;
    std::string txt_corde_empl = "400";
    std::string txt_href_empl = "20";
    std::string txt_vril_empl2 = "0";
    std::string txt_prof_saum = TexteNonChoisi;
    std::string txt_corde_saum = "100";
    std::string txt_href_saum = "20";
    std::string txt_vril_saum2 = "0";
    bool operator==(const Champs&) const = default;
};

// The seven read-only fields of the frame "Projet final".
struct Finals {
    std::string Txt_Lg_Final = TexteSansValeur;
    std::string Txt_Fleche_Final = TexteSansValeur;
    std::string Txt_Corde_Final = TexteSansValeur;
    std::string Txt_Href_Empl_final = TexteSansValeur;
    std::string Txt_Vrill_Empl_Final = TexteSansValeur;
    std::string Txt_Href_Saum_final = TexteSansValeur;
    std::string Txt_Vrill_Saum_Final = TexteSansValeur;
    bool operator==(const Finals&) const = default;
};

// One read-only field of the frame "Projet final": the member that keeps its text,
// the control's name in the window, its caption and unit there, its key in the
// batch command's JSON, whether only the computation writes it (the refresh
// writes the others), and what the figure is, as its tooltip says it.
struct ChampFinal {
    std::string Finals::*texte;
    const char* controle;
    const char* libelle;
    const char* unite;
    const char* cle;
    bool parLeCalcul;
    const char* aide;
};

// The seven final figures, in the frame's order.
inline constexpr std::array<ChampFinal, 7> TableFinals = {{
    {&Finals::Txt_Lg_Final, "Txt_Lg_Final", "Longueur :", "mm", "length", false,
     "Longueur du tronçon tourné, entre ses deux plans de coupe, en millimètres."},
    {&Finals::Txt_Fleche_Final, "Txt_Fleche_Final", "Flèche :", "mm", "sweep", false,
     "Flèche du tronçon tourné, en millimètres : nulle, son bord d'attaque est droit."},
    {&Finals::Txt_Corde_Final, "Txt_Corde_Final", "Corde profils :", "mm", "chord", false,
     "Corde commune des deux profils projetés, en millimètres."},
    {&Finals::Txt_Href_Empl_final, "Txt_Href_Empl_final", "Hréf. empl. :", "mm", "root_height",
     true,
     "Hauteur du bord d'attaque du profil projeté de l'emplanture au-dessus de la ligne de "
     "base, en millimètres."},
    {&Finals::Txt_Vrill_Empl_Final, "Txt_Vrill_Empl_Final", "Vrillage empl. :", "°", "root_twist",
     true,
     "Vrillage du profil projeté de l'emplanture, en degrés ; positif, il abaisse le bord de "
     "fuite."},
    {&Finals::Txt_Href_Saum_final, "Txt_Href_Saum_final", "Hréf. saumon :", "mm", "tip_height",
     true,
     "Hauteur du bord d'attaque du profil projeté du saumon au-dessus de la ligne de base, en "
     "millimètres."},
    {&Finals::Txt_Vrill_Saum_Final, "Txt_Vrill_Saum_Final", "Vrillage saum. :", "°", "tip_twist",
     true,
     "Vrillage du profil projeté du saumon, en degrés ; positif, il abaisse le bord de fuite."},
}};

// Which actions are available; guards are expressed by enabling buttons.
struct Boutons {
    bool Bt_Calc = false;
    bool Bt_Save_Proj = false;
    bool Bt_Opt_Href_Saum = false;
    bool Bt_Sauve_Prof = false;
    bool operator==(const Boutons&) const = default;
};

struct Modele {
    Champs champs;
    Finals finals;
    Boutons boutons;

    std::string Lbl_prof_empl = "Emplanture";
    std::string Lbl_Prof_Saum = "Saumon";
    std::string Label32 = "Position après rotation";
    // The project name; the window shows it in the output dialog's Txt_Nom_proj.
    std::string Txt_Nom_proj = "Ortix";

    Tableau X_Empl_3D, Y_Empl_3D, Z_Empl_3D;
    Tableau X_Saum_3D, Y_Saum_3D, Z_Saum_3D;
    Tableau X_Empl_Rot, Y_Empl_Rot, Z_Empl_Rot;
    Tableau X_Saum_Rot, Y_Saum_Rot, Z_Saum_Rot;
    Tableau X_Empl_Proj, Y_Empl_Proj;
    Tableau X_Saum_Proj, Y_Saum_Proj;
    Tableau X_Empl, Y_Empl;
    Tableau X_Saum, Y_Saum;

    std::int16_t Nb_Pts_Empl = 0;
    std::int16_t Nb_Pts_Saum = 0;
    std::int16_t Nb_Pts_Empl_Proj = 0;
    std::int16_t Nb_Pts_Saum_Proj = 0;
    // Where the tip's own first and last points stand in the projected tip
    // profile: there it meets its lengthening taken from the root.
    std::int16_t Rang_Saum_Premier_Proj = 0;
    std::int16_t Rang_Saum_Dernier_Proj = 0;

    bool operator==(const Modele&) const = default;
};

// Gives both ends the three-point placeholder airfoil (1, 0), (0, 0), (1, 0).
void Profils_Provisoires(Modele& m);

// An airfoil as read from a file or a project: points and the legend text.
struct Profil {
    std::string legende;
    std::array<double, Capacite> x{};
    std::array<double, Capacite> y{};
    int n = 0;
};

enum class Extremite { Emplanture, Saumon };

// Replaces entries 1 to n of one end's airfoil arrays and sets its counter;
// entries beyond n keep what they held.
void Poser_Profil(Modele& m, Extremite e, const Profil& p);

} // namespace ortix
