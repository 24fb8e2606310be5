#pragma once
// TSheetWindow: a grid of texts with column titles above, row titles on the
// left, an entry line for the current cell's text and an optional notice line.
// It knows nothing of projects: its client hands it arrays of texts and column
// descriptors, which it shows in place, and stores the texts edited in the grid
// (storeCellText); the client keeps the arrays alive and of the same size for
// the life of the grid.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/text_matrix.h"
#include "model/project.h"
#include "platform/controls.h"
#include "platform/layout_window.h"

namespace kvis {

// Titles of the columns or the rows, read in place from the client's data.
// An empty function shows no titles.
using TTitles = std::function<const std::string&(std::uint32_t index)>;

class TSheetWindow : public TLayoutWindow {
    Q_OBJECT
public:
    class TSheetWindowColumnHeader;
    class TSheetWindowRowHeader;
    class TButtonWindow;
    class TInfoWindow;
    class TEnterEdit;
    class TSheetArrayWindow;

    static constexpr int kRowHeight = 24;
    static constexpr int kTextInset = 3;
    static constexpr int kButtonHeight = 47;
    static constexpr int kEntryId = 100;
    static constexpr int kEntryTextLen = 128;  // 127 characters
    static const QColor kLightGrey;

    TSheetWindow(int nameWidth, int showInfo);
    ~TSheetWindow() override;

    // Makes the children in their order: column header, row header, corner
    // button, notice line, entry line (with the text of cell (0, 0)), cells.
    void createChildren(TextCells cells, const TSheetColumn* columns, std::uint32_t colCount,
                        std::uint32_t rowCount, TTitles columnTitles, TTitles rowTitles);
    // The two layouts; each places the children and lays them out.
    void LayoutEditInCorner();
    void LayoutEditOnTop();

    // Called with the current cell's text after every key of the cells area,
    // after a typed first character (with that character) and after every
    // commit or cancel of the entry line. Puts the text into the entry line.
    virtual void SetEntryText(const std::string& text);
    // Stores the text of cell (row, col), edited in the grid, in the client's
    // array; the grid shows the array again from there.
    // A grid whose columns are all read-only never stores anything.
    virtual void storeCellText(std::uint32_t row, std::uint32_t col, const std::string& text);

    // True while the arrays shown are still those the grid was made with;
    // the cells area checks it (debug builds) whenever it paints.
    virtual bool arraysIntact() const { return true; }

    // Editing: the entry line has taken the current cell's text to change it.
    bool isEditing() const { return editing_; }

    int NameWidth;
    TSheetWindowColumnHeader* ColumnHeader = nullptr;
    TSheetWindowRowHeader* RowHeader = nullptr;
    TEnterEdit* EnterEdit = nullptr;
    TButtonWindow* ButtonWindow = nullptr;
    TInfoWindow* InfoWindow = nullptr;
    TSheetArrayWindow* ArrayWindow = nullptr;
    int ShowInfo;

protected:
    void setUp() override;

private:
    friend class TEnterEdit;
    friend class TSheetArrayWindow;
    // Shows the placed children, hides and empties the others.
    void place(const std::vector<std::pair<QWidget*, TLayoutMetrics>>& placed);

    bool editing_ = false;
};

class TSheetWindow::TSheetWindowColumnHeader : public TWindow {
    Q_OBJECT
public:
    TSheetWindowColumnHeader(TSheetWindow* sheet, TTitles titles, const TSheetColumn* columns, std::uint32_t colCount);

    const TSheetColumn* Columns;
    std::uint32_t ColCount;
    TTitles Titles;

protected:
    void Paint(QPainter& dc, bool erase, const QRect& rect) override;
};

class TSheetWindow::TSheetWindowRowHeader : public TWindow {
    Q_OBJECT
public:
    TSheetWindowRowHeader(TSheetWindow* sheet, TTitles titles, std::uint32_t rowCount, int width);

