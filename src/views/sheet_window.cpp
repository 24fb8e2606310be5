#include "views/sheet_window.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <cassert>

#include "platform/drawing.h"

namespace kvis {

namespace {

constexpr int H = TSheetWindow::kRowHeight;

QString qs(const std::string& s) { return QString::fromStdString(s); }

int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

const QColor TSheetWindow::kLightGrey(192, 192, 192);
const char* const TSheetWindow::TInfoWindow::kNotice =
    " * means: discordance test not performed because of non-concordance";

// --- the sheet ---------------------------------------------------------------

TSheetWindow::TSheetWindow(int nameWidth, int showInfo) : NameWidth(nameWidth), ShowInfo(showInfo) {
    setBackgroundColor(kLightGrey);
}

TSheetWindow::~TSheetWindow() = default;

void TSheetWindow::createChildren(TextCells cells, const TSheetColumn* columns, std::uint32_t colCount,
                                  std::uint32_t rowCount, TTitles columnTitles, TTitles rowTitles) {
    ColumnHeader = new TSheetWindowColumnHeader(this, std::move(columnTitles), columns, colCount);
    RowHeader = new TSheetWindowRowHeader(this, std::move(rowTitles), rowCount, NameWidth);
    ButtonWindow = new TButtonWindow(this);
    InfoWindow = new TInfoWindow(this);
    EnterEdit = new TEnterEdit(this, rowCount > 0 && colCount > 0 ? cells[0] : std::string());
    ArrayWindow = new TSheetArrayWindow(this, cells, colCount, rowCount, columns);
}

void TSheetWindow::setUp() {
    TLayoutWindow::setUp();
    if (ArrayWindow) ArrayWindow->setFocus();
}

void TSheetWindow::SetEntryText(const std::string& text) {
    if (EnterEdit) EnterEdit->setText(text);
}

void TSheetWindow::storeCellText(std::uint32_t, std::uint32_t, const std::string&) {}

void TSheetWindow::place(const std::vector<std::pair<QWidget*, TLayoutMetrics>>& placed) {
    for (QWidget* w : std::initializer_list<QWidget*>{InfoWindow, EnterEdit, ButtonWindow, ColumnHeader, RowHeader,
                                                      ArrayWindow}) {
        removeChildLayoutMetrics(w);
        w->setGeometry(QRect());
        w->hide();
    }
    for (const auto& [w, m] : placed) {
        setChildLayoutMetrics(w, m);
        w->show();
    }
    layoutChildren();
}

namespace {

TLayoutMetrics metrics(TEdgeConstraint left, TEdgeConstraint top) {
    TLayoutMetrics m;
    m.left = left;
    m.top = top;
    return m;
}

}  // namespace

void TSheetWindow::LayoutEditInCorner() {
    using E = TEdge;
    std::vector<std::pair<QWidget*, TLayoutMetrics>> placed;
    TLayoutMetrics entry = metrics(lm::parent(E::Left), lm::parent(E::Top));
    entry.width = lm::pixels(NameWidth);
    entry.height = lm::pixels(H);
    TLayoutMetrics column = metrics(lm::of(EnterEdit, E::Right, -1), lm::parent(E::Top));
    column.right = lm::parent(E::Right);
    column.height = lm::of(EnterEdit, E::Height);
    if (ShowInfo) {
        TLayoutMetrics info = metrics(lm::parent(E::Left), lm::parent(E::Top));
        info.right = lm::parent(E::Right);
        info.height = lm::pixels(H);
        placed.emplace_back(InfoWindow, info);
        entry.top = lm::of(InfoWindow, E::Bottom, -1);
        entry.height = lm::pixels(H - 1);
        column.top = lm::of(InfoWindow, E::Bottom, -1);
    }
    placed.emplace_back(EnterEdit, entry);
    placed.emplace_back(ColumnHeader, column);
    TLayoutMetrics cells = metrics(lm::parent(E::Left), lm::of(ColumnHeader, E::Bottom));
    if (NameWidth != 0) {
        TLayoutMetrics row = metrics(lm::parent(E::Left), lm::of(EnterEdit, E::Bottom, -1));
        row.width = lm::of(EnterEdit, E::Width);
        row.bottom = lm::parent(E::Bottom);
        placed.emplace_back(RowHeader, row);
        cells.left = lm::of(RowHeader, E::Right);
    }
    cells.right = lm::parent(E::Right);
    cells.bottom = lm::parent(E::Bottom);
    placed.emplace_back(ArrayWindow, cells);
    place(placed);
}

void TSheetWindow::LayoutEditOnTop() {
    using E = TEdge;
    std::vector<std::pair<QWidget*, TLayoutMetrics>> placed;
    TLayoutMetrics button = metrics(lm::parent(E::Left), lm::parent(E::Top));
    button.width = lm::pixels(NameWidth);
    button.height = lm::pixels(kButtonHeight);
    placed.emplace_back(ButtonWindow, button);
    TLayoutMetrics entry = metrics(lm::of(ButtonWindow, E::Right, -1), lm::parent(E::Top));
    entry.right = lm::parent(E::Right);
    entry.height = lm::pixels(H);
    placed.emplace_back(EnterEdit, entry);
    TLayoutMetrics column = metrics(lm::of(EnterEdit, E::Left), lm::of(EnterEdit, E::Bottom, -1));
    column.right = lm::parent(E::Right);
    column.height = lm::of(EnterEdit, E::Height);
    placed.emplace_back(ColumnHeader, column);
    TLayoutMetrics cells = metrics(lm::parent(E::Left), lm::of(ColumnHeader, E::Bottom));
    if (NameWidth != 0) {
        TLayoutMetrics row = metrics(lm::parent(E::Left), lm::of(ColumnHeader, E::Bottom, -1));
        row.width = lm::pixels(NameWidth);
        row.bottom = lm::parent(E::Bottom);
        placed.emplace_back(RowHeader, row);
        cells.left = lm::of(RowHeader, E::Right);
    }
    cells.right = lm::parent(E::Right);
    cells.bottom = lm::parent(E::Bottom);
    placed.emplace_back(ArrayWindow, cells);
    place(placed);
}

// --- headers, corner button, notice line ---------------------------------------

TSheetWindow::TSheetWindowColumnHeader::TSheetWindowColumnHeader(TSheetWindow* sheet, TTitles titles,
                                                                 const TSheetColumn* columns, std::uint32_t colCount)
    : TWindow(sheet), Columns(columns), ColCount(colCount), Titles(std::move(titles)) {
    setStyle(Border);
    setBackgroundColor(kLightGrey);
    long range = 1;
    for (std::uint32_t c = 0; c + 1 < colCount; ++c) range += columns[c].Width;
    setScroller(std::make_unique<TScroller>(this, 1, 0, range, 0));
}

void TSheetWindow::TSheetWindowColumnHeader::Paint(QPainter& dc, bool, const QRect& rect) {
    int x = 0;
    for (std::uint32_t c = 0; c < ColCount && x <= rect.right(); ++c) {
        const int left = c == 0 ? 0 : x + 1;
        const int right = x + Columns[c].Width;
        x = right;
        if (right < rect.left()) continue;
        dc.setPen(Qt::white);
        drawPolyline(dc, {QPoint(left, 22), QPoint(left, 0), QPoint(right, 0)});
        dc.setPen(Qt::black);
        drawPolyline(dc, {QPoint(right, 0), QPoint(right, 22)});
        dc.setPen(Qt::black);  // the text colour
        if (Titles) drawTextLine(dc, boxLTRB(left + 3, 3, right - 3, 21), qs(Titles(c)), TextLeft);
    }
}

TSheetWindow::TSheetWindowRowHeader::TSheetWindowRowHeader(TSheetWindow* sheet, TTitles titles, std::uint32_t rowCount,
                                                           int width)
    : TWindow(sheet), RowCount(rowCount), Width(width), Titles(std::move(titles)) {
    setStyle(Border);
    setBackgroundColor(kLightGrey);
    setScroller(std::make_unique<TScroller>(this, 0, 1, 0, rowCount > 0 ? long(rowCount - 1) * H + 1 : 0));
}

void TSheetWindow::TSheetWindowRowHeader::Paint(QPainter& dc, bool, const QRect& rect) {
    const std::uint32_t first = std::uint32_t(std::max(0, floorDiv(rect.top() - 1, H)));
    for (std::uint32_t r = first; r < RowCount; ++r) {
        const int y = int(r + 1) * H;
        const int top = y - H + (r == 0 ? 0 : 1);
        if (top > rect.bottom()) break;
        dc.setPen(Qt::black);
        drawPolyline(dc, {QPoint(Width - 2, y), QPoint(0, y)});
        dc.setPen(Qt::white);
        drawPolyline(dc, {QPoint(0, y), QPoint(0, top), QPoint(Width - 2, top)});
        dc.setPen(Qt::black);  // the text colour
        if (Titles) drawTextLine(dc, boxLTRB(3, top + 3, Width - 3, y - 3), qs(Titles(r)), TextLeft);
    }
}

TSheetWindow::TButtonWindow::TButtonWindow(TSheetWindow* sheet) : TWindow(sheet), Sheet(sheet) {
    setStyle(Border);
    setBackgroundColor(kLightGrey);
}

void TSheetWindow::TButtonWindow::Paint(QPainter& dc, bool, const QRect&) {
    const QRect c = clientRect();
    dc.setPen(Qt::white);
    drawPolyline(dc, {QPoint(0, c.height()), QPoint(0, 0), QPoint(c.width(), 0)});
}

TSheetWindow::TInfoWindow::TInfoWindow(TSheetWindow* sheet) : TWindow(sheet), Sheet(sheet) {
    setStyle(Border);
    setBackgroundColor(Qt::white);
}

void TSheetWindow::TInfoWindow::Paint(QPainter& dc, bool, const QRect&) {
    dc.setPen(QColor(255, 0, 0));
    const QRect c = clientRect();
    drawTextLine(dc, QRect(0, 0, c.width(), c.height()), QString::fromLatin1(kNotice), TextLeft, false);
}

// --- the entry line --------------------------------------------------------------

TSheetWindow::TEnterEdit::TEnterEdit(TSheetWindow* sheet, const std::string& text)
    : TEdit(sheet, kEntryId, qs(text), QRect(0, 0, sheet->NameWidth, H), kEntryTextLen), Sheet(sheet) {
    // Whatever changes the text (a paste from the mouse too) shows in the cell.
    connect(this, &QLineEdit::textEdited, this, [this] { echo(); });
}

void TSheetWindow::TEnterEdit::echo() {
    const std::string t = getText(kEntryTextLen - 1);
    Sheet->ArrayWindow->ShowSelection(&t);
}

void TSheetWindow::TEnterEdit::commit() {
    TSheetArrayWindow* a = Sheet->ArrayWindow;
    Sheet->editing_ = false;
    if (!a->hasCells()) return;
    const std::string t = getText(kEntryTextLen - 1);
    a->SetCellText(t);
    a->ShowSelection(&t);
    a->setFocus();
    Sheet->SetEntryText(a->currentText());
}

void TSheetWindow::TEnterEdit::cancel() {
    TSheetArrayWindow* a = Sheet->ArrayWindow;
    Sheet->editing_ = false;
    if (!a->hasCells()) return;
    Sheet->SetEntryText(a->currentText());
    a->ShowSelection(nullptr);
    a->setFocus();
}

void TSheetWindow::TEnterEdit::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            commit();
            return;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
            commit();
            Sheet->ArrayWindow->KeyDown(e->key());
            return;
        case Qt::Key_Escape:
            cancel();
            return;
        default:
            TEdit::keyPressEvent(e);
            echo();
            return;
    }
}

