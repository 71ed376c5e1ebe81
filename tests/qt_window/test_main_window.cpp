// The main window and its menu commands, headless: the viewport's arithmetic in twips; draw, zoom, scroll and
// resize; the pointer; the switches and the dialogs the menus open; Add State Here; the file, picture, copy and
// print commands with their cancels, failures and faults. The printed chart page is checked end to end
// (e2e_print_cups), which also runs the printer case here.
#include "tests/qt_window/window_fixture.h"

#include "chart/process_lines.h"
#include "qt_dialogs/process_dialog.h"
#include "qt_render/clipboard_copy.h"
#include "qt_window/air_readout.h"
#include "qt_window/viewport_math.h"

#include <cmath>

using namespace hyg;
using namespace hyg::test;

namespace {

const float kT[] = {25, 15, 30, 20, 35, 28, 22}, kRh[] = {50, 90, 30, 60, 40, 70, 45};

// The first `n` of the states above at 760 mmHg.
StatePointList States(int n) {
    StatePointList p;
    p.count = static_cast<std::int16_t>(n);
    for (std::size_t i = 1; i <= static_cast<std::size_t>(n); ++i)
        p.dryBulb[i] = kT[i - 1], p.relHum[i] = kRh[i - 1], p.pressure[i] = 760;
    return p;
}

QPointF PixelOf(WindowFixture& f, float t, float rh) {
    const PlotPoint p = StatePointOnChart(f.settings(), t, rh);
    return f.picture()->mapping().toPixel(QPointF(p.x, p.y));
}

QRgb DevicePixel(const QImage& image, QPointF logical) {
    const qreal r = image.devicePixelRatio();
    return image.pixel(static_cast<int>(logical.x() * r), static_cast<int>(logical.y() * r)) & 0xFFFFFF;
}

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

// File dialogs that fail as a broken file system or a missing portal would.
class FailingDialogs : public ScriptedDialogs {
public:
    std::optional<std::string> askSaveFileName(const FileDialogRequest&) override { throw RunTimeFault("no dialog"); }
    std::optional<std::string> askOpenFileName(const FileDialogRequest&) override { throw IndexFault("no dialog"); }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void viewportArithmetic();
    void drawZoomScrollResizeToTheDeepest();
    void pointerOnTheChart();
    void switchesAtLoad();
    void processLinesDrawTheStates();
    void menuDialogs();
    void addStateHere();
    void drawingErrorsAndTheExitQuestion();
    void faultsEndTheCommandWithItsMessage();
    void saveOpenAndOutput();
    void cancelIsSilentFailuresAreReported();
    void savePictureCopyAndTheProcessDialog();
    void printTablesOnSystemPrinter();

private:
    QString path(const char* name) const { return dir_.filePath(name); }
    std::string name(const char* file) const { return path(file).toStdString(); }
    QTemporaryDir dir_;
};

void TestMainWindow::viewportArithmetic() {
    // Bars 240 thick. 10000 x 5000: h 4640, w = 4640 / 0.7 = 6629, centred with the bar at (10000 - 6629 -
    // 240) / 2 = 1565.5, to even 1566. A tall one centres vertically; a tiny one keeps the bars.
    const struct { double W, H; const char* geometry; } clients[] = {
        {10000, 5000, "6629 4640 1566 60"}, {3000, 9000, "2640 1848 60 3456"}, {100, 100, "240 168 -190 -154"}};
    for (const auto& r : clients) {
        const ViewportGeometry g = LayoutViewport(r.W, r.H, 240, 240);
        QCOMPARE(QString("%1 %2 %3 %4").arg(g.w).arg(g.h).arg(g.left).arg(g.top), QString(r.geometry));
    }
    // Zoom plans for a viewport of 4786 x 3350 twips (319.07 x 223.33 px), a bar as "max value page line": a
    // click on the fitted chart (a fiftieth of the plane, the canvas 50 times the viewport); the whole plane
    // (size kept, ranges 0, steps at least 1); 100 units dragged up-left at 20 times (2.5 times deeper); a click
    // near the top-right corner (values at the range ends); one on the deepest view (1000 times the viewport).
    const struct { double x1, y1, x2, y2, canvasW, canvasH; const char* plan; } plans[] = {
        {1000, 1500, 1000, 1500, 4786, 3350,
         "f 0.02 x 950..1050 y 1465..1535 canvas 239300x167510 resized | v 10944 5153 223 22 | h 15634 4626 319 32"},
        {-500, -350, 4500, 3150, 4786, 3350, "f 1 x -500..4500 y -350..3150 canvas 4786x3350 | v 0 0 1 1 | h 0 0 1 1"},
        {1100, 1600, 1000, 1500, 95720, 67004,
         "f 0.02 x 1000..1100 y 1515..1585 canvas 239300x167510 resized | v 10944 4993 223 22 | h 15634 4786 319 32"},
        {4490, 3140, 4490, 3140, 4786, 3350,
         "f 0.02 x 4440..4540 y 3105..3175 canvas 239300x167510 resized | v 10944 0 223 22 | h 15634 15634 319 32"},
        {4490, 3140, 4490, 3140, 4786000, 3350200,
         "f 0.001 x 4487.5..4492.5 y 3138.25..3141.75 canvas 4786000x3350200 resized | v 223123 526 223 22 | "
         "h 318748 318269 319 32"},
    };
    for (const auto& r : plans) {
        const auto bar = [](const ScrollSetting& b) {
            return QString("%1 %2 %3 %4").arg(b.max).arg(b.value).arg(b.largeChange).arg(b.smallChange);
        };
        const ZoomPlan z = PlanZoom(r.x1, r.y1, r.x2, r.y2, r.canvasW, r.canvasH, 4786, 3350);
        QCOMPARE(QString("f %1 x %2..%3 y %4..%5 canvas %6x%7%8 | v %9 | h %10")
                     .arg(z.factor).arg(z.x1).arg(z.x2).arg(z.y1).arg(z.y2).arg(z.canvasW).arg(z.canvasH)
                     .arg(z.resize ? " resized" : "", bar(z.vertical), bar(z.horizontal)),
                 QString(r.plan));
    }
}

void TestMainWindow::drawZoomScrollResizeToTheDeepest() {
    WindowFixture f;
    ChartViewport& v = f.window->viewport();
    ChartPicture* p = f.picture();
    Session& s = f.session();
    const auto canvas = [p] { return QSize(p->widthTwips(), p->heightTwips()); };
    const auto bars = [&] { return QPoint(v.horizontal()->value(), v.vertical()->value()); };
    f.trigger("MnuGraphComDraw"); // (the scroll bars in the client area and the wheel are checked end to end)
    const CanvasSize c = FitCanvas(v.shadeWidth(), v.shadeHeight(), v.verticalBarWidth(), v.horizontalBarHeight());
    QCOMPARE(canvas(), QSize(c.w, c.h));
    // A click without a drag: a zero-size rectangle and a dot-sized mark.
    const QPointF at = p->mapping().toPixel(QPointF(2000, 1500));
    Mouse(p, QEvent::MouseButtonPress, at);
    Mouse(p, QEvent::MouseButtonRelease, at);
    QCOMPARE(QPointF(s.DragStartX, s.DragStartY), QPointF(s.DragEndX, s.DragEndY));
    QCOMPARE(DevicePixel(p->image(), at), QRgb(0xFF0000));
    // Zoom In by fifty from the rectangle's top-left corner; only the part in view is an image.
    const ZoomPlan z = PlanZoom(s.DragStartX, s.DragStartY, s.DragEndX, s.DragEndY, c.w, c.h, v.shadeWidth(),
                                v.shadeHeight());
    f.trigger("MnuGraphComIn");
    const int zoomedWide = canvas().width();
    QCOMPARE(zoomedWide, 50 * v.shadeWidth());
    QCOMPARE(f.settings().DrawCount, 2);
    QCOMPARE(bars(), QPoint(z.horizontal.value, z.vertical.value));
    const double px = 5000.0 / p->widthPixels(); // plane units a pixel
    const QPointF topLeft = p->toScale(QPointF(0, 0));
    QVERIFY(std::abs(topLeft.x() - 1950) < px && std::abs(topLeft.y() - 1535) < px);
    QCOMPARE(p->image().size(), (QSizeF(v.shade()->size()) * p->image().devicePixelRatio()).toSize());
    // The scroll bars move the canvas and make the chart the active view (the wheel is driven end to end).
    s.ActiveView = View::Process;
    v.vertical()->setValue(v.vertical()->maximum());
    v.horizontal()->setValue(v.horizontal()->maximum() / 2);
    QCOMPARE(QPoint(v.canvasLeft(), v.canvasTop()), -QPoint(v.horizontal()->value(), v.vertical()->maximum()));
    QVERIFY(s.ActiveView == View::Chart);
    QVERIFY(std::abs(p->toScale(QPointF(0, v.shade()->height())).y() - -350) < 2 * px);
    // An enlarged canvas stays through a resize.
    f.window->resize(1100, 760);
    QTRY_COMPARE(f.window->size(), QSize(1100, 760));
    QCOMPARE(canvas().width(), zoomedWide);
    QVERIFY(v.horizontal()->isVisible() && v.vertical()->isVisible());
    // Zoom Out fits again; a larger window then widens the canvas without drawing.
    f.trigger("MnuGraphComOut");
    QCOMPARE(QPoint(v.canvasLeft(), v.canvasTop()), QPoint(0, 0));
    QVERIFY(v.vertical()->isHidden() && v.horizontal()->isHidden());
    f.window->resize(1200, 840);
    QTRY_COMPARE(f.window->size(), QSize(1200, 840));
    QCOMPARE(canvas(), QSize(v.shadeWidth(), v.shadeHeight()));
    QCOMPARE(f.settings().DrawCount, 3);
    // The tool bar switch: its room goes to the viewport.
    const int shadeHigh = v.shade()->height();
    f.trigger("MnuOptionComTool");
    QVERIFY(f.window->toolbar()->isHidden() && !f.action("MnuOptionComTool")->isChecked());
    QTRY_VERIFY(v.shade()->height() > shadeHigh);
    // Zoom In on the line of 10 g/kgDA down to the deepest view: the line still runs across the middle.
    const double lineY = ChartY(f.settings(), 10);
    for (int i = 0; i < 3; ++i) {
        s.DragStartX = s.DragEndX = 2000;
        s.DragStartY = s.DragEndY = static_cast<float>(lineY);
        f.trigger("MnuGraphComIn");
    }
    QCOMPARE(p->widthPixels(), kMaxMagnification * v.shadeWidth() / 15);
    const QImage image = p->image();
    const double y = p->mapping().toPixel(QPointF(2000, lineY)).y();
    int inked = 0;
    for (int x = 0; x < image.width(); x += 10)
        inked += DevicePixel(image, QPointF(x, y)) != 0xFFFFFF;
    QVERIFY2(inked > image.width() / 20, qPrintable(QString::number(inked)));
    // The whole chart still goes into a vector picture, no wider than the view.
    f.dialogs.saveNames.push_back(name("deep.svg"));
    f.trigger("MnuGraphComSave");
    QVERIFY(f.dialogs.messages.empty());
    QVERIFY(ReadAll(path("deep.svg")).contains("width=\"" + QByteArray::number(p->width())));
}

void TestMainWindow::pointerOnTheChart() {
    WindowFixture f;
    f.trigger("MnuGraphComDraw");
    ChartPicture* p = f.picture();
    ChartSettings& cs = f.settings();
    // The read-out under the pointer; blank above the top edge and left of the saturation curve.
    const auto hover = [&](double X, double Y) {
        Mouse(p, QEvent::MouseMove, p->mapping().toPixel(QPointF(X, Y)), Qt::NoButton, Qt::NoButton);
        return f.window->readout()->text();
    };
    const QString text = hover(ChartX(cs, 25, 10), ChartY(cs, 10));
    QVERIFY2(QRegularExpression("^D\\.B\\. 2(4\\.9|5\\.0|5\\.1) \u00b0C   x 0\\.010.*kcal/kgDA$").match(text).hasMatch(),
             qPrintable(text));
    QCOMPARE(hover(ChartX(cs, 25, 10), 3100) + hover(ChartX(cs, 12, 20), ChartY(cs, 20)), QString());
    // Temperatures stay in deg C whatever the temperature unit.
    cs.EnthalpyUnit = UnitSystem::Imperial;
    cs.TemperatureUnit = 2;
    QVERIFY(QString::fromStdString(FormatAirReadout(AirReadout{25, 10, 50.04, 17.9, 12.25}, cs))
                .startsWith("D.B. 25.0 \u00b0C   x 0.0100 lbm/lbmDA"));
    // A drag up and to the left, back and forth on the way: the band lies over the image, which stays.
    const QImage before = p->image();
    const QPointF a(300, 200), b(100, 80);
    Mouse(p, QEvent::MouseButtonPress, a);
    for (int i = 1; i <= 5; ++i)
        Mouse(p, QEvent::MouseMove, a + (b - a) * (i / 5.0) + QPointF(i % 2 ? 40 : -40, 0));
    Mouse(p, QEvent::MouseMove, b);
    QCOMPARE(p->image(), before);
    Mouse(p, QEvent::MouseButtonRelease, b);
    // At the release a light red outline marks the rectangle, and only that.
    for (QPointF edge : {QPointF(200, 80), QPointF(100, 140)})
        QCOMPARE(DevicePixel(p->image(), edge), QRgb(0xFF0000));
    for (QPointF inOrOut : {QPointF(200, 140), QPointF(200, 40), QPointF(330, 220)})
        QCOMPARE(DevicePixel(p->image(), inOrOut), DevicePixel(before, inOrOut));
    // The chart's y grows upwards: the end lies left of and above the start, not reordered.
    const Session& s = f.session();
    const QPointF start = p->toScale(a), end = p->toScale(b);
    const auto dragged = [&s] { return QList<float>({s.DragStartX, s.DragStartY, s.DragEndX, s.DragEndY}); };
    QCOMPARE(dragged(), QList<float>({float(start.x()), float(start.y()), float(end.x()), float(end.y())}));
    QVERIFY(s.DragEndX < s.DragStartX && s.DragEndY > s.DragStartY);
    const QList<float> band = dragged();
    // The right button opens the context menu, leaves the rectangle alone and makes the chart active.
    f.session().ActiveView = View::Process;
    Mouse(p, QEvent::MouseButtonPress, QPointF(200, 150), Qt::RightButton, Qt::RightButton);
    QTRY_VERIFY(f.window->menus().contextMenu->isVisible());
    Mouse(p, QEvent::MouseMove, QPointF(250, 180), Qt::RightButton, Qt::RightButton);
    Mouse(p, QEvent::MouseButtonRelease, QPointF(250, 180), Qt::RightButton);
    f.window->menus().contextMenu->hide();
    QCOMPARE(dragged(), band);
    QVERIFY(s.ActiveView == View::Chart);
}

void TestMainWindow::switchesAtLoad() {
    WindowFixture f(QSize(1000, 700), false);
    // Paper B4, A4, A3, each twice (the same entry again changes nothing): radio items, no redrawing.
    const std::int32_t sizes[3][2] = {{15000, 10500}, {12500, 8750}, {10000, 7000}};
    for (int n : {1, 1, 2, 2, 0, 0}) {
        f.trigger(qPrintable(QString("MnuPaperCom_%1").arg(n)));
        const ChartSettings& s = f.settings();
        QCOMPARE(QList<std::int32_t>({s.PlotterP1X, s.PlotterP1Y, s.PlotterP2X, s.PlotterP2Y}),
                 QList<std::int32_t>({0, 0, sizes[n][0], sizes[n][1]}));
        for (int k = 0; k < 3; ++k) {
            QAction* entry = f.action(QString("MnuPaperCom_%1").arg(k));
            QVERIFY(entry->isChecked() == (k == n) && entry->actionGroup() && entry->actionGroup()->isExclusive());
        }
    }
    // The process lines without states: a message from the menu and from the pencil, nothing switched.
    f.trigger("MnuProcessDraw");
    f.window->runToolKey("pencil");
    QCOMPARE(f.dialogs.messages.size(), std::size_t(2));
    QCOMPARE(f.dialogs.messages[0].text + " / " + f.dialogs.messages[0].title,
             "Input Process Data with Process Input/Calculation Command ! / Ventaro");
    QVERIFY(f.dialogs.messages[0].icon == MessageIcon::None);
    QVERIFY(f.settings().DrawProcessLines == 0 && !f.window->menus().processDraw->isChecked());
    QCOMPARE(f.settings().DrawCount, 0);
    // Colour and mono: each switch redraws; twice gives the start back.
    f.trigger("MnuOptionColor");
    QVERIFY(f.settings().ColorMode == 0 && f.settings().PenColor == MonoPenTable());
    f.trigger("MnuOptionColor");
    QVERIFY(f.settings().ColorMode == 1 && f.settings().PenColor == ColourPenTable());
    QCOMPARE(f.settings().DrawCount, 2);
}

void TestMainWindow::processLinesDrawTheStates() {
    WindowFixture f(QSize(1280, 800));
    f.session().statePoints = States(3);
    f.trigger("MnuGraphComDraw");
    const auto image = [&f] { return f.picture()->image().convertToFormat(QImage::Format_RGB32); };
    const QImage plain = image();
    f.trigger("MnuProcessDraw");
    QVERIFY(f.dialogs.messages.empty() && f.settings().DrawProcessLines == 1 &&
            f.window->menus().processDraw->isChecked());
    // Everything drawn lies around the states (circles and arrowheads reach a few pixels beyond them).
    const QImage lines = image();
    QRect box, around;
    int changed = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x)
            changed += plain.pixel(x, y) != lines.pixel(x, y) ? (box |= QRect(x, y, 1, 1), 1) : 0;
    for (int i = 0; i < 3; ++i)
        around |= QRect(PixelOf(f, kT[i], kRh[i]).toPoint(), QSize(1, 1));
    QVERIFY2(changed > 10 && around.adjusted(-8, -8, 8, 8).contains(box),
             qPrintable(QString("%1 pixels in %2x%3").arg(changed).arg(box.width()).arg(box.height())));
    // Off again: the chart without the lines, the check mark cleared.
    f.trigger("MnuProcessDraw");
    QVERIFY(f.settings().DrawProcessLines == 0 && !f.window->menus().processDraw->isChecked());
    QCOMPARE(image(), plain);
}

