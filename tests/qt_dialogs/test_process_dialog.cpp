// The process dialog driven through its controls: what opening shows for an
// empty and a filled state list in every unit system, typing, Calculate with
// valid, out-of-range, empty and faulty rows, the airflow field and Close,
// and Cut, Copy and Past on the clipboard.
#include "qt_dialogs/process_dialog.h"
#include "tests/engine/recording_messenger.h"

#include <QtTest>
#include <QtWidgets>

using namespace hyg;

namespace {

struct Opened {
    ChartSettings settings;
    StatePointList points;
    std::string activeView = "chart";
    std::int16_t activeGrid = 0;
    test::RecordingMessenger messenger;
    std::unique_ptr<DlgProcessCalc> dialog;

    explicit Opened(std::int16_t unitSystem = 1, std::int16_t pressureUnit = 1, const StatePointList& list = {}) {
        settings.EnthalpyUnit = static_cast<UnitSystem>(unitSystem);
        settings.PressureUnit = static_cast<PressureIn>(pressureUnit);
        settings.Pressure = pressureUnit == 2 ? 101.325f : (pressureUnit == 3 ? 1.0f : 760.0f);
        points = list;
        open();
    }
    void open() {
        dialog = std::make_unique<DlgProcessCalc>(
            ProcessDialogContext{settings, points, activeGrid, messenger, [this] { activeView = "Process"; }});
    }
    FlexGrid& input() { return *dialog->grid(kGridInput); }
    FlexGrid& property() { return *dialog->grid(kGridProperty); }
    FlexGrid& process() { return *dialog->grid(kGridProcess); }
    QPushButton* button(const char* name) { return dialog->findChild<QPushButton*>(name); }
    // Types `keys` into cell (row, col) of the input table as a user would.
    void type(int row, int col, const QString& keys) {
        input().setRow(row);
        input().setCol(col);
        QTest::keyClicks(&input(), keys);
    }
    void click(FlexGrid& g, int row, int col) {
        const QRect cell = g.visualRect(g.model()->index(row, col));
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cell.center());
    }
    void select(FlexGrid& g, int row, int col, int rowSel, int colSel) {
        g.setRow(row);
        g.setCol(col);
        g.setRowSel(rowSel);
        g.setColSel(colSel);
    }
    QStringList row(FlexGrid& g, int r) {
        QStringList out;
        for (int c = 0; c < g.cols(); ++c)
            out << g.textMatrix(r, c);
        return out;
    }
};

StatePointList Three() {
    StatePointList p;
    p.count = 3;
    const float t[] = {25, 15, 30}, rh[] = {50, 90, 30.2f};
    for (std::size_t i = 1; i <= 3; ++i)
        p.dryBulb[i] = t[i - 1], p.relHum[i] = rh[i - 1], p.pressure[i] = 760;
    return p;
}

} // namespace

class TestProcessDialog : public QObject {
    Q_OBJECT
private slots:
    void openingEmpty();
    void openingUnits_data();
    void openingUnits();
    void openingFilled();
    void typingAndCalculate();
    void calculateFaultsAndRanges();
    void airflowChange();
    void copyCutPaste();
    void pasteShapes_data();
    void pasteShapes();
    void pointerSelectsAndSetsActiveGrid();
};

