// The read-out under the pointer: the inverse of the chart transform on
// both diagram types, the chart area's edges, and the text in each unit
// system.
#include "app/air_readout.h"
#include "engine/psychro.h"

#include <QTest>

using namespace hyg;

namespace {

struct LaidOut {
    Chart chart;
    ChartFrame frame;
    explicit LaidOut(std::int16_t type) {
        chart.settings.DiagramType = type;
        frame = LayoutChart(chart, nullptr);
    }
};

} // namespace

class TestAirReadout : public QObject {
    Q_OBJECT
private slots:
    void inverseOfTheTransform_data();
    void inverseOfTheTransform();
    void blankOutsideTheChart();
    void propertiesOfTheState();
    void textInTheChosenUnits();
};

void TestAirReadout::inverseOfTheTransform_data() {
    QTest::addColumn<int>("type");
    QTest::newRow("enthalpy") << 1;
    QTest::newRow("dry bulb") << 0;
}

void TestAirReadout::inverseOfTheTransform() {
    QFETCH(int, type);
    LaidOut c(static_cast<std::int16_t>(type));
    const ChartSettings& s = c.chart.settings;
    // A sweep over the chart: the round trip through the plane gives the
    // state back to well within a pixel (ScaleX ~ 340 units per kcal).
    for (double t = 10; t <= 40; t += 2.5) {
        for (double x = 0; x <= 26; x += 1.3) {
            double tt = 0, xx = 0;
            PlaneToAir(s, ChartX(s, t, x), ChartY(s, x), tt, xx);
            QVERIFY2(std::abs(tt - t) < 1e-6 && std::abs(xx - x) < 1e-6, qPrintable(QString("%1 %2").arg(t).arg(x)));
        }
    }
}

void TestAirReadout::blankOutsideTheChart() {
    LaidOut c(1);
    const ChartSettings& s = c.chart.settings;
    const ChartFrame& f = c.frame;
    QVERIFY(ReadAirAt(s, f, ChartX(s, 30, 10), ChartY(s, 10)).has_value());
    QVERIFY(!ReadAirAt(s, f, ChartX(s, 30, 10), f.TopY + 1).has_value());    // above the top edge
    QVERIFY(!ReadAirAt(s, f, ChartX(s, 30, 0), ChartY(s, -0.5)).has_value()); // below x = 0
    QVERIFY(!ReadAirAt(s, f, ChartX(s, 41, 5), ChartY(s, 5)).has_value());   // right of MaxDryBulb
    QVERIFY(!ReadAirAt(s, f, ChartX(s, 9, 2), ChartY(s, 2)).has_value());    // left of MinDryBulb
    // Left of the saturation curve: 20 deg C holds at most about 14.7 g/kgDA.
    QVERIFY(ReadAirAt(s, f, ChartX(s, 20, 14), ChartY(s, 14)).has_value());
    QVERIFY(!ReadAirAt(s, f, ChartX(s, 20, 16), ChartY(s, 16)).has_value());
}

void TestAirReadout::propertiesOfTheState() {
    LaidOut c(1);
    const ChartSettings& s = c.chart.settings;
    const auto a = ReadAirAt(s, c.frame, ChartX(s, 26, 10.5), ChartY(s, 10.5));
    QVERIFY(a.has_value());
    QVERIFY(std::abs(a->dryBulb - 26) < 1e-4);
    QVERIFY(std::abs(a->absHum - 10.5) < 1e-4);
    QCOMPARE(float(a->relHum), AirProperty(kRelHum, 760, 26, 10.5f).single);
    QCOMPARE(float(a->wetBulb), AirProperty(kWetBulb, 760, 26, 10.5f).single);
    QCOMPARE(float(a->enthalpy), AirProperty(kEnthalpy, 760, 26, 10.5f).single);
    // About half saturated, wet bulb below dry bulb.
    QVERIFY(a->relHum > 45 && a->relHum < 55);
    QVERIFY(a->wetBulb < a->dryBulb);
}

void TestAirReadout::textInTheChosenUnits() {
    AirReadout a;
    a.dryBulb = 25;
    a.absHum = 10;
    a.relHum = 50.04;
    a.wetBulb = 17.9;
    a.enthalpy = 12.25;
    ChartSettings s;
    QCOMPARE(QString::fromStdString(FormatAirReadout(a, s)),
             QString("D.B. 25.0 \u00b0C   x 0.0100 kg/kgDA   R.H. 50.0 %   W.B. 17.9 \u00b0C   h 12.25 kcal/kgDA"));
    s.EnthalpyUnit = 2;
    QVERIFY(QString::fromStdString(FormatAirReadout(a, s)).endsWith("h 51.28 kJ/kgDA"));
    s.EnthalpyUnit = 3;
    s.TemperatureUnit = 2;
    const QString ip = QString::fromStdString(FormatAirReadout(a, s));
    QVERIFY2(ip.startsWith("D.B. 77.0 \u00b0F   x 0.0100 lbm/lbmDA"), qPrintable(ip));
    QVERIFY2(ip.endsWith("Btu/lbmDA"), qPrintable(ip));
}

QTEST_APPLESS_MAIN(TestAirReadout)
#include "test_air_readout.moc"
