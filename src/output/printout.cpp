#include "output/printout.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/final_graph.h"
#include "model/numfmt.h"
#include "output/graph_figure.h"
#include "output/results_file.h"

namespace kvis {

namespace {

// Lines 1 and 2 hold the header; text starts after one empty line.
constexpr int kFirstTextLine = 4;

int truncated(double v) { return static_cast<int>(std::trunc(v)); }

// Counting pages lays them out on this.
class NullCanvas : public Canvas {
public:
    void setPen(Colour, int) override {}
    void setBrush(Colour) override {}
    void setHollowBrush() override {}
    void setTextColour(Colour) override {}
    void setFont(const FontSpec&) override {}
    std::optional<FontMetrics> fontMetrics() override { return std::nullopt; }
    void drawText(Point, const std::string&) override {}
    void drawTextCentred(const Rect&, const std::string&) override {}
    void drawLine(Point, Point) override {}
    void drawPolyline(const std::vector<Point>&) override {}
    void drawEllipse(const Rect&) override {}
    void drawRectangle(const Rect&) override {}
    void drawPolygon(const std::vector<Point>&) override {}
};

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

}  // namespace

FontSpec printFont(const PrintDevice& device) {
    const int height = device.landscape ? -(device.vertRes / 60) : -(device.horzRes / 60);
    const int created = device.a3 ? truncated(0.7 * height) : height;
    return {"Courier New", -created, 400};
}

PrintMetrics printMetrics(const PrintDevice& device, const std::optional<FontMetrics>& font) {
    PrintMetrics m;
    m.fontHeight = device.landscape ? device.vertRes / 60 : device.horzRes / 60;
    m.font = printFont(device);
    // A device that reports a zero width would leave no characters per line.
    if (font && font->height > 0 && font->averageCharWidth > 0) {
        m.lineHeight = font->height + font->internalLeading + font->externalLeading;
        m.lineStep = font->height + font->externalLeading;
        m.charWidth = font->averageCharWidth;
    } else {
        m.lineHeight = 11;
        m.lineStep = 10;
        m.charWidth = 13;
    }
    m.linesPerPage = truncated(device.vertRes / (1.5 * m.lineHeight));
    m.charsPerLine = device.horzRes / m.charWidth;
    m.pageWidth = device.horzRes;
    return m;
}

// One selected item laid out in pages.
class PrintItem {
public:
    PrintItem(const PrintMetrics& m, std::string projectTitle, std::string title)
        : m_(m), projectTitle_(std::move(projectTitle)), title_(std::move(title)) {}
    virtual ~PrintItem() = default;
    virtual int pageCount() const = 0;
    virtual void drawPage(Canvas& canvas, int page) const = 0;

protected:
    void drawHeader(Canvas& canvas) const {
        drawLine(canvas, 1, "Project: " + projectTitle_);
        drawLine(canvas, 2, title_);
    }
    void drawLine(Canvas& canvas, int line, const std::string& text, int x = 1) const {
        if (!text.empty()) canvas.drawText({x, m_.lineY(line)}, text);
    }
    // Lines below the header on a page of text.
    int textCapacity() const { return std::max(1, m_.linesPerPage - kFirstTextLine + 1); }
    int charsPerLine() const { return std::max(1, m_.charsPerLine); }