void TestProcessDialog::openingEmpty() {
    Opened o;
    QCOMPARE(o.dialog->windowTitle(), QString("Calcurate Air Conditioning"));
    QCOMPARE(o.activeView, std::string("Process"));
    QCOMPARE(o.row(o.input(), 0), QStringList({"No.", "Press.\rmmHg", "D.B.T.\r°C", "R.Hum*\r%", "W.B.T*\r°C"}));
    for (int r = 1; r <= 6; ++r)
        QCOMPARE(o.row(o.input(), r), QStringList({QString("#%1").arg(r), "760", "", "", ""}));
    QCOMPARE(o.row(o.property(), 4), QStringList({"#4", "", "", "", "", "", "", ""}));
    QCOMPARE(o.row(o.process(), 0)[3], QString("Entahlpy\rkcal/kgDA"));
    QCOMPARE(o.row(o.process(), 1), QStringList(QVector<QString>(11).toList()));

    // The sizes in twips, the alignments and the fixed heading row and column,
    // as a printer reads them.
    const GridContents in = o.dialog->tableContents(kGridInput);
    QCOMPARE(in.colWidthTwips, std::vector<int>({400, 750, 750, 750, 750}));
    QCOMPARE(in.rowHeightTwips, std::vector<int>({500, 250, 250, 250, 250, 250, 250}));
    QCOMPARE(in.colAlignment, std::vector<int>({1, 1, 1, 1, 1}));
    QCOMPARE(in.fixedAlignment[0], 2);
    QCOMPARE(in.fixedRows * 10 + in.fixedCols, 11);
    // On the screen: 15 twips to a pixel.
    QCOMPARE(o.input().size(), QSize(231, 138));
    QCOMPARE(o.input().verticalHeader()->sectionSize(0), 33);
    QVERIFY(o.dialog->tableContents(4).text.empty());
}

void TestProcessDialog::openingUnits_data() {
    QTest::addColumn<int>("unitSystem");
    QTest::addColumn<int>("pressureUnit");
    QTest::addColumn<QString>("pressureHeading");
    QTest::addColumn<QString>("defaultPressure");
    QTest::addColumn<QString>("enthalpyHeading");
    QTest::addColumn<QString>("loadHeading");
    QTest::addColumn<QString>("flow");
    QTest::addColumn<QString>("flowUnit");
    QTest::newRow("kcal, kPa") << 1 << 2 << "Press.\rkPa" << "101.325" << "Enthalpy\rkcal/kgDA" << "H.Load\rkcal/h"
                               << "50.00" << "kgDA/h";
    QTest::newRow("kJ, atm") << 2 << 3 << "Press.\ratm" << "1" << "Enthalpy\rkJ/kgDA" << "H.Load\rkJ/h" << "50.00"
                             << "kgDA/h";
    QTest::newRow("Btu, mmHg") << 3 << 1 << "Press.\rmmHg" << "760" << "Enthalpy\rBtu/lbmDA" << "H.Load\rBtu/h"
                               << "110.23" << "lbmDA/h";
}

void TestProcessDialog::openingUnits() {
    QFETCH(int, unitSystem);
    QFETCH(int, pressureUnit);
    Opened o(static_cast<std::int16_t>(unitSystem), static_cast<std::int16_t>(pressureUnit));
    QTEST(o.input().textMatrix(0, 1), "pressureHeading");
    QTEST(o.input().textMatrix(3, 1), "defaultPressure");
    QTEST(o.property().textMatrix(0, 5), "enthalpyHeading");
    QTEST(o.process().textMatrix(0, 6), "loadHeading");
    QTEST(o.dialog->airflowField()->text(), "flow");
    QTEST(o.dialog->flowUnitLabel()->text(), "flowUnit");
    // Close stores the rate back in kg of dry air per hour (110.23 / 2.2046 in
    // pounds); the window's close box stores nothing.
    o.settings.DryAirflowRate = 50;
    o.dialog->airflowField()->setText("500.00");
    o.dialog->reject();
    QCOMPARE(o.settings.DryAirflowRate, 50.0f);
    o.button("Com_Close")->click();
    const float factor = unitSystem == 3 ? 2.2046f : 1.0f;
    QVERIFY(qAbs(o.settings.DryAirflowRate * factor - 500.0f) < 0.01f);
}