void TSheetWindow::TEnterEdit::focusInEvent(QFocusEvent* e) {
    TSheetArrayWindow* a = Sheet->ArrayWindow;
    if (!a || !a->hasCells() || a->currentReadOnly()) {
        if (a) a->setFocus();
        return;
    }
    Sheet->editing_ = true;
    TEdit::focusInEvent(e);
}

// --- the cells -----------------------------------------------------------------

TSheetWindow::TSheetArrayWindow::TSheetArrayWindow(TSheetWindow* sheet, TextCells cells, std::uint32_t colCount,
                                                   std::uint32_t rowCount, const TSheetColumn* columns)
    : TWindow(sheet), RowCount(rowCount), ColCount(colCount), Cells(cells), Columns(columns), Sheet(sheet) {
    setStyle(HScroll | VScroll);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::CrossCursor);
    x0_.resize(std::size_t(colCount) + 1, 0);
    for (std::uint32_t c = 0; c < colCount; ++c) x0_[c + 1] = x0_[c] + columns[c].Width;
    const long xRange = colCount > 0 ? x0_[colCount - 1] + 1 : 0;
    const long yRange = rowCount > 0 ? long(rowCount - 1) * H + 1 : 0;
    setScroller(std::make_unique<TScroller>(this, 1, 1, xRange, yRange));
}

