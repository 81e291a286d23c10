#include "TGLabelShapes.h"

#include "TGThicknessMenu.h"
#include "document/TGBasePanel.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/report/Report.h"
#include "platform/widgets/DialogHost.h"

#include <cmath>

TGLabelShapes::TGLabelShapes(QObject* owner) : TGGraphicControl(owner) {
    setBounds(0, 0, 25, 25);
    // A change to the pen or brush, however made (a command or a card file), shows at once.
    pen_.onChanged = [this] { repaint(); };
    brush_.onChanged = [this] { repaint(); };
}

void TGLabelShapes::setTransparent(bool v) {
    if (transparent_ == v) return;
    transparent_ = v;
    brush_.setStyle(v ? Gdi::bsClear : Gdi::bsSolid);
    repaint();
}

void TGLabelShapes::setRoundPerc(int v) {
    if (roundPerc_ == v) return;
    roundPerc_ = v;
    repaint();
}

void TGLabelShapes::setShape(TShapeType v) {
    if (shape_ == v) return;
    shape_ = v;
    repaint();
}

int TGLabelShapes::zoomedPenWidth() const {
    const float zoom = zoomFactor();
    const int stored = pen_.boundedWidth();
    if (zoom == 1.0f) return stored;
    // Kept within what the canvas draws, so that the layout insets by the width drawn.
    constexpr double most = platform::Canvas::maxPenWidth;
    const int w = int(std::nearbyint(std::clamp(double(stored) * double(zoom), -most, most)));
    return w <= 0 && stored > 0 ? 1 : w;
}

// --- popup

void TGLabelShapes::buildPopup() {
    TGGraphicControl::buildPopup();
    platform::MenuModel& m = *objectMenu();
    m.addSeparator();
    m.add(QStringLiteral("Background Color"), [this] { backgroundColorCommand(); });
    m.add(QStringLiteral("Line Color"), [this] { lineColorCommand(); });
    auto thickness = TGThicknessMenu::build([this](int w) { thicknessCommand(w); });
    thicknessMenu_ = thickness.get();
    m.add(QStringLiteral("Line Thickness")).submenu = std::move(thickness);
    m.addSeparator();
    transparentItem_ = &m.add(QStringLiteral("Transparent"), [this] { transparentCommand(); });
    // Whether the rounding submenu exists is decided once, by the kind at this moment (or
    // when the card was read, for a menu that waited).
    if (popupDeferred() ? roundingMenu_ : rounded()) {
        m.addSeparator();
        auto rounding = std::make_shared<platform::MenuModel>();
        for (int percent = 20; percent <= 80; percent += 10)
            rounding->add(QString::number(percent) + QStringLiteral(" %"),
                          [this, percent] { roundingCommand(percent); });
        m.add(QStringLiteral("Degree of Rounding")).submenu = rounding;
    }
}

void TGLabelShapes::popupAfterReading() {
    roundingMenu_ = rounded();
    deferPopup();
}

void TGLabelShapes::popupRefresh() {
    if (!objectMenu()) return;
    transparentItem_->checked = transparent_;
    TGThicknessMenu::refresh(*thicknessMenu_, pen_.width());
}

void TGLabelShapes::backgroundColorCommand() {
    const std::optional<TColor> c = platform::DialogHost::current().chooseColor(brush_.color());
    if (!c) return;
    brush_.setColor(*c);
    flagChanged();
    setTransparent(false);
    repaint();
}

void TGLabelShapes::lineColorCommand() {
    const std::optional<TColor> c = platform::DialogHost::current().chooseColor(pen_.color());
    if (!c) return;
    pen_.setColor(*c);
    flagChanged();
    repaint();
}

void TGLabelShapes::thicknessCommand(int width) {
    pen_.setWidth(width);
    flagChanged();
}

void TGLabelShapes::transparentCommand() {
    setTransparent(!transparent_);
    // The card changed: without this a toggle alone would not ask to be saved.
    flagChanged();
}

void TGLabelShapes::roundingCommand(int percent) {
    setRoundPerc(percent);
    flagChanged();
}

// --- drawing

void TGLabelShapes::paint(platform::Canvas& c) {
    const int p = zoomedPenWidth();
    // The pen's style is not used on screen.
    c.pen = {pen_.color(), pen_.mode(), Gdi::psSolid, p};
    c.brush = brush_.value();
    // Corners that keep a thick outline inside the bounds.
    const int h = p / 2;
    const int l = h, t = h, r = width() - p + h + 1, b = height() - p + h + 1;
    if (rounded()) {
        const int e = int(std::trunc(std::max(width(), height()) * (roundPerc_ * 0.01)));
        c.roundRect(l, t, r, b, e, e);
    } else if (elliptic()) {
        c.ellipse(l, t, r, b);
    } else {
        c.rectangle(l, t, r, b);
    }
}

void TGLabelShapes::print(platform::Report& report, double x0, double y0) {
    const double ppi = platform::ScreenMetrics::pixelsPerInch();
    // A negative width is in hundredths of an inch.
    report.pen = {pen_.color(), pen_.style(), -int(std::trunc(pen_.boundedWidth() / ppi * 100)),
                  pen_.mode()};
    report.brush = {brush_.color(), brush_.style(), {}};
    const QRectF in = inchRect(x0, y0);
    const double l = in.left(), t = in.top(), r = in.right(), b = in.bottom();
    if (rounded()) {
        const double corner = roundPerc_ * 0.01 * (height() < width() ? r - l : b - t);
        report.roundRect(l, t, r, b, corner, corner);
    } else if (elliptic()) {
        report.ellipse(l, t, r, b);
    } else {
        report.rectangle(l, t, r, b);
    }
}
