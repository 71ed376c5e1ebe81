// The dialogs through their real controls: what opening shows, what OK stores, that Cancel and a fault store
// nothing, values off the lists; in the process dialog typing, Calculate, the airflow, Cut, Copy and Past.
// (The pointer, arrow keys and the real clipboard run end to end; printing shows a filled process dialog.)
#include "qt_dialogs/chart_range_dialog.h"
#include "qt_dialogs/dialog_buttons.h"
#include "qt_dialogs/line_unit_dialog.h"
#include "qt_dialogs/process_dialog.h"
#include "tests/engine/recording_messenger.h"
#include "tests/qt_window/settings_text.h"

#include <QtTest>
#include <QtWidgets>

#include <limits>

using namespace hyg;
using hyg::test::SettingsText;

namespace {

template <class T = QAbstractButton> T* Child(QWidget& dlg, const QString& name) {
    T* w = dlg.findChild<T*>(name);
    if (!w)
        qFatal("missing control %s", qPrintable(name));
    return w;
}

QString Selected(QListWidget* list) {
    const auto items = list->selectedItems();
    return items.size() == 1 ? items.first()->text() : QString("<%1 selected>").arg(items.size());
}

// The selected item of every row of the chart range dialog, joined by blanks.
QString RangeSelection(const DlgChartRange& dlg) {
    QStringList s;
    for (int k = 0; k < DlgChartRange::kRows; ++k)
        s << Selected(dlg.list(k));
    return s.join(' ');
}

// The checked buttons and boxes of the unit and line dialog in name order, then the ratio list's selection.
QString LineUnitState(QWidget& dlg) {
    QStringList on;
    for (auto* b : dlg.findChildren<QAbstractButton*>())
        on << (b->isChecked() ? b->objectName() : QString());
    on.removeAll(QString()), on.sort();
    return on.join(' ') + " | " + Selected(Child<QListWidget>(dlg, "List_Value"));
}

struct Opened {
    ChartSettings settings;
    StatePointList points;
    std::string activeView = "chart";
    std::int16_t activeGrid = kGridInput;
    test::RecordingMessenger messenger;
    std::unique_ptr<DlgProcessCalc> dialog;

    // Three states (25 deg C 50 %, 15 deg C 90 %, 30 deg C 30.2 %) when `filled`.
    explicit Opened(int unitSystem = 1, int pressureUnit = 1, bool filled = false) {
        settings.EnthalpyUnit = static_cast<UnitSystem>(unitSystem);
        settings.PressureUnit = static_cast<PressureIn>(pressureUnit);
        settings.Pressure = pressureUnit == 2 ? 101.325f : (pressureUnit == 3 ? 1.0f : 760.0f);
        const float t[] = {25, 15, 30}, rh[] = {50, 90, 30.2f};
        for (std::size_t i = 1; filled && i <= 3; ++i)
            points.count = 3, points.dryBulb[i] = t[i - 1], points.relHum[i] = rh[i - 1], points.pressure[i] = 760;
        dialog = std::make_unique<DlgProcessCalc>(
            ProcessDialogContext{settings, points, activeGrid, messenger, [this] { activeView = "Process"; }});
    }
    FlexGrid& in() { return *dialog->grid(kGridInput); }
    FlexGrid& prop() { return *dialog->grid(kGridProperty); }
    FlexGrid& proc() { return *dialog->grid(kGridProcess); }
    // Types `keys` into cell (row, col) of the input table as a user would.
    void type(int row, int col, const QString& keys) {
        in().setRow(row), in().setCol(col);
        QTest::keyClicks(&in(), keys);
    }
    void select(FlexGrid& g, int row, int col, int rowSel, int colSel) {
        g.setRow(row), g.setCol(col), g.setRowSel(rowSel), g.setColSel(colSel);
    }
    // Rows r1 to r2 of a table from column `from`: "|" between the cells, " / " between the rows.
    QString rows(FlexGrid& g, int r1, int r2 = -1, int from = 0) {
        QStringList out;
        for (int r = r1; r <= std::max(r1, r2); ++r) {
            QStringList cells;
            for (int c = from; c < g.cols(); ++c)
                cells << g.textMatrix(r, c);
            out << cells.join('|');
        }
        return out.join(" / ");
    }
};

const std::string kError = "Error occured !\rPlease check input data.";

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void rangeAndLineUnit();
    void offListValuesOpenAndCancelOrAFaultKeepsThem();
    void processOpeningTypingAndCalculate();
    void processFaultsRangesAndTheAirflow();
    void processCopyCutPaste();
};

