// The main window as loaded and its small commands: defaults, the menu tree
// and the tool bar, colour, tool bar and paper switches, the settings
// dialogs, the About box and the exit question.
#include "tests/app/window_fixture.h"

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolBar>

using namespace hyg;
using namespace hyg::test;

namespace {

bool AllWhite(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            if ((line[x] & 0xFFFFFF) != 0xFFFFFF) return false;
        }
    }
    return true;
}

// Runs the dialog with a click on one of its buttons after an optional change.
std::function<int(QDialog&)> ClickAfter(const char* button, std::function<void(QDialog&)> change = {}) {
    return [button, change](QDialog& d) {
        if (change) change(d);
        auto* b = d.findChild<QPushButton*>(button);
        if (b == nullptr) return -1;
        b->click();
        return d.result();
    };
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void defaultsAtLoad();
    void menuTree_data();
    void menuTree();
    void checksAndShortcut();
    void toolBarOrderKeysAndTips();
    void toolKeysRunTheirCommands();
    void paperSize_data();
    void paperSize();
    void colourTwiceGivesColourBack();
    void toolBarTwiceShowsItAgain();
    void exitQuestion();
    void chartRangeDialog();
    void lineUnitDialog();
    void aboutBox();
};

void TestMainWindow::defaultsAtLoad() {
    WindowFixture f(QSize(1000, 700), false);
    MdiDiagram& w = *f.window;
    QCOMPARE(w.objectName(), QString("MdiDiagram"));
    QCOMPARE(w.windowTitle(), QString("Corvane Ver 5.0 for Win32"));
    const ChartSettings& s = f.settings();
    QCOMPARE(s.Pressure, 760.0f);
    QCOMPARE(s.PressureMmHg, 760.0f);
    QCOMPARE(s.PressureUnit, 1);
    QCOMPARE(s.EnthalpyUnit, 1);
    QCOMPARE(s.TemperatureUnit, 0);
    QCOMPARE(s.DiagramType, 1);
    QCOMPARE(s.MinDryBulb, 10.0f);
    QCOMPARE(s.MaxDryBulb, 40.0f);
    QCOMPARE(s.MaxAbsHum, 27.0f);
    QCOMPARE(s.ShfOriginDryBulb, 17.0f);
    QCOMPARE(s.ShfOriginAbsHum, 17.0f);
    QCOMPARE(s.MaxMoistureRatio, 8.0f);
    QCOMPARE(s.VertHorizRatio, 10.0f);
    QCOMPARE(s.DryAirflowRate, 50.0f);
    for (auto sw : s.LineSwitch) QCOMPARE(sw, 1);
    QCOMPARE(s.DrawCount, 0);
    QCOMPARE(s.DrawProcessLines, 0);
    QCOMPARE(f.session().statePoints.count, 0);
    QCOMPARE(s.PlaneXMin, -500.0f);
    QCOMPARE(s.PlaneXMax, 4500.0f);
    QCOMPARE(s.PlaneYMin, -350.0f);
    QCOMPARE(s.PlaneYMax, 3150.0f);
    QCOMPARE(s.PlotterP2X, 15000);
    QCOMPARE(s.PlotterP2Y, 10500);
    QCOMPARE(s.ColorMode, 1);
    QVERIFY(s.PenColor == ColourPenTable());
    QCOMPARE(f.session().ActiveView, std::string("chart"));

    // The canvas: 5000 x 3500 twips, the start-up scale, blank; the
    // scroll bars hidden.
    QCOMPARE(f.picture()->objectName(), QString("Pic_Graph"));
    QCOMPARE(f.picture()->widthTwips(), 5000);
    QCOMPARE(f.picture()->heightTwips(), 3500);
    QCOMPARE(s.PictureWidth, 5000.0f);
    QCOMPARE(s.PictureHeight, 3500.0f);
    QCOMPARE(f.picture()->userScale().top, -350.0);
    QCOMPARE(f.picture()->userScale().height, 3500.0);
    QVERIFY(AllWhite(f.picture()->image()));
    QVERIFY(w.viewport().vertical()->isHidden());
    QVERIFY(w.viewport().horizontal()->isHidden());
    QCOMPARE(w.viewport().vertical()->objectName(), QString("vsbControl"));
    QCOMPARE(w.viewport().horizontal()->objectName(), QString("hsbControl"));
    QCOMPARE(w.viewport().shade()->objectName(), QString("Pic_Shade"));
    QCOMPARE(w.viewport().saved().size(), f.picture()->image().size());
}

