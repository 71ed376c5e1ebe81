#include "qt_window/main_window.h"

#include "qt_window/air_readout.h"
#include "qt_window/command_guard.h"
#include "chart/process_lines.h"
#include "qt_window/wait_cursor.h"
#include "qt_dialogs/about_dialog.h"
#include "qt_dialogs/chart_range_dialog.h"
#include "qt_dialogs/dialog_buttons.h"
#include "qt_dialogs/line_unit_dialog.h"
#include "files/plot_file.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace hyg {

MdiDiagram::MdiDiagram(UserDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent) {
    setObjectName("MdiDiagram");
    setWindowTitle(kWindowTitle);
    if (dialogs == nullptr) {
        ownDialogs_ = std::make_unique<QtUserDialogs>(this);
        dialogs = ownDialogs_.get();
    }
    dialogs_ = dialogs;
    runDialog_ = [](QDialog& d) { return d.exec(); };

    // Load: the defaults of the settings, the chart as the active view, a
    // blank canvas of 5000 by 3500 twips, the scroll bars hidden.
    session_ = Session{};
    auto* client = new QWidget(this);
    client->setObjectName("MdiClient");
    setCentralWidget(client);
    viewport_ = new ChartViewport(session_.chart.settings, client);
    settings().PictureWidth = static_cast<float>(viewport_->picture()->widthTwips());
    settings().PictureHeight = static_cast<float>(viewport_->picture()->heightTwips());

    draw_ = std::make_unique<DrawCommands>(session_, *viewport_, *dialogs_);
    files_ = std::make_unique<FileCommands>(session_, *dialogs_);
    output_ = std::make_unique<OutputCommands>(session_, *viewport_->picture(), *draw_, *dialogs_);
    process_ = std::make_unique<ProcessCommands>(session_, *draw_, *dialogs_);
    // The process lines as the chart was laid out: a repaint of the picture
    // after a settings dialog or a new calculation shows what was drawn.
    draw_->setProcessLines([this](PenPlotter& out) {
        if (const ChartSettings* drawn = draw_->drawnSettings())
            DrawProcessLines(out, *drawn, draw_->drawnStates());
    });
    menus_ = BuildMainMenus(*this);

    readout_ = new QLabel(this);
    readout_->setObjectName("Lbl_Readout");
    statusBar()->addWidget(readout_, 1);
    statusBar()->setSizeGripEnabled(true);

    connectCanvas();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        resize(std::min(1100, avail.width() * 9 / 10), std::min(800, avail.height() * 9 / 10));
    } else {
        resize(1000, 720);
    }
}

MdiDiagram::~MdiDiagram() = default;

void MdiDiagram::runToolKey(const QString& key) {
    if (QAction* a = menus_.actionOfToolKey(key); a && a->isEnabled())
        a->trigger();
}

bool MdiDiagram::guarded(const char* name, const std::function<void()>& command) {
    return RunCommand(*dialogs_, name, command);
}

void MdiDiagram::OpenFile() {
    guarded("'Open...'", [this] {
        // The opened chart replaces the one showing, seen whole.
        if (files_->OpenFile() && viewport_->picture()->hasScene())
            draw_->ZoomOut();
    });
}

void MdiDiagram::SaveFile() {
    guarded("'Save...'", [this] { files_->SaveFile(); });
}

void MdiDiagram::PlotOutput() {
    guarded("'Save...'", [this] { files_->PlotOutput(); });
}

void MdiDiagram::Print() {
    guarded("'Print...'", [this] { output_->Print(); });
}

void MdiDiagram::SavePicture() {
    guarded("'Save Graph...'", [this] { output_->SavePicture(); });
}

void MdiDiagram::Copy() {
    // Its own faults end it with the clipboard message; the guard keeps
    // anything else from the event loop.
    guarded("'Copy'", [this] { output_->Copy(); });
}

void MdiDiagram::Exit() {
    guarded("'Exit'", [this] { close(); });
}

void MdiDiagram::DrawRedraw() {
    guarded("'Draw/Redraw'", [this] { draw_->DrawRedraw(); });
}

void MdiDiagram::ZoomIn() {
    guarded("'Zoom In'", [this] { draw_->ZoomIn(); });
}

void MdiDiagram::ZoomOut() {
    guarded("'Zoom Out'", [this] { draw_->ZoomOut(); });
}

void MdiDiagram::ProcessInput() {
    guarded("'Input/Calculation'", [this] {
        process_->InputCalculation(this, runDialog_, [this](DlgProcessCalc& d) { output_->attachProcessDialog(d); });
    });
}

