// The PDF output through Cairo. Each page is drawn in millimetres: the template
// clipped to the page's window (the assembly page has none), then the page's own
// traces, its crop marks and its texts.
#include "files/GabaritPDF.h"
#include "files/BibliothequeDynamique.h"
#include "files/Citation.h"

#ifdef ORTIX_PDF_CAIRO
#include <cairo-pdf.h>
#include <cairo.h>

#include <charconv>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ortix::fichiers {

namespace {

constexpr double PointsParMm = 72 / 25.4;

// Cairo is loaded the first time a PDF is made, not when the program starts:
// every function the writer calls, found by name in the library.
#define ORTIX_FONCTIONS_CAIRO(X)                                                                   \
    X(cairo_arc)                                                                                   \
    X(cairo_clip)                                                                                  \
    X(cairo_close_path)                                                                            \
    X(cairo_create)                                                                                \
    X(cairo_destroy)                                                                               \
    X(cairo_line_to)                                                                               \
    X(cairo_move_to)                                                                               \
    X(cairo_new_path)                                                                              \
    X(cairo_new_sub_path)                                                                          \
    X(cairo_pdf_surface_create_for_stream)                                                         \
    X(cairo_pdf_surface_set_metadata)                                                              \
    X(cairo_pdf_surface_set_size)                                                                  \
    X(cairo_rectangle)                                                                             \
    X(cairo_restore)                                                                               \
    X(cairo_save)                                                                                  \
    X(cairo_scale)                                                                                 \
    X(cairo_select_font_face)                                                                      \
    X(cairo_set_dash)                                                                              \
    X(cairo_set_font_size)                                                                         \
    X(cairo_set_line_cap)                                                                          \
    X(cairo_set_line_join)                                                                         \
    X(cairo_set_line_width)                                                                        \
    X(cairo_set_source_rgb)                                                                        \
    X(cairo_show_page)                                                                             \
    X(cairo_show_text)                                                                             \
    X(cairo_status)                                                                                \
    X(cairo_stroke)                                                                                \
    X(cairo_surface_destroy)                                                                       \
    X(cairo_surface_finish)                                                                        \
    X(cairo_surface_status)                                                                        \
    X(cairo_text_extents)                                                                          \
    X(cairo_translate)

struct Cairo {
// f names a member here, where parentheses are not allowed.
// NOLINTNEXTLINE(bugprone-macro-parentheses)
#define ORTIX_DECLARER(f) decltype(&::f) f = nullptr;
    ORTIX_FONCTIONS_CAIRO(ORTIX_DECLARER)
#undef ORTIX_DECLARER
};

// The loaded functions, or nullptr when the library or one of them is missing.
const Cairo* chargerCairo() {
    static const Cairo* const charge = []() -> const Cairo* {
        static Cairo c;
        void* bibliotheque = plateforme::Charger_Bibliotheque(ORTIX_BIBLIOTHEQUE_CAIRO);
        if (!bibliotheque) return nullptr;
        bool complet = true;
#define ORTIX_CHARGER(f)                                                                           \
    c.f = reinterpret_cast<decltype(&::f)>(plateforme::Fonction(bibliotheque, #f));                \
    complet = complet && c.f;
        ORTIX_FONCTIONS_CAIRO(ORTIX_CHARGER)
#undef ORTIX_CHARGER
        return complet ? &c : nullptr;
    }();
    return charge;
}

cairo_status_t ajouter(void* pdf, const unsigned char* octets, unsigned int n) {
    try {
        static_cast<std::string*>(pdf)->append(reinterpret_cast<const char*>(octets), n);
        return CAIRO_STATUS_SUCCESS;
    } catch (const std::bad_alloc&) {
        return CAIRO_STATUS_WRITE_ERROR;
    }
}

void polyligne(const Cairo& C, cairo_t* cr, std::span<const Point2> p, bool ferme) {
    if (p.empty()) return;
    C.cairo_move_to(cr, p[0].x, p[0].y);
    for (std::size_t i = 1; i < p.size(); ++i)
        C.cairo_line_to(cr, p[i].x, p[i].y);
    if (ferme) C.cairo_close_path(cr);
    C.cairo_stroke(cr);
}

void segment(const Cairo& C, cairo_t* cr, Point2 a, Point2 b) {
    C.cairo_move_to(cr, a.x, a.y);
    C.cairo_line_to(cr, b.x, b.y);
    C.cairo_stroke(cr);
}

void texte(const Cairo& C, cairo_t* cr, const TexteGabarit& t) {
    if (t.texte.empty()) return;
    const std::string s = Texte_Affichable(t.texte);
    C.cairo_set_font_size(cr, t.taille);
    double x = t.position.x;
    if (t.ancrage == Ancrage::Centre) {
        cairo_text_extents_t e;
        C.cairo_text_extents(cr, s.c_str(), &e);
        x -= e.x_advance / 2;
    }
    C.cairo_move_to(cr, x, t.position.y);
    C.cairo_show_text(cr, s.c_str());
    C.cairo_new_path(cr);
}

void epaisseur(const Cairo& C, cairo_t* cr, double mm, Trait trait = Trait::Plein) {
    C.cairo_set_line_width(cr, mm);
    switch (trait) {
    case Trait::TiretPoint:
        C.cairo_set_dash(cr, TiretPointGabarit.data(), static_cast<int>(TiretPointGabarit.size()),
                         0);
        break;
    case Trait::Tirets:
        C.cairo_set_dash(cr, TiretsGabarit.data(), static_cast<int>(TiretsGabarit.size()), 0);
        break;
    case Trait::Plein:
        C.cairo_set_dash(cr, nullptr, 0, 0);
    }
}

void traces(const Cairo& C, cairo_t* cr, const std::vector<TraceGabarit>& t) {
    for (const TraceGabarit& e : t) {
        epaisseur(C, cr, e.epaisseur, e.trait);
        polyligne(C, cr, e.points, e.ferme);
    }
}

// The template itself, in template coordinates.
void gabarit(const Cairo& C, cairo_t* cr, const Gabarit& g) {
    traces(C, cr, g.traces);
    epaisseur(C, cr, 0.3);
    polyligne(C, cr, std::span(g.contour).subspan(g.debutPropre, g.finPropre + 1 - g.debutPropre),
              false);
    epaisseur(C, cr, 0.25);
    for (const Graduation& t : g.graduations)
        segment(C, cr, t.a, t.b);
    for (const Graduation& t : g.graduations)
        texte(C, cr, t.etiquette);
    for (const TexteGabarit& t : g.textes)
        texte(C, cr, t);
}

// An alignment mark: a cross in a circle, the same on every page that shows it.
void croix(const Cairo& C, cairo_t* cr, Point2 c) {
    epaisseur(C, cr, 0.2);
    segment(C, cr, {c.x - 3, c.y}, {c.x + 3, c.y});
    segment(C, cr, {c.x, c.y - 3}, {c.x, c.y + 3});
    C.cairo_new_sub_path(cr);
    C.cairo_arc(cr, c.x, c.y, 2, 0, 2 * 3.14159265358979323846);
    C.cairo_stroke(cr);
}

void page(const Cairo& C, cairo_t* cr, const Gabarit& g, const PageGabarit& p) {
    C.cairo_save(cr);
    C.cairo_scale(cr, PointsParMm, PointsParMm);
    C.cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    C.cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    C.cairo_set_source_rgb(cr, 0, 0, 0);
    C.cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);

    if (!p.assemblage) {
        C.cairo_save(cr);
        C.cairo_rectangle(cr, p.marge, p.marge, p.largeurFenetre, p.hauteurFenetre);
        C.cairo_clip(cr);
        C.cairo_translate(cr, p.marge - p.coin.x, p.marge - p.coin.y);
        gabarit(C, cr, g);
        for (const Point2& c : p.croix)
            croix(C, cr, c);
        C.cairo_restore(cr);
    }

    traces(C, cr, p.traces);
    epaisseur(C, cr, 0.2);
    for (const Segment& s : p.coupes)
        segment(C, cr, s.a, s.b);
    for (const TexteGabarit& t : p.textes)
        texte(C, cr, t);
    C.cairo_restore(cr);
}

// Reads the whole number at i, after blanks; i ends past its digits.
bool entier(const std::string& s, std::size_t& i, std::size_t& v) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\r' || s[i] == '\n'))
        ++i;
    const auto r = std::from_chars(s.data() + i, s.data() + s.size(), v);
    if (r.ec != std::errc()) return false;
    i = static_cast<std::size_t>(r.ptr - s.data());
    return true;
}

// Asks viewers to print at full size: /ViewerPreferences << /PrintScaling /None >>
// in the document's catalog, which Cairo has no call for. The entry goes in at
// the start of the catalog's dictionary; every offset past it in the
// cross-reference table, and the table's own after "startxref", grows by its
// length. A file of any other shape than the one table Cairo writes is left as
// it is: each page says to print at full size all the same.
void imprimerTailleReelle(std::string& pdf) {
    static constexpr std::string_view Ajout = " /ViewerPreferences << /PrintScaling /None >>";
    constexpr std::size_t npos = std::string::npos;
    const std::size_t sx = pdf.rfind("startxref");
    std::size_t i = sx + 9, xref = 0, catalogue = 0, premier = 0, nombre = 0;
    if (sx == npos || !entier(pdf, i, xref) || xref >= sx || pdf.compare(xref, 4, "xref") != 0)
        return;
    const std::size_t debutNombre = pdf.find_first_of("0123456789", sx), finNombre = i;
    const std::size_t trailer = pdf.find("trailer", xref), root = pdf.find("/Root", trailer);
    i = root + 5;
    if (trailer == npos || root == npos || root > sx || !entier(pdf, i, catalogue)) return;
    // The table's entries in use: where each one's ten digits stand, and its offset.
    std::vector<std::pair<std::size_t, std::size_t>> entrees;
    std::size_t offsetCatalogue = npos;
    i = xref + 4;
    while (i < trailer && entier(pdf, i, premier) && entier(pdf, i, nombre)) {
        while (i < trailer && (pdf[i] == ' ' || pdf[i] == '\r' || pdf[i] == '\n'))
            ++i;
        for (std::size_t j = 0; j < nombre; ++j, i += 20) {
            std::size_t o = 0, k = i;
            if (i + 20 > trailer || !entier(pdf, k, o) || k != i + 10 || o >= xref) return;
            if (pdf[i + 17] != 'n') continue;
            entrees.emplace_back(i, o);
            if (premier + j == catalogue) offsetCatalogue = o;
        }
        while (i < trailer && (pdf[i] == ' ' || pdf[i] == '\r' || pdf[i] == '\n'))
            ++i;
    }
    const std::string objet = std::to_string(catalogue) + " 0 obj";
    if (offsetCatalogue >= xref || pdf.compare(offsetCatalogue, objet.size(), objet) != 0) return;
    const std::size_t dict = pdf.find("<<", offsetCatalogue);
    const std::size_t fin = pdf.find("endobj", offsetCatalogue);
    if (dict == npos || fin == npos || dict > fin) return;
    const std::string_view corps(pdf.data() + dict, fin - dict);
    if (corps.find("/Type /Catalog") == npos || corps.find("/ViewerPreferences") != npos) return;

    const std::size_t ici = dict + 2;
    if (xref + Ajout.size() >= 10'000'000'000) return; // ten digits to an offset
    for (auto [position, offset] : entrees) {
        if (offset > ici) offset += Ajout.size();
        const std::string chiffres = std::to_string(offset);
        pdf.replace(position, 10, std::string(10 - chiffres.size(), '0') + chiffres);
    }
    pdf.replace(debutNombre, finNombre - debutNombre, std::to_string(xref + Ajout.size()));
    pdf.insert(ici, Ajout);
}

// Why Cairo failed, in French: its own texts are English.
std::string raisonCairo(cairo_status_t etat) {
    switch (etat) {
    case CAIRO_STATUS_NO_MEMORY:
    case CAIRO_STATUS_WRITE_ERROR: // the output grows in memory: only an allocation fails it
        return "mémoire insuffisante";
    case CAIRO_STATUS_INVALID_STRING:
        return "un texte contient un caractère qui ne peut pas être dessiné";
    case CAIRO_STATUS_FILE_NOT_FOUND:
    case CAIRO_STATUS_FONT_TYPE_MISMATCH:
    case CAIRO_STATUS_FREETYPE_ERROR:
        return "la police DejaVu Sans est introuvable ou inutilisable";
    case CAIRO_STATUS_TEMP_FILE_ERROR:
        return "un fichier temporaire de la bibliothèque de dessin n'a pas pu être créé";
    case CAIRO_STATUS_INVALID_MATRIX:
    case CAIRO_STATUS_INVALID_SIZE:
    case CAIRO_STATUS_INVALID_DASH:
    case CAIRO_STATUS_INVALID_PATH_DATA:
        return "une dimension du dessin est hors des limites de la bibliothèque de dessin";
    default:
        return "erreur n° " + std::to_string(static_cast<int>(etat)) +
               " de la bibliothèque de dessin Cairo";
    }
}

struct Detruire {
    const Cairo* C;
    void operator()(cairo_surface_t* s) const { C->cairo_surface_destroy(s); }
    void operator()(cairo_t* cr) const { C->cairo_destroy(cr); }
};

} // namespace

bool Pdf_Disponible() {
    return true;
}

Resultat Pdf_Gabarits(const std::vector<std::pair<const Gabarit*, const Pagination*>>& gabarits,
                      std::string& pdf, const std::atomic<bool>* annulation) {
    std::string titre = "Gabarits";
    for (const auto& [g, p] : gabarits) {
        if (!Gabarit_Fini(*g) || p->pages.empty())
            return Resultat::Refus("Le gabarit " + g->nom +
                                   " est incomplet ou contient une valeur non numérique : le "
                                   "fichier PDF n'est pas produit.");
        titre += " " + g->nom;
    }
    if (gabarits.empty()) return Resultat::Refus("Aucun gabarit à enregistrer en PDF.");
    const Cairo* charge = chargerCairo();
    if (!charge)
        return Resultat::Refus("La bibliothèque Cairo (" ORTIX_BIBLIOTHEQUE_CAIRO
                               ") manque ou est incomplète : les gabarits ne peuvent pas être "
                               "enregistrés en PDF.");
    const Cairo& C = *charge;

    std::string octets;
    const PageGabarit& premiere = gabarits.front().second->pages.front();
    std::unique_ptr<cairo_surface_t, Detruire> surface(
        C.cairo_pdf_surface_create_for_stream(ajouter, &octets, premiere.largeur * PointsParMm,
                                              premiere.hauteur * PointsParMm),
        Detruire{&C});
#if CAIRO_VERSION >= CAIRO_VERSION_ENCODE(1, 16, 0)
    C.cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE,
                                     Texte_Affichable(titre).c_str());
    C.cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR,
                                     "Ortix version " ORTIX_VERSION);
