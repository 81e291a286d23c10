#pragma once
// The picture embedded in the picture object as its "Picture" property: nothing, a bitmap,
// an icon or a metafile. The card file stores it as the extra item "Data" (the graphic's
// class name and bytes) only when it holds a graphic.
#include "document/TGExtraData.h"
#include "platform/pictures/Graphic.h"

#include <QObject>

class TGPicture : public QObject, public TGExtraData {
    Q_OBJECT
  public:
    explicit TGPicture(QObject* parent = nullptr) : QObject(parent) {}

    const platform::Graphic& graphic() const { return graphic_; }
    void setGraphic(const platform::Graphic& g);

    std::optional<TGValue::Kinds> itemKinds(QByteArrayView name) const override {
        return name == "Data" ? std::optional(TGValue::dataBlock()) : std::nullopt;
    }
    std::vector<Item> writeExtra() const override;
    // A damaged block fails the read with "Invalid property value" and leaves the picture
    // as it was.
    bool readExtra(QByteArrayView name, const TGValue& value) override;

  signals:
    void changed();

  private:
    platform::Graphic graphic_;
};
