#include "app/results_printout.h"

#include <QPageLayout>

#include "app/extensions.h"
#include "document/document.h"
#include "platform/painter_canvas.h"

namespace kvis {

TKavorinPrintout::TKavorinPrintout(const Document& doc, int mask)
    : TPrintout(QString::fromLatin1(kPrintoutTitle)), layout_(doc.project(), doc.state(), doc.results(), mask) {}

void TKavorinPrintout::getDialogInfo(int& minPage, int& maxPage, int& selFromPage, int& selToPage) {
    minPage = maxPage = selFromPage = selToPage = 0;
}

void TKavorinPrintout::beginPrinting() {
    TPainterCanvas canvas(*dc());
    layout_.beginPrinting(canvas, printDeviceOf(*device()));
}

bool TKavorinPrintout::hasPage(int page) { return page >= 1 && page <= layout_.pageCount(); }

// Pages come in order: each call prints the next one.
void TKavorinPrintout::printPage(int, QPainter& painter, const QRect&) {
    TPainterCanvas canvas(painter);
    layout_.printPage(canvas);
}

PrintDevice printDeviceOf(const QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    const QRect area = layout.paintRectPixels(printer.resolution());
    return {area.width(), area.height(), layout.orientation() == QPageLayout::Landscape,
            layout.pageSize().id() == QPageSize::A3};
}

void printResults(TPrinter& printer, QWidget* owner, const Document& doc, int mask) {
    TKavorinPrintout printout(doc, mask);
    printer.print(owner, printout, true);
}

}  // namespace kvis