QRect TSheetWindow::TSheetArrayWindow::cellRect(std::uint32_t r, std::uint32_t c) const {
    return boxLTRB(x0_[c], int(r) * H, x0_[c] + Columns[c].Width + 1, int(r) * H + H + 1);
}

bool TSheetWindow::TSheetArrayWindow::cellAt(const QPoint& client, std::uint32_t& r, std::uint32_t& c) const {
    const QPoint p = client + scroller()->origin();
    if (p.x() < 0 || p.y() < 0 || !hasCells()) return false;
    const std::uint32_t row = std::uint32_t(p.y() / H);
    if (row >= RowCount) return false;
    const auto it = std::upper_bound(x0_.begin(), x0_.end(), p.x());
    if (it == x0_.end()) return false;
    r = row;
    c = std::uint32_t(it - x0_.begin() - 1);
    return true;
}

void TSheetWindow::TSheetArrayWindow::DrawCell(QPainter& dc, std::uint32_t c, std::uint32_t r, int sx, int sy) {
    const QRect cell = cellRect(r, c).translated(-sx, -sy);
    const int L = cell.left(), T = cell.top(), R = L + cell.width(), B = T + cell.height();
    dc.setPen(QPen(kLightGrey, 1, Qt::SolidLine));
    if (r > 0 && c > 0) {
        drawRectangle(dc, L, T, R, B);
    } else if (r == 0 && c == 0) {
        drawPolyline(dc, {QPoint(-sx, B - 1), QPoint(R - 1, B - 1), QPoint(R - 1, -sy)});
    } else if (c == 0) {
        drawPolyline(dc, {QPoint(-sx, T), QPoint(R - 1, T), QPoint(R - 1, T + H), QPoint(-sx, T + H)});
    } else {
        drawPolyline(dc, {QPoint(L, -sy), QPoint(L, B - 1), QPoint(R - 1, B - 1), QPoint(R - 1, -sy)});
    }
    dc.setPen(Qt::black);
    drawTextLine(dc, cell.adjusted(kTextInset, kTextInset, -kTextInset, -kTextInset),
                 qs(Cells[std::size_t(r) * ColCount + c]), Columns[c].Align);
}

