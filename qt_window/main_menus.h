// The menu tree and the tool bar of the main window. Every command is one
// QAction held here as a member, made, named (the control name such as
// "MnuFileComOpen", which tests look for) and connected to its command in
// one place, BuildMainMenus. Nothing finds an action by its name.
#pragma once

#include <QString>

#include <array>
#include <vector>

class QAction;
class QMenu;
class QToolBar;

namespace hyg {

class MdiDiagram;

// A tool-bar button: its key (the button's name) and the action it runs.
struct ToolButton {
    const char* key;
    QAction* action;
};

struct MainMenus {
    // File
    QAction* fileOpen = nullptr;  // MnuFileComOpen
    QAction* fileSave = nullptr;  // MnuFileComSave
    QAction* filePrint = nullptr; // MnuFileComPrint
    QAction* filePlot = nullptr;  // MnuFileComPlot
    QAction* fileExit = nullptr;  // MnuFileComExit
    // Edit
    QAction* editCopy = nullptr; // MnuEditComCopy
    // Chart
    QAction* chartDraw = nullptr;        // MnuGraphComDraw
    QAction* chartZoomIn = nullptr;      // MnuGraphComIn
    QAction* chartZoomOut = nullptr;     // MnuGraphComOut
    QAction* chartColour = nullptr;      // MnuOptionColor
    QAction* chartSavePicture = nullptr; // MnuGraphComSave
    // Process
    QAction* processInput = nullptr; // MnuProcess
    QAction* processDraw = nullptr;  // MnuProcessDraw
    // The canvas's context menu: the Chart menu's items and Add State Here.
    QMenu* contextMenu = nullptr;
    QAction* addStateHere = nullptr; // MnuGraphComAddState
    // Options
    QAction* optionToolBar = nullptr;    // MnuOptionComTool
    QAction* optionChartRange = nullptr; // MnuOptionComChartRange
    QAction* optionLineUnit = nullptr;   // MnuOptionComLineUnit
    std::array<QAction*, 3> paper{};     // MnuPaperCom_0..2 (A3, B4, A4)
    // Help
    QAction* helpAbout = nullptr; // MnuFileComAbout

    QMenu* chartMenu = nullptr; // MnuGraphCom
    QToolBar* toolbar = nullptr;
    // The tool-bar buttons in the order a key is compared with them.
    std::vector<ToolButton> toolButtons;

    // The action of a tool-bar key (exact, case-sensitive; the first match),
    // or null.
    QAction* actionOfToolKey(const QString& key) const;
};

// Builds the menu bar and the tool bar into `window` and connects every
// action to its command.
MainMenus BuildMainMenus(MdiDiagram& window);

} // namespace hyg
