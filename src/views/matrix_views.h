#pragma once
// The five matrix views: the Matrix of Alternatives, whose evaluations are
// edited in the grid, and the four matrices of the last computation
// (concordance, discordance, robustness, outranking), read-only. Each shows the
// document's arrays in place; whoever releases or re-creates those arrays
// closes the views first.
#include <vector>

#include "platform/window.h"
#include "views/sheet_window.h"

namespace kvis {

class Document;

// A grid on arrays of the document, which it checks are still those it was
// made with (same place, same size) whenever it paints.
class TMatrixWindow : public TSheetWindow {
    Q_OBJECT
public:
    bool arraysIntact() const override;

protected:
    TMatrixWindow(const Document& doc, int showInfo);
    // Shows rows x cols `texts` with their column descriptors; names of
    // criteria or alternatives as column titles, alternative names as row titles.
    void showArrays(const std::vector<std::string>& texts, const std::vector<TSheetColumn>& columns, int rows,
                    int cols, bool criteriaAsColumns);
    void showArrays(const TextMatrix& texts, const std::vector<TSheetColumn>& columns, int rows, int cols,
                    bool criteriaAsColumns);
    // An n x n matrix of the results, read-only and centred; the corner
    // layout unless the names have no width.
    void showResults(const TextMatrix& texts);

    const Document& doc_;

private:
    void showCells(TextCells cells, std::size_t size, const std::vector<TSheetColumn>& columns, int rows, int cols,
                   bool criteriaAsColumns);
    std::size_t textsSize() const;

    const std::vector<std::string>* plainTexts_ = nullptr;
    const TextMatrix* codedTexts_ = nullptr;
    const void* textsData_ = nullptr;
    const std::vector<TSheetColumn>* columns_ = nullptr;
    const TSheetColumn* columnsData_ = nullptr;
    int rows_ = 0, cols_ = 0;
    bool criteriaAsColumns_ = false;
};

// The Matrix of Alternatives: evaluations of the project, one row per
// alternative, one column per criterion.
class TOknoWarianty : public TMatrixWindow {
    Q_OBJECT
public:
    explicit TOknoWarianty(Document& doc);
    // The current cell's text, typed or moved over, becomes its evaluation.
    void SetEntryText(const std::string& text) override;
    void storeCellText(std::uint32_t row, std::uint32_t col, const std::string& text) override;

private:
    Document& edit_;
};

class TOknoMacierzZgodnosci : public TMatrixWindow {
    Q_OBJECT
public:
    explicit TOknoMacierzZgodnosci(const Document& doc);
};

class TOknoMacierzNiezgodnosci : public TMatrixWindow {
    Q_OBJECT
public:
    explicit TOknoMacierzNiezgodnosci(const Document& doc);
};

class TOknoMacierzMocy : public TMatrixWindow {
    Q_OBJECT
public:
    explicit TOknoMacierzMocy(const Document& doc);
};

class TOknoMacierzPrzewyzszania : public TMatrixWindow {
    Q_OBJECT
public:
    explicit TOknoMacierzPrzewyzszania(const Document& doc);
};

// The MDI children: caption, icon, 500 x 300 at their place in the cascade.
class TMDIWarianty : public TMDIChild {
    Q_OBJECT
public:
    TMDIWarianty(TMDIClient& parent, Document& doc);
};

class TMDIMacierzZgodnosci : public TMDIChild {
    Q_OBJECT
public:
    TMDIMacierzZgodnosci(TMDIClient& parent, const Document& doc);
};

class TMDIMacierzNiezgodnosci : public TMDIChild {
    Q_OBJECT
public:
    TMDIMacierzNiezgodnosci(TMDIClient& parent, const Document& doc);
};

class TMDIMacierzMocy : public TMDIChild {
    Q_OBJECT
public:
    TMDIMacierzMocy(TMDIClient& parent, const Document& doc);
};

class TMDIMacierzPrzewyzszania : public TMDIChild {
    Q_OBJECT
public:
    TMDIMacierzPrzewyzszania(TMDIClient& parent, const Document& doc);
};

}  // namespace kvis