void TSheetWindow::TSheetArrayWindow::DrawSelection(QPainter& dc, int sx, int sy, bool erase, const std::string* text) {
    if (!hasCells()) return;
    const QRect cell = cellRect(CurRow, CurCol).translated(-sx, -sy);
    const int L = cell.left(), T = cell.top(), R = L + cell.width(), B = T + cell.height();
    // The inside of the frame is cleared first, as a client context's white
    // brush does, so an echoed text never overlaps the stored one.
    dc.fillRect(boxLTRB(L + 2, T + 2, R - 2, B - 2), Qt::white);
    drawFrameInside(dc, erase ? Qt::white : Qt::black, 2, L, T, R, B);
    dc.setPen(Qt::black);
    drawTextLine(dc, cell.adjusted(kTextInset, kTextInset, -kTextInset, -kTextInset), qs(text ? *text : currentText()),
                 Columns[CurCol].Align);
}

void TSheetWindow::TSheetArrayWindow::Paint(QPainter& dc, bool, const QRect& rect) {
    assert(Sheet->arraysIntact());
    if (!hasCells()) return;
    dc.setBrush(Qt::NoBrush);
    // Only the cells that meet the area to repaint: the others would be
    // clipped away, and there may be a million of them. A cell spans
    // x0 .. x0 + Width and r * 24 .. r * 24 + 24, borders included.
    if (rect.bottom() >= 0 && rect.right() >= 0) {
        const auto firstRow = std::uint32_t(std::max(0, floorDiv(rect.top() - 1, H)));
        const auto lastRow = std::min<std::uint32_t>(RowCount - 1, std::uint32_t(rect.bottom() / H));
        const auto k = std::upper_bound(x0_.begin(), x0_.end(), rect.left() - 1) - x0_.begin();
        const auto firstCol = std::uint32_t(std::max<long>(0, k - 1));
        for (std::uint32_t r = firstRow; r <= lastRow; ++r)
            for (std::uint32_t c = firstCol; c < ColCount && x0_[c] <= rect.right(); ++c) DrawCell(dc, c, r, 0, 0);
    }
    DrawSelection(dc, 0, 0, false, shown_ ? &*shown_ : nullptr);
}

