#include "output/results_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

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
        {"res.kvr", 'c', "res.cvr"},
        {"/home/u/res.kvr", 'd', "/home/u/res.dvr"},
        {"/home/u.v/res.kvr", 'c', "/home/u.v/res.cvr"},  // a dot in a folder name is not the file's
        {"/home/u.v/res", 'c', "/home/u.v/res.c"},
        {"res", 'd', "res.d"},
        {"res.", 'c', "res.c"},
        {"a.b.kvr", 'c', "a.c.kvr"},  // the first dot of the file name
        {".hidden", 'c', ".cidden"},
    };
    for (const auto& [path, letter, side] : cases) EXPECT_EQ(sideFilePath(path, letter), side) << path;
}

TEST(ResultsFile, MatrixSectionPadsAndKeepsLongNames) {
    std::string out;
    writeMatrixSection(out, "[T]", {"a", "a_long_name"}, {"x", "y"}, {"1", "2", "3", "4"});
    EXPECT_EQ(out, "[T]\n        \tx       \ty       \t\na       \t1       \t2       \t\n"
                   "a_long_name\t3       \t4       \t\n\n");
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
        std::fill(r.vertexMembers.begin(), r.vertexMembers.end(), -1);
        std::fill(r.vertexGraph.begin(), r.vertexGraph.end(), 0);
        std::fill(r.listCounts.begin(), r.listCounts.end(), -1);
        r.vertexMembers[r.at(0, 0)] = 0;
        r.vertexMembers[r.at(1, 0)] = 1;
        r.vertexMembers[r.at(1, 1)] = 3;
        r.vertexMembers[r.at(1, 2)] = 2;
        r.vertexMembers[r.at(2, 0)] = 4;
        r.extraMembers = {0, 2, 0, 0, 0};
        r.vertexGraph[r.at(0, 1)] = 1;
        r.vertexGraph[r.at(0, 2)] = 1;
        r.listCounts[0] = 0;
        r.vertexCount = 3;
        r.workingVertexCount = 3;
        std::fill(r.outrankingMatrix.begin(), r.outrankingMatrix.end(), 0);
        std::fill(r.robustnessMatrix.begin(), r.robustnessMatrix.end(), 0.0);
        r.outrankingMatrix[r.at(3, 1)] = 1;
        r.modifiedOutranking = r.outrankingMatrix;
        r.modifiedOutranking[r.at(3, 1)] = 0;
        r.modifiedOutranking[r.at(0, 4)] = 1;
        r.robustnessMatrix[r.at(3, 1)] = 0.3;
        r.robustnessMatrix[r.at(0, 4)] = 0.45;
        for (int i = 0; i < 25; ++i) {
            r.robustnessTexts[i] = i % 2 ? " 0.50" : " 1.00";
            r.outrankingTexts[i] = i % 3 ? "0" : "1";
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

TEST_F(FinalGraphFixture, ExchangeFileBytes) {
    const fs::path dir = freshDir("exchange");
    ASSERT_TRUE(writeExchangeFile((dir / kExchangeFileName).string(), p, r));
    std::string rows;
    const char* names[] = {"a", "b", "c", "d", "e"};
    auto matrix = [&](const char* title, const std::vector<std::string>& cells) {
        std::string s = std::string(title) + "\r\n        \ta       \tb       \tc       \td       \te       \t\r\n";
        for (int row = 0; row < 5; ++row) {
            s += std::string(names[row]) + "       \t";
            for (int col = 0; col < 5; ++col) s += cells[row * 5 + col] + (cells[row * 5 + col].size() == 1 ? "       \t" : "   \t");
            s += "\r\n";
        }
        return s + "\r\n";
    };
    EXPECT_EQ(readFile(dir / "qolv.kvr"),
              matrix("[Matrix of robustness]", r.robustnessTexts) + matrix("[Matrix of outranking]", r.outrankingTexts) +
                  "[Modified graph]\r\n"
                  "\tAdded   a -> e (Coef. of rob. = 0.450)\r\n"
                  "\tRemoved d -> b (Coef. of rob. = 0.300)\r\n"
                  "\r\n"
                  "[Kernel]\r\n"
                  "\tNatural   : a - Initial\r\n"
                  "\r\n\r\n");
    std::string error;
    EXPECT_FALSE(writeExchangeFile((dir / "none" / "q.kvr").string(), p, r, &error));
    EXPECT_EQ(error, "Cannot create file '" + (dir / "none" / "q.kvr").string() + "'");
    fs::remove_all(dir);
}

TEST_F(FinalGraphFixture, ReportSelectionAndValidity) {
    // Only the graph bit: an empty file. Invalid results: only the input data.
    EXPECT_EQ(resultsReport(p, d, r, kBitGraph), "");
    d.resultsValid = 0;
    std::string input;
    writeInputData(input, p);
    EXPECT_EQ(resultsReport(p, d, r, 0xFF), input);
    EXPECT_EQ(resultsReport(p, d, r, 0x7F), "");
    d.resultsValid = 1;
    std::string graph;
    writeKernelLines(graph, p, r);
    graph += "\n";
    writeFinalGraphSection(graph, p, r);
    EXPECT_EQ(resultsReport(p, d, r, kBitFinalGraph), graph);
}

// Side files need the criteria: one criterion, two alternatives.
Project twoAlternatives() {
    Project p;
    p.m = 1;
    p.n = 2;
    Criterion c;
    c.name = "g";
    c.direction = 1;
    c.weight = 1;
    c.indifference = {0, 1};
    c.preference = {0, 3};
    p.criteria = {c};
    p.alternatives = {{"x"}, {"y"}};
    p.evaluations = {0, 2};
    p.evaluationTexts = {"0", "2"};
    p.levelOfConcordance = 0.6;
    return p;
}

ResultsSet twoAlternativeTexts() {
    ResultsSet r;
    r.allocate(2);
    r.concordanceTexts = {" 1.00", " 0.50", " 1.00", " 1.00"};
    r.discordanceTexts = {"0", "*", "0", "0"};
    return r;
}

TEST(ResultsFileSave, SideFilesGoBesideTheMainFileWhichWinsANameClash) {
    const Project p = twoAlternatives();
    const ResultsSet r = twoAlternativeTexts();
    DocumentState d;
    d.resultsValid = 1;
    const fs::path dir = freshDir("save");
    fs::create_directories(dir / "with.dot");
    // y beats x by 2: partial concordance (3 - 2) / (3 - 1) = 0.5 for x over y.
    const std::string cside =
        "[Matrix of concordance]\r\n        \tx       \ty       \t\r\nx       \t 1.00   \t 0.50   \t\r\n"
        "y       \t 1.00   \t 1.00   \t\r\n\r\n"
        "[g]\r\n        \tx       \ty       \t\r\nx       \t 1.000  \t 0.500  \t\r\ny       \t 1.000  \t 1.000  \t\r\n\r\n";
    const std::string dside =
        "[Matrix of discordance]\r\n        \tx       \ty       \t\r\nx       \t0       \t*       \t\r\n"
        "y       \t0       \t0       \t\r\n\r\n"
        "[g]\r\n        \tx       \ty       \t\r\nx       \t0       \t0       \t\r\ny       \t0       \t0       \t\r\n\r\n";
    const fs::path main = dir / "with.dot" / "res.kvr";
    ASSERT_TRUE(saveResultsFile(main.string(), p, d, r, kBitConcordance | kBitDiscordance));
    EXPECT_EQ(readFile(dir / "with.dot" / "res.cvr"), cside);
    EXPECT_EQ(readFile(dir / "with.dot" / "res.dvr"), dside);
    EXPECT_EQ(readFile(main), "[Matrix of concordance]\r\n        \tx       \ty       \t\r\nx       \t 1.00   \t 0.50   \t\r\n"
                              "y       \t 1.00   \t 1.00   \t\r\n\r\n" + dside.substr(0, dside.find("[g]")));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "with.dot"), fs::directory_iterator()), 3);

    // "res.cvr" with the letter c names itself: the report must survive whole.
    const fs::path clash = dir / "res.cvr";
    ASSERT_TRUE(saveResultsFile(clash.string(), p, d, r, kBitConcordance));
    EXPECT_EQ(readFile(clash), cside.substr(0, cside.find("[g]")));
    fs::remove_all(dir);
}

TEST(ResultsFileSave, FilesThatCannotBeCreatedAreNamed) {
    const Project p = twoAlternatives();
    const ResultsSet r = twoAlternativeTexts();
    DocumentState d;
    d.resultsValid = 1;
    const fs::path dir = freshDir("fail");
    const std::string main = (dir / "missing" / "r.kvr").string();
    std::string error;
    EXPECT_FALSE(saveResultsFile(main, p, d, r, 0xFF, &error));
    const std::string base = (dir / "missing" / "r.").string();
    EXPECT_EQ(error, "Cannot create file '" + base + "cvr'\nCannot create file '" + base + "dvr'\nCannot create file '" +
                         main + "'");
    fs::remove_all(dir);
}

}  // namespace