void TestMainWindow::menuDialogs() {
    WindowFixture f;
    f.settings().EnthalpyUnit = UnitSystem::Imperial;
    // Each menu item runs its dialog with the hourglass gone; what OK stores stays, and nothing is
    // redrawn. The process dialog runs as the active view and takes the airflow in lb/h.
    QStringList seen;
    f.window->setDialogRunner([&](QDialog& d) {
        seen << d.objectName() + " " + d.windowTitle();
        [] { QVERIFY(QApplication::overrideCursor() == nullptr); }();
        if (auto* dlg = qobject_cast<DlgProcessCalc*>(&d)) {
            seen << QString::fromStdString(ViewName(f.session().ActiveView));
            dlg->grid(kGridInput)->setTextMatrix(1, 2, "25");
            dlg->grid(kGridInput)->setTextMatrix(1, 3, "50");
            dlg->Calculate();
            dlg->airflowField()->setText("220.46");
            dlg->CloseDialog();
        } else if (auto* list = d.findChild<QListWidget*>("List_Value_1")) {
            list->setCurrentRow(15); // 5 deg C
        }
        if (auto* ok = d.findChild<QPushButton*>("Com_OK"))
            ok->click();
        return d.result();
    });
    for (const char* item : {"MnuOptionComChartRange", "MnuOptionComLineUnit", "MnuFileComAbout", "MnuProcess"})
        f.trigger(item);
    QCOMPARE(seen, (QStringList{"DlgChartRange Diagram Setting", "DlgLineUnit Diagram Setting",
                                "DlgAbout About Hygrana", "DlgProcessCalc Calcurate Air Conditioning", "Process"}));
    QVERIFY(f.settings().MinDryBulb == 5.0f && f.settings().DrawCount == 0 && f.session().statePoints.count == 1);
    QCOMPARE(f.settings().DryAirflowRate, 100.0f); // 220.46 lb/h
}

