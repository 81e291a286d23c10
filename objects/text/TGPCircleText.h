#pragma once
// Text set letter by letter along an arc of a quarter, half, three quarters or a whole
// circle, starting at the left, top, right or bottom and running clockwise, each letter
// upright or turned to follow the circle; mirrored letters hang inside the arc. Edited on
// a live sample in its properties dialog.
#include "document/TGFont.h"
#include "document/TGGraphicControl.h"
#include "platform/drawing/Gdi.h"

#include <QPointer>

#include <optional>
#include <vector>

class TGPCircleText : public TGGraphicControl {
    Q_OBJECT
  public:
    enum TDegrees { dg90, dg180, dg270, dg360 };
    Q_ENUM(TDegrees)

  private:
    Q_PROPERTY(TDegrees StartingVector READ startingVector WRITE setStartingVector)
    Q_PROPERTY(TDegrees Degrees READ degrees WRITE setDegrees)
    Q_PROPERTY(QObject* PopupMenu READ popupMenu WRITE setPopupMenu)
    Q_PROPERTY(TGFont* Font READ font)
    Q_PROPERTY(bool Mirror READ mirror WRITE setMirror)
    Q_PROPERTY(bool DrawLettersAngled READ drawLettersAngled WRITE setDrawLettersAngled)
    Q_PROPERTY(Gdi::TBorderStyle BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool ControlTransparent READ controlTransparent WRITE setControlTransparent)
    Q_PROPERTY(TColor BGColor READ bgColor WRITE setBGColor)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)

  public:
    // One letter as the paint places it: the middle of the bottom of its cell at (x, y),
    // turned by escapement tenths of a degree when the letters are angled.
    struct Letter {
        QString text;
        int x = 0, y = 0;
        int escapement = 0;
        friend bool operator==(const Letter&, const Letter&) = default;
    };

    Q_INVOKABLE explicit TGPCircleText(QObject* owner = nullptr);

    // --- stored properties
    TDegrees startingVector() const { return startingVector_; }
    void setStartingVector(TDegrees v);
    TDegrees degrees() const { return degrees_; }
    void setDegrees(TDegrees v);
    QObject* popupMenu() const { return popupMenu_; }
    void setPopupMenu(QObject* v) { popupMenu_ = v; }
    TGFont* font() { return &font_; }
    const TGFont& displayFont() const { return font_; }
    bool mirror() const { return mirror_; }
    void setMirror(bool v);
    bool drawLettersAngled() const { return drawLettersAngled_; }
    void setDrawLettersAngled(bool v);
    Gdi::TBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(Gdi::TBorderStyle v);
    bool controlTransparent() const { return controlTransparent_; }
    void setControlTransparent(bool v);
    TColor bgColor() const { return bgColor_; }
    void setBGColor(TColor v);
    QString caption() const { return caption_; }
    void setCaption(const QString& v);

    // Takes the eleven values the properties dialog edits from another circle text, with
    // painting held off until all are in.
    void copyFrom(const TGPCircleText& other);
    // The letters the paint draws, in drawing order; letters outside the object are left
    // out.
    std::vector<Letter> letters() const;

    // --- virtual operations
    void buildPopup() override;
    void popupAfterReading() override { deferPopup(); }
    void paint(platform::Canvas& canvas) override;
    void boundsChangedCheck() override;
    void popupRefresh() override;
    void applyFont(const TGFont& f) override { font_.assign(f); }
    void print(platform::Report& report, double leftInches, double topInches) override;

    // --- popup commands
    void fontCommand();
    void textColorCommand();
    void toggleTransparentCommand();
    void backgroundColorCommand();
    void toggleBorderCommand();
    // The properties dialog; returns whether it closed with "Ok".
    bool propertiesCommand();

  private:
    // Everything the letters' places and shapes depend on.
    struct LayoutKey {
        QString caption;
        platform::GdiFont font;
        int width = 0, height = 0;
        TDegrees startingVector = dg180, degrees = dg360;
        bool mirror = false, drawLettersAngled = true;
        friend bool operator==(const LayoutKey&, const LayoutKey&) = default;
    };
    // The letters with the characters drawn for each and their widths. Laying them out
    // measures every letter, which costs more than drawing them, so the layout is kept
    // and made again only when its key has changed.
    struct Layout {
        LayoutKey key;
        std::vector<Letter> letters;
        std::vector<QString> shown;
        std::vector<int> widths;
    };

    platform::GdiFont canvasFont() const { return font_.gdiFont(zoomFactor()); }
    LayoutKey layoutKey() const;
    const Layout& layout() const;
    std::vector<Letter> placeLetters() const;

    TDegrees startingVector_ = dg180;
    TDegrees degrees_ = dg360;
    QPointer<QObject> popupMenu_;
    // Items of the popup menu, which owns them.
    platform::MenuModel::Item* transparentItem_ = nullptr;
    platform::MenuModel::Item* borderItem_ = nullptr;
    TGFont font_;
    bool mirror_ = false;
    bool drawLettersAngled_ = true;
    Gdi::TBorderStyle borderStyle_ = Gdi::bsNone;
    bool controlTransparent_ = true;
    TColor bgColor_ = TColor::clWhite;
    QString caption_ = QStringLiteral("ABC DEF GHI JKL");
    bool painting_ = false;
    mutable std::optional<Layout> layout_;
};
