#include "TGPCircleText.h"

#include "TCircleTextProperties.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/TextMetrics.h"
#include "platform/widgets/DialogHost.h"

#include <QScopedValueRollback>

#include <cmath>
#include <numbers>

namespace {
// Nearest integer, halves to even, kept inside int.
int roundEven(double v) {
    return int(std::clamp(std::nearbyint(v), -2147483648.0, 2147483647.0));
}
} // namespace

TGPCircleText::TGPCircleText(QObject* owner) : TGGraphicControl(owner) {
    // The default size is not a move: the first bounds-changed check must see the bounds
    // the object is given on the card.
    setLoading(true);
    setBounds(0, 0, 142, 33);
    setLoading(false);
    font_.setStyle(Gdi::fsBold);
    connect(&font_, &TGFont::changed, this, [this] {
        flagChanged();
        repaint();
    });
}

// --- setters

void TGPCircleText::setStartingVector(TDegrees v) {
    if (v == startingVector_ || v < dg90 || v > dg360) return;
    startingVector_ = v;
    repaint();
}

void TGPCircleText::setDegrees(TDegrees v) {
    if (v == degrees_ || v < dg90 || v > dg360) return;
    degrees_ = v;
    repaint();
}

void TGPCircleText::setMirror(bool v) {
    if (v == mirror_) return;
    mirror_ = v;
    repaint();
}

void TGPCircleText::setDrawLettersAngled(bool v) {
    if (v == drawLettersAngled_) return;
    drawLettersAngled_ = v;
    repaint();
    flagChanged();
}

void TGPCircleText::setBorderStyle(Gdi::TBorderStyle v) {
    if (v == borderStyle_ || v < Gdi::bsNone || v > Gdi::bsSingle) return;
    borderStyle_ = v;
    repaint();
    flagChanged();
}

void TGPCircleText::setControlTransparent(bool v) {
    if (v == controlTransparent_) return;
    controlTransparent_ = v;
    repaint();
}

void TGPCircleText::setBGColor(TColor v) {
    if (v == bgColor_) return;
    bgColor_ = v;
    repaint();
    flagChanged();
}

void TGPCircleText::setCaption(const QString& v) {
    if (v == caption_) return;
    caption_ = v;
    repaint();
    flagChanged();
}

void TGPCircleText::copyFrom(const TGPCircleText& o) {
    {
        const QScopedValueRollback painting(painting_, true);
        setCaption(o.caption_);
        font_.assign(o.font_);
        setControlTransparent(o.controlTransparent_);
        setBGColor(o.bgColor_);
        setBorderStyle(o.borderStyle_);
        setBounds(left(), top(), o.width(), o.height());
        setStartingVector(o.startingVector_);
        setDegrees(o.degrees_);
        setDrawLettersAngled(o.drawLettersAngled_);
        setMirror(o.mirror_);
    }
    repaint();
}

// --- layout and paint

std::vector<TGPCircleText::Letter> TGPCircleText::letters() const {
    return layout().letters;
}

TGPCircleText::LayoutKey TGPCircleText::layoutKey() const {
    return {caption_,        canvasFont(), width(), height(),
            startingVector_, degrees_,     mirror_, drawLettersAngled_};
}

const TGPCircleText::Layout& TGPCircleText::layout() const {
    LayoutKey key = layoutKey();
    if (layout_ && layout_->key == key) return *layout_;
    Layout l{std::move(key), placeLetters(), {}, {}};
    const platform::TextMetrics tm(l.key.font);
    for (const Letter& letter : l.letters) {
        l.shown.push_back(tm.shown(letter.text));
        l.widths.push_back(tm.shownWidth(l.shown.back()));
    }
    layout_ = std::move(l);
    return *layout_;
}

std::vector<TGPCircleText::Letter> TGPCircleText::placeLetters() const {
    std::vector<Letter> out;
    const qsizetype n = caption_.size();
    if (n == 0) return out;
    const int W = width(), H = height();
    const bool m = mirror_ && drawLettersAngled_;
    const platform::TextMetrics tm(canvasFont());
    const int h = tm.tmHeight, a = tm.tmAveCharWidth;
    const int S = (startingVector_ + 1) * 90;
    int A = (degrees_ + 1) * 90;
    const bool full = degrees_ == dg360;
    if (full && n > 5) A = 355;

    // The centre sits near the corner or edge opposite the arc; a margin of one average
    // character width across and one text height down keeps the letters inside.
    int cx = W / 2, rx = W / 2, cy = H / 2, ry = H / 2;
    if (degrees_ == dg90) {
        cx = startingVector_ == dg90 || startingVector_ == dg360 ? a : W - a;
        rx = W - a;
        cy = startingVector_ == dg90 || startingVector_ == dg180 ? H - h : h;
        ry = H - h;
    } else if (degrees_ == dg180) {
        if (startingVector_ == dg90) cx = a, rx = W - a;
        if (startingVector_ == dg270) cx = W - a, rx = W - a;
        if (startingVector_ == dg180) cy = H - h, ry = H - h;
        if (startingVector_ == dg360) cy = h, ry = H - h;
    }
    // Upright and outward letters stand outside the circle, mirrored ones hang inside it.
    double r = std::min(rx, ry) - 4;
    if (!m) r -= std::abs(h);

    // On a partial arc the first and last letters sit on its two ends; the full circle
    // spreads them evenly without closing the ring.
    const float step = n < 2 ? float(A) : full ? float(A) / float(n) : float(A) / float(n - 1);
    const int E0 = (S - 90) * 10;
    constexpr double toRadians = std::numbers::pi / 180;
    for (qsizetype i = 0; i < n; ++i) {
        const bool last = !full && i == n - 1;
        Letter l;
        l.text = caption_.at(m ? n - 1 - i : i);
        int e = last ? roundEven(E0 - A * 10.0) : roundEven(E0 - double(i) * double(step) * 10);
        if (e < 0) e += 3600;
        if (m) e = e + 1800 > 3600 ? e - 1800 : e + 1800;
        l.escapement = qint16(e);
        const double theta = (last ? double(A - S) : double(i) * double(step) - S) * toRadians;
        l.x = roundEven(r * std::cos(theta)) + cx;
        l.y = roundEven(r * std::sin(theta)) + cy;
        if (l.x >= 0 && l.y >= 0 && l.x < W && l.y < H) out.push_back(l);
    }
    return out;
}

