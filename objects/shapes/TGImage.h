#pragma once
// The picture object: a bitmap, icon or metafile filling its bounds, or sized to the
// picture (AutoSize), optionally mirrored (bitmaps only) and framed. Its picture comes
// from the picture dialog, TGImageBrowser.
#include "TGPicture.h"
#include "document/TGGraphicControl.h"
#include "platform/drawing/Gdi.h"

#include <QImage>

class TGImage : public TGGraphicControl {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(Gdi::TBorderStyle BorderStyle READ borderStyle WRITE setBorderStyle)
    Q_PROPERTY(TGPicture* Picture READ picture)
    Q_PROPERTY(bool Stretch READ stretch WRITE setStretch)
    Q_PROPERTY(bool Reverse READ reverse WRITE setReverse)
    Q_PROPERTY(bool Flip READ flip WRITE setFlip)
    Q_CLASSINFO("default.AutoSize", "False")
    Q_CLASSINFO("default.BorderStyle", "bsNone")
    Q_CLASSINFO("default.Stretch", "True")
    Q_CLASSINFO("default.Reverse", "False")
    Q_CLASSINFO("default.Flip", "False")

  public:
    explicit TGImage(QObject* owner = nullptr);

    // AutoSize and Stretch hold opposite values: setting one sets the other to its negation.
    // Setting AutoSize also resizes the object to the picture and flags the card as changed.
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool v);
    bool stretch() const { return stretch_; }
    void setStretch(bool v);
    Gdi::TBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(Gdi::TBorderStyle v);
    bool reverse() const { return reverse_; }
    void setReverse(bool v);
    bool flip() const { return flip_; }
    void setFlip(bool v);
    TGPicture* picture() { return &picture_; }
    const platform::Graphic& graphic() const { return picture_.graphic(); }

    void buildPopup() override;
    void popupAfterReading() override { deferPopup(); }
    void paint(platform::Canvas& canvas) override;
    // After the base's check, an auto-sized object takes the picture's size at its zoom.
    void boundsChangedCheck() override;
    void popupRefresh() override;
    void print(platform::Report& report, double leftInches, double topInches) override;

    // The picture as placed on this object: a bitmap with more pixels than the card prints
    // at the object's size (over printDpi) is offered to be reduced to printDpi at that
    // size, asked once a session through the surface; the picture as it came otherwise.
    platform::Graphic placed(const platform::Graphic& g);
    static constexpr int printDpi = 600;

    // Popup commands.
    void loadImageCommand();
    void borderCommand();
    void stretchToFitCommand();
    void autoSizeCommand();
    void flipCommand();
    void reverseCommand();

  private:
    // What follows every change of the picture: the auto-size and a repaint.
    void pictureChanged();
    void fitToPicture();
    bool mirrored() const;
    // The bitmap or icon raster as painted and printed, mirrored as Flip and Reverse ask
    // for a bitmap. Kept between calls, so that a card printed many times hands the report
    // the same image each time (a PDF then embeds it once).
    const QImage& raster() const;

    bool autoSize_ = false;
    bool stretch_ = true;
    Gdi::TBorderStyle borderStyle_ = Gdi::bsNone;
    bool reverse_ = false;
    bool flip_ = false;
    TGPicture picture_;
    mutable QImage mirroredRaster_;
    // Items of the popup menu, which owns them.
    platform::MenuModel::Item* borderItem_ = nullptr;
    platform::MenuModel::Item* stretchItem_ = nullptr;
    platform::MenuModel::Item* autoSizeItem_ = nullptr;
    platform::MenuModel::Item* flipItem_ = nullptr;
    platform::MenuModel::Item* reverseItem_ = nullptr;
};
