// The main window as loaded and its menu commands: defaults, the switches
// and tool bar keys, the dialogs the menus open, Add State Here, the exit
// question, and the messages of a refused drawing and of faults.
#include "tests/qt_window/window_fixture.h"

#include "chart/process_lines.h"
#include "qt_dialogs/process_dialog.h"

using namespace hyg;
using namespace hyg::test;

namespace {

const float kT[] = {25, 15, 30, 20, 35, 28, 22}, kRh[] = {50, 90, 30, 60, 40, 70, 45};

QPointF PixelOf(WindowFixture& f, float t, float rh) {
    const PlotPoint p = StatePointOnChart(f.settings(), t, rh);
    return f.picture()->mapping().toPixel(QPointF(p.x, p.y));
}

// File dialogs that fail as a broken file system or a missing portal would.
class FailingDialogs : public ScriptedDialogs {
public:
    std::optional<std::string> askSaveFileName(const FileDialogRequest&) override { throw RunTimeFault("no dialog"); }
    std::optional<std::string> askOpenFileName(const FileDialogRequest&) override { throw IndexFault("no dialog"); }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void defaultsAtLoad();
    void switchesAndToolKeys();
    void processLinesDrawTheStates_data();
    void processLinesDrawTheStates();
    void menuDialogs();
    void addStateHere();
    void exitQuestion();
    void drawingErrors();
    void faultsEndTheCommandWithItsMessage();
};

void TestMainWindow::defaultsAtLoad() {
    WindowFixture f(QSize(1000, 700), false);
    ChartPicture* p = f.picture();
    QCOMPARE(SettingsText(f.settings()),
             "P 760 760 mmHg | T 10..40 | x 27 | shf 17,17 | mr 8 | vh 10 | flow 50 | units 110 type 1 | lines "
             "11111111 | drawn 0 process 0 colour 1 | plane -500 4500 -350 3150 | plotter 0 0 15000 10500");
    // The canvas: 5000 x 3500 twips with the start-up scale, nothing drawn; the scroll bars hidden.
    QCOMPARE(QSize(p->widthTwips(), p->heightTwips()), QSize(5000, 3500));
    QCOMPARE(QList<double>({p->userScale().top, p->userScale().height}), QList<double>({-350, 3500}));
    QVERIFY(f.window->viewport().vertical()->isHidden() && f.window->viewport().horizontal()->isHidden());
}

void TestMainWindow::switchesAndToolKeys() {
    WindowFixture f;
    // Paper B4, A4, A3, each twice (the same entry again changes nothing): radio items, no redrawing.
    const std::int32_t sizes[3][2] = {{15000, 10500}, {12500, 8750}, {10000, 7000}};
    for (int n : {1, 1, 2, 2, 0, 0}) {
        f.trigger(qPrintable(QString("MnuPaperCom_%1").arg(n)));
        const ChartSettings& s = f.settings();
        QCOMPARE(QList<std::int32_t>({s.PlotterP1X, s.PlotterP1Y, s.PlotterP2X, s.PlotterP2Y}),
                 QList<std::int32_t>({0, 0, sizes[n][0], sizes[n][1]}));
        for (int k = 0; k < 3; ++k) {
            QAction* entry = f.action(QString("MnuPaperCom_%1").arg(k));
            QVERIFY(entry->isChecked() == (k == n) && entry->actionGroup() && entry->actionGroup()->isExclusive());
        }
    }
    // The process lines without states: a message from the menu and from the pencil, nothing switched.
    f.trigger("MnuProcessDraw");
    f.window->runToolKey("pencil");
    QCOMPARE(f.dialogs.messages.size(), std::size_t(2));
    QCOMPARE(f.dialogs.messages[0].text + " / " + f.dialogs.messages[0].title,
             "Input Process Data with Process Input/Calculation Command ! / Ventaro");
    QCOMPARE(f.dialogs.messages[0].icon, MessageIcon::None);
    QVERIFY(f.settings().DrawProcessLines == 0 && !f.window->menus().processDraw->isChecked());
    QCOMPARE(f.settings().DrawCount, 0);
    // Colour and mono: each switch redraws; twice gives the start back.
    f.trigger("MnuOptionColor");
    QVERIFY(f.settings().ColorMode == 0 && f.settings().PenColor == MonoPenTable());
    f.trigger("MnuOptionColor");
    QVERIFY(f.settings().ColorMode == 1 && f.settings().PenColor == ColourPenTable());
    QCOMPARE(f.settings().DrawCount, 2);
    // The tool bar switch and its check mark; no redrawing.
    f.trigger("MnuOptionComTool");
    QVERIFY(f.window->toolbar()->isHidden() && !f.action("MnuOptionComTool")->isChecked());
    f.trigger("MnuOptionComTool");
    QVERIFY(f.window->toolbar()->isVisible() && f.action("MnuOptionComTool")->isChecked());
    QCOMPARE(f.settings().DrawCount, 2);
    // Tool bar keys compare case-sensitively; an unknown key does nothing.
    for (const char* key : {"Refresh", "nothing", "refresh"})
        f.window->runToolKey(key);
    QCOMPARE(f.settings().DrawCount, 3);
}

void TestMainWindow::processLinesDrawTheStates_data() {
    QTest::addColumn<int>("states");
    QTest::newRow("one") << 1;
    QTest::newRow("three") << 3;
}

void TestMainWindow::processLinesDrawTheStates() {
    QFETCH(int, states);
    WindowFixture f(QSize(1280, 800));
    f.session().statePoints = SomeStates(states);
    f.trigger("MnuGraphComDraw");
    const auto image = [&f] { return f.picture()->image().convertToFormat(QImage::Format_RGB32); };
    const QImage plain = image();
    f.trigger("MnuProcessDraw");
    QVERIFY(f.dialogs.messages.empty());
    QVERIFY(f.settings().DrawProcessLines == 1 && f.window->menus().processDraw->isChecked());
    // Everything drawn lies around the states (circles and arrowheads reach a few pixels beyond them).
    const QImage lines = image();
    QRect box, around;
    int changed = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            changed += plain.pixel(x, y) != lines.pixel(x, y) ? (box |= QRect(x, y, 1, 1), 1) : 0;
    for (int i = 0; i < states; ++i)
        around |= QRect(PixelOf(f, kT[i], kRh[i]).toPoint(), QSize(1, 1));
    QVERIFY2(changed > 10, qPrintable(QString::number(changed)));
    QVERIFY2(around.adjusted(-8, -8, 8, 8).contains(box),
             qPrintable(QString("%1,%2 %3x%4").arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height())));
    if (states == 1)
        QVERIFY(box.width() <= 16 && box.height() <= 16); // a marked point, no line
    // Off again: the chart without the lines, the check mark cleared.
    f.trigger("MnuProcessDraw");
    QVERIFY(f.settings().DrawProcessLines == 0 && !f.window->menus().processDraw->isChecked());
    QCOMPARE(image(), plain);
}

