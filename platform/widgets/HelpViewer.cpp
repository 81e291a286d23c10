#include "platform/widgets/HelpViewer.h"

#include <QFile>
#include <QPointer>
#include <QTextBrowser>

namespace platform {

namespace {
QPointer<QTextBrowser> window;
QString shown;

void show(const QString& path) {
    shown = path;
    if (!window) {
        window = new QTextBrowser;
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowTitle(QStringLiteral("Orlanto Help"));
        window->setOpenExternalLinks(true);
        window->resize(520, 560);
    }
    window->setSource(QUrl(QStringLiteral("qrc") + path));
    window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

QString HelpViewer::topicPath(int context) {
    const QString path = QStringLiteral(":/help/%1.html").arg(context);
    return QFile::exists(path) ? path : QString();
}

void HelpViewer::showTopic(int context) {
    const QString path = topicPath(context);
    show(path.isEmpty() ? QStringLiteral(":/help/index.html") : path);
}

void HelpViewer::showContents() {
    show(QStringLiteral(":/help/index.html"));
}

void HelpViewer::close() {
    if (window) window->close();
}

QWidget* HelpViewer::openWindow() {
    return window && window->isVisible() ? window.data() : nullptr;
}

QString HelpViewer::lastShown() {
    return shown;
}

} // namespace platform