void TGPCircleText::paint(platform::Canvas& c) {
    if (painting_) return;
    const QScopedValueRollback painting(painting_, true);
    c.font = canvasFont();
    if (!controlTransparent_ || borderStyle_ == Gdi::bsSingle) {
        c.brush = {bgColor_, controlTransparent_ ? Gdi::bsClear : Gdi::bsSolid};
        c.pen = {TColor::clBlack, Gdi::pmCopy,
                 borderStyle_ == Gdi::bsSingle ? Gdi::psSolid : Gdi::psClear, 1};
        c.rectangle(0, 0, width(), height());
    }
    c.brush.style = Gdi::bsClear;
    const int savedAlign = c.textAlign;
    c.textAlign = platform::Canvas::TA_CENTER | platform::Canvas::TA_BOTTOM;
    const Layout& l = layout();
    for (size_t i = 0; i < l.letters.size(); ++i) {
        c.font.escapement = drawLettersAngled_ ? l.letters[i].escapement : 0;
        c.textOutShown(l.letters[i].x, l.letters[i].y, l.shown[i], l.widths[i]);
    }
    c.font.escapement = 0;
    c.textAlign = savedAlign;
}

void TGPCircleText::boundsChangedCheck() {
    TGGraphicControl::boundsChangedCheck();
    if (width() <= 0 || height() <= 0)
        setBounds(left(), top(), std::max(width(), 1), std::max(height(), 1));
}

void TGPCircleText::print(platform::Report& report, double leftInches, double topInches) {
    printAsPainted(report, leftInches, topInches);
}

// --- popup

void TGPCircleText::buildPopup() {
    TGGraphicControl::buildPopup();
    platform::MenuModel& m = *objectMenu();
    m.addSeparator();
    m.add(QStringLiteral("Font"), [this] { fontCommand(); });
    m.add(QStringLiteral("Text Color..."), [this] { textColorCommand(); });
    transparentItem_ =
        &m.add(QStringLiteral("Transparent"), [this] { toggleTransparentCommand(); });
    transparentItem_->checked = controlTransparent_;
    m.add(QStringLiteral("Background Color"), [this] { backgroundColorCommand(); });
    borderItem_ = &m.add(QStringLiteral("Border"), [this] { toggleBorderCommand(); });
    borderItem_->checked = borderStyle_ == Gdi::bsSingle;
    m.add(QStringLiteral("Properties"), [this] { propertiesCommand(); });
}

void TGPCircleText::popupRefresh() {
    if (!objectMenu()) return;
    borderItem_->checked = borderStyle_ == Gdi::bsSingle;
    transparentItem_->checked = controlTransparent_;
}

void TGPCircleText::fontCommand() {
    const std::optional<QFont> chosen = platform::DialogHost::current().chooseFont(font_.toQFont());
    if (chosen) font_.assignQFont(*chosen);
}

void TGPCircleText::textColorCommand() {
    const std::optional<TColor> c = platform::DialogHost::current().chooseColor(font_.color());
    if (c) font_.setColor(*c);
}

void TGPCircleText::toggleTransparentCommand() {
    setControlTransparent(!controlTransparent_);
    transparentItem_->checked = controlTransparent_;
    flagChanged();
}

void TGPCircleText::backgroundColorCommand() {
    const std::optional<TColor> c = platform::DialogHost::current().chooseColor(bgColor_);
    if (!c) return;
    setBGColor(*c);
    flagChanged();
    setControlTransparent(false);
    transparentItem_->checked = controlTransparent_;
    repaint();
}

void TGPCircleText::toggleBorderCommand() {
    setBorderStyle(borderStyle_ == Gdi::bsSingle ? Gdi::bsNone : Gdi::bsSingle);
    borderItem_->checked = borderStyle_ == Gdi::bsSingle;
}

bool TGPCircleText::propertiesCommand() {
    TCircleTextProperties dialog;
    dialog.sample.copyFrom(*this);
    dialog.activate();
    if (platform::DialogHost::current().exec(dialog) != QDialog::Accepted) return false;
    dialog.sample.setZoom(1.0f);
    copyFrom(dialog.sample);
    repaint();
    flagChanged();
    return true;
}
