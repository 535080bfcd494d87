#include "geometry/RechercheSegments.h"

#include "geometry/Primitives.h"

#include <algorithm>

namespace ortix {

namespace {

// The order of one direction. With d = −1 the linear search compares −a ≤ −b,
// which is exactly a ≥ b: negation is exact, −0 equals +0, and a NaN compares
// false either way. Both orders are therefore written without any product.
template <int D>
struct Ordre {
    static bool avantOuEgal(double a, double b) { return D > 0 ? a <= b : a >= b; }
    static bool avant(double a, double b) { return D > 0 ? a < b : a > b; }
};

// The place of x among the run ends (see IndexSens::premiere). A NaN is after
// every end, where no run lies.
template <int D>
int place(const IndexSens& s, double x) {
    // The first end not before x.
    int bas = 0, haut = s.nbBornes;
    while (bas < haut) {
        const int milieu = (bas + haut) / 2;
        if (Ordre<D>::avantOuEgal(x, s.bornes[milieu]))
            haut = milieu;
        else
            bas = milieu + 1;
    }
    if (bas < s.nbBornes && Ordre<D>::avantOuEgal(s.bornes[bas], x)) return 2 * bas + 1;
    return 2 * bas;
}

// The first of the free places from t on, the places taken being chained to the next.
int libre(std::int16_t* suivante, int t) {
    int r = t;
    while (suivante[r] != r) r = suivante[r];
    while (suivante[t] != r) { // shorten the chain for the next time
        const int n = suivante[t];
        suivante[t] = static_cast<std::int16_t>(r);
        t = n;
    }
    return r;
}

template <int D>
void indexer(const double* XA, int N, IndexSens& s) {
    using O = Ordre<D>;
    // Runs of consecutive segments along which X goes the direction's way or stays.
    // A segment touching a NaN belongs to none, as it matches nothing.
    s.nbSuites = 0;
    for (int i = 1; i <= N - 1; ++i) {
        if (!O::avantOuEgal(XA[i - 1], XA[i])) continue;
        const int debut = i;
        while (i + 1 <= N - 1 && O::avantOuEgal(XA[i], XA[i + 1])) ++i;
        s.debut[s.nbSuites] = static_cast<std::int16_t>(debut);
        s.fin[s.nbSuites] = static_cast<std::int16_t>(i);
        ++s.nbSuites;
    }

    // Their ends, sorted, each value once (−0 and +0 are one value).
    int n = 0;
    for (int r = 0; r < s.nbSuites; ++r) {
        s.bornes[n++] = XA[s.debut[r] - 1];
        s.bornes[n++] = XA[s.fin[r]];
    }
    std::sort(s.bornes, s.bornes + n, [](double a, double b) { return O::avant(a, b); });
    s.nbBornes = static_cast<int>(
        std::unique(s.bornes, s.bornes + n,
                    [](double a, double b) { return !O::avant(a, b) && !O::avant(b, a); }) -
        s.bornes);

    // Each run covers the places from its first abscissa to its last; every place
    // keeps the first run that covers it. Runs are taken in index order and only
    // free places are written, so each place is written once.
    const int nbPlaces = 2 * s.nbBornes + 1;
    std::int16_t suivante[IndexSens::MaxPlaces + 1];
    for (int t = 0; t <= nbPlaces; ++t) suivante[t] = static_cast<std::int16_t>(t);
    std::fill(s.premiere, s.premiere + nbPlaces, std::int16_t(-1));
    for (int r = 0; r < s.nbSuites; ++r) {
        const int derniere = place<D>(s, XA[s.fin[r]]);
        for (int t = libre(suivante, place<D>(s, XA[s.debut[r] - 1])); t <= derniere;
             t = libre(suivante, t + 1)) {
            s.premiere[t] = static_cast<std::int16_t>(r);
            suivante[t] = static_cast<std::int16_t>(t + 1);
        }
    }
}

template <int D>
int chercher(const IndexSegments& index, double x) {
    const IndexSens& s = D > 0 ? index.montant : index.descendant;
    const int r = s.premiere[place<D>(s, x)];
    if (r < 0) return 0;
    // In the run the abscissae are sorted and x lies between its ends: the first
    // segment holding x is the first whose end is not before x. Its start is then
    // before x, or is the run's start, which is not after x. On a flat stretch at
    // x this is the segment ending on the first point at x.
    const double* XA = index.XA;
    int bas = s.debut[r], haut = s.fin[r];
    while (bas < haut) {
        const int milieu = (bas + haut) / 2;
        if (Ordre<D>::avantOuEgal(x, XA[milieu])) // end of segment milieu
            haut = milieu;
        else
            bas = milieu + 1;
    }
    return bas;
}

} // namespace

void Indexer_Segments(const double* XA, int N, IndexSegments& index) {
    index.XA = XA;
    index.N = std::clamp(N, 0, Capacite);
    indexer<+1>(XA, index.N, index.montant);
    indexer<-1>(XA, index.N, index.descendant);
}

int Chercher_Segment(const IndexSegments& index, double x, std::int16_t SensVarX) {
    if (SensVarX == 1) return chercher<+1>(index, x);
    if (SensVarX == -1) return chercher<-1>(index, x);
    return Chercher_Segment_Lineaire(index.XA, index.N, x, SensVarX);
}

} // namespace ortix
