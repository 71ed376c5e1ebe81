#include "qt_window/output_commands.h"

#include "qt_render/chart_printing.h"
#include "qt_render/clipboard_copy.h"
#include "qt_render/image_export.h"
#include "qt_dialogs/process_dialog.h"
#include "qt_window/chart_picture.h"
#include "qt_window/command_guard.h"
#include "qt_window/draw_commands.h"
#include "qt_window/wait_cursor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <memory>

namespace hyg {

namespace {

// A job the printer system took and then lost (the printer went away, the
// spooler refused it) is a failure, not a silent success.
void CheckPrinter(const QPrinter& printer) {
    if (printer.printerState() == QPrinter::Error)
        throw RunTimeFault("the printer reported an error");
}

} // namespace

OutputCommands::OutputCommands(Session& session, ChartPicture& picture, DrawCommands& draw, UserDialogs& dialogs)
    : session_(session)
    , picture_(picture)
    , draw_(draw)
    , dialogs_(dialogs) {}

FileDialogRequest OutputCommands::SavePictureRequest() {
    // BMP first and chosen; the other formats are those of the image export.
    return FileDialogRequest{"Save Picture", "corvane.bmp",
                             "BitMap Files | *.bmp|PNG Files | *.png|SVG Files | *.svg|PDF Files | *.pdf", true, false};
}

ChartOnScreen OutputCommands::chartOnScreen() const {
    ChartOnScreen screen;
    if (const ChartSettings* drawn = draw_.drawnSettings()) {
        // The chart as last drawn: a settings dialog may have changed the
        // settings since without drawing again.
        screen.chart.emplace();
        screen.chart->settings = *drawn;
    }
    // A zoom makes the canvas many times (at most a thousand times) the
    // view, though only the part in view is ever drawn; the whole chart is
    // drawn again at most as wide as the view, so a print or picture of a
    // zoomed chart is the chart as the fitted view shows it.
    const double shrink = std::min(1.0, picture_.width() / std::max(1.0, picture_.widthPixels()));
    screen.widthPx = static_cast<int>(std::lround(picture_.widthPixels() * shrink));
    screen.heightPx = static_cast<int>(std::lround(picture_.heightPixels() * shrink));
    screen.processLines = draw_.processLines();
    return screen;
}

void OutputCommands::Print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Psychrometric chart"));
    if (!dialogs_.askPrinter(printer))
        return; // cancelled: silent
    if (session_.ActiveView != View::Chart)
        return;
    WaitCursor wait;
    PrintChartTo(printer, chartOnScreen());
    CheckPrinter(printer);
}

void OutputCommands::PrintTables(const std::vector<PrintTable>& tables) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Air conditioning process"));
    if (!dialogs_.askPrinter(printer))
        return;
    WaitCursor wait;
    PrintTablesTo(printer, tables);
    CheckPrinter(printer);
}

void OutputCommands::SavePicture() {
    const std::optional<std::string> name = dialogs_.askSaveFileName(SavePictureRequest());
    if (!name)
        return; // cancelled: silent
    WaitCursor wait;
    // A picture that cannot be written is reported by the command's guard,
    // not lost in silence; a file of that name keeps its old content.
    const ChartFileFormat format = ChartFileFormatOf(*name);
    const ChartOnScreen screen = chartOnScreen();
    if ((format == ChartFileFormat::Svg || format == ChartFileFormat::Pdf) && screen.chart) {
        // Vector formats stay vector: the chart is drawn again at the
        // picture's size. A drawing that stopped early is saved as far as it
        // went, as the window shows it; the window already said why.
        Chart chart = *screen.chart;
        (void)ExportChart(*name, chart, screen.widthPx, nullptr, screen.processLines, PartialChart::Keep);
    } else {
        ExportPicture(*name, picture_.image());
    }
}

PrintTable PrintTableOf(const GridContents& grid, std::string title) {
    PrintTable t;
    t.title = std::move(title);
    t.columnWidths = grid.colWidthTwips;
    t.rowHeights = grid.rowHeightTwips;
    t.columnAlignment = grid.colAlignment;
    t.fixedAlignment = grid.fixedAlignment;
    t.fixedRows = grid.fixedRows;
    t.fixedCols = grid.fixedCols;
    for (const auto& row : grid.text) {
        std::vector<std::string>& cells = t.cells.emplace_back();
        for (const QString& cell : row)
            cells.push_back(cell.toStdString());
    }
    return t;
}

std::vector<PrintTable> ProcessPrintTables(const DlgProcessCalc& dialog) {
    return {PrintTableOf(dialog.tableContents(kGridInput), "Input Data"),
            PrintTableOf(dialog.tableContents(kGridProperty), "Properties"),
            PrintTableOf(dialog.tableContents(kGridProcess), "Process")};
}

void OutputCommands::attachProcessDialog(DlgProcessCalc& dialog) {
    dialog.printButton()->setEnabled(true);
    QObject::connect(&dialog, &DlgProcessCalc::printRequested, &dialog, [this, &dialog] {
        RunCommand(dialogs_, "'Print'", [this, &dialog] { PrintTables(ProcessPrintTables(dialog)); });
    });
    processCopy_ = [&dialog] {
        if (FlexGrid* grid = dialog.activeGridControl())
            CopyGridToClipboard(*grid);
    };
    QObject::connect(&dialog, &QObject::destroyed, [this] { processCopy_ = nullptr; });
}

void OutputCommands::Copy() {
    const View view = session_.ActiveView;
    try {
        if (view == View::Chart) {
            std::unique_ptr<QMimeData> data(ChartMimeData(picture_.image(), chartOnScreen()));
            QClipboard* clipboard = QGuiApplication::clipboard();
            clipboard->clear();
            clipboard->setMimeData(data.release());
        } else if (view == View::Process) {
            if (processCopy_)
                processCopy_();
        }
    } catch (const RunTimeFault&) {
        ShowClipboardFailure(dialogs_, std::string("Copy command in ") + ViewName(view));
    }
}

} // namespace hyg
