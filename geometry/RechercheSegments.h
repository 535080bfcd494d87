// The search of the segment holding an abscissa along a section, for the many
// searches of one computation: each section is indexed once, then every search
// costs a few comparisons instead of a walk from segment (1, 2).
//
// The answer is always the one of the plain linear search Chercher_Segment_Lineaire
// (geometry/Primitives.h): the first segment (i, i+1), in index order, with
// d·XA(i) ≤ d·x ≤ d·XA(i+1), both ends included, 0 when none holds x.
//
// How: in the direction d = +1 (d = −1 is the mirror), only the segments along
// which X rises or stays can hold x. Consecutive ones form runs, in each of which
// the abscissae are sorted, so a run holds x exactly when x lies between the run's
// first and last abscissae. The first run holding x is read from a table made
// once: the distinct run ends cut the line of abscissae into places (on an end,
// or strictly between two), and for each place the table gives the first run
// that covers it. Within the run, the first segment whose end is not before x is
// the answer: the run's span is cut into equal buckets, each bucket knows the
// segments whose ends fall in it, and a bisection among those few finishes.
// The bucket of an abscissa is computed the same way when indexing and when
// searching, and never decreases as the abscissa goes the run's way, which is
// all the bisection needs to stay exact whatever the rounding.
#pragma once

#include "model/Modele.h"

#include <cstdint>

namespace ortix {

// The index of one section for one direction of travel. Filled by
// Indexer_Segments; its content is private to the search.
struct IndexSens {
    // At most one run in two segments: runs are parted by a segment that goes
    // the other way.
    static constexpr int MaxSuites = Capacite / 2;
    static constexpr int MaxBornes = 2 * MaxSuites;
    static constexpr int MaxPlaces = 2 * MaxBornes + 1;
    // Two buckets per segment of a run, and one more entry per run.
    static constexpr int MaxSeaux = 2 * (Capacite - 1) + MaxSuites;

    // Run r covers the segments debut[r] to fin[r] (points debut[r] to fin[r] + 1),
    // runs in index order.
    std::int16_t debut[MaxSuites], fin[MaxSuites];
    int nbSuites = 0;
    // The distinct abscissae at which runs begin or end, in the direction's order.
    double bornes[MaxBornes];
    int nbBornes = 0;
    // Place 2k + 1 is bornes[k] itself, place 2k lies strictly before bornes[k]
    // (and after bornes[k − 1]); place 2·nbBornes lies after the last. For each,
    // the first run holding it, or −1.
    std::int16_t premiere[MaxPlaces];
    // Run r has 2·(fin[r] − debut[r] + 1) buckets; an abscissa x falls in bucket
    // (x − origine[r])·echelle[r], kept within them. seaux[seau0[r] + b] is the
    // first segment of the run whose end falls in bucket b or a later one (the
    // run's last segment when none does), for b up to the bucket count included.
    double origine[MaxSuites], echelle[MaxSuites];
    std::int16_t seau0[MaxSuites];
    std::int16_t seaux[MaxSeaux];
};

// One section, indexed for both directions of travel (about 56 kB, meant to be
// a local of the computation: nothing is allocated).
struct IndexSegments {
    const double* XA = nullptr; // entry 1 of the section's abscissae, not copied
    int N = 0;                  // the points searched: the count, at most Capacite
    IndexSens montant;          // SensVarX = +1
    IndexSens descendant;       // SensVarX = −1
};

// Indexes the section of N points whose entry 1 is XA. The abscissae are read now
// and again by each search: they must stay as they are while the index is used.
// O(N log N), no allocation.
void Indexer_Segments(const double* XA, int N, IndexSegments& index);

// The segment of the indexed section holding x in the direction SensVarX: the
// same answer as Chercher_Segment_Lineaire(index.XA, index.N, x, SensVarX), in
// O(log N) for SensVarX = ±1. Any other direction is left to the linear search,
// which for 0 answers at segment (1, 2).
int Chercher_Segment(const IndexSegments& index, double x, std::int16_t SensVarX);

} // namespace ortix
