// ortix-batch: computes and writes the projected profiles of several panels
// at once, exactly as the window would, with no display.
#include "files/Console.h"
#include "tools/Lot.h"

#include <cstdio>
#include <iostream>

int main(int argc, char** argv) {
    ortix::fichiers::plateforme::Console_Utf8();
    // A reader that goes (| head) loses the report, not the projects left.
    ortix::fichiers::plateforme::Ignorer_Tube_Ferme();
    const int code = ortix::lot::Executer(ortix::fichiers::plateforme::Arguments_Utf8(argc, argv),
                                          std::cout, std::cerr);
    // A script reads the report: one lost on a full disk or a closed standard output
    // is a failure, not a success. The system's reason went with the first failed
    // write, inside the run.
    std::cout.flush();
    if (std::cout && std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return code;
    std::cerr << "ortix-batch : le rapport n'a pas pu être écrit en entier sur la sortie "
                 "standard.\n";
    return 1;
}
