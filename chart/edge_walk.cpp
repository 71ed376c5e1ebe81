#include "chart/edge_walk.h"

#include "engine/basic.h"

#include <utility>

namespace hyg {

double Lerp(double a0, double g0, double a1, double g1, double target, const char* where) {
    return a0 + (a1 - a0) * Div(target - g0, g1 - g0, where);
}

ChartEdge::ChartEdge(int first, int last, std::function<double(int)> position, std::function<double(int)> value)
    : first_(first)
    , last_(last)
    , position_(std::move(position))
    , value_(std::move(value)) {}

double ChartEdge::value(int k) {
    if (k < 0)
        return value_(k);
    const auto n = static_cast<std::size_t>(k);
    if (n >= known_.size()) {
        known_.resize(n + 1, false);
        values_.resize(n + 1, 0.0);
    }
    if (!known_[n]) {
        values_[n] = value_(k);
        known_[n] = true;
    }
    return values_[n];
}

int ChartEdge::walk(int from, double target, Stop stop) {
    int k = from;
    if (stop == Stop::Above) {
        while (k <= last_ && value(k) <= target)
            ++k;
    } else {
        while (k <= last_ && value(k) < target)
            ++k;
    }
    return k;
}

double ChartEdge::fraction(int k, double target, const char* where) {
    const double g0 = value(k - 1);
    return Div(target - g0, value(k) - g0, where);
}

double ChartEdge::crossing(int k, double target, const char* where) {
    return Lerp(position(k - 1), value(k - 1), position(k), value(k), target, where);
}

double ChartEdge::meet(int k, double target, const char* where) {
    return k > first_ ? crossing(k, target, where) : position(k);
}

} // namespace hyg
