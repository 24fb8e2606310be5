#include "platform/printer.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QVBoxLayout>
#include <climits>

#include "model/atomic_file.h"
#include "platform/message_box.h"
#include "platform/test_hooks.h"

namespace kvis {

namespace {

QString cannotCreate(const QString& path) { return QStringLiteral("Cannot create file '%1'").arg(path); }

}  // namespace

void TPrintout::getDialogInfo(int& minPage, int& maxPage, int& selFromPage, int& selToPage) {
    minPage = 1;
    maxPage = 1;
    selFromPage = 1;
    selToPage = 1;
}

TPrinter::TPrinter() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    device_ = defaultPrinterName();
    if (!device_.isEmpty()) printer_->setPrinterName(device_);
}

TPrinter::~TPrinter() = default;

QString TPrinter::defaultPrinterName() { return QPrinterInfo::defaultPrinterName(); }

bool TPrinter::setup(QWidget* owner) {
    if (auto* h = TestHooks::active()) {
        ++h->setupDialogs;
        if (h->printAnswers.empty()) return true;
        bool a = h->printAnswers.front();
        h->printAnswers.pop_front();
        return a;
    }
    TPrinterSetupDialog dlg(*printer_, owner);
    return dlg.exec() == QDialog::Accepted;
}

namespace {

// Paper offered for a PDF file and for a printer that names none.
const QPageSize::PageSizeId kCommonPaper[] = {QPageSize::A3,     QPageSize::A4,    QPageSize::A5,
                                              QPageSize::B5,     QPageSize::Letter, QPageSize::Legal,
                                              QPageSize::Executive, QPageSize::Tabloid};

}  // namespace

