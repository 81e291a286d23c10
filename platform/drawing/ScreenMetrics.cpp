#include "platform/drawing/ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace platform {

namespace {
int fixedPpi = 0;
}

int ScreenMetrics::pixelsPerInch() {
    if (fixedPpi > 0) return fixedPpi;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return 96;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 96;
    const int ppi = int(std::lround(screen->logicalDotsPerInchY()));
    return ppi > 0 ? ppi : 96;
}

void ScreenMetrics::setPixelsPerInch(int ppi) {
    fixedPpi = ppi;
}

} // namespace platform