void TestMainWindow::addStateHere() {
    WindowFixture f(QSize(1280, 800));
    const MainMenus& menus = f.window->menus();
    // Before a drawing there is no chart to pick from.
    emit f.picture()->contextMenuRequested(f.picture()->mapToGlobal(QPoint(100, 100)));
    QVERIFY(!menus.addStateHere->isEnabled());
    menus.contextMenu->hide();
    f.trigger("MnuGraphComDraw");
    // Through the real context menu at the pointer, seven times: the seventh state does not fit.
    for (int i = 0; i < 7; ++i) {
        emit f.picture()->contextMenuRequested(f.picture()->mapToGlobal(PixelOf(f, kT[i], kRh[i]).toPoint()));
        QVERIFY(menus.contextMenu->isVisible() && menus.addStateHere->isEnabled());
        menus.addStateHere->trigger();
        menus.contextMenu->hide();
    }
    const StatePointList& p = f.session().statePoints;
    QCOMPARE(p.count, 6);
    for (std::size_t i = 1; i <= 6; ++i) {
        // Within a pixel's worth of the state, rounded to two decimals.
        QVERIFY2(qAbs(p.dryBulb[i] - kT[i - 1]) < 0.1f && qAbs(p.relHum[i] - kRh[i - 1]) < 0.6f,
                 qPrintable(QString("%1 %2").arg(p.dryBulb[i]).arg(p.relHum[i])));
        QCOMPARE(p.dryBulb[i], std::round(p.dryBulb[i] * 100) / 100);
        QCOMPARE(p.pressure[i], 760.0f);
    }
    QVERIFY(f.dialogs.messages.size() == 1 && f.dialogs.messages[0].text == kStateListFullText);
    // Off the chart: a message, nothing added.
    f.session().statePoints.count = 5;
    f.window->processCommands().AddStateHere(QPointF(-450, 3100));
    QVERIFY(f.dialogs.messages.back().text == kNoAirStateHereText && f.session().statePoints.count == 5);
}

