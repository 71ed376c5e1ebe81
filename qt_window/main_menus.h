// The menu tree and the tool bar of the main window. Every command is one
// QAction named by its control name (MnuFileComOpen ...), added to its menu
// and, where it has a button, to the tool bar Plot_Toolbar.
#pragma once

#include <QString>

#include <array>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

namespace hyg {

// A tool-bar button: its key, its tip text and the menu item it runs.
struct ToolButtonSpec {
    const char* key;
    const char* tip;
    const char* action;
};

// The buttons in the order a key is compared with them.
inline constexpr std::array<ToolButtonSpec, 8> kToolButtons{{
    {"open", "open", "MnuFileComOpen"},
    {"save", "save", "MnuFileComSave"},
    {"print", "print", "MnuFileComPrint"},
    {"copy", "copy", "MnuEditComCopy"},
    {"zoomin", "zommin", "MnuGraphComIn"},
    {"zoomout", "zoomout", "MnuGraphComOut"},
    {"refresh", "refresh", "MnuGraphComDraw"},
    {"pencil", " draw proscess line", "MnuProcessDraw"},
}};

// The action of a tool-bar key (exact, case-sensitive; the first match in
// the table), or nothing.
const char* ActionOfToolKey(const QString& key);

struct MainMenus {
    QToolBar* toolbar = nullptr;
    QMenu* chartMenu = nullptr;      // MnuGraphCom, also the canvas's context menu
    std::array<QAction*, 3> paper{}; // MnuPaperCom(0..2)
};

// Builds the menu bar and the tool bar into `window`.
MainMenus BuildMainMenus(QMainWindow& window);

} // namespace hyg
