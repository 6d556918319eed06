#pragma once
#include <QObject>
#include <QString>

class QLocalServer;

// The running copy listens on a local socket named after the single-instance guard; a second
// start hands it a file to open instead of starting another window.
class InstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit InstanceChannel(const QString& name, QObject* parent = nullptr);
    ~InstanceChannel() override;
    // Only the copy that holds the single-instance lock listens; a socket file left by a copy
    // that died is removed first. False when the socket cannot be made.
    bool listen();
    // Hands path to the running copy. False when no copy answers within timeoutMs.
    static bool send(const QString& name, const QString& path, int timeoutMs = 3000);
    static QString serverName(const QString& name);

Q_SIGNALS:
    void fileReceived(const QString& path);

private:
    void acceptConnection();
    QString name_;
    QLocalServer* server_ = nullptr;
};