    std::uint32_t RowCount;
    int Width;
    TTitles Titles;

protected:
    void Paint(QPainter& dc, bool erase, const QRect& rect) override;
};

class TSheetWindow::TButtonWindow : public TWindow {
    Q_OBJECT
public:
    explicit TButtonWindow(TSheetWindow* sheet);
    TSheetWindow* Sheet;

protected:
    void Paint(QPainter& dc, bool erase, const QRect& rect) override;
};

class TSheetWindow::TInfoWindow : public TWindow {
    Q_OBJECT
public:
    explicit TInfoWindow(TSheetWindow* sheet);
    TSheetWindow* Sheet;
    static const char* const kNotice;

protected:
    void Paint(QPainter& dc, bool erase, const QRect& rect) override;
};

class TSheetWindow::TEnterEdit : public TEdit {
    Q_OBJECT
public:
    TEnterEdit(TSheetWindow* sheet, const std::string& text);
    TSheetWindow* Sheet;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    bool focusNextPrevChild(bool) override { return false; }

private:
    friend class TSheetArrayWindow;
    // Enter and the arrows: the text goes into the current cell.
    void commit();
    // Escape: the cell keeps its text.
    void cancel();
    void echo();
};

class TSheetWindow::TSheetArrayWindow : public TWindow {
    Q_OBJECT
public:
    TSheetArrayWindow(TSheetWindow* sheet, TextCells cells, std::uint32_t colCount, std::uint32_t rowCount,
                      const TSheetColumn* columns);

    // Replaces the current cell's text (through the sheet's client).
    void SetCellText(const std::string& text);
    // Scrolls so that the current cell is in view.
    void EnsureVisible();
    // The two painting primitives. The scroll offsets are those of the
    // painter's origin (0 inside Paint, where the origin is already moved).
    void DrawCell(QPainter& dc, std::uint32_t c, std::uint32_t r, int scrollX, int scrollY);
    void DrawSelection(QPainter& dc, int scrollX, int scrollY, bool erase, const std::string* text);
    // Shows `text` (the cell's own when null) in the current cell, framed,
    // until the selection moves or is shown again: the live echo of an edit.
    void ShowSelection(const std::string* text);

    // The keys of the cells area: the key-down part (arrows move, Enter
    // edits, every key ends by refreshing the entry line) and the character
    // part (a printable character on an editable column starts an edit).
    // KeyDown is true when Enter began an edit.
    bool KeyDown(int key);
    void Character(QChar ch);

    // Cell geometry in unscrolled coordinates of the cells area.
    QRect cellRect(std::uint32_t r, std::uint32_t c) const;  // left, top, right + 1, bottom + 1 as a QRect
    int columnLeft(std::uint32_t c) const { return x0_[c]; }
    int rowPosition(std::uint32_t r) const { return int(r) * kRowHeight + (r > 0 ? 1 : 0); }
    int columnPosition(std::uint32_t c) const { return x0_[c] + (c > 0 ? 1 : 0); }
    // The cell under a point of the client area; false outside the cells.
    bool cellAt(const QPoint& client, std::uint32_t& r, std::uint32_t& c) const;
    const std::string& currentText() const { return Cells[std::size_t(CurRow) * ColCount + CurCol]; }
    // What the current cell shows: its text, or the echo of an edit.
    const std::string& shownText() const { return shown_ ? *shown_ : currentText(); }
    bool hasCells() const { return RowCount > 0 && ColCount > 0; }
    bool currentReadOnly() const { return Columns[CurCol].ReadOnly != 0; }

    void EvHScroll(ScrollCode code, int thumbPos) override;
    void EvVScroll(ScrollCode code, int thumbPos) override;

    std::uint32_t RowCount;
    std::uint32_t ColCount;
    std::uint32_t CurRow = 0;
    std::uint32_t CurCol = 0;
    std::uint32_t FirstCol = 0;
    std::uint32_t FirstRow = 0;
    TextCells Cells;
    const TSheetColumn* Columns;
    TSheetWindow* Sheet;

protected:
    void Paint(QPainter& dc, bool erase, const QRect& rect) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    bool focusNextPrevChild(bool) override { return false; }

private:
    void moveTo(std::uint32_t r, std::uint32_t c);
    // Selects the cell clicked, as an arrow key would; false outside the cells.
    bool click(QMouseEvent* e);
    void invalidateCurrent();
    // Both headers follow the cells area.
    void scrollAllTo(long x, long y);

    std::vector<int> x0_;                // left of every column, and the total width last
    std::optional<std::string> shown_;   // the echo in the current cell
};

}  // namespace kvis
