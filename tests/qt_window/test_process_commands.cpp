// The Process commands of the main window: the process lines switch with 0
// to 3 states (its message, check mark and what it draws), the process
// dialog from the menu, Add State Here up to the seventh state, and the
// states of an opened data file.
#include "tests/qt_window/window_fixture.h"

#include "chart/process_lines.h"
#include "files/data_file.h"
#include "qt_dialogs/process_dialog.h"

using namespace hyg;
using namespace hyg::test;

namespace {

StatePointList States(int n) {
    const float t[] = {25, 15, 30, 20, 35, 28}, rh[] = {50, 90, 30, 60, 40, 70};
    StatePointList p;
    p.count = static_cast<std::int16_t>(n);
    for (std::size_t i = 1; i <= static_cast<std::size_t>(n); ++i)
        p.dryBulb[i] = t[i - 1], p.relHum[i] = rh[i - 1], p.pressure[i] = 760;
    return p;
}

QImage CanvasImage(WindowFixture& f) {
    return f.picture()->image().convertToFormat(QImage::Format_RGB32);
}

// Pixel position of a state on the drawn canvas.
QPointF PixelOf(WindowFixture& f, float t, float rh) {
    const ChartSettings& s = f.settings();
    const PlotPoint p = StatePointOnChart(s, t, rh);
    return {(p.x - s.PlaneXMin) * f.picture()->widthPixels() / (s.PlaneXMax - s.PlaneXMin),
            (s.PlaneYMax - p.y) * f.picture()->heightPixels() / (s.PlaneYMax - s.PlaneYMin)};
}

// The box around every pixel where two canvases differ, and how many differ.
QRect Difference(const QImage& a, const QImage& b, int* count) {
    QRect box;
    *count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                box |= QRect(x, y, 1, 1);
                ++*count;
            }
        }
    }
    return box;
}

} // namespace

class TestProcessCommands : public QObject {
    Q_OBJECT
private slots:
    void switchWithoutStates();
    void switchDrawsTheStates_data();
    void switchDrawsTheStates();
    void dialogFromTheMenu();
    void addStateHere();
    void openedFileStates();
};

void TestProcessCommands::switchWithoutStates() {
    WindowFixture f;
    f.trigger("MnuProcessDraw");
    QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
    QCOMPARE(f.dialogs.messages[0].text + " / " + f.dialogs.messages[0].title,
             std::string("Input Process Data with Process Input/Calculation Command ! / Ventaro"));
    QCOMPARE(f.dialogs.messages[0].icon, MessageIcon::None);
    QCOMPARE(f.settings().DrawProcessLines, std::int16_t(0));
    QVERIFY(!f.window->menus().processDraw->isChecked());
    QCOMPARE(f.settings().DrawCount, std::int16_t(0)); // nothing drawn
    // The tool-bar pencil runs the same command.
    f.window->runToolKey("pencil");
    QCOMPARE(f.dialogs.messages.size(), std::size_t(2));
}

void TestProcessCommands::switchDrawsTheStates_data() {
    QTest::addColumn<int>("states");
    QTest::newRow("one") << 1;
    QTest::newRow("three") << 3;
}

void TestProcessCommands::switchDrawsTheStates() {
    QFETCH(int, states);
    WindowFixture f(QSize(1280, 800));
    f.session().statePoints = States(states);
    f.trigger("MnuGraphComDraw");
    const QImage plain = CanvasImage(f);

    f.trigger("MnuProcessDraw");
    QVERIFY(f.dialogs.messages.empty());
    QCOMPARE(f.settings().DrawProcessLines, std::int16_t(1));
    QVERIFY(f.window->menus().processDraw->isChecked());
    int changed = 0;
    const QRect box = Difference(plain, CanvasImage(f), &changed);
    // Everything drawn lies around the states (circles and arrowheads
    // reach a few pixels beyond them).
    QRect states_box;
    for (int i = 1; i <= states; ++i) {
        const auto n = static_cast<std::size_t>(i);
        const QPointF p = PixelOf(f, f.session().statePoints.dryBulb[n], f.session().statePoints.relHum[n]);
        states_box |= QRect(p.toPoint(), QSize(1, 1));
    }
    QVERIFY2(changed > 10, qPrintable(QString::number(changed)));
    QVERIFY2(states_box.adjusted(-8, -8, 8, 8).contains(box),
             qPrintable(QString("%1,%2 %3x%4").arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height())));
    if (states == 1)
        QVERIFY(box.width() <= 16 && box.height() <= 16); // a marked point, no line

    // Off again: the chart without the lines, the check mark cleared.
    f.trigger("MnuProcessDraw");
    QCOMPARE(f.settings().DrawProcessLines, std::int16_t(0));
    QVERIFY(!f.window->menus().processDraw->isChecked());
    QCOMPARE(CanvasImage(f), plain);
}

