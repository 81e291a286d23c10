#pragma once
// The effect text: one line of large text whose letters, taken as a text path, are filled
// with the font colour, a texture or a gradient, outlined, and given a drop shadow, on an
// optional background box. The layout places the text and its shadow from the shadow's
// offset and shrinks a transparent, borderless box to the text.
#include "TGEffectControl.h"
#include "document/TGFont.h"
#include "platform/drawing/Gdi.h"

#include <QPainterPath>
#include <QPoint>
#include <QRect>

class TGSuperText : public TGEffectControl {
    Q_OBJECT
  public:
    enum TShadowOrientation { sdNone, sdRight, sdLeft, sdDownRight, sdDownLeft, sdDown };
    Q_ENUM(TShadowOrientation)
    enum TSurfaceType { stNormal, stBrushTransparent, stBrushImage, stGradientFill };
    Q_ENUM(TSurfaceType)

  private:
    Q_PROPERTY(qint32 ShadowDepth READ shadowDepth WRITE setShadowDepth)
    Q_PROPERTY(
        TShadowOrientation ShadowOrientation READ shadowOrientation WRITE setShadowOrientation)
    Q_PROPERTY(TColor Shadowcolor READ shadowColor WRITE setShadowColor)
    Q_PROPERTY(Gdi::TBorderStyle BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(bool ControlTransparent READ controlTransparent WRITE setControlTransparent)
    Q_PROPERTY(TColor BGColor READ bgColor WRITE setBGColor)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(TGFont* Font READ font)
    Q_PROPERTY(Effect::TFillDirection FillDirection READ fillDirection WRITE setFillDirection)
    Q_PROPERTY(TColor GradientToColor READ gradientToColor WRITE setGradientToColor)
    Q_PROPERTY(TColor GradientFromColor READ gradientFromColor WRITE setGradientFromColor)
    Q_PROPERTY(TGBitmap* Image READ image)
    Q_PROPERTY(TColor OutlineColor READ outlineColor WRITE setOutlineColor)
    Q_PROPERTY(Gdi::TPenStyle OutlineStyle READ outlineStyle WRITE setOutlineStyle)
    Q_PROPERTY(qint32 OutlineWidth READ outlineWidth WRITE setOutlineWidth)
    Q_PROPERTY(TSurfaceType SurfaceType READ surfaceType WRITE setSurfaceType)
    Q_PROPERTY(QString LastBitmapFileNameandPath READ lastBitmapFileNameandPath WRITE
                   setLastBitmapFileNameandPath)
    Q_CLASSINFO("default.ShadowDepth", "0")
    Q_CLASSINFO("default.ShadowOrientation", "sdDownRight")
    Q_CLASSINFO("default.Shadowcolor", "8421504")

  public:
    // Depths and widths beyond this many pixels are refused: the layout adds them to
    // sizes, and a value from a broken file must not overflow those sums.
    static constexpr int maxDepth = 1024;

    explicit TGSuperText(QObject* owner = nullptr);

    int shadowDepth() const { return shadowDepth_; }
    void setShadowDepth(int v);
    TShadowOrientation shadowOrientation() const { return shadowOrientation_; }
    void setShadowOrientation(TShadowOrientation v);
    TColor shadowColor() const { return shadowColor_; }
    void setShadowColor(TColor v);
    Gdi::TBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(Gdi::TBorderStyle v);
    bool controlTransparent() const { return controlTransparent_; }
    void setControlTransparent(bool v);
    TColor bgColor() const { return bgColor_; }
    void setBGColor(TColor v);
    QString caption() const { return caption_; }
    void setCaption(const QString& v);
    TGFont* font() { return &font_; }
    const TGFont& textFont() const { return font_; }
    TColor gradientFromColor() const { return gradientFromColor_; }
    void setGradientFromColor(TColor v);
    TColor outlineColor() const { return outlineColor_; }
    void setOutlineColor(TColor v);
    Gdi::TPenStyle outlineStyle() const { return outlineStyle_; }
    void setOutlineStyle(Gdi::TPenStyle v);
    int outlineWidth() const { return outlineWidth_; }
    void setOutlineWidth(int v); // 0 to maxDepth
    TSurfaceType surfaceType() const { return surfaceType_; }
    void setSurfaceType(TSurfaceType v);

    TColor gradientStartColor() const override { return gradientFromColor_; }
    bool hasGradientSurface() const override { return surfaceType_ == stGradientFill; }

    // Takes every stored property of another effect text as it is, with its size and
    // zoom (a dialog's sample).
    void assignFrom(const TGSuperText& other);

    // --- layout, in object pixels at the current zoom
    // The shadow's offset as stored (not zoomed).
    QPoint shadowOffset() const;
    void markLayoutStale() { layoutStale_ = true; }
    bool layoutStale() const { return layoutStale_; }
    // The layout: the text and shadow placed in the bounds, then the height fitted to the
    // text (transparent borderless objects) and a collapsed width restored.
    void layout();
    // Places the text and shadow in the current bounds, changing no property.
    void place();
    void fitLayout() override;
    // Sizes the object to its text (the properties dialog's sample).
    void fitToText();
    QPoint textOrigin() const { return textOrigin_; }
    QRect textRect() const { return textRect_; }
    QPoint shadowOrigin() const { return shadowOrigin_; }
    QRect shadowRect() const { return shadowRect_; }
    // The caption cut at the end until it fits the object's width after the left inset.
    QString shownText() const;

    // --- virtual operations
    void buildPopup() override;
    void paint(platform::Canvas& canvas) override;
    void boundsChangedCheck() override;
    void popupRefresh() override;
    void applyFont(const TGFont& f) override;
    void print(platform::Report& report, double leftInches, double topInches) override;

    // --- popup commands
    void fontCommand();
    void transparentCommand();
    void backgroundColorCommand();
    void borderCommand();
    void propertiesCommand();

  private:
    platform::GdiFont zoomedFont() const;
    // The outline of text with the top-left of its first character cell at origin.
    static QPainterPath textPath(const QFont& font, double ascent, QPointF origin,
                                 const QString& text);
    QPainterPath screenPath(QPoint origin, const QString& text) const;

    int shadowDepth_ = 0;
    TShadowOrientation shadowOrientation_ = sdDownRight;
    TColor shadowColor_ = 0x808080;
    Gdi::TBorderStyle borderStyle_ = Gdi::bsNone;
    bool controlTransparent_ = true;
    TColor bgColor_ = TColor::clWhite;
    QString caption_ = QStringLiteral("Text");
    TGFont font_;
    TColor gradientFromColor_ = 0xFF0000;
    TColor outlineColor_ = TColor::clBlack;
    Gdi::TPenStyle outlineStyle_ = Gdi::psSolid;
    int outlineWidth_ = 1;
    TSurfaceType surfaceType_ = stGradientFill;

    bool layoutStale_ = true;
    bool painting_ = false;
    QPoint textOrigin_, shadowOrigin_;
    QRect textRect_, shadowRect_;
    // The shown text's outline at (0, 0), and what it was made from.
    mutable QPainterPath glyphs_;
    mutable QString glyphText_;
    mutable platform::GdiFont glyphFont_;
    // Items of the popup menu, which owns them.
    platform::MenuModel::Item* transparentItem_ = nullptr;
    platform::MenuModel::Item* borderItem_ = nullptr;
};