void MdiDiagram::ProcessDraw() {
    // The check mark follows the switch, also when the command stops early.
    guarded("'Draw Process Line'", [this] { process_->DrawProcessLine(); });
    menus_.processDraw->setChecked(settings().DrawProcessLines == 1);
}

void MdiDiagram::AddStateHere() {
    guarded("'Add State Here'", [this] { process_->AddStateHere(contextPoint_); });
}

void MdiDiagram::connectCanvas() {
    ChartPicture* picture = viewport_->picture();
    connect(picture, &ChartPicture::dragFinished, this, [this](QPointF start, QPointF end) {
        session_.ActiveView = View::Chart;
        session_.DragStartX = static_cast<float>(start.x());
        session_.DragStartY = static_cast<float>(start.y());
        session_.DragEndX = static_cast<float>(end.x());
        session_.DragEndY = static_cast<float>(end.y());
    });
    connect(picture, &ChartPicture::activated, this, [this] { session_.ActiveView = View::Chart; });
    connect(viewport_, &ChartViewport::activated, this, [this] { session_.ActiveView = View::Chart; });
    connect(picture, &ChartPicture::contextMenuRequested, this, [this, picture](QPoint pos) {
        contextPoint_ = picture->toScale(picture->mapFromGlobal(pos));
        menus_.addStateHere->setEnabled(process_->canAddState());
        menus_.contextMenu->popup(pos);
    });
    connect(picture, &ChartPicture::pointerMoved, this, &MdiDiagram::showReadout);
    connect(picture, &ChartPicture::pointerLeft, readout_, &QLabel::clear);
}

void MdiDiagram::closeEvent(QCloseEvent* event) {
    if (dialogs_->askYesNo("Do you really want to exit the application?", kTitle, MessageIcon::Question, true)) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MdiDiagram::mousePressEvent(QMouseEvent* event) {
    session_.ActiveView = View::Chart;
    QMainWindow::mousePressEvent(event);
}

void MdiDiagram::bringToFront() {
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void MdiDiagram::ColorMonoChange() {
    guarded("'Color/Mono Change'", [this] {
        ChartSettings& s = settings();
        const std::int16_t old = s.ColorMode;
        s.ColorMode = static_cast<std::int16_t>(1 - s.ColorMode);
        if (old == 1) {
            s.PenColor = MonoPenTable();
        } else if (s.ColorMode == 1) {
            s.PenColor = ColourPenTable();
        }
        draw_->DrawRedraw();
    });
}

void MdiDiagram::ToolBarSwitch() {
    QAction* check = menus_.optionToolBar;
    if (!menus_.toolbar->isHidden()) {
        menus_.toolbar->hide();
        check->setChecked(false);
    } else {
        menus_.toolbar->show();
        check->setChecked(true);
    }
}

void MdiDiagram::PaperSize(int n) {
    guarded("'Plotter Paper Size'", [this, n] {
        try {
            SetPlotterPaper(settings(), static_cast<PlotterPaper>(n));
        } catch (const RunTimeFault&) {
            // Ignored: the check marks still move.
        }
        for (QAction* a : menus_.paper)
            a->setChecked(false);
        if (n >= 0 && n < static_cast<int>(menus_.paper.size()))
            menus_.paper[static_cast<std::size_t>(n)]->setChecked(true);
    });
}

void MdiDiagram::ChartRange() {
    guarded("'Chart Range...'", [this] {
        // The hourglass shows while the dialog loads.
        WaitCursor wait;
        DlgChartRange dialog(settings(), this);
        wait.release();
        runDialog_(dialog);
        RethrowStoreFault(dialog);
    });
}

void MdiDiagram::LineUnit() {
    guarded("'Unit and Draw Line Selection...'", [this] {
        DlgLineUnit dialog(settings(), this);
        runDialog_(dialog);
        RethrowStoreFault(dialog);
    });
}

void MdiDiagram::About() {
    guarded("'About...'", [this] {
        DlgAbout dialog(this);
        runDialog_(dialog);
    });
}

void MdiDiagram::showReadout(QPointF plane) {
    const ChartSettings* drawn = draw_->drawnSettings();
    if (drawn == nullptr) {
        readout_->clear();
        return;
    }
    const auto air = ReadAirAt(*drawn, draw_->drawnFrame(), plane.x(), plane.y());
    readout_->setText(air ? QString::fromStdString(FormatAirReadout(*air, settings())) : QString());
}

} // namespace hyg