void TestProcessCommands::dialogFromTheMenu() {
    WindowFixture f(QSize(1000, 700), false);
    f.settings().EnthalpyUnit = UnitSystem::Imperial;
    int opened = 0;
    std::string view;
    f.window->setDialogRunner([&](QDialog& d) {
        auto* dlg = qobject_cast<DlgProcessCalc*>(&d);
        if (dlg == nullptr)
            return 0;
        ++opened;
        view = ViewName(f.session().ActiveView);
        dlg->grid(kGridInput)->setTextMatrix(1, 2, "25");
        dlg->grid(kGridInput)->setTextMatrix(1, 3, "50");
        dlg->Calculate();
        dlg->airflowField()->setText("220.46");
        dlg->CloseDialog();
        return d.result();
    });
    f.trigger("MnuProcess");
    QCOMPARE(opened, 1);
    QCOMPARE(view, std::string("Process"));
    QCOMPARE(f.session().statePoints.count, std::int16_t(1));
    QCOMPARE(f.settings().DryAirflowRate, 100.0f);
}

void TestProcessCommands::addStateHere() {
    WindowFixture f(QSize(1280, 800));
    // Before a drawing there is no chart to pick from.
    emit f.picture()->contextMenuRequested(f.picture()->mapToGlobal(QPoint(100, 100)));
    QVERIFY(!f.window->menus().addStateHere->isEnabled());
    f.window->menus().contextMenu->hide();
    f.trigger("MnuGraphComDraw");

    const float t[] = {25, 15, 30, 20, 35, 28, 22}, rh[] = {50, 90, 30, 60, 40, 70, 45};
    for (int i = 0; i < 7; ++i) {
        const QPointF px = PixelOf(f, t[i], rh[i]);
        // Through the real context menu: the right button asks for it at
        // the pointer; Add State Here takes the state under it.
        emit f.picture()->contextMenuRequested(f.picture()->mapToGlobal(px.toPoint()));
        QVERIFY(f.window->menus().contextMenu->isVisible());
        QVERIFY(f.window->menus().addStateHere->isEnabled());
        f.window->menus().addStateHere->trigger();
        f.window->menus().contextMenu->hide();
    }
    const StatePointList& p = f.session().statePoints;
    QCOMPARE(p.count, std::int16_t(6));
    for (std::size_t i = 1; i <= 6; ++i) {
        // Within a pixel's worth of the state, rounded to two decimals.
        QVERIFY2(qAbs(p.dryBulb[i] - t[i - 1]) < 0.1f && qAbs(p.relHum[i] - rh[i - 1]) < 0.6f,
                 qPrintable(QString("%1 %2").arg(p.dryBulb[i]).arg(p.relHum[i])));
        QCOMPARE(p.dryBulb[i], std::round(p.dryBulb[i] * 100) / 100);
        QCOMPARE(p.pressure[i], 760.0f);
    }
    QCOMPARE(f.dialogs.messages.size(), std::size_t(1));
    QCOMPARE(f.dialogs.messages[0].text, std::string(kStateListFullText));

    // Off the chart: a message, nothing added.
    f.session().statePoints.count = 5;
    f.window->processCommands().AddStateHere(QPointF(-450, 3100));
    QCOMPARE(f.dialogs.messages.back().text, std::string(kNoAirStateHereText));
    QCOMPARE(f.session().statePoints.count, std::int16_t(5));

    // The next process dialog shows the picked states.
    QString fifth, fourthProcess;
    f.window->setDialogRunner([&](QDialog& d) {
        auto* dlg = qobject_cast<DlgProcessCalc*>(&d);
        fifth = dlg->grid(kGridInput)->textMatrix(5, 2);
        fourthProcess = dlg->grid(kGridProcess)->textMatrix(4, 0);
        return 0;
    });
    f.trigger("MnuProcess");
    QCOMPARE(fifth.toFloat(), p.dryBulb[5]);
    QCOMPARE(fourthProcess, QString("#4 -> #5"));
    QCOMPARE(f.dialogs.messages.size(), std::size_t(2));
}

void TestProcessCommands::openedFileStates() {
    QTemporaryDir dir;
    const std::string path = dir.filePath("states.dat").toStdString();
    WriteDataFile(path, ChartSettings{}, States(3));
    WindowFixture f(QSize(1280, 800));
    f.dialogs.openNames.push_back(path);
    f.trigger("MnuFileComOpen");
    QCOMPARE(f.session().statePoints.count, std::int16_t(3));
    QStringList rows;
    f.window->setDialogRunner([&](QDialog& d) {
        auto* dlg = qobject_cast<DlgProcessCalc*>(&d);
        for (int r = 1; r <= 4; ++r) {
            QStringList cells;
            for (int c = 1; c <= 3; ++c)
                cells << dlg->grid(kGridInput)->textMatrix(r, c);
            rows << cells.join(' ');
        }
        return 0;
    });
    f.trigger("MnuProcess");
    QCOMPARE(rows, QStringList({"760.00 25.00 50.00", "760.00 15.00 90.00", "760.00 30.00 30.00", "760  "}));
}

QTEST_MAIN(TestProcessCommands)
#include "test_process_commands.moc"
