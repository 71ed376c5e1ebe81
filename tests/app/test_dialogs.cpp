// The chart range dialog, the unit and line dialog and the About box, driven
// through their real controls: selections on opening, what OK stores, that
// Cancel stores nothing, and that values off the lists still open.
#include "chart/chart_settings.h"
#include "dialogs/about_dialog.h"
#include "dialogs/chart_range_dialog.h"
#include "dialogs/line_unit_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

#include <cmath>
#include <limits>

using hyg::ChartSettings;
using hyg::DlgAbout;
using hyg::DlgChartRange;
using hyg::DlgLineUnit;

namespace {

template <class T>
T* Child(QWidget& dlg, const QString& name) {
    T* w = dlg.findChild<T*>(name);
    if (!w) qFatal("missing control %s", qPrintable(name));
    return w;
}

QString Selected(QListWidget* list) {
    const auto items = list->selectedItems();
    return items.size() == 1 ? items.first()->text() : QString("<%1 selected>").arg(items.size());
}

// Every field the two dialogs could touch, compared one by one so a failure
// names the field.
void ExpectSame(const ChartSettings& a, const ChartSettings& b) {
    QCOMPARE(a.Pressure, b.Pressure);
    QCOMPARE(a.PressureMmHg, b.PressureMmHg);
    QCOMPARE(a.MinDryBulb, b.MinDryBulb);
    QCOMPARE(a.MaxDryBulb, b.MaxDryBulb);
    QCOMPARE(a.MaxAbsHum, b.MaxAbsHum);
    QCOMPARE(a.ShfOriginDryBulb, b.ShfOriginDryBulb);
    QCOMPARE(a.ShfOriginAbsHum, b.ShfOriginAbsHum);
    QCOMPARE(a.MaxMoistureRatio, b.MaxMoistureRatio);
    QCOMPARE(a.VertHorizRatio, b.VertHorizRatio);
    QCOMPARE(a.PressureUnit, b.PressureUnit);
    QCOMPARE(a.EnthalpyUnit, b.EnthalpyUnit);
    QCOMPARE(a.TemperatureUnit, b.TemperatureUnit);
    QCOMPARE(a.DiagramType, b.DiagramType);
    QVERIFY(a.LineSwitch == b.LineSwitch);
}

void Click(QWidget& dlg, const char* button) { Child<QPushButton>(dlg, button)->click(); }

// The caption of a label, button or frame.
QString Caption(QWidget& dlg, const QString& name) {
    QWidget* w = Child<QWidget>(dlg, name);
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
    return "<no caption>";
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    // ---- chart range dialog -------------------------------------------------
    void rangeOpensOnDefaults();
    void rangeListsRunFromLargestToSmallest_data();
    void rangeListsRunFromLargestToSmallest();
    void rangeKiloPascal();
    void rangeUnitSystemLabels();
    void rangeOkStoresSelections();
    void rangeOkWithMouse();
    void rangeCancelStoresNothing();
    void rangeValuesOffTheLists();
    // ---- unit and line dialog -----------------------------------------------
    void lineUnitOpensOnSettings();
    void lineUnitPressureRoundTrip();
    void lineUnitAllLinesOff();
    void lineUnitRatio_data();
    void lineUnitRatio();
    void lineUnitCancelStoresNothing();
    void lineUnitOddValuesOpen();
    // ---- About box and centring ---------------------------------------------
    void aboutBox();
    void dialogsOpenCentred();
};

void TestDialogs::rangeOpensOnDefaults() {
    ChartSettings s;
    DlgChartRange dlg(s);
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QString("Diagram Setting"));

    const char* expected[] = {"760", "10", "40", "27", "17", "17", "8"};
    const QString d = QString::fromUtf8("\u00b0");
    const QString captions[][2] = {
        {"&Pressure", "[mmHg]"}, {"M&in. Temp.", "[" + d + "C]"}, {"Max. &Temp.", "[" + d + "C] "},
        {"Max. Abs. &Hum.", "[x0.001kg/kgDA]"}, {"&D.B.T. of SHF Origin", "[" + d + "C] \""},
        {"&Abs.Hum. of SHF Origin", "[x0.001kg/kgDA]"}, {"Max. &Moisture Rate", "[kcal/kg]"}};
    for (int k = 0; k < DlgChartRange::kRows; ++k) {
        QListWidget* list = Child<QListWidget>(dlg, QString("List_Value_%1").arg(k));
        QCOMPARE(list, dlg.list(k));
        QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(Selected(list), QString(expected[k]));
        QCOMPARE(Caption(dlg, QString("Lbl_Title_%1").arg(k)), captions[k][0]);
        QCOMPARE(Caption(dlg, QString("lbl_Unit_%1").arg(k)), captions[k][1]);
    }
    QCOMPARE(dlg.list(0)->currentRow(), 240);
    QCOMPARE(Caption(dlg, "Label1"), QString("To Change a Value, Return Number's Color to Blue from Red after Chenge it!"));

