#pragma once
// The widget that shows a design surface: it paints the surface's off-screen image (the
// card magnified by the zoom, at the screen's pixel density), turns Qt's mouse and key
// events into the surface's input calls in card pixels, asks for every key (arrows, tab and
// enter included), follows the surface's view size and shows its cursor.
#include <QWidget>

class QMouseEvent;

class TGBasePanel;

class SurfaceView : public QWidget {
    Q_OBJECT
  public:
    explicit SurfaceView(TGBasePanel& surface, QWidget* parent = nullptr);
    ~SurfaceView() override;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

  private:
    void followSize();
    // The card pixel under the pointer.
    QPoint at(const QMouseEvent* e) const;

    TGBasePanel& surface_;
};
