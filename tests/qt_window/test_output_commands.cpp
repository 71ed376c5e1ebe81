// Print..., Save Picture... and Copy through the real menu actions, with
// scripted answers: the printed chart page in a PDF at 600 dpi, the picture
// files, the clipboard, the silent cancels and the failure messages.
#include "tests/qt_window/window_fixture.h"

#include "qt_dialogs/process_dialog.h"
#include "qt_render/clipboard_copy.h"

using namespace hyg;
using namespace hyg::test;

namespace {

bool IsWhite(QRgb p) {
    return qRed(p) > 245 && qGreen(p) > 245 && qBlue(p) > 245;
}

// The first page of a PDF as an image, `dpi` dots per inch (pdftoppm).
QImage PdfPage(const QString& pdf, int dpi, int page = 1) {
    QTemporaryDir out;
    QProcess p;
    p.start("pdftoppm", {"-r", QString::number(dpi), "-f", QString::number(page), "-l", QString::number(page), "-png",
                         "-singlefile", pdf, out.filePath("page")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QImage(out.filePath("page.png"));
}

QString MessageTexts(const ScriptedDialogs& d) {
    QStringList out;
    for (const auto& m : d.messages)
        out << QString::fromStdString(m.title + ": " + m.text);
    return out.join(" / ");
}

} // namespace

class TestOutputCommands : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(dir_.isValid()); }
    void printChartPageToPdf();
    void printCancelAndFailures();
    void printTablesToPdf();
    void savePictureFormats();
    void savePictureCancelAndFailure();
    void copyChartAndProcess();
    void printTablesOnSystemPrinter();
    void processDialogPrintAndCopy();

private:
    QString path(const char* name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

void TestOutputCommands::printChartPageToPdf() {
    WindowFixture f;
    f.trigger("MnuGraphComDraw");
    f.dialogs.printerAnswers.push_back([pdf = path("chart.pdf").toStdString()](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString::fromStdString(pdf));
        p.setResolution(600);
        p.setPageSize(QPageSize(QPageSize::A4));
        p.setPageOrientation(QPageLayout::Portrait);
        p.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        return true;
    });
    f.trigger("MnuFileComPrint");
    QCOMPARE(f.dialogs.printerRequests, 1);
    QVERIFY2(f.dialogs.messages.empty(), qPrintable(MessageTexts(f.dialogs)));
    QVERIFY(ReadAll(path("chart.pdf")).startsWith("%PDF"));

    // At 50 dpi an A4 page is 413.4 by 584.6 pixels; the printable area
    // starts 10 mm (19.7 px) in and is 374 wide, so the chart takes 374 x 262
    // at its top-left.
    const QImage page = PdfPage(path("chart.pdf"), 50);
    QVERIFY(qAbs(page.width() - 414) <= 1 && qAbs(page.height() - 585) <= 1);
    int coloured = 0, inkOutside = 0;
    QRect ink;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QRgb p = page.pixel(x, y);
            if (IsWhite(p))
                continue;
            if (!QRect(20, 20, 374, 262).adjusted(-1, -1, 1, 1).contains(x, y))
                ++inkOutside;
            ink |= QRect(x, y, 1, 1);
            coloured += qAbs(qRed(p) - qBlue(p)) > 60 || qAbs(qGreen(p) - qBlue(p)) > 60;
        }
    }
    QCOMPARE(inkOutside, 0);
    QVERIFY2(ink.width() > 330 && ink.height() > 200, qPrintable(QString("%1x%2").arg(ink.width()).arg(ink.height())));
    QVERIFY2(coloured > 200, qPrintable(QString::number(coloured))); // the colour pens, not a grey copy
}

