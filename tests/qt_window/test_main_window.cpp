// The main window as loaded and its small commands: defaults, the tool bar
// keys, the colour, tool bar and paper switches, the dialogs the menus
// open, the exit question, and faults inside a command.
#include "tests/qt_window/window_fixture.h"

using namespace hyg;
using namespace hyg::test;

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void defaultsAtLoad();
    void switchesAndToolKeys();
    void exitQuestion();
    void settingsDialogs();
    void faultsEndTheCommandWithItsMessage();
};

void TestMainWindow::defaultsAtLoad() {
    WindowFixture f(QSize(1000, 700), false);
    ChartPicture* p = f.picture();
    QCOMPARE(
        SettingsText(f.settings()),
        QString("P 760 760 mmHg | T 10..40 | x 27 | shf 17,17 | mr 8 | vh 10 | flow 50 | units 110 type 1 | "
                "lines 11111111 | drawn 0 process 0 colour 1 | plane -500 4500 -350 3150 | plotter 0 0 15000 10500"));
    // The canvas: 5000 x 3500 twips with the start-up scale, blank; the scroll bars hidden.
    QCOMPARE(QSize(p->widthTwips(), p->heightTwips()), QSize(5000, 3500));
    QCOMPARE(QList<double>({p->userScale().top, p->userScale().height}), QList<double>({-350, 3500}));
    QImage white(p->image().size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    QCOMPARE(p->image().convertToFormat(QImage::Format_RGB32), white);
    QVERIFY(f.window->viewport().vertical()->isHidden() && f.window->viewport().horizontal()->isHidden());
}

void TestMainWindow::switchesAndToolKeys() {
    WindowFixture f;
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
    QCOMPARE(f.settings().DrawCount, 0);
    // Colour and mono: each switch redraws; twice gives the start back.
    f.trigger("MnuOptionColor");
    QVERIFY(f.settings().ColorMode == 0 && f.settings().PenColor == MonoPenTable());
    f.trigger("MnuOptionColor");
    QVERIFY(f.settings().ColorMode == 1 && f.settings().PenColor == ColourPenTable());
    QCOMPARE(f.settings().DrawCount, 2);
    // The tool bar switch and its check mark; no redrawing.
    f.trigger("MnuOptionComTool");
    QVERIFY(f.window->toolbar()->isHidden() && !f.action("MnuOptionComTool")->isChecked());
    f.trigger("MnuOptionComTool");
    QVERIFY(f.window->toolbar()->isVisible() && f.action("MnuOptionComTool")->isChecked());
    QCOMPARE(f.settings().DrawCount, 2);
    // Tool bar keys compare case-sensitively; an unknown key does nothing.
    for (const char* key : {"Refresh", "nothing", "refresh"})
        f.window->runToolKey(key);
    QCOMPARE(f.settings().DrawCount, 3);
}

void TestMainWindow::exitQuestion() {
    WindowFixture f;
    f.trigger("MnuGraphComDraw");
    const QImage chart = f.picture()->image();
    f.dialogs.yesNoAnswers.push_back(false);
    f.trigger("MnuFileComExit");
    QVERIFY(f.window->isVisible());
    QCOMPARE(f.picture()->image(), chart);
    QCOMPARE(f.dialogs.questions.size(), size_t(1));
    const auto& q = f.dialogs.questions[0];
    QCOMPARE(q.text + " / " + q.title, std::string("Do you really want to exit the application? / Hygrana"));
    QVERIFY(q.icon == MessageIcon::Question && q.defaultNo);
    f.dialogs.yesNoAnswers.push_back(true);
    QVERIFY(f.window->close());
    QVERIFY(!f.window->isVisible());
}

void TestMainWindow::settingsDialogs() {
    WindowFixture f;
    // Each menu item runs its dialog with the hourglass gone; what OK stores stays, and nothing is redrawn.
    QStringList seen;
    f.window->setDialogRunner([&](QDialog& d) {
        seen << d.objectName() + " " + d.windowTitle();
        [] { QVERIFY(QApplication::overrideCursor() == nullptr); }();
        if (auto* list = d.findChild<QListWidget*>("List_Value_1"))
            list->setCurrentRow(15); // 5 deg C
        if (auto* ok = d.findChild<QPushButton*>("Com_OK"))
            ok->click();
        return d.result();
    });
    for (const char* item : {"MnuOptionComChartRange", "MnuOptionComLineUnit", "MnuFileComAbout"})
        f.trigger(item);
    QCOMPARE(seen,
             (QStringList{"DlgChartRange Diagram Setting", "DlgLineUnit Diagram Setting", "DlgAbout About Hygrana"}));
    QCOMPARE(f.settings().MinDryBulb, 5.0f);
    QCOMPARE(f.settings().DrawCount, 0);
}

namespace {

// File dialogs that fail as a broken file system or a missing portal would.
class FailingDialogs : public ScriptedDialogs {
public:
    std::optional<std::string> askSaveFileName(const FileDialogRequest&) override { throw RunTimeFault("no dialog"); }
    std::optional<std::string> askOpenFileName(const FileDialogRequest&) override { throw IndexFault("no dialog"); }
};

} // namespace

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
    QStringList texts;
    for (const auto& m : dialogs.messages) {
        QVERIFY(m.title == "Hygrana" && m.icon == MessageIcon::Exclamation);
        texts << QString::fromStdString(m.text);
    }
    QCOMPARE(texts, QStringList({"Sorry, failed 'Chart Range...' command.",
                                 "Sorry, failed 'Unit and Draw Line Selection...' command.",
                                 "Sorry, failed 'Save...' command.", "Sorry, failed 'Open...' command.",
                                 "Sorry, failed 'Save...' command."}));
    QCOMPARE(SettingsText(window.settings()), before);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
