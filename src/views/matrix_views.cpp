#include "views/matrix_views.h"

#include "document/document.h"
#include "views/view_child.h"

namespace kvis {

TMatrixWindow::TMatrixWindow(const Document& doc, int showInfo)
    : TSheetWindow(doc.project().alternativeNameWidth, showInfo), doc_(doc) {}

void TMatrixWindow::showArrays(const std::vector<std::string>& texts, const std::vector<TSheetColumn>& columns,
                               int rows, int cols, bool criteriaAsColumns) {
    plainTexts_ = &texts;
    textsData_ = texts.data();
    showCells(texts.data(), texts.size(), columns, rows, cols, criteriaAsColumns);
}

void TMatrixWindow::showArrays(const TextMatrix& texts, const std::vector<TSheetColumn>& columns, int rows,
                               int cols, bool criteriaAsColumns) {
    codedTexts_ = &texts;
    textsData_ = texts.data();
    showCells(texts, texts.size(), columns, rows, cols, criteriaAsColumns);
}

void TMatrixWindow::showCells(TextCells cells, std::size_t size, const std::vector<TSheetColumn>& columns, int rows,
                              int cols, bool criteriaAsColumns) {
    columns_ = &columns;
    columnsData_ = columns.data();
    rows_ = rows;
    cols_ = cols;
    criteriaAsColumns_ = criteriaAsColumns;
    const Document& doc = doc_;
    auto alternative = [&doc](std::uint32_t i) -> const std::string& { return doc.project().alternatives[i].name; };
    auto criterion = [&doc](std::uint32_t j) -> const std::string& { return doc.project().criteria[j].name; };
    const bool whole = size == std::size_t(rows) * std::size_t(cols) && int(columns.size()) == cols;
    createChildren(cells, columns.data(), whole ? std::uint32_t(cols) : 0, whole ? std::uint32_t(rows) : 0,
                   criteriaAsColumns ? TTitles(criterion) : TTitles(alternative), alternative);
}

std::size_t TMatrixWindow::textsSize() const {
    return plainTexts_ ? plainTexts_->size() : codedTexts_->size();
}

bool TMatrixWindow::arraysIntact() const {
    const Project& p = doc_.project();
    if (!plainTexts_ && !codedTexts_) return false;
    const void* data = plainTexts_ ? static_cast<const void*>(plainTexts_->data()) : codedTexts_->data();
    return data == textsData_ && textsSize() == std::size_t(rows_) * std::size_t(cols_) &&
           columns_->data() == columnsData_ && int(columns_->size()) == cols_ && p.n == rows_ &&
           (criteriaAsColumns_ ? p.m : p.n) == cols_;
}

TOknoWarianty::TOknoWarianty(Document& doc) : TMatrixWindow(doc, 0), edit_(doc) {
    const Project& p = doc.project();
    showArrays(p.evaluationTexts, p.columnFormats, p.n, p.m, true);
    LayoutEditOnTop();
}

void TOknoWarianty::SetEntryText(const std::string& text) {
    if (!ArrayWindow->hasCells()) return;
    const std::string shown = edit_.typeEvaluation(int(ArrayWindow->CurRow), int(ArrayWindow->CurCol), text);
    TSheetWindow::SetEntryText(shown);
    ArrayWindow->SetCellText(shown);
}

void TOknoWarianty::storeCellText(std::uint32_t row, std::uint32_t col, const std::string& text) {
    edit_.setEvaluationText(int(row), int(col), text);
}

void TMatrixWindow::showResults(const TextMatrix& texts) {
    const ResultsSet& r = doc_.results();
    showArrays(texts, r.resultColumnFormats, r.n, r.n, false);
    if (NameWidth != 0) {
        LayoutEditInCorner();
    } else {
        LayoutEditOnTop();
    }
}

TOknoMacierzZgodnosci::TOknoMacierzZgodnosci(const Document& doc) : TMatrixWindow(doc, 0) {
    showResults(doc.results().concordanceTexts);
}

TOknoMacierzNiezgodnosci::TOknoMacierzNiezgodnosci(const Document& doc) : TMatrixWindow(doc, 1) {
    showResults(doc.results().discordanceTexts);
}

TOknoMacierzMocy::TOknoMacierzMocy(const Document& doc) : TMatrixWindow(doc, 0) {
    showResults(doc.results().robustnessTexts);
}

TOknoMacierzPrzewyzszania::TOknoMacierzPrzewyzszania(const Document& doc) : TMatrixWindow(doc, 0) {
    showResults(doc.results().outrankingTexts);
}

TMDIWarianty::TMDIWarianty(TMDIClient& parent, Document& doc)
    : TMDIChild(parent, QStringLiteral("Matrix of Alternatives"), new TOknoWarianty(doc)) {
    placeView(*this, {5, 5}, "ICN_TABL_WARIANT");
}

TMDIMacierzZgodnosci::TMDIMacierzZgodnosci(TMDIClient& parent, const Document& doc)
    : TMDIChild(parent, QStringLiteral("Matrix of Concordance"), new TOknoMacierzZgodnosci(doc)) {
    placeView(*this, {25, 20}, "ICN_TABL_ZGODN");
}

TMDIMacierzNiezgodnosci::TMDIMacierzNiezgodnosci(TMDIClient& parent, const Document& doc)
    : TMDIChild(parent, QStringLiteral("Matrix of Discordance"), new TOknoMacierzNiezgodnosci(doc)) {
    placeView(*this, {45, 35}, "ICN_TABL_NIEZGODN");
}

TMDIMacierzMocy::TMDIMacierzMocy(TMDIClient& parent, const Document& doc)
    : TMDIChild(parent, QStringLiteral("Matrix of Robustness"), new TOknoMacierzMocy(doc)) {
    placeView(*this, {65, 50}, "ICN_TABL_MOCY");
}

TMDIMacierzPrzewyzszania::TMDIMacierzPrzewyzszania(TMDIClient& parent, const Document& doc)
    : TMDIChild(parent, QStringLiteral("Matrix of Outranking"), new TOknoMacierzPrzewyzszania(doc)) {
    placeView(*this, {85, 65}, "ICN_TABL_PRZEWYZSZ");
}

}  // namespace kvis
