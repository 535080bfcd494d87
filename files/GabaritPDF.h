// The cutting templates as one PDF file, each on the pages its pagination lays
// out, rendered through Cairo. A build without Cairo (ORTIX_PDF off) keeps the
// same functions, which then refuse.
#pragma once

#include "geometry/Pagination.h"
#include "model/Resultat.h"

#include <atomic>
#include <string>
#include <utility>
#include <vector>

namespace ortix::fichiers {

// False when the program was built without the PDF output.
bool Pdf_Disponible();

// Renders each template on its pages, in the order given, into one PDF document
// held in `pdf`; the text is set in DejaVu Sans. Refused, leaving `pdf` as it
// was, without the PDF output, when a number of a template is not finite, when
// Cairo reports an error (each said in French), or when `annulation`, looked at
// before each page, is set.
Resultat Pdf_Gabarits(const std::vector<std::pair<const Gabarit*, const Pagination*>>& gabarits,
                      std::string& pdf, const std::atomic<bool>* annulation = nullptr);

} // namespace ortix::fichiers
