// One copy of the program per user. The first copy listens on a local socket
// in the user's private runtime folder, named with the numeric user id; a
// later copy connects, asks the first to bring its window forward and ends.
// Nobody else can create, replace or read that socket: the folder belongs to
// the user and is closed to everyone else, or it is not used at all.
#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace hyg {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `key` names the socket inside the private folder; DefaultKey() for the
    // program.
    explicit SingleInstance(QString key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // "hygrana-" and the numeric user id; the environment variable
    // HYGRANA_INSTANCE_KEY replaces it (separate sessions in tests).
    static QString DefaultKey();

    // The user's private runtime folder: XDG_RUNTIME_DIR when it is a real
    // folder (not a link) owned by the user with no access for anyone else;
    // otherwise "hygrana-<uid>" in the temporary folder, created owner-only
    // (or made so when it is the user's own) and checked the same way. Empty,
    // with the reason in `why`, when neither is safe (someone else's folder
    // or a link planted under that name).
    static QString PrivateFolder(QString* why = nullptr);

    // Asks a running copy to come forward; true when one answered, and this
    // copy should end. Otherwise starts listening and returns false. Without
    // a safe folder, or when the socket cannot be made, the copy runs on
    // alone and says why on standard error.
    bool claimOrNotify(int timeoutMs = 1000);

    // The socket this copy listens on or would listen on; empty before
    // claimOrNotify or without a private folder.
    const QString& socketPath() const { return path_; }
    bool listening() const { return listenFd_ >= 0; }

signals:
    // Another start asked this copy to bring its window forward.
    void activationRequested();

private:
    bool notifyRunning(int timeoutMs);
    bool listen(QString& why);
    void acceptPending();

    QString key_;
    QString path_;
    int listenFd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace hyg
