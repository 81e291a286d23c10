#include "platform/drawing/ReusableImage.h"

#include <algorithm>

namespace platform {

namespace {
using Block = std::vector<uchar>;

// Called when the last image showing a block goes: its hold on the block ends.
void releaseBlock(void* hold) {
    delete static_cast<std::shared_ptr<Block>*>(hold);
}
} // namespace

QImage& ReusableImage::resize(QSize size, qreal devicePixelRatio) {
    if (image_.size() != size) {
        image_ = QImage();
        const qsizetype bytesPerLine = qsizetype(size.width()) * 4;
        const size_t bytes = size_t(bytesPerLine) * size_t(size.height());
        // A block some copy still shows stays with it; a block too small is outgrown.
        const bool own = block_ && block_.use_count() == 1;
        if (!own || block_->size() < bytes)
            block_ = std::make_shared<Block>(std::max(bytes, own ? block_->size() : 0));
        image_ = QImage(block_->data(), size.width(), size.height(), bytesPerLine,
                        QImage::Format_RGB32, releaseBlock, new std::shared_ptr<Block>(block_));
    }
    image_.setDevicePixelRatio(devicePixelRatio);
    return image_;
}

} // namespace platform
