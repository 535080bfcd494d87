// The panel's parameters as numbers, each field read once per run with the
// leading-number reader: chords, heights, length and sweep in millimetres,
// twists in degrees.
#pragma once

#include "model/Modele.h"

#include <array>

namespace ortix {

struct Parametres {
    double L = 0, F = 0;           // length and sweep
    double Ce = 0, He = 0, Te = 0; // root chord, reference height and twist
    double Cs = 0, Hs = 0, Ts = 0; // the same at the tip
};

// One parameter field: the member that keeps its text, the control's name in the
// window, how the status line names it, its unit, and the number it gives, none
// for an airfoil's file name.
struct ChampParametre {
    std::string Champs::*texte;
    const char* controle;
    const char* nom;
    const char* unite;
    double Parametres::*valeur;
};

// The ten parameter fields, in the order of the window's frames and of a
// project file's lines 3 to 12.
inline constexpr std::array<ChampParametre, 10> TableChamps = {{
    {&Champs::Txt_Long, "Txt_Long", "Longueur", "mm", &Parametres::L},
    {&Champs::txt_fleche, "txt_fleche", "Flèche", "mm", &Parametres::F},
    {&Champs::txt_prof_empl, "txt_prof_empl", "Profil de l'emplanture", "", nullptr},
    {&Champs::txt_corde_empl, "txt_corde_empl", "Corde de l'emplanture", "mm", &Parametres::Ce},
    {&Champs::txt_href_empl, "txt_href_empl", "H référence de l'emplanture", "mm", &Parametres::He},
    {&Champs::txt_vril_empl2, "txt_vril_empl2", "Vrillage de l'emplanture", "°", &Parametres::Te},
    {&Champs::txt_prof_saum, "txt_prof_saum", "Profil du saumon", "", nullptr},
    {&Champs::txt_corde_saum, "txt_corde_saum", "Corde du saumon", "mm", &Parametres::Cs},
    {&Champs::txt_href_saum, "txt_href_saum", "H référence du saumon", "mm", &Parametres::Hs},
    {&Champs::txt_vril_saum2, "txt_vril_saum2", "Vrillage du saumon", "°", &Parametres::Ts},
}};

Parametres Lire_Parametres(const Champs& champs);

} // namespace ortix
