// The chart settings record, the saturation table, the chart frame and the
// transform from an air state to the chart plane.
//
// Temperatures are deg C and absolute humidities g/kgDA throughout the chart
// code. Every chart coordinate is in plane units; the plane window is
// PlaneXMin..PlaneXMax by PlaneYMin..PlaneYMax (-500..4500 by -350..3150).
#pragma once

#include "engine/fault.h"
#include "engine/messages.h"
#include "engine/physics.h"
#include "engine/units.h"
#include "chart/plane.h"

#include <array>
#include <cstdint>

namespace hyg {

// A screen colour, 0xRRGGBB.
struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    constexpr bool operator==(const Rgb&) const = default;
};

// The standard 16-colour palette entries the chart uses.
namespace palette {
inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb Magenta{128, 0, 128};      // 5
inline constexpr Rgb DarkYellow{128, 128, 0};   // 6
inline constexpr Rgb LightBlue{0, 0, 255};      // 9
inline constexpr Rgb LightGreen{0, 255, 0};     // 10
inline constexpr Rgb LightRed{255, 0, 0};       // 12
inline constexpr Rgb LightMagenta{255, 0, 255}; // 13
inline constexpr Rgb White{255, 255, 255};
} // namespace palette

// The slots of the pen table, by what each colours.
enum class PenSlot : std::uint8_t {
    Scale = 0,         // humidity-scale numbers, legend, volume and saturation-degree numbers
    DryBulb = 1,       // dry-bulb lines, saturation-degree curves
    AbsHum = 2,        // absolute-humidity lines and scale ticks
    RelHum = 3,        // relative-humidity curves, SHF protractor
    Volume = 4,        // specific-volume lines
    Process = 5,       // process arrows
    MoistureRatio = 6, // moisture-ratio protractor
    Enthalpy = 7,      // enthalpy lines
    WetBulb = 8,       // wet-bulb lines, partial-pressure scale
};
inline constexpr std::size_t kPenSlots = 9;

using PenTable = std::array<Rgb, kPenSlots>;
inline Rgb PenColour(const PenTable& t, PenSlot slot) {
    return t[static_cast<std::size_t>(slot)];
}
PenTable ColourPenTable();
PenTable MonoPenTable();

// The switchable families of the chart, by their place in LineSwitch.
enum class ChartLine : std::uint8_t {
    RelHum = 0,
    SatDegree = 1,
    Volume = 2,
    WetBulb = 3,
    PartialPressure = 4,
    MoistureRatio = 5,
    Shf = 6,
    Legend = 7, // legend and notes
};
inline constexpr std::size_t kChartLines = 8;

// Which families the chart draws: one switch per ChartLine, every one on at
// start. The data file stores them as 1 and 0 (files/data_file.cpp).
class LineSwitches {
public:
    constexpr bool operator[](ChartLine line) const { return on_[static_cast<std::size_t>(line)]; }
    constexpr bool& operator[](ChartLine line) { return on_[static_cast<std::size_t>(line)]; }
    constexpr void setAll(bool on) { on_.fill(on); }
    constexpr bool operator==(const LineSwitches&) const = default;

private:
    std::array<bool, kChartLines> on_{true, true, true, true, true, true, true, true};
};

