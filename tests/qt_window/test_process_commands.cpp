// The Process commands of the main window: the process lines switch (its
// message, check mark and what it draws), the process dialog from the menu,
// and Add State Here up to the full list.
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

QImage Image(WindowFixture& f) {
    return f.picture()->image().convertToFormat(QImage::Format_RGB32);
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
};

void TestProcessCommands::switchWithoutStates() {
    WindowFixture f;
    f.trigger("MnuProcessDraw");
    f.window->runToolKey("pencil"); // the tool-bar pencil runs the same command
    QCOMPARE(f.dialogs.messages.size(), std::size_t(2));
    QCOMPARE(f.dialogs.messages[0].text + " / " + f.dialogs.messages[0].title,
             std::string("Input Process Data with Process Input/Calculation Command ! / Ventaro"));
    QCOMPARE(f.dialogs.messages[0].icon, MessageIcon::None);
    QCOMPARE(f.settings().DrawProcessLines, std::int16_t(0));
    QVERIFY(!f.window->menus().processDraw->isChecked());
    QCOMPARE(f.settings().DrawCount, std::int16_t(0)); // nothing drawn
}

void TestProcessCommands::switchDrawsTheStates_data() {
    QTest::addColumn<int>("states");
    QTest::newRow("one") << 1;
    QTest::newRow("three") << 3;
}

void TestProcessCommands::switchDrawsTheStates() {
    QFETCH(int, states);
    WindowFixture f(QSize(1280, 800));
    f.session().statePoints = SomeStates(states);
    f.trigger("MnuGraphComDraw");
    const QImage plain = Image(f);
    f.trigger("MnuProcessDraw");
    QVERIFY(f.dialogs.messages.empty());
    QCOMPARE(f.settings().DrawProcessLines, std::int16_t(1));
    QVERIFY(f.window->menus().processDraw->isChecked());
    // Everything drawn lies around the states (circles and arrowheads reach a few pixels beyond them).
    const QImage lines = Image(f);
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
    QCOMPARE(f.settings().DrawProcessLines, std::int16_t(0));
    QVERIFY(!f.window->menus().processDraw->isChecked());
    QCOMPARE(Image(f), plain);
}

void TestProcessCommands::dialogFromTheMenu() {
    WindowFixture f(QSize(1000, 700), false);
    f.settings().EnthalpyUnit = UnitSystem::Imperial;
    QStringList views;
    f.window->setDialogRunner([&](QDialog& d) {
        views << QString::fromStdString(ViewName(f.session().ActiveView));
        DlgProcessCalc& dlg = *qobject_cast<DlgProcessCalc*>(&d);
        dlg.grid(kGridInput)->setTextMatrix(1, 2, "25");
        dlg.grid(kGridInput)->setTextMatrix(1, 3, "50");
        dlg.Calculate();
        dlg.airflowField()->setText("220.46");
        dlg.CloseDialog();
        return d.result();
    });
    f.trigger("MnuProcess");
    QCOMPARE(views, QStringList("Process"));
    QCOMPARE(f.session().statePoints.count, std::int16_t(1));
    QCOMPARE(f.settings().DryAirflowRate, 100.0f); // 220.46 lb/h
}

void TestProcessCommands::addStateHere() {
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
    QCOMPARE(p.count, std::int16_t(6));
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
    QCOMPARE(f.session().statePoints.count, std::int16_t(5));
}

QTEST_MAIN(TestProcessCommands)
#include "test_process_commands.moc"
