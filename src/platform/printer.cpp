#include "platform/printer.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>

#include "platform/test_hooks.h"

namespace kvis {

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
    QPrintDialog dlg(printer_.get(), owner);
    dlg.setWindowTitle(QStringLiteral("Printer setup"));
    dlg.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dlg.exec() == QDialog::Accepted;
}

bool TPrinter::print(QWidget* owner, TPrintout& printout, bool prompt) {
    int minPage = 1, maxPage = 1, from = 1, to = 1;
    printout.getDialogInfo(minPage, maxPage, from, to);
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
        dlg.setMinMax(minPage, maxPage);
        dlg.setFromTo(from, to);
        if (dlg.exec() != QDialog::Accepted) return false;
        if (printer_->printRange() == QPrinter::PageRange) {
            from = printer_->fromPage();
            to = printer_->toPage();
        }
    }
    printer_->setDocName(printout.title());
    QPainter painter;
    if (!painter.begin(printer_.get())) return false;
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
    painter.end();
    return true;
}

}  // namespace kvis
