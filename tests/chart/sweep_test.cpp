// Every chart the dialogs allow, measured as drawn: every range of the range
// dialog in both diagram types at the start-up settings, and a fixed sample
// of further settings (pressures at the ends and middle of each unit's list,
// unit systems, height-to-width ratios, protractor settings), the whole
// chart in both device modes, each family told apart. Lines stay on the
// chart, texts in the plot window, no number covers another text, and only
// typed faults are raised.
#include "tests/chart/chart_inspector.h"

#include "chart/canvas_writer.h"
#include "chart/plot_file_writer.h"
#include "engine/psychro.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <sstream>

namespace hyg {
namespace {

using namespace test;

// Line ends may pass the chart's edge by a little (the dry-bulb feet stand
// half a text unit below the bottom edge); the volume lines are drawn 70
// plane units past the bottom edge on purpose.
constexpr double kLineEnd = 15;
constexpr double kVolumeBelow = 75;

// The families whose lines must stay on the chart: whether they may end
// left of the saturation curve, and how far their ends may pass the bottom.
const std::map<std::string, std::pair<bool, double>> kLineFamilies = {
    {"relative humidity", {false, kLineEnd}}, {"saturation degree", {false, kLineEnd}},
    {"dry bulb", {false, kLineEnd}},          {"absolute humidity", {false, kLineEnd}},
    {"enthalpy", {true, kLineEnd}},           {"volume", {false, kVolumeBelow}},
    {"wet bulb", {false, kLineEnd}}};

// What the sweep found: per finding and mode, how many charts and the first
// of them. Anything found fails the sweep.
struct Findings : std::map<std::string, std::pair<int, std::string>> {
    void add(const std::string& what, bool file, const std::string& chart, const std::string& detail) {
        if (auto& [charts, first] = (*this)[what + (file ? ", file" : ", draw")]; charts++ == 0)
            first = chart + ": " + detail;
    }
};

std::string Describe(const ChartSettings& s) {
    std::ostringstream os;
    os << s.MinDryBulb << ".." << s.MaxDryBulb << " type " << s.DiagramType << " at " << s.Pressure << " unit "
       << CodeOf(s.PressureUnit) << " system " << CodeOf(s.EnthalpyUnit) << " ratio " << s.VertHorizRatio << " SHF "
       << s.ShfOriginDryBulb << "/" << s.ShfOriginAbsHum << " MR " << s.MaxMoistureRatio;
    return os.str();
}

// Numbers of one family (any texts of the legend) that cover each other,
// and texts of different families where one covers a number of the other;
// boxes are compared only where their upright extents meet.
void Covering(const std::vector<std::pair<std::string, Drawn>>& drawn, bool file, const std::string& name,
              Findings& found) {
    // Each text with its family and its leftmost and rightmost x.
    struct Placed {
        const TextBox* box;
        const std::string* family;
        double left, right;
    };
    std::vector<Placed> all;
    for (const auto& [family, d] : drawn) {
        for (const TextBox& b : d.texts) {
            const auto [l, r] = std::minmax({b.corner[0].x, b.corner[1].x, b.corner[2].x, b.corner[3].x});
            all.push_back({&b, &family, l, r});
        }
    }
    std::sort(all.begin(), all.end(), [](const Placed& a, const Placed& b) { return a.left < b.left; });
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t j = i + 1; j < all.size() && all[j].left <= all[i].right; ++j) {
            const Placed &a = all[i], &b = all[j];
            const bool same = *a.family == *b.family;
            const bool n = same ? a.box->isNumber() && b.box->isNumber() : a.box->isNumber() || b.box->isNumber();
            if (!(n || (same && *a.family == "legend")) || !Covers(*a.box, *b.box))
                continue;
            const auto [first, second] = *a.family < *b.family ? std::pair(a, b) : std::pair(b, a);
            found.add(same ? *first.family + ", texts overlap" : *first.family + " and " + *second.family + " cover",
                      file, name, '"' + first.box->text + "\" and \"" + second.box->text + '"');
        }
    }
}

