// Save File..., Open File... and Ou&tPut... through the real menu actions,
// with scripted file names: the requests, the files, the silent cancel and
// the failure messages.
#include "tests/app/window_fixture.h"

#include <QFile>
#include <QTemporaryDir>

using namespace hyg;
using namespace hyg::test;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

const char* kFailedSave = "Sorry, failed 'Save...' command.";

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(dir_.isValid()); }
    void saveWritesTwelveLines();
    void saveCancelledIsSilent();
    void saveFailureIsReported();
    void openLoadsTheFileBack();
    void openRefusesABadFile();
    void openCancelledChangesNothing();
    void outputWritesThePlotFile();
    void outputFailuresAreReported();

private:
    QString path(const char* name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

void TestFileCommands::saveWritesTwelveLines() {
    WindowFixture f(QSize(800, 600), false);
    f.dialogs.saveNames.push_back(path("a.dat").toStdString());
    f.trigger("MnuFileComSave");
    QCOMPARE(f.dialogs.saveRequests.size(), size_t(1));
    const FileDialogRequest& r = f.dialogs.saveRequests[0];
    QCOMPARE(r.proposedName, std::string("corvane.dat"));
    QCOMPARE(r.filter, std::string("Data Files | *.dat"));
    QVERIFY(r.promptOverwrite);
    QVERIFY(f.dialogs.messages.empty());
    QCOMPARE(ReadAll(path("a.dat")), QByteArray("0,15000\r\n0,10500\r\n-500,4500\r\n-350,3150\r\n760,27\r\n"
                                                 "10,40\r\n17,17\r\n8,50\r\n10,0\r\n1,1,1\r\n1,1,1,1\r\n1,1,1,1\r\n"));
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestFileCommands::saveCancelledIsSilent() {
    WindowFixture f(QSize(800, 600), false);
    f.dialogs.saveNames.push_back(std::nullopt);
    f.trigger("MnuFileComSave");
    QCOMPARE(f.dialogs.saveRequests.size(), size_t(1));
    QVERIFY(f.dialogs.messages.empty());
    QVERIFY(!QFile::exists(path("corvane.dat")));
}

void TestFileCommands::saveFailureIsReported() {
    WindowFixture f(QSize(800, 600), false);
    f.dialogs.saveNames.push_back(path("no/such/folder/a.dat").toStdString());
    f.trigger("MnuFileComSave");
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    QCOMPARE(f.dialogs.messages[0].text, std::string(kFailedSave));
    QCOMPARE(f.dialogs.messages[0].title, std::string("Hygrana"));
    QVERIFY(f.dialogs.messages[0].icon == MessageIcon::Exclamation);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestFileCommands::openLoadsTheFileBack() {
    const QString file = path("b.dat");
    {
        WindowFixture f(QSize(800, 600), false);
        f.settings().MinDryBulb = 5;
        f.settings().DiagramType = 0;
        f.trigger("MnuPaperCom_1");
        f.session().statePoints.count = 2;
        f.session().statePoints.dryBulb[1] = 26;
        f.session().statePoints.relHum[1] = 50;
        f.session().statePoints.dryBulb[2] = 16;
        f.session().statePoints.relHum[2] = 90;
        f.dialogs.saveNames.push_back(file.toStdString());
        f.trigger("MnuFileComSave");
        QVERIFY(f.dialogs.messages.empty());
    }
    WindowFixture f(QSize(800, 600), false);
    f.dialogs.openNames.push_back(file.toStdString());
    f.trigger("MnuFileComOpen");
    QCOMPARE(f.dialogs.openRequests.size(), size_t(1));
    const FileDialogRequest& r = f.dialogs.openRequests[0];
    QCOMPARE(r.filter, std::string("All Files | *.*|Data Files | *.dat"));
    QVERIFY(r.mustExist);
    QVERIFY(f.dialogs.messages.empty());
    QCOMPARE(f.settings().MinDryBulb, 5.0f);
    QCOMPARE(f.settings().DiagramType, 0);
    QCOMPARE(f.settings().PlotterP2X, 12500);
    QCOMPARE(f.session().statePoints.count, 2);
    QCOMPARE(f.session().statePoints.relHum[2], 90.0f);
}

void TestFileCommands::openRefusesABadFile() {
    QFile bad(path("bad.dat"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("0,15000\r\n0,10500\r\n-500,4500\r\n-350,3150\r\n760,27\r\n40,10,3\r\n");
    bad.close();
    WindowFixture f(QSize(800, 600), false);
    const ChartSettings before = f.settings();
    f.dialogs.openNames.push_back(path("bad.dat").toStdString());
    f.trigger("MnuFileComOpen");
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    QVERIFY2(f.dialogs.messages[0].text.find("Line") != std::string::npos, f.dialogs.messages[0].text.c_str());
    QCOMPARE(f.dialogs.messages[0].title, std::string("Hygrana"));
    QVERIFY(f.dialogs.messages[0].icon == MessageIcon::Exclamation);
    QCOMPARE(f.settings().MinDryBulb, before.MinDryBulb);
    QCOMPARE(f.settings().MaxDryBulb, before.MaxDryBulb);
    QCOMPARE(f.settings().PlotterP2X, before.PlotterP2X);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestFileCommands::openCancelledChangesNothing() {
    WindowFixture f(QSize(800, 600), false);
    f.dialogs.openNames.push_back(std::nullopt);
    f.trigger("MnuFileComOpen");
    QVERIFY(f.dialogs.messages.empty());
    QCOMPARE(f.settings().MinDryBulb, 10.0f);
}

void TestFileCommands::outputWritesThePlotFile() {
    WindowFixture f(QSize(800, 600), false);
    f.dialogs.saveNames.push_back(path("c.pgl").toStdString());
    f.trigger("MnuFileComPlot");
    QCOMPARE(f.dialogs.saveRequests.size(), size_t(1));
    const FileDialogRequest& r = f.dialogs.saveRequests[0];
    QCOMPARE(r.proposedName, std::string("corvane.pgl"));
    QCOMPARE(r.filter, std::string("HPGL Files | *.pgl"));
    QVERIFY(r.promptOverwrite);
    QVERIFY(f.dialogs.messages.empty());
    const QByteArray plot = ReadAll(path("c.pgl"));
    QVERIFY(plot.startsWith("IN\x03\r\nIP 0 , 0 , 15000 , 10500 \x03\r\n"));
    QVERIFY(plot.endsWith("\x03\r\n"));
    QCOMPARE(f.settings().PlotTextSize3, 0.16f);
    QCOMPARE(f.settings().DrawCount, 1); // the driver ran once, into the file

    // B4 paper changes the header.
    f.trigger("MnuPaperCom_1");
    f.dialogs.saveNames.push_back(path("d.pgl").toStdString());
    f.trigger("MnuFileComPlot");
    QVERIFY(ReadAll(path("d.pgl")).startsWith("IN\x03\r\nIP 0 , 0 , 12500 , 8750 \x03\r\n"));
}

void TestFileCommands::outputFailuresAreReported() {
    WindowFixture f(QSize(800, 600), false);
    f.dialogs.saveNames.push_back(std::nullopt);
    f.trigger("MnuFileComPlot");
    QVERIFY(f.dialogs.messages.empty());

    f.dialogs.saveNames.push_back(path("no/folder/e.pgl").toStdString());
    f.trigger("MnuFileComPlot");
    QCOMPARE(f.dialogs.lastMessage(), std::string(kFailedSave));

    // Equal lowest and highest temperature: the character sizes divide by 0.
    f.settings().MaxDryBulb = f.settings().MinDryBulb;
    f.dialogs.saveNames.push_back(path("f.pgl").toStdString());
    f.trigger("MnuFileComPlot");
    QCOMPARE(f.dialogs.messages.size(), size_t(2));
    QCOMPARE(f.dialogs.lastMessage(), std::string(kFailedSave));
    QVERIFY(f.dialogs.messages.back().icon == MessageIcon::Exclamation);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

QTEST_MAIN(TestFileCommands)
#include "test_file_commands.moc"
