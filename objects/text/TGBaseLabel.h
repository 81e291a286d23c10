#pragma once
// One line of text in one font: horizontal alignment, rotation in steps of 90 degrees, an
// optional opaque background and black border, and a two-layer 3D effect (a shadow copy
// and a highlight copy of the text, each in its own colour, displaced by a direction and
// a depth). Every layout pass sizes the label to its text across the line. The base of
// the plain text label, the personal-information label and the symbol label.
#include "document/TGFont.h"
#include "document/TGGraphicControl.h"
#include "platform/drawing/Gdi.h"
#include "platform/drawing/GdiFont.h"

#include <QPoint>
#include <QRect>

class TGBaseLabel : public TGGraphicControl {
    Q_OBJECT
  public:
    enum THighlightDirection { hdNone, hdright, hdLeft, hdUpRight, hdUpLeft, hdUp };
    Q_ENUM(THighlightDirection)
    enum TShadowDirection { sdNone, sdRight, sdLeft, sdDownRight, sdDownLeft, sdDown };
    Q_ENUM(TShadowDirection)

  private:
    Q_PROPERTY(Gdi::TAlignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(qint32 DepthHighlight READ depthHighlight WRITE setDepthHighlight)
    Q_PROPERTY(qint32 DepthShadow READ depthShadow WRITE setDepthShadow)
    Q_PROPERTY(
        THighlightDirection DirectionHighlight READ directionHighlight WRITE setDirectionHighlight)
    Q_PROPERTY(TShadowDirection DirectionShadow READ directionShadow WRITE setDirectionShadow)
    Q_PROPERTY(TColor colorHighlight READ colorHighlight WRITE setColorHighlight)
    Q_PROPERTY(TColor colorShadow READ colorShadow WRITE setColorShadow)
    Q_PROPERTY(qint32 Angle READ angle WRITE setAngle)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(TGFont* Font READ font)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(TColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(Gdi::TBorderStyle BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_CLASSINFO("default.Alignment", "taLeftJustify")
    Q_CLASSINFO("default.DepthHighlight", "0")
    Q_CLASSINFO("default.DepthShadow", "0")
    Q_CLASSINFO("default.DirectionHighlight", "hdUpLeft")
    Q_CLASSINFO("default.DirectionShadow", "sdDownRight")
    Q_CLASSINFO("default.colorHighlight", "clAqua")
    Q_CLASSINFO("default.colorShadow", "clGray")
    Q_CLASSINFO("default.Angle", "0")
    Q_CLASSINFO("stored.Font", "isFontStored")
    // An emptied text must read back empty, not as the "Text" a new label shows.
    Q_CLASSINFO("writeEmpty.Caption", "true")

  public:
    // A rectangle as the layout computes it: right and bottom exclusive, possibly empty.
    struct Box {
        int left = 0, top = 0, right = 0, bottom = 0;
        QRect toQRect() const { return QRect(left, top, right - left, bottom - top); }
        Box moved(QPoint d) const {
            return {left + d.x(), top + d.y(), right + d.x(), bottom + d.y()};
        }
        friend bool operator==(const Box&, const Box&) = default;
    };

    // Displacements beyond this many pixels are taken as this many: the layout adds them
    // to sizes, and a depth from a broken file must not overflow those sums.
    static constexpr int maxEffectDepth = 1024;

    explicit TGBaseLabel(QObject* owner = nullptr);

    // --- stored properties
    Gdi::TAlignment alignment() const { return alignment_; }
    void setAlignment(Gdi::TAlignment v);
    int depthHighlight() const { return depthHighlight_; }
    void setDepthHighlight(int v);
    int depthShadow() const { return depthShadow_; }
    void setDepthShadow(int v);
    THighlightDirection directionHighlight() const { return directionHighlight_; }
    void setDirectionHighlight(THighlightDirection v);
    TShadowDirection directionShadow() const { return directionShadow_; }
    void setDirectionShadow(TShadowDirection v);
    TColor colorHighlight() const { return colorHighlight_; }
    void setColorHighlight(TColor v);
    TColor colorShadow() const { return colorShadow_; }
    void setColorShadow(TColor v);
    int angle() const { return angle_; }
    // Only 0, 90, 180 and 270 are taken; anything else is ignored.
    void setAngle(int v);
    QString caption() const { return caption_; }
    void setCaption(const QString& v);
    // The label's own font object (the stored one).
    TGFont* font() { return &font_; }
    bool transparent() const { return transparent_; }
    void setTransparent(bool v);
    TColor backColor() const { return backColor_; }
    void setBackColor(TColor v);
    Gdi::TBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(Gdi::TBorderStyle v);

    // The font is stored only once it is the label's own: until its first change the
    // label shows its surface's font.
    Q_INVOKABLE bool isFontStored() const { return ownFont_; }
    // The font the label shows.
    const TGFont& displayFont() const;
    // Makes f the label's own font (the tool's, the Font commands' and the 3D dialog's
    // way of giving it one), even when it equals the font shown so far.
    void takeFont(const TGFont& f);

    // --- layout
    // The layout pass: measures the text, applies the size rules and computes the boxes
    // and origins of the three texts. Paint runs it when the layout is stale.
    // The layout: the size rules, then the boxes and origins in the resulting bounds.
    void layoutPass();
    void fitLayout() override;
    bool layoutStale() const { return layoutStale_; }
    void markLayoutStale() { layoutStale_ = true; }
    // Grows a horizontal label so that its text fits; never shrinks it.
    void fitToText();

    QPoint shadowOffset() const { return shadowOffset_; }
    QPoint highlightOffset() const { return highlightOffset_; }
    QPoint textPad() const { return pad_; }
    Box textBox() const { return textBox_; }
    Box shadowBox() const { return shadowBox_; }
    Box highlightBox() const { return highlightBox_; }
    QPoint textOrigin() const { return textOrigin_; }
    QPoint shadowOrigin() const { return shadowOrigin_; }
    QPoint highlightOrigin() const { return highlightOrigin_; }

    // --- virtual operations
    void buildPopup() override;
    void popupAfterReading() override { deferPopup(); }
    void paint(platform::Canvas& canvas) override;
    void boundsChangedCheck() override;
    void popupRefresh() override;
    void applyFont(const TGFont& f) override;
    void print(platform::Report& report, double leftInches, double topInches) override;
    // The "Font" command: the font dialog, then the chosen font.
    virtual void fontCommand();
    // The "Text Color..." command: the colour dialog, then the font in the chosen colour.
    void textColorCommand();

    // --- popup commands
    void effectsCommand();
    void toggleTransparentCommand();
    void backgroundColorCommand();
    void toggleBorderCommand();

  protected:
    // Builds the label's popup menu; a kind that chooses font and alignment its own way
    // leaves out "Font" and "Alignment".
    void buildLabelPopup(bool fontAndAlignment);
    // TGPLabel's "Rotation" submenu, owned by the popup menu (for the popup refresh).
    void setRotationMenu(platform::MenuModel* menu) { rotationMenu_ = menu; }
    // Draws background, effects, text and border in object coordinates.
    void drawLabel(platform::Canvas& canvas);

  private:
    // The font the canvas draws and measures with: the shown font at the current zoom,
    // turned by the angle when asked.
    platform::GdiFont canvasFont(bool rotated) const;
    void fontChanged();
    void updateShadowOffset();
    void updateHighlightOffset();
    void applySizeRules(qint64 textWidth, qint64 neededHeight);
    // What the layout measures of the caption in the label's font.
    struct Measure {
        int lineHeight = 1;
        qint64 textWidth = 1;
        qint64 neededHeight = 1;
    };
    Measure measure() const;
    // Places the boxes and origins in the current bounds, changing no property.
    void placeBoxes(const Measure& m);

    Gdi::TAlignment alignment_ = Gdi::taLeftJustify;
    int depthHighlight_ = 0;
    int depthShadow_ = 0;
    THighlightDirection directionHighlight_ = hdUpLeft;
    TShadowDirection directionShadow_ = sdDownRight;
    TColor colorHighlight_ = 0xFFFF00; // aqua
    TColor colorShadow_ = 0x808080;    // grey
    int angle_ = 0;
    QString caption_ = QStringLiteral("Text");
    TGFont font_;
    bool ownFont_ = false;
    bool transparent_ = true;
    TColor backColor_ = TColor::clWhite;
    Gdi::TBorderStyle borderStyle_ = Gdi::bsNone;

    QPoint shadowOffset_;
    QPoint highlightOffset_;
    QPoint pad_;
    Box textBox_, shadowBox_, highlightBox_;
    QPoint textOrigin_, shadowOrigin_, highlightOrigin_;
    bool layoutStale_ = true;
    // Of the popup menu, which owns them; a submenu the menu lacks is nullptr.
    platform::MenuModel::Item* transparentItem_ = nullptr;
    platform::MenuModel::Item* borderItem_ = nullptr;
    platform::MenuModel* alignmentMenu_ = nullptr;
    platform::MenuModel* rotationMenu_ = nullptr;
};
