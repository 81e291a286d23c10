// The main window's view of the card: the zoom (buttons, keys, Ctrl+wheel, Zoom to fit) and
// the status bar with the pointer's place and the selection's bounds.
#include "TMainScreen.h"

#include "document/TGBusinessCardPanel32.h"
#include "document/TGGraphicControl.h"
#include "document/TGHandle.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/widgets/ElidedLabel.h"

#include <QLabel>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QStatusBar>
#include <QWheelEvent>

#include <algorithm>

namespace {
// One notch of a mouse wheel.
constexpr int WheelStep = 120;
} // namespace

void TMainScreen::applyZoom(float zoom) {
    {
        const QScopedValueRollback busy(busy_, true);
        // The selection stays; a drag or nudge under way ends, as its outline is in view pixels.
        surface_->handle().endGesture();
        surface_->setZoom(zoom);
        zoomCaption_->setText(zoomCaption());
        surface_->processPendingEvents();
    }
    updateSelectionStatus();
}

void TMainScreen::zoomBy(bool in) {
    const float z = surface_->zoomFactor();
    // The sum is formed in double and kept in single precision: the steps land on 1.1 …
    // 1.5, and a sixth step in finds 1.5 and stops.
    if (in && !(z > 1.5f))
        applyZoom(float(double(z) + 0.1));
    else if (!in && z >= 1.1f)
        applyZoom(float(double(z) - 0.1));
}

void TMainScreen::zoomIn() {
    zoomBy(true);
}

void TMainScreen::zoomOut() {
    zoomBy(false);
}

void TMainScreen::zoomToPercent(int percent) {
    const int step = std::clamp((percent + 5) / 10 * 10, minZoomPercent, maxZoomPercent);
    const float zoom = float(step / 100.0);
    if (zoom != surface_->zoomFactor()) applyZoom(zoom);
}

void TMainScreen::zoomSteps(int steps) {
    // From the step nearest the current zoom, which the buttons may have left between steps.
    zoomToPercent(qRound(surface_->zoomFactor() * 10.0) * 10 + steps * 10);
}

int TMainScreen::fitZoomPercent() const {
    // The card at 100 %, and the room the scroll box has without its scroll bars.
    const double w = surface_->width(), h = surface_->height();
    const QSize room = scroll_->maximumViewportSize();
    for (int percent = maxZoomPercent; percent > minZoomPercent; percent -= 10) {
        if (qRound(w * percent / 100.0) <= room.width() &&
            qRound(h * percent / 100.0) <= room.height())
            return percent;
    }
    return minZoomPercent;
}

void TMainScreen::zoomToFitCommand() {
    zoomToPercent(fitZoomPercent());
}

bool TMainScreen::wheelZoom(QEvent* event) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (!wheel->modifiers().testFlag(Qt::ControlModifier)) return false;
    // Fine-grained wheels and touch pads send parts of a notch: they add up to steps.
    wheelRest_ += wheel->angleDelta().y();
    const int steps = wheelRest_ / WheelStep;
    wheelRest_ -= steps * WheelStep;
    if (steps != 0) zoomSteps(steps);
    return true;
}

QString TMainScreen::zoomCaption() const {
    return QString::number(qRound(surface_->zoomFactor() * 100.0)) + QLatin1Char('%');
}

void TMainScreen::buildStatusBar() {
    // Each figure in a sunken field of its own, so that the two never read as one.
    auto field = [](const char* name) {
        auto* label = new QLabel;
        label->setObjectName(QLatin1String(name));
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        label->setContentsMargins(6, 0, 6, 0);
        return label;
    };
    pointerStatus_ = field("PointerStatus");
    pointerStatus_->setMinimumWidth(140);
    selectionStatus_ = field("SelectionStatus");
    printerNotice_ = new platform::ElidedLabel;
    printerNotice_->setObjectName(QStringLiteral("PrinterNotice"));
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addWidget(printerNotice_, 1);
    statusBar()->addPermanentWidget(selectionStatus_);
    statusBar()->addPermanentWidget(pointerStatus_);
}

QString TMainScreen::cardLength(double pixels) const {
    const double inches = pixels / platform::ScreenMetrics::pixelsPerInch();
    return prefs_.print.layout.useMM ? QString::number(inches * 25.4, 'f', 1)
                                     : QString::number(inches, 'f', 2);
}

QString TMainScreen::pointerStatus() const {
    return pointerStatus_->text();
}

QString TMainScreen::selectionStatus() const {
    return selectionStatus_->text();
}

void TMainScreen::updatePointerStatus(QPoint viewPos) {
    const QString unit = prefs_.print.layout.useMM ? QStringLiteral("mm") : QStringLiteral("in");
    const QPoint card = surface_->toCard(viewPos);
    pointerStatus_->setText(
        QStringLiteral("%1, %2 %3").arg(cardLength(card.x()), cardLength(card.y()), unit));
}

void TMainScreen::updateSelectionStatus() {
    const TGHandle& frame = surface_->handle();
    QRect bounds;
    for (const TGGraphicControl* o : frame.selection())
        bounds |= o->bounds();
    if (bounds.isNull()) {
        selectionStatus_->clear();
        return;
    }
    // While a drag or held arrow keys move or size the selection, the figures follow the
    // outline: the objects change by what the frame changes.
    const QRect from = frame.geometry(), to = frame.pendingGeometry();
    bounds.adjust(to.left() - from.left(), to.top() - from.top(), to.right() - from.right(),
                  to.bottom() - from.bottom());
    const QString unit = prefs_.print.layout.useMM ? QStringLiteral("mm") : QStringLiteral("in");
    selectionStatus_->setText(QStringLiteral("Left %1  Top %2  Width %3  Height %4 %5")
                                  .arg(cardLength(bounds.left()), cardLength(bounds.top()),
                                       cardLength(bounds.width()), cardLength(bounds.height()),
                                       unit));
}
