// Under a locale that writes decimals with a comma (German here), every
// number the program shows, writes and reads is the same as under the C
// locale: the window opens a data file, draws the chart and reads out the
// air under the pointer; render writes a picture. The comma locale is built
// here with localedef into a private folder (LOCPATH), so the test needs no
// locale installed on the machine, only the locale sources.
#include "tests/qt_window/window_fixture.h"

#include "chart/chart_settings.h"
#include "engine/number_format.h"
#include "engine/state_solver.h"
#include "files/data_file.h"
#include "qt_window/air_readout.h"
#include "qt_window/viewport_math.h"

#include <clocale>
#include <cstdlib>
#include <string>

using namespace hyg;
using namespace hyg::test;

namespace {

constexpr const char* kCommaLocale = "de_DE.UTF-8";

// Top humidity 27.5 and one state 25.5 deg C / 50.5 %: a reader that stops
// at the point would read 27, 25 and 50.
const QByteArray kDataFile = "0,15000\r\n0,10500\r\n-500,4500\r\n-350,3150\r\n760,27.5\r\n10,40\r\n17,17\r\n"
                             "8,50\r\n10,1\r\n1,1,1\r\n1,1,1,1\r\n1,1,1,1\r\n25.5,50.5\r\n0,0\r\n0,0\r\n";

// What the window makes of the data file, to compare between locales.
struct Seen {
    QString messages, readout;
    QImage chart;
    QByteArray saved;
    float maxAbsHum = 0, dryBulb = 0, relHum = 0, cell = 0;
    double ratio = 0;
};

// Builds the comma locale into `dir`; returns whether it is there.
bool BuildCommaLocale(const std::string& dir) {
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + dir + "/" + kCommaLocale + "' > /dev/null 2>&1";
    std::system(command.c_str());
    return QFileInfo::exists(QString::fromStdString(dir + "/" + kCommaLocale + "/LC_NUMERIC"));
}

std::string gLocaleDir;

// The pixel of a plane point on the canvas (inverse of its user scale).
QPointF PixelOf(ChartPicture* p, double x, double y) {
    const UserScale& s = p->userScale();
    return {(x - s.left) * p->widthPixels() / s.width, (y - s.top) * p->heightPixels() / s.height};
}

} // namespace

class TestCommaLocale : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void windowMatchesTheCLocale();
    void renderMatchesTheCLocale();

private:
    Seen inWindow();
    QByteArray render(const char* locale);
    QTemporaryDir dir_;
};

void TestCommaLocale::initTestCase() {
    QVERIFY2(!gLocaleDir.empty(), "the comma locale could not be built (localedef and the 'locales' package?)");
    // The application object has switched the C library to the user's locale.
    QCOMPARE(std::string(std::localeconv()->decimal_point), std::string(","));
    QFile file(dir_.filePath("states.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(kDataFile);
}

Seen TestCommaLocale::inWindow() {
    Seen seen;
    WindowFixture f(QSize(1000, 700));
    f.dialogs.openNames.push_back(dir_.filePath("states.dat").toStdString());
    f.trigger("MnuFileComOpen");
    // Saved straight back (the drawing fits the top humidity to the chart).
    seen.maxAbsHum = f.settings().MaxAbsHum;
    seen.dryBulb = f.session().statePoints.dryBulb[1];
    seen.relHum = f.session().statePoints.relHum[1];
    const QString saved = dir_.filePath("saved.dat");
    QFile::remove(saved);
    f.dialogs.saveNames.push_back(saved.toStdString());
    f.trigger("MnuFileComSave");
    QFile back(saved);
    if (back.open(QIODevice::ReadOnly))
        seen.saved = back.readAll();
    f.trigger("MnuGraphComDraw");
    seen.chart = f.picture()->image().copy();
    const ChartSettings& cs = f.settings();
    SendMouse(f.picture(), QEvent::MouseMove, PixelOf(f.picture(), ChartX(cs, 36.5, 10), ChartY(cs, 10)),
              Qt::NoButton, Qt::NoButton);
    seen.readout = f.window->readout()->text();
    for (const auto& m : f.dialogs.messages)
        seen.messages += QString::fromStdString(m.text) + "\n";
    seen.cell = ReadCell("25.5");
    seen.ratio = LeadingNumber("0.3");
    return seen;
}

void TestCommaLocale::windowMatchesTheCLocale() {
    const Seen comma = inWindow();
    std::setlocale(LC_ALL, "C");
    const Seen c = inWindow();
    std::setlocale(LC_ALL, "");

    QCOMPARE(comma.messages, c.messages);
    QCOMPARE(comma.maxAbsHum, 27.5f);
    QCOMPARE(comma.dryBulb, 25.5f);
    QCOMPARE(comma.relHum, 50.5f);
    QCOMPARE(comma.cell, 25.5f);
    QCOMPARE(comma.ratio, 0.3);
    QVERIFY2(comma.readout.contains("36.5"), qPrintable(comma.readout));
    QCOMPARE(comma.readout, c.readout);
    QCOMPARE(comma.saved, kDataFile);
    QCOMPARE(comma.saved, c.saved);
    QVERIFY(!comma.chart.isNull());
    QVERIFY2(comma.chart == c.chart, "the chart differs pixel for pixel from the one of the C locale");
}

QByteArray TestCommaLocale::render(const char* locale) {
    const QString out = dir_.filePath(QString("chart-%1.png").arg(locale));
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LOCPATH", QString::fromStdString(gLocaleDir));
    env.insert("LC_ALL", locale);
    env.remove("QT_QPA_PLATFORM");
    cli.setProcessEnvironment(env);
    cli.start(HYGRANA_CLI, {"render", "--data", dir_.filePath("states.dat"), "--width", "800", out});
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0)
        qWarning("render under %s: %s", locale, cli.readAllStandardError().constData());
    QFile file(out);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestCommaLocale::renderMatchesTheCLocale() {
    const QByteArray comma = render(kCommaLocale);
    QVERIFY(!comma.isEmpty());
    QVERIFY2(comma == render("C"), "render under the comma locale differs from the C locale");
}

int main(int argc, char** argv) {
    // The locale must be in the environment before the application object
    // reads it.
    QTemporaryDir localeDir;
    if (localeDir.isValid() && BuildCommaLocale(localeDir.path().toStdString())) {
        gLocaleDir = localeDir.path().toStdString();
        qputenv("LOCPATH", localeDir.path().toLocal8Bit());
        qputenv("LC_ALL", kCommaLocale);
    }
    QApplication app(argc, argv);
    TestCommaLocale test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_comma_locale.moc"
