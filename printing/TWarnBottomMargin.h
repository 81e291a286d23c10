#pragma once
// The "ALERT" shown before printing when the printer cannot print close enough to the
// bottom of the sheet for the bottom row of cards, with a box to stop showing it.
#include "TCardSelection.h"

#include <QDialog>

class QCheckBox;

class TWarnBottomMargin : public QDialog {
    Q_OBJECT
  public:
    // How close to the bottom edge the cards need to print, in inches.
    static constexpr double neededMargin = 0.5;

    // bottomBorder: the printer's unprintable bottom border in inches.
    explicit TWarnBottomMargin(double bottomBorder, QWidget* parent = nullptr);

    // True when the warning is due: the border is above half an inch, every position of
    // the sheet's bottom row is printed, and the warning has not been turned off.
    static bool needed(double bottomBorder, const TCardSelection& selection, int across, int down,
                       bool showBottomMarginWarning);

    // The lines of the warning for a border of that many inches.
    static QString marginText(double bottomBorder);
    static QString cutOffText(double bottomBorder);

    bool dontShowAgain() const;

  signals:
    void helpRequested(int topic);

  private:
    QCheckBox* dontShowCheck_;
};