void TestOutputCommands::printCancelAndFailures() {
    WindowFixture f(QSize(800, 600), false);
    f.trigger("MnuGraphComDraw");
    // Cancel: nothing printed, nothing said.
    f.trigger("MnuFileComPrint");
    QCOMPARE(f.dialogs.printerRequests, 1);
    QVERIFY(f.dialogs.messages.empty());

    // The process dialog was the last window worked in: the dialog is asked,
    // nothing is printed.
    f.session().ActiveView = View::Process;
    f.dialogs.printerAnswers.push_back(ScriptedDialogs::PrintToPdf(path("none.pdf").toStdString()));
    f.trigger("MnuFileComPrint");
    QCOMPARE(f.dialogs.printerRequests, 2);
    QVERIFY(!QFile::exists(path("none.pdf")));
    QVERIFY(f.dialogs.messages.empty());

    // A printer that cannot take the job (here a file in a missing folder).
    f.session().ActiveView = View::Chart;
    f.dialogs.printerAnswers.push_back(ScriptedDialogs::PrintToPdf(path("missing/chart.pdf").toStdString()));
    f.trigger("MnuFileComPrint");
    QCOMPARE(MessageTexts(f.dialogs), QString("Hygrana: Sorry, failed 'Print...' command."));
    QCOMPARE(f.dialogs.messages.at(0).icon, MessageIcon::Exclamation);
}

void TestOutputCommands::printTablesToPdf() {
    WindowFixture f(QSize(800, 600), false);
    PrintTable t;
    t.title = "Input Data";
    t.columnWidths = {400, 750};
    t.rowHeights = {500, 250, 250};
    t.cells = {{"No.", "Press.\rmmHg"}, {"#1", "760"}, {"#2", "760"}};
    f.dialogs.printerAnswers.push_back(ScriptedDialogs::PrintToPdf(path("tables.pdf").toStdString(), 300));
    f.window->outputCommands().PrintTables({t, t, t});
    QVERIFY(f.dialogs.messages.empty());
    const QImage page = PdfPage(path("tables.pdf"), 30);
    QVERIFY(!page.isNull());
    // Ink in the upper half only: three small tables at 400, 1100 and 1800.
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (!IsWhite(page.pixel(x, y)))
                ink |= QRect(x, y, 1, 1);
    QVERIFY2(ink.top() < 60 && ink.bottom() < page.height() / 2 + 40,
             qPrintable(QString("%1..%2 of %3").arg(ink.top()).arg(ink.bottom()).arg(page.height())));
}

void TestOutputCommands::savePictureFormats() {
    WindowFixture f;
    f.trigger("MnuGraphComDraw");
    const QImage screen = f.picture()->image();
    for (const char* name : {"chart.bmp", "chart.png", "chart.svg", "chart.pdf"})
        f.dialogs.saveNames.push_back(path(name).toStdString());
    for (int i = 0; i < 4; ++i)
        f.trigger("MnuGraphComSave");
    QVERIFY2(f.dialogs.messages.empty(), qPrintable(MessageTexts(f.dialogs)));
    const FileDialogRequest& r = f.dialogs.saveRequests.at(0);
    QCOMPARE(QString::fromStdString(r.proposedName), QString("corvane.bmp"));
    QVERIFY(QString::fromStdString(r.filter).startsWith("BitMap Files | *.bmp|"));
    QVERIFY(r.promptOverwrite);
    QCOMPARE(NameFiltersOf(r.filter).first(), QString("BitMap Files (*.bmp)"));

    // BMP and PNG: the picture as the screen shows it, pixel for pixel.
    for (const char* name : {"chart.bmp", "chart.png"}) {
        const QByteArray bytes = ReadAll(path(name));
        QVERIFY(bytes.startsWith(QByteArray(name).endsWith("bmp") ? "BM" : "\x89PNG"));
        QImage back = QImage(path(name)).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(back, screen.convertToFormat(QImage::Format_RGB32));
    }
    // SVG and PDF: vector drawings of the chart at the picture's size.
    const QByteArray svg = ReadAll(path("chart.svg"));
    QVERIFY(svg.contains("<svg"));
    QVERIFY(!svg.contains("<image"));
    QVERIFY(ReadAll(path("chart.pdf")).startsWith("%PDF"));
}

