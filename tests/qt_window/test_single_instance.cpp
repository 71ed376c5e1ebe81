// The one-copy rule against another user on the same machine and against a listener out of file descriptors: the
// socket lives in the user's private runtime folder under the numeric user id, a name someone else claimed in the
// shared temporary folder is never used, a planted link or a folder of another user is refused without touching
// what it points to, and the listener keeps its socket through a shortage of descriptors.
#include "qt_window/single_instance.h"

#include <QtNetwork>
#include <QtTest>

#include <pwd.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace hyg;

class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void init();
    void aNameClaimedByAnotherUserIsNotUsed();
    void onlyAPrivateFolderOfTheUserIsUsed();
    void theListenerKeepsItsSocketWithoutDescriptors();

private:
    const QString key_ = "hygrana-test-" + QString::number(QCoreApplication::applicationPid());
    const QString own_ = "/hygrana-" + QString::number(::getuid());
    std::unique_ptr<QTemporaryDir> dir_;
};

// Each case in a fresh shared temporary folder of its own, where the private one is made, and without a
// runtime folder unless it sets one (this test program is all that reads them).
void TestSingleInstance::init() {
    static const QByteArray machineTmp = qgetenv("TMPDIR"); // an empty one means /tmp
    dir_.reset();
    qputenv("TMPDIR", machineTmp);
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid() && QDir().mkpath(dir_->filePath("tmp")));
    QFile::setPermissions(dir_->filePath("tmp"), QFile::Permissions(0x7777));
    qputenv("TMPDIR", QFile::encodeName(dir_->filePath("tmp")));
    qunsetenv("XDG_RUNTIME_DIR");
}

// Someone listening on a name an earlier version used in the shared temporary folder gets no message
// and does not end this copy.
void TestSingleInstance::aNameClaimedByAnotherUserIsNotUsed() {
    QCOMPARE(SingleInstance::DefaultKey(), own_.mid(1));
    for (const QString& name : {QString("hygrana-") + qEnvironmentVariable("USER"), QString("hygrana-user")}) {
        QLocalServer squatter;
        QLocalServer::removeServer(QDir::tempPath() + "/" + name);
        QVERIFY(squatter.listen(QDir::tempPath() + "/" + name));
        SingleInstance copy(SingleInstance::DefaultKey());
        QVERIFY2(!copy.claimOrNotify(300) && copy.listening(), qPrintable(name)); // nobody of ours answered
        QCoreApplication::processEvents();
        QVERIFY(!squatter.hasPendingConnections());
        QVERIFY(copy.socketPath().startsWith(QDir::tempPath() + own_ + "/"));
        QCOMPARE(QFileInfo(QFileInfo(copy.socketPath()).path()).permissions() & QFile::Permissions(0x0077),
                 QFile::Permissions());
    }
}

// XDG_RUNTIME_DIR open to others is passed over; a link planted where the private folder goes is refused
// and what it names keeps its permissions; a folder of another user there is refused.
void TestSingleInstance::onlyAPrivateFolderOfTheUserIsUsed() {
    const QString open = dir_->filePath("open"), own = QDir::tempPath() + own_;
    QVERIFY(QDir().mkpath(open));
    QFile::setPermissions(open, QFile::Permissions(0x7755));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(open));
    QCOMPARE(SingleInstance::PrivateFolder(), own);
    QVERIFY(QDir(own).removeRecursively() && QFile::link(open, own));
    QString why;
    QCOMPARE(SingleInstance::PrivateFolder(&why), QString());
    QVERIFY(!why.isEmpty());
    SingleInstance alone(key_);
    QVERIFY(!alone.claimOrNotify(300) && !alone.listening()); // runs, without the rule
    QVERIFY(QDir(open).isEmpty());
    QCOMPARE(QFileInfo(open).permissions(), QFile::Permissions(0x7755));
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() == 0 && nobody != nullptr) {
        QVERIFY(QFile::remove(own) && QDir().mkdir(own));
        QFile::setPermissions(own, QFile::Permissions(0x7700));
        QCOMPARE(::chown(QFile::encodeName(own).constData(), nobody->pw_uid, nobody->pw_gid), 0);
        QCOMPARE(SingleInstance::PrivateFolder(), QString());
    }
    const QString runtime = dir_->filePath("run");
    QVERIFY(QDir().mkpath(runtime));
    QFile::setPermissions(runtime, QFile::Permissions(0x7700));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    QCOMPARE(SingleInstance::PrivateFolder(), runtime);
}

// A connection arriving while the listener has no descriptor left waits in the queue; the socket stays,
// and both it and later starts get through.
void TestSingleInstance::theListenerKeepsItsSocketWithoutDescriptors() {
    SingleInstance first(key_);
    QVERIFY(!first.claimOrNotify(500));
    QSignalSpy spy(&first, &SingleInstance::activationRequested);
    // Connected and written before the shortage; the listener has not accepted it yet.
    QLocalSocket client;
    client.connectToServer(first.socketPath());
    QVERIFY(client.waitForConnected(1000) && client.write("activate\n") == 9 && client.waitForBytesWritten(1000));
    // Every descriptor taken, under a lowered limit, while the event loop runs.
    rlimit saved{}, low{};
    QCOMPARE(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    low = {256, saved.rlim_max};
    QCOMPARE(::setrlimit(RLIMIT_NOFILE, &low), 0);
    std::vector<int> taken;
    for (int fd; (fd = ::dup(static_cast<int>(client.socketDescriptor()))) >= 0;)
        taken.push_back(fd);
    const int shortage = errno;
    QTest::qWait(300);
    for (int fd : taken)
        ::close(fd);
    ::setrlimit(RLIMIT_NOFILE, &saved);
    QCOMPARE(shortage, EMFILE);
    QVERIFY(QFileInfo::exists(first.socketPath()));
    QTRY_COMPARE(spy.count(), 1);
    client.abort();
    SingleInstance later(key_);
    QVERIFY(later.claimOrNotify(500)); // the first answered: end this copy
    QTRY_COMPARE(spy.count(), 2);
}

QTEST_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
