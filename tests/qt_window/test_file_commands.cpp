// The file and output commands through the real menu actions, with
// scripted answers: Save File..., Open File... and Ou&tPut... (the files and
// their dialog requests), Save Picture..., Copy, the process dialog's Print,
// the silent cancels and the failure messages. The printed chart page is
// checked end to end through a CUPS queue (e2e_print_cups), which also runs
// the tables' printer case here.
#include "tests/qt_window/window_fixture.h"

#include "qt_dialogs/process_dialog.h"
#include "qt_render/clipboard_copy.h"

using namespace hyg;
using namespace hyg::test;

namespace {

QString RequestText(const FileDialogRequest& r) {
    return QString::fromStdString(r.proposedName + " [" + r.filter + "]") + (r.promptOverwrite ? " overwrite?" : "") +
           (r.mustExist ? " must exist" : "");
}

QString MessageTexts(const ScriptedDialogs& d) {
    QStringList out;
    for (const auto& m : d.messages)
        out << QString::fromStdString(m.title + ": " + m.text);
    return out.join(" / ");
}

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(dir_.isValid()); }
    void saveOpenAndOutput();
    void cancelIsSilentFailuresAreReported();
    void savePictureFormats();
    void copyAndTheProcessDialog();
    void printTablesOnSystemPrinter();

private:
    QString path(const char* name) const { return dir_.filePath(name); }
    std::string name(const char* file) const { return path(file).toStdString(); }
    QTemporaryDir dir_;
};

void TestFileCommands::saveOpenAndOutput() {
    {
        WindowFixture f(QSize(800, 600), false);
        f.dialogs.saveNames = {name("a.dat"), name("c.pgl"), name("d.pgl"), name("b.dat")};
        f.trigger("MnuFileComSave");
        f.trigger("MnuFileComPlot");
        QCOMPARE(RequestText(f.dialogs.saveRequests.at(0)) + " " + RequestText(f.dialogs.saveRequests.at(1)),
                 "corvane.dat [Data Files | *.dat] overwrite? corvane.pgl [HPGL Files | *.pgl] overwrite?");
        QCOMPARE(ReadAll(path("a.dat")),
                 QByteArray("0,15000\r\n0,10500\r\n-500,4500\r\n-350,3150\r\n760,27\r\n"
                            "10,40\r\n17,17\r\n8,50\r\n10,0\r\n1,1,1\r\n1,1,1,1\r\n1,1,1,1\r\n"));
        const QByteArray plot = ReadAll(path("c.pgl"));
        QVERIFY(plot.startsWith("IN\x03\r\nIP 0 , 0 , 15000 , 10500 \x03\r\n") && plot.endsWith("\x03\r\n"));
        QCOMPARE(f.settings().DrawCount, 1); // the driver ran once, into the file
        // B4 paper changes the plot's header and character size, and goes into the data file.
        f.trigger("MnuPaperCom_1");
        f.trigger("MnuFileComPlot");
        QVERIFY(ReadAll(path("d.pgl")).startsWith("IN\x03\r\nIP 0 , 0 , 12500 , 8750 \x03\r\n"));
        QVERIFY(std::abs(f.settings().PlotTextSize3 - 0.1333f) < 1e-4f);
        f.settings().MinDryBulb = 5;
        f.trigger("MnuFileComSave");
        QVERIFY(f.dialogs.messages.empty());
    }
    WindowFixture f(QSize(800, 600), false);
    f.dialogs.openNames.push_back(name("b.dat"));
    f.trigger("MnuFileComOpen");
    QCOMPARE(RequestText(f.dialogs.openRequests.at(0)), QString(" [All Files | *.*|Data Files | *.dat] must exist"));
    // As the file dialog lists them: "*.*" there would hide names without a dot.
    QCOMPARE(NameFiltersOf(f.dialogs.openRequests[0].filter), QStringList({"All Files (*)", "Data Files (*.dat)"}));
    QVERIFY(f.dialogs.messages.empty());
    const QString opened = SettingsText(f.settings());
    QVERIFY2(opened.contains("T 5..40 |") && opened.endsWith("plotter 0 0 12500 8750"), qPrintable(opened));
    QCOMPARE(f.settings().DrawCount, 0); // nothing was showing: nothing is drawn

    // With a chart showing, even zoomed, the opened one replaces it, seen whole.
    WindowFixture g(QSize(800, 600), false);
    g.trigger("MnuGraphComDraw");
    g.trigger("MnuGraphComIn");
    g.dialogs.openNames.push_back(name("b.dat"));
    g.trigger("MnuFileComOpen");
    QCOMPARE(g.settings().DrawCount, 3);
    QCOMPARE(g.window->drawCommands().drawnSettings()->MinDryBulb, 5.0f);
    QVERIFY(g.window->viewport().horizontal()->isHidden());
}

