#include "platform/widgets/WindowPlacement.h"

#include "platform/drawing/ScreenMetrics.h"
#include "platform/system/PreferencesFile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace platform {

namespace {
const QString kLeft = QStringLiteral("Left");
const QString kTop = QStringLiteral("Top");
const QString kRight = QStringLiteral("Right");
const QString kBottom = QStringLiteral("Bottom");
const QString kMaximized = QStringLiteral("Maximized");

int clampToInt(qint64 v) {
    return int(std::clamp<qint64>(v, INT_MIN, INT_MAX));
}
} // namespace

WindowPlacement::Screen WindowPlacement::screenOf(const QWidget& form) {
    Screen s;
    s.pixelsPerInch = ScreenMetrics::pixelsPerInch();
    if (const QScreen* qs = form.screen() ? form.screen() : QGuiApplication::primaryScreen())
        s.geometry = qs->virtualGeometry();
    return s;
}

QString WindowPlacement::sectionName(const QString& className, int pixelsPerInch) {
    QString name = className + QStringLiteral("_Placement");
    if (pixelsPerInch > 96) name += QString::number(pixelsPerInch);
    return name;
}

QString WindowPlacement::className(const QWidget& form) {
    const QString full = QString::fromLatin1(form.metaObject()->className());
    return full.mid(full.lastIndexOf(QLatin1Char(':')) + 1);
}

void WindowPlacement::restoreWindowPlacement(QWidget& form) {
    restoreWindowPlacement(form, screenOf(form));
}

void WindowPlacement::restoreWindowPlacement(QWidget& form, const Screen& screen) {
    const IniFile ini = PreferencesFile::read();
    const QString section = sectionName(className(form), screen.pixelsPerInch);
    qint64 left = ini.readInteger(section, kLeft, 0);
    qint64 top = ini.readInteger(section, kTop, 0);
    qint64 right = ini.readInteger(section, kRight, 0);
    qint64 bottom = ini.readInteger(section, kBottom, 0);
    const bool maximized = ini.readBool(section, kMaximized, form.isMaximized());

    // An empty or inverted rectangle can only come from a damaged file: treat it as none.
    if (bottom != 0 && right > left && bottom > top) {
        const qint64 screenRight = qint64(screen.geometry.x()) + screen.geometry.width();
        const qint64 screenBottom = qint64(screen.geometry.y()) + screen.geometry.height();
        if (screenRight < right) {
            left += screenRight - right;
            right = screenRight;
        }
        if (screenBottom < bottom) {
            top += screenBottom - bottom;
            bottom = screenBottom;
        }
        form.setGeometry(clampToInt(left), clampToInt(top), clampToInt(right - left),
                         clampToInt(bottom - top));
    } else {
        centre(form, screen);
    }
    if (maximized) form.setWindowState(form.windowState() | Qt::WindowMaximized);
    saveWindowPlacement(form, screen);
}

void WindowPlacement::saveWindowPlacement(const QWidget& form) {
    saveWindowPlacement(form, screenOf(form));
}

void WindowPlacement::saveWindowPlacement(const QWidget& form, const Screen& screen) {
    QRect r = form.normalGeometry();
    if (r.isEmpty()) r = form.geometry(); // a window that was never shown has none yet
    IniFile ini = PreferencesFile::read();
    const QString section = sectionName(className(form), screen.pixelsPerInch);
    ini.writeInteger(section, kLeft, r.x());
    ini.writeInteger(section, kTop, r.y());
    ini.writeInteger(section, kRight, r.x() + r.width());
    ini.writeInteger(section, kBottom, r.y() + r.height());
    ini.writeBool(section, kMaximized, form.isMaximized());
    PreferencesFile::write(ini);
}

void WindowPlacement::centre(QWidget& form, const Screen& screen) {
    // Over the window it belongs to, unless that one is maximised; a main window (no owner)
    // on the screen. Divisions round toward zero.
    const QWidget* owner = form.parentWidget() ? form.parentWidget()->window() : nullptr;
    const QRect area = owner && !owner->isMaximized() ? owner->geometry() : screen.geometry;
    form.move(area.x() + (area.width() - form.width()) / 2,
              area.y() + (area.height() - form.height()) / 2);
}

} // namespace platform
