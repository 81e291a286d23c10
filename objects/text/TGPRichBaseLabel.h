#pragma once
// The rich text label: a formatted text document (fonts, sizes, colours, styles, paragraph
// alignment) laid out on a page of the label's size and painted inside its bounds, with an
// optional background colour and border. Painting goes through the surface's shared rich
// text engine (platform::RichTextMaster); editing through TRichTextLabelEditor, which opens
// from the "Edit" command, a double-click and the rich text tool.
#include "TGRichText.h"
#include "document/TGFilerError.h"
#include "document/TGGraphicControl.h"
#include "platform/drawing/Gdi.h"
#include "platform/richtext/RichTextMaster.h"

#include <QPointer>
#include <QSize>

// Building the popup of a rich text label whose surface has no rich text engine.
class ENoMasterWPRich : public TGFilerError {
  public:
    ENoMasterWPRich() : TGFilerError(QStringLiteral("No master rich text object found")) {}
};

class TGPRichBaseLabel : public TGGraphicControl {
    Q_OBJECT
    Q_PROPERTY(TGRichText* RTFText READ rtfText)
    Q_PROPERTY(Gdi::TBorderStyle BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(TColor BGColor READ bgColor WRITE setBGColor)

  public:
    Q_INVOKABLE explicit TGPRichBaseLabel(QObject* owner = nullptr);

    TGRichText* rtfText() { return &rtfText_; }
    const TGRichText& richText() const { return rtfText_; }
    // Takes the RTF text; repaints and flags the card as changed when it differs.
    void setRtf(const QByteArray& rtf);
    // Takes an edited document's content, likewise.
    void setDocument(const QTextDocument& document);
    Gdi::TBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(Gdi::TBorderStyle v);
    bool transparent() const { return transparent_; }
    void setTransparent(bool v);
    TColor bgColor() const { return bgColor_; }
    void setBGColor(TColor v);

    // Finds the surface's rich text engine first: throws ENoMasterWPRich without one.
    void buildPopup() override;
    void paint(platform::Canvas& canvas) override;
    void popupRefresh() override;
    void print(platform::Report& report, double leftInches, double topInches) override;

    // The page the document is laid out on: the label's size at zoom 1, in twips.
    QSize pageTwips() const;
    // The engine's zoom for the label's zoom factor, in percent.
    int zoomPercent() const;
    platform::RichTextMaster* master() const { return master_; }

    // Popup commands.
    void toggleTransparentCommand();
    void backgroundColorCommand();
    void toggleBorderCommand();
    // The rich text editor; on "Ok" the label takes the edited text.
    void editCommand();

  private:
    // Items of the popup menu, which owns them.
    platform::MenuModel::Item* transparentItem_ = nullptr;
    platform::MenuModel::Item* borderItem_ = nullptr;

    TGRichText rtfText_;
    Gdi::TBorderStyle borderStyle_ = Gdi::bsSingle;
    bool transparent_ = true;
    TColor bgColor_ = TColor::clWhite;
    QPointer<platform::RichTextMaster> master_;
};
