// One copy per user session: a second start reaches the first, which brings
// its window forward, and is told to end.
#include "app/main_window.h"
#include "app/single_instance.h"
#include "tests/app/scripted_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

using namespace hyg;

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondStartActivatesTheFirst();
    void keyFollowsTheEnvironment();
    void programEndsWhenACopyRuns();
};

void TestSingleInstance::secondStartActivatesTheFirst() {
    const QString key = "hygrana-test-" + QUuid::createUuid().toString(QUuid::Id128);
    test::ScriptedDialogs dialogs;
    MdiDiagram window(&dialogs);
    window.resize(700, 500);
    window.showMinimized();

    SingleInstance first(key);
    QVERIFY(!first.claimOrNotify(500)); // nobody else: this copy listens
    QObject::connect(&first, &SingleInstance::activationRequested, &window, &MdiDiagram::bringToFront);
    QSignalSpy spy(&first, &SingleInstance::activationRequested);

    SingleInstance second(key);
    QVERIFY(second.claimOrNotify(500)); // the first answered: end this copy
    QTRY_COMPARE(spy.count(), 1);
    QVERIFY(window.isVisible());
    QVERIFY(!window.isMinimized());

    // A third start does the same.
    SingleInstance third(key);
    QVERIFY(third.claimOrNotify(500));
    QTRY_COMPARE(spy.count(), 2);
}

void TestSingleInstance::keyFollowsTheEnvironment() {
    qputenv("HYGRANA_INSTANCE_KEY", "custom-key");
    QCOMPARE(SingleInstance::DefaultKey(), QString("custom-key"));
    qunsetenv("HYGRANA_INSTANCE_KEY");
    QVERIFY(SingleInstance::DefaultKey().startsWith("hygrana-"));
}

void TestSingleInstance::programEndsWhenACopyRuns() {
    // The program beside the test programs' folder.
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath("../hygrana");
    if (!QFileInfo(program).isExecutable()) QSKIP("the hygrana program is not built");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HYGRANA_INSTANCE_KEY", "hygrana-test-" + QUuid::createUuid().toString(QUuid::Id128));

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(program);
    QVERIFY(first.waitForStarted());
    // Wait until the first copy listens.
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            QLocalSocket probe;
            probe.connectToServer(env.value("HYGRANA_INSTANCE_KEY"));
            return probe.waitForConnected(100);
        }(),
        10000);

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(program);
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished(5000);
}

QTEST_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