void TestMainWindow::drawingErrorsAndTheExitQuestion() {
    WindowFixture f;
    // A refused layout shows its own message once; the command adds none.
    f.settings().MaxDryBulb = f.settings().MinDryBulb;
    f.trigger("MnuGraphComDraw");
    QVERIFY(f.dialogs.messages.size() == 1 && f.dialogs.messages[0].text.find("Sorry") == std::string::npos);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    // A changed top humidity gives the notice with the application's title.
    f.settings().MaxDryBulb = 40;
    f.settings().MaxAbsHum = 20;
    f.trigger("MnuGraphComDraw");
    QCOMPARE(f.dialogs.messages.size(), size_t(2));
    QCOMPARE(f.dialogs.messages[1].text + " / " + f.dialogs.messages[1].title,
             "Hum. is 27 x1000 on diagram. / Ventaro");
    QCOMPARE(f.settings().DrawCount, 1);
    // Exit asks first; No keeps the window.
    f.dialogs.yesNoAnswers = {false, true};
    f.trigger("MnuFileComExit");
    QVERIFY(f.window->isVisible());
    const auto& q = f.dialogs.questions.at(0);
    QCOMPARE(q.text + " / " + q.title, "Do you really want to exit the application? / Hygrana");
    QVERIFY(f.dialogs.questions.size() == 1 && q.icon == MessageIcon::Question && q.defaultNo);
    QVERIFY(f.window->close() && !f.window->isVisible());
}

