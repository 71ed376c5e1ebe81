#include "qt_window/process_commands.h"

#include "qt_window/air_readout.h"
#include "qt_window/draw_commands.h"
#include "qt_dialogs/process_dialog.h"
#include "engine/state_solver.h"

#include <charconv>
#include <cmath>

namespace hyg {

namespace {

float TwoDecimals(double v) {
    return static_cast<float>(std::round(v * 100.0) / 100.0);
}

std::string TwoDecimalText(float v) {
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(v), std::chars_format::fixed, 2);
    return std::string(buffer, r.ptr);
}

} // namespace

ProcessCommands::ProcessCommands(Session& session, DrawCommands& draw, UserDialogs& dialogs)
    : session_(session)
    , draw_(draw)
    , dialogs_(dialogs) {}

void ProcessCommands::InputCalculation(QWidget* owner, const DialogRunner& run,
                                       const std::function<void(DlgProcessCalc&)>& prepare) {
    DlgProcessCalc dialog(ProcessDialogContext{session_.chart.settings, session_.statePoints, session_.ActiveGrid,
                                               dialogs_, [this] { session_.ActiveView = View::Process; }},
                          owner);
    if (prepare)
        prepare(dialog);
    run(dialog);
}

bool ProcessCommands::DrawProcessLine() {
    ChartSettings& s = session_.chart.settings;
    if (session_.statePoints.count < 1) {
        s.DrawProcessLines = 0;
        dialogs_.showMessage(kNoProcessDataText, kAppTitle, MessageIcon::None);
        return false;
    }
    s.DrawProcessLines = static_cast<std::int16_t>(1 - s.DrawProcessLines);
    draw_.DrawRedraw();
    return s.DrawProcessLines == 1;
}

bool ProcessCommands::canAddState() const {
    return draw_.drawnSettings() != nullptr;
}

void ProcessCommands::AddStateHere(QPointF plane) {
    const ChartSettings* drawn = draw_.drawnSettings();
    if (drawn == nullptr)
        return;
    const auto air = ReadAirAt(*drawn, draw_.drawnFrame(), plane.x(), plane.y());
    if (!air) {
        dialogs_.showMessage(kNoAirStateHereText, kTitle, MessageIcon::Exclamation);
        return;
    }
    StatePointList& points = session_.statePoints;
    if (points.count >= StatePointList::kMaxStates) {
        dialogs_.showMessage(kStateListFullText, kTitle, MessageIcon::Exclamation);
        return;
    }
    const ChartSettings& s = session_.chart.settings;
    const float pressure = TwoDecimals(s.Pressure);
    const float dryBulb = TwoDecimals(air->dryBulb);
    const float relHum = TwoDecimals(air->relHum);

    // The state must pass the same checks as a typed one, or the next
    // opening of the process dialog would refuse it with a range message.
    try {
        InputTable table{}; // braces: clang 14 (clang-tidy) crashes on the default-initialised form
        table.cell(1, 1) = TwoDecimalText(pressure);
        table.cell(1, 2) = TwoDecimalText(dryBulb);
        table.cell(1, 3) = TwoDecimalText(relHum);
        AirStates states;
        StateMatrix matrix{};
        StatePointList probe;
        if (InputPass(table, 1, s.PressureUnit, states, matrix, probe, nullptr) != 1) {
            dialogs_.showMessage(kStateOutOfRangeText, kTitle, MessageIcon::Exclamation);
            return;
        }
    } catch (const RunTimeFault&) {
        dialogs_.showMessage(kStateOutOfRangeText, kTitle, MessageIcon::Exclamation);
        return;
    }

    const auto n = static_cast<std::size_t>(points.count + 1);
    points.pressure[n] = pressure;
    points.dryBulb[n] = dryBulb;
    points.relHum[n] = relHum;
    points.count = static_cast<std::int16_t>(n);
    if (s.DrawProcessLines == 1)
        draw_.DrawRedraw();
}

} // namespace hyg
