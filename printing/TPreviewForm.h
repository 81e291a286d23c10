#pragma once
// The preview window: shows the pages of a stored report (what a preview run drew) on
// paper with a shadow, at 10 % to 200 % of real size, zoomed by its buttons or by clicks on
// the page (left zooms in, any other button out).
#include "platform/report/StoredReport.h"

#include <QDialog>
#include <QImage>

class QIODevice;
class QScrollArea;
class QToolButton;
class QPushButton;
namespace platform {
class PaintBox;
}

class TPreviewForm : public QDialog {
    Q_OBJECT
  public:
    static constexpr int zoomInc = 10;
    static constexpr int minZoom = 10;
    static constexpr int maxZoom = 200;
    // Requests for a fitted factor.
    static constexpr int zoomPageWidth = -1;
    static constexpr int zoomPage = -2;

    explicit TPreviewForm(QWidget* parent = nullptr);

    // Reads the stored report to show; false with a message when it is damaged.
    bool setReport(QIODevice& stream, QString& error);
    const platform::StoredReport& report() const { return report_; }

    int zoomFactor() const { return zoom_; }
    // Takes a percentage (below 10 gives 10, above 200 gives 200) or zoomPageWidth or
    // zoomPage, and redraws the page.
    void setZoomFactor(int percent);
    int currentPage() const { return page_; } // from 1

    // Closing saves the window's placement.
    void done(int result) override;

  signals:
    void helpRequested(int topic);

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void sbZoomInClick() { setZoomFactor(zoom_ + zoomInc); }
    void sbZoomOutClick() { setZoomFactor(zoom_ - zoomInc); }
    void pageMousePress(Qt::MouseButton button);
    void onPageChange();
    void onZoomChange();
    void paintPage(QPainter& painter);
    // The current page at the current zoom, made once per page and zoom.
    const QImage& pageImage();
    // Pixels per inch of the page at a zoom, and the gaps around the page.
    double pixelsPerInch(int percent) const;
    int margin(int percent) const;
    int fittedZoom(bool wholePage) const;

    platform::StoredReport report_;
    QImage fullPage_;  // the current page at the report's own resolution
    QImage shownPage_; // the current page at shownZoom_
    int shownZoom_ = 0;
    int zoom_ = 100;
    int page_ = 1;
    bool activated_ = false;

    QScrollArea* scrollBox_;
    platform::PaintBox* pageBox_;
    QPushButton* closeButton_;
    QToolButton* zoomInButton_;
    QToolButton* zoomOutButton_;
    QToolButton* zoomPageWidthButton_;
    QToolButton* zoomPageButton_;
    QPushButton* helpButton_;
};
