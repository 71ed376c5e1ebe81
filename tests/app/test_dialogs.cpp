// The chart range dialog, the unit and line dialog and the About box, driven
// through their real controls: captions and selections on opening, what OK
// stores, that Cancel stores nothing, and that values off the lists still open.
#include "dialogs/about_dialog.h"
#include "dialogs/chart_range_dialog.h"
#include "dialogs/line_unit_dialog.h"
#include "tests/app/settings_text.h"

#include <QtTest>
#include <QtWidgets>

#include <limits>

using namespace hyg;
using hyg::test::SettingsText;

namespace {

template <class T = QWidget>
T* Child(QWidget& dlg, const QString& name) {
    T* w = dlg.findChild<T*>(name);
    if (!w) qFatal("missing control %s", qPrintable(name));
    return w;
}

QString Selected(QListWidget* list) {
    const auto items = list->selectedItems();
    return items.size() == 1 ? items.first()->text() : QString("<%1 selected>").arg(items.size());
}

// The selected item of every row of the chart range dialog, joined by blanks.
QString RangeSelection(const DlgChartRange& dlg) {
    QStringList s;
    for (int k = 0; k < DlgChartRange::kRows; ++k) s << Selected(dlg.list(k));
    return s.join(' ');
}

// Compares "count first..last [i] item i" of a list, i read from `expected`.
void ExpectList(const QListWidget* list, const QString& expected) {
    const int i = expected.section('[', 1).section(']', 0, 0).toInt();
    QCOMPARE(QString("%1 %2..%3 [%4] %5").arg(list->count()).arg(list->item(0)->text(), list->item(list->count() - 1)->text())
                 .arg(i).arg(list->item(i)->text()),
             expected);
}

// The caption of a label, button or frame.
QString Caption(QWidget& dlg, const QString& name) {
    QWidget* w = Child(dlg, name);
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
    return "<no caption>";
}

// The names of the checked option buttons and check boxes, in name order.
QString CheckedControls(QWidget& dlg) {
    QStringList on;
    for (auto* b : dlg.findChildren<QAbstractButton*>()) {
        if (b->isChecked()) on << b->objectName();
    }
    on.sort();
    return on.join(' ');
}
void Click(QWidget& dlg, const QString& name) { Child<QAbstractButton>(dlg, name)->click(); }

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void rangeOpensOnDefaults();
    void rangeOtherUnits();
    void rangeOkStoresSelections();
    void lineUnitCaptionsAndDefaults();
    void lineUnitStoresEveryControl();
    void lineUnitPressureRoundTrip();
    void cancelStoresNothing();
    void valuesOffTheListsStillOpen();
    void aboutBox();
    void dialogsOpenCentred();
};

void TestDialogs::rangeOpensOnDefaults() {
    ChartSettings s;
    DlgChartRange dlg(s);
    QCOMPARE(dlg.windowTitle(), QString("Diagram Setting"));
    const QString d = QString::fromUtf8("\u00b0");
    const QString rows[][3] = {{"&Pressure", "[mmHg]", "301 1000..700 [150] 850"},
                               {"M&in. Temp.", "[" + d + "C]", "41 20..-20 [20] 0"},
                               {"Max. &Temp.", "[" + d + "C] ", "51 60..10 [1] 59"},
                               {"Max. Abs. &Hum.", "[x0.001kg/kgDA]", "100 100..1 [73] 27"},
                               {"&D.B.T. of SHF Origin", "[" + d + "C] \"", "21 30..10 [13] 17"},
                               {"&Abs.Hum. of SHF Origin", "[x0.001kg/kgDA]", "21 30..10 [13] 17"},
                               {"Max. &Moisture Rate", "[kcal/kg]", "21 21..1 [13] 8"}};
    for (int k = 0; k < DlgChartRange::kRows; ++k) {
        QCOMPARE(Child<QListWidget>(dlg, QString("List_Value_%1").arg(k)), dlg.list(k));
        QCOMPARE(Caption(dlg, QString("Lbl_Title_%1").arg(k)), rows[k][0]);
        QCOMPARE(Caption(dlg, QString("lbl_Unit_%1").arg(k)), rows[k][1]);
        ExpectList(dlg.list(k), rows[k][2]);
        QCOMPARE(dlg.list(k)->selectionMode(), QAbstractItemView::SingleSelection);
    }
    QCOMPARE(Caption(dlg, "Label1"), QString("To Change a Value, Return Number's Color to Blue from Red after Chenge it!"));
    QCOMPARE(RangeSelection(dlg), QString("760 10 40 27 17 17 8"));
    QCOMPARE(dlg.list(0)->currentRow(), 240);
}

