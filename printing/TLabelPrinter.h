#pragma once
// The status dialog of a print or preview run: it runs the sheet printer while it is shown,
// shows the report's status and the card being drawn, and offers Cancel (print, after a
// confirmation) or Stop (preview) until the run ends, then OK, and beside it "Open" when
// the run wrote a file. doPrint is the whole run from the print, preview and outline
// commands, preview window included.
#include "SheetPrintJob.h"

#include <QDialog>

class QLabel;
class QPushButton;
class TGBusinessCardPanel32;
class TSheetPrinter;
namespace platform {
class Report;
}

class TLabelPrinter : public QDialog {
    Q_OBJECT
  public:
    // The printer must outlive the dialog.
    explicit TLabelPrinter(TSheetPrinter& printer, QWidget* parent = nullptr);

    // Runs one job. Print and outline go to the main report; a preview goes into a stored
    // report that the preview window then shows. True when the output was produced in full.
    static bool doPrint(TGBusinessCardPanel32& surface, const SheetPrintJob& job,
                        platform::Report& mainReport, QWidget* parent = nullptr);

    bool running() const { return running_; }
    bool finished() const { return finished_; }
    // The run ended with its output produced in full.
    bool succeeded() const { return succeeded_; }
    ~TLabelPrinter() override;

    // Esc acts as the button: cancel or stop while running, close once finished.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void runJob();
    void cancelButtonClick();

    TSheetPrinter& printer_;
    bool started_ = false;
    bool running_ = false;
    bool finished_ = false;
    bool succeeded_ = false;

    QLabel* statusLabel_;
    QLabel* extraLabel_;
    QPushButton* cancelButton_;
    QPushButton* openButton_; // shown once a run has written its file
};
