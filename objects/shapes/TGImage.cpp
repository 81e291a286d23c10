#include "TGImage.h"

#include "TGImageBrowser.h"
#include "document/TGBasePanel.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ScreenMetrics.h"
#include "platform/report/Report.h"
#include "platform/widgets/DialogHost.h"

#include <cmath>

TGImage::TGImage(QObject* owner) : TGGraphicControl(owner) {
    setBounds(0, 0, 105, 105);
    connect(&picture_, &TGPicture::changed, this, &TGImage::pictureChanged);
}

void TGImage::setAutoSize(bool v) {
    if (autoSize_ == v) return;
    autoSize_ = v;
    stretch_ = !v;
    pictureChanged();
    if (!isLoading() && !isReading()) flagChanged();
}

void TGImage::setStretch(bool v) {
    if (stretch_ == v) return;
    stretch_ = v;
    autoSize_ = !v;
    repaint();
}

void TGImage::setBorderStyle(Gdi::TBorderStyle v) {
    if (borderStyle_ == v || v < Gdi::bsNone || v > Gdi::bsSingle) return;
    borderStyle_ = v;
    repaint();
    flagChanged();
}

void TGImage::setReverse(bool v) {
    if (reverse_ == v) return;
    reverse_ = v;
    mirroredRaster_ = QImage();
    repaint();
    flagChanged();
}

void TGImage::setFlip(bool v) {
    if (flip_ == v) return;
    flip_ = v;
    mirroredRaster_ = QImage();
    repaint();
    flagChanged();
}

void TGImage::pictureChanged() {
    mirroredRaster_ = QImage();
    // While a card file is read the bounds-changed check does not run; the size still
    // follows the picture.
    if (isLoading() || isReading())
        fitToPicture();
    else
        boundsChangedCheck();
    repaint();
}

void TGImage::boundsChangedCheck() {
    TGGraphicControl::boundsChangedCheck();
    fitToPicture();
}

void TGImage::fitToPicture() {
    const platform::Graphic& g = graphic();
    if (!autoSize_ || g.width() <= 0 || g.height() <= 0) return;
    const double z = zoomFactor();
    // Nearest integer, halves to even.
    setBounds(left(), top(), int(std::nearbyint(g.width() * z)),
              int(std::nearbyint(g.height() * z)));
}

bool TGImage::mirrored() const {
    return graphic().kind() == platform::Graphic::Kind::Bitmap && (flip_ || reverse_);
}

const QImage& TGImage::raster() const {
    if (!mirrored()) return graphic().image();
    if (mirroredRaster_.isNull()) mirroredRaster_ = graphic().image().mirrored(reverse_, flip_);
    return mirroredRaster_;
}

// --- popup

void TGImage::buildPopup() {
    TGGraphicControl::buildPopup();
    platform::MenuModel& m = *objectMenu();
    m.addSeparator();
    m.add(QStringLiteral("Load Image From Disk"), [this] { loadImageCommand(); });
    m.addSeparator();
    borderItem_ = &m.add(QStringLiteral("Border"), [this] { borderCommand(); });
    stretchItem_ = &m.add(QStringLiteral("Stretch to Fit"), [this] { stretchToFitCommand(); });
    autoSizeItem_ = &m.add(QStringLiteral("AutoSize"), [this] { autoSizeCommand(); });
    flipItem_ = &m.add(QStringLiteral("Flip"), [this] { flipCommand(); });
    reverseItem_ = &m.add(QStringLiteral("Reverse"), [this] { reverseCommand(); });
}

void TGImage::popupRefresh() {
    if (!objectMenu()) return;
    const bool bitmap = graphic().kind() == platform::Graphic::Kind::Bitmap;
    const auto set = [](platform::MenuModel::Item* item, bool checked, bool enabled) {
        item->checked = checked;
        item->enabled = enabled;
    };
    set(borderItem_, borderStyle_ == Gdi::bsSingle, true);
    set(stretchItem_, stretch_, true);
    set(autoSizeItem_, autoSize_, true);
    set(flipItem_, flip_, bitmap);
    set(reverseItem_, reverse_, bitmap);
}

void TGImage::borderCommand() {
    setBorderStyle(borderStyle_ == Gdi::bsSingle ? Gdi::bsNone : Gdi::bsSingle);
}

