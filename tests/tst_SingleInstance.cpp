// The single-instance guard as the user meets it, over real sockets: a second start of the
// program hands its card to the running copy by the name's bytes; nothing is ever handed to
// a socket or a program of another user, and the start then opens a window of its own and
// says why; connections that stay silent are dropped.
#include "support/OrlantoProcess.h"

#include "platform/system/FileName.h"
#include "platform/system/HomeFolder.h"
#include "platform/system/SingleInstance.h"

#include <QCryptographicHash>
#include <QLocalSocket>
#include <QScopeGuard>
#include <QtTest>

#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {
using Claim = platform::SingleInstance::Claim;
using platform::FileName;

QByteArray bytes(const QString& name) {
    return FileName::toBytes(name);
}

// A private runtime folder ($XDG_RUNTIME_DIR) for the test and the programs it starts.
struct Runtime {
    Runtime() {
        ::chmod(bytes(dir.path()).constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", bytes(dir.path()));
    }
    ~Runtime() { qunsetenv("XDG_RUNTIME_DIR"); }
    QTemporaryDir dir;
};

// A copy of the program running in a private runtime folder, counting the starts handed to it.
struct Running {
    Running() {
        claimed = first.claim();
        first.onActivate = [this](const QString&) { ++activations; };
    }
    // A later start in the same process hands over and is counted.
    void laterStartHandsOver() {
        platform::SingleInstance later(key);
        QCOMPARE(later.claim(), Claim::HandedOver);
        QTRY_COMPARE(activations, 1);
    }
    Runtime runtime;
    const QString key = platform::SingleInstance::keyFor(QStringLiteral("/some/home/"));
    platform::SingleInstance first{key};
    Claim claimed = Claim::Refused;
    int activations = 0;
};

// A program of another user (nobody) listening on a local socket: it binds the socket,
// after creating its folder when asked to, and passes on everything it is sent. Runs in a
// child process of the test, which must run as root to become that user.
class ForeignListener {
  public:
    ForeignListener(const QByteArray& path, bool makeFolder) {
        int fds[2];
        if (::pipe(fds) != 0) return;
        const passwd* nobody = ::getpwnam("nobody");
        const uid_t uid = nobody ? nobody->pw_uid : 65534;
        const gid_t gid = nobody ? nobody->pw_gid : 65534;
        pid_ = ::fork();
        if (pid_ == 0) listen(path, makeFolder, uid, gid, fds[1]);
        ::close(fds[1]);
        pipe_ = fds[0];
    }
    ~ForeignListener() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (pipe_ >= 0) ::close(pipe_);
    }
    // Whether it listens (it says so with one byte).
    bool ready() {
        pollfd p{pipe_, POLLIN, 0};
        char c = 0;
        return ::poll(&p, 1, 5000) == 1 && ::read(pipe_, &c, 1) == 1 && c == 'R';
    }
    // What it was sent so far.
    QByteArray received() {
        QByteArray all;
        ::fcntl(pipe_, F_SETFL, O_NONBLOCK);
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(pipe_, buffer, sizeof buffer)) > 0)
            all.append(buffer, n);
        return all;
    }

  private:
    [[noreturn]] static void listen(const QByteArray& path, bool makeFolder, uid_t uid, gid_t gid,
                                    int out) {
        if (::setgid(gid) != 0 || ::setuid(uid) != 0) ::_exit(1);
        if (makeFolder) {
            const QByteArray folder = path.left(path.lastIndexOf('/'));
            if (::mkdir(folder.constData(), 0777) != 0 || ::chmod(folder.constData(), 0777) != 0)
                ::_exit(1);
        }
        const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
        if (::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(s, 8) != 0)
            ::_exit(1);
        ::chmod(path.constData(), 0777);
        if (::write(out, "R", 1) != 1) ::_exit(1);
        for (;;) {
            const int c = ::accept(s, nullptr, nullptr);
            char buffer[4096];
            ssize_t n;
            while ((n = ::read(c, buffer, sizeof buffer)) > 0)
                if (::write(out, buffer, size_t(n)) != n) ::_exit(1);
            ::close(c);
        }
    }

    pid_t pid_ = -1;
    int pipe_ = -1;
};

enum class Place {
    LegacyTemporaryFolder,
    FolderOfAnotherUser,
    SocketOfAnotherUser,
    ListenerOfAnotherUser
};
} // namespace
Q_DECLARE_METATYPE(Place)

class tst_SingleInstance : public QObject {
    Q_OBJECT
  private slots:
    void handOverByBytes_data();
    void handOverByBytes();
    void otherOwnerRefused();
    void silentConnectionsDropped();
    void anotherUsersListener_data();
    void anotherUsersListener();
};

void tst_SingleInstance::handOverByBytes_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("plain") << QByteArray("Card.ORL");
    QTest::newRow("a space and a line break") << QByteArray("My\nCard 2.ORL");
    QTest::newRow("a byte that is not UTF-8") << QByteArray("caf\xE9.ORL");
}

void tst_SingleInstance::handOverByBytes() {
    // The program started with a card while a copy runs: the running copy gets the card's
    // full name exactly, and the second start ends.
    QFETCH(QByteArray, name);
    Runtime runtime;
    QTemporaryDir home;
    platform::HomeFolder::set(home.path());
    platform::SingleInstance first(platform::SingleInstance::keyFor(platform::HomeFolder::path()));
    QCOMPARE(first.claim(), Claim::First);
    QStringList received;
    first.onActivate = [&received](const QString& fileName) { received << fileName; };

    const QString card = home.path() + QLatin1Char('/') + FileName::fromBytes(name);
    QProcess second;
    OrlantoProcess::start(second, {"--home", home.path(), card});
    const auto stop = qScopeGuard([&second] {
        second.kill();
        second.waitForFinished();
    });
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 20000);
    QCOMPARE(bytes(received.front()), bytes(card));
    QTRY_COMPARE_WITH_TIMEOUT(second.state(), QProcess::NotRunning, 10000);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
}

