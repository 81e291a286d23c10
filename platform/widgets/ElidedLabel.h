#pragma once
// A one-line label that gives up its width to its neighbours: where its text does not fit it
// shows the start followed by an ellipsis (the whole text stays its tool tip), instead of
// asking for the text's full width or running into what lies beside it.
#include <QLabel>

namespace platform {

class ElidedLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
    void setText(const QString& text);
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace platform