TPrinterSetupDialog::TPrinterSetupDialog(QPrinter& printer, QWidget* owner) : QDialog(owner), printer_(printer) {
    setWindowTitle(QStringLiteral("Printer setup"));
    printers_ = new QComboBox(this);
    for (const QString& name : QPrinterInfo::availablePrinterNames()) printers_->addItem(name, name);
    printers_->addItem(QStringLiteral("PDF file"), QString());
    const bool pdf = printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty();
    const int current = pdf ? printers_->count() - 1 : printers_->findData(printer.printerName());
    printers_->setCurrentIndex(current < 0 ? printers_->count() - 1 : current);
    paper_ = new QComboBox(this);
    fillPaper();
    connect(printers_, &QComboBox::currentIndexChanged, this, [this] { fillPaper(); });
    portrait_ = new QRadioButton(QStringLiteral("P&ortrait"), this);
    landscape_ = new QRadioButton(QStringLiteral("&Landscape"), this);
    (printer.pageLayout().orientation() == QPageLayout::Landscape ? landscape_ : portrait_)->setChecked(true);

    auto* form = new QFormLayout;
    auto* printerLabel = new QLabel(QStringLiteral("&Printer:"), this);
    printerLabel->setBuddy(printers_);
    auto* paperLabel = new QLabel(QStringLiteral("Paper &size:"), this);
    paperLabel->setBuddy(paper_);
    form->addRow(printerLabel, printers_);
    form->addRow(paperLabel, paper_);
    auto* orientation = new QGroupBox(QStringLiteral("Orientation"), this);
    auto* radios = new QHBoxLayout(orientation);
    radios->addWidget(portrait_);
    radios->addWidget(landscape_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* all = new QVBoxLayout(this);
    all->addLayout(form);
    all->addWidget(orientation);
    all->addWidget(buttons);
}

void TPrinterSetupDialog::fillPaper() {
    const QPageSize chosen = paper_->count() > 0 ? paper_->currentData().value<QPageSize>()
                                                 : printer_.pageLayout().pageSize();
    QList<QPageSize> sizes;
    const QString name = printers_->currentData().toString();
    if (!name.isEmpty()) sizes = QPrinterInfo::printerInfo(name).supportedPageSizes();
    if (sizes.isEmpty())
        for (QPageSize::PageSizeId id : kCommonPaper) sizes << QPageSize(id);
    paper_->clear();
    for (const QPageSize& size : sizes) paper_->addItem(size.name(), QVariant::fromValue(size));
    int at = 0;
    for (int i = 0; i < paper_->count(); ++i)
        if (paper_->itemData(i).value<QPageSize>().isEquivalentTo(chosen)) at = i;
    paper_->setCurrentIndex(at);
}

void TPrinterSetupDialog::accept() {
    const QString name = printers_->currentData().toString();
    if (name.isEmpty()) {
        printer_.setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer_.setOutputFormat(QPrinter::NativeFormat);
        printer_.setPrinterName(name);
    }
    printer_.setPageSize(paper_->currentData().value<QPageSize>());
    printer_.setPageOrientation(landscape_->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QDialog::accept();
}

bool TPrinter::print(QWidget* owner, TPrintout& printout, bool prompt) {
    int minPage = 1, maxPage = 1, from = 1, to = 1;
    printout.getDialogInfo(minPage, maxPage, from, to);
    const bool range = maxPage > 0;
    if (!range) {
        from = 1;
        to = INT_MAX;
    }
    if (auto* h = TestHooks::active()) {
        if (prompt) {
            ++h->printDialogs;
            if (!h->printAnswers.empty()) {
                bool a = h->printAnswers.front();
                h->printAnswers.pop_front();
                if (!a) return false;
            }
        }
        if (h->pdfPath.isEmpty()) return true;
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(h->pdfPath);
    } else if (prompt) {
        QPrintDialog dlg(printer_.get(), owner);
        if (range) {
            dlg.setMinMax(minPage, maxPage);
            dlg.setFromTo(from, to);
        } else {
            dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
        }
        if (dlg.exec() != QDialog::Accepted) return false;
        if (range && printer_->printRange() == QPrinter::PageRange) {
            from = printer_->fromPage();
            to = printer_->toPage();
        }
    }
    QString error;
    if (run(printout, from, to, &error)) return true;
    messageBox(owner, error, QStringLiteral("Print"), MB_OK | MB_ICONSTOP);
    return false;
}

bool TPrinter::printToPdf(const QString& path, TPrintout& printout, QString* error) {
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(path);
    printer_->setPageSize(QPageSize(QPageSize::A4));
    printer_->setPageOrientation(QPageLayout::Portrait);
    return run(printout, 1, INT_MAX, error);
}

bool TPrinter::run(TPrintout& printout, int from, int to, QString* error) {
    const QString target = printer_->outputFileName();
    std::unique_ptr<AtomicFile> file;
    if (printer_->outputFormat() == QPrinter::PdfFormat && !target.isEmpty()) {
        file = std::make_unique<AtomicFile>(target.toStdString());
        if (!file->create()) {
            *error = cannotCreate(target);
            return false;
        }
        printer_->setOutputFileName(QString::fromStdString(file->temporaryPath()));
    }
    printer_->setDocName(printout.title());
    QPainter painter;
    bool ok = painter.begin(printer_.get());
    if (ok) {
        printout.setPrintParams(&painter, printer_.get());
        printout.beginPrinting();
        const QRect pageRect = printer_->pageLayout().paintRectPixels(printer_->resolution());
        const QRect area(0, 0, pageRect.width(), pageRect.height());
        bool first = true;
        for (int page = from; page <= to && printout.hasPage(page); ++page) {
            if (!first) printer_->newPage();
            first = false;
            printout.printPage(page, painter, area);
        }
        printout.endPrinting();
        printout.setPrintParams(nullptr, nullptr);
        ok = painter.end();
    }
    // The print dialog shows the name the user chose, not the temporary one.
    if (file) printer_->setOutputFileName(target);
    if (file && ok) ok = file->commit();
    if (!ok) *error = file ? cannotCreate(target) : QStringLiteral("Cannot print on '%1'").arg(printer_->printerName());
    return ok;
}

}  // namespace kvis
