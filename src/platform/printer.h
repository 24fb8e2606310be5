#pragma once
// Printing: the printer object with its print and set-up dialogs, and the
// printout that draws pages.
#include <QDialog>
#include <QPrinter>
#include <QRect>
#include <QString>
#include <memory>

class QComboBox;
class QPainter;
class QRadioButton;
class QWidget;

namespace kvis {

class TPrintout {
public:
    explicit TPrintout(const QString& title) : title_(title) {}
    virtual ~TPrintout() = default;
    const QString& title() const { return title_; }

    // The page range offered in the print dialog. A maximum of 0 offers no
    // range: every page the printout has is printed.
    virtual void getDialogInfo(int& minPage, int& maxPage, int& selFromPage, int& selToPage);
    // The device being printed on and its painter, given before beginPrinting.
    void setPrintParams(QPainter* dc, QPrinter* device) {
        dc_ = dc;
        device_ = device;
    }
    virtual void beginPrinting() {}
    virtual void endPrinting() {}
    virtual bool hasPage(int page) { return page == 1; }
    // Draws one page; `page` counts from 1, `pageRect` is the printable area
    // in device pixels of the painter.
    virtual void printPage(int page, QPainter& painter, const QRect& pageRect) = 0;

protected:
    QPainter* dc() const { return dc_; }
    QPrinter* device() const { return device_; }

private:
    QString title_;
    QPainter* dc_ = nullptr;
    QPrinter* device_ = nullptr;
};

// The printer set-up: which printer, the paper and its orientation. OK sets
// them on the printer; Cancel leaves it as it was.
class TPrinterSetupDialog : public QDialog {
    Q_OBJECT
public:
    TPrinterSetupDialog(QPrinter& printer, QWidget* owner);

    QComboBox* printers() const { return printers_; }
    QComboBox* paper() const { return paper_; }
    QRadioButton* portrait() const { return portrait_; }
    QRadioButton* landscape() const { return landscape_; }

    void accept() override;

private:
    // The paper sizes of the printer chosen, keeping the one chosen if it has it.
    void fillPaper();

    QPrinter& printer_;
    QComboBox* printers_;
    QComboBox* paper_;
    QRadioButton* portrait_;
    QRadioButton* landscape_;
};

class TPrinter {
public:
    TPrinter();
    ~TPrinter();
    QPrinter& printer() { return *printer_; }

    // The printer set-up dialog (TPrinterSetupDialog); true when confirmed.
    bool setup(QWidget* owner);
    // Prints the printout, after the print dialog when `prompt`; false when
    // cancelled or nothing could be printed. A job that cannot start is
    // reported in a message box.
    bool print(QWidget* owner, TPrintout& printout, bool prompt);
    // Prints every page into a PDF file on A4 portrait paper, without any
    // dialog or message; false with the reason in *error when the file cannot
    // be written.
    bool printToPdf(const QString& path, TPrintout& printout, QString* error);

    // The system's default printer ("" when there is none) and the one this
    // object was made for.
    static QString defaultPrinterName();
    const QString& deviceName() const { return device_; }

private:
    // Prints pages `from` to `to` (while the printout has them) on the printer
    // as set up. A PDF file is written beside its target and renamed into place.
    bool run(TPrintout& printout, int from, int to, QString* error);

    std::unique_ptr<QPrinter> printer_;
    QString device_;
};

}  // namespace kvis
