#include "qt_window/single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace hyg {

namespace {
constexpr char kActivate[] = "activate\n";
} // namespace

SingleInstance::SingleInstance(QString key, QObject* parent)
    : QObject(parent)
    , key_(std::move(key)) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultKey() {
    const QString env = qEnvironmentVariable("HYGRANA_INSTANCE_KEY");
    if (!env.isEmpty())
        return env;
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    if (user.isEmpty())
        user = QStringLiteral("user");
    return QStringLiteral("hygrana-") + user;
}

bool SingleInstance::notifyRunning(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kActivate);
    socket.flush();
    socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::claimOrNotify(int timeoutMs) {
    // Two copies started at the same moment take turns here, so only one
    // of them becomes the listener.
    QLockFile lock(QDir(QDir::tempPath()).filePath(key_ + QStringLiteral(".lock")));
    lock.tryLock(timeoutMs * 3);
    if (notifyRunning(timeoutMs))
        return true;
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(key_)) {
        // A socket left behind by a copy that crashed.
        QLocalServer::removeServer(key_);
        server_->listen(key_);
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::onConnection);
    return false;
}

void SingleInstance::onConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains("activate"))
                emit activationRequested();
        });
        if (socket->bytesAvailable() > 0 && socket->readAll().contains("activate"))
            emit activationRequested();
    }
}

} // namespace hyg
