// LayoutChart: the saturation table, the scales, the text unit and the frame
// of the chart, recomputed from the settings before every drawing.
#include "chart/chart_settings.h"

#include "engine/basic.h"
#include "engine/number_format.h"
#include "engine/psychro.h"

#include <cmath>
#include <string>

namespace hyg {

namespace {

// The filled part of the saturation table: indices 1 to 120, -20 to 99 deg C.
constexpr int kFirstFilled = 1;
constexpr int kLastFilled = 120;
constexpr float kLowestTableDryBulb = -20;
constexpr float kHighestTableDryBulb = 99;

// MaxAbsHum is counted up one g/kgDA per pass; past the 16-bit range the
// top edge could never be stored in the frame's integer counts.
constexpr float kTopSearchLimit = 32767;

[[noreturn]] void Refuse(Messenger* messenger, const std::string& text) {
    if (messenger)
        messenger->showMessage(text, kTitle, MessageIcon::Exclamation);
    throw LayoutRefused(text);
}

void CheckRange(const ChartSettings& s, Messenger* messenger) {
    if (!std::isfinite(s.MinDryBulb) || !std::isfinite(s.MaxDryBulb)) {
        Refuse(messenger, "The dry-bulb range of the chart is not a number.");
    }
    if (s.MaxDryBulb <= s.MinDryBulb) {
        Refuse(messenger, "The highest dry-bulb temperature must be above the lowest one.");
    }
    if (s.MinDryBulb < kLowestTableDryBulb || s.MaxDryBulb > kHighestTableDryBulb) {
        Refuse(messenger, "The dry-bulb range of the chart must lie between -20 and 99 deg C.");
    }
}

// The dew point of the humidity `x` [g/kgDA] by linear interpolation between
// the first table entry from idxMin up whose saturation humidity exceeds x
// and the entry below it. `found` keeps the entry of the previous call when
// no entry of the chart exceeds x. Below the table's lowest saturation point
// (a chart starting at -20 deg C) the first two filled entries are
// extrapolated: entry 0 holds no saturation point, and reading it would put
// the dew point of every humidity under the lowest one at 0 deg C.
float TopDewPointOf(const SaturationTable& table, int idxMin, int idxMax, float x, int& found) {
    for (int i = idxMin; i <= idxMax; ++i) {
        if (static_cast<float>(table.S(i)) > x) {
            found = i;
            break;
        }
    }
    const int hi = found == kFirstFilled ? kFirstFilled + 1 : found;
    const double t0 = table.T(hi - 1), t1 = table.T(hi);
    const double s0 = table.S(hi - 1), s1 = table.S(hi);
    return Sgl(t0 + Div((t1 - t0) * (x - s0), s1 - s0, "TopDewPoint"), "TopDewPoint");
}

// Raises the top humidity one g/kgDA per pass until the saturation curve
// meets the top edge more than one degree-step (ScaleX) right of the middle
// of the chart; MaxAbsHum ends one above the humidity of the last pass, while
// TopDewPoint and TopRightX keep the values of that pass.
//
// On a narrow chart the degree-step is wider than half the chart, so that
// rule is only met by a dew point beyond the hottest temperature: the top
// would end above saturation and the lines right of the chart. The passes
// therefore also stop where one more would lift the top edge above the
// saturation humidity of MaxDryBulb, where the saturation curve leaves the
// chart; a wider chart meets the first rule long before.
void FindTopEdge(Chart& chart, ChartFrame& f) {
    ChartSettings& s = chart.settings;
    const SaturationTable& table = chart.table;
    const float satAtMax = static_cast<float>(table.S(f.IdxMax));
    s.MaxAbsHum = 0;
    int found = 0;
    for (;;) {
        f.TopDewPoint = TopDewPointOf(table, f.IdxMin, f.IdxMax, s.MaxAbsHum, found);
        const float d = Sgl(ChartX(s, f.TopDewPoint, s.MaxAbsHum), "top dew point X");
        f.TopRightX = Sgl(ChartX(s, s.MaxDryBulb, s.MaxAbsHum) + 1, "TopRightX");
        const float w = Sgl(static_cast<double>(f.TopRightX) - f.LeftX);
        const float e = Sgl(static_cast<double>(d) - s.ScaleX - f.LeftX);
        s.MaxAbsHum = Sgl(static_cast<double>(s.MaxAbsHum) + 1, "MaxAbsHum");
        if (Sgl(static_cast<double>(w) * 0.5) < e)
            break;
        if (s.MaxAbsHum >= satAtMax)
            break;
        if (s.MaxAbsHum > kTopSearchLimit)
            throw IntegerOverflowFault("MaxAbsHum of the top edge");
    }
}

// The saturation table at the chart pressure, -20 to 99 deg C.
void FillSaturationTable(SaturationTable& table, float pressureMmHg) {
    table.clear();
    for (int i = kFirstFilled; i <= kLastFilled; ++i) {
        table.dryBulb(i) = static_cast<float>(i - 21);
        table.satAbsHum(i) = Sgl(AirPropertyValue(kSatAbsHum, pressureMmHg, table.T(i), 0), "TableSatAbsHum");
    }
}

// Chart size in the height-to-width ratio: at most 3500 wide and 2450 high.
void SizeChart(const ChartSettings& s, ChartFrame& f) {
    const double ratio = static_cast<double>(s.VertHorizRatio) / 10;
    if (s.VertHorizRatio >= 7) {
        f.ChartHeight = 2450;
        f.ChartWidth = Sgl(Div(2450, ratio, "ChartWidth"), "ChartWidth");
    } else {
        f.ChartWidth = 3500;
        f.ChartHeight = Sgl(ratio * 3500, "ChartHeight");
    }
}

// The horizontal scale and the origin, and the bottom edge and left end of
// the chart (the saturation point at the lowest temperature).
void SetHorizontalScale(ChartSettings& s, const SaturationTable& table, ChartFrame& f) {
    const float a = Sgl(kCpAir * s.MaxDryBulb);
    const float b = Sgl(kCpAir * s.MinDryBulb);
    s.ScaleX = Sgl(Int(Div(f.ChartWidth, static_cast<double>(a) - b, "ScaleX"), "ScaleX"), "ScaleX");
    s.OriginX =
        Sgl((static_cast<double>(s.PlaneXMax) - s.PlaneXMin) / 35 - static_cast<double>(s.ScaleX) * b, "OriginX");
    s.OriginY = Sgl((static_cast<double>(s.PlaneYMax) - s.PlaneYMin) / 13, "OriginY");
    f.BottomY = s.OriginY;
    f.LeftX =
        Sgl(static_cast<double>(s.ScaleX) *
                    (s.DiagramType * 0.001 * table.S(f.IdxMin) * kCpVapour * s.MinDryBulb + kCpAir * s.MinDryBulb) +
                s.OriginX,
            "LeftX");
}

// The right edge, the vertical scale and what stands on it, once the top
// edge is known.
void SetVerticalScale(ChartSettings& s, ChartFrame& f) {
    f.BottomRightX = Sgl(static_cast<double>(s.ScaleX) * kCpAir * s.MaxDryBulb + s.OriginX + 1, "BottomRightX");
    s.ScaleY = Sgl(Div(f.ChartHeight, s.MaxAbsHum, "ScaleY"), "ScaleY");
    f.TopY = Sgl(static_cast<double>(s.ScaleY) * s.MaxAbsHum + s.OriginY, "TopY");
    f.ShfOriginY = Sgl(static_cast<double>(s.ShfOriginAbsHum) * s.ScaleY + s.OriginY, "ShfOriginY");
}

} // namespace

ChartFrame LayoutChart(Chart& chart, Messenger* messenger) {
    ChartSettings& s = chart.settings;
    CheckRange(s, messenger);

    ChartFrame f;
    // The text unit: one two-hundredth of the window's width.
    s.LabelUnit = CLng(ChartLabelUnit(s.PlaneXMin, s.PlaneXMax), "LabelUnit");
    FillSaturationTable(chart.table, s.PressureMmHg);
    SizeChart(s, f);

    // Temperatures and their table indices.
    f.TempCount = CInt(static_cast<double>(s.MaxDryBulb) - s.MinDryBulb + 1, "TempCount");
    f.IdxMin = CInt(static_cast<double>(s.MinDryBulb) + 21, "IdxMin");
    f.IdxMax = Add16(f.TempCount + f.IdxMin, -1, "IdxMax");

    SetHorizontalScale(s, chart.table, f);

    // The top edge; the user hears when it differs from the value entered.
    const std::int16_t entered = CInt(s.MaxAbsHum, "MaxAbsHum");
    FindTopEdge(chart, f);
    if (CInt(s.MaxAbsHum, "MaxAbsHum") != entered && messenger) {
        messenger->showMessage("Hum. is " + GeneralNumber(s.MaxAbsHum) + " x1000 on diagram.", kAppTitle,
                               MessageIcon::None);
    }

    SetVerticalScale(s, f);
    return f;
}

} // namespace hyg
