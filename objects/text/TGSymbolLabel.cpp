#include "TGSymbolLabel.h"

#include "TGetSymbol.h"
#include "document/TGBasePanel.h"
#include "platform/drawing/TextMetrics.h"
#include "platform/widgets/DialogHost.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <cmath>

TGSymbolLabel::TGSymbolLabel(QObject* owner) : TGBaseLabel(owner) {
    TGFont f;
    f.setName(QStringLiteral("WingDings"));
    f.setSize(24);
    takeFont(f);
    setCaption(QStringLiteral("["));
}

void TGSymbolLabel::autoSize() {
    // The size it sets runs the bounds-changed check, which would size it again.
    if (isLoading() || !surface() || autoSizing_) return;
    const platform::TextMetrics tm(displayFont().gdiFont(zoomFactor()));
    QSize extent = tm.textExtent(caption());
    int X0 = std::max({textOrigin().x(), shadowOrigin().x(), highlightOrigin().x()});
    int Y0 = std::max({textOrigin().y(), shadowOrigin().y(), highlightOrigin().y()});
    if (angle() != 0) {
        // Turned text starts at another corner of its box, whose place follows the size
        // being set: the room is measured from the boxes' top-left corners instead, so
        // that the size reaches one fixed point however often it is laid out.
        X0 = std::max({textBox().left, shadowBox().left, highlightBox().left});
        Y0 = std::max({textBox().top, shadowBox().top, highlightBox().top});
        if (angle() != 180) extent.transpose();
    }
    const int w = int(1.1 * extent.width()), h = int(1.1 * extent.height());
    // An empty text still leaves an object of one pixel, as every label keeps.
    const int W = std::max(1, w + X0), H = std::max(1, h + Y0);
    if (W != width() || H != height()) {
        const QScopedValueRollback autoSizing(autoSizing_, true);
        setBounds(left(), top(), W, H);
    }
    surface()->postRefit();
}

void TGSymbolLabel::boundsChangedCheck() {
    TGBaseLabel::boundsChangedCheck();
    autoSize();
}

void TGSymbolLabel::setBoundsByUser(int l, int t, int w, int h) {
    // The points follow the new height, or the width when only that changed.
    const double ratio = h != height()  ? double(h) / std::max(1, height())
                         : w != width() ? double(w) / std::max(1, width())
                                        : 1.0;
    if (ratio == 1.0) {
        setBounds(l, t, w, h);
        return;
    }
    TGFont f;
    f.assign(displayFont());
    // At least a point each time, so that a one-pixel nudge of a large symbol tells too.
    const int scaled = int(std::lround(f.size() * ratio));
    const int points = ratio > 1 ? std::max(scaled, f.size() + 1) : std::min(scaled, f.size() - 1);
    f.setSize(std::clamp(points, TGetSymbol::minPoints, TGetSymbol::maxPoints));
    takeFont(f);
    setBounds(l, t, w, h);
    markLayoutStale();
    fitLayout();
}

void TGSymbolLabel::fitLayout() {
    TGBaseLabel::fitLayout();
    // A new layout can move the origins (a deeper effect); the size follows, and a new
    // size is laid out again, until the two agree.
    for (int i = 0; i < 4; ++i) {
        autoSize();
        if (!layoutStale()) break;
        layoutPass();
    }
}

void TGSymbolLabel::buildPopup() {
    // The symbol selector chooses the font, and the menu offers no alignment.
    buildLabelPopup(false);
    objectMenu()->addSeparator();
    objectMenu()->add(QStringLiteral("Symbol Selector"), [this] { symbolSelectorCommand(); });
    layoutPass();
    autoSize();
}

bool TGSymbolLabel::symbolSelectorCommand() {
    TGetSymbol dialog;
    dialog.setChosenFont(displayFont());
    dialog.setCode(TGetSymbol::codeOf(caption()));
    if (platform::DialogHost::current().exec(dialog) != QDialog::Accepted) return false;
    takeFont(dialog.chosenFont());
    if (dialog.code() >= 32) setCaption(TGetSymbol::characterOf(dialog.code()));
    markLayoutStale();
    layoutPass();
    autoSize();
    repaint();
    return true;
}