void Inspect(const ChartSettings& settings, Findings& found) {
    Chart chart;
    chart.settings = settings;
    ChartSettings& s = chart.settings;
    s.PictureWidth = 15000, s.PictureHeight = 10500; // a 1000 x 700 canvas
    s.PlotTextSize1 = 20, s.PlotTextSize2 = 0.28f, s.PlotTextSize3 = 0.16f, s.PlotTextSize4 = 0.14f;
    const ChartFrame frame = LayoutChart(chart, nullptr);
    const ChartArea area{chart, frame};
    const std::string name = Describe(s);

    for (bool file : {false, true}) {
        // Each family's share of the output: where it starts.
        std::vector<std::pair<std::string, std::size_t>> starts;
        std::ostringstream os;
        RecordingCanvas canvas;
        PlotFileWriter plot(os);
        CanvasWriter screen(s, canvas);
        try {
            DrawChart(file ? static_cast<PenPlotter&>(plot) : screen, chart, frame, {}, [&](const char* family) {
                starts.emplace_back(family, file ? static_cast<std::size_t>(os.tellp()) : canvas.calls.size());
            });
        } catch (const RunTimeFault& e) {
            found.add(starts.back().first + ", typed fault", file, name, e.what());
        }
        const std::string text = os.str();
        starts.emplace_back("", file ? text.size() : canvas.calls.size());
        PlotReader reader{s};
        std::vector<std::pair<std::string, Drawn>> drawn;
        for (std::size_t k = 0, from = 0, to = 0; k + 1 < starts.size(); ++k) {
            from = starts[k].second, to = starts[k + 1].second;
            drawn.emplace_back(starts[k].first, file ? reader.read(HpglLines(text.substr(from, to - from)))
                                                     : FromCanvas(canvas, s, from, to));
        }

        for (const auto& [family, d] : drawn) {
            if (const auto line = kLineFamilies.find(family); line != kLineFamilies.end()) {
                const auto [leftOpen, below] = line->second;
                double worst = 0;
                for (const PlaneSegment& seg : d.segments) {
                    for (const PlotPoint& p : {seg.a, seg.b}) {
                        const double under =
                            p.y < frame.BottomY && frame.BottomY - p.y <= below ? frame.BottomY - p.y : 0;
                        worst = std::max(worst, area.outside(p, leftOpen) - under);
                    }
                }
                if (worst > kLineEnd)
                    found.add(family + ", line outside the chart", file, name, std::to_string(worst) + " units");
            }
            for (const TextBox& b : d.texts) {
                if (const double out = OutsideWindow(b, s); out > 0) {
                    found.add(family + ", text outside the window", file, name,
                              '"' + b.text + "\" by " + std::to_string(out));
                    break;
                }
            }
        }
        Covering(drawn, file, name, found);
    }
}

// Every range of the range dialog in both types at the start-up settings.
std::vector<ChartSettings> DialogRanges() {
    std::vector<ChartSettings> out;
    for (int type = 0; type <= 1; ++type) {
        for (int min = -20; min <= 20; ++min) {
            for (int max = std::max(10, min + 1); max <= 60; ++max) {
                ChartSettings s;
                s.MinDryBulb = static_cast<float>(min), s.MaxDryBulb = static_cast<float>(max);
                s.DiagramType = static_cast<std::int16_t>(type);
                out.push_back(s);
            }
        }
    }
    return out;
}

// A fixed sample of further settings the dialogs allow (the same every run).
std::vector<ChartSettings> SampledSettings(int count) {
    // The ends and the middle of each unit's pressure list.
    constexpr PressureIn mmHg = PressureIn::MmHg, kPa = PressureIn::KPa, atm = PressureIn::Atm;
    const std::pair<PressureIn, float> pressures[] = {{mmHg, 700}, {mmHg, 850}, {mmHg, 1000}, {kPa, 90},  {kPa, 105},
                                                      {kPa, 120},  {atm, 0.9f}, {atm, 1.05f}, {atm, 1.2f}};
    std::uint32_t state = 20261206;
    const auto next = [&](int n) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(n));
    };
    std::vector<ChartSettings> out;
    while (static_cast<int>(out.size()) < count) {
        ChartSettings s;
        const int min = next(41) - 20, max = next(51) + 10;
        if (max <= min)
            continue;
        s.MinDryBulb = static_cast<float>(min), s.MaxDryBulb = static_cast<float>(max);
        const auto [unit, value] = pressures[next(9)];
        s.PressureUnit = unit, s.Pressure = value, s.PressureMmHg = PressureToMmHg(value, unit);
        s.EnthalpyUnit = *UnitSystemOfCode(next(3) + 1);
        s.DiagramType = static_cast<std::int16_t>(next(2));
        s.VertHorizRatio = static_cast<float>(next(12) + 3);
        s.ShfOriginDryBulb = static_cast<float>(next(21) + 10);
        s.ShfOriginAbsHum = static_cast<float>(next(21) + 10);
        s.MaxMoistureRatio = static_cast<float>(next(21) + 1);
        out.push_back(s);
    }
    return out;
}

