#pragma once
// The one decision project held by the program, and its document state.
#include <array>
#include <string>
#include <vector>

namespace kvis {

struct ThresholdLine {
    double alpha = 0.0;  // coefficient of growth
    double beta = 0.0;   // constant
};

struct Criterion {
    std::string name;
    int direction = 0;    // 0 = Minimize, 1 = Maximize
    int useVeto = 0;      // 0 or 1
    int inverseMode = 0;  // 0 or 1
    double weight = 0.0;
    ThresholdLine preference;    // p
    ThresholdLine indifference;  // q
    ThresholdLine veto;          // v
};

struct Alternative {
    std::string name;
};

// Column descriptor of a grid: width in pixels, alignment (0 left, 1 centred,
// 2 right), read-only flag.
struct TSheetColumn {
    int Width = 100;
    int Align = 2;
    int ReadOnly = 0;
    bool operator==(const TSheetColumn&) const = default;
};

// The three parameters that come from the settings file.
struct Parameters {
    double levelOfConcordance = 0.66;
    int maxArcsToCut = 2;
    double acceptableLoss = 0.1;
};

struct Project {
    int m = 0;  // criteria
    int n = 0;  // alternatives
    std::vector<Criterion> criteria;          // m
    std::vector<Alternative> alternatives;    // n
    std::vector<double> evaluations;          // n*m, index a*m + c
    std::vector<std::string> evaluationTexts; // n*m, index a*m + c
    double levelOfConcordance = 0.66;
    int maxArcsToCut = 2;
    double acceptableLoss = 0.1;
    int alternativeNameWidth = 64;
    std::vector<TSheetColumn> columnFormats;  // m, always {100, 2, 0}

    double eval(int a, int c) const { return evaluations[static_cast<size_t>(a) * m + c]; }
};

// Bits of selectionMask and openViewsMask.
enum ResultBits : int {
    kBitAlternatives = 0x80,  // input data / matrix of alternatives
    kBitConcordance = 0x40,
    kBitDiscordance = 0x20,
    kBitRobustness = 0x10,
    kBitOutranking = 0x08,
    kBitGraph = 0x04,
    kBitModifiedGraph = 0x02,
    kBitFinalGraph = 0x01,  // kernel and final graph
};

struct DocumentState {
    int modified = 0;
    int untitled = 0;
    int resultsValid = 0;
    int testMode = 0;
    std::string projectPath;
    std::string projectTitle;
    std::array<int, 2> comparePair{0, 1};
    int selectionMask = 0;
    int openViewsMask = 0;
    std::array<std::string, 4> recentProjects;
};

}  // namespace kvis
