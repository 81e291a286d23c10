#pragma once
// The position chooser "Print Cards": a miniature of the sheet with every card position,
// red when it is printed and white when not (a click toggles it), "&All" and "&None", the
// number of sheets, and the current printer with its set-up dialog. It keeps one flag per
// position of the layout, however many there are, and scales the miniature down when the
// sheet or the cards would not fit its area.
#include "TCardLayout.h"
#include "TCardSelection.h"

#include <QDialog>
#include <QRect>
#include <QSizeF>

#include <vector>

class QLabel;
class QPainter;
class QSpinBox;
namespace platform {
class PaintBox;
class PrinterReportTarget;
} // namespace platform

class TSelectSpecificLabels : public QDialog {
    Q_OBJECT
  public:
    // The miniature's area in pixels, and its border.
    static constexpr int areaWidth = 204;
    static constexpr int areaHeight = 237;
    static constexpr int border = 10;
    // The miniature is drawn at this fraction of real size when it fits.
    static constexpr double scale = 0.2;

    TSelectSpecificLabels(const TCardLayout& layout, const TCardSelection& selection,
                          QWidget* parent = nullptr);

    // The printer shown in the "Printer" panel and set up by "Print &Setup" (none: the
    // button is disabled). Not owned.
    void setPrinter(platform::PrinterReportTarget* printer);

    TCardSelection selection() const { return selection_; }
    int pages() const;

    // The rectangle of every position, entry column + row x Across, in miniature pixels.
    void determineRectangles();
    const std::vector<QRect>& rectangles() const { return rects_; }
    // The sheet's outline in miniature pixels (right and bottom exclusive).
    QRect sheetRectangle() const;
    // The fraction of real size the miniature is drawn at.
    double miniatureScale() const { return scale_; }

    // Paints the miniature: the sheet, then every position.
    void paintMiniature(QPainter& painter);
    void fillLabelRect(QPainter& painter, const QRect& r, bool selected);
    // A press at p on the miniature toggles the position under it in every row.
    void miniatureMousePress(QPoint p);

    void allButtonClick();
    void noneButtonClick();
    // Closing with OK needs at least one position selected.
    void done(int result) override;

  signals:
    void helpRequested(int topic);

  private:
    int positions() const { return layout_.across * layout_.down; }
    // v inches in miniature pixels, cut toward zero.
    int T(double v) const;
    void showPrinterName();
    void printSetupClick();

    TCardLayout layout_;
    TCardSelection selection_;
    QSizeF sheet_;
    int ppi_;
    double scale_ = scale;
    std::vector<QRect> rects_;
    platform::PrinterReportTarget* printer_ = nullptr;

    QLabel* printerName_;
    platform::PaintBox* miniature_;
    QSpinBox* pagesEdit_;
    QPushButton* printSetupButton_;
};
