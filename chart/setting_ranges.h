// What each chart setting may hold, in one place. The settings dialogs offer
// exactly these lists and the data-file reader accepts values within them,
// so a file the program writes always reads back and a file it reads always
// opens in the dialogs on the values it holds.
#pragma once

#include "engine/units.h"

namespace hyg {

// Evenly spaced values from `first` to `last`, `perUnit` items to one unit
// (1: whole numbers; 10: tenths). Counting in whole items keeps the values
// free of rounding errors down a long list.
struct ValueList {
    double first;
    double last;
    int perUnit;
    const char* pattern; // number format of the items as a list shows them

    int count() const;
    double lowest() const { return first < last ? first : last; }
    double highest() const { return first < last ? last : first; }
    // Item k, k = 0 .. count() - 1.
    double item(int k) const;
    // The item a value selects: the nearest one (halves to even), brought
    // onto the list (a value beyond an end, infinities included, selects that
    // end; a value that is not a number selects item 0).
    int nearestItem(double v) const;
    // Whether `v` selects an item without being brought onto the list.
    bool holds(double v) const;
};

// Atmospheric pressure by pressure unit: 1000 down to 700 mmHg by 1, 120
// down to 90 kPa by 0.1, 1.2 down to 0.9 atm by 0.001.
const ValueList& PressureList(PressureIn unit);
// The lists of the chart range dialog, largest first.
inline constexpr ValueList kMinDryBulbList{20, -20, 1, "#0"};      // deg C
inline constexpr ValueList kMaxDryBulbList{60, 10, 1, "##0"};      // deg C
inline constexpr ValueList kMaxAbsHumList{100, 1, 1, "###0"};      // g/kgDA
inline constexpr ValueList kShfOriginDryBulbList{30, 10, 1, "#0"}; // deg C
inline constexpr ValueList kShfOriginAbsHumList{30, 10, 1, "#0"};  // g/kgDA
inline constexpr ValueList kMaxMoistureRatioList{21, 1, 1, "#0"};  // enthalpy per g/kgDA
// VertHorizRatio holds ten times the vertical-to-horizontal ratio the unit
// dialog shows (0.3 to 1.4), smallest first.
inline constexpr ValueList kVertHorizRatioList{3, 14, 1, "0"};

// Diagram types as the settings and the data file hold them: 0 D.B.Temp.,
// 1 Enthalpy.
inline constexpr int kDiagramTypes = 2;

} // namespace hyg
