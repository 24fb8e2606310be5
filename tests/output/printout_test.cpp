// The printed pages, recorded call by call on devices of known size: the
// metrics, the tiles of wide and long tables, the graphs with their styles
// and lists, and the page count against the pages printed.
#include "output/printout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "../support/recording_canvas.h"
#include "engine/compute.h"
#include "engine/final_graph.h"
#include "model/project_file.h"
#include "output/graph_figure.h"
#include "output/results_file.h"

using namespace kvis;
namespace fs = std::filesystem;

namespace {

// A4 at 1200 dots per inch with a font of Courier's proportions.
const PrintDevice kA4{9917, 13612, false, false};
const FontMetrics kA4Font{187, 22, 0, 99};
// Small pages: 60 characters of 10, 10 lines (header, empty line, 7 of text).
const PrintDevice kSmall{600, 180, false, false};
const FontMetrics kSmallFont{10, 2, 0, 10};
// Graph pages: H = 100, so vertex radius 100, head half-width 40, thin pen 4.
const PrintDevice kGraph{6000, 9000, false, false};
const FontMetrics kGraphFont{120, 20, 0, 60};

struct Job {
    int counted = 0;
    std::string begin;               // what beginPrinting drew
    std::vector<std::string> pages;  // one recording per page printed
};

// Prints page after page until every item is finished.
Job printAll(const Project& p, const DocumentState& d, const ResultsSet& r, int mask, const PrintDevice& device,
             std::optional<FontMetrics> font) {
    ResultsPrintout printout(p, d, r, mask);
    RecordingCanvas begin(font);
    printout.beginPrinting(begin, device);
    Job job{printout.pageCount(), begin.text(), {}};
    while (printout.remainingMask() != 0 && job.pages.size() < 500) {
        RecordingCanvas page(font);
        printout.printPage(page);
        job.pages.push_back(page.text());
    }
    RecordingCanvas after(font);
    printout.printPage(after);
    EXPECT_TRUE(after.calls.empty()) << "a page after the last";
    return job;
}

// The page as its calls: the font, then every line of text.
std::string textPage(const std::vector<std::pair<int, std::string>>& lines, const FontSpec& font) {
    std::string s = format("font \"%s\" %d %d\ntextcolour 0,0,0\n", font.face.c_str(), font.pixelSize, font.weight);
    for (const auto& [y, text] : lines) s += format("text 1 %d \"%s\"\n", y, text.c_str());
    return s;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// The text calls of a page, in order.
std::vector<std::string> texts(const std::string& page) {
    std::vector<std::string> out;
    for (const std::string& line : lines(page))
        if (line.rfind("text ", 0) == 0) out.push_back(line);
    return out;
}

// n alternatives on two (or three) like criteria, each better than the last
// by more than the preference threshold: every better one outranks every
// worse one.
Project chain(const std::vector<std::string>& names, int criteria = 2) {
    Project p;
    p.m = criteria;
    p.n = static_cast<int>(names.size());
    Criterion g;
    g.name = "g";
    g.direction = 1;
    g.weight = 1;
    g.indifference = {0, 1};
    g.preference = {0, 2};
    g.veto = {0, 100};
    p.criteria.assign(static_cast<size_t>(criteria), g);
    p.criteria[1].name = "h";
    p.criteria[1].weight = 2;
    if (criteria > 2) p.criteria[2].name = "i";
    for (size_t i = 0; i < names.size(); ++i) {
        p.alternatives.push_back({names[i]});
        for (int c = 0; c < criteria; ++c) {
            p.evaluations.push_back(10.0 * static_cast<double>(names.size() - i));
            p.evaluationTexts.push_back(format("%g", p.evaluations.back()));
        }
    }
    p.columnFormats.assign(static_cast<size_t>(criteria), TSheetColumn{});
    p.levelOfConcordance = 0.6;
    return p;
}

struct Computed {
    Project p;
    DocumentState d;
    ResultsSet r;
    explicit Computed(Project project, const std::string& title = "tiles.kvs") : p(std::move(project)) {
        EXPECT_EQ(computeResults(p, d, r).status, ComputeStatus::Computed);
        d.projectTitle = title;
    }
};

const std::vector<std::string> kTwelve = {"alpha_centauri", "beta", "gamma", "delta", "epsilon", "zeta",
                                          "eta", "theta", "iota", "kappa", "lambda", "mu"};

// Five alternatives a to e: vertex 0 = a (the kernel), vertex 1 = the
// artificial group b, d, c, vertex 2 = e; a outranks both. In the modified
// graph a -> b is unchanged, a -> e added and d -> b removed.
struct GraphFixture : ::testing::Test {
    Project p;
    DocumentState d;
    ResultsSet r;
    void SetUp() override {
        p.n = 5;
        for (const char* name : {"a", "b", "c", "d", "e"}) p.alternatives.push_back({name});
        r.allocate(5);
        std::fill(r.listCounts.begin(), r.listCounts.end(), -1);
        r.listCounts[0] = 0;
        const int members[][3] = {{0, 0, 0}, {1, 0, 1}, {1, 1, 3}, {1, 2, 2}, {2, 0, 4}};  // vertex, place, alternative
        for (const auto& [v, k, a] : members) r.vertexMembers[r.at(v, k)] = a;
        r.extraMembers = {0, 2, 0, 0, 0};
        r.vertexGraph[r.at(0, 1)] = r.vertexGraph[r.at(0, 2)] = 1;
        r.vertexCount = r.workingVertexCount = 3;
        r.outrankingMatrix[r.at(0, 1)] = r.modifiedOutranking[r.at(0, 1)] = 1;
        r.outrankingMatrix[r.at(3, 1)] = 1;
        r.modifiedOutranking[r.at(0, 4)] = 1;
        r.robustnessMatrix[r.at(3, 1)] = 0.3;
        r.robustnessMatrix[r.at(0, 4)] = 0.45;
        d.resultsValid = 1;
        d.projectTitle = "five.kvs";
    }
    Job print(int mask, const PrintDevice& device = kGraph, const FontMetrics& font = kGraphFont) {
        return printAll(p, d, r, mask, device, font);
    }
};

// Per drawn shape of a page: the pen width in force, and the brush for fills.
struct Styled {
    std::string shape;
    int pen = 0;
    std::string brush;
};

std::vector<Styled> styled(const std::string& page, const std::string& kind) {
    std::vector<Styled> out;
    int pen = 1;
    std::string brush = "255,255,255";
    for (const std::string& line : lines(page)) {
        if (line.rfind("pen ", 0) == 0) pen = std::atoi(line.substr(line.rfind(' ') + 1).c_str());
        if (line.rfind("brush ", 0) == 0) brush = line.substr(6);
        if (line.rfind(kind + " ", 0) == 0) out.push_back({line, pen, brush});
    }
    return out;
}

}  // namespace

TEST(PrintMetrics, FromTheDeviceAndItsFont) {
    struct Case {
        const char* name;
        PrintDevice device;
        std::optional<FontMetrics> font;
        FontSpec asked;
        int fontHeight, lineHeight, lineStep, charWidth, charsPerLine, linesPerPage, lineY1;
    };
    const Case cases[] = {
        {"A4 portrait", kA4, kA4Font, {"Courier New", 165, 400}, 165, 209, 187, 99, 100, 43, 280},
        // The font follows the paper's short side whichever way it is turned.
        {"A4 landscape", {13612, 9917, true, false}, kA4Font, {"Courier New", 165, 400}, 165, 209, 187, 99, 137, 31,
         280},
        // A3: the text is 0.7 as high, the graphs keep the full height.
        {"A3 portrait", {14030, 19608, false, true}, FontMetrics{131, 16, 3, 69}, {"Courier New", 163, 400}, 233, 150,
         134, 69, 203, 87, 201},
        {"no metrics", kA4, std::nullopt, {"Courier New", 165, 400}, 165, 11, 10, 13, 762, 824, 15},
        {"no character width", kA4, FontMetrics{187, 22, 0, 0}, {"Courier New", 165, 400}, 165, 11, 10, 13, 762, 824,
         15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(printFont(c.device), c.asked);
        const PrintMetrics m = printMetrics(c.device, c.font);
        EXPECT_EQ(m.font, c.asked);
        EXPECT_EQ((std::vector<int>{m.fontHeight, m.lineHeight, m.lineStep, m.charWidth, m.charsPerLine,
                                    m.linesPerPage, m.pageWidth, m.lineY(1)}),
                  (std::vector<int>{c.fontHeight, c.lineHeight, c.lineStep, c.charWidth, c.charsPerLine,
                                    c.linesPerPage, c.device.horzRes, c.lineY1}));
        // beginPrinting asks for the font before it reads the metrics.
        Computed one(chain({"x"}));
        ResultsPrintout printout(one.p, one.d, one.r, kBitAlternatives);
        RecordingCanvas canvas(c.font);
        printout.beginPrinting(canvas, c.device);
        EXPECT_EQ(canvas.text(), format("font \"Courier New\" %d 400\n", c.asked.pixelSize));
    }
}

// Twelve alternatives on pages of 60 characters and 7 lines of text: five
// columns per tile behind the row label (left-aligned on continuation
// tiles), names cut to 8 in the column header, the header again at the top
// of the second band; every tile of the first band before the second band.
TEST(Printout, WideAndLongMatrixIsTiled) {
    Computed c(chain(kTwelve));
    for (int a = 0; a < 12; ++a)
        for (int b = 0; b < 12; ++b) c.r.concordanceTexts.set(static_cast<size_t>(a * 12 + b), format("r%dc%d", a, b));
    const Job job = printAll(c.p, c.d, c.r, kBitConcordance, kSmall, kSmallFont);
    ASSERT_EQ(job.counted, 6);
    ASSERT_EQ(job.pages.size(), 6u);
    const FontSpec font{"Courier New", 10, 400};
    const std::pair<int, std::string> project{15, "Project: tiles.kvs"}, title{30, "Matrix of Concordance"};
    EXPECT_EQ(job.pages[0], textPage({project, title,
                                      {60, "             alpha_ce     beta    gamma    delta  epsilon "},
                                      {75, "alpha_centau     r0c0     r0c1     r0c2     r0c3     r0c4 "},
                                      {90, "        beta     r1c0     r1c1     r1c2     r1c3     r1c4 "},
                                      {105, "       gamma     r2c0     r2c1     r2c2     r2c3     r2c4 "},
                                      {120, "       delta     r3c0     r3c1     r3c2     r3c3     r3c4 "},
                                      {135, "     epsilon     r4c0     r4c1     r4c2     r4c3     r4c4 "},
                                      {150, "        zeta     r5c0     r5c1     r5c2     r5c3     r5c4 "}},
                                     font));
    EXPECT_EQ(job.pages[1], textPage({project, title,
                                      {60, "                 zeta      eta    theta     iota    kappa "},
                                      {75, "alpha_centau     r0c5     r0c6     r0c7     r0c8     r0c9 "},
                                      {90, "beta             r1c5     r1c6     r1c7     r1c8     r1c9 "},
                                      {105, "gamma            r2c5     r2c6     r2c7     r2c8     r2c9 "},
                                      {120, "delta            r3c5     r3c6     r3c7     r3c8     r3c9 "},
                                      {135, "epsilon          r4c5     r4c6     r4c7     r4c8     r4c9 "},
                                      {150, "zeta             r5c5     r5c6     r5c7     r5c8     r5c9 "}},
                                     font));
    EXPECT_EQ(job.pages[3], textPage({project, title,
                                      {60, "             alpha_ce     beta    gamma    delta  epsilon "},
                                      {75, "         eta     r6c0     r6c1     r6c2     r6c3     r6c4 "},
                                      {90, "       theta     r7c0     r7c1     r7c2     r7c3     r7c4 "},
                                      {105, "        iota     r8c0     r8c1     r8c2     r8c3     r8c4 "},
                                      {120, "       kappa     r9c0     r9c1     r9c2     r9c3     r9c4 "},
                                      {135, "      lambda    r10c0    r10c1    r10c2    r10c3    r10c4 "},
                                      {150, "          mu    r11c0    r11c1    r11c2    r11c3    r11c4 "}},
                                     font));
    EXPECT_EQ(texts(job.pages[5])[2], "text 1 60 \"               lambda       mu \"");  // the last tile
    EXPECT_EQ(texts(job.pages[5])[8], "text 1 150 \"mu             r11c10   r11c11 \"");
}

// The criteria table is wider than the small page: its second tile holds the
// rest of every line, so nothing of it is lost; the matrix of alternatives
// keeps its own columns.
TEST(Printout, InputDataTilesKeepEveryCharacter) {
    Computed c(chain(kTwelve));
    const Job job = printAll(c.p, c.d, c.r, kBitAlternatives, kSmall, kSmallFont);
    ASSERT_EQ(job.counted, static_cast<int>(job.pages.size()));
    ASSERT_EQ(job.counted, 8);  // 4 bands of 7 lines, 2 tiles
    std::string criteria;
    writeCriteriaTable(criteria, c.p);
    std::string parameters;
    writeParameters(parameters, c.p);
    std::vector<std::string> wanted = lines(parameters);
    wanted.insert(wanted.end(), {"", "  Matrix of Criteria"});
    for (const std::string& l : lines(criteria)) wanted.push_back(l);
    wanted.insert(wanted.end(), {"", "  Matrix of Alternatives"});
    // Both tiles of each band side by side give back the whole lines.
    std::vector<std::string> got;
    for (size_t band = 0; band < 2; ++band) {
        std::vector<std::string> left(7), right(7);
        for (size_t tile = 0; tile < 2; ++tile)
            for (const std::string& t : texts(job.pages[band * 2 + tile])) {
                const int y = std::atoi(t.c_str() + 7);
                const size_t quote = t.find('"');
                if (y >= 60) (tile ? right : left)[static_cast<size_t>(y / 15 - 4)] = t.substr(quote + 1, t.size() - quote - 2);
            }
        for (size_t i = 0; i < 7; ++i) got.push_back(left[i] + right[i]);
    }
    got.resize(wanted.size());
    EXPECT_EQ(got, wanted);
    // The third band starts inside the matrix of alternatives: its header again.
    EXPECT_EQ(texts(job.pages[4])[2], "text 1 60 \"                        g            h \"");
    EXPECT_EQ(texts(job.pages[4])[3], "text 1 75 \"        beta          110          110 \"");
}

// With three criteria the header of the matrix of alternatives would end the
// second band: it goes to the third, with the rows under it.
TEST(Printout, HeaderKeptWithItsRows) {
    Computed c(chain({"first", "second"}, 3));
    const Job job = printAll(c.p, c.d, c.r, kBitAlternatives, kSmall, kSmallFont);
    ASSERT_EQ(job.pages.size(), 6u);  // 3 bands, 2 tiles
    std::vector<std::string> t = texts(job.pages[2]);
    EXPECT_EQ(t.back(), "text 1 135 \"  Matrix of Alternatives\"");
    t = texts(job.pages[4]);
    EXPECT_EQ(std::vector<std::string>(t.begin() + 2, t.end()),
              (std::vector<std::string>{"text 1 60 \"                        g            h            i \"",
                                        "text 1 75 \"       first           20           20           20 \"",
                                        "text 1 90 \"      second           10           10           10 \""}));
}

TEST(Printout, PagesCountedArePagesPrinted) {
    Computed twelve(chain(kTwelve));
    Computed two(chain({"first", "second"}));
    for (const Computed* c : {&twelve, &two})
        for (int mask : {1, 2, 4, 8, 16, 32, 64, 128, 255, 0x85}) {
            for (const auto& [device, font] : {std::pair{kSmall, kSmallFont}, {kA4, kA4Font}, {kGraph, kGraphFont}}) {
                SCOPED_TRACE(format("n %d, mask %d, width %d", c->p.n, mask, device.horzRes));
                const Job job = printAll(c->p, c->d, c->r, mask, device, font);
                EXPECT_EQ(job.counted, static_cast<int>(job.pages.size()));
            }
        }
}

// Only bit 4: the graph of outranking alone. Names are cut to 15 characters
// in the legend, which continues on pages of its own when the figure leaves
// no room.
TEST(Printout, OnlyTheGraphOfOutranking) {
    std::vector<std::string> names = kTwelve;
    names[1] = "a_very_long_name_of_a_car";
    Computed c(chain(names));
    Job job = printAll(c.p, c.d, c.r, kBitGraph, kA4, kA4Font);
    ASSERT_EQ(job.pages.size(), 1u);
    EXPECT_EQ(texts(job.pages[0]),
              (std::vector<std::string>{
                  "text 1 280 \"Project: tiles.kvs\"",
                  "text 1 560 \"Graph of Outranking\"",
                  "text 1 6160 \"Alternatives:\"",
                  "text 1 6440 \"     1 -> alpha_centauri      2 -> a_very_long_nam      3 -> gamma      4 -> delta \"",
                  "text 1 6720 \"     5 -> epsilon      6 -> zeta      7 -> eta      8 -> theta      9 -> iota     10 -> kappa \"",
                  "text 1 7000 \"    11 -> lambda     12 -> mu \"",
              }));
    job = printAll(c.p, c.d, c.r, kBitGraph, kSmall, kSmallFont);
    ASSERT_EQ(job.pages.size(), 2u);
    EXPECT_EQ(styled(job.pages[0], "ellipse").size(), 12u);
    EXPECT_EQ(texts(job.pages[0]), (std::vector<std::string>{"text 1 15 \"Project: tiles.kvs\"",
                                                             "text 1 30 \"Graph of Outranking\""}));
    EXPECT_EQ(texts(job.pages[1]),
              (std::vector<std::string>{
                  "text 1 15 \"Project: tiles.kvs\"", "text 1 30 \"Graph of Outranking\"",
                  "text 1 60 \"Alternatives:\"",
                  "text 1 75 \"     1 -> alpha_centauri      2 -> a_very_long_nam \"",
                  "text 1 90 \"     3 -> gamma      4 -> delta      5 -> epsilon \"",
                  "text 1 105 \"     6 -> zeta      7 -> eta      8 -> theta \"",
                  "text 1 120 \"     9 -> iota     10 -> kappa     11 -> lambda \"",
                  "text 1 135 \"    12 -> mu \""}));
}

// Results that are not valid (stale, or sized for another project) are
// never printed: only the input data.
TEST(Printout, InvalidResultsPrintOnlyTheInputData) {
    Computed c(chain({"first", "second"}));
    c.d.resultsValid = 0;
    Job job = printAll(c.p, c.d, c.r, 0x7f, kA4, kA4Font);
    EXPECT_EQ(job.counted, 0);
    EXPECT_TRUE(job.pages.empty());
    job = printAll(c.p, c.d, c.r, 0xff, kA4, kA4Font);
    ASSERT_EQ(job.pages.size(), 1u);
    EXPECT_EQ(texts(job.pages[0])[1], "text 1 560 \"Input Data\"");
}

// Vertex 0 at the bottom of the circle of radius 850 around (3000, 1270);
// the modified graph draws a -> b unchanged (thin, black head), a -> e added
// (three times as wide, head in the circles' white) and d -> b removed (thin,
// white head); then the key with its two samples.
TEST_F(GraphFixture, ModifiedGraph) {
    const Job job = print(kBitModifiedGraph);
    ASSERT_EQ(job.pages.size(), 1u);
    const std::string& page = job.pages[0];
    std::vector<std::pair<int, std::string>> circles, lines, heads;
    for (const Styled& s : styled(page, "ellipse")) circles.push_back({s.pen, s.shape});
    for (const Styled& s : styled(page, "line")) lines.push_back({s.pen, s.shape});
    for (const Styled& s : styled(page, "polygon")) heads.push_back({s.pen, s.brush});
    using Pairs = std::vector<std::pair<int, std::string>>;
    EXPECT_EQ(circles, (Pairs{{12, "ellipse 2900 2020 3100 2220"}, {12, "ellipse 3708 1432 3908 1632"},
                              {12, "ellipse 3399 483 3599 683"}, {12, "ellipse 2401 483 2601 683"},
                              {12, "ellipse 2092 1432 2292 1632"}}));
    EXPECT_EQ(lines, (Pairs{{4, "line 3080 2061 3727 1590"}, {12, "line 2919 2061 2272 1590"},
                            {4, "line 2581 641 3727 1473"},
                            {12, "line 61 1080 721 1080"}, {4, "line 61 1620 721 1620"}}));
    EXPECT_EQ(heads, (Pairs{{4, "0,0,0"}, {12, "255,255,255"}, {4, "255,255,255"},
                            {12, "255,255,255"}, {4, "255,255,255"}}));
    EXPECT_EQ(texts(page), (std::vector<std::string>{
                               "text 1 180 \"Project: five.kvs\"",
                               "text 1 360 \"Modified Graph of Outranking\"",
                               "text 1 540 \"Arc:\"",
                               "text 1 720 \"A - Added\"",
                               "text 1 1260 \"R - Removed\"",
                               "text 1 1800 \"ro - Robustness\"",
                               "text 1 1980 \"    coefficient\"",
                               "text 1 2520 \"Alternatives:\"",
                               "text 1 2700 \"     1 -> a      2 -> b      3 -> c      4 -> d      5 -> e \"",
                               "text 1 3060 \"Arcs added or removed:\"",
                               "text 181 3240 \"  A: 1->5 ro=0.450   R: 4->2 ro=0.300 \"",
                           }));
}

// The kernel vertex with the wide pen, the artificial vertex with its inner
// square and the number n + 1; the key; the lists.
TEST_F(GraphFixture, FinalGraph) {
    const Job job = print(kBitFinalGraph);
    ASSERT_EQ(job.pages.size(), 1u);
    const std::string& page = job.pages[0];
    std::vector<std::pair<int, std::string>> circles, squares, labels;
    for (const Styled& s : styled(page, "ellipse")) circles.push_back({s.pen, s.shape});
    for (const Styled& s : styled(page, "rectangle")) squares.push_back({s.pen, s.shape + " " + s.brush});
    using Pairs = std::vector<std::pair<int, std::string>>;
    EXPECT_EQ(circles, (Pairs{{24, "ellipse 2900 2020 3100 2220"}, {12, "ellipse 3636 746 3836 946"},
                              {12, "ellipse 2164 745 2364 945"},
                              {24, "ellipse 441 800 641 1000"}, {12, "ellipse 441 1520 641 1720"}}));
    EXPECT_EQ(squares, (Pairs{{12, "rectangle 3665 775 3807 917 hollow"},
                              {4, "rectangle -30 510 1141 1980 hollow"},
                              {12, "rectangle 470 1549 612 1691 hollow"}}));
    std::vector<std::string> centred;
    for (const std::string& l : lines(page))
        if (l.rfind("centred ", 0) == 0) centred.push_back(l);
    EXPECT_EQ(centred, (std::vector<std::string>{"centred 2900 2020 3100 2220 \"1\"", "centred 3636 746 3836 946 \"6\"",
                                                 "centred 2164 745 2364 945 \"5\""}));
    EXPECT_EQ(styled(page, "polygon").size(), 2u);
    EXPECT_EQ(texts(page), (std::vector<std::string>{
                               "text 1 180 \"Project: five.kvs\"",
                               "text 1 360 \"Final Graph\"",
                               "text 1 540 \"Kernel vertex:\"",
                               "text 1 1260 \"Artificial vertex:\"",
                               "text 1 2520 \"Kernel vertices:      1\"",
                               "text 1 2880 \"Artificial vertices: \"",
                               "text 1 3060 \"    6 -> b  d  c  \"",
                               "text 1 3420 \"Natural vertices: \"",
                               "text 1 3600 \"    1 -> a\"",
                               "text 1 3780 \"    5 -> e\"",
                           }));
}

// On a page of 30 characters: one legend entry per line, the arcs' list
// indented by three characters, members continued 20 spaces in.
TEST_F(GraphFixture, ListLinesWrap) {
    p.alternatives = {{"anchor"}, {"bravo"}, {"charlie"}, {"delta"}, {"echo"}};
    const PrintDevice narrow{1800, 9000, false, false};
    Job job = print(kBitModifiedGraph, narrow);
    ASSERT_EQ(job.pages.size(), 1u);
    std::vector<std::string> t = texts(job.pages[0]);
    EXPECT_EQ(std::vector<std::string>(t.begin() + 7, t.end()),
              (std::vector<std::string>{
                  "text 1 900 \"Alternatives:\"", "text 1 1080 \"     1 -> anchor \"",
                  "text 1 1260 \"     2 -> bravo \"", "text 1 1440 \"     3 -> charlie \"",
                  "text 1 1620 \"     4 -> delta \"", "text 1 1800 \"     5 -> echo \"",
                  "text 1 2160 \"Arcs added or removed:\"", "text 181 2340 \"  A: 1->5 ro=0.450 \"",
                  "text 181 2520 \"  R: 4->2 ro=0.300 \""}));
    job = print(kBitFinalGraph, narrow);
    t = texts(job.pages[0]);
    EXPECT_EQ(std::vector<std::string>(t.begin() + 4, t.end()),
              (std::vector<std::string>{"text 1 900 \"Kernel vertices:      1\"",
                                        "text 1 1260 \"Artificial vertices: \"",
                                        "text 1 1440 \"    6 -> bravo  delta  \"",
                                        "text 1 1620 \"                    charlie  \"",
                                        "text 1 1980 \"Natural vertices: \"", "text 1 2160 \"    1 -> anchor\"",
                                        "text 1 2340 \"    5 -> echo\""}));
}

// Many vertices on a small page share centres: no arc between those, and
// no division by zero; every other arc is drawn.
TEST(Printout, CoincidingVerticesDrawNoArc) {
    std::vector<std::string> names;
    for (int i = 0; i < 200; ++i) names.push_back(format("v%d", i));
    Computed c(chain(names));
    const PrintDevice tiny{60, 9000, false, false};
    const Job job = printAll(c.p, c.d, c.r, kBitGraph, tiny, kGraphFont);
    ASSERT_EQ(job.pages.size(), static_cast<size_t>(job.counted));
    // H = 1: circle of radius 18 around (30, 123).
    std::vector<Point> at;
    for (int i = 0; i < 200; ++i) at.push_back(circlePosition({30, 123}, 18, i, 200, CirclePlacement::FractionTruncatedOffset));
    size_t apart = 0, together = 0;
    for (int a = 0; a < 200; ++a)
        for (int b = a + 1; b < 200; ++b) ++(at[static_cast<size_t>(a)] == at[static_cast<size_t>(b)] ? together : apart);
    EXPECT_GT(together, 0u);
    EXPECT_EQ(styled(job.pages[0], "polygon").size(), apart);
}

// Whole printouts, call by call, as readable files. KVIS_UPDATE_PRINTOUTS=1
// writes them anew.
TEST(Printout, GoldenRecordings) {
    struct Case {
        const char* file;
        const char* project;
        int mask;
        PrintDevice device;
        FontMetrics font;
    };
    const Case cases[] = {
        {"car_a4_portrait.txt", "examples/car.kvs", 0xff, kA4, kA4Font},
        {"artificial_pair_a4_landscape.txt", "tests/golden/artificial_pair/project.kvs", 0xff,
         {13612, 9917, true, false}, kA4Font},
    };
    const fs::path folder = fs::path(KVIS_SOURCE_DIR) / "tests" / "output" / "printouts";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Project p;
        ASSERT_TRUE(loadProject((fs::path(KVIS_SOURCE_DIR) / c.project).string(), p).ok);
        Computed computed(p, fs::path(c.project).filename().string());
        const Job job = printAll(computed.p, computed.d, computed.r, c.mask, c.device, c.font);
        std::string text = job.begin;
        for (size_t i = 0; i < job.pages.size(); ++i) text += format("--- page %zu\n", i + 1) + job.pages[i];
        const fs::path file = folder / c.file;
        if (std::getenv("KVIS_UPDATE_PRINTOUTS")) std::ofstream(file, std::ios::binary) << text;
        std::ifstream in(file, std::ios::binary);
        std::stringstream want;
        want << in.rdbuf();
        EXPECT_EQ(text, want.str());
    }
}
