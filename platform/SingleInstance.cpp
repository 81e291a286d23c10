#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace platform {

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent), name_(key) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::keyFor(const QString& homeFolder)
{
    const QByteArray id = qgetenv("USER") + '\n' + homeFolder.toUtf8();
    return QStringLiteral("orlanto-") +
           QString::fromLatin1(QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex().left(16));
}

bool SingleInstance::claim()
{
    QLocalSocket probe;
    probe.connectToServer(name_);
    if (probe.waitForConnected(500)) {
        probe.write("activate\n");
        probe.waitForBytesWritten(500);
        probe.disconnectFromServer();
        return false;
    }
    // Nobody answers: a socket file left by a copy that crashed is stale.
    QLocalServer::removeServer(name_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) return true; // no guard rather than no program
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            if (onActivate) onActivate();
        }
    });
    return true;
}

} // namespace platform