void TGImage::stretchToFitCommand() {
    setStretch(!stretch_);
    // The stored AutoSize changed with it: the card must be saved again.
    flagChanged();
}

void TGImage::autoSizeCommand() {
    setAutoSize(!autoSize_);
    repaint();
}

void TGImage::flipCommand() {
    setFlip(!flip_);
}

void TGImage::reverseCommand() {
    setReverse(!reverse_);
}

void TGImage::loadImageCommand() {
    TGImageBrowser dialog;
    dialog.setOptions(stretch_, autoSize_);
    if (platform::DialogHost::current().exec(dialog) != QDialog::Accepted) return;
    // A file that did not load leaves the object as it was.
    if (dialog.preview().isEmpty()) return;
    // The dialog lets both boxes be clear; Stretch still follows as the negation of
    // AutoSize, or the card file would read the pair back as AutoSize set.
    autoSize_ = dialog.autoSizeChecked();
    stretch_ = !autoSize_;
    if (dialog.preview() == graphic())
        pictureChanged(); // the options alone may resize it
    else
        picture_.setGraphic(placed(dialog.preview()));
    flagChanged();
}

platform::Graphic TGImage::placed(const platform::Graphic& g) {
    // An auto-sized picture shows its pixels at screen size: always printable.
    if (g.kind() != platform::Graphic::Kind::Bitmap || autoSize_ || !surface()) return g;
    const double inchesPerPixel = 1.0 / (platform::ScreenMetrics::pixelsPerInch() * zoomFactor());
    const QSize printable(int(std::ceil(width() * inchesPerPixel * printDpi)),
                          int(std::ceil(height() * inchesPerPixel * printDpi)));
    if (printable.isEmpty() || (g.width() <= printable.width() && g.height() <= printable.height()))
        return g;
    if (!surface()->askOnce(QStringLiteral("This picture has more pixels than the card can print "
                                           "at its size. Reduce it to %1 dpi at that size? (The "
                                           "answer holds for every picture until Orlanto ends.)")
                                .arg(printDpi),
                            QStringLiteral("Large Picture")))
        return g;
    return platform::Graphic::fromImage(g.image().scaled(
        printable.boundedTo(g.image().size()), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// --- drawing

void TGImage::paint(platform::Canvas& c) {
    const int W = width(), H = height();
    const QRect r(0, 0, W, H);
    const platform::Graphic& g = graphic();
    QPainter& p = c.painter();
    switch (g.kind()) {
    case platform::Graphic::Kind::None:
        c.pen = {};
        c.brush = {};
        c.rectangle(0, 0, W, H);
        break;
    case platform::Graphic::Kind::Metafile:
        // What the metafile leaves undrawn shows what lies beneath, on screen as on paper;
        // Flip and Reverse do not apply to metafiles.
        g.draw(p, r);
        break;
    case platform::Graphic::Kind::Bitmap:
    case platform::Graphic::Kind::Icon:
        // A bitmap with an alpha channel shows what lies beneath through its transparent
        // parts, on screen as on paper.
        if (g.kind() == platform::Graphic::Kind::Icon || !g.image().hasAlphaChannel()) {
            c.brush = {};
            c.fillRect(r);
        }
        p.save();
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(r, raster());
        p.restore();
        break;
    }
    if (borderStyle_ == Gdi::bsSingle) {
        c.pen = {};
        c.brush = {TColor::clWhite, Gdi::bsClear};
        c.rectangle(0, 0, W, H);
    }
}

void TGImage::print(platform::Report& report, double x0, double y0) {
    const QRectF inches = inchRect(x0, y0);
    const platform::Graphic& g = graphic();
    switch (g.kind()) {
    case platform::Graphic::Kind::None:
        break;
    case platform::Graphic::Kind::Metafile:
        g.draw(report.painter(), report.toDevice(inches));
        break;
    case platform::Graphic::Kind::Bitmap:
    case platform::Graphic::Kind::Icon:
        report.stretchDraw(inches, raster());
        break;
    }
    if (borderStyle_ == Gdi::bsSingle) {
        report.pen = {TColor::clBlack, Gdi::psSolid, 1, Gdi::pmCopy};
        report.brush = {TColor::clWhite, Gdi::bsClear, {}};
        report.rectangle(inches.left(), inches.top(), inches.right(), inches.bottom());
    }
}
