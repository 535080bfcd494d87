#include "files/BibliothequeDynamique.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace ortix::fichiers::plateforme {

void* Charger_Bibliotheque(const char* nom) {
#ifdef _WIN32
    return reinterpret_cast<void*>(LoadLibraryA(nom));
#else
    return dlopen(nom, RTLD_NOW | RTLD_LOCAL);
#endif
}

void* Fonction(void* bibliotheque, const char* nom) {
#ifdef _WIN32
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(bibliotheque), nom));
#else
    return dlsym(bibliotheque, nom);
#endif
}

} // namespace ortix::fichiers::plateforme
