// The chart range dialog and the unit and line dialog, driven through their
// real controls: selections on opening, what OK stores, that Cancel stores
// nothing, and that values off the lists still open.
#include "qt_dialogs/chart_range_dialog.h"
#include "qt_dialogs/dialog_buttons.h"
#include "qt_dialogs/line_unit_dialog.h"
#include "tests/qt_window/settings_text.h"

#include <QtTest>
#include <QtWidgets>

#include <limits>

using namespace hyg;
using hyg::test::SettingsText;

namespace {

template <class T = QWidget> T* Child(QWidget& dlg, const QString& name) {
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

// The names of the checked option buttons and check boxes, in name order.
QString CheckedControls(QWidget& dlg) {
    QStringList on;
    for (auto* b : dlg.findChildren<QAbstractButton*>()) {
        if (b->isChecked())
            on << b->objectName();
    }
    on.sort();
    return on.join(' ');
}
void Click(QWidget& dlg, const QString& name) {
    Child<QAbstractButton>(dlg, name)->click();
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void rangeDefaultsAndOk();
    void rangeInKilopascal();
    void lineUnitStoresEveryControl();
    void offListValuesOpenAndCancelKeepsThem();
    void okFaultClosesTheDialogAndReachesTheCommand();
};

void TestDialogs::rangeDefaultsAndOk() {
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
    // A highest temperature below the lowest is stored as chosen.
    const int rows[] = {300, 5, 50, 0, 20, 0, 20};
    for (int k = 0; k < DlgChartRange::kRows; ++k)
        dlg.list(k)->setCurrentRow(rows[k]);
    Click(dlg, "Com_OK");
    QVERIFY(SettingsText(s).startsWith("P 700 700 mmHg | T 15..10 | x 100 | shf 10,30 | mr 1 |"));
    // Reopening finds every stored value on its list.
    QCOMPARE(RangeSelection(DlgChartRange(s)), QString("700 15 10 100 10 30 1"));
}

void TestDialogs::rangeInKilopascal() {
    ChartSettings s;
    s.PressureUnit = PressureIn::KPa;
    s.Pressure = 101.325f;
    s.EnthalpyUnit = UnitSystem::Imperial;
    DlgChartRange dlg(s);
    QStringList units;
    for (int k : {0, 3, 5, 6})
        units << Child<QLabel>(dlg, QString("lbl_Unit_%1").arg(k))->text();
    QCOMPARE(units, QStringList({"[kPa]", "[x0.001lbm/lbmDA]", "[x0.001lbm/lbmDA]", "[Btu/lbm]"}));
    QCOMPARE(RangeSelection(dlg), QString("101.3 10 40 27 17 17 8")); // labels change, the lists do not
    QCOMPARE(dlg.list(0)->currentRow(), 187);
    Click(dlg, "Com_OK");
    QCOMPARE(s.Pressure, 101.3f);
    // 101.3 kPa x 760 / 101.325 = 759.8125 mmHg.
    QVERIFY2(std::fabs(s.PressureMmHg - 759.81f) < 0.005f, qPrintable(QString::number(s.PressureMmHg, 'f', 5)));
}

void TestDialogs::lineUnitStoresEveryControl() {
    ChartSettings s; // 760 mmHg
    DlgLineUnit dlg(s);
    QCOMPARE(CheckedControls(dlg), QString("Chck_Line_0 Chck_Line_1 Chck_Line_2 Chck_Line_3 Chck_Line_4 Chck_Line_5 "
                                           "Chck_Line_6 Chck_Line_7 Op_Ent_0 Op_Press_0 Op_Temp_0 Op_Type_1"));
    QCOMPARE(Selected(Child<QListWidget>(dlg, "List_Value")), QString("1.0"));
    // kPa keeps 760 mmHg and shows 101.325; every line box off by the mouse;
    // ratio item 0.3 stores 3.
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    for (auto* box : dlg.findChildren<QCheckBox*>())
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    for (const char* option : {"Op_Press_1", "Op_Ent_1", "Op_Type_0"})
        Click(dlg, option);
    Child<QListWidget>(dlg, "List_Value")->setCurrentRow(0);
    Click(dlg, "Com_OK");
    QVERIFY(SettingsText(s).startsWith("P 101.324997 760 mmHg |")); // 101.325 as a single
    QVERIFY(SettingsText(s).contains("vh 3 | flow 50 | units 221 type 0 | lines 00000000 |"));
    // Back to mmHg gives 760 again; item 1.4 stores 14.
    DlgLineUnit again(s);
    QCOMPARE(CheckedControls(again), QString("Op_Ent_1 Op_Press_1 Op_Temp_0 Op_Type_0"));
    Click(again, "Op_Press_0");
    Child<QListWidget>(again, "List_Value")->setCurrentRow(11);
    Click(again, "Com_OK");
    QVERIFY(SettingsText(s).startsWith("P 760 760 mmHg |"));
    QCOMPARE(s.VertHorizRatio, 14.0f);
}

void TestDialogs::offListValuesOpenAndCancelKeepsThem() {
    ChartSettings s;
    s.Pressure = 2000;   // above 1000 mmHg
    s.MinDryBulb = -40;  // below -20
    s.MaxDryBulb = 1e9f; // would overflow a 16-bit index
    s.MaxAbsHum = 0.4f;  // the layout's computed top humidity, below 1
    s.ShfOriginDryBulb = std::numeric_limits<float>::quiet_NaN();
    s.ShfOriginAbsHum = -std::numeric_limits<float>::infinity();
    s.MaxMoistureRatio = 8.5f; // halfway: to the even 8
    s.TemperatureUnit = 2;     // the options would show C
    s.DiagramType = 7;
    s.EnthalpyUnit = UnitSystem::Imperial;
    s.LineSwitch.setAll(false);
    SetLineOn(s, ChartLine::WetBulb, true);
    s.VertHorizRatio = 100;
    const QString before = SettingsText(s);
    // Each opens on the nearest items; Cancel after new choices stores
    // nothing, not even the values rounded onto the lists.
    DlgChartRange range(s);
    QCOMPARE(RangeSelection(range), QString("1000 -20 60 1 30 10 8"));
    for (int k = 0; k < DlgChartRange::kRows; ++k)
        range.list(k)->setCurrentRow(3);
    Click(range, "Com_Cancel");
    QCOMPARE(SettingsText(s), before);
    DlgLineUnit lines(s);
    QCOMPARE(CheckedControls(lines), QString("Chck_Line_3 Op_Ent_2 Op_Press_0 Op_Temp_0 Op_Type_1"));
    QCOMPARE(Selected(Child<QListWidget>(lines, "List_Value")), QString("1.4"));
    for (const char* option : {"Op_Press_2", "Op_Ent_1", "Op_Temp_1", "Op_Type_0", "Chck_Line_2"})
        Click(lines, option);
    Child<QListWidget>(lines, "List_Value")->setCurrentRow(0);
    Click(lines, "Com_Cancel");
    QCOMPARE(SettingsText(s), before);
}

void TestDialogs::okFaultClosesTheDialogAndReachesTheCommand() {
    // The fault of OK's store must not pass the dialog's event loop: the
    // dialog closes as rejected and hands the fault to its command.
    QDialog dialog;
    MakeOkCancelButtons(dialog, [] { throw IndexFault("store"); });
    RethrowStoreFault(dialog); // nothing kept yet
    QTimer::singleShot(0, &dialog, [&] { Click(dialog, "Com_OK"); });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QVERIFY_THROWS_EXCEPTION(IndexFault, RethrowStoreFault(dialog));

    QDialog fine;
    bool stored = false;
    MakeOkCancelButtons(fine, [&] { stored = true; });
    QTimer::singleShot(0, &fine, [&] { Click(fine, "Com_OK"); });
    QCOMPARE(fine.exec(), int(QDialog::Accepted));
    QVERIFY(stored);
    RethrowStoreFault(fine);
}

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