    const PrintMetrics& m_;

private:
    std::string projectTitle_;
    std::string title_;
};

namespace {

// ---- Text items: the input data and the four matrices --------------------------

// A line of text, or a row of a table whose cells continue on further
// horizontal tiles behind the row label.
struct TextRow {
    std::string text;
    int table = -1;        // the table the row belongs to, -1 for plain text
    bool header = false;   // the table's column header
    std::string rowName;   // the label's name
    std::string label;     // the label on the first tile
    std::vector<std::string> cells;
};

// The pieces of a row on each horizontal tile: when the next cell would make
// the line reach the characters per line, the rest goes to the next tile,
// again behind the row label. Every tile takes at least one cell.
std::vector<std::string> tableTiles(const TextRow& row, int charsPerLine) {
    std::vector<std::string> tiles;
    std::string line = row.label;
    std::string rest;
    bool continued = false;
    size_t cellsOnLine = 0;
    auto flush = [&] {
        tiles.push_back(continued ? format("%-12.12s %s", row.rowName.c_str(), rest.c_str()) : line);
    };
    for (const std::string& cell : row.cells) {
        const size_t length = continued ? 13 + rest.size() : line.size();
        if (cellsOnLine > 0 && length + cell.size() >= static_cast<size_t>(charsPerLine)) {
            flush();
            continued = true;
            rest.clear();
            cellsOnLine = 0;
        }
        (continued ? rest : line) += cell;
        ++cellsOnLine;
    }
    flush();
    return tiles;
}

// A plain line on each horizontal tile: a page width of characters each.
std::vector<std::string> plainTiles(const std::string& text, int charsPerLine) {
    std::vector<std::string> tiles;
    for (size_t at = 0; at < text.size(); at += static_cast<size_t>(charsPerLine))
        tiles.push_back(text.substr(at, static_cast<size_t>(charsPerLine)));
    if (tiles.empty()) tiles.emplace_back();
    return tiles;
}

class TextItem : public PrintItem {
public:
    TextItem(const PrintMetrics& m, std::string projectTitle, std::string title, std::vector<TextRow> rows)
        : PrintItem(m, std::move(projectTitle), std::move(title)), rows_(std::move(rows)) {
        for (const TextRow& row : rows_) {
            tiles_.push_back(row.table < 0 ? plainTiles(row.text, charsPerLine()) : tableTiles(row, charsPerLine()));
            horizontal_ = std::max(horizontal_, static_cast<int>(tiles_.back().size()));
        }
        makeBands();
    }

    int pageCount() const override { return static_cast<int>(bands_.size()) * horizontal_; }

    // Every horizontal tile of the first vertical band, then the next band.
    void drawPage(Canvas& canvas, int page) const override {
        drawHeader(canvas);
        const std::vector<size_t>& band = bands_[static_cast<size_t>(page / horizontal_)];
        const size_t tile = static_cast<size_t>(page % horizontal_);
        for (size_t i = 0; i < band.size(); ++i) {
            const std::vector<std::string>& pieces = tiles_[band[i]];
            if (tile < pieces.size()) drawLine(canvas, kFirstTextLine + static_cast<int>(i), pieces[tile]);
        }
    }

private:
    // Rows per page; a band that starts inside a table starts with its header,
    // and a header that would end a band goes to the next one with its rows.
    void makeBands() {
        const size_t capacity = static_cast<size_t>(textCapacity());
        std::vector<size_t> band;
        for (size_t i = 0; i < rows_.size(); ++i) {
            if (band.size() == capacity) {
                const bool lastIsHeader = rows_[band.back()].header && band.size() > 1;
                if (lastIsHeader) band.pop_back();
                bands_.push_back(band);
                band.clear();
                const TextRow& row = rows_[i];
                if (row.table >= 0 && !row.header && capacity > 1) band.push_back(headerOf(row.table));
            }
            band.push_back(i);
        }
        if (!band.empty() || bands_.empty()) bands_.push_back(band);
    }

    size_t headerOf(int table) const {
        for (size_t i = 0; i < rows_.size(); ++i)
            if (rows_[i].table == table && rows_[i].header) return i;
        return 0;
    }

