// The batch command: computes and writes the projected profiles of several
// panels at once, exactly as the window would, with no display.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace ortix::lot {

// Runs the command on its arguments (UTF-8, the program's name first): each
// project's report goes to `sortie`, each failure and usage error to `erreurs`.
// Returns the exit status: 0 when every project succeeded, 1 when one failed,
// 2 for a usage error.
int Executer(const std::vector<std::string>& arguments, std::ostream& sortie,
             std::ostream& erreurs);

} // namespace ortix::lot