void TestFileCommands::cancelIsSilentFailuresAreReported() {
    WindowFixture f(QSize(800, 600), false);
    f.trigger("MnuGraphComDraw");
    QVERIFY(WriteAll(path("corvane.bmp"), "old picture"));
    const QString before = SettingsText(f.settings());
    QStringList files = QDir(dir_.path()).entryList(QDir::Files);
    // Cancel (for a picture also the answer No to the file dialog's overwrite question): nothing
    // written, nothing said. With the process dialog last worked in, Print asks and prints nothing.
    for (const char* command : {"MnuFileComSave", "MnuFileComOpen", "MnuFileComPlot", "MnuFileComPrint",
                                "MnuGraphComSave"})
        f.trigger(command);
    f.session().ActiveView = View::Process;
    f.dialogs.printerAnswers.push_back(ScriptedDialogs::PrintToPdf(name("none.pdf")));
    f.trigger("MnuFileComPrint");
    f.session().ActiveView = View::Chart;
    QVERIFY(f.dialogs.saveRequests.size() + f.dialogs.openRequests.size() == 4 && f.dialogs.printerRequests == 2);
    QVERIFY2(f.dialogs.messages.empty(), qPrintable(MessageTexts(f.dialogs)));
    QCOMPARE(SettingsText(f.settings()), before);
    QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), files);
    QCOMPARE(ReadAll(path("corvane.bmp")), QByteArray("old picture"));

    // A file that does not read: its line in the message, the settings as they were.
    QVERIFY(WriteAll(path("bad.dat"), "0,15000\r\n0,10500\r\n-500,4500\r\n-350,3150\r\n760,27\r\n40,10,3\r\n"));
    f.dialogs.openNames.push_back(name("bad.dat"));
    f.trigger("MnuFileComOpen");
    QVERIFY2(MessageTexts(f.dialogs).startsWith("Hygrana: ") && MessageTexts(f.dialogs).contains("Line") &&
                 f.dialogs.messages.size() == 1 && f.dialogs.messages[0].icon == MessageIcon::Exclamation,
             qPrintable(MessageTexts(f.dialogs)));
    QCOMPARE(SettingsText(f.settings()), before);
    f.dialogs.messages.clear();

    // Folders that do not exist; then equal lowest and highest temperatures, where the character
    // sizes of the plot divide by 0.
    f.dialogs.saveNames = {name("no/such/a.dat"), name("no/e.pgl"), name("no/corvane.bmp"), name("f.pgl")};
    f.dialogs.printerAnswers.push_back(ScriptedDialogs::PrintToPdf(name("no/chart.pdf")));
    for (const char* command : {"MnuFileComSave", "MnuFileComPlot", "MnuFileComPrint", "MnuGraphComSave"})
        f.trigger(command);
    f.settings().MaxDryBulb = f.settings().MinDryBulb;
    f.trigger("MnuFileComPlot");
    QStringList expected;
    for (const char* command : {"Save...", "Save...", "Print...", "Save Graph...", "Save..."})
        expected << QString("Hygrana: Sorry, failed '%1' command.").arg(command);
    QCOMPARE(MessageTexts(f.dialogs), expected.join(" / "));
    for (const auto& m : f.dialogs.messages)
        QVERIFY(m.icon == MessageIcon::Exclamation);
    files << "bad.dat";
    files.sort();
    QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), files);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestFileCommands::savePictureFormats() {
    WindowFixture f;
    f.trigger("MnuGraphComDraw");
    const QImage screen = f.picture()->image().convertToFormat(QImage::Format_RGB32);
    // An unknown extension is written as a bitmap under the name given.
    for (const char* file : {"chart.bmp", "chart.png", "chart.svg", "chart.pdf", "chart.pic"}) {
        f.dialogs.saveNames.push_back(name(file));
        f.trigger("MnuGraphComSave");
    }
    QVERIFY2(f.dialogs.messages.empty(), qPrintable(MessageTexts(f.dialogs)));
    const FileDialogRequest& r = f.dialogs.saveRequests.at(0);
    QVERIFY(RequestText(r).startsWith("corvane.bmp [BitMap Files | *.bmp|") && r.promptOverwrite);
    QCOMPARE(NameFiltersOf(r.filter).first(), QString("BitMap Files (*.bmp)"));
    // BMP and PNG: the picture as the screen shows it, pixel for pixel; SVG and PDF are vector drawings.
    QVERIFY(ReadAll(path("chart.bmp")).startsWith("BM") && ReadAll(path("chart.pic")).startsWith("BM"));
    QVERIFY(ReadAll(path("chart.png")).startsWith("\x89PNG"));
    for (const char* file : {"chart.bmp", "chart.png"})
        QCOMPARE(QImage(path(file)).convertToFormat(QImage::Format_RGB32), screen);
    const QByteArray svg = ReadAll(path("chart.svg"));
    QVERIFY(svg.contains("<svg") && !svg.contains("<image"));
    QVERIFY(ReadAll(path("chart.pdf")).startsWith("%PDF"));
}