void TestDialogs::rangeAndLineUnit() {
    ChartSettings s;
    DlgChartRange dlg(s);
    QCOMPARE(RangeSelection(dlg), QString("760 10 40 27 17 17 8"));
    // A ctrl-click on the chosen item leaves it chosen.
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QListWidget* list = dlg.list(1);
    list->setCurrentRow(5); // 15
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualItemRect(list->item(5)).center());
    QCOMPARE(Selected(list), QString("15"));
    // A highest temperature below the lowest is stored as chosen; reopening finds every value on its list.
    const int rows[] = {300, 5, 50, 0, 20, 0, 20};
    for (int k = 0; k < DlgChartRange::kRows; ++k)
        dlg.list(k)->setCurrentRow(rows[k]);
    Child(dlg, "Com_OK")->click();
    QVERIFY(SettingsText(s).startsWith("P 700 700 mmHg | T 15..10 | x 100 | shf 10,30 | mr 1 |"));
    QCOMPARE(RangeSelection(DlgChartRange(s)), QString("700 15 10 100 10 30 1"));

    // In kPa the pressure list's items are kPa; the other lists stay.
    ChartSettings k;
    k.PressureUnit = PressureIn::KPa, k.Pressure = 101.325f, k.EnthalpyUnit = UnitSystem::Imperial;
    DlgChartRange kpa(k);
    QCOMPARE(RangeSelection(kpa), QString("101.3 10 40 27 17 17 8"));
    QCOMPARE(kpa.list(0)->currentRow(), 187);
    Child(kpa, "Com_OK")->click();
    QCOMPARE(k.Pressure, 101.3f);
    // 101.3 kPa x 760 / 101.325 = 759.8125 mmHg.
    QVERIFY2(std::fabs(k.PressureMmHg - 759.81f) < 0.005f, qPrintable(QString::number(k.PressureMmHg, 'f', 5)));
    // The unit and line dialog at 760 mmHg.
    ChartSettings l;
    DlgLineUnit lines(l);
    QCOMPARE(LineUnitState(lines), QString("Chck_Line_0 Chck_Line_1 Chck_Line_2 Chck_Line_3 Chck_Line_4 Chck_Line_5 "
                                           "Chck_Line_6 Chck_Line_7 Op_Ent_0 Op_Press_0 Op_Temp_0 Op_Type_1 | 1.0"));
    // kPa keeps 760 mmHg and shows 101.325; every line box off by the mouse; ratio item 0.3 stores 3.
    lines.show();
    QVERIFY(QTest::qWaitForWindowExposed(&lines));
    for (auto* box : lines.findChildren<QCheckBox*>())
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    for (const char* option : {"Op_Press_1", "Op_Ent_1", "Op_Type_0"})
        Child(lines, option)->click();
    Child<QListWidget>(lines, "List_Value")->setCurrentRow(0);
    Child(lines, "Com_OK")->click();
    QVERIFY(SettingsText(l).startsWith("P 101.324997 760 mmHg |")); // 101.325 as a single
    QVERIFY(SettingsText(l).contains("vh 3 | flow 50 | units 221 type 0 | lines 00000000 |"));
    // Reopened on what was stored; back to mmHg gives 760 again; item 1.4 stores 14.
    DlgLineUnit again(l);
    QCOMPARE(LineUnitState(again), QString("Op_Ent_1 Op_Press_1 Op_Temp_0 Op_Type_0 | 0.3"));
    Child(again, "Op_Press_0")->click();
    Child<QListWidget>(again, "List_Value")->setCurrentRow(11);
    Child(again, "Com_OK")->click();
    QVERIFY(SettingsText(l).startsWith("P 760 760 mmHg |"));
    QCOMPARE(l.VertHorizRatio, 14.0f);
}