    // OK without a change stores the same values back.
    const ChartSettings before = s;
    Click(dlg, "Com_OK");
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    ExpectSame(s, before);
}

void TestDialogs::rangeListsRunFromLargestToSmallest_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("probe");
    QTest::addColumn<QString>("probeText");
    QTest::newRow("pressure mmHg") << 1 << 0 << 301 << "1000" << "700" << 150 << "850";
    QTest::newRow("pressure kPa") << 2 << 0 << 301 << "120.0" << "90.0" << 200 << "100.0";
    QTest::newRow("pressure atm") << 3 << 0 << 301 << "1.200" << "0.900" << 199 << "1.001";
    QTest::newRow("min temp") << 1 << 1 << 41 << "20" << "-20" << 20 << "0";
    QTest::newRow("max temp") << 1 << 2 << 51 << "60" << "10" << 1 << "59";
    QTest::newRow("max abs hum") << 1 << 3 << 100 << "100" << "1" << 73 << "27";
    QTest::newRow("shf origin t") << 1 << 4 << 21 << "30" << "10" << 13 << "17";
    QTest::newRow("shf origin x") << 1 << 5 << 21 << "30" << "10" << 13 << "17";
    QTest::newRow("moisture rate") << 1 << 6 << 21 << "21" << "1" << 13 << "8";
}

void TestDialogs::rangeListsRunFromLargestToSmallest() {
    QFETCH(int, unit);
    QFETCH(int, row);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(int, probe);
    QFETCH(QString, probeText);
    ChartSettings s;
    s.PressureUnit = static_cast<std::int16_t>(unit);
    DlgChartRange dlg(s);
    QListWidget* list = dlg.list(row);
    QCOMPARE(list->count(), count);
    QCOMPARE(list->item(0)->text(), first);
    QCOMPARE(list->item(count - 1)->text(), last);
    QCOMPARE(list->item(probe)->text(), probeText);
}

void TestDialogs::rangeKiloPascal() {
    ChartSettings s;
    s.PressureUnit = 2;
    s.Pressure = 101.325f;
    DlgChartRange dlg(s);
    dlg.show();
    QCOMPARE(Child<QLabel>(dlg, "lbl_Unit_0")->text(), QString("[kPa]"));
    QCOMPARE(dlg.list(0)->currentRow(), 187);
    QCOMPARE(Selected(dlg.list(0)), QString("101.3"));
    Click(dlg, "Com_OK");
    QCOMPARE(s.Pressure, 101.3f);
    QCOMPARE(s.PressureUnit, std::int16_t(2));
    // 101.3 kPa x 760 / 101.325 = 759.8125 mmHg.
    QVERIFY2(std::fabs(s.PressureMmHg - 759.81f) < 0.005f, qPrintable(QString::number(s.PressureMmHg, 'f', 5)));
}

void TestDialogs::rangeUnitSystemLabels() {
    ChartSettings s;
    s.EnthalpyUnit = 3;
    DlgChartRange dlg(s);
    QCOMPARE(Caption(dlg, "lbl_Unit_3"), QString("[x0.001lbm/lbmDA]"));
    QCOMPARE(Caption(dlg, "lbl_Unit_5"), QString("[x0.001lbm/lbmDA]"));
    QCOMPARE(Caption(dlg, "lbl_Unit_6"), QString("[Btu/lbm]"));
    QCOMPARE(Selected(dlg.list(3)), QString("27")); // labels change, the lists do not
}

