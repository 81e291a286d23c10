#pragma once
// The "Printer Fine-Tuning" dialog: four offsets in 1/32 inch (top margin, left margin,
// vertical and horizontal spacing), each moved by its spin button within -8 to 8, with a
// line saying what it does ("Increase by 3/32\"", "None", "Decrease by 1/32\"").
#include "TFineTuneOffsets.h"

#include <QDialog>

#include <array>

class QLabel;

class TPrintFineTune : public QDialog {
    Q_OBJECT
  public:
    explicit TPrintFineTune(const TFineTuneOffsets& offsets, QWidget* parent = nullptr);

    TFineTuneOffsets offsets() const { return offsets_; }
    // The line shown for an offset of v/32 inch.
    static QString valueLine(qint32 v);

    void defaultButtonClick();

  signals:
    void helpRequested(int topic);

  private:
    // The down arrow adds 1 (the printing moves down or right), the up arrow subtracts 1.
    void nudge(qint32& value, int delta);
    void refreshLines();
    std::array<qint32*, 4> values();

    TFineTuneOffsets offsets_;
    std::array<QLabel*, 4> lines_{};
};
