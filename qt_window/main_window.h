// The main window MdiDiagram: the chart viewport with its scroll bars, the
// menus and the tool bar, the status bar read-out, and the small commands
// (colour, tool bar, paper size, the dialogs, exit). Drawing and zooming are
// DrawCommands, the file commands FileCommands.
#pragma once

#include "qt_window/chart_viewport.h"
#include "qt_window/draw_commands.h"
#include "qt_window/file_commands.h"
#include "qt_window/main_menus.h"
#include "qt_window/output_commands.h"
#include "qt_window/process_commands.h"
#include "qt_window/qt_user_dialogs.h"
#include "qt_window/session.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QDialog;
class QLabel;

namespace hyg {

inline constexpr const char* kWindowTitle = "Corvane Ver 5.0 for Win32";

class MdiDiagram : public QMainWindow {
    Q_OBJECT
public:
    // `dialogs` answers the questions and shows the messages; null uses the
    // Qt dialogs. The window does not take ownership.
    explicit MdiDiagram(UserDialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~MdiDiagram() override;

    Session& session() { return session_; }
    ChartSettings& settings() { return session_.chart.settings; }
    ChartViewport& viewport() { return *viewport_; }
    DrawCommands& drawCommands() { return *draw_; }
    OutputCommands& outputCommands() { return *output_; }
    UserDialogs& dialogs() { return *dialogs_; }
    const MainMenus& menus() const { return menus_; }
    QToolBar* toolbar() const { return menus_.toolbar; }
    QMenu* chartMenu() const { return menus_.chartMenu; }
    QLabel* readout() const { return readout_; }

    // A tool-bar button was clicked: runs the command of its key.
    void runToolKey(const QString& key);

    // How a settings dialog is run (modal exec by default; tests replace it).
    void setDialogRunner(std::function<int(QDialog&)> runner) { runDialog_ = std::move(runner); }

    // Another start asked for this window: restore, raise and activate it.
    void bringToFront();

    // The menu commands. Each runs under the command guard
    // (qt_window/command_guard.h): a fault ends it with "Sorry, failed
    // <command> command." and never reaches the event loop.
    void OpenFile();
    void SaveFile();
    void PlotOutput();
    void Print();
    void SavePicture();
    void Copy();
    void Exit();
    void DrawRedraw();
    void ZoomIn();
    void ZoomOut();
    // Colour/mono switch, tool-bar switch, plotter paper n (0 A3, 1 B4, 2 A4).
    void ColorMonoChange();
    void ToolBarSwitch();
    void PaperSize(int n);
    void ChartRange();
    void LineUnit();
    void About();
    void ProcessInput();
    void ProcessDraw();
    // Add State Here, at the point where the context menu was asked for.
    void AddStateHere();
    ProcessCommands& processCommands() { return *process_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void connectCanvas();
    bool guarded(const char* name, const std::function<void()>& command);
    void showReadout(QPointF plane);

    Session session_;
    std::unique_ptr<QtUserDialogs> ownDialogs_;
    UserDialogs* dialogs_;
    ChartViewport* viewport_ = nullptr;
    std::unique_ptr<DrawCommands> draw_;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<OutputCommands> output_;
    std::unique_ptr<ProcessCommands> process_;
    QPointF contextPoint_; // plane point of the last context-menu request
    MainMenus menus_;
    QLabel* readout_ = nullptr;
    std::function<int(QDialog&)> runDialog_;
};

} // namespace hyg