void TestDialogs::rangeOkStoresSelections() {
    ChartSettings s;
    DlgChartRange dlg(s);
    dlg.show();
    dlg.list(0)->setCurrentRow(300); // 700
    dlg.list(1)->setCurrentRow(40);  // -20
    dlg.list(2)->setCurrentRow(50);  // 10: below the minimum of 15 chosen next is stored as chosen
    dlg.list(1)->setCurrentRow(5);   // 15
    dlg.list(3)->setCurrentRow(0);   // 100
    dlg.list(4)->setCurrentRow(20);  // 10
    dlg.list(5)->setCurrentRow(0);   // 30
    dlg.list(6)->setCurrentRow(20);  // 1
    Click(dlg, "Com_OK");
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(s.Pressure, 700.0f);
    QCOMPARE(s.PressureMmHg, 700.0f);
    QCOMPARE(s.MinDryBulb, 15.0f);
    QCOMPARE(s.MaxDryBulb, 10.0f);
    QCOMPARE(s.MaxAbsHum, 100.0f);
    QCOMPARE(s.ShfOriginDryBulb, 10.0f);
    QCOMPARE(s.ShfOriginAbsHum, 30.0f);
    QCOMPARE(s.MaxMoistureRatio, 1.0f);
    // Reopening finds every stored value on its list.
    DlgChartRange again(s);
    const char* expected[] = {"700", "15", "10", "100", "10", "30", "1"};
    for (int k = 0; k < DlgChartRange::kRows; ++k) QCOMPARE(Selected(again.list(k)), QString(expected[k]));
}

void TestDialogs::rangeOkWithMouse() {
    ChartSettings s;
    DlgChartRange dlg(s);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QListWidget* list = dlg.list(1);
    QListWidgetItem* item = list->item(25); // -5
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    QCOMPARE(Selected(list), QString("-5"));
    // A ctrl-click on the chosen item leaves it chosen: a row never loses its value.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, list->visualItemRect(item).center());
    QCOMPARE(Selected(list), QString("-5"));
    QTest::mouseClick(Child<QPushButton>(dlg, "Com_OK"), Qt::LeftButton);
    QCOMPARE(s.MinDryBulb, -5.0f);
    QVERIFY(!dlg.isVisible());
}

void TestDialogs::rangeCancelStoresNothing() {
    ChartSettings s;
    s.PressureUnit = 2;
    s.Pressure = 101.325f; // off the list's 0.1 steps: Cancel must not round it
    s.MaxAbsHum = 27.431f; // as the chart layout leaves it
    const ChartSettings before = s;
    DlgChartRange dlg(s);
    dlg.show();
    for (int k = 0; k < DlgChartRange::kRows; ++k) dlg.list(k)->setCurrentRow(3);
    Click(dlg, "Com_Cancel");
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    ExpectSame(s, before);
}

void TestDialogs::rangeValuesOffTheLists() {
    ChartSettings s;
    s.Pressure = 2000;                 // above 1000 mmHg
    s.MinDryBulb = -40;                // below -20
    s.MaxDryBulb = 1e9f;               // would overflow a 16-bit index
    s.MaxAbsHum = 0.4f;                // the layout's computed top humidity, below 1
    s.ShfOriginDryBulb = std::numeric_limits<float>::quiet_NaN();
    s.ShfOriginAbsHum = -std::numeric_limits<float>::infinity();
    s.MaxMoistureRatio = 8.5f;         // halfway: CInt rounds to the even 8
    DlgChartRange dlg(s);
    const char* expected[] = {"1000", "-20", "60", "1", "30", "10", "8"};
    for (int k = 0; k < DlgChartRange::kRows; ++k) QCOMPARE(Selected(dlg.list(k)), QString(expected[k]));

    ChartSettings high;
    high.MaxAbsHum = 163.2f;
    high.MaxMoistureRatio = 9.5f; // halfway: to the even 10
    DlgChartRange dlg2(high);
    QCOMPARE(Selected(dlg2.list(3)), QString("100"));
    QCOMPARE(Selected(dlg2.list(6)), QString("10"));

    // Pressure and unit codes that no list stands for still open the dialog.
    ChartSettings odd;
    odd.PressureUnit = 0;
    odd.EnthalpyUnit = 9;
    DlgChartRange dlg3(odd);
    QCOMPARE(Selected(dlg3.list(0)), QString("760"));
    QCOMPARE(Child<QLabel>(dlg3, "lbl_Unit_3")->text(), QString("[x0.001]"));
}

// ---- unit and line dialog ---------------------------------------------------