    std::vector<TextRow> rows_;
    std::vector<std::vector<std::string>> tiles_;
    std::vector<std::vector<size_t>> bands_;
    int horizontal_ = 1;
};

TextRow plain(std::string text) {
    TextRow row;
    row.text = std::move(text);
    return row;
}

// A table: the column header, then one row per alternative, each cell in `cellFormat`.
void appendTable(std::vector<TextRow>& rows, int table, const Project& p,
                 const std::vector<std::string>& columns, TextCells cells, const char* cellFormat) {
    TextRow header;
    header.table = table;
    header.header = true;
    header.rowName = " ";
    header.label = format("%-12s ", " ");
    for (const std::string& c : columns) header.cells.push_back(format(cellFormat, c.c_str()));
    rows.push_back(header);
    const size_t cols = columns.size();
    for (size_t a = 0; a < p.alternatives.size(); ++a) {
        TextRow row;
        row.table = table;
        row.rowName = p.alternatives[a].name;
        row.label = format("%12.12s ", row.rowName.c_str());
        for (size_t c = 0; c < cols; ++c) row.cells.push_back(format(cellFormat, cells[a * cols + c].c_str()));
        rows.push_back(row);
    }
}

std::vector<TextRow> inputDataRows(const Project& p) {
    std::vector<TextRow> rows;
    std::string text;
    writeParameters(text, p);
    text += "\n  Matrix of Criteria\n";
    writeCriteriaTable(text, p);
    text += "\n  Matrix of Alternatives\n";
    for (std::string& line : splitLines(text)) rows.push_back(plain(std::move(line)));
    std::vector<std::string> criteria;
    for (const Criterion& c : p.criteria) criteria.push_back(c.name);
    appendTable(rows, 0, p, criteria, p.evaluationTexts.data(), "%12.12s ");
    return rows;
}

std::vector<TextRow> matrixRows(const Project& p, const TextMatrix& cells) {
    std::vector<TextRow> rows;
    std::vector<std::string> names;
    for (const Alternative& a : p.alternatives) names.push_back(a.name);
    appendTable(rows, 0, p, names, cells, "%8.8s ");
    return rows;
}

// ---- Graph items -----------------------------------------------------------------

enum class GraphKind { Outranking, Modified, Final };

struct ListLine {
    int x = 1;
    std::string text;
};

// Lines of entries, as many per line as fit before the characters per line;
// `indent` characters of the page are taken before each line.
class EntryLines {
public:
    EntryLines(std::vector<ListLine>& out, int x, int indent, int charsPerLine)
        : out_(out), x_(x), room_(charsPerLine - indent) {}
    void add(const std::string& entry) {
        if (!line_.empty() && static_cast<int>(line_.size() + entry.size()) >= room_) flush();
        line_ += entry;
    }
    void flush() {
        if (!line_.empty()) out_.push_back({x_, line_});
        line_.clear();
    }

private:
    std::vector<ListLine>& out_;
    int x_;
    int room_;
    std::string line_;
};

struct Arc {
    int from = 0;
    int to = 0;
    int width = 1;
    Colour headFill = kBlack;
    bool line = true;
};

class GraphItem : public PrintItem {
public:
    GraphItem(const PrintMetrics& m, std::string projectTitle, std::string title, GraphKind kind,
              const Project& p, const ResultsSet& r)
        : PrintItem(m, std::move(projectTitle), std::move(title)), kind_(kind) {
        const int h = m.fontHeight;
        radius_ = std::max(25, h);
        headWidth_ = std::max(10, truncated(0.4 * h));
        unit_ = (headWidth_ + 5) / 10;
        const int count = kind == GraphKind::Final ? r.vertexCount : p.n;
        const int big = count < 7 ? truncated(h * 8.5) : count < 15 ? truncated(h * count * 1.25) : truncated(h * 18.75);
        const int top = std::max(80, truncated(3.2 * h));
        const Point centre{m.charsPerLine * m.charWidth / 2, top + radius_ + big};
        for (int i = 0; i < count; ++i) {
            const Point at = circlePosition(centre, big, i, count, CirclePlacement::FractionTruncatedOffset);
            Vertex v;
            v.box = vertexRect(at, radius_);
            v.label = format("%d", kind == GraphKind::Final ? screenVertexNumber(r, i) : i + 1);
            if (kind == GraphKind::Final) {
                v.penWidth = inKernel(r, i) ? 6 * unit_ : 3 * unit_;
                v.artificial = isArtificial(r, i);
            } else {
                v.penWidth = 3 * unit_;
            }
            vertices_.push_back(v);
        }
        collectArcs(r, count);
        const int step = m.lineY(1);
        const int bottom = centre.y + big + radius_;
        firstListLine_ = std::max(kFirstTextLine, (step > 0 ? (bottom + step - 1) / step : 0) + 1);
        collectLists(p, r);
    }

