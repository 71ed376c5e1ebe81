#include "qt_window/view_log.h"

#include "qt_window/air_readout.h"
#include "qt_window/main_window.h"

#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>

namespace hyg {

namespace {

// "x,y,w,h" on the screen, or "hidden".
QString ScreenRect(const QWidget* w) {
    if (!w->isVisible())
        return QStringLiteral("hidden");
    const QPoint at = w->mapToGlobal(QPoint(0, 0));
    return QStringLiteral("%1,%2,%3,%4").arg(at.x()).arg(at.y()).arg(w->width()).arg(w->height());
}

// How often the view is looked at (ms): fast enough that a test waits a
// moment, slow enough to cost nothing.
constexpr int kSamplePeriod = 40;

} // namespace

ViewLog::ViewLog(MdiDiagram& window, const QString& path)
    : QObject(&window)
    , window_(window)
    , file_(path) {
    file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &ViewLog::sample);
    timer->start(kSamplePeriod);
}

void ViewLog::sample() {
    ChartViewport& v = window_.viewport();
    ChartPicture* p = v.picture();
    const auto corner = [&](QPointF px) {
        const ChartSettings* drawn = window_.drawCommands().drawnSettings();
        if (drawn == nullptr)
            return QString();
        const QPointF plane = p->toScale(px);
        const auto air = ReadAirAt(*drawn, window_.drawCommands().drawnFrame(), plane.x(), plane.y());
        return air ? QString::fromStdString(FormatAirReadout(*air, window_.settings())) : QString();
    };
    const QString line =
        QStringLiteral("client=%1 status=%2 shade=%3 vsb=%4 hsb=%5 v=%6/%7 h=%8/%9 canvas=%10x%11 drawn=%12 "
                       "pointer=[%13] topleft=[%14] bottomright=[%15]")
            .arg(ScreenRect(window_.centralWidget()), ScreenRect(window_.statusBar()), ScreenRect(v.shade()),
                 ScreenRect(v.vertical()), ScreenRect(v.horizontal()))
            .arg(v.vertical()->value())
            .arg(v.vertical()->maximum())
            .arg(v.horizontal()->value())
            .arg(v.horizontal()->maximum())
            .arg(p->widthTwips())
            .arg(p->heightTwips())
            .arg(window_.settings().DrawCount)
            .arg(window_.readout()->text(), corner(QPointF(0, 0)), corner(QPointF(p->width(), p->height())));
    if (line == last_)
        return;
    last_ = line;
    file_.write(line.toUtf8() + '\n');
    file_.flush();
}

} // namespace hyg
