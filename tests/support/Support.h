// What several tests need: test data and fresh output folders, whole files as
// bytes, comparison with a golden file, and panels built from generated
// airfoils. Shared by the core tests, the window tests and the benchmarks.
#pragma once

#include "model/Modele.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ortix::essais {

namespace fs = std::filesystem;

// A path inside the test data folder.
fs::path Donnee(const std::string& relatif);
// A fresh, empty folder under the build tree's test output.
fs::path Dossier_Neuf(const std::string& nom);

std::string Contenu(const fs::path& chemin);
// Writes the bytes, creating the folders on the way.
void Poser(const fs::path& chemin, const std::string& octets);

// Where what a test obtained in place of the golden file `modele` (a path in the
// test data) is kept: under the test output's obtenus/, at the same relative
// path, so that "./ortix.sh renouveler" can copy it over the golden file.
fs::path Obtenu(const fs::path& modele);

// Compares `obtenu` with the golden file `modele`. Empty when they are equal
// (and any copy kept by an earlier failure is removed); otherwise the differing
// lines, and `obtenu` is kept at Obtenu(modele) to be looked at, or renewed.
std::string Ecart_Au_Modele(const std::string& obtenu, const fs::path& modele);

// A cambered four-digit section of 2·n − 1 points: trailing edge, upper surface,
// leading edge, lower surface, trailing edge.
Profil Naca(int n, double epaisseur, double cambrure);

// A model holding both airfoils and the fields, refreshed: its sections are placed.
std::unique_ptr<Modele> Panneau(const Profil& empl, const Profil& saum, const Champs& champs);

// A project of the test data, loaded, refreshed and computed as in the window.
// Throws, failing the test that asked, when the load or the computation is refused.
std::unique_ptr<Modele> Calcule(const std::string& projet);

} // namespace ortix::essais