    int pageCount() const override {
        const int rest = static_cast<int>(lists_.size()) - firstPageLines();
        return rest <= 0 ? 1 : 1 + (rest + textCapacity() - 1) / textCapacity();
    }

    void drawPage(Canvas& canvas, int page) const override {
        drawHeader(canvas);
        size_t from = 0;
        size_t count = static_cast<size_t>(firstPageLines());
        int line = firstListLine_;
        if (page == 0) {
            drawFigure(canvas);
        } else {
            from = count + static_cast<size_t>((page - 1) * textCapacity());
            count = static_cast<size_t>(textCapacity());
            line = kFirstTextLine;
        }
        for (size_t i = from; i < lists_.size() && i < from + count; ++i, ++line)
            drawLine(canvas, line, lists_[i].text, lists_[i].x);
    }

private:
    struct Vertex {
        Rect box;
        std::string label;
        int penWidth = 1;
        bool artificial = false;
    };

    int firstPageLines() const { return std::max(0, m_.linesPerPage - firstListLine_ + 1); }

    void collectArcs(const ResultsSet& r, int count) {
        auto drawn = [&](int a, int b) {
            const size_t at = r.at(a, b);
            switch (kind_) {
                case GraphKind::Outranking: return r.outrankingMatrix[at] != 0;
                case GraphKind::Modified: return r.modifiedOutranking[at] != 0 || r.outrankingMatrix[at] != 0;
                case GraphKind::Final: return r.vertexGraph[at] != 0;
            }
            return false;
        };
        for (int a = 0; a < count; ++a)
            for (int b = 0; b < count; ++b) {
                if (a == b || !drawn(a, b)) continue;
                Arc arc{a, b, unit_, kBlack, drawsArcLine(a, b, drawn(b, a))};
                if (kind_ == GraphKind::Modified) {
                    const int change = r.modifiedOutranking[r.at(a, b)] - r.outrankingMatrix[r.at(a, b)];
                    if (change != 0) arc.headFill = kWhite;
                    if (change > 0) arc.width = 3 * unit_;
                }
                arcs_.push_back(arc);
            }
    }

    void collectLists(const Project& p, const ResultsSet& r) {
        const int cpl = charsPerLine();
        if (kind_ != GraphKind::Final) {
            lists_.push_back({1, "Alternatives:"});
            EntryLines legend(lists_, 1, 0, cpl);
            for (int a = 0; a < p.n; ++a) legend.add(format(" %5d -> %.15s ", a + 1, p.alternatives[a].name.c_str()));
            legend.flush();
        }
        if (kind_ == GraphKind::Modified) {
            lists_.push_back({1, ""});
            lists_.push_back({1, "Arcs added or removed:"});
            EntryLines entries(lists_, 1 + 3 * m_.charWidth, 3, cpl);
            for (const ModifiedArc& arc : modifiedArcs(r))
                entries.add(format("  %s %d->%d ro=%.3f ", arc.change > 0 ? "A:" : "R:", arc.from + 1, arc.to + 1,
                                   arc.robustness));
            entries.flush();
        }
        if (kind_ == GraphKind::Final) finalLists(p, r, cpl);
    }