void TestDialogs::offListValuesOpenAndCancelOrAFaultKeepsThem() {
    ChartSettings s;
    // Above 1000 mmHg, below -20, a 16-bit index overflow, the layout's top humidity below 1, no numbers, halfway
    // (to the even 8), codes off the options, a ratio off the list; only the wet-bulb line on.
    s.Pressure = 2000, s.MinDryBulb = -40, s.MaxDryBulb = 1e9f, s.MaxAbsHum = 0.4f;
    s.ShfOriginDryBulb = std::numeric_limits<float>::quiet_NaN();
    s.ShfOriginAbsHum = -std::numeric_limits<float>::infinity();
    s.MaxMoistureRatio = 8.5f, s.TemperatureUnit = 2, s.DiagramType = 7, s.EnthalpyUnit = UnitSystem::Imperial;
    s.LineSwitch.setAll(false), s.VertHorizRatio = 100;
    SetLineOn(s, ChartLine::WetBulb, true);
    const QString before = SettingsText(s);
    // Each opens on the nearest items; Cancel after new choices stores nothing, not even the rounded values.
    DlgChartRange range(s);
    QCOMPARE(RangeSelection(range), QString("1000 -20 60 1 30 10 8"));
    for (int k = 0; k < DlgChartRange::kRows; ++k)
        range.list(k)->setCurrentRow(3);
    Child(range, "Com_Cancel")->click();
    QCOMPARE(SettingsText(s), before);
    DlgLineUnit lines(s);
    QCOMPARE(LineUnitState(lines), QString("Chck_Line_3 Op_Ent_2 Op_Press_0 Op_Temp_0 Op_Type_1 | 1.4"));
    for (const char* option : {"Op_Press_2", "Op_Ent_1", "Op_Temp_1", "Op_Type_0", "Chck_Line_2"})
        Child(lines, option)->click();
    Child<QListWidget>(lines, "List_Value")->setCurrentRow(0);
    Child(lines, "Com_Cancel")->click();
    QCOMPARE(SettingsText(s), before);
    // The fault of OK's store must not pass the dialog's event loop: the dialog closes as rejected and hands
    // the fault to its command.
    QDialog dialog;
    MakeOkCancelButtons(dialog, [] { throw IndexFault("store"); });
    RethrowStoreFault(dialog); // nothing kept yet
    QTimer::singleShot(0, &dialog, [&] { Child(dialog, "Com_OK")->click(); });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY_THROWS_EXCEPTION(IndexFault, RethrowStoreFault(dialog));
}

