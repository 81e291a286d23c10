#pragma once
// Keeps one running copy of the program per user and home folder: the first copy listens
// on a local socket; a later one hands it the file it was started with (if any), tells it to
// come to the front, and ends.
#include <QObject>

#include <functional>

class QLocalServer;
class QLocalSocket;

namespace platform {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // key: what identifies "the same program" (user and home folder).
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True for the first copy, which then listens; false after a running copy was handed
    // the file (an absolute path, or empty) and asked to come to the front.
    bool claim(const QString& fileName = QString());
    // Runs in the first copy when a later one starts, with the file that one was given
    // (absolute, or empty).
    std::function<void(const QString& fileName)> onActivate;

    static QString keyFor(const QString& homeFolder);

private:
    // Reads a later copy's message once its line is complete.
    void readMessage(QLocalSocket* socket);

    QString name_;
    QLocalServer* server_ = nullptr;
};

} // namespace platform
