// ortix-batch: computes and writes the projected profiles of several panels
// at once, exactly as the window would, with no display.
#include "files/Plateforme.h"
#include "tools/Lot.h"

#include <iostream>

int main(int argc, char** argv) {
    return ortix::lot::Executer(ortix::fichiers::plateforme::Arguments_Utf8(argc, argv), std::cout,
                                std::cerr);
}