void TestOutputCommands::savePictureCancelAndFailure() {
    WindowFixture f(QSize(800, 600), false);
    f.trigger("MnuGraphComDraw");
    // Cancel (also the answer No to the overwrite question the file dialog
    // asks): nothing written, nothing said, the old file stays.
    QFile old(path("corvane.bmp"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old picture");
    old.close();
    f.dialogs.saveNames.push_back(std::nullopt);
    f.trigger("MnuGraphComSave");
    QVERIFY(f.dialogs.messages.empty());
    QCOMPARE(ReadAll(path("corvane.bmp")), QByteArray("old picture"));

    // A folder that cannot be written: the message, and no file.
    f.dialogs.saveNames.push_back(path("missing/corvane.bmp").toStdString());
    f.trigger("MnuGraphComSave");
    QCOMPARE(MessageTexts(f.dialogs), QString("Hygrana: Sorry, failed 'Save Graph...' command."));
    QVERIFY(!QFile::exists(path("missing/corvane.bmp")));

    // An unknown extension is written as a bitmap under the name given.
    f.dialogs.saveNames.push_back(path("corvane.pic").toStdString());
    f.trigger("MnuGraphComSave");
    QVERIFY(ReadAll(path("corvane.pic")).startsWith("BM"));
}

void TestOutputCommands::copyChartAndProcess() {
    WindowFixture f;
    f.trigger("MnuGraphComDraw");
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("text that was there");
    f.trigger("MnuEditComCopy");
    QVERIFY(f.dialogs.messages.empty());
    const QMimeData* data = clipboard->mimeData();
    QVERIFY(!data->hasText());
    QVERIFY(data->hasImage());
    const QImage image = qvariant_cast<QImage>(data->imageData());
    const QImage screen = f.picture()->image();
    QCOMPARE(image.convertToFormat(QImage::Format_RGB32), screen.convertToFormat(QImage::Format_RGB32));
    const QByteArray svg = data->data(kSvgMimeType);
    QVERIFY(svg.contains("<svg"));
    QVERIFY(svg.contains(QByteArray("width=\"") + QByteArray::number(qRound(f.picture()->widthPixels()))));

    // The tool-bar key runs the same command.
    clipboard->setText("again");
    f.window->runToolKey("copy");
    QVERIFY(clipboard->mimeData()->hasImage());

    // With the process dialog last worked in: its copy routine, if it is
    // there; nothing otherwise (the clipboard keeps what it had).
    f.session().ActiveView = View::Process;
    clipboard->setText("kept");
    f.trigger("MnuEditComCopy");
    QCOMPARE(clipboard->text(), QString("kept"));
    int copies = 0;
    f.window->outputCommands().setProcessCopy([&] {
        ++copies;
        throw RunTimeFault("no block");
    });
    f.trigger("MnuEditComCopy");
    QCOMPARE(copies, 1);
    QCOMPARE(MessageTexts(f.dialogs), QString("Hygrana: Sorry !\rError occured on Copy command in Process."));
}

void TestOutputCommands::printTablesOnSystemPrinter() {
    // Run by the end-to-end printer test with a queue of its private CUPS
    // daemon: the three tables on an A4 page, the first one long enough to
    // go on over a second page.
    const QByteArray queue = qgetenv("HYGRANA_TEST_PRINTER");
    if (queue.isEmpty())
        QSKIP("no test printer (HYGRANA_TEST_PRINTER)");
    WindowFixture f(QSize(800, 600), false);
    const auto table = [](const char* title, std::vector<int> widths, int rows, std::vector<std::string> heads) {
        PrintTable t;
        t.title = title;
        t.columnWidths = std::move(widths);
        t.rowHeights.assign(static_cast<std::size_t>(rows), 250);
        t.rowHeights[0] = 500;
        t.cells.push_back(std::move(heads));
        for (int r = 1; r < rows; ++r) {
            t.cells.push_back({"#" + std::to_string(r)});
            for (std::size_t c = 1; c < t.columnWidths.size(); ++c)
                t.cells.back().push_back(std::to_string(r * 10 + static_cast<int>(c)) + ".5");
        }
        return t;
    };
    const std::vector<PrintTable> tables{
        table("Input Data", {400, 750, 750, 750, 750}, 70,
              {"No.", "Press.\rmmHg", "D.B.T.\rC", "R.Hum*\r%", "W.B.T*\rC"}),
        table("Properties", {400, 800, 900, 1000, 1000, 1000, 900, 800}, 7,
              {"No.", "D.Satu.\r%", "P.Press.\rmmHg", "Abs.Hum.\rkg/kgDA", "S.A.Hum.\rkg/kgDA", "Enthalpy\rkcal/kgDA",
               "S.Volume\rm3/kgDA", "Density\rkg/m3"}),
        table("Process", {1000, 800, 1000, 1000, 1000, 1000, 750, 750, 750, 1000, 1000}, 6,
              {"Process\rChange", "D.B.T\rC", "A. Hum.\rkg/kgDA", "Entahlpy\rkcal/kgDA", "S. Heat\rkcal/kgDA",
               "Water\rkg/hr", "H.Load\rkcal/h", "H.Load\rkW", "SHF\r-", "M. Ratio\rkcal/kg", "Flow Rate\rm3/h"}),
    };
    // The same page on the queue and, as a reference, in a PDF file: the
    // printer's PDF loses its text to the filters on the way (the fonts
    // become Type 3), so the test compares its pages with the reference's
    // pixels and reads the text from the reference.
    const auto page = [](QPrinter& p) {
        p.setPageSize(QPageSize(QPageSize::A4));
        p.setPageOrientation(QPageLayout::Portrait);
        p.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    };
    f.dialogs.printerAnswers.push_back([queue, page](QPrinter& p) {
        p.setPrinterName(QString::fromLocal8Bit(queue));
        page(p);
        return p.isValid();
    });
    const QByteArray reference = qgetenv("HYGRANA_TEST_REFERENCE");
    if (!reference.isEmpty()) {
        f.dialogs.printerAnswers.push_back([reference, page](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(QString::fromLocal8Bit(reference));
            page(p);
            return true;
        });
    }
    f.window->outputCommands().PrintTables(tables);
    if (!reference.isEmpty())
        f.window->outputCommands().PrintTables(tables);
    QVERIFY2(f.dialogs.messages.empty(), qPrintable(MessageTexts(f.dialogs)));
}

void TestOutputCommands::processDialogPrintAndCopy() {
    // Three states: the dialog's Print button prints the three tables as
    // the dialog shows them; Edit > Copy copies the block of the table last
    // clicked as the dialog's own Copy does.
    WindowFixture f(QSize(1000, 700), false);
    StatePointList& p = f.session().statePoints;
    p.count = 3;
    const float t[] = {25, 15, 30}, rh[] = {50, 90, 30};
    for (std::size_t i = 1; i <= 3; ++i)
        p.dryBulb[i] = t[i - 1], p.relHum[i] = rh[i - 1], p.pressure[i] = 760;
    const std::string pdf = path("process.pdf").toStdString();
    QString clipboardText, blockText;
    bool printEnabled = false;
    f.window->setDialogRunner([&](QDialog& d) {
        auto* dlg = qobject_cast<DlgProcessCalc*>(&d);
        if (dlg == nullptr)
            return 0;
        printEnabled = dlg->printButton()->isEnabled();
        f.dialogs.printerAnswers.push_back(ScriptedDialogs::PrintToPdf(pdf, 300));
        dlg->printButton()->click();
        // The property table clicked last, its block of rows 1-2, columns 1-2.
        f.session().ActiveGrid = kGridProperty;
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
    QVERIFY(printEnabled);
    QCOMPARE(clipboardText, blockText);
    QVERIFY2(f.dialogs.messages.empty(), qPrintable(MessageTexts(f.dialogs)));
    QCOMPARE(clipboardText.count('\t'), 2);
    QCOMPARE(clipboardText.count('\r'), 2);

    QProcess text;
    text.start("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
    QVERIFY(text.waitForFinished(30000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* expected : {"Input Data", "Properties", "Process", "Press.", "D.Satu.", "Entahlpy", "Flow Rate",
                                 "#1 -> #2", "#2 -> #3", "25.00", "760.00"})
        QVERIFY2(printed.contains(expected), expected);
}

QTEST_MAIN(TestOutputCommands)
#include "test_output_commands.moc"
