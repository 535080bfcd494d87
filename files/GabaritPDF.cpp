// The PDF output through Cairo. Each page is drawn in millimetres: the template
// clipped to the page's window, then the crop marks and the page's texts in the
// margins.
#include "files/GabaritPDF.h"
#include "files/Citation.h"

#ifdef ORTIX_PDF_CAIRO
#include <cairo-pdf.h>
#include <cairo.h>

#include <memory>
#include <new>
#include <string>

namespace ortix::fichiers {

namespace {

constexpr double PointsParMm = 72 / 25.4;

cairo_status_t ajouter(void* pdf, const unsigned char* octets, unsigned int n) {
    try {
        static_cast<std::string*>(pdf)->append(reinterpret_cast<const char*>(octets), n);
        return CAIRO_STATUS_SUCCESS;
    } catch (const std::bad_alloc&) {
        return CAIRO_STATUS_WRITE_ERROR;
    }
}

void polyligne(cairo_t* cr, const std::vector<Point2>& p, bool ferme) {
    if (p.empty()) return;
    cairo_move_to(cr, p[0].x, p[0].y);
    for (std::size_t i = 1; i < p.size(); ++i)
        cairo_line_to(cr, p[i].x, p[i].y);
    if (ferme) cairo_close_path(cr);
    cairo_stroke(cr);
}

void segment(cairo_t* cr, Point2 a, Point2 b) {
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_stroke(cr);
}

void texte(cairo_t* cr, const TexteGabarit& t) {
    const std::string s = Texte_Affichable(t.texte);
    cairo_set_font_size(cr, t.taille);
    double x = t.position.x;
    if (t.ancrage == Ancrage::Centre) {
        cairo_text_extents_t e;
        cairo_text_extents(cr, s.c_str(), &e);
        x -= e.x_advance / 2;
    }
    cairo_move_to(cr, x, t.position.y);
    cairo_show_text(cr, s.c_str());
    cairo_new_path(cr);
}

void epaisseur(cairo_t* cr, double mm, Trait trait = Trait::Plein) {
    cairo_set_line_width(cr, mm);
    if (trait == Trait::TiretPoint)
        cairo_set_dash(cr, TiretPointGabarit.data(), static_cast<int>(TiretPointGabarit.size()), 0);
    else
        cairo_set_dash(cr, nullptr, 0, 0);
}

// The template itself, in template coordinates.
void gabarit(cairo_t* cr, const Gabarit& g) {
    for (const TraceGabarit& t : g.traces) {
        epaisseur(cr, t.epaisseur, t.trait);
        polyligne(cr, t.points, t.ferme);
    }
    epaisseur(cr, 0.3);
    polyligne(cr, g.contour, false);
    epaisseur(cr, 0.25);
    for (const Graduation& t : g.graduations)
        segment(cr, t.a, t.b);
    for (const Graduation& t : g.graduations)
        texte(cr, t.etiquette);
    for (const TexteGabarit& t : g.textes)
        texte(cr, t);
}

// An alignment mark: a cross in a circle, the same on every page that shows it.
void croix(cairo_t* cr, Point2 c) {
    epaisseur(cr, 0.2);
    segment(cr, {c.x - 3, c.y}, {c.x + 3, c.y});
    segment(cr, {c.x, c.y - 3}, {c.x, c.y + 3});
    cairo_new_sub_path(cr);
    cairo_arc(cr, c.x, c.y, 2, 0, 2 * 3.14159265358979323846);
    cairo_stroke(cr);
}

void page(cairo_t* cr, const Gabarit& g, const PageGabarit& p) {
    cairo_save(cr);
    cairo_scale(cr, PointsParMm, PointsParMm);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);

    cairo_save(cr);
    cairo_rectangle(cr, p.marge, p.marge, p.largeurFenetre, p.hauteurFenetre);
    cairo_clip(cr);
    cairo_translate(cr, p.marge - p.coin.x, p.marge - p.coin.y);
    gabarit(cr, g);
    for (const Point2& c : p.croix)
        croix(cr, c);
    cairo_restore(cr);

    epaisseur(cr, 0.2);
    for (const Segment& s : p.coupes)
        segment(cr, s.a, s.b);
    for (const TexteGabarit& t : p.textes)
        texte(cr, t);
    cairo_restore(cr);
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
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
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

    std::string octets;
    const PageGabarit& premiere = gabarits.front().second->pages.front();
    std::unique_ptr<cairo_surface_t, Detruire> surface(cairo_pdf_surface_create_for_stream(
        ajouter, &octets, premiere.largeur * PointsParMm, premiere.hauteur * PointsParMm));
#if CAIRO_VERSION >= CAIRO_VERSION_ENCODE(1, 16, 0)
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE,
                                   Texte_Affichable(titre).c_str());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR,
                                   "Ortix version " ORTIX_VERSION);
#endif
    std::unique_ptr<cairo_t, Detruire> cr(cairo_create(surface.get()));
    for (const auto& [g, p] : gabarits)
        for (const PageGabarit& pg : p->pages) {
            if (annulation && annulation->load()) return Resultat::Refus("Enregistrement annulé.");
            cairo_pdf_surface_set_size(surface.get(), pg.largeur * PointsParMm,
                                       pg.hauteur * PointsParMm);
            page(cr.get(), *g, pg);
            cairo_show_page(cr.get());
        }
    cairo_status_t etat = cairo_status(cr.get());
    cr.reset();
    cairo_surface_finish(surface.get());
    if (etat == CAIRO_STATUS_SUCCESS) etat = cairo_surface_status(surface.get());
    if (etat != CAIRO_STATUS_SUCCESS)
        return Resultat::Refus(
            "Le fichier PDF des gabarits n'a pas pu être produit : " + raisonCairo(etat) + ".");
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