void TestProcessDialog::openingFilled() {
    // Three states come back with two decimals and the wet bulb derived
    // again; the property and process tables are filled.
    Opened o(1, 1, Three());
    QCOMPARE(o.row(o.input(), 3).mid(1, 3), QStringList({"760.00", "30.00", "30.20"}));
    QVERIFY(!o.input().textMatrix(1, 4).isEmpty());
    QCOMPARE(o.row(o.input(), 4), QStringList({"#4", "760", "", "", ""}));
    QCOMPARE(o.property().textMatrix(1, 1).left(3), QString("49."));
    QCOMPARE(o.process().textMatrix(2, 0), QString("#2 -> #3"));
    QCOMPARE(o.process().textMatrix(1, 1), QString("-10.00"));
    QVERIFY(o.messenger.shown.empty());
}

void TestProcessDialog::typingAndCalculate() {
    Opened o;
    // "2", "5", ".", "5" gives 25.5; a backspace then gives 25. Typing sets
    // ActiveView but not ActiveGrid.
    o.activeView = "chart";
    o.type(1, 2, "25.5");
    QCOMPARE(o.input().textMatrix(1, 2), QString("25.5"));
    QTest::keyClick(&o.input(), Qt::Key_Backspace);
    QCOMPARE(o.input().textMatrix(1, 2), QString("25."));
    QTest::keyClick(&o.input(), Qt::Key_Backspace);
    QCOMPARE(o.input().textMatrix(1, 2), QString("25"));
    QCOMPARE(o.activeView, std::string("Process"));
    QCOMPARE(o.activeGrid, std::int16_t(0));
    // The arrow keys move the current cell; typing goes on there.
    QTest::keyClick(&o.input(), Qt::Key_Right);
    QTest::keyClicks(&o.input(), "50");
    QTest::keyClick(&o.input(), Qt::Key_Down);
    QTest::keyClick(&o.input(), Qt::Key_Left);
    QTest::keyClicks(&o.input(), "15");
    QTest::keyClick(&o.input(), Qt::Key_Right);
    QTest::keyClick(&o.input(), Qt::Key_Right);
    QTest::keyClicks(&o.input(), "12");
    // Row 3 empty, row 4 a third state: processes #1 -> #2 and #2 -> #4.
    o.type(4, 2, "30");
    o.type(4, 3, "40");

    o.button("Com_TP_Calc")->click();
    QVERIFY(o.messenger.events.empty());
    QCOMPARE(o.points.count, std::int16_t(3));
    QVERIFY(o.input().textMatrix(2, 3).toDouble() > 50); // derived from the wet bulb
    QVERIFY(!o.input().textMatrix(1, 4).isEmpty());
    QCOMPARE(o.process().textMatrix(1, 0), QString("#1 -> #2"));
    QCOMPARE(o.process().textMatrix(2, 0), QString("#2 -> #4"));
    QCOMPARE(o.process().textMatrix(1, 1), QString("-10.00"));
    QCOMPARE(o.property().textMatrix(3, 1), QString());
    QCOMPARE(o.process().row() * 10 + o.process().col(), 0);

    // Fewer states afterwards: the old lower process row stays on screen.
    o.input().setRow(4);
    o.input().setCol(2);
    o.input().setRowSel(4);
    o.input().setColSel(4);
    QTest::keyClick(&o.input(), Qt::Key_Delete); // empties the block, not the pressure
    QCOMPARE(o.row(o.input(), 4), QStringList({"#4", "760", "", "", ""}));
    o.button("Com_TP_Calc")->click();
    QCOMPARE(o.points.count, std::int16_t(2));
    QCOMPARE(o.process().textMatrix(2, 0), QString("#2 -> #4"));
}