void TSheetWindow::TSheetArrayWindow::invalidateCurrent() {
    const QPoint shift = clientRect().topLeft() - scroller()->origin();
    update(cellRect(CurRow, CurCol).translated(shift));
}

void TSheetWindow::TSheetArrayWindow::ShowSelection(const std::string* text) {
    if (!hasCells()) return;
    if (text && *text != currentText()) {
        shown_ = *text;
    } else {
        shown_.reset();
    }
    invalidateCurrent();
}

void TSheetWindow::TSheetArrayWindow::SetCellText(const std::string& text) {
    if (!hasCells()) return;
    Sheet->storeCellText(CurRow, CurCol, text);
    invalidateCurrent();
}

void TSheetWindow::TSheetArrayWindow::moveTo(std::uint32_t r, std::uint32_t c) {
    shown_.reset();
    invalidateCurrent();
    CurRow = r;
    CurCol = c;
    EnsureVisible();
    invalidateCurrent();
}

void TSheetWindow::TSheetArrayWindow::scrollAllTo(long x, long y) {
    scroller()->scrollTo(x, y);
    Sheet->ColumnHeader->scroller()->scrollTo(scroller()->xPos(), 0);
    Sheet->RowHeader->scroller()->scrollTo(0, scroller()->yPos());
}

void TSheetWindow::TSheetArrayWindow::EnsureVisible() {
    const int outerH = height(), outerW = width();
    bool rows = true;
    if (CurRow < FirstRow) {
        FirstRow = CurRow;
    } else if (outerH < int(CurRow - FirstRow + 2) * H || outerH < H) {
        // Never past the current row, however low the window.
        FirstRow = std::uint32_t(std::clamp<long>(long(CurRow) + 2 - outerH / H, 0, CurRow));
    } else {
        rows = false;
    }
    if (CurCol < FirstCol) {
        FirstCol = CurCol;
    } else {
        int w = x0_[CurCol + 1] - x0_[FirstCol];
        // Never past the current column, however narrow the window.
        while (outerW < w && FirstCol < CurCol) w -= Columns[FirstCol++].Width;
    }
    scrollAllTo(columnPosition(FirstCol), rows ? rowPosition(FirstRow) : scroller()->yPos());
}

void TSheetWindow::TSheetArrayWindow::EvVScroll(ScrollCode code, int thumbPos) {
    long y = scroller()->yPos();
    switch (code) {
        case ScrollCode::LineUp:
        case ScrollCode::PageUp:
            if (FirstRow == 0) return;
            y -= FirstRow == 1 ? H + 1 : H;
            --FirstRow;
            break;
        case ScrollCode::LineDown:
        case ScrollCode::PageDown:
            if (RowCount == 0 || FirstRow >= RowCount - 1) return;
            y += FirstRow == 0 ? H + 1 : H;
            ++FirstRow;
            break;
        case ScrollCode::ThumbTrack:
        case ScrollCode::ThumbPosition:
            FirstRow = std::min<std::uint32_t>(std::uint32_t(std::max(0, thumbPos) / H), RowCount ? RowCount - 1 : 0);
            y = rowPosition(FirstRow);
            break;
    }
    scrollAllTo(scroller()->xPos(), y);
}

