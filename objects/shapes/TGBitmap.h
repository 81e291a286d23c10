#pragma once
// A bitmap embedded in an effect object as its "Image" (the texture). The card file
// stores it as the extra item "Data" (a 32-bit length and a complete .BMP file) only
// when it is not empty.
#include "document/TGExtraData.h"

#include <QImage>
#include <QObject>

class TGBitmap : public QObject, public TGExtraData {
    Q_OBJECT
  public:
    explicit TGBitmap(QObject* parent = nullptr) : QObject(parent) {}

    const QImage& image() const { return image_; }
    bool isEmpty() const { return image_.width() < 1 || image_.height() < 1; }
    // A null image empties the bitmap (0 by 0); any other is copied.
    void setImage(const QImage& image);

    std::optional<TGValue::Kinds> itemKinds(QByteArrayView name) const override {
        return name == "Data" ? std::optional(TGValue::dataBlock()) : std::nullopt;
    }
    std::vector<Item> writeExtra() const override;
    // A damaged block fails the read with "Invalid property value"; the bitmap stays.
    bool readExtra(QByteArrayView name, const TGValue& value) override;

  signals:
    void changed();

  private:
    QImage image_;
};