#endif
    std::unique_ptr<cairo_t, Detruire> cr(C.cairo_create(surface.get()), Detruire{&C});
    for (const auto& [g, p] : gabarits)
        for (const PageGabarit& pg : p->pages) {
            if (annulation && annulation->load()) return Resultat::Refus("Enregistrement annulé.");
            C.cairo_pdf_surface_set_size(surface.get(), pg.largeur * PointsParMm,
                                         pg.hauteur * PointsParMm);
            page(C, cr.get(), *g, pg);
            C.cairo_show_page(cr.get());
        }
    cairo_status_t etat = C.cairo_status(cr.get());
    cr.reset();
    C.cairo_surface_finish(surface.get());
    if (etat == CAIRO_STATUS_SUCCESS) etat = C.cairo_surface_status(surface.get());
    if (etat != CAIRO_STATUS_SUCCESS)
        return Resultat::Refus(
            "Le fichier PDF des gabarits n'a pas pu être produit : " + raisonCairo(etat) + ".");
    imprimerTailleReelle(octets);
    pdf = std::move(octets);
    return {};
}

} // namespace ortix::fichiers

#else // built without Cairo: the same functions, refusing

namespace ortix::fichiers {

bool Pdf_Disponible() {
    return false;
}

Resultat Pdf_Gabarits(const std::vector<std::pair<const Gabarit*, const Pagination*>>&,
                      std::string&, const std::atomic<bool>*) {
    return Resultat::Refus("Cette version d'Ortix a été construite sans la sortie PDF : les "
                           "gabarits ne peuvent pas être enregistrés en PDF.");
}

} // namespace ortix::fichiers

#endif