    void finalLists(const Project& p, const ResultsSet& r, int cpl) {
        const std::string kernelTitle = "Kernel vertices: ";
        std::string line = kernelTitle;
        for (int v = 0; v < r.vertexCount; ++v) {
            if (!inKernel(r, v)) continue;
            const std::string number = format("%6d", screenVertexNumber(r, v));
            if (line.size() > kernelTitle.size() && static_cast<int>(line.size() + number.size()) >= cpl) {
                lists_.push_back({1, line});
                line = std::string(kernelTitle.size(), ' ');
            }
            line += number;
        }
        lists_.push_back({1, line});
        bool anyArtificial = false;
        for (int v = 0; v < r.vertexCount; ++v) anyArtificial = anyArtificial || isArtificial(r, v);
        if (anyArtificial) {
            lists_.push_back({1, ""});
            lists_.push_back({1, "Artificial vertices: "});
            for (int v = 0; v < r.vertexCount; ++v) {
                if (!isArtificial(r, v)) continue;
                line = format("%5d -> ", screenVertexNumber(r, v));
                bool members = false;
                for (int a : vertexMemberList(r, v)) {
                    const std::string name = format("%s  ", p.alternatives[a].name.c_str());
                    if (members && static_cast<int>(line.size() + name.size()) >= cpl) {
                        lists_.push_back({1, line});
                        line = std::string(20, ' ');
                    }
                    line += name;
                    members = true;
                }
                lists_.push_back({1, line});
            }
        }
        lists_.push_back({1, ""});
        lists_.push_back({1, "Natural vertices: "});
        for (int v = 0; v < r.vertexCount; ++v) {
            if (isArtificial(r, v)) continue;
            const int a = vertexMemberList(r, v).front();
            lists_.push_back({1, format("%5d -> %s", screenVertexNumber(r, v), p.alternatives[a].name.c_str())});
        }
    }

    // The outline of a square whose corners lie on the vertex circle.
    static Rect innerSquare(const Rect& box) {
        const double fraction = 1.0 - 1.0 / std::sqrt(2.0);
        const int dx = truncated(fraction * ((box.right - box.left) / 2.0));
        const int dy = truncated(fraction * ((box.bottom - box.top) / 2.0));
        return {box.left + dx, box.top + dy, box.right - dx, box.bottom - dy};
    }

    void drawVertex(Canvas& canvas, const Rect& box, int penWidth, bool artificial, const std::string& label) const {
        canvas.setPen(kBlack, penWidth);
        canvas.setBrush(kWhite);
        canvas.drawEllipse(box);
        if (artificial) {
            canvas.setPen(kBlack, 3 * unit_);
            canvas.setHollowBrush();
            canvas.drawRectangle(innerSquare(box));
        }
        if (!label.empty()) canvas.drawTextCentred(box, label);
    }

    void drawArc(Canvas& canvas, const Rect& from, const Rect& to, int width, Colour headFill, bool line) const {
        const std::optional<ArcFigure> a = arcFigure(from, to, radius_, headWidth_);
        if (!a) return;
        canvas.setPen(kBlack, width);
        if (line) canvas.drawLine(a->tail, a->tip);
        canvas.setBrush(headFill);
        canvas.drawPolygon({a->corner1, a->corner2, a->tip});
    }

    void drawFigure(Canvas& canvas) const {
        for (const Vertex& v : vertices_) drawVertex(canvas, v.box, v.penWidth, v.artificial, v.label);
        for (const Arc& arc : arcs_)
            drawArc(canvas, vertices_[static_cast<size_t>(arc.from)].box, vertices_[static_cast<size_t>(arc.to)].box,
                    arc.width, arc.headFill, arc.line);
        if (kind_ == GraphKind::Modified) drawModifiedKey(canvas);
        if (kind_ == GraphKind::Final) drawFinalKey(canvas);
    }

    // A frame around the key's lines `first` to `last`, `chars` wide. Its texts
    // start at the page's edge: the left side stands half a character further
    // out, in the margin where the device has one, never on the texts.
    void drawKeyBox(Canvas& canvas, int first, int last, int chars) const {
        canvas.setPen(kBlack, unit_);
        canvas.setHollowBrush();
        canvas.drawRectangle({-m_.charWidth / 2, m_.lineY(first) - m_.lineStep / 4, 1 + chars * m_.charWidth,
                              m_.lineY(last + 1)});
    }

    // A sample arc pointing right, from one character in to `chars` in, centred on `y`.
    void drawSampleArc(Canvas& canvas, int y, int chars, int width, Colour headFill) const {
        const Rect from = vertexRect({1 + m_.charWidth - radius_, y}, radius_);
        const Rect to = vertexRect({1 + chars * m_.charWidth + radius_, y}, radius_);
        drawArc(canvas, from, to, width, headFill, true);
    }

