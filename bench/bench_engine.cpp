// Speed of the property functions over a spread of states: dry bulb -20 to
// 60 deg C, relative humidity 5 to 95 %, at 760 mmHg. Each iteration walks
// the whole spread, so the figure per call is the mean over it; run with
// --benchmark_repetitions to see the spread between runs on a busy machine.
#include "engine/psychro.h"
#include "engine/state_solver.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct State {
    float t;  // deg C
    float xg; // g/kgDA
};

const std::vector<State>& Spread() {
    static const std::vector<State> states = [] {
        std::vector<State> v;
        for (int t = -20; t <= 60; t += 4) {
            for (int rh = 5; rh <= 95; rh += 10) {
                const double ps = hyg::SatPressure(static_cast<float>(t) + 0.37f);
                const double pw = ps * rh / 100.0;
                v.push_back({static_cast<float>(t) + 0.37f, static_cast<float>(1000.0 * 0.622 * pw / (1.0 - pw))});
            }
        }
        return v;
    }();
    return states;
}

void BM_SatPressure(benchmark::State& st) {
    const auto& states = Spread();
    for (auto _ : st) {
        for (const State& s : states)
            benchmark::DoNotOptimize(hyg::SatPressure(s.t));
    }
    st.SetItemsProcessed(st.iterations() * static_cast<long>(states.size()));
}
BENCHMARK(BM_SatPressure);

void BM_AirProperty(benchmark::State& st) {
    const auto code = static_cast<std::int16_t>(st.range(0));
    const auto& states = Spread();
    for (auto _ : st) {
        for (const State& s : states)
            benchmark::DoNotOptimize(hyg::AirProperty(code, 760.0f, s.t, s.xg));
    }
    st.SetItemsProcessed(st.iterations() * static_cast<long>(states.size()));
}
BENCHMARK(BM_AirProperty)->Arg(2)->Arg(5)->Arg(6)->ArgName("code");

} // namespace

namespace {

// The input pass and the property pass of Calculate for six states.
void BM_InputAndPropertyPass(benchmark::State& st) {
    const char* rows[6][4] = {{"760", "30", "60", ""}, {"760", "16", "", "15.2"}, {"760", "20", "50", ""},
                              {"760", "35", "40", ""}, {"760", "-5", "80", ""},   {"760", "24", "", "17"}};
    hyg::AirStates states;
    hyg::StateMatrix input{}, properties{};
    hyg::StatePointList points;
    for (auto _ : st) {
        hyg::InputTable table{}; // braces: clang 14 (clang-tidy) crashes on the default-initialised form
        for (int i = 0; i < 6; ++i) {
            for (int j = 0; j < 4; ++j)
                table.cell(i + 1, j + 1) = rows[i][j];
        }
        benchmark::DoNotOptimize(hyg::InputPass(table, 6, hyg::PressureIn::MmHg, states, input, points, nullptr));
        hyg::PropertyPass(states, hyg::PressureIn::MmHg, hyg::UnitSystem::MetricKcal, properties);
        benchmark::DoNotOptimize(properties);
    }
}
BENCHMARK(BM_InputAndPropertyPass);

} // namespace