void TestMainWindow::faultsEndTheCommandWithItsMessage() {
    FailingDialogs dialogs;
    MdiDiagram window(&dialogs);
    const QString before = SettingsText(window.settings());
    // A fault inside a dialog (thrown by the runner), out of memory, and failing file dialogs: each
    // command ends with its own message and the settings stay as they were.
    int run = 0;
    window.setDialogRunner([&](QDialog&) -> int {
        if (run++ == 0)
            throw FloatingPointFault(FloatingPointFault::Kind::Overflow, "test");
        throw std::bad_alloc();
    });
    for (QAction* a : {window.menus().optionChartRange, window.menus().optionLineUnit, window.menus().fileSave,
                       window.menus().fileOpen, window.menus().filePlot})
        a->trigger();
    QStringList expected;
    for (const char* command : {"Chart Range...", "Unit and Draw Line Selection...", "Save...", "Open...", "Save..."})
        expected << QString("Hygrana: Sorry, failed '%1' command.").arg(command);
    QCOMPARE(MessageTexts(dialogs), expected.join(" / "));
    for (const auto& m : dialogs.messages)
        QVERIFY(m.icon == MessageIcon::Exclamation);
    QCOMPARE(SettingsText(window.settings()), before);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestMainWindow::saveOpenAndOutput() {
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

void TestMainWindow::cancelIsSilentFailuresAreReported() {
    WindowFixture f(QSize(800, 600), false);
    f.trigger("MnuGraphComDraw");
    QVERIFY(WriteAll(path("corvane.bmp"), "old picture"));
    const QString before = SettingsText(f.settings());
    QStringList files = QDir(dir_.path()).entryList(QDir::Files);
    // Cancel (for a picture also the answer No to the file dialog's overwrite question): nothing
    // written, nothing said.
    for (const char* command : {"MnuFileComSave", "MnuFileComOpen", "MnuFileComPlot", "MnuFileComPrint",
                                "MnuGraphComSave"})
        f.trigger(command);
    QVERIFY(f.dialogs.saveRequests.size() + f.dialogs.openRequests.size() == 4 && f.dialogs.printerRequests == 1);
    QVERIFY2(f.dialogs.messages.empty(), qPrintable(MessageTexts(f.dialogs)));
    QCOMPARE(SettingsText(f.settings()), before);
    QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), files);
    QCOMPARE(ReadAll(path("corvane.bmp")), QByteArray("old picture"));
    // A file that does not read: its line in the message, the settings as they were.
    QVERIFY(WriteAll(path("bad.dat"), "0,15000\r\n0,10500\r\n-500,4500\r\n-350,3150\r\n760,27\r\n40,10,3\r\n"));
    f.dialogs.openNames.push_back(name("bad.dat"));
    f.trigger("MnuFileComOpen");
    const QString bad = MessageTexts(f.dialogs);
    QVERIFY2(bad.startsWith("Hygrana: ") && bad.contains("Line") && !bad.contains(" / "), qPrintable(bad));
    QVERIFY(f.dialogs.messages[0].icon == MessageIcon::Exclamation);
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

void TestMainWindow::savePictureCopyAndTheProcessDialog() {
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
    QVERIFY(ReadAll(path("chart.svg")).contains("<svg") && !ReadAll(path("chart.svg")).contains("<image"));
    QVERIFY(ReadAll(path("chart.pdf")).startsWith("%PDF"));
    // Copy: the picture and an SVG replace the text that was on the clipboard.
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("text that was there");
    f.trigger("MnuEditComCopy");
    const QMimeData* data = clipboard->mimeData();
    QVERIFY(f.dialogs.messages.empty() && !data->hasText() && data->hasImage());
    QCOMPARE(qvariant_cast<QImage>(data->imageData()).convertToFormat(QImage::Format_RGB32), screen);
    const QByteArray svg = data->data(kSvgMimeType);
    QVERIFY(svg.contains("<svg") && svg.contains("width=\"" + QByteArray::number(qRound(f.picture()->widthPixels()))));
    // In the process dialog (three states) its Print button prints the three tables as the dialog shows
    // them, and Edit > Copy copies the block of the table last clicked as the dialog's own Copy does.
    f.session().statePoints = States(3);
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
    // A fault in the process dialog's copy gives its message.
    f.session().ActiveView = View::Process;
    f.window->outputCommands().setProcessCopy([] { throw RunTimeFault("no block"); });
    f.trigger("MnuEditComCopy");
    QCOMPARE(MessageTexts(f.dialogs), QString("Hygrana: Sorry !\rError occured on Copy command in Process."));
}

void TestMainWindow::printTablesOnSystemPrinter() {
    // Run by the end-to-end printer test with a queue of its private CUPS daemon: three tables on A4, the
    // first one long enough to go on over a second page. The filters on the way lose the text (the fonts
    // become Type 3), so the same job also goes to a reference PDF to read the text from.
    const QByteArray queue = qgetenv("HYGRANA_TEST_PRINTER"), reference = qgetenv("HYGRANA_TEST_REFERENCE");
    if (queue.isEmpty())
        QSKIP("no test printer (HYGRANA_TEST_PRINTER)");
    WindowFixture f(QSize(800, 600), false);
    std::vector<PrintTable> tables;
    for (const auto& [title, rows, head] : {std::tuple("Input Data", 70, "Press.\rmmHg"),
                                            std::tuple("Properties", 7, "D.Satu.\r%"),
                                            std::tuple("Process", 6, "Entahlpy\rkcal/kgDA")}) {
        PrintTable& t = tables.emplace_back(PrintTable{.title = title, .columnWidths = {400, 1000, 800, 800, 1000}});
        t.rowHeights = {500};
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

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
