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

// Compares `obtenu` with the golden file `modele`. Empty when they are equal;
// otherwise the differing lines, and `obtenu` is written beside the test output
// so that it can be looked at, or copied over the golden file when the change
// is wanted.
std::string Ecart_Au_Modele(const std::string& obtenu, const fs::path& modele);

// A cambered four-digit section of 2·n − 1 points: trailing edge, upper surface,
// leading edge, lower surface, trailing edge.
Profil Naca(int n, double epaisseur, double cambrure);

// A model holding both airfoils and the fields, refreshed: its sections are placed.
std::unique_ptr<Modele> Panneau(const Profil& empl, const Profil& saum, const Champs& champs);

// A project of the test data, loaded, refreshed and computed as in the window.
std::unique_ptr<Modele> Calcule(const std::string& projet);

} // namespace ortix::essais