void TestMainWindow::menuTree_data() {
    // Items as "name=caption"; "!" marks an item switched off until its
    // command lands, "|" a separator.
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("file") << "MnuFileCom" << "&File"
                          << QStringList{"MnuFileComOpen=&Open File...", "MnuFileComSave=&Save File...",
                                         "|Sepereter1", "!MnuFileComPrint=&Print...", "MnuFileComPlot=Ou&tPut...",
                                         "|Sepereter2", "MnuFileComExit=E&xit"};
    QTest::newRow("edit") << "MnuEditCom" << "&Edit" << QStringList{"!MnuEditComCopy=&Copy"};
    QTest::newRow("chart") << "MnuGraphCom" << "&Chart"
                           << QStringList{"MnuGraphComDraw=&Draw/Redraw", "MnuGraphComIn=Zoom &In",
                                          "MnuGraphComOut=Zoom &Out", "|Sepereter4",
                                          "MnuOptionColor=&Color/Mono Change", "!MnuGraphComSave=Save &Picture..."};
    QTest::newRow("process") << "MnuProcessCom" << "&Process"
                             << QStringList{"!MnuProcess=Input/Calculation", "!MnuProcessDraw=&Draw Process Line"};
    QTest::newRow("options") << "MnuOptionCom" << "&Options"
                             << QStringList{"MnuOptionComTool=&Tool Bar", "|Sepereter5",
                                            "MnuOptionComChartRange=Chart &Range...",
                                            "MnuOptionComLineUnit=&Unit and Draw Line Selection...", "|Sepereter6",
                                            "MnuOptionComPaper=&Plotter Paper Size"};
    QTest::newRow("paper") << "MnuOptionComPaper" << "&Plotter Paper Size"
                           << QStringList{"MnuPaperCom_0=A&3", "MnuPaperCom_1=&B4", "MnuPaperCom_2=A&4"};
    QTest::newRow("help") << "MnuHelpCom" << "&Help" << QStringList{"MnuFileComAbout=&About..."};
}

void TestMainWindow::menuTree() {
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QStringList, items);
    WindowFixture f(QSize(800, 600), false);
    auto* m = f.window->findChild<QMenu*>(menu);
    QVERIFY(m != nullptr);
    QCOMPARE(m->title(), caption);
    QStringList seen;
    for (QAction* a : m->actions()) {
        if (a->isSeparator()) seen << "|" + a->objectName();
        else if (a->menu()) seen << a->menu()->objectName() + "=" + a->text();
        else seen << (a->isEnabled() ? "" : "!") + a->objectName() + "=" + a->text();
        // Every action exists once.
        if (!a->isSeparator() && !a->menu()) QCOMPARE(f.window->findChildren<QAction*>(a->objectName()).size(), 1);
    }
    QCOMPARE(seen, items);
}

void TestMainWindow::checksAndShortcut() {
    WindowFixture f(QSize(800, 600), false);
    QCOMPARE(f.window->action("MnuEditComCopy")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Insert));
    QVERIFY(f.window->action("MnuOptionComTool")->isChecked());
    QVERIFY(f.window->action("MnuPaperCom_0")->isChecked());
    QVERIFY(!f.window->action("MnuPaperCom_1")->isChecked());
    QVERIFY(!f.window->action("MnuProcessDraw")->isChecked());
}

void TestMainWindow::toolBarOrderKeysAndTips() {
    WindowFixture f(QSize(800, 600), false);
    QToolBar* bar = f.window->toolbar();
    QCOMPARE(bar->objectName(), QString("Plot_Toolbar"));
    QStringList order;
    for (QAction* a : bar->actions()) {
        if (a->isSeparator()) {
            order << "|";
            continue;
        }
        QWidget* button = bar->widgetForAction(a);
        QVERIFY(button != nullptr);
        order << button->objectName() + "=" + a->toolTip();
    }
    QCOMPARE(order, (QStringList{"|", "open=open", "save=save", "|", "print=print", "|", "copy=copy", "|",
                                 "zoomin=zommin", "zoomout=zoomout", "refresh=refresh",
                                 "pencil= draw proscess line"}));
    // The buttons are the menu's own actions.
    QCOMPARE(bar->actions().at(8), f.window->action("MnuGraphComIn"));
    QCOMPARE(bar->actions().at(11), f.window->action("MnuProcessDraw"));
}

void TestMainWindow::toolKeysRunTheirCommands() {
    WindowFixture f;
    f.window->runToolKey("Refresh"); // keys compare case-sensitively
    f.window->runToolKey("nothing");
    QCOMPARE(f.settings().DrawCount, 0);
    f.window->runToolKey("refresh");
    QCOMPARE(f.settings().DrawCount, 1);
    f.dialogs.saveNames.push_back(std::nullopt);
    f.window->runToolKey("save");
    QCOMPARE(f.dialogs.saveRequests.size(), size_t(1));
    QCOMPARE(f.dialogs.saveRequests[0].proposedName, std::string("corvane.dat"));
    QVERIFY(f.dialogs.messages.empty());
}

void TestMainWindow::paperSize_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("p2x");
    QTest::addColumn<int>("p2y");
    QTest::newRow("A3") << 0 << 15000 << 10500;
    QTest::newRow("B4") << 1 << 12500 << 8750;
    QTest::newRow("A4") << 2 << 10000 << 7000;
}

