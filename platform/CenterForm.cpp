#include "CenterForm.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

void CenterForm(QWidget& form)
{
    // A form not shown yet has no size of its own until it is laid out.
    if (!form.isVisible() && !form.testAttribute(Qt::WA_Resized)) form.adjustSize();
    const QSize size = form.size();
    QWidget* main = form.parentWidget() ? form.parentWidget()->window() : nullptr;
    const bool isMain =
        QString::fromLatin1(form.metaObject()->className()).toUpper() == QLatin1String("TMAINSCREEN");
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
