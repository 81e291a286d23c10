#include "TLabelPrinter.h"

#include "TPreviewForm.h"
#include "TSheetPrinter.h"

#include "platform/report/Report.h"
#include "platform/report/StoredReportTarget.h"
#include "platform/widgets/DialogHost.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

TLabelPrinter::TLabelPrinter(TSheetPrinter& printer, QWidget* parent)
    : QDialog(parent), printer_(printer) {
    const bool printing = printer_.job().printing();
    // No close control: the run ends through the button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(printing ? QStringLiteral("Print Status") : QStringLiteral("Preview Status"));

    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName(QStringLiteral("RStatusLabel"));
    statusLabel_->setAlignment(Qt::AlignCenter);
    statusLabel_->setMinimumSize(320, 110);
    extraLabel_ = new QLabel(this);
    extraLabel_->setObjectName(QStringLiteral("Extralabel"));
    extraLabel_->setAlignment(Qt::AlignCenter);
    cancelButton_ =
        new QPushButton(printing ? QStringLiteral("Cancel") : QStringLiteral("Stop"), this);
    cancelButton_->setObjectName(QStringLiteral("CancelButton"));

    openButton_ = new QPushButton(QStringLiteral("Open"), this);
    openButton_->setObjectName(QStringLiteral("OpenButton"));
    openButton_->setVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(statusLabel_);
    layout->addWidget(extraLabel_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancelButton_);
    buttons->addWidget(openButton_);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(cancelButton_, &QPushButton::clicked, this, &TLabelPrinter::cancelButtonClick);
    connect(openButton_, &QPushButton::clicked, this, [this] {
        platform::DialogHost::current().openExternally(printer_.job().outputFile);
        accept();
    });

    printer_.report().status.sink = [this](const QString& text) { statusLabel_->setText(text); };
    printer_.onExtraLabel = [this](const QString& text) { extraLabel_->setText(text); };
    printer_.processEvents = [] { QCoreApplication::processEvents(); };
}

TLabelPrinter::~TLabelPrinter() {
    // The report (the main report when printing) outlives this dialog and its label.
    printer_.report().status.sink = nullptr;
    printer_.onExtraLabel = nullptr;
    printer_.processEvents = nullptr;
}

void TLabelPrinter::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (started_) return;
    started_ = true;
    setWindowTitle(printer_.job().printing() ? QStringLiteral("Print Status ")
                                             : QStringLiteral("Preview Status"));
    // The run starts once the dialog is on screen, from the dialog's own event loop.
    QTimer::singleShot(0, this, &TLabelPrinter::runJob);
}

void TLabelPrinter::runJob() {
    {
        const QScopedValueRollback running(running_, true);
        succeeded_ = printer_.run();
    }
    finished_ = true;
    cancelButton_->setText(QStringLiteral("OK"));
    cancelButton_->setDefault(true);
    openButton_->setVisible(succeeded_ && !printer_.job().outputFile.isEmpty());
}

void TLabelPrinter::cancelButtonClick() {
    if (finished_) {
        accept();
        return;
    }
    if (!running_) return;
    if (printer_.job().printing()) {
        if (platform::askYesNo(QStringLiteral("Cancel Business Card Printing?"),
                               QStringLiteral("Information")))
            printer_.cancel();
    } else {
        printer_.stop();
    }
}

void TLabelPrinter::reject() {
    if (finished_)
        QDialog::reject();
    else
        cancelButtonClick();
}

void TLabelPrinter::closeEvent(QCloseEvent* event) {
    if (finished_)
        QDialog::closeEvent(event);
    else
        event->ignore();
}

bool TLabelPrinter::doPrint(TGBusinessCardPanel32& surface, const SheetPrintJob& job,
                            platform::Report& mainReport, QWidget* parent) {
    // A preview goes into a stored report in memory, on the paper of the main report.
    QBuffer stream;
    std::unique_ptr<platform::StoredReportTarget> storedTarget;
    std::unique_ptr<platform::Report> storedReport;
    platform::Report* report = &mainReport;
    if (!job.printing()) {
        stream.open(QIODevice::ReadWrite);
        storedTarget = std::make_unique<platform::StoredReportTarget>(stream);
        storedReport = std::make_unique<platform::Report>(*storedTarget);
        storedReport->setPaperSize(mainReport.paperSize());
        report = storedReport.get();
    }

    TSheetPrinter printer(surface, *report, job);
    bool succeeded = false;
    {
        TLabelPrinter dialog(printer, parent);
        platform::DialogHost::current().exec(dialog);
        succeeded = dialog.succeeded();
    }
    if (job.printing() || !succeeded) return succeeded;

    stream.seek(0);
    TPreviewForm preview(parent);
    QString error;
    if (!preview.setReport(stream, error)) {
        platform::showInformation(error);
        return false;
    }
    preview.setWindowTitle(QStringLiteral("Preview Business Cards"));
    platform::DialogHost::current().exec(preview);
    return true;
}
