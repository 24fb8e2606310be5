#pragma once
// Everything one computation produces. Every n x n array is stored row by row,
// index a*n + b: the row is the alternative (or vertex) an arc leaves.
#include <cstddef>
#include <vector>
#include "engine/text_matrix.h"
#include "model/project.h"

namespace kvis {

struct ResultsSet {
    int n = 0;                    // alternatives at allocation; 0 = nothing allocated
    TextMatrix concordanceTexts;  // "%5.2f" of rounded C
    TextMatrix discordanceTexts;  // "*", "1" or "0"
    TextMatrix outrankingTexts;   // "1" or "0"
    TextMatrix robustnessTexts;   // "%5.2f" of rounded R
    std::vector<int> outrankingMatrix;          // S
    std::vector<double> robustnessMatrix;       // R rounded to 0.01
    std::vector<int> modifiedOutranking;
    std::vector<int> vertexGraph;
    std::vector<int> vertexLists;
    std::vector<int> vertexMembers;
    std::vector<int> listCounts;     // n
    std::vector<int> extraMembers;   // n
    std::vector<TSheetColumn> resultColumnFormats;  // n
    int workingVertexCount = 0;
    int vertexCount = 0;

    // Releases every array (n = 0).
    void release();
    // Allocates every array for n alternatives, graph arrays initialised empty.
    void allocate(int alternatives);
    bool allocated() const { return n > 0; }
    // The one cell index of the n x n arrays; in size_t, as n * n overflows int.
    size_t at(int row, int col) const {
        return static_cast<size_t>(row) * static_cast<size_t>(n) + static_cast<size_t>(col);
    }
};

}  // namespace kvis