struct ChartSettings {
    float Pressure = 760;        // in PressureUnit
    float PressureMmHg = 760;    // the same in mmHg; every chart property call uses it
    float MinDryBulb = 10;       // deg C
    float MaxDryBulb = 40;       // deg C
    float OriginX = 0;           // plane units (computed)
    float OriginY = 0;           // plane Y of x = 0 (computed)
    float ScaleX = 0;            // plane units per kcal/kgDA, whole (computed)
    float ScaleY = 0;            // plane units per g/kgDA (computed)
    float MaxAbsHum = 27;        // g/kgDA at the top edge (replaced by LayoutChart)
    float ShfOriginDryBulb = 17; // deg C
    float ShfOriginAbsHum = 17;  // g/kgDA
    float MaxMoistureRatio = 8;  // hundreds of kcal/kg
    float VertHorizRatio = 10;   // ten times the height-to-width ratio
    float DryAirflowRate = 50;   // kgDA/h, owned by the process dialog
    PressureIn PressureUnit = PressureIn::MmHg;
    UnitSystem EnthalpyUnit = UnitSystem::MetricKcal;
    std::int16_t TemperatureUnit = 0; // 1 deg C, 2 deg F; not set at start
    std::int16_t DiagramType = 1;     // 0 "D.B.Temp.- Abs.Hum.", 1 "Enthalpy - Abs.Hum."
    LineSwitches LineSwitch;          // read and set through LineOn and SetLineOn
    std::int16_t DrawCount = 0;
    std::int16_t DrawProcessLines = 0;
    std::int16_t ColorMode = 1; // 1 colour, 0 monochrome
    PenTable PenColor = ColourPenTable();
    float PlaneXMin = kPlaneXMin, PlaneXMax = kPlaneXMax, PlaneYMin = kPlaneYMin, PlaneYMax = kPlaneYMax;
    float PictureWidth = 5000, PictureHeight = 3500; // canvas size in twips
    std::int32_t PlotterP1X = 0, PlotterP1Y = 0, PlotterP2X = 15000, PlotterP2Y = 10500;
    float PlotTextSize1 = 0, PlotTextSize2 = 0, PlotTextSize3 = 0, PlotTextSize4 = 0;
    std::int32_t LabelUnit = 25; // text unit of the chart, plane units (set by LayoutChart)
};

inline bool LineOn(const ChartSettings& s, ChartLine line) {
    return s.LineSwitch[line];
}
inline void SetLineOn(ChartSettings& s, ChartLine line, bool on) {
    s.LineSwitch[line] = on;
}

// The start-up defaults.
inline ChartSettings DefaultChartSettings() {
    return ChartSettings{};
}

// Dry-bulb temperature (i - 21 deg C) and saturated absolute humidity
// [g/kgDA] for indices 1 to 120; entries 0 and 121 to 150 stay 0.
// Reading outside 0..150 raises IndexFault.
class SaturationTable {
public:
    // The index that holds 0 deg C: index i holds i - 21 deg C.
    static constexpr int kIndexOfZero = 21;
    static constexpr int kSize = 151;
    float T(int i) const;  // TableDryBulb(i)
    double S(int i) const; // TableSatAbsHum(i)
    float& dryBulb(int i);
    double& satAbsHum(int i);
    void clear();

private:
    std::array<float, kSize> dryBulb_{};
    std::array<double, kSize> satAbsHum_{};
};

// The twelve layout values that the driver hands to the drawers.
struct ChartFrame {
    std::int16_t TempCount = 0;
    std::int16_t IdxMin = 0;
    std::int16_t IdxMax = 0;
    float LeftX = 0;
    float TopRightX = 0;
    float BottomY = 0;
    float TopY = 0;
    float BottomRightX = 0;
    float TopDewPoint = 0;
    float ChartHeight = 0;
    float ChartWidth = 0;
    float ShfOriginY = 0;
};

// The settings and the saturation table together: what every drawer reads.
struct Chart {
    ChartSettings settings;
    SaturationTable table;
};

// Raised by LayoutChart when the range cannot be laid out (MaxDryBulb not
// above MinDryBulb, or outside the table); the message has been shown.
class LayoutRefused : public RunTimeFault {
public:
    using RunTimeFault::RunTimeFault;
};

// Recomputes LabelUnit, the saturation table, the scales and MaxAbsHum from
// the settings and returns the frame. May show the top-humidity notice
// (title "Ventaro") through `messenger` (null: shown nowhere).
ChartFrame LayoutChart(Chart& chart, Messenger* messenger);

// Position of an air state on the chart plane (t deg C, x g/kgDA).
double ChartX(const ChartSettings& s, double t, double x);
double ChartY(const ChartSettings& s, double x);

} // namespace hyg
