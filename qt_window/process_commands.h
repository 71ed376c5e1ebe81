// The Process commands of the main window: the process dialog, the process
// lines switch, and "Add State Here" of the chart's context menu, which
// appends the air state under the pointer to the state-point list.
#pragma once

#include "qt_window/session.h"
#include "qt_window/user_dialogs.h"

#include <QPointF>

#include <functional>

class QDialog;
class QWidget;

namespace hyg {

class DlgProcessCalc;
class DrawCommands;

inline constexpr const char* kNoProcessDataText = "Input Process Data with Process Input/Calculation Command !";
inline constexpr const char* kNoAirStateHereText = "There is no air state at this point of the chart.";
inline constexpr const char* kStateListFullText =
    "The process holds six states already, the most it can hold. The state was not added.";
inline constexpr const char* kStateOutOfRangeText =
    "The process calculation does not take the air state at this point. The state was not added.";

class ProcessCommands {
public:
    using DialogRunner = std::function<int(QDialog&)>;

    ProcessCommands(Session& session, DrawCommands& draw, UserDialogs& dialogs);

    // Process > Input/Calculation: the process dialog, modal over `owner`,
    // run by `run` after `prepare` (if any) has wired it to the other
    // commands. A fault while it opens is raised to the caller.
    void InputCalculation(QWidget* owner, const DialogRunner& run,
                          const std::function<void(DlgProcessCalc&)>& prepare = {});
    // Process > Draw Process Line: switches the process lines on or off and
    // draws the chart again; without states only says so. Returns whether
    // the lines are on (the menu's check mark).
    bool DrawProcessLine();
    // Appends the state at the plane point (of the chart as last drawn) to
    // the state-point list: chart pressure, dry bulb and relative humidity,
    // each rounded to two decimals. Says why when it adds nothing.
    void AddStateHere(QPointF plane);
    // Whether there is a drawn chart to pick a state on.
    bool canAddState() const;

private:
    Session& session_;
    DrawCommands& draw_;
    UserDialogs& dialogs_;
};

} // namespace hyg
