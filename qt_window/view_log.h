// A log of what the chart view shows, for tests that drive the real program
// from outside (under a real window manager, with a real pointer): the
// screen rectangles of the client area, the status bar, the viewport and
// its scroll bars, the scroll positions, the read-out under the pointer and
// the read-outs at the view's corners. A line is appended whenever any of
// it changes. Started by main() when HYGRANA_VIEW_LOG names a file.
#pragma once

#include <QFile>
#include <QObject>
#include <QString>

namespace hyg {

class MdiDiagram;

class ViewLog : public QObject {
    Q_OBJECT
public:
    ViewLog(MdiDiagram& window, const QString& path);

private:
    void sample();

    MdiDiagram& window_;
    QFile file_;
    QString last_;
};

} // namespace hyg
