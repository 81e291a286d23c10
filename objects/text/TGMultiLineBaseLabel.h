#pragma once
// Several lines of text in one font, each aligned left, centred or right within the object,
// optionally wrapped at the object's width. Drawn transparently: no background, border or
// 3D effects. An object without text shows the placeholder "<blank>", on the printed card
// too. The base of the multi-line label.
#include "document/TGFont.h"
#include "document/TGGraphicControl.h"
#include "document/TGStringList.h"
#include "platform/drawing/Gdi.h"

#include <QStringList>

#include <optional>
#include <vector>

class TGMultiLineBaseLabel : public TGGraphicControl {
    Q_OBJECT
    Q_PROPERTY(TGStringList* Items READ items)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(Gdi::TAlignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(TGFont* Font READ font)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)
    Q_CLASSINFO("default.Alignment", "taLeftJustify")
    Q_CLASSINFO("default.WordWrap", "false")
    Q_CLASSINFO("stored.Font", "isFontStored")

  public:
    explicit TGMultiLineBaseLabel(QObject* owner = nullptr);

    // --- stored properties
    TGStringList* items() { return &items_; }
    const QStringList& lines() const { return items_.lines(); }
    // Replaces the lines and repaints; neither wraps nor resizes.
    void setLines(const QStringList& lines);
    // Stored and read only; it changes nothing.
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool v) { autoSize_ = v; }
    Gdi::TAlignment alignment() const { return alignment_; }
    void setAlignment(Gdi::TAlignment v);
    TGFont* font() { return &font_; }
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool v);

    // The font is stored once it is the object's own; until then it shows its surface's.
    Q_INVOKABLE bool isFontStored() const { return ownFont_; }
    const TGFont& displayFont() const;
    void takeFont(const TGFont& f);

    // The wrap step: with WordWrap on, the lines broken at spaces to fit Width in the
    // zoom-scaled font; otherwise nothing.
    virtual void wrapStep();
    const QStringList& wrappedLines() const { return wrapped_; }
    // The lines as painted: wrapped or as entered, with the "<blank>" placeholder.
    QStringList paintedLines();
    // Height of one line: the height of "XXX" in the zoom-scaled font.
    int lineHeight() const;
    // Makes the object exactly as high as its lines and at least as wide as the widest.
    void sizeToLines();

    // --- virtual operations
    void buildPopup() override;
    void popupAfterReading() override { deferPopup(); }
    void paint(platform::Canvas& canvas) override;
    void boundsChangedCheck() override;
    void popupRefresh() override;
    void applyFont(const TGFont& f) override;
    void print(platform::Report& report, double leftInches, double topInches) override;
    // The "Font" command: the font dialog; OK or not, the content-changed hook and the
    // wrap step follow.
    void fontCommand();
    // The "Text Color..." command: the colour dialog, then the font in the chosen colour.
    void textColorCommand();

  private:
    platform::GdiFont canvasFont() const;
    void fontChanged();

    // What the wrapped lines were made from.
    struct WrapInput {
        QStringList lines;
        platform::GdiFont font;
        int width = 0;
        friend bool operator==(const WrapInput&, const WrapInput&) = default;
    };

    TGStringList items_;
    bool autoSize_ = false;
    Gdi::TAlignment alignment_ = Gdi::taLeftJustify;
    TGFont font_;
    bool ownFont_ = false;
    bool wordWrap_ = false;
    QStringList wrapped_;
    WrapInput wrappedFor_;
    // The painted lines' widths, each measured when an alignment first needs it and kept
    // until the lines or the font change: measuring a line costs as much as drawing it.
    struct LineWidths {
        QStringList lines;
        platform::GdiFont font;
        std::vector<std::optional<int>> widths;
    };
    LineWidths lineWidths_;
    platform::MenuModel* alignmentMenu_ = nullptr; // owned by the popup menu
};
