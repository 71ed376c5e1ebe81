// The chart range dialog "Diagram Setting": atmospheric pressure, lowest and
// highest dry-bulb temperature, top absolute humidity, origin of the
// sensible-heat-factor protractor and range of the moisture-ratio
// protractor. Every value is picked from a fixed list, never typed.
//
// Controls (object names): Lbl_Title_k, lbl_Unit_k, List_Value_k for the
// rows k = 0..6, Com_OK, Com_Cancel, Label1. OK stores the selections into
// the settings and accepts; Cancel stores nothing and rejects. Neither
// redraws the chart.
#pragma once

#include "chart/chart_settings.h"

#include <QDialog>

#include <array>

class QLabel;
class QListWidget;
class QPushButton;

namespace hyg {

class DlgChartRange : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRows = 7;

    explicit DlgChartRange(ChartSettings& settings, QWidget* parent = nullptr);

    // The list of row k (0 pressure, 1 min. temp., 2 max. temp., 3 max. abs.
    // hum., 4 and 5 SHF origin, 6 max. moisture rate).
    QListWidget* list(int k) const { return lists_.at(static_cast<std::size_t>(k)); }

private:
    void fillLists();
    void storeSelections();

    ChartSettings& settings_;
    std::array<QLabel*, kRows> titles_{};
    std::array<QLabel*, kRows> units_{};
    std::array<QListWidget*, kRows> lists_{};
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace hyg
