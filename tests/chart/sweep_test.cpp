// Every chart the dialogs allow, measured as drawn: every range of the range
// dialog in both diagram types at the start-up settings, and a fixed sample
// of further settings (pressures at the ends and middle of each unit's list,
// unit systems, height-to-width ratios, protractor settings), each family
// alone, in both device modes. Lines stay on the chart, texts in the plot
// window, numbers of one family apart, and only typed faults are raised.
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

enum class Measure { Fault, LineOutside, TextOutside, NumbersOverlap };
const char* Name(Measure m) {
    switch (m) {
    case Measure::Fault:
        return "typed fault";
    case Measure::LineOutside:
        return "line outside the chart";
    case Measure::TextOutside:
        return "text outside the window";
    case Measure::NumbersOverlap:
        return "numbers overlap";
    }
    return "";
}

struct FamilyDraw {
    const char* name;
    bool line;     // a family of lines on the chart
    bool leftOpen; // may end left of the saturation curve
    double below;  // how far its ends may pass the bottom edge
    std::function<void(PenPlotter&, const Chart&, const ChartFrame&)> draw;
};

const std::vector<FamilyDraw>& Families() {
    static const std::vector<FamilyDraw> all = {
        {"relative humidity", true, false, kLineEnd,
         [](PenPlotter& d, const Chart& c, const ChartFrame& f) { DrawRelHumCurves(d, c, f.TempCount, f.IdxMin, f.IdxMax); }},
        {"saturation degree", true, false, kLineEnd,
         [](PenPlotter& d, const Chart& c, const ChartFrame& f) {
             DrawSatDegreeCurves(d, c, f.TempCount, f.IdxMin, f.IdxMax);
         }},
        {"dry bulb", true, false, kLineEnd,
         [](PenPlotter& d, const Chart& c, const ChartFrame& f) { DrawDryBulbLines(d, c, f.IdxMin, f.IdxMax, f.BottomY); }},
        {"absolute humidity", true, false, kLineEnd,
         [](PenPlotter& d, const Chart& c, const ChartFrame& f) {
             DrawAbsHumLines(d, c, f.IdxMin, f.IdxMax, f.LeftX, f.TopRightX);
         }},
        {"humidity scale", false, false, 0,
         [](PenPlotter& d, const Chart& c, const ChartFrame& f) { DrawAbsHumScale(d, c, f.TopRightX, f.BottomY); }},
        {"enthalpy", true, true, kLineEnd,
         [](PenPlotter& d, const Chart& c, const ChartFrame& f) {
             DrawEnthalpyLines(d, c, f.IdxMin, f.TopY, f.TopDewPoint);
         }},
        {"volume", true, false, kVolumeBelow,
         [](PenPlotter& d, const Chart& c, const ChartFrame& f) {
             DrawVolumeLines(d, c, f.IdxMin, f.IdxMax, f.BottomRightX, f.BottomY);
         }},
        {"wet bulb", true, false, kLineEnd,
         [](PenPlotter& d, const Chart& c, const ChartFrame& f) { DrawWetBulbLines(d, c, f.IdxMin, f.IdxMax, f.LeftX); }},
        {"partial pressure", false, false, 0,
         [](PenPlotter& d, const Chart& c, const ChartFrame& f) { DrawPartialPressureScale(d, c, f.TopRightX, f.BottomY); }},
        {"moisture ratio", false, false, 0,
         [](PenPlotter& d, const Chart& c, const ChartFrame& f) {
             DrawMoistureRatioProtractor(d, c, f.LeftX, f.TopY, f.ChartHeight);
         }},
        {"SHF", false, false, 0,
         [](PenPlotter& d, const Chart& c, const ChartFrame& f) { DrawShfProtractor(d, c, f.LeftX, f.TopRightX, f.ShfOriginY); }},
        {"legend", false, false, 0,
         [](PenPlotter& d, const Chart& c, const ChartFrame& f) {
             DrawLegend(d, c, f.TopRightX, f.ChartHeight, f.ChartWidth, f.LeftX, f.TopY, f.ShfOriginY);
         }},
    };
    return all;
}

// What the sweep found: per family, measure and mode, how many charts and
// the first of them. Anything found fails the sweep.
class Findings {
public:
    void add(const std::string& family, Measure m, bool file, const std::string& chart, const std::string& detail) {
        auto& [charts, first] = entries_[family + ", " + Name(m) + (file ? ", file" : ", draw")];
        if (charts++ == 0)
            first = chart + ": " + detail;
    }
    void expectClean() const {
        for (const auto& [key, e] : entries_)
            ADD_FAILURE() << key << ": " << e.first << " charts, first " << e.second;
    }

private:
    std::map<std::string, std::pair<int, std::string>> entries_;
};

