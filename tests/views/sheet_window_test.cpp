// The grid window headless: both layouts to the pixel, the keys of the cells
// area and of the entry line, editing, scrolling, the mouse, and a few pixels
// of what it draws.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <memory>

#include "platform/window.h"
#include "views/sheet_window.h"

using namespace kvis;

namespace {

using Sheet = TSheetWindow;

// A client of the grid: texts "r,c", one column in three read-only (the
// second), names "row r" and "col c"; it records what the grid hands it.
class TestSheet : public TSheetWindow {
public:
    TestSheet(std::uint32_t rows, std::uint32_t cols, int nameWidth, int showInfo, std::vector<int> widths = {})
        : TSheetWindow(nameWidth, showInfo) {
        for (std::uint32_t r = 0; r < rows; ++r) {
            rowNames.push_back("row " + std::to_string(r));
            for (std::uint32_t c = 0; c < cols; ++c) cells.push_back(std::to_string(r) + "," + std::to_string(c));
        }
        for (std::uint32_t c = 0; c < cols; ++c) {
            colNames.push_back("col " + std::to_string(c));
            columns.push_back({c < widths.size() ? widths[c] : 100, 2, c % 3 == 1 ? 1 : 0});
        }
        createChildren(cells.data(), columns.data(), cols, rows,
                       [this](std::uint32_t c) -> const std::string& { return colNames[c]; },
                       [this](std::uint32_t r) -> const std::string& { return rowNames[r]; });
    }
    void SetEntryText(const std::string& text) override {
        entered.push_back(text);
        TSheetWindow::SetEntryText(text);
    }
    void storeCellText(std::uint32_t row, std::uint32_t col, const std::string& text) override {
        cells[row * ArrayWindow->ColCount + col] = text;
    }
    std::vector<std::string> cells, rowNames, colNames, entered;
    std::vector<TSheetColumn> columns;
};

QImage render(QWidget* w) {
    QImage img(w->size(), QImage::Format_RGB32);
    img.fill(Qt::magenta);
    w->render(&img);
    return img;
}

// A sheet shown and active, so that the keyboard focus moves as a user sees it.
class SheetWindow : public ::testing::Test {
protected:
    void show(std::uint32_t rows, std::uint32_t cols, std::vector<int> widths = {}, QSize size = QSize(400, 200),
              int showInfo = 0) {
        s = std::make_unique<TestSheet>(rows, cols, 64, showInfo, std::move(widths));
        s->resize(size);
        s->LayoutEditInCorner();
        s->show();
        s->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(s.get()));
        QApplication::processEvents();
    }
    Sheet::TSheetArrayWindow* cells() { return s->ArrayWindow; }
    Sheet::TEnterEdit* entry() { return s->EnterEdit; }
    static QWidget* focus() { return QApplication::focusWidget(); }
    static void key(int k) { QTest::keyClick(focus(), Qt::Key(k)); }
    static void type(const char* text) { QTest::keyClicks(focus(), QString::fromLatin1(text)); }
    std::pair<std::uint32_t, std::uint32_t> at() { return {cells()->CurRow, cells()->CurCol}; }
    void go(std::uint32_t r, std::uint32_t c) {
        while (at().first < r) key(Qt::Key_Down);
        while (at().second < c) key(Qt::Key_Right);
        s->entered.clear();
    }
    std::unique_ptr<TestSheet> s;
};

}  // namespace