void TestDialogs::processOpeningTypingAndCalculate() {
    // In Btu and kPa: the headings, the default pressure and the airflow in pounds; the window's close box
    // stores no new rate.
    Opened u(3, 2);
    QCOMPARE(
        QStringList({u.in().textMatrix(0, 1), u.in().textMatrix(3, 1), u.prop().textMatrix(0, 5),
                     u.proc().textMatrix(0, 6), u.dialog->airflowField()->text(), u.dialog->flowUnitLabel()->text()})
            .join(' '),
        QString("Press.\rkPa 101.325 Enthalpy\rBtu/lbmDA H.Load\rBtu/h 110.23 lbmDA/h"));
    u.dialog->airflowField()->setText("500.00");
    u.dialog->reject();
    QCOMPARE(u.settings.DryAirflowRate, 50.0f);
    Opened o;
    QCOMPARE(o.activeView, std::string("Process"));
    QCOMPARE(o.rows(o.in(), 1, 6), QString("#1|760||| / #2|760||| / #3|760||| / #4|760||| / #5|760||| / #6|760|||"));
    QVERIFY(o.dialog->tableContents(4).text.empty());
    // "2", "5", ".", "5" gives 25.5; a backspace then gives 25. Typing sets ActiveView but not ActiveGrid.
    o.activeView = "chart", o.activeGrid = 0;
    o.type(1, 2, "25.5");
    QCOMPARE(o.in().textMatrix(1, 2), QString("25.5"));
    QTest::keyClick(&o.in(), Qt::Key_Backspace);
    QTest::keyClick(&o.in(), Qt::Key_Backspace);
    QCOMPARE(QString("%1 %2 %3").arg(o.in().textMatrix(1, 2), o.activeView.c_str()).arg(o.activeGrid),
             QString("25 Process 0"));
    // Row 2 by its wet bulb, row 3 empty, row 4 a third state: processes #1 -> #2 and #2 -> #4.
    o.type(1, 3, "50"), o.type(2, 2, "15"), o.type(2, 4, "12"), o.type(4, 2, "30"), o.type(4, 3, "40");
    Child(*o.dialog, "Com_TP_Calc")->click();
    QVERIFY(o.messenger.events.empty());
    QCOMPARE(o.points.count, std::int16_t(3));
    QVERIFY(o.in().textMatrix(2, 3).toDouble() > 50); // derived from the wet bulb
    QVERIFY(!o.in().textMatrix(1, 4).isEmpty());
    QCOMPARE(o.rows(o.proc(), 1).section('|', 0, 1) + " " + o.proc().textMatrix(2, 0),
             QString("#1 -> #2|-10.00 #2 -> #4"));
    QCOMPARE(o.prop().textMatrix(3, 1), QString());
    // Delete empties the block, not the pressure.
    o.select(o.in(), 4, 2, 4, 4);
    QTest::keyClick(&o.in(), Qt::Key_Delete);
    QCOMPARE(o.rows(o.in(), 4), QString("#4|760|||"));
}

void TestDialogs::processFaultsRangesAndTheAirflow() {
    // Out of range (120 deg C): beep and message, the others go on; not a number: as if empty, no message.
    Opened o;
    o.type(1, 2, "25"), o.type(1, 3, "50"), o.type(2, 2, "120"), o.type(2, 3, "50");
    o.type(3, 2, "20"), o.type(3, 3, "abc\r\x1b"), o.type(5, 2, "22"), o.type(5, 4, "18");
    Child(*o.dialog, "Com_TP_Calc")->click();
    QCOMPARE(o.messenger.events, (std::vector<std::string>{"beep", "box"}));
    QVERIFY(o.messenger.shown[0].text.find("D.B.Temp.") == 0);
    QCOMPARE(o.points.count, std::int16_t(2));
    QCOMPARE(o.proc().textMatrix(1, 0), QString("#1 -> #5"));
    // A number beyond any range stops the sequence with the error message; the state list keeps its last
    // complete contents.
    const StatePointList before = o.points;
    o.messenger = {};
    o.in().setTextMatrix(2, 2, "1e400");
    Child(*o.dialog, "Com_TP_Calc")->click();
    QVERIFY(o.messenger.shown.size() == 1 && o.messenger.shown[0].text == kError &&
            o.messenger.shown[0].icon == MessageIcon::Critical);
    QCOMPARE(o.points.count, before.count);
    QCOMPARE(o.points.dryBulb, before.dryBulb);
    // A new airflow scales the flow-dependent columns of the process rows and no other.
    Opened f(1, 1, true);
    const QStringList was = f.rows(f.proc(), 1).split('|');
    f.dialog->airflowField()->setText("100.00");
    const QStringList now = f.rows(f.proc(), 1).split('|');
    for (int c : {1, 2, 4, 8, 9})
        QCOMPARE(now[c], was[c]);
    for (int c : {5, 6, 7, 10})
        QVERIFY2(qAbs(now[c].toDouble() - 2 * was[c].toDouble()) <= 0.002 * qAbs(was[c].toDouble()) + 0.002,
                 qPrintable(was[c] + " -> " + now[c]));
    f.dialog->airflowField()->setText("abc");
    QCOMPARE(f.proc().textMatrix(1, 6), QString("0.0"));
    // Beyond a single: a message, the rows keep their values; Close stores the last rate that could be read.
    f.dialog->airflowField()->setText("1e400");
    QCOMPARE(f.messenger.shown.back().text, kError);
    QCOMPARE(f.proc().textMatrix(1, 6), QString("0.0"));
    Child(*f.dialog, "Com_Close")->click();
    QCOMPARE(f.settings.DryAirflowRate, 0.0f);
}