void TestDialogs::lineUnitOpensOnSettings() {
    ChartSettings s;
    {
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
        for (int k = 0; k < 8; ++k) QVERIFY(Child<QCheckBox>(dlg, QString("Chck_Line_%1").arg(k))->isChecked());
        QListWidget* ratios = Child<QListWidget>(dlg, "List_Value");
        QCOMPARE(ratios->count(), 12);
        QCOMPARE(ratios->item(0)->text(), QString("0.3"));
        QCOMPARE(ratios->item(11)->text(), QString("1.4"));
        QCOMPARE(ratios->currentRow(), 7);
        QCOMPARE(Selected(ratios), QString("1.0"));
        QVERIFY(Child<QRadioButton>(dlg, "Op_Type_1")->isChecked());
        QVERIFY(Child<QRadioButton>(dlg, "Op_Press_0")->isChecked());
        QVERIFY(Child<QRadioButton>(dlg, "Op_Ent_0")->isChecked());
        QVERIFY(Child<QRadioButton>(dlg, "Op_Temp_0")->isChecked());
    }

    s.DiagramType = 0;
    s.PressureUnit = 3;
    s.EnthalpyUnit = 2;
    s.TemperatureUnit = 2;
    s.LineSwitch = {1, 0, 1, 0, 0, 1, 0, 1};
    s.VertHorizRatio = 6;
    DlgLineUnit dlg(s);
    QVERIFY(Child<QRadioButton>(dlg, "Op_Type_0")->isChecked());
    QVERIFY(Child<QRadioButton>(dlg, "Op_Press_2")->isChecked());
    QVERIFY(Child<QRadioButton>(dlg, "Op_Ent_1")->isChecked());
    // The temperature options do not follow TemperatureUnit: they open on C.
    QVERIFY(Child<QRadioButton>(dlg, "Op_Temp_0")->isChecked());
    for (int k = 0; k < 8; ++k) {
        QCOMPARE(Child<QCheckBox>(dlg, QString("Chck_Line_%1").arg(k))->isChecked(), s.LineSwitch[std::size_t(k)] == 1);
    }
    QCOMPARE(Selected(Child<QListWidget>(dlg, "List_Value")), QString("0.6"));
    Click(dlg, "Com_OK");
    QCOMPARE(s.DiagramType, std::int16_t(0));
    QCOMPARE(s.PressureUnit, std::int16_t(3));
    QCOMPARE(s.EnthalpyUnit, std::int16_t(2));
    QCOMPARE(s.TemperatureUnit, std::int16_t(1));
    QVERIFY((s.LineSwitch == std::array<std::int16_t, 8>{1, 0, 1, 0, 0, 1, 0, 1}));
    QCOMPARE(s.VertHorizRatio, 6.0f);
}

void TestDialogs::lineUnitPressureRoundTrip() {
    ChartSettings s; // 760 mmHg
    {
        DlgLineUnit dlg(s);
        dlg.show();
        Child<QRadioButton>(dlg, "Op_Press_1")->click();
        Click(dlg, "Com_OK");
    }
    QCOMPARE(s.PressureUnit, std::int16_t(2));
    QCOMPARE(s.Pressure, 101.325f);
    QCOMPARE(s.PressureMmHg, 760.0f);
    {
        DlgLineUnit dlg(s);
        QVERIFY(Child<QRadioButton>(dlg, "Op_Press_1")->isChecked());
        Child<QRadioButton>(dlg, "Op_Press_2")->click();
        Click(dlg, "Com_OK");
    }
    QCOMPARE(s.Pressure, 1.0f);
    {
        DlgLineUnit dlg(s);
        Child<QRadioButton>(dlg, "Op_Press_0")->click();
        Click(dlg, "Com_OK");
    }
    QCOMPARE(s.PressureUnit, std::int16_t(1));
    QCOMPARE(s.Pressure, 760.0f);
    QCOMPARE(s.PressureMmHg, 760.0f);

    // The two dialogs together: a range in kPa comes back on its list item.
    {
        DlgLineUnit dlg(s);
        Child<QRadioButton>(dlg, "Op_Press_1")->click();
        Click(dlg, "Com_OK");
    }
    DlgChartRange range(s);
    QCOMPARE(Selected(range.list(0)), QString("101.3"));
}

void TestDialogs::lineUnitAllLinesOff() {
    ChartSettings s;
    DlgLineUnit dlg(s);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    for (int k = 0; k < 8; ++k) {
        QCheckBox* box = Child<QCheckBox>(dlg, QString("Chck_Line_%1").arg(k));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        QVERIFY(!box->isChecked());
    }
    Click(dlg, "Com_OK");
    QVERIFY((s.LineSwitch == std::array<std::int16_t, 8>{}));
}

