#pragma once
// A bordered panel that shows one design object that lives outside any surface, such as
// the live sample of a properties dialog. The dialog calls update() after each change. An
// object larger than the panel is drawn scaled down to fit it.
#include <QFrame>

class TGGraphicControl;

class TGObjectPreview : public QFrame {
    Q_OBJECT
  public:
    TGObjectPreview(TGGraphicControl& object, QSize size, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    TGGraphicControl& object_;
};
