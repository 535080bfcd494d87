// The program's arguments and its console, as UTF-8 on every system.
#pragma once

#include <string>
#include <vector>

namespace ortix::fichiers::plateforme {

// The program's arguments as UTF-8, whatever the system's code page.
std::vector<std::string> Arguments_Utf8(int argc, char** argv);
// Has a Windows console show the program's UTF-8 output as it is, until the
// program ends (its code page is then put back); nothing to do elsewhere.
void Console_Utf8();
// A write to a pipe whose reader has gone fails (EPIPE) instead of ending the
// program with SIGPIPE, so that the program can go on and say so.
void Ignorer_Tube_Ferme();

} // namespace ortix::fichiers::plateforme
