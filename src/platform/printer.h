#pragma once
// Printing: the printer object with its print and set-up dialogs, and the
// printout that draws pages.
#include <QPrinter>
#include <QRect>
#include <QString>
#include <memory>

class QPainter;
class QWidget;

namespace kvis {

class TPrintout {
public:
    explicit TPrintout(const QString& title) : title_(title) {}
    virtual ~TPrintout() = default;
    const QString& title() const { return title_; }

    // The page range offered in the print dialog.
    virtual void getDialogInfo(int& minPage, int& maxPage, int& selFromPage, int& selToPage);
    virtual void beginPrinting() {}
    virtual void endPrinting() {}
    virtual bool hasPage(int page) { return page == 1; }
    // Draws one page; `page` counts from 1, `pageRect` is the printable area
    // in device pixels of the painter.
    virtual void printPage(int page, QPainter& painter, const QRect& pageRect) = 0;

private:
    QString title_;
};

class TPrinter {
public:
    TPrinter();
    ~TPrinter();
    QPrinter& printer() { return *printer_; }

    // The printer set-up dialog; true when confirmed.
    bool setup(QWidget* owner);
    // Prints the printout, after the print dialog when `prompt`; false when
    // cancelled or nothing could be printed.
    bool print(QWidget* owner, TPrintout& printout, bool prompt);

    // The system's default printer ("" when there is none) and the one this
    // object was made for.
    static QString defaultPrinterName();
    const QString& deviceName() const { return device_; }

private:
    std::unique_ptr<QPrinter> printer_;
    QString device_;
};

}  // namespace kvis
