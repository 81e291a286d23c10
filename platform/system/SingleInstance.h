#pragma once
// Keeps one running copy of the program per user and home folder: the first copy listens
// on a local socket; a later one hands it the file it was started with (if any), tells it to
// come to the front, and ends.
//
// The socket lives in the user's private runtime folder ($XDG_RUNTIME_DIR, or a folder of
// the user's own in the temporary folder), never in a folder that others may write: a file
// name handed over tells what the user works on. Before anything is sent, the socket file
// and the program answering on it must belong to the user; when they do not, or no private
// folder can be had, the claim is refused and the later copy runs on its own. A connection
// that sends nothing for a while is dropped.
#include <QObject>

#include <functional>
#include <sys/types.h>

class QLocalServer;
class QLocalSocket;

namespace platform {

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    enum class Claim {
        First,      // no copy was running: this one listens now
        HandedOver, // a running copy was handed the file and asked to come to the front
        Refused,    // no copy of the user's own could be reached safely: see problem()
    };

    // key: what identifies "the same program" for the user (see keyFor); the socket's name
    // in the runtime folder.
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    Claim claim(const QString& fileName = QString());
    // The socket's full name once claimed.
    QString socketName() const;
    // After a refused claim: why, in a sentence for the user.
    const QString& problem() const { return problem_; }
    // Runs in the first copy when a later one starts, with the file that one was given
    // (absolute, or empty).
    std::function<void(const QString& fileName)> onActivate;

    // The user the socket file and the copy answering on it must belong to: the effective
    // user, unless a test says otherwise.
    void setOwner(uid_t uid) { owner_ = uid; }
    // The key for a home folder.
    static QString keyFor(const QString& homeFolder);
    // How long a connection may stay silent before it is dropped.
    static constexpr int idleTimeoutMs = 2000;

  private:
    Claim refuse(const QString& reason);
    // Hands the file to the copy answering on the socket.
    void handOver(QLocalSocket& socket, const QString& fileName);
    void accept(QLocalSocket* socket);
    // Reads a later copy's message once its line is complete.
    void readMessage(QLocalSocket* socket);

    QString key_;
    uid_t owner_;
    QString problem_;
    QLocalServer* server_ = nullptr;
};

} // namespace platform