void TestDialogs::rangeOtherUnits() {
    ChartSettings s;
    s.PressureUnit = 3;
    ExpectList(DlgChartRange(s).list(0), "301 1.200..0.900 [199] 1.001");
    s.PressureUnit = 2;
    s.Pressure = 101.325f;
    s.EnthalpyUnit = 3;
    DlgChartRange dlg(s);
    ExpectList(dlg.list(0), "301 120.0..90.0 [200] 100.0");
    QCOMPARE(QStringList({Caption(dlg, "lbl_Unit_0"), Caption(dlg, "lbl_Unit_3"), Caption(dlg, "lbl_Unit_5"),
                          Caption(dlg, "lbl_Unit_6")}),
             QStringList({"[kPa]", "[x0.001lbm/lbmDA]", "[x0.001lbm/lbmDA]", "[Btu/lbm]"}));
    QCOMPARE(RangeSelection(dlg), QString("101.3 10 40 27 17 17 8")); // labels change, the lists do not
    QCOMPARE(dlg.list(0)->currentRow(), 187);
    Click(dlg, "Com_OK");
    QCOMPARE(s.Pressure, 101.3f);
    // 101.3 kPa x 760 / 101.325 = 759.8125 mmHg.
    QVERIFY2(std::fabs(s.PressureMmHg - 759.81f) < 0.005f, qPrintable(QString::number(s.PressureMmHg, 'f', 5)));
}

void TestDialogs::rangeOkStoresSelections() {
    ChartSettings s;
    DlgChartRange dlg(s);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    // Row 1 by the mouse; a ctrl-click on the chosen item leaves it chosen.
    QListWidget* list = dlg.list(1);
    QListWidgetItem* item = list->item(5); // 15
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, list->visualItemRect(item).center());
    QCOMPARE(Selected(list), QString("15"));
    // A highest temperature below the lowest is stored as chosen.
    const int rows[] = {300, -1, 50, 0, 20, 0, 20};
    for (int k = 0; k < DlgChartRange::kRows; ++k) {
        if (rows[k] >= 0) dlg.list(k)->setCurrentRow(rows[k]);
    }
    QTest::mouseClick(Child<QPushButton>(dlg, "Com_OK"), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(!dlg.isVisible());
    QVERIFY(SettingsText(s).startsWith("P 700 700 mmHg | T 15..10 | x 100 | shf 10,30 | mr 1 |"));
    // Reopening finds every stored value on its list.
    QCOMPARE(RangeSelection(DlgChartRange(s)), QString("700 15 10 100 10 30 1"));
}

void TestDialogs::lineUnitCaptionsAndDefaults() {
    ChartSettings s;
    DlgLineUnit dlg(s);
    QCOMPARE(dlg.windowTitle(), QString("Diagram Setting"));
    const char* captions[][2] = {
        {"Frame3D3", "&Unit Selection"}, {"Frm_Unit_0", "&Pressure"}, {"Frm_Unit_1", "&Enthalpy"},
        {"Frm_Unit_2", "&Temp."}, {"Op_Press_0", "mm&Hg"}, {"Op_Press_1", "k&Pa"}, {"Op_Press_2", "&atm"},
        {"Op_Ent_0", "k&cal/kgDA"}, {"Op_Ent_1", "k&J/kgDA"}, {"Op_Ent_2", "&Btu/lbm"}, {"Op_Temp_0", "&C"},
        {"Op_Temp_1", "&F"}, {"Set2", "Diagram &Type"}, {"Op_Type_0", "&D.B.Temp.- Abs.Hum."},
        {"Op_Type_1", "&Enthalpy - Abs.Hum."}, {"Set1", "Select &Line"},
        {"Chck_Line_0", "Draw &Relative Humidity"}, {"Chck_Line_1", "Draw &Saturation Degree"},
        {"Chck_Line_2", "Draw Specific &Volume"}, {"Chck_Line_3", "Draw &Wet Bulb Temp."},
        {"Chck_Line_4", "Draw &Partical Pressure"}, {"Chck_Line_5", "Draw &Moisture Rate"},
        {"Chck_Line_6", "Draw Sensible &Heat Factor"}, {"Chck_Line_7", "Draw &Charactor"},
        {"Lbl_Title", "Vert/Hori&z Rate"}, {"Com_OK", "OK"}, {"Com_Cancel", "Cancel"}};
    for (const auto& c : captions) QCOMPARE(Caption(dlg, c[0]), QString(c[1]));
    QCOMPARE(CheckedControls(dlg), QString("Chck_Line_0 Chck_Line_1 Chck_Line_2 Chck_Line_3 Chck_Line_4 Chck_Line_5 "
                                           "Chck_Line_6 Chck_Line_7 Op_Ent_0 Op_Press_0 Op_Temp_0 Op_Type_1"));
    QListWidget* ratios = Child<QListWidget>(dlg, "List_Value");
    QStringList items;
    for (int k = 0; k < ratios->count(); ++k) items << ratios->item(k)->text();
    QCOMPARE(items.join(' '), QString("0.3 0.4 0.5 0.6 0.7 0.8 0.9 1.0 1.1 1.2 1.3 1.4"));
    QCOMPARE(ratios->currentRow(), 7);
}

