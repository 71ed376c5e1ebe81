// Finding where a line of constant value meets an edge of the chart.
//
// The volume and wet-bulb lines are straight segments whose ends lie where
// their value is met on an edge of the chart: the saturation curve, the top,
// left or right edge, or a line just above the bottom. Such an edge is
// sampled at numbered points (entries of the saturation table, or whole
// g/kgDA of humidity). A walk goes up the samples to the first one whose
// value lies past the line's, and the end is interpolated linearly between
// that sample and the one before it. The lines are drawn in increasing
// value, so each walk may resume just before the sample where the previous
// line's walk stopped, and each sample's value is computed only once.
#pragma once

#include <functional>
#include <vector>

namespace hyg {

// Where a line meets an edge: a point of the chart by dry-bulb temperature
// [deg C] and humidity [g/kgDA].
struct ChartState {
    float t = 0;
    float x = 0;
};

// The coordinate at which `target` falls between two samples (a0, g0) and
// (a1, g1); equal sample values are a division by zero, reported as `where`.
double Lerp(double a0, double g0, double a1, double g1, double target, const char* where);

// Where a walk stops: at the first sample whose value is above the target,
// or at the first one at or above it.
enum class Stop { Above, AtOrAbove };

class ChartEdge {
public:
    // Samples `first` to `last`. `position(k)` is where sample k lies along
    // the edge (a temperature or a humidity), `value(k)` the line property
    // there. Both may also be asked for sample first - 1, for an edge whose
    // start lies before its first sample.
    ChartEdge(int first, int last, std::function<double(int)> position, std::function<double(int)> value);

    int first() const { return first_; }
    int last() const { return last_; }
    double position(int k) const { return position_(k); }
    double value(int k);

    // The first sample from `from` up to last() whose value passes `target`;
    // last() + 1 when none does.
    int walk(int from, double target, Stop stop = Stop::Above);

    // The fraction of the way from sample k - 1 to sample k at which the
    // value is `target`.
    double fraction(int k, double target, const char* where);
    // The position at which the value is `target` between samples k - 1 and k.
    double crossing(int k, double target, const char* where);
    // The position of a walk's stop at sample k: the crossing from the
    // sample before, or sample k itself when it is the edge's first.
    double meet(int k, double target, const char* where);

    // Where the walk of the next (higher) value starts after this one
    // stopped at sample k: the sample before, but not before the first.
    int resumeBefore(int k) const { return k - 1 >= first_ ? k - 1 : first_; }

private:
    int first_;
    int last_;
    std::function<double(int)> position_;
    std::function<double(int)> value_;
    std::vector<bool> known_;
    std::vector<double> values_;
};

} // namespace hyg