void TestDialogs::processCopyCutPaste() {
    Opened o;
    QClipboard* clipboard = QGuiApplication::clipboard();
    o.in().setTextMatrix(1, 2, "a"), o.in().setTextMatrix(1, 3, "b");
    o.in().setTextMatrix(2, 2, "c"), o.in().setTextMatrix(2, 3, "d");
    // Cut and Past with another table last clicked: a beep, nothing else; Copy works on that table.
    o.activeGrid = kGridProperty;
    Child(*o.dialog, "ComCut")->click(), Child(*o.dialog, "ComPast")->click();
    QCOMPARE(o.messenger.events, (std::vector<std::string>{"beep", "beep"}));
    QCOMPARE(o.in().textMatrix(1, 2), QString("a"));
    o.select(o.prop(), 1, 0, 1, 1);
    Child(*o.dialog, "ComCopy")->click();
    QCOMPARE(clipboard->text(), QString("#1\t\r"));
    // Cut of a block dragged up and left empties it; the pasted block comes back in the same shape.
    o.activeGrid = kGridInput;
    o.select(o.in(), 2, 3, 1, 2);
    Child(*o.dialog, "ComCut")->click();
    QCOMPARE(clipboard->text(), QString("a\tb\rc\td\r"));
    QCOMPARE(o.rows(o.in(), 1, 2), QString("#1|760||| / #2|760|||"));
    o.select(o.in(), 3, 1, 3, 1);
    Child(*o.dialog, "ComPast")->click();
    QCOMPARE(o.rows(o.in(), 3, 4), QString("#3|a|b|| / #4|c|d||"));
    QCOMPARE(o.in().rowSel() * 10 + o.in().colSel(), 42);
    // A block too large for the table: the failure message, nothing changes.
    clipboard->setText(QString("1\t2\r\n").repeated(200));
    o.select(o.in(), 1, 1, 1, 1);
    o.messenger = {};
    Child(*o.dialog, "ComPast")->click();
    QVERIFY(o.messenger.shown.size() == 1 &&
            o.messenger.shown[0].text == "Sorry !\rError occured on Copy command in Grid Copy." &&
            o.messenger.shown[0].icon == MessageIcon::Exclamation);
    QCOMPARE(o.rows(o.in(), 2), QString("#2|760|||"));
    QCOMPARE(o.in().rowSel() * 10 + o.in().colSel(), 11);
    // Shapes of pasted text: without a CR nothing; the CR after a removed line feed is not looked at (the
    // empty line counts no row); lines ended by a bare line feed.
    const std::pair<QString, QString> shapes[] = {
        {"25.5", "760||| / 760||| / 760||| / 760|||"},
        {"1\t2\r\n\r\n3\t4\r\n", "1|2|| / ||| / 760||| / 760|||"},
        {"1\t2\n3\t4\n", "1|2|| / 3|4|| / 760||| / 760|||"},
    };
    for (const auto& [text, rows] : shapes) {
        Opened p;
        clipboard->setText(text);
        p.select(p.in(), 1, 1, 1, 1);
        Child(*p.dialog, "ComPast")->click();
        QCOMPARE(p.rows(p.in(), 1, 4, 1), rows);
        QVERIFY(p.messenger.shown.empty());
    }
}

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