void tst_SingleInstance::otherOwnerRefused() {
    // Through the seam: a copy that takes the running one for another user's refuses to
    // hand it anything and leaves it listening.
    Running running;
    QCOMPARE(running.claimed, Claim::First);
    platform::SingleInstance stranger(running.key);
    stranger.setOwner(::geteuid() + 1);
    QCOMPARE(stranger.claim(QStringLiteral("/cards/Secret.ORL")), Claim::Refused);
    QVERIFY2(stranger.problem().contains(QStringLiteral("runs on its own")),
             qPrintable(stranger.problem()));
    QTest::qWait(300);
    QCOMPARE(running.activations, 0);
    running.laterStartHandsOver();
}

void tst_SingleInstance::silentConnectionsDropped() {
    // Connections that never send a line are dropped after a while; the guard still
    // answers a later start.
    Running running;
    QCOMPARE(running.claimed, Claim::First);
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < 200; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        idle.back()->connectToServer(running.first.socketName());
        QVERIFY(idle.back()->waitForConnected(1000));
        QCoreApplication::processEvents(); // the guard takes the connection
    }
    const auto dropped = [&idle] {
        for (const auto& s : idle)
            if (s->state() != QLocalSocket::UnconnectedState) return false;
        return true;
    };
    QTRY_VERIFY_WITH_TIMEOUT(dropped(), platform::SingleInstance::idleTimeoutMs + 5000);
    running.laterStartHandsOver();
}

void tst_SingleInstance::anotherUsersListener_data() {
    QTest::addColumn<Place>("place");
    QTest::addColumn<bool>("refused");
    // The predictable name in the shared temporary folder that earlier versions listened on.
    QTest::newRow("the shared temporary folder") << Place::LegacyTemporaryFolder << false;
    // Without $XDG_RUNTIME_DIR, the fallback folder made first by another user.
    QTest::newRow("a runtime folder made by another user") << Place::FolderOfAnotherUser << true;
    // A socket file of another user in the runtime folder (left open to others for a while).
    QTest::newRow("a socket file of another user") << Place::SocketOfAnotherUser << true;
    // A socket file that belongs to the user, yet another user's program answers on it.
    QTest::newRow("a listener of another user") << Place::ListenerOfAnotherUser << true;
}

void tst_SingleInstance::anotherUsersListener() {
    // Another user listening where the program looks for its running copy is handed
    // nothing: `orlanto CARD` opens a window of its own, and says why when it refused.
    if (::geteuid() != 0) QSKIP("running a listener as another user needs root");
    QFETCH(Place, place);
    QFETCH(bool, refused);
    QTemporaryDir shared; // the temporary folder all users share
    QTemporaryDir runtime;
    QTemporaryDir home;
    ::chmod(bytes(shared.path()).constData(), 0777);
    ::chmod(bytes(runtime.path()).constData(),
            place == Place::SocketOfAnotherUser || place == Place::ListenerOfAnotherUser ? 0777
                                                                                         : 0700);
    platform::HomeFolder::set(home.path());
    const QString homePath = platform::HomeFolder::path();
    const QByteArray key = bytes(platform::SingleInstance::keyFor(homePath));
    QByteArray socket;
    switch (place) {
    case Place::LegacyTemporaryFolder:
        socket = bytes(shared.path()) + "/orlanto-" +
                 QCryptographicHash::hash(qgetenv("USER") + '\n' + homePath.toUtf8(),
                                          QCryptographicHash::Sha1)
                     .toHex()
                     .left(16);
        break;
    case Place::FolderOfAnotherUser:
        socket = bytes(shared.path()) + "/runtime-root/" + key;
        break;
    case Place::SocketOfAnotherUser:
    case Place::ListenerOfAnotherUser:
        socket = bytes(runtime.path()) + '/' + key;
        break;
    }
    ForeignListener listener(socket, place == Place::FolderOfAnotherUser);
    QVERIFY(listener.ready());
    ::chmod(bytes(runtime.path()).constData(), 0700);
    if (place == Place::ListenerOfAnotherUser) QCOMPARE(::chown(socket.constData(), 0, 0), 0);

    const QString map = home.filePath("ui.json");
    const QString card = home.filePath("Secret.ORL");
    QProcess program;
    OrlantoProcess::start(
        program, {"--home", home.path(), card},
        {{"TMPDIR", shared.path()},
         {"XDG_RUNTIME_DIR", place == Place::FolderOfAnotherUser ? QString() : runtime.path()},
         {"ORLANTO_UI_MAP", map}});
    const auto stop = qScopeGuard([&program] {
        program.kill();
        program.waitForFinished();
    });
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(map).size() > 0 || program.state() == QProcess::NotRunning,
                             20000);
    QCOMPARE(program.state(), QProcess::Running);
    QCOMPARE(listener.received(), QByteArray());
    program.kill();
    program.waitForFinished();
    const QString err = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(err.contains(QStringLiteral("This window runs on its own")) == refused,
             qPrintable(err));
}

QTEST_MAIN(tst_SingleInstance)
#include "tst_SingleInstance.moc"