void TestMainWindow::menuDialogs() {
    WindowFixture f;
    f.settings().EnthalpyUnit = UnitSystem::Imperial;
    // Each menu item runs its dialog with the hourglass gone; what OK stores stays, and nothing is
    // redrawn. The process dialog runs as the active view and takes the airflow in lb/h.
    QStringList seen;
    f.window->setDialogRunner([&](QDialog& d) {
        seen << d.objectName() + " " + d.windowTitle();
        [] { QVERIFY(QApplication::overrideCursor() == nullptr); }();
        if (auto* dlg = qobject_cast<DlgProcessCalc*>(&d)) {
            seen << QString::fromStdString(ViewName(f.session().ActiveView));
            dlg->grid(kGridInput)->setTextMatrix(1, 2, "25");
            dlg->grid(kGridInput)->setTextMatrix(1, 3, "50");
            dlg->Calculate();
            dlg->airflowField()->setText("220.46");
            dlg->CloseDialog();
        } else if (auto* list = d.findChild<QListWidget*>("List_Value_1")) {
            list->setCurrentRow(15); // 5 deg C
        }
        if (auto* ok = d.findChild<QPushButton*>("Com_OK"))
            ok->click();
        return d.result();
    });
    for (const char* item : {"MnuOptionComChartRange", "MnuOptionComLineUnit", "MnuFileComAbout", "MnuProcess"})
        f.trigger(item);
    QCOMPARE(seen, (QStringList{"DlgChartRange Diagram Setting", "DlgLineUnit Diagram Setting",
                                "DlgAbout About Hygrana", "DlgProcessCalc Calcurate Air Conditioning", "Process"}));
    QCOMPARE(f.settings().MinDryBulb, 5.0f);
    QCOMPARE(f.settings().DrawCount, 0);
    QCOMPARE(f.session().statePoints.count, 1);
    QCOMPARE(f.settings().DryAirflowRate, 100.0f); // 220.46 lb/h
}