void TestDialogs::lineUnitStoresEveryControl() {
    ChartSettings s;
    s.DiagramType = 0;
    s.PressureUnit = 3;
    s.EnthalpyUnit = 2;
    s.TemperatureUnit = 2;
    s.LineSwitch = {1, 0, 1, 0, 0, 1, 0, 1};
    s.VertHorizRatio = 6;
    DlgLineUnit dlg(s);
    // The temperature options do not follow TemperatureUnit: they open on C.
    QCOMPARE(CheckedControls(dlg),
             QString("Chck_Line_0 Chck_Line_2 Chck_Line_5 Chck_Line_7 Op_Ent_1 Op_Press_2 Op_Temp_0 Op_Type_0"));
    QCOMPARE(Selected(Child<QListWidget>(dlg, "List_Value")), QString("0.6"));
    Click(dlg, "Com_OK");
    QVERIFY(SettingsText(s).contains("vh 6 | flow 50 | units 321 type 0 | lines 10100101 |"));

    // Every line box off by the mouse; ratio items 0.3 and 1.4 store 3 and 14.
    DlgLineUnit off(s);
    off.show();
    QVERIFY(QTest::qWaitForWindowExposed(&off));
    for (auto* box : off.findChildren<QCheckBox*>()) {
        if (box->isChecked()) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    QCOMPARE(CheckedControls(off), QString("Op_Ent_1 Op_Press_2 Op_Temp_0 Op_Type_0"));
    Child<QListWidget>(off, "List_Value")->setCurrentRow(0);
    Click(off, "Com_OK");
    QVERIFY(SettingsText(s).contains("vh 3 | flow 50 | units 321 type 0 | lines 00000000 |"));
    DlgLineUnit last(s);
    QCOMPARE(Child<QListWidget>(last, "List_Value")->currentRow(), 0);
    Child<QListWidget>(last, "List_Value")->setCurrentRow(11);
    Click(last, "Com_OK");
    QCOMPARE(s.VertHorizRatio, 14.0f);
}

void TestDialogs::lineUnitPressureRoundTrip() {
    ChartSettings s; // 760 mmHg
    const auto choose = [&s](const char* option) {
        DlgLineUnit dlg(s);
        Click(dlg, option);
        Click(dlg, "Com_OK");
    };
    choose("Op_Press_1");
    QVERIFY(SettingsText(s).startsWith("P 101.324997 760 mmHg |")); // 101.325 as a single
    QCOMPARE(s.PressureUnit, std::int16_t(2));
    choose("Op_Press_2");
    QCOMPARE(s.Pressure, 1.0f);
    choose("Op_Press_0");
    QVERIFY(SettingsText(s).startsWith("P 760 760 mmHg |"));
    QCOMPARE(s.PressureUnit, std::int16_t(1));
}

void TestDialogs::cancelStoresNothing() {
    ChartSettings s;
    s.PressureUnit = 2;
    s.Pressure = 101.325f; // off the list's 0.1 steps: Cancel must not round it
    s.MaxAbsHum = 27.431f; // as the chart layout leaves it
    s.TemperatureUnit = 2; // the options would show C
    s.VertHorizRatio = 12;
    const QString before = SettingsText(s);
    DlgChartRange range(s);
    for (int k = 0; k < DlgChartRange::kRows; ++k) range.list(k)->setCurrentRow(3);
    Click(range, "Com_Cancel");
    QCOMPARE(range.result(), int(QDialog::Rejected));
    QCOMPARE(SettingsText(s), before);

    DlgLineUnit lines(s);
    for (const char* option : {"Op_Press_2", "Op_Ent_2", "Op_Temp_1", "Op_Type_0", "Chck_Line_3"}) Click(lines, option);
    Child<QListWidget>(lines, "List_Value")->setCurrentRow(0);
    Click(lines, "Com_Cancel");
    QCOMPARE(lines.result(), int(QDialog::Rejected));
    QCOMPARE(SettingsText(s), before);
}

void TestDialogs::valuesOffTheListsStillOpen() {
    ChartSettings s;
    s.Pressure = 2000;   // above 1000 mmHg
    s.MinDryBulb = -40;  // below -20
    s.MaxDryBulb = 1e9f; // would overflow a 16-bit index
    s.MaxAbsHum = 0.4f;  // the layout's computed top humidity, below 1
    s.ShfOriginDryBulb = std::numeric_limits<float>::quiet_NaN();
    s.ShfOriginAbsHum = -std::numeric_limits<float>::infinity();
    s.MaxMoistureRatio = 8.5f; // halfway: to the even 8
    QCOMPARE(RangeSelection(DlgChartRange(s)), QString("1000 -20 60 1 30 10 8"));
    s = ChartSettings{};
    s.MaxAbsHum = 163.2f;
    s.MaxMoistureRatio = 9.5f; // halfway: to the even 10
    s.PressureUnit = 0;        // no list stands for these codes
    s.EnthalpyUnit = 9;
    DlgChartRange range(s);
    QCOMPARE(RangeSelection(range), QString("760 10 40 100 17 17 10"));
    QCOMPARE(Caption(range, "lbl_Unit_3"), QString("[x0.001]"));

    s.DiagramType = 7;
    s.EnthalpyUnit = 4;
    s.LineSwitch = {2, -1, 0, 1, 0, 0, 0, 0}; // only an exact 1 checks a box
    s.VertHorizRatio = 100;
    DlgLineUnit lines(s);
    QCOMPARE(CheckedControls(lines), QString("Chck_Line_3 Op_Ent_2 Op_Press_0 Op_Temp_0 Op_Type_1"));
    QCOMPARE(Selected(Child<QListWidget>(lines, "List_Value")), QString("1.4"));
}

void TestDialogs::aboutBox() {
    DlgAbout dlg;
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QString("About Hygrana"));
    QCOMPARE(QStringList({Caption(dlg, "aLabel_3"), Caption(dlg, "aLabel_4"), Caption(dlg, "ok_Button")}),
             QStringList({"Hygrana Ver 5.0", "Win32 System(Win95/WinNT)", "OK"}));
    QVERIFY(Caption(dlg, "aLabel_1").startsWith("Programing\n") && Caption(dlg, "aLabel_1").size() > 11);
    QVERIFY(!Caption(dlg, "aLabel_0").isEmpty() && !Child<QLabel>(dlg, "Image1")->pixmap().isNull());
    QTest::mouseClick(Child(dlg, "ok_Button"), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(!dlg.isVisible());
}

void TestDialogs::dialogsOpenCentred() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    ChartSettings s;
    DlgChartRange range(s);
    DlgLineUnit lines(s);
    QWidget owner; // a main window off the centre does not pull its dialog along
    owner.setGeometry(10, 10, 300, 200);
    owner.show();
    DlgAbout about(&owner);
    for (QDialog* d : std::initializer_list<QDialog*>{&range, &lines, &about}) {
        d->show();
        const QPoint centre = d->pos() + QPoint(d->width() / 2, d->height() / 2);
        QVERIFY2((centre - screen.center()).manhattanLength() <= 2, qPrintable(d->objectName()));
        QVERIFY(d->isModal());
    }
    QVERIFY(!QGuiApplication::overrideCursor());
}

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
