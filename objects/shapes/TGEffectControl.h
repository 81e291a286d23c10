#pragma once
// The fill and shadow engine shared by the effect shape and the effect text. It holds the
// texture ("Image") and the file it came from, the gradient's end colour and direction,
// and the gradient work bitmap, which is built once per property or size change (never
// per paint); it tiles a bitmap over the object on screen, and prints tiles and gradient
// bands on the report page. The kinds declare their stored properties over these members
// in their own stream order, and say what their start colour and surface kind are.
#include "EffectTypes.h"
#include "TGBitmap.h"
#include "document/TGGraphicControl.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <functional>
#include <utility>

class QPainter;
class QPainterPath;

class TGEffectControl : public TGGraphicControl {
    Q_OBJECT
  public:
    // Textures larger than this (in either direction) are refused when chosen.
    static constexpr int maxTextureSide = 4096;
    // The gradient work bitmap is built at most this large in either direction.
    static constexpr int maxGradientSide = 4096;

    TGEffectControl(QObject* owner, Effect::TFillDirection direction, TColor gradientTo);

    Effect::TFillDirection fillDirection() const { return fillDirection_; }
    void setFillDirection(Effect::TFillDirection v);
    TColor gradientToColor() const { return gradientToColor_; }
    void setGradientToColor(TColor v);
    TGBitmap* image() { return &image_; }
    const QImage& texture() const { return image_.image(); }
    // A null image empties the texture; any other is copied.
    void setTexture(const QImage& v) { image_.setImage(v); }
    QString lastBitmapFileNameandPath() const { return lastBitmapFile_; }
    void setLastBitmapFileNameandPath(const QString& v) { lastBitmapFile_ = v; }
    const QImage& gradientBitmap() const { return gradient_; }

    // The gradient's start colour, and whether the surface is the gradient.
    virtual TColor gradientStartColor() const = 0;
    virtual bool hasGradientSurface() const = 0;

    // --- the engine's arithmetic
    // The platform's multiply-then-divide: number × numerator / denominator rounded to the
    // nearest integer, halves away from zero; -1 for a zero denominator.
    static int mulDiv(int number, int numerator, int denominator);
    // The colour of band i (0 to 255) between the first and the last band's colours.
    static QColor bandColor(const QColor& first, const QColor& last, int band);
    // Band i's rectangle in an area of the given size (right and bottom exclusive).
    static QRect bandRect(QSize area, Effect::TFillDirection dir, int band);
    // The first (top or left) and last bands' colours for a start and end colour.
    static std::pair<QColor, QColor> bandEnds(TColor start, TColor end, Effect::TFillDirection dir);
    // The 256-band gradient bitmap of the given size.
    static QImage makeGradient(QSize size, TColor start, TColor end, Effect::TFillDirection dir);
    // Lays tiles of the bitmap, stretched to tileSize (at least 1 by 1), row by row from
    // (0, 0), over the figure and clipped to it. Nothing for an empty bitmap.
    static void tile(QPainter& painter, const QPainterPath& figure, const QImage& bitmap,
                     QSize tileSize);

    // --- printing
    // What the printed layers need: the scale from screen to printer pixels, the card's
    // offset in printer pixels and the object's printer rectangle (right and bottom are
    // left + width and top + height).
    struct PrintFrame {
        double sx = 1, sy = 1;
        int resolution = 300;
        QPoint cardOffset;
        int left = 0, top = 0, right = 0, bottom = 0;
    };
    PrintFrame printFrame(platform::Report& report, double x0, double y0) const;
    // Printed tiles: each tile the bitmap's size times the scale, from the frame's top-left
    // until past its extent, every tile 0.01 inch larger so that no seams show. Every tile
    // is the same image, which a PDF holds once.
    static void printTiles(platform::Report& report, const QImage& bitmap, const PrintFrame& f);
    // The printed gradient: 256 bands filled on the page over the area (device pixels).
    static void printGradient(platform::Report& report, const QRect& area, TColor start, TColor end,
                              Effect::TFillDirection dir);
    // Runs draw with the page clipped to the figure (device pixels); the clip goes after.
    static void withClip(platform::Report& report, const QPainterPath& figure,
                         const std::function<void()>& draw);

  protected:
    // Builds the gradient bitmap at the object's size while the surface is a gradient.
    void rebuildGradient();
    // Tiles the texture over the figure, at the object's zoom.
    void tileTexture(QPainter& painter, const QPainterPath& figure) const;
    // Draws the gradient bitmap over the figure, built first when the size changed.
    void drawGradient(QPainter& painter, const QPainterPath& figure);

  private:
    Effect::TFillDirection fillDirection_;
    TColor gradientToColor_;
    TGBitmap image_;
    QString lastBitmapFile_;
    QImage gradient_;
    // The object size the gradient bitmap was built for.
    QSize gradientFor_;
    // The texture stretched to its zoomed tile size, kept between paints.
    mutable QImage zoomedTexture_;
};
