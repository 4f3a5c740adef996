#include "searches.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace
{

// Probes each x once: the searches ask again for points they have seen.
class Memo
{
public:
    explicit Memo(const Probe &probe) : m_probe(probe) {}

    bool at(double x, double &y)
    {
        const auto it = m_seen.find(x);
        if (it != m_seen.end()) {
            y = it->second;
            return true;
        }
        if (!m_probe(x, y))
            return false;
        ++probes;
        m_last = x;
        m_seen[x] = y;
        return true;
    }
    // Leaves the radio at x (probing again if another value was set since).
    bool settle(double x, SearchResult &r)
    {
        r.x = x;
        r.y = m_seen[x];
        r.ok = true;
        if (m_last != x) {
            m_seen.erase(x);
            r.ok = at(x, r.y);
        }
        r.probes = probes;
        return r.ok;
    }
    int probes = 0;

private:
    const Probe &m_probe;
    std::map<double, double> m_seen;
    double m_last = NAN;
};

double Snap(double x, double quantum, double low, double high)
{
    return std::clamp(std::round(x / quantum) * quantum, low, high);
}

} // namespace

SearchResult SolveMonotonic(const MonotonicSearch &s, const Probe &probe)
{
    Memo memo(probe);
    SearchResult r;
    auto shape = [&s](double y) { return s.squareLaw ? std::sqrt(std::max(y, 0.0)) : y; };
    const double goal = shape(s.target);
    double x0 = Snap(s.start, s.quantum, s.lowest, s.highest);
    double y0 = 0.0;
    if (!memo.at(x0, y0))
        return r;
    double best = x0;
    double bestError = std::abs(y0 - s.target);
    // A bracket [below, above] by reading: below reads under the target.
    double below = NAN, above = NAN;
    auto note = [&](double x, double y) {
        if (std::abs(y - s.target) < bestError) {
            best = x;
            bestError = std::abs(y - s.target);
        }
        (y < s.target ? below : above) = x;
    };
    note(x0, y0);
    // The second point: proportional to the start, as if the curve passed through zero.
    double x1 = shape(y0) > 0 ? x0 * goal / shape(y0) : x0 + (s.highest - s.lowest) / 8;
    while (bestError > s.tolerance && memo.probes < s.maxProbes) {
        x1 = Snap(x1, s.quantum, s.lowest, s.highest);
        const bool bracketed = !std::isnan(below) && !std::isnan(above);
        const bool outside =
            bracketed && (x1 <= std::min(below, above) || x1 >= std::max(below, above));
        if (x1 == x0 || outside) {
            if (!bracketed || std::abs(above - below) <= s.quantum)
                break;
            x1 = Snap((below + above) / 2, s.quantum, s.lowest, s.highest);
            if (x1 == below || x1 == above)
                break;
        }
        double y1 = 0.0;
        if (!memo.at(x1, y1))
            return r;
        note(x1, y1);
        const double slope = (shape(y1) - shape(y0)) / (x1 - x0);
        x0 = x1;
        y0 = y1;
        if (slope == 0.0 || !std::isfinite(slope))
            x1 = bracketed ? (below + above) / 2 : x1 + (s.highest - s.lowest) / 8;
        else
            x1 = x1 + (goal - shape(y1)) / slope;
    }
    memo.settle(best, r);
    return r;
}

SearchResult FindPeak(const PeakSearch &s, const Probe &probe)
{
    Memo memo(probe);
    SearchResult r;
    auto snap = [&s](double x) { return Snap(x, s.quantum, s.lowest, s.highest); };
    double a = snap(s.start), ya = 0.0;
    double b = snap(s.start + s.firstStep), yb = 0.0;
    if (!memo.at(a, ya) || !memo.at(b, yb))
        return r;
    // Walk uphill with doubling steps until the reading falls again.
    double step = b - a;
    if (yb < ya) {
        std::swap(a, b);
        std::swap(ya, yb);
        step = -step;
    }
    double c = b, yc = yb;
    while (memo.probes < s.maxProbes) {
        step *= 2;
        c = snap(b + step);
        if (c == b)
            break;
        if (!memo.at(c, yc))
            return r;
        if (yc < yb)
            break;
        a = b;
        ya = yb;
        b = c;
        yb = yc;
    }
    // The peak lies between a and c, b the best so far.
    double lo = std::min(a, c), hi = std::max(a, c);
    constexpr double Golden = 0.3819660112501051;
    while (hi - lo > 2 * s.quantum && memo.probes < s.maxProbes) {
        const bool left = (b - lo) > (hi - b);
        const double x = snap(left ? b - Golden * (b - lo) : b + Golden * (hi - b));
        if (x == b)
            break;
        double y = 0.0;
        if (!memo.at(x, y))
            return r;
        if (y > yb) {
            (left ? hi : lo) = b;
            b = x;
            yb = y;
        } else {
            (left ? lo : hi) = x;
        }
    }
    memo.settle(b, r);
    return r;
}
