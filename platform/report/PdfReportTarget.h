#pragma once
// Report output into a PDF file. The file is written under a temporary name and moved into
// place only when the job finishes, so an aborted or failed job leaves no file (and an
// older file of that name untouched); a device or FIFO is written directly. Any failed write
// fails the job with the system's reason. A picture drawn many times is embedded once.
//
// The pages are written into memory first. A card drawn by Report::drawCard is written once,
// as a page of its own three sheets wide and high with the card in the middle one, and at
// the end that page becomes one drawing (a PDF form) which every page places at its cards'
// corners: a sheet of ten cards costs ten placements, not ten copies of the card. The text
// of the fonts of both is completed first (PdfFontText), so that pictographs above U+FFFF
// are read back as the characters they stand for.
#include "platform/report/PdfCardPlacer.h"
#include "platform/report/ReportTarget.h"
#include "platform/system/AtomicFile.h"

#include <QBuffer>
#include <QPainter>

#include <memory>
#include <vector>

class QFile;
class QPdfWriter;

namespace platform {

class PdfReportTarget : public ReportTarget {
  public:
    explicit PdfReportTarget(const QString& fileName, int resolution = 300);
    ~PdfReportTarget() override;

    bool begin(const Job& job, QPainter& painter, QString& error) override;
    bool newPage(QPainter& painter, QString& error) override;
    bool finish(QPainter& painter, QString& error) override;
    void abort(QPainter& painter) override;
    int resolution() const override { return resolution_; }

    QPainter* beginCard(QPoint& origin, QString& error) override;
    bool endCard(QString& error) override;
    void placeCard(QPoint origin) override;
    void drawingOnPage() override;

  private:
    QString fileName_;
    int resolution_;
    void release();
    // The finished PDF: the pages as written, or with the kept card placed on them.
    bool assemble(QByteArray& pdf, QString& error) const;
    std::unique_ptr<QPdfWriter> newWriter(QIODevice& device, const QPageLayout& layout) const;

    // Writes the finished PDF into whichever of the two is open; false with the reason.
    bool write(const QByteArray& pdf, QString& reason);

    std::unique_ptr<AtomicFile> saved_;
    std::unique_ptr<QFile> direct_;
    std::unique_ptr<QPdfWriter> writer_;

    Job job_;
    QBuffer pages_;
    int page_ = 0;
    std::vector<bool> drawnOn_; // by page: whether anything besides cards was drawn on it
    QBuffer card_;
    std::unique_ptr<QPdfWriter> cardWriter_;
    QPainter cardPainter_;
    QPoint cardCorner_;
    std::vector<PdfCardPlacer::Placement> placements_;
};

} // namespace platform
