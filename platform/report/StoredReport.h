#pragma once
// Reads a stored report written by StoredReportTarget and replays its pages onto any
// painter at any scale. This is what the preview window shows:
//     StoredReport report;
//     if (!report.load(buffer, error)) ... show error ...;
//     report.paintPage(0, painter, zoomPercent / 100.0 * screenPixelsPerInch);
#include <QByteArray>
#include <QList>
#include <QSizeF>
#include <QString>

class QIODevice;
class QPainter;

namespace platform {

class StoredReport {
  public:
    // The magic number and version at the start of every stored report.
    static constexpr quint32 magic = 0x4F524C52; // "ORLR"
    static constexpr quint16 version = 1;

    // Reads the whole report from the device's current position (opening it for reading if
    // needed). False with a message, and no pages, when it is incomplete or damaged.
    bool load(QIODevice& device, QString& error);

    int pageCount() const { return int(pages_.size()); }
    QSizeF pageSizeInches() const { return pageInches_; }
    // Device pixels per inch at which the pages were recorded.
    int resolution() const { return resolution_; }

    // Paints page index (0-based) with the sheet's top-left corner at the painter's origin,
    // scaled to pixelsPerInch, clipped to the sheet. Draws no paper background.
    void paintPage(int index, QPainter& painter, double pixelsPerInch) const;

  private:
    QList<QByteArray> pages_;
    QSizeF pageInches_;
    int resolution_ = 0;
};

} // namespace platform
