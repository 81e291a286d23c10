#include "TGSymbolLabel.h"

#include "TGetSymbol.h"
#include "document/TGBasePanel.h"
#include "platform/DialogHost.h"
#include "platform/TextMetrics.h"

#include <algorithm>

TGSymbolLabel::TGSymbolLabel(QObject* owner) : TGBaseLabel(owner) {
    TGFont f;
    f.setName(QStringLiteral("WingDings"));
    f.setSize(24);
    takeFont(f);
    setCaption(QStringLiteral("["));
}

void TGSymbolLabel::autoSize() {
    if (isLoading() || !surface()) return;
    const platform::TextMetrics tm(displayFont().gdiFont(zoomFactor()));
    const QSize extent = tm.textExtent(caption());
    const int w = int(1.1 * extent.width()), h = int(1.1 * extent.height());
    const int X0 = std::max({textOrigin().x(), shadowOrigin().x(), highlightOrigin().x()});
    const int Y0 = std::max({textOrigin().y(), shadowOrigin().y(), highlightOrigin().y()});
    if (w + X0 != width()) setWidth(w + X0);
    if (h + Y0 != height()) setHeight(h + Y0);
    surface()->postRefit();
}

void TGSymbolLabel::boundsChangedCheck() {
    TGBaseLabel::boundsChangedCheck();
    autoSize();
}

void TGSymbolLabel::paint(platform::Canvas& canvas) {
    // A new layout can move the origins (a deeper effect); the size follows at once.
    if (layoutStale()) {
        layoutPass();
        autoSize();
    }
    TGBaseLabel::paint(canvas);
}

void TGSymbolLabel::buildPopup() {
    TGBaseLabel::buildPopup();
    std::vector<platform::MenuModel::Item>& items = objectMenu()->items();
    std::erase_if(items, [](const platform::MenuModel::Item& i) {
        return i.caption == QLatin1String("Font") || i.caption == QLatin1String("Alignment") ||
               i.caption == QLatin1String("Angle") || i.caption == QLatin1String("Text");
    });
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
