#include "qt_window/main_menus.h"

#include "qt_window/main_window.h"
#include "qt_window/tool_icons.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
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

// A menu item named for the tests, running its window command.
QAction* AddItem(QMenu* menu, const char* name, const char* caption, MdiDiagram& w, void (MdiDiagram::*command)()) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(name);
    QObject::connect(a, &QAction::triggered, &w, command);
    return a;
}

void AddSeparator(QMenu* menu, const char* name) {
    menu->addSeparator()->setObjectName(name);
}

} // namespace

QAction* MainMenus::actionOfToolKey(const QString& key) const {
    for (const ToolButton& b : toolButtons) {
        if (key == QLatin1String(b.key))
            return b.action;
    }
    return nullptr;
}

MainMenus BuildMainMenus(MdiDiagram& w) {
    MainMenus m;
    QMenu* file = AddMenu(w, "MnuFileCom", "&File");
    m.fileOpen = AddItem(file, "MnuFileComOpen", "&Open File...", w, &MdiDiagram::OpenFile);
    m.fileSave = AddItem(file, "MnuFileComSave", "&Save File...", w, &MdiDiagram::SaveFile);
    AddSeparator(file, "Sepereter1");
    m.filePrint = AddItem(file, "MnuFileComPrint", "&Print...", w, &MdiDiagram::Print);
    m.filePlot = AddItem(file, "MnuFileComPlot", "Ou&tPut...", w, &MdiDiagram::PlotOutput);
    AddSeparator(file, "Sepereter2");
    m.fileExit = AddItem(file, "MnuFileComExit", "E&xit", w, &MdiDiagram::Exit);

    QMenu* edit = AddMenu(w, "MnuEditCom", "&Edit");
    m.editCopy = AddItem(edit, "MnuEditComCopy", "&Copy", w, &MdiDiagram::Copy);
    m.editCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));

    QMenu* graph = AddMenu(w, "MnuGraphCom", "&Chart");
    m.chartDraw = AddItem(graph, "MnuGraphComDraw", "&Draw/Redraw", w, &MdiDiagram::DrawRedraw);
    m.chartZoomIn = AddItem(graph, "MnuGraphComIn", "Zoom &In", w, &MdiDiagram::ZoomIn);
    m.chartZoomOut = AddItem(graph, "MnuGraphComOut", "Zoom &Out", w, &MdiDiagram::ZoomOut);
    AddSeparator(graph, "Sepereter4");
    m.chartColour = AddItem(graph, "MnuOptionColor", "&Color/Mono Change", w, &MdiDiagram::ColorMonoChange);
    m.chartSavePicture = AddItem(graph, "MnuGraphComSave", "Save &Picture...", w, &MdiDiagram::SavePicture);
    m.chartMenu = graph;

    QMenu* process = AddMenu(w, "MnuProcessCom", "&Process");
    m.processInput = AddItem(process, "MnuProcess", "Input/Calculation", w, &MdiDiagram::ProcessInput);
    m.processDraw = AddItem(process, "MnuProcessDraw", "&Draw Process Line", w, &MdiDiagram::ProcessDraw);
    m.processDraw->setCheckable(true);

    m.contextMenu = new QMenu(&w);
    m.contextMenu->setObjectName("MnuGraphComContext");
    m.contextMenu->addActions(graph->actions());
    m.contextMenu->addSeparator();
    m.addStateHere = m.contextMenu->addAction("Add State Here");
    m.addStateHere->setObjectName("MnuGraphComAddState");
    QObject::connect(m.addStateHere, &QAction::triggered, &w, &MdiDiagram::AddStateHere);

    QMenu* option = AddMenu(w, "MnuOptionCom", "&Options");
    m.optionToolBar = AddItem(option, "MnuOptionComTool", "&Tool Bar", w, &MdiDiagram::ToolBarSwitch);
    m.optionToolBar->setCheckable(true);
    m.optionToolBar->setChecked(true);
    AddSeparator(option, "Sepereter5");
    m.optionChartRange = AddItem(option, "MnuOptionComChartRange", "Chart &Range...", w, &MdiDiagram::ChartRange);
    m.optionLineUnit =
        AddItem(option, "MnuOptionComLineUnit", "&Unit and Draw Line Selection...", w, &MdiDiagram::LineUnit);
    AddSeparator(option, "Sepereter6");
    QMenu* paper = option->addMenu("&Plotter Paper Size");
    paper->setObjectName("MnuOptionComPaper");
    const char* paperCaptions[3] = {"A&3", "&B4", "A&4"};
    // One paper at a time: the entries are shown and behave as radio items.
    auto* paperGroup = new QActionGroup(paper);
    paperGroup->setExclusive(true);
    for (int n = 0; n < 3; ++n) {
        QAction* a = paper->addAction(QString::fromUtf8(paperCaptions[n]));
        a->setObjectName(QStringLiteral("MnuPaperCom_%1").arg(n));
        a->setCheckable(true);
        a->setChecked(n == 0);
        QObject::connect(a, &QAction::triggered, &w, [&w, n] { w.PaperSize(n); });
        paperGroup->addAction(a);
        m.paper[static_cast<std::size_t>(n)] = a;
    }

    QMenu* help = AddMenu(w, "MnuHelpCom", "&Help");
    m.helpAbout = AddItem(help, "MnuFileComAbout", "&About...", w, &MdiDiagram::About);

    // Tool bar: | open save | print | copy | zoomin zoomout refresh pencil
    m.toolbar = new QToolBar(&w);
    m.toolbar->setObjectName("Plot_Toolbar");
    m.toolbar->setWindowTitle("Tool Bar");
    m.toolbar->setMovable(false);
    m.toolbar->setFloatable(false);
    m.toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    m.toolbar->toggleViewAction()->setVisible(false);
    w.addToolBar(Qt::TopToolBarArea, m.toolbar);
    const auto addButton = [&](const char* key, const char* tip, QAction* a) {
        a->setToolTip(QString::fromUtf8(tip));
        a->setIcon(ToolIcon(key));
        a->setIconVisibleInMenu(false);
        m.toolbar->addAction(a);
        if (QWidget* button = m.toolbar->widgetForAction(a)) {
            button->setObjectName(key);
            button->setProperty("key", key);
        }
        m.toolButtons.push_back(ToolButton{key, a});
    };
    m.toolbar->addSeparator();
    addButton("open", "open", m.fileOpen);
    addButton("save", "save", m.fileSave);
    m.toolbar->addSeparator();
    addButton("print", "print", m.filePrint);
    m.toolbar->addSeparator();
    addButton("copy", "copy", m.editCopy);
    m.toolbar->addSeparator();
    addButton("zoomin", "zommin", m.chartZoomIn);
    addButton("zoomout", "zoomout", m.chartZoomOut);
    addButton("refresh", "refresh", m.chartDraw);
    addButton("pencil", " draw proscess line", m.processDraw);
    return m;
}

} // namespace hyg