void TestProcessDialog::calculateFaultsAndRanges() {
    Opened o;
    o.type(1, 2, "25");
    o.type(1, 3, "50");
    o.type(2, 2, "120"); // out of range: beep and message, the others go on
    o.type(2, 3, "50");
    o.type(3, 2, "20");
    o.type(3, 3, "abc\r\x1b"); // not a number: as if empty, no message
    o.type(5, 2, "22");
    o.type(5, 4, "18");
    o.button("Com_TP_Calc")->click();
    QCOMPARE(o.messenger.events, (std::vector<std::string>{"beep", "box"}));
    QVERIFY(o.messenger.shown[0].text.find("D.B.Temp.") == 0);
    QCOMPARE(o.points.count, std::int16_t(2));
    QCOMPARE(o.process().textMatrix(1, 0), QString("#1 -> #5"));

    // A number beyond any range stops the sequence with the error message;
    // the state list keeps its last complete contents.
    const StatePointList before = o.points;
    o.messenger = {};
    o.input().setTextMatrix(2, 2, "1e400");
    o.button("Com_TP_Calc")->click();
    QCOMPARE(o.messenger.shown.size(), std::size_t(1));
    QCOMPARE(o.messenger.shown[0].text, std::string("Error occured !\rPlease check input data."));
    QCOMPARE(o.messenger.shown[0].icon, MessageIcon::Critical);
    QCOMPARE(o.points.count, before.count);
    QCOMPARE(o.points.dryBulb, before.dryBulb);
}

void TestProcessDialog::airflowChange() {
    Opened o(1, 1, Three());
    const QStringList before = o.row(o.process(), 1);
    o.dialog->airflowField()->setText("100.00");
    const QStringList after = o.row(o.process(), 1);
    for (int c : {1, 2, 4, 8, 9})
        QCOMPARE(after[c], before[c]);
    for (int c : {5, 6, 7, 10})
        QVERIFY2(qAbs(after[c].toDouble() - 2 * before[c].toDouble()) <= 0.002 * qAbs(before[c].toDouble()) + 0.002,
                 qPrintable(before[c] + " -> " + after[c]));
    o.dialog->airflowField()->setText("abc");
    QCOMPARE(o.process().textMatrix(1, 6), QString("0.0"));
    // Beyond a single: a message, the rows keep their values, nothing crashes.
    o.dialog->airflowField()->setText("1e400");
    QCOMPARE(o.messenger.shown.back().text, std::string("Error occured !\rPlease check input data."));
    QCOMPARE(o.process().textMatrix(1, 6), QString("0.0"));
    o.settings.DryAirflowRate = 50;
    o.button("Com_Close")->click();
    QCOMPARE(o.settings.DryAirflowRate, 0.0f); // the last rate that could be read
}

void TestProcessDialog::copyCutPaste() {
    Opened o;
    o.activeGrid = kGridInput;
    o.input().setTextMatrix(1, 2, "a");
    o.input().setTextMatrix(1, 3, "b");
    o.input().setTextMatrix(2, 2, "c");
    o.input().setTextMatrix(2, 3, "d");
    // Copy of a 2 x 2 block, selected either way round.
    o.select(o.input(), 2, 3, 1, 2);
    o.button("ComCopy")->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("a\tb\rc\td\r"));

    // Cut and Past with another table last clicked: a beep, nothing else.
    // Copy works on that table.
    o.activeGrid = kGridProperty;
    o.messenger = {};
    o.button("ComCut")->click();
    o.button("ComPast")->click();
    QCOMPARE(o.messenger.events, (std::vector<std::string>{"beep", "beep"}));
    QCOMPARE(o.input().textMatrix(1, 2), QString("a"));
    o.select(o.property(), 1, 0, 1, 1);
    o.button("ComCopy")->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("#1\t\r"));
    o.activeGrid = 0;
    QGuiApplication::clipboard()->setText("kept");
    o.button("ComCopy")->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("kept"));

    // Cut empties the block (also one dragged up and left) and the pasted
    // block comes back in the same shape.
    o.activeGrid = kGridInput;
    o.select(o.input(), 2, 3, 1, 2);
    o.button("ComCut")->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("a\tb\rc\td\r"));
    QCOMPARE(o.row(o.input(), 1).mid(2, 2) + o.row(o.input(), 2).mid(2, 2), QStringList({"", "", "", ""}));
    o.select(o.input(), 3, 1, 3, 1);
    o.button("ComPast")->click();
    QCOMPARE(o.row(o.input(), 3), QStringList({"#3", "a", "b", "", ""}));
    QCOMPARE(o.row(o.input(), 4), QStringList({"#4", "c", "d", "", ""}));
    QCOMPARE(o.input().rowSel() * 10 + o.input().colSel(), 42);

    // A block too large for the table: the failure message, nothing changes.
    QString tall;
    for (int i = 0; i < 200; ++i)
        tall += "1\t2\r\n";
    QGuiApplication::clipboard()->setText(tall);
    o.select(o.input(), 1, 1, 1, 1);
    o.messenger = {};
    o.button("ComPast")->click();
    QCOMPARE(o.messenger.shown.size(), std::size_t(1));
    QCOMPARE(o.messenger.shown[0].text, std::string("Sorry !\rError occured on Copy command in Grid Copy."));
    QCOMPARE(o.messenger.shown[0].icon, MessageIcon::Exclamation);
    QCOMPARE(o.row(o.input(), 2), QStringList({"#2", "760", "", "", ""}));
    QCOMPARE(o.input().rowSel() * 10 + o.input().colSel(), 11);
}

