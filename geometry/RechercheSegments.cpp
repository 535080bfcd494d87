#include "geometry/RechercheSegments.h"

#include "geometry/Primitives.h"

#include <algorithm>
#include <cmath>

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

// The bucket of x in run r, from 0 to nbSeaux − 1. Non-decreasing as x goes the
// direction's way: a difference and a product by a constant of the direction's
// sign both keep the order under rounding, and so does the clamp. A run without a
// usable scale (echelle 0) has every x in bucket 0, NaN products included.
int seau(const IndexSens& s, int r, int nbSeaux, double x) {
    const double t = (x - s.origine[r]) * s.echelle[r];
    if (!(t >= 0)) return 0;
    if (!(t < nbSeaux)) return nbSeaux - 1;
    return static_cast<int>(t);
}

// The first segment of segments bas to haut whose end is not before x, knowing
// that the end of haut is not.
template <int D>
int bissection(const double* XA, int bas, int haut, double x) {
    while (bas < haut) {
        const int milieu = (bas + haut) / 2;
        if (Ordre<D>::avantOuEgal(x, XA[milieu])) // the end of segment milieu
            haut = milieu;
        else
            bas = milieu + 1;
    }
    return bas;
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
    int seaux = 0;
    for (int i = 1; i <= N - 1; ++i) {
        if (!O::avantOuEgal(XA[i - 1], XA[i])) continue;
        const int debut = i;
        while (i + 1 <= N - 1 && O::avantOuEgal(XA[i], XA[i + 1])) ++i;
        const int r = s.nbSuites++;
        s.debut[r] = static_cast<std::int16_t>(debut);
        s.fin[r] = static_cast<std::int16_t>(i);

        // Its buckets, spread evenly over its span. A span of no length or beyond
        // the doubles puts everything in bucket 0, where the bisection does all.
        const int nbSeaux = 2 * (i - debut + 1);
        const double origine = XA[debut - 1];
        const double echelle = nbSeaux / (XA[i] - origine);
        s.origine[r] = origine;
        s.echelle[r] = std::isfinite(echelle) ? echelle : 0.0;
        s.seau0[r] = static_cast<std::int16_t>(seaux);
        std::int16_t* premier = s.seaux + seaux;
        int b = 0;
        for (int k = debut; k <= i; ++k) // the end of segment k
            for (const int bk = seau(s, r, nbSeaux, XA[k]); b <= bk; ++b)
                premier[b] = static_cast<std::int16_t>(k);
        for (; b <= nbSeaux; ++b) premier[b] = static_cast<std::int16_t>(i);
        seaux += nbSeaux + 1;
    }

    // Their ends, sorted, each value once (−0 and +0 are one value); the place of
    // each end is noted on the way. End 2r is the start of run r, 2r + 1 its end.
    struct Bout {
        double x;
        std::int16_t bout;
    };
    Bout bouts[IndexSens::MaxBornes];
    std::int16_t placeDuBout[IndexSens::MaxBornes];
    const int n = 2 * s.nbSuites;
    for (int r = 0; r < s.nbSuites; ++r) {
        bouts[2 * r] = {XA[s.debut[r] - 1], static_cast<std::int16_t>(2 * r)};
        bouts[2 * r + 1] = {XA[s.fin[r]], static_cast<std::int16_t>(2 * r + 1)};
    }
    std::sort(bouts, bouts + n, [](const Bout& a, const Bout& b) { return O::avant(a.x, b.x); });
    s.nbBornes = 0;
    for (int k = 0; k < n; ++k) {
        if (s.nbBornes == 0 || O::avant(s.bornes[s.nbBornes - 1], bouts[k].x))
            s.bornes[s.nbBornes++] = bouts[k].x;
        placeDuBout[bouts[k].bout] = static_cast<std::int16_t>(2 * s.nbBornes - 1);
    }

    // Each run covers the places from its first abscissa to its last; every place
    // keeps the first run that covers it. Runs are taken in index order and only
    // free places are written, so each place is written once.
    const int nbPlaces = 2 * s.nbBornes + 1;
    std::int16_t suivante[IndexSens::MaxPlaces + 1];
    for (int t = 0; t <= nbPlaces; ++t) suivante[t] = static_cast<std::int16_t>(t);
    std::fill(s.premiere, s.premiere + nbPlaces, std::int16_t(-1));
    for (int r = 0; r < s.nbSuites; ++r) {
        const int derniere = placeDuBout[2 * r + 1];
        for (int t = libre(suivante, placeDuBout[2 * r]); t <= derniere;
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
    // An end in an earlier bucket than x's is before x, one in a later bucket is
    // after it: the segment sought lies from the first end in x's bucket to the
    // first end in a later one (or the run's last end, which is not before x).
    const int b = seau(s, r, 2 * (s.fin[r] - s.debut[r] + 1), x);
    const std::int16_t* premier = s.seaux + s.seau0[r];
    return bissection<D>(index.XA, premier[b], premier[b + 1], x);
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
