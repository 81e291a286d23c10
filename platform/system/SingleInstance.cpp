#include "platform/system/SingleInstance.h"

#include "platform/system/FileName.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
// The message: "open" and the percent-encoded bytes of an absolute path (a name may hold a
// line break, or bytes that are not UTF-8), or "activate", on one line.
constexpr char OpenCommand[] = "open ";
constexpr char ActivateCommand[] = "activate";
// A path longer than any file system takes is no message.
constexpr qint64 MaxMessage = 64 * 1024;

// The user at the other end of a connected local socket; -1 when the system cannot say.
uid_t peerUser(qintptr descriptor) {
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0) return uid_t(-1);
    return peer.uid;
}
} // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent), key_(key), owner_(::geteuid()) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::keyFor(const QString& homeFolder) {
    const QByteArray id = FileName::toBytes(homeFolder);
    return QStringLiteral("orlanto-") +
           QString::fromLatin1(
               QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex().left(16));
}

QString SingleInstance::socketName() const {
    return server_ ? server_->fullServerName() : QString();
}

SingleInstance::Claim SingleInstance::claim(const QString& fileName) {
    // The toolkit creates the folder, or takes $XDG_RUNTIME_DIR, only when it is the user's
    // and closed to others; it is checked again against the owner a test may have set.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    struct stat st {};
    if (folder.isEmpty()) return refuse(QStringLiteral("there is no private runtime folder"));
    if (::stat(FileName::toBytes(folder).constData(), &st) != 0 || !S_ISDIR(st.st_mode) ||
        st.st_uid != owner_ || (st.st_mode & 077) != 0)
        return refuse(folder + QStringLiteral(" is not a folder of yours closed to others"));
    const QString name = folder + QLatin1Char('/') + key_;
    if (::lstat(FileName::toBytes(name).constData(), &st) == 0 &&
        (!S_ISSOCK(st.st_mode) || st.st_uid != owner_))
        return refuse(name + QStringLiteral(" belongs to another user"));

    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(500)) {
        if (peerUser(probe.socketDescriptor()) != owner_)
            return refuse(QStringLiteral("the program answering on ") + name +
                          QStringLiteral(" runs as another user"));
        handOver(probe, fileName);
        return Claim::HandedOver;
    }
    // Nobody answers: a socket file left by a copy that crashed is stale.
    QLocalServer::removeServer(name);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name)) return refuse(name + QStringLiteral(": ") + server_->errorString());
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection())
            accept(s);
    });
    return Claim::First;
}

SingleInstance::Claim SingleInstance::refuse(const QString& reason) {
    problem_ = QStringLiteral("This window runs on its own: a copy of Orlanto that may already be "
                              "running cannot be reached safely (%1).")
                   .arg(reason);
    return Claim::Refused;
}

void SingleInstance::handOver(QLocalSocket& socket, const QString& fileName) {
    const QByteArray message =
        fileName.isEmpty()
            ? QByteArray(ActivateCommand)
            : OpenCommand + FileName::toBytes(FileName::absolute(fileName)).toPercentEncoding("/");
    socket.write(message + '\n');
    socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(2000);
}

void SingleInstance::accept(QLocalSocket* s) {
    connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
    if (peerUser(s->socketDescriptor()) != owner_) {
        s->abort();
        s->deleteLater();
        return;
    }
    s->setReadBufferSize(MaxMessage);
    // A later copy sends its line at once; a connection that stays silent is nobody's.
    QTimer::singleShot(idleTimeoutMs, s, [s] {
        s->abort();
        s->deleteLater();
    });
    connect(s, &QLocalSocket::readyRead, this, [this, s] { readMessage(s); });
    readMessage(s); // what arrived with the connection
}

void SingleInstance::readMessage(QLocalSocket* socket) {
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
    if (line.startsWith(OpenCommand))
        fileName =
            FileName::fromBytes(QByteArray::fromPercentEncoding(line.mid(qstrlen(OpenCommand))));
    else if (line != ActivateCommand)
        return;
    if (onActivate) onActivate(fileName);
}

} // namespace platform
