// Today's date, as the program writes it into every file that carries one.
#pragma once

#include <string>

namespace ortix::fichiers::plateforme {

// Today's local date as "jj/mm/aaaa".
std::string Date_Du_Jour();

} // namespace ortix::fichiers::plateforme