void TestMainWindow::addStateHere() {
    WindowFixture f(QSize(1280, 800));
    const MainMenus& menus = f.window->menus();
    // Before a drawing there is no chart to pick from.
    emit f.picture()->contextMenuRequested(f.picture()->mapToGlobal(QPoint(100, 100)));
    QVERIFY(!menus.addStateHere->isEnabled());
    menus.contextMenu->hide();
    f.trigger("MnuGraphComDraw");
    // Through the real context menu at the pointer, seven times: the seventh state does not fit.
    for (int i = 0; i < 7; ++i) {
        emit f.picture()->contextMenuRequested(f.picture()->mapToGlobal(PixelOf(f, kT[i], kRh[i]).toPoint()));
        QVERIFY(menus.contextMenu->isVisible() && menus.addStateHere->isEnabled());
        menus.addStateHere->trigger();
        menus.contextMenu->hide();
    }
    const StatePointList& p = f.session().statePoints;
    QCOMPARE(p.count, 6);
    for (std::size_t i = 1; i <= 6; ++i) {
        // Within a pixel's worth of the state, rounded to two decimals.
        QVERIFY2(qAbs(p.dryBulb[i] - kT[i - 1]) < 0.1f && qAbs(p.relHum[i] - kRh[i - 1]) < 0.6f,
                 qPrintable(QString("%1 %2").arg(p.dryBulb[i]).arg(p.relHum[i])));
        QCOMPARE(p.dryBulb[i], std::round(p.dryBulb[i] * 100) / 100);
        QCOMPARE(p.pressure[i], 760.0f);
    }
    QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
    QCOMPARE(f.dialogs.messages[0].text, kStateListFullText);
    // Off the chart: a message, nothing added.
    f.session().statePoints.count = 5;
    f.window->processCommands().AddStateHere(QPointF(-450, 3100));
    QCOMPARE(f.dialogs.messages.back().text, kNoAirStateHereText);
    QCOMPARE(f.session().statePoints.count, 5);
}

void TestMainWindow::exitQuestion() {
    WindowFixture f;
    f.trigger("MnuGraphComDraw");
    const QImage chart = f.picture()->image();
    f.dialogs.yesNoAnswers = {false, true};
    f.trigger("MnuFileComExit");
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.picture()->image(), chart);
    QCOMPARE(f.dialogs.questions.size(), size_t(1));
    const auto& q = f.dialogs.questions[0];
    QCOMPARE(q.text + " / " + q.title, "Do you really want to exit the application? / Hygrana");
    QVERIFY(q.icon == MessageIcon::Question && q.defaultNo);
    QVERIFY(f.window->close() && !f.window->isVisible());
}

void TestMainWindow::drawingErrors() {
    WindowFixture f;
    // A refused layout shows its own message once; the command adds none.
    f.settings().MaxDryBulb = f.settings().MinDryBulb;
    f.trigger("MnuGraphComDraw");
    QVERIFY(f.dialogs.messages.size() == 1 && f.dialogs.messages[0].text.find("Sorry") == std::string::npos);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    // A changed top humidity gives the notice with the application's title.
    f.settings().MaxDryBulb = 40;
    f.settings().MaxAbsHum = 20;
    f.trigger("MnuGraphComDraw");
    QCOMPARE(f.dialogs.messages.size(), size_t(2));
    QCOMPARE(f.dialogs.messages[1].text + " / " + f.dialogs.messages[1].title, "Hum. is 27 x1000 on diagram. / Ventaro");
    QCOMPARE(f.settings().DrawCount, 1);
}

void TestMainWindow::faultsEndTheCommandWithItsMessage() {
    FailingDialogs dialogs;
    MdiDiagram window(&dialogs);
    const QString before = SettingsText(window.settings());
    // A fault inside a dialog (thrown by the runner), out of memory, and failing file dialogs: each
    // command ends with its own message and the settings stay as they were.
    int run = 0;
    window.setDialogRunner([&](QDialog&) -> int {
        if (run++ == 0)
            throw FloatingPointFault(FloatingPointFault::Kind::Overflow, "test");
        throw std::bad_alloc();
    });
    for (QAction* a : {window.menus().optionChartRange, window.menus().optionLineUnit, window.menus().fileSave,
                       window.menus().fileOpen, window.menus().filePlot})
        a->trigger();
    QStringList texts, expected;
    for (const auto& m : dialogs.messages) {
        QVERIFY(m.title == "Hygrana" && m.icon == MessageIcon::Exclamation);
        texts << QString::fromStdString(m.text);
    }
    for (const char* command : {"Chart Range...", "Unit and Draw Line Selection...", "Save...", "Open...", "Save..."})
        expected << QString("Sorry, failed '%1' command.").arg(command);
    QCOMPARE(texts, expected);
    QCOMPARE(SettingsText(window.settings()), before);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
