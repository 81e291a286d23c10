#pragma once
// A list of text lines embedded in a design object (the multi-line label's "Items"); its
// lines are stored as the extra item "Strings" when there is at least one.
#include "TGExtraData.h"

#include <QObject>
#include <QStringList>

class TGStringList : public QObject, public TGExtraData {
    Q_OBJECT
  public:
    explicit TGStringList(QObject* parent = nullptr) : QObject(parent) {}

    const QStringList& lines() const { return lines_; }
    void setLines(const QStringList& lines);

    std::optional<TGValue::Kinds> itemKinds(QByteArrayView name) const override {
        return name == "Strings" ? std::optional(TGValue::stringList()) : std::nullopt;
    }
    std::vector<Item> writeExtra() const override;
    bool readExtra(QByteArrayView name, const TGValue& value) override;

  signals:
    void changed();

  private:
    QStringList lines_;
};
