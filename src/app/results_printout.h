#pragma once
// The printout of the results ("KAVORIN Is"): the pages laid out by the
// output layer, drawn with a painter on the printer or into a PDF file.
#include "output/printout.h"
#include "platform/printer.h"

namespace kvis {

class Document;

class TKavorinPrintout : public TPrintout {
public:
    // `mask`: the items to print (bits of ResultBits).
    TKavorinPrintout(const Document& doc, int mask);

    // No page range: the pages exist only once the font is on the device.
    void getDialogInfo(int& minPage, int& maxPage, int& selFromPage, int& selToPage) override;
    void beginPrinting() override;
    bool hasPage(int page) override;
    void printPage(int page, QPainter& painter, const QRect& pageRect) override;

    int pageCount() const { return layout_.pageCount(); }

private:
    ResultsPrintout layout_;
};

// The device as the page layout sees it: the printable area in device pixels,
// the orientation, and whether the paper is A3.
PrintDevice printDeviceOf(const QPrinter& printer);

}  // namespace kvis
