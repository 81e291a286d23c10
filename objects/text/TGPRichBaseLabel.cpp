#include "TGPRichBaseLabel.h"

#include "TRichTextLabelEditor.h"
#include "document/TGBasePanel.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/report/Report.h"
#include "platform/richtext/RichTextMaster.h"
#include "platform/widgets/DialogHost.h"

TGPRichBaseLabel::TGPRichBaseLabel(QObject* owner) : TGGraphicControl(owner) {
    // The default size is not a move: the bounds-changed check must first see the bounds
    // the label is given on the card.
    setLoading(true);
    setBounds(0, 0, 190, 33);
    setLoading(false);
    connect(&rtfText_, &TGRichText::changed, this, &TGPRichBaseLabel::repaint);
}

// --- stored properties

void TGPRichBaseLabel::setRtf(const QByteArray& rtf) {
    if (rtf == rtfText_.rtf()) return;
    rtfText_.setRtf(rtf);
    flagChanged();
}

void TGPRichBaseLabel::setDocument(const QTextDocument& document) {
    const QByteArray before = rtfText_.rtf();
    rtfText_.setDocument(document);
    if (rtfText_.rtf() != before) flagChanged();
}

void TGPRichBaseLabel::setBorderStyle(Gdi::TBorderStyle v) {
    if (v == borderStyle_ || v < Gdi::bsNone || v > Gdi::bsSingle) return;
    borderStyle_ = v;
    repaint();
    flagChanged();
}

void TGPRichBaseLabel::setTransparent(bool v) {
    if (v == transparent_) return;
    transparent_ = v;
    repaint();
}

void TGPRichBaseLabel::setBGColor(TColor v) {
    if (v == bgColor_) return;
    bgColor_ = v;
    repaint();
    flagChanged();
}

// --- popup

void TGPRichBaseLabel::buildPopup() {
    master_ = platform::RichTextMaster::find(surface());
    if (!master_) throw ENoMasterWPRich();
    TGGraphicControl::buildPopup();
    platform::MenuModel& m = *objectMenu();
    m.addSeparator();
    transparentItem_ =
        &m.add(QStringLiteral("Transparent"), [this] { toggleTransparentCommand(); });
    transparentItem_->checked = transparent_;
    m.add(QStringLiteral("Background Color"), [this] { backgroundColorCommand(); });
    borderItem_ = &m.add(QStringLiteral("Border"), [this] { toggleBorderCommand(); });
    borderItem_->checked = borderStyle_ == Gdi::bsSingle;
    m.add(QStringLiteral("Edit"), [this] { editCommand(); });
    onEditRequest = [this](TGBasePanel*) { editCommand(); };
}

void TGPRichBaseLabel::popupRefresh() {
    if (!objectMenu()) return;
    transparentItem_->checked = transparent_;
    borderItem_->checked = borderStyle_ == Gdi::bsSingle;
}

void TGPRichBaseLabel::toggleTransparentCommand() {
    setTransparent(!transparent_);
    transparentItem_->checked = transparent_;
}

void TGPRichBaseLabel::backgroundColorCommand() {
    const std::optional<TColor> c = platform::DialogHost::current().chooseColor(bgColor_);
    if (!c) return;
    setBGColor(*c);
    flagChanged();
    setTransparent(false);
    transparentItem_->checked = transparent_;
    repaint();
}

void TGPRichBaseLabel::toggleBorderCommand() {
    setBorderStyle(borderStyle_ == Gdi::bsSingle ? Gdi::bsNone : Gdi::bsSingle);
    borderItem_->checked = borderStyle_ == Gdi::bsSingle;
}

void TGPRichBaseLabel::editCommand() {
    TRichTextLabelEditor::edit(*this);
}

// --- paint and print

QSize TGPRichBaseLabel::pageTwips() const {
    const double ppi = platform::ScreenMetrics::pixelsPerInch();
    const double z = zoomFactor();
    return QSize(int(width() / z / ppi * 1440), int(height() / z / ppi * 1440));
}

int TGPRichBaseLabel::zoomPercent() const {
    return int(zoomFactor() * 100.0f);
}

void TGPRichBaseLabel::paint(platform::Canvas& c) {
    if (!master_) return;
    const QRect r(0, 0, width(), height());
    c.pen = {TColor::clBlack, Gdi::pmCopy, Gdi::psSolid, 1};
    if (!transparent_) {
        c.brush = {bgColor_, Gdi::bsSolid};
        c.fillRect(r);
    }
    master_->setDocument(&rtfText_.document());
    master_->setZoom(zoomPercent());
    master_->setPage(pageTwips());
    master_->setWordWrap(true);
    master_->paint(c.painter(), r);
    if (borderStyle_ == Gdi::bsSingle) {
        c.brush = {TColor::clWhite, Gdi::bsClear};
        c.rectangle(0, 0, width(), height());
    }
}

void TGPRichBaseLabel::print(platform::Report& report, double leftInches, double topInches) {
    printAsPainted(report, leftInches, topInches);
}
