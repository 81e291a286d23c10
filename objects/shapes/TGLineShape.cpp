#include "TGLineShape.h"

#include "TGThicknessMenu.h"
#include "document/TGBasePanel.h"
#include "platform/drawing/Canvas.h"
#include "platform/report/Report.h"
#include "platform/widgets/DialogHost.h"

#include <cmath>

namespace {
// Captions of the "Style" submenu, in TLineStyle order.
const char* const styleCaptions[] = {"Horizontal", "Vertical", "Angled Sloping Up",
                                     "Angled Sloping Down"};
} // namespace

TGLineShape::TGLineShape(QObject* owner) : TGGraphicControl(owner) {
    setBounds(0, 0, 10, 10);
    pen_.onChanged = [this] { repaint(); };
}

void TGLineShape::setLineStyle(TLineStyle v) {
    if (lineStyle_ == v) return;
    lineStyle_ = v;
    repaint();
}

int TGLineShape::zoomedPenWidth() const {
    const float zoom = zoomFactor();
    if (zoom == 1.0f) return pen_.boundedWidth();
    constexpr double most = platform::Canvas::maxPenWidth;
    return int(std::nearbyint(std::clamp(double(pen_.boundedWidth()) * double(zoom), -most, most)));
}

// --- popup

void TGLineShape::buildPopup() {
    TGGraphicControl::buildPopup();
    platform::MenuModel& m = *objectMenu();
    m.addSeparator();
    auto styles = std::make_shared<platform::MenuModel>();
    for (int s = stHorizontal; s <= stAngleSlopingDown; ++s)
        styles->add(QString::fromLatin1(styleCaptions[s]),
                    [this, s] { styleCommand(TLineStyle(s)); });
    m.add(QStringLiteral("Style")).submenu = styles;
    styleMenu_ = styles.get();
    m.add(QStringLiteral("Color"), [this] { colorCommand(); });
    auto thickness = TGThicknessMenu::build([this](int w) { thicknessCommand(w); });
    thicknessMenu_ = thickness.get();
    m.add(QStringLiteral("Line Thickness")).submenu = std::move(thickness);
    m.addSeparator();
    m.add(QStringLiteral("Stretch To Edges"), [this] { stretchToEdgesCommand(); });
}

void TGLineShape::popupRefresh() {
    if (!objectMenu()) return;
    for (size_t i = 0; i < styleMenu_->items().size(); ++i)
        styleMenu_->items()[i].checked = int(i) == lineStyle_;
    TGThicknessMenu::refresh(*thicknessMenu_, pen_.width());
}

void TGLineShape::styleCommand(TLineStyle style) {
    flagChanged();
    setLineStyle(style);
}

void TGLineShape::colorCommand() {
    const std::optional<TColor> c = platform::DialogHost::current().chooseColor(pen_.color());
    if (!c) return;
    flagChanged();
    pen_.setColor(*c);
    repaint();
}

void TGLineShape::thicknessCommand(int width) {
    pen_.setWidth(width);
    flagChanged();
}

void TGLineShape::stretchToEdgesCommand() {
    TGBasePanel* s = surface();
    if (!s) return;
    // The bounds change flags the card as changed through the bounds-changed check.
    if (lineStyle_ == stHorizontal)
        setBounds(0, top(), s->width(), height());
    else if (lineStyle_ == stVertical)
        setBounds(left(), 0, width(), s->height());
    repaint();
}

// --- drawing

void TGLineShape::paint(platform::Canvas& c) {
    const int p = zoomedPenWidth();
    c.pen = {pen_.color(), pen_.mode(), pen_.style(), p};
    const int h = p / 2, W = width(), H = height();
    c.moveTo(h, h);
    switch (lineStyle_) {
    case stHorizontal:
        c.lineTo(W - p + 1 + h, h);
        break;
    case stVertical:
        c.lineTo(h, H - p + 1 + h);
        break;
    case stAngleSlopingUp:
        c.moveTo(W, 0);
        c.lineTo(0, H);
        break;
    case stAngleSlopingDown:
        c.moveTo(0, 0);
        c.lineTo(W, H);
        break;
    }
}

void TGLineShape::print(platform::Report& report, double x0, double y0) {
    // The stored width is taken as hundredths of an inch (a negative report width).
    report.pen = {pen_.color(), pen_.style(), -pen_.boundedWidth(), Gdi::pmCopy};
    // The line runs along the middle of its pen: the bounds moved down by half the width.
    const QRectF in = inchRect(bounds().translated(0, pen_.boundedWidth() / 2), x0, y0);
    const double l = in.left(), t = in.top(), r = in.right(), b = in.bottom();
    switch (lineStyle_) {
    case stHorizontal:
        report.moveTo(l, t);
        report.lineTo(r, t);
        break;
    case stVertical:
        report.moveTo(l, t);
        report.lineTo(l, b);
        break;
    case stAngleSlopingUp:
        report.moveTo(l, b);
        report.lineTo(r, t);
        break;
    case stAngleSlopingDown:
        report.moveTo(l, t);
        report.lineTo(r, b);
        break;
    }
}