void TestProcessDialog::pasteShapes_data() {
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("rows1to4"); // columns 1..4 of rows 1 to 4, "|" between rows
    const QString fresh = "760,,,|760,,,|760,,,|760,,,";
    QTest::newRow("no CR: nothing") << "25.5" << QStringList{fresh};
    // The CR after a removed line feed is not looked at: the empty line
    // counts no row, and two rows are pasted from "1 2", "" and "3 4".
    QTest::newRow("empty line after CR LF") << "1\t2\r\n\r\n3\t4\r\n" << QStringList{"1,2,,|,,,|760,,,|760,,,"};
    // Lines ended by a bare line feed (text of this system's programs).
    QTest::newRow("LF line ends") << "1\t2\n3\t4\n" << QStringList{"1,2,,|3,4,,|760,,,|760,,,"};
}

void TestProcessDialog::pasteShapes() {
    QFETCH(QString, clipboard);
    QFETCH(QStringList, rows1to4);
    Opened o;
    o.activeGrid = kGridInput;
    QGuiApplication::clipboard()->setText(clipboard);
    o.select(o.input(), 1, 1, 1, 1);
    o.button("ComPast")->click();
    QStringList rows;
    for (int r = 1; r <= 4; ++r)
        rows << o.row(o.input(), r).mid(1).join(',');
    QCOMPARE(rows.join('|'), rows1to4.join('|'));
    QVERIFY(o.messenger.shown.empty());
}

void TestProcessDialog::pointerSelectsAndSetsActiveGrid() {
    Opened o;
    o.dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(o.dialog.get()));
    o.activeView = "chart";
    o.click(o.process(), 2, 3);
    QCOMPARE(o.activeGrid, kGridProcess);
    QCOMPARE(o.activeView, std::string("Process"));
    QCOMPARE(o.process().row() * 10 + o.process().col(), 23);
    // A row label selects its row; a heading its column; shift extends.
    o.click(o.input(), 2, 0);
    QCOMPARE(o.activeGrid, kGridInput);
    QCOMPARE(QList<int>({o.input().row(), o.input().col(), o.input().rowSel(), o.input().colSel()}),
             QList<int>({2, 1, 2, 4}));
    o.click(o.property(), 0, 3);
    QCOMPARE(QList<int>({o.property().row(), o.property().col(), o.property().rowSel(), o.property().colSel()}),
             QList<int>({1, 3, 6, 3}));
    o.click(o.input(), 1, 1);
    const QRect far = o.input().visualRect(o.input().model()->index(3, 2));
    QTest::mouseClick(o.input().viewport(), Qt::LeftButton, Qt::ShiftModifier, far.center());
    QCOMPARE(o.input().clip(), QString("760\t\r760\t\r760\t"));
    QTest::keyClick(&o.input(), Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(o.input().rowSel(), 4);
}

QTEST_MAIN(TestProcessDialog)
#include "test_process_dialog.moc"
