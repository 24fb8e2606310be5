// Small projects (n <= 24, m <= 8) read from any text, validated, computed
// with advanced options taken from the input, and every output made: the
// report with all sections, both side files, the exchange file and the pages.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/compute.h"
#include "fuzz_check.h"
#include "model/project_file.h"
#include "output/canvas.h"
#include "output/exchange_file.h"
#include "output/printout.h"
#include "output/results_file.h"

namespace {

using namespace kvis;

// Draws nothing; keeps a sum of what it was given so nothing is optimised away.
class SumCanvas : public Canvas {
public:
    long long sum = 0;
    void setPen(Colour, int width) override { sum += width; }
    void setBrush(Colour) override {}
    void setHollowBrush() override {}
    void setTextColour(Colour) override {}
    void setFont(const FontSpec& font) override { sum += font.pixelSize; }
    std::optional<FontMetrics> fontMetrics() override { return std::nullopt; }
    void drawText(Point p, const std::string& text) override { sum += p.x + p.y + static_cast<long long>(text.size()); }
    void drawTextCentred(const Rect& box, const std::string& text) override {
        sum += box.left + box.top + static_cast<long long>(text.size());
    }
    void drawLine(Point from, Point to) override { sum += from.x + to.y; }
    void drawPolyline(const std::vector<Point>& points) override { sum += static_cast<long long>(points.size()); }
    void drawEllipse(const Rect& box) override { sum += box.right; }
    void drawRectangle(const Rect& box) override { sum += box.bottom; }
    void drawPolygon(const std::vector<Point>& points) override { sum += static_cast<long long>(points.size()); }
};

// Some inputs need minutes under the rules (a large group whose members
// interleave with other vertices is tried pair of arcs by pair of arcs); the
// engine's own check points end them, so no unit runs into the fuzzer's timeout.
class TimeBudget : public ComputeProgress {
public:
    bool cancelRequested() override { return std::chrono::steady_clock::now() > end_; }

private:
    std::chrono::steady_clock::time_point end_ = std::chrono::steady_clock::now() + std::chrono::seconds(10);
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The last two bytes give the advanced options, so a project file is a seed as it is.
    if (size < 2) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size - 2);
    if (claimedCells(text) > 24 * 8) return 0;
    Project p;
    if (!parseProject(text, p).ok || p.n > 24 || p.m > 8) return 0;
    // The cutting tries every set of up to maxArcsToCut arcs of a group, by
    // design: 8 arcs of a group of 20 alternatives run for hours. Two or three
    // keep every input within seconds and still reach every branch.
    p.maxArcsToCut = 2 + data[size - 2] % 2;
    p.acceptableLoss = (data[size - 1] % 64) / 100.0;
    DocumentState d;
    ResultsSet r;
    TimeBudget budget;
    const ComputeOutcome out = computeResults(p, d, r, 0, &budget);
    if (out.status == ComputeStatus::Cancelled) {
        FUZZ_CHECK(d.resultsValid == 0 && r.n == 0 && out.text.empty());
        return 0;
    }
    if (out.status != ComputeStatus::Computed) {
        FUZZ_CHECK(d.resultsValid == 0 && !out.text.empty());
        return 0;
    }
    FUZZ_CHECK(d.resultsValid == 1 && r.n == p.n && r.vertexCount >= 1 && r.vertexCount <= p.n);
    // Numbers within the validated range give numbers in the results.
    for (const auto* texts : {&r.concordanceTexts, &r.robustnessTexts})
        for (const std::string& t : texts->texts()) FUZZ_CHECK(t.find("nan") == std::string::npos && t.find("inf") == std::string::npos);
    FUZZ_CHECK(!resultsReport(p, d, r, 255).empty());
    FUZZ_CHECK(!concordanceSideFile(p, r).empty() && !discordanceSideFile(p, r).empty());
    FUZZ_CHECK(!exchangeText(p, r).empty());

    SumCanvas canvas;
    ResultsPrintout printout(p, d, r, 255);
    printout.beginPrinting(canvas, PrintDevice{4760, 6779, false, false});
    for (int page = 0; page < printout.pageCount() && printout.remainingMask() != 0; ++page) printout.printPage(canvas);
    FUZZ_CHECK(printout.remainingMask() == 0);
    return 0;
}
