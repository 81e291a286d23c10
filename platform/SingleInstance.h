#pragma once
// Keeps one running copy of the program per user and home folder: the first copy listens
// on a local socket; a later one tells it to come to the front and ends.
#include <QObject>

#include <functional>

class QLocalServer;

namespace platform {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // key: what identifies "the same program" (user and home folder).
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True for the first copy, which then listens; false after a running copy was asked
    // to come to the front.
    bool claim();
    // Runs in the first copy when a later one starts.
    std::function<void()> onActivate;

    static QString keyFor(const QString& homeFolder);

private:
    QString name_;
    QLocalServer* server_ = nullptr;
};

} // namespace platform
