#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QFileInfo>
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

namespace {
// The message: "open" and a percent-encoded UTF-8 path (a name may hold a line break), or
// "activate", on one line.
constexpr char OpenCommand[] = "open ";
constexpr char ActivateCommand[] = "activate";
// A path longer than any file system takes is no message.
constexpr qint64 MaxMessage = 64 * 1024;
} // namespace

bool SingleInstance::claim(const QString& fileName)
{
    QLocalSocket probe;
    probe.connectToServer(name_);
    if (probe.waitForConnected(500)) {
        const QByteArray message = fileName.isEmpty()
                                       ? QByteArray(ActivateCommand)
                                       : OpenCommand + QFileInfo(fileName).absoluteFilePath().toUtf8().toPercentEncoding("/");
        probe.write(message + '\n');
        probe.waitForBytesWritten(2000);
        probe.disconnectFromServer();
        if (probe.state() != QLocalSocket::UnconnectedState) probe.waitForDisconnected(2000);
        return false;
    }
    // Nobody answers: a socket file left by a copy that crashed is stale.
    QLocalServer::removeServer(name_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) return true; // no guard rather than no program
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            s->setReadBufferSize(MaxMessage);
            connect(s, &QLocalSocket::readyRead, this, [this, s] { readMessage(s); });
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            readMessage(s); // what arrived with the connection
        }
    });
    return true;
}

void SingleInstance::readMessage(QLocalSocket* socket)
{
    if (!socket->canReadLine()) {
        // A line that cannot end within the buffer is nobody's message.
        if (socket->bytesAvailable() >= MaxMessage) socket->abort();
        return;
    }
    QByteArray line = socket->readLine(MaxMessage);
    line.chop(1); // the line's end
    socket->disconnect(this);
    socket->disconnectFromServer();
    QString fileName;
    if (line.startsWith(OpenCommand)) fileName = QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(qstrlen(OpenCommand))));
    else if (line != ActivateCommand) return;
    if (onActivate) onActivate(fileName);
}

} // namespace platform