void TestMainWindow::paperSize() {
    QFETCH(int, n);
    QFETCH(int, p2x);
    QFETCH(int, p2y);
    WindowFixture f(QSize(800, 600), false);
    // Start from another paper so every row moves the check mark.
    f.trigger(n == 1 ? "MnuPaperCom_2" : "MnuPaperCom_1");
    const QString name = QString("MnuPaperCom_%1").arg(n);
    for (int twice = 0; twice < 2; ++twice) {
        f.window->action(name)->trigger();
        QCOMPARE(f.settings().PlotterP1X, 0);
        QCOMPARE(f.settings().PlotterP1Y, 0);
        QCOMPARE(f.settings().PlotterP2X, p2x);
        QCOMPARE(f.settings().PlotterP2Y, p2y);
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(f.window->action(QString("MnuPaperCom_%1").arg(k))->isChecked(), k == n);
        }
    }
    QCOMPARE(f.settings().DrawCount, 0); // the screen chart is not redrawn
}

void TestMainWindow::colourTwiceGivesColourBack() {
    WindowFixture f;
    f.trigger("MnuOptionColor");
    QCOMPARE(f.settings().ColorMode, 0);
    QVERIFY(f.settings().PenColor == MonoPenTable());
    QCOMPARE(f.settings().DrawCount, 1); // the switch redraws
    f.trigger("MnuOptionColor");
    QCOMPARE(f.settings().ColorMode, 1);
    QVERIFY(f.settings().PenColor == ColourPenTable());
    QCOMPARE(f.settings().DrawCount, 2);
}

void TestMainWindow::toolBarTwiceShowsItAgain() {
    WindowFixture f;
    QToolBar* bar = f.window->toolbar();
    QAction* check = f.window->action("MnuOptionComTool");
    QVERIFY(bar->isVisible());
    f.trigger("MnuOptionComTool");
    QVERIFY(bar->isHidden());
    QVERIFY(!check->isChecked());
    f.trigger("MnuOptionComTool");
    QVERIFY(bar->isVisible());
    QVERIFY(check->isChecked());
    QCOMPARE(f.settings().DrawCount, 0);
}

void TestMainWindow::exitQuestion() {
    WindowFixture f;
    f.trigger("MnuOptionComTool"); // some state that must survive
    f.dialogs.yesNoAnswers.push_back(false);
    f.trigger("MnuFileComExit");
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.dialogs.questions.size(), size_t(1));
    const auto& q = f.dialogs.questions[0];
    QCOMPARE(q.text, std::string("Do you really want to exit the application?"));
    QCOMPARE(q.title, std::string("Hygrana"));
    QVERIFY(q.icon == MessageIcon::Question);
    QVERIFY(q.defaultNo);
    QVERIFY(f.window->toolbar()->isHidden());

    f.dialogs.yesNoAnswers.push_back(true);
    QVERIFY(f.window->close());
    QVERIFY(!f.window->isVisible());
}

void TestMainWindow::chartRangeDialog() {
    WindowFixture f;
    // Cancel after a change stores nothing.
    f.window->setDialogRunner(ClickAfter("Com_Cancel", [](QDialog& d) {
        QCOMPARE(d.objectName(), QString("DlgChartRange"));
        // The hourglass of the command is gone by the time the dialog runs.
        QVERIFY(QApplication::overrideCursor() == nullptr);
        auto* list = d.findChild<QListWidget*>("List_Value_1");
        QVERIFY(list != nullptr);
        const auto items = list->findItems("5", Qt::MatchExactly);
        QVERIFY(!items.isEmpty());
        list->setCurrentItem(items.first());
    }));
    f.trigger("MnuOptionComChartRange");
    QCOMPARE(f.settings().MinDryBulb, 10.0f);

    // OK stores the selection and does not redraw.
    f.window->setDialogRunner(ClickAfter("Com_OK", [](QDialog& d) {
        auto* list = d.findChild<QListWidget*>("List_Value_1");
        list->setCurrentItem(list->findItems("5", Qt::MatchExactly).first());
    }));
    f.trigger("MnuOptionComChartRange");
    QCOMPARE(f.settings().MinDryBulb, 5.0f);
    QCOMPARE(f.settings().DrawCount, 0);
}

void TestMainWindow::lineUnitDialog() {
    WindowFixture f;
    const auto toDryBulbType = [](QDialog& d) {
        QCOMPARE(d.objectName(), QString("DlgLineUnit"));
        auto* type0 = d.findChild<QRadioButton*>("Op_Type_0");
        QVERIFY(type0 != nullptr);
        type0->setChecked(true);
    };
    f.window->setDialogRunner(ClickAfter("Com_Cancel", toDryBulbType));
    f.trigger("MnuOptionComLineUnit");
    QCOMPARE(f.settings().DiagramType, 1);
    f.window->setDialogRunner(ClickAfter("Com_OK", toDryBulbType));
    f.trigger("MnuOptionComLineUnit");
    QCOMPARE(f.settings().DiagramType, 0);
    QCOMPARE(f.settings().DrawCount, 0);
}

void TestMainWindow::aboutBox() {
    WindowFixture f(QSize(800, 600), false);
    QString seen;
    f.window->setDialogRunner([&](QDialog& d) {
        seen = d.windowTitle();
        return 0;
    });
    f.trigger("MnuFileComAbout");
    QCOMPARE(seen, QString("About Hygrana"));
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