TEST_F(SheetWindow, LayoutsPlaceTheChildrenToThePixel) {
    struct Case {
        const char* name;
        int nameWidth, showInfo;
        bool onTop;
        QRect info, entry, button, column, row, cells;
    } cases[] = {
        {"corner", 64, 0, false, {}, {0, 0, 64, 24}, {}, {63, 0, 337, 24}, {0, 23, 64, 177}, {64, 24, 336, 176}},
        {"corner with notice", 64, 1, false, {0, 0, 400, 24}, {0, 23, 64, 23}, {}, {63, 23, 337, 23}, {0, 45, 64, 155},
         {64, 46, 336, 154}},
        {"corner without names", 0, 0, false, {}, {0, 0, 0, 24}, {}, {-1, 0, 401, 24}, {}, {0, 24, 400, 176}},
        {"top; the notice is ignored", 64, 1, true, {}, {63, 0, 337, 24}, {0, 0, 64, 47}, {63, 23, 337, 24},
         {0, 46, 64, 154}, {64, 47, 336, 153}},
        {"top without names", 0, 0, true, {}, {-1, 0, 401, 24}, {0, 0, 0, 47}, {-1, 23, 401, 24}, {}, {0, 47, 400, 153}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestSheet t(3, 4, c.nameWidth, c.showInfo);
        t.resize(400, 200);
        c.onTop ? t.LayoutEditOnTop() : t.LayoutEditInCorner();
        t.show();
        const std::pair<QWidget*, QRect> expected[] = {{t.InfoWindow, c.info},     {t.EnterEdit, c.entry},
                                                       {t.ButtonWindow, c.button}, {t.ColumnHeader, c.column},
                                                       {t.RowHeader, c.row},       {t.ArrayWindow, c.cells}};
        for (const auto& [w, rect] : expected) {
            EXPECT_EQ(w->geometry(), rect) << w->metaObject()->className();
            EXPECT_EQ(w->isVisible(), !rect.isNull()) << w->metaObject()->className();
        }
        // The headers' insides line up with the cells.
        if (c.nameWidth) {
            EXPECT_EQ(t.ColumnHeader->mapTo(&t, t.ColumnHeader->clientRect().topLeft()).x(), t.ArrayWindow->x());
            EXPECT_EQ(t.RowHeader->mapTo(&t, t.RowHeader->clientRect().topLeft()).y(), t.ArrayWindow->y());
        }
    }
}

TEST_F(SheetWindow, KeysMoveWithinTheEdgesAndAlwaysRefreshTheEntryLine) {
    show(3, 4);
    ASSERT_EQ(focus(), cells());
    struct Case { const char* name; std::uint32_t r, c; int key; std::uint32_t toR, toC; } cases[] = {
        {"up at the top", 0, 2, Qt::Key_Up, 0, 2},      {"left at the left", 1, 0, Qt::Key_Left, 1, 0},
        {"down at the bottom", 2, 1, Qt::Key_Down, 2, 1}, {"right at the right", 1, 3, Qt::Key_Right, 1, 3},
        {"down", 0, 0, Qt::Key_Down, 1, 0},            {"right", 1, 2, Qt::Key_Right, 1, 3},
        {"up", 2, 3, Qt::Key_Up, 1, 3},                {"left", 2, 3, Qt::Key_Left, 2, 2},
        {"any other key", 2, 2, Qt::Key_F5, 2, 2},     {"Enter on a read-only column", 0, 1, Qt::Key_Return, 0, 1},
        {"Tab is a key like the others", 1, 1, Qt::Key_Tab, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cells()->CurRow = cells()->CurCol = 0;
        go(c.r, c.c);
        s->EnterEdit->setText("stale");
        key(c.key);
        EXPECT_EQ(at(), std::pair(c.toR, c.toC));
        const std::string text = std::to_string(c.toR) + "," + std::to_string(c.toC);
        EXPECT_EQ(std::tuple(s->entered, entry()->text().toStdString(), focus() == cells(), s->isEditing()),
                  std::tuple(std::vector<std::string>{text}, text, true, false));
    }
}

TEST_F(SheetWindow, EnterEditsAnEditableCellAndEscapeOrEnterEndTheEdit) {
    show(3, 4);
    go(1, 2);
    key(Qt::Key_Return);
    EXPECT_EQ(std::tuple(focus() == entry(), s->isEditing(), entry()->selectedText(), s->entered.size()),
              std::tuple(true, true, QStringLiteral("1,2"), 0u));
    type("x9");
    EXPECT_EQ(std::tuple(cells()->shownText(), s->cells[6]), std::tuple("x9", "1,2"));  // echoed live, not stored
    key(Qt::Key_Escape);
    EXPECT_EQ(std::tuple(s->cells[6], cells()->shownText(), entry()->text().toStdString()),
              std::tuple("1,2", "1,2", "1,2"));
    EXPECT_EQ(std::tuple(s->entered, focus() == cells(), s->isEditing()),
              std::tuple(std::vector<std::string>{"1,2"}, true, false));

    key(Qt::Key_Return);
    type("new");
    key(Qt::Key_Return);  // commit without moving
    EXPECT_EQ(std::tuple(s->cells[6], at()), std::tuple("new", std::pair(1u, 2u)));
    EXPECT_EQ(focus(), cells());

    // The entry line takes no focus on a read-only column.
    key(Qt::Key_Left);
    entry()->setFocus();
    EXPECT_EQ(std::tuple(focus() == cells(), s->isEditing()), std::tuple(true, false));
}

TEST_F(SheetWindow, TypingStartsAnEditAndArrowsCommitThenMove) {
    struct Case { const char* name; std::uint32_t r, c; int commitKey; std::pair<std::uint32_t, std::uint32_t> after; }
    cases[] = {
        {"right moves on", 0, 2, Qt::Key_Right, {0, 3}}, {"down moves on", 0, 0, Qt::Key_Down, {1, 0}},
        {"up at the top stays", 0, 0, Qt::Key_Up, {0, 0}}, {"left moves on", 2, 3, Qt::Key_Left, {2, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        show(3, 4);
        go(c.r, c.c);
        type("7");
        EXPECT_EQ(std::tuple(focus() == entry(), entry()->text().toStdString(), entry()->cursorPosition(),
                             cells()->shownText()),
                  std::tuple(true, "7", 1, "7"));
        // The key-down of "7" refreshed the entry line before the character began the edit.
        const std::string before = std::to_string(c.r) + "," + std::to_string(c.c);
        EXPECT_EQ(s->entered, (std::vector<std::string>{before, "7"}));
        type("5");
        EXPECT_EQ(cells()->shownText(), "75");
        s->entered.clear();
        key(c.commitKey);
        EXPECT_EQ(std::tuple(s->cells[c.r * 4 + c.c], at()), std::tuple("75", c.after));
        // Refreshed at the commit, and again by the move as in the cells area.
        const std::string now = std::to_string(c.after.first) + "," + std::to_string(c.after.second);
        EXPECT_EQ(s->entered, (std::vector<std::string>{"75", at() == std::pair(c.r, c.c) ? "75" : now}));
        EXPECT_EQ(focus(), cells());
    }
}

TEST_F(SheetWindow, EditsStopAtTheEdgeOfWhatTheyMayChange) {
    show(2, 3);
    go(0, 1);  // read-only
    type("7");
    EXPECT_EQ(std::tuple(focus() == cells(), cells()->shownText()), std::tuple(true, "0,1"));
    // Control characters and Delete start nothing.
    go(0, 2);
    QTest::keyClick(cells(), Qt::Key_Delete);
    QTest::keyClick(cells(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(s->isEditing());
    // 127 characters at most.
    key(Qt::Key_Return);
    type(std::string(130, 'a').c_str());
    key(Qt::Key_Return);
    EXPECT_EQ(s->cells[2], std::string(127, 'a'));
}

TEST_F(SheetWindow, EnsureVisibleKeepsOneRowOfMarginAndTheCurrentColumnInView) {
    // A cells area 100 high: fewer than five rows, scroll bar included.
    show(10, 6, {100, 100, 100, 100, 100, 100}, QSize(64 + 250, 124));
    ASSERT_EQ(cells()->height(), 100);
    Sheet::TSheetArrayWindow& a = *cells();
    for (std::uint32_t firstRow : {0, 0, 1, 2, 3}) {  // after moving down to rows 1..5
        key(Qt::Key_Down);
        EXPECT_EQ(std::tuple(a.FirstRow, a.scroller()->yPos(), s->RowHeader->scroller()->yPos()),
                  std::tuple(firstRow, a.rowPosition(firstRow), a.rowPosition(firstRow))) << "row " << a.CurRow;
    }
    for (int k = 0; k < 4; ++k) key(Qt::Key_Up);
    EXPECT_EQ(std::pair(a.CurRow, a.FirstRow), std::pair(1u, 1u));
    // 250 wide: two columns of 100 fit, a third does not.
    for (std::uint32_t firstCol : {0, 1, 2, 3, 4}) {  // after moving right to columns 1..5
        key(Qt::Key_Right);
        EXPECT_EQ(std::tuple(a.FirstCol, a.scroller()->xPos(), s->ColumnHeader->scroller()->xPos()),
                  std::tuple(firstCol, a.columnPosition(firstCol), a.columnPosition(firstCol)))
            << "column " << a.CurCol;
    }
    // However small the window, the current cell is not scrolled past.
    s->resize(64 + 60, 40);
    QApplication::processEvents();
    key(Qt::Key_Down);
    EXPECT_TRUE(a.FirstRow <= a.CurRow && a.FirstCol <= a.CurCol);
}

TEST_F(SheetWindow, ScrollBarsMoveByWholeRowsAndColumnsAndLeaveTheCurrentCell) {
    using C = TWindow::ScrollCode;
    show(6, 5, {70, 90, 60, 80, 50});
    Sheet::TSheetArrayWindow& a = *cells();
    struct Step { const char* name; bool vertical; C code; int thumb; long pos; std::uint32_t first; } steps[] = {
        {"page down from row 0: 25 pixels", true, C::PageDown, 0, 25, 1},
        {"page down again: 24", true, C::PageDown, 0, 49, 2},
        {"line up", true, C::LineUp, 0, 25, 1},             {"line up to the top", true, C::LineUp, 0, 0, 0},
        {"line up at the top", true, C::LineUp, 0, 0, 0},   {"thumb inside row 1", true, C::ThumbTrack, 30, 25, 1},
        {"thumb past the last row", true, C::ThumbPosition, 500, 121, 5},
        {"line down at the last row", true, C::LineDown, 0, 121, 5},
        {"line right from column 0", false, C::LineDown, 0, 71, 1}, {"page right", false, C::PageDown, 0, 161, 2},
        {"page left from column 2", false, C::PageUp, 0, 71, 1},
        {"page left from column 1", false, C::PageUp, 0, 0, 0},
        {"thumb at the end of column 0", false, C::ThumbTrack, 70, 0, 0},
        {"thumb just past it", false, C::ThumbTrack, 71, 71, 1},
        {"thumb in column 3", false, C::ThumbPosition, 250, 221, 3},
        {"line right to the last column", false, C::LineDown, 0, 301, 4},
        {"line right at the last column", false, C::LineDown, 0, 301, 4},
    };
    for (const Step& st : steps) {
        SCOPED_TRACE(st.name);
        st.vertical ? a.EvVScroll(st.code, st.thumb) : a.EvHScroll(st.code, st.thumb);
        TScroller& header = *(st.vertical ? s->RowHeader->scroller() : s->ColumnHeader->scroller());
        const auto got = st.vertical ? std::tuple(a.scroller()->yPos(), a.FirstRow, header.yPos())
                                     : std::tuple(a.scroller()->xPos(), a.FirstCol, header.xPos());
        EXPECT_EQ(std::tuple(got, at()), std::tuple(std::tuple(st.pos, st.first, st.pos), std::pair(0u, 0u)));
    }
    // The wheel goes through the line handlers, three rows a notch here.
    QApplication::setWheelScrollLines(3);
    a.EvVScroll(C::ThumbPosition, 0);
    QWheelEvent down(QPointF(50, 50), a.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&a, &down);
    EXPECT_EQ(std::pair(a.FirstRow, a.scroller()->yPos()), std::pair(3u, 73L));
}

TEST_F(SheetWindow, ClicksSelectAndDoubleClicksEdit) {
    show(4, 4, {70, 90, 60, 80});
    Sheet::TSheetArrayWindow& a = *cells();
    a.EvVScroll(TWindow::ScrollCode::LineDown, 0);  // row 1 on top, 25 pixels down
    struct Case { const char* name; QPoint at; std::pair<std::uint32_t, std::uint32_t> cell; bool selects; } cases[] = {
        {"top left", {1, 1}, {1, 0}, true},  // (0, 0) would be QTest's "centre"
        {"border between columns belongs to the right one", {70, 22}, {1, 1}, true},
        {"the border under row 1 belongs to row 2", {159, 23}, {2, 1}, true},
        {"row 3", {165, 50}, {3, 2}, true},
        {"right of the last column", {301, 10}, {3, 2}, false},
        {"below the last row", {10, 75}, {3, 2}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        s->entered.clear();
        QTest::mouseClick(&a, Qt::LeftButton, Qt::NoModifier, a.clientRect().topLeft() + c.at);
        EXPECT_EQ(at(), c.cell);
        EXPECT_EQ(s->entered.size(), c.selects ? 1u : 0u);
    }
    // A double click on an editable cell edits it, a click elsewhere commits.
    QTest::mouseDClick(&a, Qt::LeftButton, Qt::NoModifier, a.clientRect().topLeft() + QPoint(10, 10));
    EXPECT_TRUE(s->isEditing());
    EXPECT_EQ(entry()->selectedText(), "1,0");
    type("x");
    QTest::mouseClick(&a, Qt::LeftButton, Qt::NoModifier, a.clientRect().topLeft() + QPoint(10, 40));
    EXPECT_EQ(std::tuple(s->cells[4], at(), s->isEditing()), std::tuple("x", std::pair(2u, 0u), false));
    EXPECT_EQ(a.cursor().shape(), Qt::CrossCursor);
}

TEST_F(SheetWindow, DrawsGreyBordersABlackSelectionAndTheRedNotice) {
    show(4, 4, {}, QSize(400, 200), 1);
    const QImage grid = render(cells());
    auto px = [&](const QImage& img, int x, int y) { return QColor(img.pixel(x, y)).name().toStdString(); };
    const std::string grey = "#c0c0c0", black = "#000000", white = "#ffffff";
    // Cell (1, 1): rectangle 100..200 by 24..48; the current cell (0, 0) is framed two pixels thick.
    struct Probe { int x, y; std::string color; } probes[] = {
        {100, 30, grey}, {200, 30, grey}, {150, 24, grey}, {150, 48, grey}, {150, 36, white},
        {0, 0, black},   {1, 1, black},   {100, 10, black}, {99, 10, black}, {98, 10, white}, {50, 24, black},
        {50, 23, black}, {50, 22, white}, {101, 10, white},
    };
    for (const Probe& p : probes) EXPECT_EQ(px(grid, p.x, p.y), p.color) << p.x << "," << p.y;

    const QImage info = render(s->InfoWindow);
    int red = 0;
    for (int y = 0; y < info.height(); ++y)
        for (int x = 0; x < info.width(); ++x) red += px(info, x, y) == "#ff0000";
    EXPECT_GT(red, 20);
    EXPECT_EQ(px(info, 0, 0), black);  // the thin border

    // Raised edges: white on the top and left of a row title, black under it.
    const QImage rows = render(s->RowHeader);
    EXPECT_EQ(std::tuple(px(rows, 1, 30), px(rows, 20, 26), px(rows, 20, 49)), std::tuple(white, white, black));
    const QImage titles = render(s->ColumnHeader);
    EXPECT_EQ(std::tuple(px(titles, 1, 10), px(titles, 50, 1), px(titles, 101, 10)), std::tuple(white, white, black));
}

TEST_F(SheetWindow, PaintingOnlyWhatMeetsTheRegionGivesTheSamePixels) {
    show(30, 12, {70, 90, 60, 80, 50, 100, 70, 90, 60, 80, 50, 100});
    go(3, 4);
    cells()->EvVScroll(TWindow::ScrollCode::ThumbPosition, 60);
    cells()->EvHScroll(TWindow::ScrollCode::ThumbPosition, 150);
    Sheet::TSheetArrayWindow* a = cells();
    const QImage whole = render(a);
    QImage tiles(a->size(), QImage::Format_RGB32);
    tiles.fill(Qt::magenta);
    for (int y = 0; y < a->height(); y += 17)
        for (int x = 0; x < a->width(); x += 23)
            a->render(&tiles, QPoint(x, y), QRegion(x, y, 23, 17));
    EXPECT_TRUE(tiles == whole);
}

TEST_F(SheetWindow, KeyboardFocusFollowsTheMdiChild) {
    TMDIClient client;
    client.resize(800, 600);
    TestSheet* sheets[] = {new TestSheet(3, 3, 64, 0), new TestSheet(3, 3, 64, 0)};
    std::vector<TMDIChild*> children;
    for (TestSheet* t : sheets) children.push_back(new TMDIChild(client, QStringLiteral("view"), t));
    client.show();
    client.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&client));
    auto activate = [&](int i) {
        client.setActiveSubWindow(children[size_t(i)]);
        QApplication::processEvents();
        return focus();
    };
    EXPECT_EQ(activate(0), sheets[0]->ArrayWindow);
    EXPECT_EQ(activate(1), sheets[1]->ArrayWindow);
    QTest::keyClick(sheets[1]->ArrayWindow, Qt::Key_Return);  // an edit survives a visit to another view
    activate(0);
    EXPECT_EQ(activate(1), sheets[1]->EnterEdit);
}