std::string Describe(const ChartSettings& s) {
    std::ostringstream os;
    os << s.MinDryBulb << ".." << s.MaxDryBulb << " type " << s.DiagramType << " at " << s.Pressure << " unit "
       << CodeOf(s.PressureUnit) << " system " << CodeOf(s.EnthalpyUnit) << " ratio " << s.VertHorizRatio << " SHF "
       << s.ShfOriginDryBulb << "/" << s.ShfOriginAbsHum << " MR " << s.MaxMoistureRatio;
    return os.str();
}

void Inspect(const ChartSettings& settings, Findings& found) {
    Chart chart;
    chart.settings = settings;
    ChartSettings& s = chart.settings;
    s.PictureWidth = 15000, s.PictureHeight = 10500; // a 1000 x 700 canvas
    s.PlotTextSize1 = 20, s.PlotTextSize2 = 0.28f, s.PlotTextSize3 = 0.16f, s.PlotTextSize4 = 0.14f;
    const ChartFrame frame = LayoutChart(chart, nullptr);
    const ChartArea area(chart, frame);
    const std::string name = Describe(s);

    for (const FamilyDraw& family : Families()) {
        for (bool file : {false, true}) {
            std::ostringstream os;
            RecordingCanvas canvas;
            try {
                if (file) {
                    PlotFileWriter writer(os);
                    family.draw(writer, chart, frame);
                } else {
                    CanvasWriter writer(s, canvas);
                    family.draw(writer, chart, frame);
                }
            } catch (const RunTimeFault& e) {
                found.add(family.name, Measure::Fault, file, name, e.what());
                continue;
            }
            const Drawn d = file ? FromPlot(HpglLines(os.str()), s) : FromCanvas(canvas, s);

            if (family.line) {
                double worst = 0;
                PlanePoint at;
                for (const PlaneSegment& seg : d.segments) {
                    for (const PlanePoint& p : {seg.a, seg.b}) {
                        double out = area.outside(p, family.leftOpen);
                        if (p.y < frame.BottomY && frame.BottomY - p.y <= family.below)
                            out = std::max(0.0, out - (frame.BottomY - p.y));
                        if (out > worst)
                            worst = out, at = p;
                    }
                }
                if (worst > kLineEnd) {
                    std::ostringstream why;
                    why << worst << " units at (" << at.x << ", " << at.y << ")";
                    found.add(family.name, Measure::LineOutside, file, name, why.str());
                }
            }

            for (const TextBox& b : d.texts) {
                if (const double out = OutsideWindow(b, s); out > 0) {
                    std::ostringstream why;
                    why << '"' << b.text << "\" by " << out;
                    found.add(family.name, Measure::TextOutside, file, name, why.str());
                    break;
                }
            }

            std::vector<const TextBox*> numbers;
            for (const TextBox& b : d.texts) {
                if (b.isNumber())
                    numbers.push_back(&b);
            }
            bool overlap = false;
            for (std::size_t i = 0; i < numbers.size() && !overlap; ++i) {
                for (std::size_t j = i + 1; j < numbers.size() && !overlap; ++j) {
                    if (Overlap(*numbers[i], *numbers[j])) {
                        overlap = true;
                        found.add(family.name, Measure::NumbersOverlap, file, name,
                                  '"' + numbers[i]->text + "\" and \"" + numbers[j]->text + '"');
                    }
                }
            }
        }
    }
}

// Every range of the range dialog in both types at the start-up settings.
std::vector<ChartSettings> DialogRanges() {
    std::vector<ChartSettings> out;
    for (int type = 0; type <= 1; ++type) {
        for (int min = -20; min <= 20; ++min) {
            for (int max = 10; max <= 60; ++max) {
                if (max <= min)
                    continue;
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
    struct Pressure {
        PressureIn unit;
        float value;
    };
    // The ends and the middle of each unit's pressure list.
    constexpr PressureIn mmHg = PressureIn::MmHg, kPa = PressureIn::KPa, atm = PressureIn::Atm;
    const Pressure pressures[] = {{mmHg, 700}, {mmHg, 850}, {mmHg, 1000}, {kPa, 90},  {kPa, 105},
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
        const Pressure p = pressures[next(9)];
        s.PressureUnit = p.unit, s.Pressure = p.value;
        s.PressureMmHg = PressureToMmHg(p.value, p.unit);
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
    found.expectClean();
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

} // namespace
} // namespace hyg
