#include "platform/instancechannel.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace {
// A path is one line of UTF-8; longer messages are not ours.
constexpr qint64 kMaxMessage = 64 * 1024;
} // namespace

InstanceChannel::InstanceChannel(const QString& name, QObject* parent)
    : QObject(parent), name_(serverName(name)) {}

InstanceChannel::~InstanceChannel() = default;

QString InstanceChannel::serverName(const QString& name) {
    const QByteArray digest =
        QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("zarvex-") + QString::number(::getuid()) + QLatin1Char('-') +
           QString::fromLatin1(digest) + QStringLiteral(".socket");
}

bool InstanceChannel::listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(name_);
    connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::acceptConnection);
    return server_->listen(name_);
}

void InstanceChannel::acceptConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() > kMaxMessage) {
                socket->abort();
                return;
            }
            while (socket->canReadLine()) {
                const QString path = QString::fromUtf8(socket->readLine()).trimmed();
                if (!path.isEmpty()) Q_EMIT fileReceived(path);
            }
        });
    }
}

bool InstanceChannel::send(const QString& name, const QString& path, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(serverName(name));
    if (!socket.waitForConnected(timeoutMs)) return false;
    QByteArray line = path.toUtf8();
    line.replace('\n', ' ');
    socket.write(line + '\n');
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
    return true;
}
