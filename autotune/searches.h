#pragma once

// Searches that touch the radio as seldom as they can: each probe sets one value (a write the
// manual procedure would make by moving its scroll bar) and takes one averaged reading.

#include <functional>

// Sets x and measures; false when the radio or the instrument failed (the search stops).
using Probe = std::function<bool(double x, double &y)>;

struct SearchResult {
    bool ok = false; // false: a probe failed
    double x = 0.0;  // the best setting found, the one last probed
    double y = 0.0;  // its reading
    int probes = 0;
};

struct MonotonicSearch {
    double lowest; // the range of x, both ends allowed
    double highest;
    double start;     // where the radio is now
    double quantum;   // x moves in steps of this
    double target;    // the reading sought
    double tolerance; // a reading this close to the target ends the search
    bool squareLaw;   // the reading grows with the square of x (power against a DAC value)
    int maxProbes;
};

// Secant steps on a curve that rises or falls throughout, falling back to bisection inside the
// bracket once the target is bracketed. Ends with x probed last, the best of those seen.
SearchResult SolveMonotonic(const MonotonicSearch &search, const Probe &probe);

struct PeakSearch {
    double lowest;
    double highest;
    double start;
    double firstStep; // the bracket grows from here, doubling
    double quantum;   // the bracket is narrowed to this width
    int maxProbes;
};

// The x of the largest reading of a curve with a single peak: a bracket grown from the start,
// then narrowed by golden sections. Ends with x probed last, the best seen.
SearchResult FindPeak(const PeakSearch &search, const Probe &probe);
