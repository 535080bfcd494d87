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
// window, how the status line names it, its unit, the number it gives (none for
// an airfoil's file name), and what the field is, as its tooltip says it.
struct ChampParametre {
    std::string Champs::*texte;
    const char* controle;
    const char* nom;
    const char* unite;
    double Parametres::*valeur;
    const char* aide;
};

// The ten parameter fields, in the order of the window's frames and of a
// project file's lines 3 to 12.
inline constexpr std::array<ChampParametre, 10> TableChamps = {{
    {&Champs::Txt_Long, "Txt_Long", "Longueur", "mm", &Parametres::L,
     "Longueur du tronçon, de l'emplanture au saumon, mesurée perpendiculairement à la corde "
     "d'emplanture, en millimètres."},
    {&Champs::txt_fleche, "txt_fleche", "Flèche", "mm", &Parametres::F,
     "Flèche : recul du bord d'attaque du saumon sur celui de l'emplanture, le long de la corde "
     "d'emplanture, en millimètres ; positive vers l'arrière."},
    {&Champs::txt_prof_empl, "txt_prof_empl", "Profil de l'emplanture", "", nullptr,
     "Profil de l'emplanture : son fichier de coordonnées. Un clic ici ou sur « ... » ouvre le "
     "choix des profils."},
    {&Champs::txt_corde_empl, "txt_corde_empl", "Corde de l'emplanture", "mm", &Parametres::Ce,
     "Corde de l'emplanture : du bord d'attaque au bord de fuite, en millimètres."},
    {&Champs::txt_href_empl, "txt_href_empl", "H référence de l'emplanture", "mm", &Parametres::He,
     "H référence de l'emplanture : hauteur de son bord d'attaque au-dessus de la ligne de base, "
     "commune aux deux extrémités, en millimètres."},
    {&Champs::txt_vril_empl2, "txt_vril_empl2", "Vrillage de l'emplanture", "°", &Parametres::Te,
     "Vrillage de l'emplanture : rotation du profil autour de son bord d'attaque, en degrés. Un "
     "vrillage positif abaisse le bord de fuite."},
    {&Champs::txt_prof_saum, "txt_prof_saum", "Profil du saumon", "", nullptr,
     "Profil du saumon : son fichier de coordonnées. Un clic ici ou sur « ... » ouvre le choix "
     "des profils."},
    {&Champs::txt_corde_saum, "txt_corde_saum", "Corde du saumon", "mm", &Parametres::Cs,
     "Corde du saumon : du bord d'attaque au bord de fuite, en millimètres."},
    {&Champs::txt_href_saum, "txt_href_saum", "H référence du saumon", "mm", &Parametres::Hs,
     "H référence du saumon : hauteur de son bord d'attaque au-dessus de la ligne de base, "
     "commune aux deux extrémités, en millimètres ; « Opti. » en propose."},
    {&Champs::txt_vril_saum2, "txt_vril_saum2", "Vrillage du saumon", "°", &Parametres::Ts,
     "Vrillage du saumon : rotation du profil autour de son bord d'attaque, en degrés. Un "
     "vrillage positif abaisse le bord de fuite."},
}};

Parametres Lire_Parametres(const Champs& champs);

} // namespace ortix
