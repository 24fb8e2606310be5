#include "engine/results.h"

namespace kvis {

void ResultsSet::release() {
    // swap with empty vectors so the memory really goes back
    std::vector<std::string>().swap(concordanceTexts);
    std::vector<std::string>().swap(discordanceTexts);
    std::vector<std::string>().swap(outrankingTexts);
    std::vector<std::string>().swap(robustnessTexts);
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
    concordanceTexts.assign(cells, std::string());
    discordanceTexts.assign(cells, std::string());
    outrankingTexts.assign(cells, std::string());
    robustnessTexts.assign(cells, std::string());
    outrankingMatrix.assign(cells, 0);
    robustnessMatrix.assign(cells, 0.0);
    modifiedOutranking.assign(cells, 0);
    vertexGraph.assign(cells, 0);
    vertexLists.assign(cells, 0);
    vertexMembers.assign(cells, -1);
    listCounts.assign(rows, 0);
    extraMembers.assign(rows, 0);
    resultColumnFormats.assign(rows, TSheetColumn{});
}

}  // namespace kvis
