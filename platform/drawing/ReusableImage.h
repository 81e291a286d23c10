#pragma once
// An off-screen image whose pixel memory is kept from one size to the next. A new size
// that fits the memory held (a zoom step) draws into pages already mapped: mapping fresh
// pages for a magnified card costs more than drawing it. Copies of the image handed out
// keep the pixels they show: memory a copy still refers to is never drawn over again.
#include <QImage>

#include <memory>
#include <vector>

namespace platform {

class ReusableImage {
  public:
    // The image at this size in device pixels, of format RGB32, its pixels undefined.
    QImage& resize(QSize size, qreal devicePixelRatio);
    QImage& image() { return image_; }
    const QImage& image() const { return image_; }

  private:
    using Block = std::vector<uchar>;
    std::shared_ptr<Block> block_; // also held by every image drawn in it
    QImage image_;
};

} // namespace platform
