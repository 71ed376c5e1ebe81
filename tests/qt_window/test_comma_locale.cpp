// Under a locale that writes decimals with a comma (German, built here with localedef into a private LOCPATH, so
// only the locale sources are needed), every number the program shows, writes and reads is as under the C locale:
// the window opens, saves and draws a data file and reads out the air under the pointer; render writes a picture.
#include "tests/qt_window/window_fixture.h"

#include "engine/number_format.h"
#include "engine/state_solver.h"

#include <clocale>
#include <cstdlib>

using namespace hyg;
using namespace hyg::test;

namespace {

constexpr const char* kCommaLocale = "de_DE.UTF-8";
bool gLocaleBuilt = false;

// Top humidity 27.5 and one state 25.5 deg C / 50.5 %: a reader that stops at the point reads 27, 25, 50.
const QByteArray kDataFile = "0,15000\r\n0,10500\r\n-500,4500\r\n-350,3150\r\n760,27.5\r\n10,40\r\n17,17\r\n"
                             "8,50\r\n10,1\r\n1,1,1\r\n1,1,1,1\r\n1,1,1,1\r\n25.5,50.5\r\n0,0\r\n0,0\r\n";

} // namespace

class TestCommaLocale : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void windowMatchesTheCLocale();
    void renderMatchesTheCLocale();

private:
    QStringList inWindow(QImage* chart);
    QTemporaryDir dir_;
};

void TestCommaLocale::initTestCase() {
    QVERIFY2(gLocaleBuilt, "the comma locale could not be built (localedef and the 'locales' package?)");
    // The application object has switched the C library to the user's locale.
    QCOMPARE(std::string(std::localeconv()->decimal_point), std::string(","));
    QVERIFY(WriteAll(dir_.filePath("states.dat"), kDataFile));
}

// What the window makes of the data file: the values read, the file saved straight back, the read-out
// under the pointer, the messages and the chart's pixels.
QStringList TestCommaLocale::inWindow(QImage* chart) {
    WindowFixture f(QSize(1000, 700));
    f.dialogs.openNames.push_back(dir_.filePath("states.dat").toStdString());
    f.trigger("MnuFileComOpen");
    const StatePointList& p = f.session().statePoints;
    QStringList seen{QString("%1 %2 %3 %4 %5").arg(f.settings().MaxAbsHum).arg(p.dryBulb[1]).arg(p.relHum[1])
                         .arg(ReadCell("25.5")).arg(LeadingNumber("0.3"))};
    QFile::remove(dir_.filePath("saved.dat"));
    f.dialogs.saveNames.push_back(dir_.filePath("saved.dat").toStdString());
    f.trigger("MnuFileComSave");
    seen << ReadAll(dir_.filePath("saved.dat"));
    f.trigger("MnuGraphComDraw");
    const ChartSettings& cs = f.settings();
    const QPointF at = f.picture()->mapping().toPixel(QPointF(ChartX(cs, 36.5, 10), ChartY(cs, 10)));
    Mouse(f.picture(), QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
    seen << f.window->readout()->text();
    for (const auto& m : f.dialogs.messages)
        seen << QString::fromStdString(m.text);
    *chart = f.picture()->image().copy();
    return seen;
}

void TestCommaLocale::windowMatchesTheCLocale() {
    QImage commaChart, cChart;
    const QStringList comma = inWindow(&commaChart);
    std::setlocale(LC_ALL, "C");
    const QStringList c = inWindow(&cChart);
    std::setlocale(LC_ALL, "");
    QCOMPARE(comma.at(0), QString("27.5 25.5 50.5 25.5 0.3"));
    QCOMPARE(comma.at(1), QString(kDataFile));
    QVERIFY2(comma.at(2).contains("36.5"), qPrintable(comma.at(2)));
    QCOMPARE(comma, c);
    QVERIFY2(!commaChart.isNull() && commaChart == cChart, "the chart differs pixel for pixel from the C locale's");
}

void TestCommaLocale::renderMatchesTheCLocale() {
    const auto render = [this](const char* locale) {
        const QString out = dir_.filePath(QString("chart-%1.png").arg(locale));
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", locale); // LOCPATH is inherited
        env.remove("QT_QPA_PLATFORM");
        cli.setProcessEnvironment(env);
        cli.start(HYGRANA_CLI, {"render", "--data", dir_.filePath("states.dat"), "--width", "800", out});
        if (!cli.waitForFinished(60000) || cli.exitCode() != 0)
            qWarning("render under %s: %s", locale, cli.readAllStandardError().constData());
        return ReadAll(out);
    };
    const QByteArray comma = render(kCommaLocale);
    QVERIFY(!comma.isEmpty());
    QVERIFY2(comma == render("C"), "render under the comma locale differs from the C locale");
}

int main(int argc, char** argv) {
    // The locale must be in the environment before the application object reads it.
    QTemporaryDir localeDir;
    const QString built = localeDir.filePath(kCommaLocale);
    std::system(qPrintable("localedef -i de_DE -f UTF-8 '" + built + "' > /dev/null 2>&1"));
    if ((gLocaleBuilt = QFileInfo::exists(built + "/LC_NUMERIC"))) {
        qputenv("LOCPATH", localeDir.path().toLocal8Bit());
        qputenv("LC_ALL", kCommaLocale);
    }
    QApplication app(argc, argv);
    TestCommaLocale test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_comma_locale.moc"