void TestFileCommands::copyAndTheProcessDialog() {
    WindowFixture f;
    f.trigger("MnuGraphComDraw");
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("text that was there");
    f.trigger("MnuEditComCopy");
    const QMimeData* data = clipboard->mimeData();
    QVERIFY(f.dialogs.messages.empty() && !data->hasText() && data->hasImage());
    QCOMPARE(qvariant_cast<QImage>(data->imageData()).convertToFormat(QImage::Format_RGB32),
             f.picture()->image().convertToFormat(QImage::Format_RGB32));
    const QByteArray svg = data->data(kSvgMimeType);
    QVERIFY(svg.contains("<svg") && svg.contains("width=\"" + QByteArray::number(qRound(f.picture()->widthPixels()))));

    // In the process dialog (three states) its Print button prints the three tables as the dialog shows
    // them, and Edit > Copy copies the block of the table last clicked as the dialog's own Copy does.
    f.session().statePoints = SomeStates(3);
    QString clipboardText, blockText;
    f.window->setDialogRunner([&](QDialog& d) {
        auto* dlg = qobject_cast<DlgProcessCalc*>(&d);
        if (dlg == nullptr || !dlg->printButton()->isEnabled())
            return 0;
        f.dialogs.printerAnswers.push_back(ScriptedDialogs::PrintToPdf(name("process.pdf"), 300));
        dlg->printButton()->click();
        f.session().ActiveGrid = kGridProperty; // its block of rows 1-2, columns 1-2
        FlexGrid* g = dlg->grid(kGridProperty);
        g->setRow(1);
        g->setCol(1);
        g->setRowSel(2);
        g->setColSel(2);
        f.trigger("MnuEditComCopy");
        clipboardText = QGuiApplication::clipboard()->text();
        blockText = g->clip() + "\r";
        return 0;
    });
    f.trigger("MnuProcess");
    QCOMPARE(clipboardText, blockText);
    QVERIFY(clipboardText.count('\t') == 2 && clipboardText.count('\r') == 2);
    QVERIFY2(f.dialogs.messages.empty(), qPrintable(MessageTexts(f.dialogs)));
    QProcess text;
    text.start("pdftotext", {"-layout", path("process.pdf"), "-"});
    const QString printed = text.waitForFinished(30000) ? QString::fromUtf8(text.readAllStandardOutput()) : "";
    for (const char* expected : {"Input Data", "Properties", "Entahlpy", "#1 -> #2", "#2 -> #3", "25.00", "760.00"})
        QVERIFY2(printed.contains(expected), expected);

    // With the process dialog last worked in but closed, the clipboard keeps what it had; a fault in the
    // dialog's copy gives its message.
    f.session().ActiveView = View::Process;
    clipboard->setText("kept");
    f.trigger("MnuEditComCopy");
    QCOMPARE(clipboard->text(), QString("kept"));
    f.window->outputCommands().setProcessCopy([] { throw RunTimeFault("no block"); });
    f.trigger("MnuEditComCopy");
    QCOMPARE(MessageTexts(f.dialogs), QString("Hygrana: Sorry !\rError occured on Copy command in Process."));
}

void TestFileCommands::printTablesOnSystemPrinter() {
    // Run by the end-to-end printer test with a queue of its private CUPS daemon: three tables on A4, the
    // first one long enough to go on over a second page. The filters on the way lose the text (the fonts
    // become Type 3), so the same job also goes to a reference PDF to read the text from.
    const QByteArray queue = qgetenv("HYGRANA_TEST_PRINTER"), reference = qgetenv("HYGRANA_TEST_REFERENCE");
    if (queue.isEmpty())
        QSKIP("no test printer (HYGRANA_TEST_PRINTER)");
    WindowFixture f(QSize(800, 600), false);
    std::vector<PrintTable> tables;
    using Spec = std::tuple<const char*, int, const char*, std::vector<int>>; // title, rows, heading, widths
    for (const auto& [title, rows, head, widths] :
         {Spec{"Input Data", 70, "Press.\rmmHg", {400, 750, 750}},
          Spec{"Properties", 7, "D.Satu.\r%", {400, 800, 900, 1000, 1000, 1000, 900, 800}},
          Spec{"Process", 6, "Entahlpy\rkcal/kgDA", {1000, 800, 1000, 1000, 1000, 1000, 750, 750, 750, 1000, 1000}}}) {
        PrintTable& t = tables.emplace_back(PrintTable{.title = title, .columnWidths = widths, .rowHeights = {500}});
        t.cells = {{"No.", head}};
        for (int r = 1; r < rows; ++r) {
            t.rowHeights.push_back(250);
            t.cells.push_back({"#" + std::to_string(r), std::to_string(r * 10) + ".5", std::to_string(r) + ".25"});
        }
    }
    for (int i = 0; i < (reference.isEmpty() ? 1 : 2); ++i) {
        f.dialogs.printerAnswers.push_back([queue, reference, i](QPrinter& p) {
            if (i == 0)
                p.setPrinterName(QString::fromLocal8Bit(queue));
            else
                ScriptedDialogs::PrintToPdf(reference.toStdString())(p);
            p.setPageSize(QPageSize(QPageSize::A4));
            p.setPageOrientation(QPageLayout::Portrait);
            p.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
            return p.isValid();
        });
        f.window->outputCommands().PrintTables(tables);
    }
    QVERIFY2(f.dialogs.messages.empty(), qPrintable(MessageTexts(f.dialogs)));
}

QTEST_MAIN(TestFileCommands)
#include "test_file_commands.moc"
