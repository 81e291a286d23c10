#include "TGMultiLineBaseLabel.h"

#include "AlignmentMenu.h"
#include "document/TGBasePanel.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/TextMetrics.h"
#include "platform/widgets/DialogHost.h"

#include <algorithm>

TGMultiLineBaseLabel::TGMultiLineBaseLabel(QObject* owner) : TGGraphicControl(owner) {
    // The default size is not a move: the first bounds-changed check must see the bounds
    // the object is given on the card.
    setLoading(true);
    setBounds(0, 0, 190, 33);
    setLoading(false);
    connect(&font_, &TGFont::changed, this, &TGMultiLineBaseLabel::fontChanged);
    connect(&items_, &TGStringList::changed, this, [this] { repaint(); });
}

// --- font

const TGFont& TGMultiLineBaseLabel::displayFont() const {
    return ownFont_ || !surface() ? font_ : surface()->font();
}

void TGMultiLineBaseLabel::fontChanged() {
    ownFont_ = true;
    flagChanged();
    repaint();
}

void TGMultiLineBaseLabel::takeFont(const TGFont& f) {
    const bool wasOwn = ownFont_;
    const bool differs = !font_.sameAs(f);
    font_.assign(f); // reports the change when it differs
    if (!differs && !wasOwn) fontChanged();
}

platform::GdiFont TGMultiLineBaseLabel::canvasFont() const {
    return displayFont().gdiFont(zoomFactor());
}

// --- setters

void TGMultiLineBaseLabel::setLines(const QStringList& lines) {
    items_.setLines(lines);
}

void TGMultiLineBaseLabel::setAlignment(Gdi::TAlignment v) {
    if (v == alignment_ || v < Gdi::taLeftJustify || v > Gdi::taCenter) return;
    alignment_ = v;
    repaint();
}

void TGMultiLineBaseLabel::setWordWrap(bool v) {
    if (v == wordWrap_) return;
    wordWrap_ = v;
    if (v) wrapStep();
    repaint();
    flagChanged();
}

// --- wrapping and layout

void TGMultiLineBaseLabel::wrapStep() {
    if (!wordWrap_) return;
    const platform::TextMetrics tm(canvasFont());
    wrapped_.clear();
    for (const QString& line : items_.lines())
        wrapped_ += tm.wrapLine(line, width());
    wrappedFor_ = {items_.lines(), canvasFont(), width()};
    repaint();
}

QStringList TGMultiLineBaseLabel::paintedLines() {
    // The wrapped lines follow the text, the font, the zoom and the width; a card read
    // from a file or zoomed gets them here if no move has wrapped them yet.
    if (wordWrap_ && !(wrappedFor_ == WrapInput{items_.lines(), canvasFont(), width()})) wrapStep();
    QStringList out = wordWrap_ ? wrapped_ : items_.lines();
    if (out.isEmpty())
        out << QStringLiteral("<blank>");
    else if (out.size() == 1 && trimSpaces(out.front()).isEmpty())
        out << QStringLiteral("<blank>");
    return out;
}

int TGMultiLineBaseLabel::lineHeight() const {
    return platform::TextMetrics(canvasFont()).textExtent(QStringLiteral("XXX")).height();
}

void TGMultiLineBaseLabel::sizeToLines() {
    const platform::TextMetrics tm(canvasFont());
    const int h = tm.textExtent(QStringLiteral("XXX")).height();
    wrapStep();
    const QStringList& shown = wordWrap_ ? wrapped_ : items_.lines();
    int w = width();
    for (const QString& line : shown)
        w = std::max(w, tm.textWidth(line));
    setBounds(left(), top(), w, int(std::min<qint64>(qint64(h) * shown.size(), 1 << 24)));
    repaint();
}

// --- virtual operations

void TGMultiLineBaseLabel::paint(platform::Canvas& c) {
    const QStringList shown = paintedLines();
    c.font = canvasFont();
    const platform::TextMetrics tm(c.font);
    const int h = tm.textExtent(QStringLiteral("XXX")).height();
    const QRect R(0, 0, width(), height());
    if (!(lineWidths_.lines == shown && lineWidths_.font == c.font))
        lineWidths_ = {shown, c.font, std::vector<std::optional<int>>(size_t(shown.size()))};
    for (qsizetype k = 0; k < shown.size(); ++k) {
        const qint64 top = qint64(k) * h;
        if (top >= R.height()) break; // below the bottom: clipped away
        const auto lineWidth = [&] {
            std::optional<int>& w = lineWidths_.widths[size_t(k)];
            if (!w) w = tm.textWidth(shown[k]);
            return *w;
        };
        int x = 0;
        if (alignment_ == Gdi::taRightJustify) x = R.width() - (lineWidth() + 1);
        if (alignment_ == Gdi::taCenter) x = R.width() / 2 - lineWidth() / 2 + 1;
        const QRect line(R.left(), int(top), R.width(), h);
        c.extTextOut(x, int(top), line, shown[k]);
    }
}

void TGMultiLineBaseLabel::boundsChangedCheck() {
    // Every move or resize re-wraps.
    wrapStep();
    TGGraphicControl::boundsChangedCheck();
}

void TGMultiLineBaseLabel::applyFont(const TGFont& f) {
    takeFont(f);
    contentChanged();
    wrapStep();
}

void TGMultiLineBaseLabel::buildPopup() {
    TGGraphicControl::buildPopup();
    platform::MenuModel& m = *objectMenu();
    m.addSeparator();
    m.add(QStringLiteral("Font"), [this] { fontCommand(); });
    m.add(QStringLiteral("Text Color..."), [this] { textColorCommand(); });
    alignmentMenu_ = &AlignmentMenu::addTo(m, [this](Gdi::TAlignment a) {
        setAlignment(a);
        flagChanged();
    });
}

void TGMultiLineBaseLabel::popupRefresh() {
    if (objectMenu()) AlignmentMenu::check(*alignmentMenu_, alignment_);
}

void TGMultiLineBaseLabel::fontCommand() {
    const std::optional<QFont> chosen =
        platform::DialogHost::current().chooseFont(displayFont().toQFont());
    if (chosen) {
        TGFont f;
        f.assign(displayFont());
        f.assignQFont(*chosen);
        takeFont(f);
    }
    contentChanged();
    wrapStep();
}

void TGMultiLineBaseLabel::textColorCommand() {
    const std::optional<TColor> c =
        platform::DialogHost::current().chooseColor(displayFont().color());
    if (!c) return;
    TGFont f;
    f.assign(displayFont());
    f.setColor(*c);
    takeFont(f);
    contentChanged();
}

void TGMultiLineBaseLabel::print(platform::Report& report, double leftInches, double topInches) {
    printAsPainted(report, leftInches, topInches);
}