void TSheetWindow::TSheetArrayWindow::EvHScroll(ScrollCode code, int thumbPos) {
    long x = scroller()->xPos();
    switch (code) {
        case ScrollCode::LineUp:
        case ScrollCode::PageUp:
            if (FirstCol == 0) return;
            --FirstCol;
            x -= Columns[FirstCol].Width + (FirstCol == 0 ? 1 : 0);
            break;
        case ScrollCode::LineDown:
        case ScrollCode::PageDown:
            if (ColCount == 0 || FirstCol >= ColCount - 1) return;
            x += Columns[FirstCol].Width + (FirstCol == 0 ? 1 : 0);
            ++FirstCol;
            break;
        case ScrollCode::ThumbTrack:
        case ScrollCode::ThumbPosition: {
            if (ColCount == 0) return;
            // The last column added before the sum reaches the thumb.
            std::uint32_t c = 0;
            for (int sum = Columns[0].Width; sum < thumbPos && c + 1 < ColCount;) sum += Columns[++c].Width;
            FirstCol = c;
            x = columnPosition(FirstCol);
            break;
        }
    }
    scrollAllTo(x, scroller()->yPos());
}

bool TSheetWindow::TSheetArrayWindow::KeyDown(int key) {
    // A key here means the focus is here: no edit is going on.
    Sheet->editing_ = false;
    if (!hasCells()) return false;
    switch (key) {
        case Qt::Key_Up:
            if (CurRow > 0) moveTo(CurRow - 1, CurCol);
            break;
        case Qt::Key_Down:
            if (CurRow < RowCount - 1) moveTo(CurRow + 1, CurCol);
            break;
        case Qt::Key_Left:
            if (CurCol > 0) moveTo(CurRow, CurCol - 1);
            break;
        case Qt::Key_Right:
            if (CurCol < ColCount - 1) moveTo(CurRow, CurCol + 1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!currentReadOnly()) {
                Sheet->EnterEdit->setFocus();
                Sheet->EnterEdit->selectAll();
                Sheet->editing_ = true;
                return true;
            }
            break;
        default: break;
    }
    Sheet->SetEntryText(currentText());
    return false;
}

void TSheetWindow::TSheetArrayWindow::Character(QChar ch) {
    if (!hasCells() || ch.unicode() < 32 || !ch.isPrint() || currentReadOnly()) return;
    const std::string t = QString(ch).toStdString();
    ShowSelection(&t);
    Sheet->SetEntryText(t);
    TEnterEdit* e = Sheet->EnterEdit;
    e->setCursorPosition(std::min(1, int(e->text().size())));
    e->setFocus();
    // Focus does not move within a window that is not active; editing has
    // begun all the same.
    Sheet->editing_ = true;
}

void TSheetWindow::TSheetArrayWindow::keyPressEvent(QKeyEvent* e) {
    if (KeyDown(e->key())) return;  // Enter began an edit
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return;
    for (QChar ch : e->text()) Character(ch);
}

bool TSheetWindow::TSheetArrayWindow::click(QMouseEvent* e) {
    std::uint32_t r = 0, c = 0;
    if (e->button() != Qt::LeftButton || !cellAt(toClient(e->position().toPoint()), r, c)) return false;
    // A click elsewhere ends an edit as an arrow key in the entry line does.
    if (Sheet->editing_) Sheet->EnterEdit->commit();
    setFocus();
    moveTo(r, c);
    Sheet->SetEntryText(currentText());
    return true;
}

void TSheetWindow::TSheetArrayWindow::mousePressEvent(QMouseEvent* e) { click(e); }

void TSheetWindow::TSheetArrayWindow::mouseDoubleClickEvent(QMouseEvent* e) {
    if (click(e)) KeyDown(Qt::Key_Return);
}

}  // namespace kvis