// The sweep is cut into shards (every n-th setting) so that the test runner
// spreads it over the processors.
constexpr int kShards = 6;

void Sweep(const std::vector<ChartSettings>& settings, int shard) {
    Findings found;
    for (std::size_t i = static_cast<std::size_t>(shard); i < settings.size(); i += kShards) {
        const ChartSettings& s = settings[i];
        try {
            Inspect(s, found);
        } catch (const RunTimeFault& e) {
            ADD_FAILURE() << Describe(s) << ": layout " << e.what();
        }
    }
    for (const auto& [key, e] : found)
        ADD_FAILURE() << key << ": " << e.first << " charts, first " << e.second;
}

class DialogSweep : public testing::TestWithParam<int> {};

TEST_P(DialogSweep, EveryDialogRangeInBothTypes) {
    static const std::vector<ChartSettings> all = DialogRanges();
    Sweep(all, GetParam());
}

TEST_P(DialogSweep, SampleOfPressuresUnitsRatiosAndProtractors) {
    static const std::vector<ChartSettings> all = SampledSettings(2000);
    Sweep(all, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Shard, DialogSweep, testing::Range(0, kShards));

// Whether the pieces a-b and c-d cross.
bool Cross(PlotPoint a, PlotPoint b, PlotPoint c, PlotPoint d) {
    const auto side = [](PlotPoint p, PlotPoint q, PlotPoint r) {
        return (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
    };
    return side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0;
}

TEST(MoistureRatioRing, KeepsOffTheEnthalpyScaleLineOnATallChart) {
    // At a height-to-width ratio of 1.4 the protractor's ring (the band
    // between its arcs, from end to end) ran across the enthalpy scale line
    // where the texts alone placed it; there is room for it further left.
    for (const auto& [min, max] : {std::pair{10.f, 40.f}, {-20.f, 20.f}, {0.f, 30.f}}) {
        Chart chart;
        ChartSettings& s = chart.settings;
        s.MinDryBulb = min, s.MaxDryBulb = max, s.VertHorizRatio = 14;
        s.PictureWidth = 15000, s.PictureHeight = 10500;
        const ChartFrame frame = LayoutChart(chart, nullptr);
        RecordingCanvas canvas;
        CanvasWriter screen(s, canvas);
        std::map<std::string, std::size_t> starts;
        DrawChart(screen, chart, frame, {}, [&](const char* family) { starts[family] = canvas.calls.size(); });
        const double k = (s.PlaneXMax - s.PlaneXMin) / canvas.width();
        const auto plane = [&](double px, double py) { return PlotPoint{s.PlaneXMin + px * k, s.PlaneYMax - py * k}; };
        // The scale line: the first two lines of the enthalpy family.
        std::vector<std::pair<PlotPoint, PlotPoint>> scale;
        for (std::size_t i = starts.at("enthalpy"); scale.size() < 2; ++i) {
            if (const CanvasCall& c = canvas.calls.at(i); c.kind == CanvasCall::Kind::Line)
                scale.emplace_back(plane(c.x1, c.y1), plane(c.x2, c.y2));
        }
        // The band's outline: the outer arc, then the inner one backwards.
        std::vector<const CanvasCall*> arcs;
        for (std::size_t i = starts.at("moisture ratio"); i < starts.at("SHF"); ++i) {
            if (canvas.calls[i].kind == CanvasCall::Kind::Arc)
                arcs.push_back(&canvas.calls[i]);
        }
        ASSERT_EQ(arcs.size(), 2u);
        std::vector<PlotPoint> outline;
        for (const CanvasCall* c : {arcs[1], arcs[0]}) {
            const PlotPoint centre = plane(c->x1, c->y1);
            for (int i = 0; i <= 90; ++i) {
                const double a = c == arcs[1] ? c->a1 + (c->a2 - c->a1) * i / 90 : c->a2 - (c->a2 - c->a1) * i / 90;
                outline.push_back({centre.x + c->r * k * std::cos(a), centre.y + c->r * k * std::sin(a)});
            }
        }
        outline.push_back(outline.front());
        for (const auto& [a, b] : scale) {
            for (std::size_t i = 1; i < outline.size(); ++i)
                EXPECT_FALSE(Cross(a, b, outline[i - 1], outline[i])) << min << ".." << max << " at " << i;
        }
    }
}

} // namespace
} // namespace hyg
