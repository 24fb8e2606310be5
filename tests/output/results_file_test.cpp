#include "output/results_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/atomic_file.h"
#include "output/exchange_file.h"

namespace fs = std::filesystem;
using namespace kvis;

namespace {

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

fs::path freshDir(const std::string& name) {
    auto dir = fs::temp_directory_path() / ("kvis_output_" + std::to_string(::getpid()) + "_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

TEST(ResultsFile, TrimZeros) {
    const std::pair<const char*, const char*> cases[] = {
        {"0.50", "0.5"}, {"2.00", "2"}, {"0.00", "0"}, {"100.00", "100"}, {"-0.00", "-0"},
        {"12.30", "12.3"}, {"0", "0"}, {"3,50", "3,5"}, {"1.25", "1.25"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(trimZeros(in), out) << in;
}

TEST(ResultsFile, SideFileNames) {
    const std::tuple<const char*, char, const char*> cases[] = {
        {"res.kvr", 'c', "res.cvr"}, {"/home/u/res.kvr", 'd', "/home/u/res.dvr"},
        {"/home/u.v/res.kvr", 'c', "/home/u.v/res.cvr"},  // a dot in a folder name is not the file's
        {"/home/u.v/res", 'c', "/home/u.v/res.c"}, {"res", 'd', "res.d"}, {"res.", 'c', "res.c"},
        {"a.b.kvr", 'c', "a.c.kvr"}, {".hidden", 'c', ".cidden"},  // the first dot of the file name
    };
    for (const auto& [path, letter, side] : cases) EXPECT_EQ(sideFilePath(path, letter), side) << path;
}

TEST(ResultsFile, MatrixSectionPadsAndKeepsLongNames) {
    std::string out;
    writeMatrixSection(out, "[T]", {"a", "a_long_name"}, {"x", "y"}, {"1", "2", "3", "4"});
    EXPECT_EQ(out, "[T]\n        \tx       \ty       \t\na       \t1       \t2       \t\n"
                   "a_long_name\t3       \t4       \t\n\n");
}

// Numbers of the criteria table have two decimals at most (0.125 rounds to
// even), lose their trailing zeros and are cut to their fields.
TEST(ResultsFile, InputDataWithThreeDecimalWeightsAndThresholds) {
    Project p;
    p.m = 2;
    p.criteria = {Criterion{"price", 0, 1, 0, 0.333, {0.1, 2.5}, {0.05, 1.234}, {0, 10.004}},
                  Criterion{"quality", 1, 0, 1, 1.996, {0.375, 3}, {0, 0.125}, {}}};
    p.levelOfConcordance = 0.6;
    p.maxArcsToCut = 3;
    p.acceptableLoss = 0.05;
    std::string out;
    writeInputData(out, p);
    EXPECT_EQ(out,
              "[Input Data]\n"
              "Level of concordance = 0.60\n"
              "Max. number of arcs checked for cutting a cycle =  3\n"
              "Acceptable loss for cutting a smaller number of arcs = 0.05\n\n"
              "[Criteria]\n"
              "                                                  T h r e s h o l d s\n"
              "                    Pref.       Indiference           Preference               Veto         Comp.\n"
              "   Criterion Weight  dir.   alfa           beta   alfa           beta   alfa           beta  mode\n"
              "       price   0.33 desc.   0.05           1.23    0.1            2.5      0             10  dir.\n"
              "     quality      2  asc.      0           0.12   0.38              3    N/A            N/A  inv.\n"
              "\n"
              "[Alternatives]\n        \tprice   \tquality \t\n\n");
}

// Five alternatives: vertex 0 = a, vertex 1 = the artificial group b, d, c,
// vertex 2 = e; a outranks both others; one arc added, one removed.
struct FinalGraphFixture : ::testing::Test {
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
        r.outrankingMatrix[r.at(3, 1)] = 1;
        r.modifiedOutranking[r.at(0, 4)] = 1;
        r.robustnessMatrix[r.at(3, 1)] = 0.3;
        r.robustnessMatrix[r.at(0, 4)] = 0.45;
        for (int i = 0; i < 25; ++i) {
            r.robustnessTexts.set(i, i % 2 ? " 0.50" : " 1.00");
            r.outrankingTexts.set(i, i % 3 ? "0" : "1");
        }
        d.resultsValid = 1;
    }
};

TEST_F(FinalGraphFixture, GraphSections) {
    std::string out;
    writeModifiedGraphSection(out, p, r);
    writeKernelLines(out, p, r);
    writeFinalGraphSection(out, p, r);
    EXPECT_EQ(out,
              "[Modified graph]\n"
              "\tAdded   a -> e (Coef. of rob. = 0.450)\n"
              "\tRemoved d -> b (Coef. of rob. = 0.300)\n"
              "\n"
              "[Kernel]\n"
              "\tNatural   : a - Initial\n"
              "[Final graph]\n"
              "0 - Natural   : a\n\tOutranks: b, d, c ,e\n\tIs outranked by: \n"
              "5 - Artificial: b, d, c\n\tOutranks: \n\tIs outranked by: a\n"
              "4 - Natural   : e\n\tOutranks: \n\tIs outranked by: a\n"
              "\n");
}

// The matrices of the exchange file are checked byte for byte by a batch scenario;
// here its graph part, which no scenario reaches with modified arcs.
TEST_F(FinalGraphFixture, ExchangeFileAndReportValidity) {
    const fs::path dir = freshDir("exchange");
    ASSERT_TRUE(writeExchangeFile((dir / kExchangeFileName).string(), p, r));
    const std::string text = readFile(dir / "qolv.kvr");
    const std::string tail = "\r\n\r\n[Modified graph]\r\n\tAdded   a -> e (Coef. of rob. = 0.450)\r\n"
                             "\tRemoved d -> b (Coef. of rob. = 0.300)\r\n\r\n"
                             "[Kernel]\r\n\tNatural   : a - Initial\r\n\r\n\r\n";
    EXPECT_EQ(text.rfind("[Matrix of robustness]\r\n", 0), 0u);
    ASSERT_GT(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    std::string error;
    EXPECT_FALSE(writeExchangeFile((dir / "none" / "q.kvr").string(), p, r, &error));
    EXPECT_EQ(error, "Cannot create file '" + (dir / "none" / "q.kvr").string() + "'");
    fs::remove_all(dir);

    d.resultsValid = 0;  // results not valid: only the input data, whatever the mask
    std::string input;
    writeInputData(input, p);
    EXPECT_EQ(resultsReport(p, d, r, 0xFF), input);
    EXPECT_EQ(resultsReport(p, d, r, 0x7F), "");
}

// One criterion, so that the side files hold more than the main file's sections.
// The exchange file is streamed a chunk at a time: over several chunks it is
// still exactly its text with CR LF.
TEST(ExchangeFile, StreamedOverSeveralChunksIsItsTextWithCrLf) {
    Project p;
    p.n = 400;
    for (int a = 0; a < p.n; ++a) p.alternatives.push_back({"alternative" + std::to_string(a)});
    ResultsSet r;
    r.allocate(p.n);
    for (size_t k = 0; k < r.robustnessTexts.size(); ++k) {
        r.robustnessTexts.setCode(k, TextMatrix::roundedIndexCode(static_cast<int>(k % 101)));
        r.outrankingTexts.setCode(k, k % 7 ? TextMatrix::kZero : TextMatrix::kOne);
    }
    const fs::path dir = freshDir("exchange_chunks");
    ASSERT_TRUE(writeExchangeFile((dir / kExchangeFileName).string(), p, r));
    const std::string text = exchangeText(p, r);
    ASSERT_GT(text.size(), 2u << 20);
    EXPECT_EQ(readFile(dir / kExchangeFileName), withCrLf(text));
    fs::remove_all(dir);
}

TEST(ResultsFileSave, SideFilesGoBesideTheMainFileWhichWinsANameClash) {
    Project p;
    p.m = 1;
    p.n = 2;
    p.criteria = {Criterion{"g", 1, 0, 0, 1, {0, 3}, {0, 1}, {}}};
    p.alternatives = {{"x"}, {"y"}};
    p.evaluations = {0, 2};
    p.evaluationTexts = {"0", "2"};
    ResultsSet r;
    r.allocate(2);
    r.concordanceTexts.set(1, " 0.50");
    r.discordanceTexts.set(1, "*");
    for (size_t k : {0, 2, 3}) {
        r.concordanceTexts.set(k, " 1.00");
        r.discordanceTexts.set(k, "0");
    }
    DocumentState d;
    d.resultsValid = 1;
    const fs::path dir = freshDir("save");
    fs::create_directories(dir / "with.dot");
    const fs::path main = dir / "with.dot" / "res.kvr";
    const int mask = kBitConcordance | kBitDiscordance;
    ASSERT_TRUE(saveResultsFile(main.string(), p, d, r, mask));
    const std::string cside = withCrLf(concordanceSideFile(p, r));
    EXPECT_NE(cside.find("\r\n[g]\r\n"), std::string::npos);
    EXPECT_EQ(readFile(dir / "with.dot" / "res.cvr"), cside);
    EXPECT_EQ(readFile(dir / "with.dot" / "res.dvr"), withCrLf(discordanceSideFile(p, r)));
    EXPECT_EQ(readFile(main), withCrLf(resultsReport(p, d, r, mask)));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "with.dot"), fs::directory_iterator()), 3);

    // "res.cvr" with the letter c names itself: the report must survive whole.
    const fs::path clash = dir / "res.cvr";
    ASSERT_TRUE(saveResultsFile(clash.string(), p, d, r, kBitConcordance));
    EXPECT_EQ(readFile(clash), withCrLf(resultsReport(p, d, r, kBitConcordance)));
    EXPECT_NE(readFile(clash), cside);

    // One unit: a disk that fills once the side files are written leaves all
    // three old files; the project's own file is never one of them.
    const std::string before = readFile(dir / "with.dot" / "res.cvr") + readFile(dir / "with.dot" / "res.dvr") +
                               readFile(main);
    setWriteFailureForTesting(static_cast<long long>(cside.size() + withCrLf(discordanceSideFile(p, r)).size()));
    std::string error;
    EXPECT_FALSE(saveResultsFile(main.string(), p, d, r, mask, &error));
    setWriteFailureForTesting(-1);
    EXPECT_EQ(error, "Cannot create file '" + main.string() + "'");
    const fs::path project = dir / "with.dot" / "res.dvr";  // a project named so
    EXPECT_FALSE(saveResultsFile(main.string(), p, d, r, mask, &error, project.string()));
    EXPECT_EQ(error, "Cannot create file '" + project.string() + "'");
    EXPECT_EQ(readFile(dir / "with.dot" / "res.cvr") + readFile(dir / "with.dot" / "res.dvr") + readFile(main), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "with.dot"), fs::directory_iterator()), 3);
    fs::remove_all(dir);
}

}  // namespace
