#include "platform/widgets/CenterForm.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <array>

namespace platform {

namespace {
// Room left between a dialog and the widget it keeps in sight.
constexpr int Gap = 8;

QPointer<QWidget> keptInSight;

bool isMainWindow(const QWidget& w) {
    return QString::fromLatin1(w.metaObject()->className()).toUpper() ==
           QLatin1String("TMAINSCREEN");
}

// The window a form is centred over: its parent's window, or for a form made without a
// parent (an object's dialog) the program's main window.
QWidget* mainWindowFor(const QWidget& form) {
    if (form.parentWidget()) return form.parentWidget()->window();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &form && isMainWindow(*w) && w->isVisible()) return w;
    return nullptr;
}

// The part of the widget kept in sight that the main window shows, in screen coordinates;
// empty when it shows none.
QRect shownPartIn(const QWidget* main) {
    const QWidget* area = keptInSight;
    if (!main || !area || !area->isVisible() || area->window() != main) return {};
    const QRect shown = area->visibleRegion().boundingRect();
    return QRect(area->mapToGlobal(shown.topLeft()), shown.size());
}

// The place for a frame first put at `centred` that leaves `keep` in sight: `centred` when
// it does already, else the nearest of the places below, above, right and left of `keep`
// that lie on `screen`, else `centred`.
QPoint besideKept(QRect centred, const QRect& keep, const QRect& screen) {
    if (keep.isEmpty() || !centred.intersects(keep)) return centred.topLeft();
    const QPoint c = centred.topLeft();
    const std::array<QPoint, 4> places{{
        {c.x(), keep.bottom() + 1 + Gap},
        {c.x(), keep.top() - Gap - centred.height()},
        {keep.right() + 1 + Gap, c.y()},
        {keep.left() - Gap - centred.width(), c.y()},
    }};
    QPoint best = c;
    int bestDistance = -1;
    for (const QPoint& p : places) {
        const int distance = (p - c).manhattanLength();
        if (!screen.contains(QRect(p, centred.size()))) continue;
        if (bestDistance < 0 || distance < bestDistance) {
            best = p;
            bestDistance = distance;
        }
    }
    return best;
}
} // namespace

void keepInSight(QWidget* area) {
    keptInSight = area;
}

void centerForm(QWidget& form) {
    // A form not shown yet has no size of its own until it is laid out.
    if (!form.isVisible() && !form.testAttribute(Qt::WA_Resized)) form.adjustSize();
    QWidget* main = isMainWindow(form) ? nullptr : mainWindowFor(form);
    const QScreen* screen = main ? main->screen() : form.screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    // The form's frame: its size with the window manager's frame, as the main window has it.
    QSize size = form.size();
    if (main && !form.isVisible()) size += main->frameGeometry().size() - main->size();
    QRect around;
    if (main && !main->isMaximized())
        around = main->frameGeometry();
    else if (screen)
        around = screen->geometry();
    else
        return;
    // Integer division rounds toward zero, also for a form larger than the area.
    const QRect centred(around.left() + (around.width() - size.width()) / 2,
                        around.top() + (around.height() - size.height()) / 2, size.width(),
                        size.height());
    form.move(screen ? besideKept(centred, shownPartIn(main), screen->availableGeometry())
                     : centred.topLeft());
}

} // namespace platform
