// The unit and line dialog "Diagram Setting": pressure unit, unit system,
// temperature unit, diagram type, the optional families of lines and the
// vertical-to-horizontal ratio of the chart.
//
// Controls (object names): Frame3D3 holding Frm_Unit_0..2 with Op_Press_0..2,
// Op_Ent_0..2, Op_Temp_0..1; Set2 with Op_Type_0..1; Set1 with
// Chck_Line_0..7; Lbl_Title and List_Value (ratios 0.3 .. 1.4); Com_OK and
// Com_Cancel. OK stores into the settings and accepts; Cancel stores nothing
// and rejects. Neither redraws the chart.
#pragma once

#include "chart/chart_settings.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace hyg {

class DlgLineUnit : public QDialog {
    Q_OBJECT
public:
    explicit DlgLineUnit(ChartSettings& settings, QWidget* parent = nullptr);

private:
    void loadControls();
    void storeControls();

    ChartSettings& settings_;
    std::array<QRadioButton*, 3> pressure_{};
    std::array<QRadioButton*, 3> enthalpy_{};
    std::array<QRadioButton*, 2> temperature_{};
    std::array<QRadioButton*, 2> type_{};
    std::array<QCheckBox*, 8> lines_{};
    QLabel* ratioTitle_ = nullptr;
    QListWidget* ratios_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace hyg
