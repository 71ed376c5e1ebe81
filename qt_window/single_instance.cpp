#include "qt_window/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <QLockFile>
#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace hyg {

namespace {

constexpr char kActivate[] = "activate\n";

// Connections waiting while the listener has no descriptor to spare.
constexpr int kBacklog = 16;
// How long the listener rests after running out of descriptors before it
// tries to take the waiting connections again.
constexpr int kDescriptorRetryMs = 100;

QString SystemReason(int errnum) {
    return QString::fromLocal8Bit(std::strerror(errnum));
}

// Whether `path` is a folder (not a link) of this user closed to everyone
// else; with `tighten`, a folder of this user that others may enter is
// closed first. Opened without following links, checked through the
// descriptor, so a link swapped in between is not followed either.
bool IsPrivateFolder(const QString& path, bool tighten, QString& why) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        why = path + QStringLiteral(" cannot be used: ") + SystemReason(errno);
        return false;
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    if (ok && st.st_uid != ::getuid()) {
        why = path + QStringLiteral(" belongs to another user");
        ok = false;
    } else if (ok && (st.st_mode & 077) != 0) {
        if (!tighten || ::fchmod(fd, 0700) != 0) {
            why = path + QStringLiteral(" is open to other users");
            ok = false;
        }
    }
    ::close(fd);
    return ok;
}

} // namespace

SingleInstance::SingleInstance(QString key, QObject* parent)
    : QObject(parent)
    , key_(std::move(key)) {
    // A plain name inside the folder, whatever the environment says.
    key_.replace(QLatin1Char('/'), QLatin1Char('_'));
}

SingleInstance::~SingleInstance() {
    delete notifier_;
    if (listenFd_ >= 0) {
        ::close(listenFd_);
        ::unlink(QFile::encodeName(path_).constData());
    }
}

QString SingleInstance::DefaultKey() {
    QString env = qEnvironmentVariable("HYGRANA_INSTANCE_KEY");
    if (!env.isEmpty())
        return env;
    return QStringLiteral("hygrana-") + QString::number(::getuid());
}

QString SingleInstance::PrivateFolder(QString* why) {
    QString reason;
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && IsPrivateFolder(runtime, false, reason))
        return runtime;
    QString own = QDir::tempPath() + QStringLiteral("/hygrana-") + QString::number(::getuid());
    if (::mkdir(QFile::encodeName(own).constData(), 0700) != 0 && errno != EEXIST) {
        reason = own + QStringLiteral(" cannot be made: ") + SystemReason(errno);
    } else if (IsPrivateFolder(own, true, reason)) {
        return own;
    }
    if (why)
        *why = reason;
    return QString();
}

bool SingleInstance::notifyRunning(int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(path_);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kActivate);
    socket.flush();
    socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::claimOrNotify(int timeoutMs) {
    QString why;
    const QString folder = PrivateFolder(&why);
    if (folder.isEmpty()) {
        qWarning("hygrana: no private runtime folder (%s); this copy runs without the one-copy rule", qPrintable(why));
        return false;
    }
    path_ = folder + QLatin1Char('/') + key_;

    // Two copies started at the same moment take turns here, so only one
    // of them becomes the listener. A lock that cannot be had in time is
    // held by a copy that hangs: go on rather than wait for ever.
    QLockFile lock(path_ + QStringLiteral(".lock"));
    if (!lock.tryLock(timeoutMs * 3) && lock.error() != QLockFile::LockFailedError)
        qWarning("hygrana: cannot lock %s.lock", qPrintable(path_));
    if (notifyRunning(timeoutMs))
        return true;
    if (!listen(why))
        qWarning("hygrana: cannot listen on %s (%s); this copy runs without the one-copy rule", qPrintable(path_),
                 qPrintable(why));
    return false;
}

bool SingleInstance::listen(QString& why) {
    const QByteArray name = QFile::encodeName(path_);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (name.size() >= static_cast<qsizetype>(sizeof addr.sun_path)) {
        why = SystemReason(ENAMETOOLONG);
        return false;
    }
    std::memcpy(addr.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        why = SystemReason(errno);
        return false;
    }
    const auto bindTo = [&] { return ::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0; };
    bool bound = bindTo();
    if (!bound && errno == EADDRINUSE) {
        // Nobody answered on it: a socket left behind by a copy that ended
        // without removing it. Only a socket is removed, never a file.
        struct stat st {};
        if (::lstat(name.constData(), &st) == 0 && S_ISSOCK(st.st_mode) && ::unlink(name.constData()) == 0)
            bound = bindTo();
        else
            errno = EADDRINUSE;
    }
    if (!bound || ::listen(fd, kBacklog) != 0) {
        why = SystemReason(errno);
        ::close(fd);
        return false;
    }
    listenFd_ = fd;
    notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read);
    connect(notifier_, &QSocketNotifier::activated, this, &SingleInstance::acceptPending);
    return true;
}

void SingleInstance::acceptPending() {
    for (;;) {
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return;
            // Out of descriptors or memory: the socket stays and the
            // connection waits in its queue; rest a moment instead of
            // spinning on it, then take it.
            notifier_->setEnabled(false);
            QTimer::singleShot(kDescriptorRetryMs, this, [this] {
                if (notifier_) {
                    notifier_->setEnabled(true);
                    acceptPending();
                }
            });
            return;
        }
        auto* socket = new QLocalSocket(this);
        if (!socket->setSocketDescriptor(fd)) {
            ::close(fd);
            delete socket;
            continue;
        }
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
