#include "engine/results.h"

#include "engine/large_arrays.h"

namespace kvis {

void ResultsSet::release() {
    // swap with empty vectors so the memory really goes back
    concordanceTexts.release();
    discordanceTexts.release();
    outrankingTexts.release();
    robustnessTexts.release();
    std::vector<int>().swap(outrankingMatrix);
    std::vector<double>().swap(robustnessMatrix);
    std::vector<int>().swap(modifiedOutranking);
    std::vector<int>().swap(vertexGraph);
    std::vector<int>().swap(vertexLists);
    std::vector<int>().swap(vertexMembers);
    std::vector<int>().swap(listCounts);
    std::vector<int>().swap(extraMembers);
    std::vector<TSheetColumn>().swap(resultColumnFormats);
    n = 0;
    workingVertexCount = 0;
    vertexCount = 0;
}

void ResultsSet::allocate(int alternatives) {
    release();
    if (alternatives <= 0) return;
    n = alternatives;
    const size_t cells = static_cast<size_t>(n) * static_cast<size_t>(n);
    const size_t rows = static_cast<size_t>(n);
    concordanceTexts.assign(cells);
    discordanceTexts.assign(cells);
    outrankingTexts.assign(cells);
    robustnessTexts.assign(cells);
    assignLarge(outrankingMatrix, cells, 0);
    assignLarge(robustnessMatrix, cells, 0.0);
    assignLarge(modifiedOutranking, cells, 0);
    assignLarge(vertexGraph, cells, 0);
    assignLarge(vertexLists, cells, 0);
    assignLarge(vertexMembers, cells, -1);
    listCounts.assign(rows, 0);
    extraMembers.assign(rows, 0);
    resultColumnFormats.assign(rows, TSheetColumn{});
}

}  // namespace kvis