    void drawModifiedKey(Canvas& canvas) const {
        drawKeyBox(canvas, 3, 11, 16);
        drawLine(canvas, 3, "Arc:");
        drawLine(canvas, 4, "A - Added");
        drawSampleArc(canvas, m_.lineY(6), 12, 3 * unit_, kWhite);
        drawLine(canvas, 7, "R - Removed");
        drawSampleArc(canvas, m_.lineY(9), 12, unit_, kWhite);
        drawLine(canvas, 10, "ro - Robustness");
        drawLine(canvas, 11, "    coefficient");
    }

    void drawFinalKey(Canvas& canvas) const {
        drawKeyBox(canvas, 3, 10, 19);
        const int x = 1 + 9 * m_.charWidth;
        drawLine(canvas, 3, "Kernel vertex:");
        drawVertex(canvas, vertexRect({x, m_.lineY(5)}, radius_), 6 * unit_, false, "");
        drawLine(canvas, 7, "Artificial vertex:");
        drawVertex(canvas, vertexRect({x, m_.lineY(9)}, radius_), 3 * unit_, true, "");
    }

    GraphKind kind_;
    int radius_ = 25;    // of a vertex circle
    int headWidth_ = 10; // W: the head's half-width factor
    int unit_ = 1;       // u: the thin pen
    std::vector<Vertex> vertices_;
    std::vector<Arc> arcs_;
    std::vector<ListLine> lists_;
    int firstListLine_ = kFirstTextLine;
};

int highestBit(int mask) {
    for (int bit = kBitAlternatives; bit != 0; bit >>= 1)
        if (mask & bit) return bit;
    return 0;
}

}  // namespace

ResultsPrintout::ResultsPrintout(const Project& p, const DocumentState& d, const ResultsSet& r, int mask)
    : project_(p), state_(d), results_(r), mask_(effectiveSelection(d, mask) & 0xff) {}

ResultsPrintout::~ResultsPrintout() = default;

void ResultsPrintout::beginPrinting(Canvas& canvas, const PrintDevice& device) {
    canvas.setFont(printFont(device));
    metrics_ = printMetrics(device, canvas.fontMetrics());
    const int mask = mask_;
    NullCanvas nothing;
    pageCount_ = 0;
    for (; mask_ != 0; ++pageCount_) printPage(nothing);
    mask_ = mask;
}

std::unique_ptr<PrintItem> ResultsPrintout::makeItem(int bit) const {
    const Project& p = project_;
    const ResultsSet& r = results_;
    const std::string& title = state_.projectTitle;
    switch (bit) {
        case kBitAlternatives: return std::make_unique<TextItem>(metrics_, title, "Input Data", inputDataRows(p));
        case kBitConcordance:
            return std::make_unique<TextItem>(metrics_, title, "Matrix of Concordance", matrixRows(p, r.concordanceTexts));
        case kBitDiscordance:
            return std::make_unique<TextItem>(metrics_, title, "Matrix of Discordance", matrixRows(p, r.discordanceTexts));
        case kBitRobustness:
            return std::make_unique<TextItem>(metrics_, title, "Matrix of Robustness", matrixRows(p, r.robustnessTexts));
        case kBitOutranking:
            return std::make_unique<TextItem>(metrics_, title, "Matrix of Outranking", matrixRows(p, r.outrankingTexts));
        case kBitGraph:
            return std::make_unique<GraphItem>(metrics_, title, "Graph of Outranking", GraphKind::Outranking, p, r);
        case kBitModifiedGraph:
            return std::make_unique<GraphItem>(metrics_, title, "Modified Graph of Outranking", GraphKind::Modified, p, r);
        default: return std::make_unique<GraphItem>(metrics_, title, "Final Graph", GraphKind::Final, p, r);
    }
}

void ResultsPrintout::printPage(Canvas& canvas) {
    const int bit = highestBit(mask_);
    if (bit == 0) return;
    if (!item_) item_ = makeItem(bit);
    canvas.setFont(metrics_.font);
    canvas.setTextColour(kBlack);
    item_->drawPage(canvas, itemPage_);
    if (++itemPage_ >= item_->pageCount()) {
        mask_ &= ~bit;
        item_.reset();
        itemPage_ = 0;
    }
}

}  // namespace kvis
