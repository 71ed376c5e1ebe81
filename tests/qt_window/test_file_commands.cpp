// Save File..., Open File... and Ou&tPut... through the real menu actions,
// with scripted file names: the requests, the files, the silent cancel and
// the failure messages.
#include "tests/qt_window/window_fixture.h"

using namespace hyg;
using namespace hyg::test;

namespace {

QString RequestText(const FileDialogRequest& r) {
    return QString::fromStdString(r.proposedName + " [" + r.filter + "]") + (r.promptOverwrite ? " overwrite?" : "") +
           (r.mustExist ? " must exist" : "");
}

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(dir_.isValid()); }
    void saveThenOpen();
    void openRefusesABadFile();
    void outputWritesThePlotFile();
    void cancelIsSilentFailuresAreReported();

private:
    QString path(const char* name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

void TestFileCommands::saveThenOpen() {
    {
        WindowFixture f(QSize(800, 600), false);
        f.dialogs.saveNames = {path("a.dat").toStdString(), path("b.dat").toStdString()};
        f.trigger("MnuFileComSave");
        QCOMPARE(RequestText(f.dialogs.saveRequests.at(0)), QString("corvane.dat [Data Files | *.dat] overwrite?"));
        QCOMPARE(ReadAll(path("a.dat")),
                 QByteArray("0,15000\r\n0,10500\r\n-500,4500\r\n-350,3150\r\n760,27\r\n"
                            "10,40\r\n17,17\r\n8,50\r\n10,0\r\n1,1,1\r\n1,1,1,1\r\n1,1,1,1\r\n"));
        f.settings().MinDryBulb = 5;
        f.trigger("MnuPaperCom_1");
        f.trigger("MnuFileComSave");
    }
    WindowFixture f(QSize(800, 600), false);
    f.dialogs.openNames.push_back(path("b.dat").toStdString());
    f.trigger("MnuFileComOpen");
    QCOMPARE(RequestText(f.dialogs.openRequests.at(0)), QString(" [All Files | *.*|Data Files | *.dat] must exist"));
    // As the file dialog lists them: "*.*" there would hide names without a dot.
    QCOMPARE(NameFiltersOf(f.dialogs.openRequests[0].filter), QStringList({"All Files (*)", "Data Files (*.dat)"}));
    QVERIFY(f.dialogs.messages.empty());
    QVERIFY(SettingsText(f.settings()).contains("T 5..40 |"));
    QVERIFY(SettingsText(f.settings()).endsWith("plotter 0 0 12500 8750"));
    QCOMPARE(f.settings().DrawCount, 0); // nothing was showing: nothing is drawn

    // With a chart showing, even zoomed, the opened one replaces it, seen whole.
    WindowFixture g(QSize(800, 600), false);
    g.trigger("MnuGraphComDraw");
    g.trigger("MnuGraphComIn");
    g.dialogs.openNames.push_back(path("b.dat").toStdString());
    g.trigger("MnuFileComOpen");
    QCOMPARE(g.settings().DrawCount, 3);
    QCOMPARE(g.window->drawCommands().drawnSettings()->MinDryBulb, 5.0f);
    QVERIFY(g.window->viewport().horizontal()->isHidden());
}

void TestFileCommands::openRefusesABadFile() {
    QFile bad(path("bad.dat"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("0,15000\r\n0,10500\r\n-500,4500\r\n-350,3150\r\n760,27\r\n40,10,3\r\n");
    bad.close();
    WindowFixture f(QSize(800, 600), false);
    const QString before = SettingsText(f.settings());
    f.dialogs.openNames.push_back(path("bad.dat").toStdString());
    f.trigger("MnuFileComOpen");
    QCOMPARE(f.dialogs.messages.size(), size_t(1));
    const auto& m = f.dialogs.messages[0];
    QVERIFY2(m.text.find("Line") != std::string::npos, m.text.c_str());
    QVERIFY(m.title == "Hygrana" && m.icon == MessageIcon::Exclamation);
    QCOMPARE(SettingsText(f.settings()), before);
}

void TestFileCommands::outputWritesThePlotFile() {
    WindowFixture f(QSize(800, 600), false);
    f.dialogs.saveNames = {path("c.pgl").toStdString(), path("d.pgl").toStdString()};
    f.trigger("MnuFileComPlot");
    QCOMPARE(RequestText(f.dialogs.saveRequests.at(0)), QString("corvane.pgl [HPGL Files | *.pgl] overwrite?"));
    const QByteArray plot = ReadAll(path("c.pgl"));
    QVERIFY(plot.startsWith("IN\x03\r\nIP 0 , 0 , 15000 , 10500 \x03\r\n") && plot.endsWith("\x03\r\n"));
    QCOMPARE(f.settings().DrawCount, 1); // the driver ran once, into the file
    // B4 paper changes the header and the character size.
    f.trigger("MnuPaperCom_1");
    f.trigger("MnuFileComPlot");
    QVERIFY(ReadAll(path("d.pgl")).startsWith("IN\x03\r\nIP 0 , 0 , 12500 , 8750 \x03\r\n"));
    QVERIFY(std::abs(f.settings().PlotTextSize3 - 0.1333f) < 1e-4f);
    QVERIFY(f.dialogs.messages.empty());
}

void TestFileCommands::cancelIsSilentFailuresAreReported() {
    WindowFixture f(QSize(800, 600), false);
    const QString before = SettingsText(f.settings());
    const QStringList files = QDir(dir_.path()).entryList(QDir::Files);
    for (const char* command : {"MnuFileComSave", "MnuFileComOpen", "MnuFileComPlot"})
        f.trigger(command);
    QCOMPARE(f.dialogs.saveRequests.size() + f.dialogs.openRequests.size(), size_t(3));
    QVERIFY(f.dialogs.messages.empty());
    QCOMPARE(SettingsText(f.settings()), before);
    QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), files);

    // A folder that does not exist, for the data file and the plot file;
    // then equal lowest and highest temperatures, where the character sizes
    // of the plot divide by 0.
    f.dialogs.saveNames = {path("no/such/folder/a.dat").toStdString(), path("no/folder/e.pgl").toStdString(),
                           path("f.pgl").toStdString()};
    f.trigger("MnuFileComSave");
    f.trigger("MnuFileComPlot");
    f.settings().MaxDryBulb = f.settings().MinDryBulb;
    f.trigger("MnuFileComPlot");
    QCOMPARE(f.dialogs.messages.size(), size_t(3));
    for (const auto& m : f.dialogs.messages) {
        QCOMPARE(m.text + " / " + m.title, std::string("Sorry, failed 'Save...' command. / Hygrana"));
        QVERIFY(m.icon == MessageIcon::Exclamation);
    }
    QVERIFY(!QFile::exists(path("f.pgl")));
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

QTEST_MAIN(TestFileCommands)
#include "test_file_commands.moc"
