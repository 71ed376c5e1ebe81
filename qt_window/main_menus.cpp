#include "qt_window/main_menus.h"

#include "qt_window/tool_icons.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace hyg {

namespace {

QMenu* AddMenu(QMainWindow& w, const char* name, const char* caption) {
    QMenu* menu = w.menuBar()->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(QString::fromUtf8(name) + "_Menu");
    return menu;
}

QAction* AddItem(QMenu* menu, const char* name, const char* caption, bool enabled = true) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(name);
    a->setEnabled(enabled);
    return a;
}

void AddSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(name);
}

} // namespace

const char* ActionOfToolKey(const QString& key) {
    for (const ToolButtonSpec& b : kToolButtons) {
        if (key == QLatin1String(b.key))
            return b.action;
    }
    return nullptr;
}

MainMenus BuildMainMenus(QMainWindow& w) {
    MainMenus m;

    QMenu* file = AddMenu(w, "MnuFileCom", "&File");
    AddItem(file, "MnuFileComOpen", "&Open File...");
    AddItem(file, "MnuFileComSave", "&Save File...");
    AddSeparator(file, "Sepereter1");
    // Printing, copying, the picture file and the process commands come
    // with their own work; their items are here, switched off.
    AddItem(file, "MnuFileComPrint", "&Print...", false);
    AddItem(file, "MnuFileComPlot", "Ou&tPut...");
    AddSeparator(file, "Sepereter2");
    AddItem(file, "MnuFileComExit", "E&xit");

    QMenu* edit = AddMenu(w, "MnuEditCom", "&Edit");
    QAction* copy = AddItem(edit, "MnuEditComCopy", "&Copy", false);
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));

    QMenu* graph = AddMenu(w, "MnuGraphCom", "&Chart");
    AddItem(graph, "MnuGraphComDraw", "&Draw/Redraw");
    AddItem(graph, "MnuGraphComIn", "Zoom &In");
    AddItem(graph, "MnuGraphComOut", "Zoom &Out");
    AddSeparator(graph, "Sepereter4");
    AddItem(graph, "MnuOptionColor", "&Color/Mono Change");
    AddItem(graph, "MnuGraphComSave", "Save &Picture...", false);
    m.chartMenu = graph;

    QMenu* process = AddMenu(w, "MnuProcessCom", "&Process");
    AddItem(process, "MnuProcess", "Input/Calculation", false);
    QAction* processDraw = AddItem(process, "MnuProcessDraw", "&Draw Process Line", false);
    processDraw->setCheckable(true);

    QMenu* option = AddMenu(w, "MnuOptionCom", "&Options");
    QAction* tool = AddItem(option, "MnuOptionComTool", "&Tool Bar");
    tool->setCheckable(true);
    tool->setChecked(true);
    AddSeparator(option, "Sepereter5");
    AddItem(option, "MnuOptionComChartRange", "Chart &Range...");
    AddItem(option, "MnuOptionComLineUnit", "&Unit and Draw Line Selection...");
    AddSeparator(option, "Sepereter6");
    QMenu* paper = option->addMenu("&Plotter Paper Size");
    paper->setObjectName("MnuOptionComPaper");
    const char* paperCaptions[3] = {"A&3", "&B4", "A&4"};
    for (int n = 0; n < 3; ++n) {
        QAction* a = paper->addAction(QString::fromUtf8(paperCaptions[n]));
        a->setObjectName(QStringLiteral("MnuPaperCom_%1").arg(n));
        a->setProperty("index", n);
        a->setCheckable(true);
        a->setChecked(n == 0);
        m.paper[static_cast<std::size_t>(n)] = a;
    }

    QMenu* help = AddMenu(w, "MnuHelpCom", "&Help");
    AddItem(help, "MnuFileComAbout", "&About...");

    // Tool bar: | open save | print | copy | zoomin zoomout refresh pencil
    m.toolbar = new QToolBar(&w);
    m.toolbar->setObjectName("Plot_Toolbar");
    m.toolbar->setWindowTitle("Tool Bar");
    m.toolbar->setMovable(false);
    m.toolbar->setFloatable(false);
    m.toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    m.toolbar->toggleViewAction()->setVisible(false);
    w.addToolBar(Qt::TopToolBarArea, m.toolbar);
    const auto addButton = [&](int i) {
        const ToolButtonSpec& b = kToolButtons[static_cast<std::size_t>(i)];
        QAction* a = w.findChild<QAction*>(b.action);
        a->setToolTip(QString::fromUtf8(b.tip));
        a->setIcon(ToolIcon(b.key));
        a->setIconVisibleInMenu(false);
        m.toolbar->addAction(a);
        if (QWidget* button = m.toolbar->widgetForAction(a)) {
            button->setObjectName(b.key);
            button->setProperty("key", b.key);
        }
    };
    m.toolbar->addSeparator();
    addButton(0);
    addButton(1);
    m.toolbar->addSeparator();
    addButton(2);
    m.toolbar->addSeparator();
    addButton(3);
    m.toolbar->addSeparator();
    for (int i = 4; i < 8; ++i)
        addButton(i);
    return m;
}

} // namespace hyg
