#include "CenterForm.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

namespace {
bool isMainWindow(const QWidget& w)
{
    return QString::fromLatin1(w.metaObject()->className()).toUpper() == QLatin1String("TMAINSCREEN");
}

// The window a form is centred over: its parent's window, or for a form made without a
// parent (an object's dialog) the program's main window.
QWidget* mainWindowFor(const QWidget& form)
{
    if (form.parentWidget()) return form.parentWidget()->window();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &form && isMainWindow(*w) && w->isVisible()) return w;
    return nullptr;
}
} // namespace

void CenterForm(QWidget& form)
{
    // A form not shown yet has no size of its own until it is laid out.
    if (!form.isVisible() && !form.testAttribute(Qt::WA_Resized)) form.adjustSize();
    const QSize size = form.size();
    QWidget* main = mainWindowFor(form);
    const bool isMain = isMainWindow(form);
    QRect around;
    if (main && !isMain && !main->isMaximized()) {
        around = main->frameGeometry();
    } else {
        const QScreen* screen = form.screen() ? form.screen() : QGuiApplication::primaryScreen();
        if (!screen) return;
        around = screen->geometry();
    }
    // Integer division rounds toward zero, also for a form larger than the area.
    form.move(around.left() + (around.width() - size.width()) / 2,
              around.top() + (around.height() - size.height()) / 2);
}

} // namespace platform