void TestDialogs::lineUnitRatio_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<float>("stored");
    QTest::newRow("0.3") << 0 << 3.0f;
    QTest::newRow("0.7") << 4 << 7.0f;
    QTest::newRow("1.4") << 11 << 14.0f;
}

void TestDialogs::lineUnitRatio() {
    QFETCH(int, row);
    QFETCH(float, stored);
    ChartSettings s;
    DlgLineUnit dlg(s);
    Child<QListWidget>(dlg, "List_Value")->setCurrentRow(row);
    Click(dlg, "Com_OK");
    QCOMPARE(s.VertHorizRatio, stored);
    DlgLineUnit again(s);
    QCOMPARE(Child<QListWidget>(again, "List_Value")->currentRow(), row);
}

void TestDialogs::lineUnitCancelStoresNothing() {
    ChartSettings s;
    s.TemperatureUnit = 2; // the options would show C
    s.VertHorizRatio = 12;
    const ChartSettings before = s;
    DlgLineUnit dlg(s);
    dlg.show();
    Child<QRadioButton>(dlg, "Op_Press_2")->click();
    Child<QRadioButton>(dlg, "Op_Ent_2")->click();
    Child<QRadioButton>(dlg, "Op_Temp_1")->click();
    Child<QRadioButton>(dlg, "Op_Type_0")->click();
    Child<QCheckBox>(dlg, "Chck_Line_3")->click();
    Child<QListWidget>(dlg, "List_Value")->setCurrentRow(0);
    Click(dlg, "Com_Cancel");
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    ExpectSame(s, before);
}

void TestDialogs::lineUnitOddValuesOpen() {
    ChartSettings s;
    s.DiagramType = 7;
    s.PressureUnit = 0;
    s.EnthalpyUnit = 4;
    s.LineSwitch = {2, -1, 0, 1, 0, 0, 0, 0}; // only an exact 1 checks a box
    s.VertHorizRatio = 100;
    DlgLineUnit dlg(s);
    QVERIFY(Child<QRadioButton>(dlg, "Op_Type_1")->isChecked());
    QVERIFY(Child<QRadioButton>(dlg, "Op_Press_0")->isChecked());
    QVERIFY(Child<QRadioButton>(dlg, "Op_Ent_2")->isChecked());
    QVERIFY(!Child<QCheckBox>(dlg, "Chck_Line_0")->isChecked());
    QVERIFY(!Child<QCheckBox>(dlg, "Chck_Line_1")->isChecked());
    QVERIFY(Child<QCheckBox>(dlg, "Chck_Line_3")->isChecked());
    QCOMPARE(Selected(Child<QListWidget>(dlg, "List_Value")), QString("1.4"));
}

// ---- About box and centring -------------------------------------------------

void TestDialogs::aboutBox() {
    DlgAbout dlg;
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QString("About Hygrana"));
    QCOMPARE(Child<QLabel>(dlg, "aLabel_3")->text(), QString("Hygrana Ver 5.0"));
    QCOMPARE(Child<QLabel>(dlg, "aLabel_4")->text(), QString("Win32 System(Win95/WinNT)"));
    const QString credits = Child<QLabel>(dlg, "aLabel_1")->text();
    QVERIFY(credits.startsWith("Programing\n"));
    QVERIFY(credits.size() > QString("Programing\n").size());
    QVERIFY(!Child<QLabel>(dlg, "aLabel_0")->text().isEmpty());
    QVERIFY(!Child<QLabel>(dlg, "Image1")->pixmap().isNull());
    QPushButton* ok = Child<QPushButton>(dlg, "ok_Button");
    QCOMPARE(ok->text(), QString("OK"));
    QTest::mouseClick(ok, Qt::LeftButton);
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
    for (QDialog* d : {static_cast<QDialog*>(&range), static_cast<QDialog*>(&lines), static_cast<QDialog*>(&about)}) {
        d->show();
        const QPoint centre = d->pos() + QPoint(d->width() / 2, d->height() / 2);
        QVERIFY2((centre - screen.center()).manhattanLength() <= 2, qPrintable(d->objectName()));
        QVERIFY(d->isModal());
    }
    QVERIFY(!QGuiApplication::overrideCursor());
}

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
