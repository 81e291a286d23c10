// Replaying a recorded picture: what it draws with the recording painter's defaults (black
// pen, no brush) must not take the colours the target painter was left with.
#include "platform/drawing/Canvas.h"

#include <QPicture>
#include <QtTest>

class tst_CanvasPicture : public QObject {
    Q_OBJECT
  private slots:
    void replayIgnoresTargetState();
};

void tst_CanvasPicture::replayIgnoresTargetState() {
    QPicture picture;
    {
        QPainter rec(&picture);
        rec.drawLine(0, 5, 19, 5); // default pen: black
        rec.drawRect(QRect(0, 0, 19, 9));
    }
    QImage img(40, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QPen(Qt::red, 3));
    p.setBrush(Qt::green);
    platform::Canvas c(p);
    c.stretchDraw(QRect(0, 0, 40, 20), picture);
    p.end();
    QCOMPARE(img.pixel(20, 10), qRgb(0, 0, 0));      // the line, black
    QCOMPARE(img.pixel(20, 4), qRgb(255, 255, 255)); // inside the rectangle, unfilled
}

QTEST_MAIN(tst_CanvasPicture)
#include "tst_CanvasPicture.moc"
