// One copy of the program per user session. The first copy listens on a
// local socket named after the user; a later copy connects, asks the first
// to bring its window forward and ends.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace hyg {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `key` names the socket; DefaultKey() for the program.
    explicit SingleInstance(QString key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // "hygrana-" and the user's name; the environment variable
    // HYGRANA_INSTANCE_KEY replaces it (separate sessions in tests).
    static QString DefaultKey();

    // Asks a running copy to come forward; true when one answered, and this
    // copy should end. Otherwise starts listening and returns false.
    bool claimOrNotify(int timeoutMs = 1000);

signals:
    // Another start asked this copy to bring its window forward.
    void activationRequested();

private:
    bool notifyRunning(int timeoutMs);
    void onConnection();

    QString key_;
    QLocalServer* server_ = nullptr;
};

} // namespace hyg
