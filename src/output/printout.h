#pragma once
// The printed results: page metrics from the device and its font, and every
// page laid out as drawing calls on a canvas. The same code counts the pages
// (on a canvas that draws nothing) and prints them, so the two always agree.
#include <memory>
#include <optional>
#include <string>

#include "engine/results.h"
#include "model/project.h"
#include "output/canvas.h"

namespace kvis {

inline constexpr const char* kPrintoutTitle = "KAVORIN Is";

// What the layout needs to know of the printer, in device units.
struct PrintDevice {
    int horzRes = 0;  // printable width
    int vertRes = 0;  // printable height
    bool landscape = false;
    bool a3 = false;
};

struct PrintMetrics {
    int fontHeight = 0;    // H: the character height the graph sizes are based on
    FontSpec font;         // the font of every text (smaller on A3)
    int lineHeight = 0;    // full line height
    int lineStep = 0;      // height plus external leading
    int charWidth = 0;
    int charsPerLine = 0;
    int linesPerPage = 0;
    int pageWidth = 0;

    // Top of text line `line` (line 1 is the first of the header).
    int lineY(int line) const { return line * (lineStep * 3 / 2); }
};

// "Courier New", normal weight, a sixtieth of the paper's width; 0.7 of that on A3.
FontSpec printFont(const PrintDevice& device);
// Without font metrics the lines are 11 high, 10 apart and 13 wide per character.
PrintMetrics printMetrics(const PrintDevice& device, const std::optional<FontMetrics>& font);

class PrintItem;

class ResultsPrintout {
public:
    // `mask`: the items to print (bits of ResultBits), printed from the highest
    // bit down. Results are printed only while they are valid.
    ResultsPrintout(const Project& p, const DocumentState& d, const ResultsSet& r, int mask);
    ~ResultsPrintout();
    ResultsPrintout(const ResultsPrintout&) = delete;
    ResultsPrintout& operator=(const ResultsPrintout&) = delete;

    // Selects the font on the canvas, takes its metrics and counts the pages.
    void beginPrinting(Canvas& canvas, const PrintDevice& device);
    int pageCount() const { return pageCount_; }
    const PrintMetrics& metrics() const { return metrics_; }
    // The bits of the items not finished yet.
    int remainingMask() const { return mask_; }
    // The next page of the highest remaining item; nothing once all are printed.
    void printPage(Canvas& canvas);

private:
    std::unique_ptr<PrintItem> makeItem(int bit) const;

    const Project& project_;
    const DocumentState& state_;
    const ResultsSet& results_;
    int mask_ = 0;
    PrintMetrics metrics_;
    int pageCount_ = 0;
    std::unique_ptr<PrintItem> item_;  // the item being printed
    int itemPage_ = 0;                 // its next page, from 0
};

}  // namespace kvis
