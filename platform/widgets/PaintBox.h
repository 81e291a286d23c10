#pragma once
// A plain drawing area whose owner paints it and handles its mouse presses, for dialogs that
// draw something of their own (a sheet miniature, a report page).
#include <QWidget>

#include <functional>

class QPainter;

namespace platform {

class PaintBox : public QWidget {
    Q_OBJECT
  public:
    explicit PaintBox(QWidget* parent = nullptr) : QWidget(parent) {}

    std::function<void(QPainter&)> onPaint;
    std::function<void(Qt::MouseButton, QPoint)> onMousePress;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace platform
