// The five matrix views on a computed document: what each shows (captions and
// places are the main window's tests), the result matrices read-only, and evaluations typed into the Matrix of
// Alternatives, including cells merely moved over.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <functional>
#include <map>

#include "document/document.h"
#include "views/matrix_views.h"

using namespace kvis;

namespace {

// Maximized, q = 1, p = 3, veto 6.
Criterion criterion(const char* name, double weight) { return {name, 1, 1, 0, weight, {0, 3}, {0, 1}, {0, 6}}; }

class MatrixViews : public ::testing::Test {
protected:
    void SetUp() override {
        client.resize(800, 600);
        client.show();
        client.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&client));
    }
    // 3 alternatives x 2 criteria, values 10 a + c unless given; computed, saved.
    void build(std::vector<std::vector<double>> values = {}) {
        doc.start(Parameters{0.6, 3, 0.2}, {});
        doc.addCriterion(criterion("price", 1));
        doc.addCriterion(criterion("quality", 2));
        if (values.empty()) values = {{0, 1}, {10, 11}, {20, 21}};
        for (size_t a = 0; a < values.size(); ++a) doc.addAlternative("alt" + std::to_string(a), values[a]);
        ASSERT_EQ(doc.compute().status, ComputeStatus::Computed);
        doc.savedAs("p.kvs");
    }
    template <class Child>
    TMatrixWindow* open() {
        auto* child = new Child(client, doc);
        child->show();
        client.setActiveSubWindow(child);
        QApplication::processEvents();
        return static_cast<TMatrixWindow*>(child->widget());
    }
    // "\n" Enter, "\x1b" Escape, ">" right, "v" down; anything else typed.
    void type(const char* keys) {
        const std::map<char, Qt::Key> named = {
            {'\n', Qt::Key_Return}, {'\x1b', Qt::Key_Escape}, {'>', Qt::Key_Right}, {'v', Qt::Key_Down}};
        for (const char* k = keys; *k; ++k) {
            if (named.count(*k)) QTest::keyClick(QApplication::focusWidget(), named.at(*k));
            else QTest::keyClicks(QApplication::focusWidget(), QString(QChar(*k)));
        }
    }
    std::tuple<int, int> flags() const { return {doc.state().modified, doc.state().resultsValid}; }

    Document doc;
    TMDIClient client;
};

}  // namespace

TEST_F(MatrixViews, ResultMatricesShowTheResultsInPlaceAndReadOnly) {
    build();
    const ResultsSet& r = doc.results();
    struct Case {
        const char* caption;
        std::function<TMatrixWindow*()> open;
        const TextMatrix& texts;
        int showInfo;
    } cases[] = {
        {"Matrix of Concordance", [this] { return open<TMDIMacierzZgodnosci>(); }, r.concordanceTexts, 0},
        {"Matrix of Discordance", [this] { return open<TMDIMacierzNiezgodnosci>(); }, r.discordanceTexts, 1},
        {"Matrix of Robustness", [this] { return open<TMDIMacierzMocy>(); }, r.robustnessTexts, 0},
        {"Matrix of Outranking", [this] { return open<TMDIMacierzPrzewyzszania>(); }, r.outrankingTexts, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        TMatrixWindow* w = c.open();
        const auto* a = w->ArrayWindow;
        EXPECT_EQ(std::tuple(a->Cells, a->RowCount, a->ColCount, a->Columns),
                  std::tuple(TextCells(c.texts), 3u, 3u, r.resultColumnFormats.data()));
        EXPECT_EQ(std::tuple(w->ColumnHeader->Titles(2), w->RowHeader->Titles(1)), std::tuple("alt2", "alt1"));
        // The corner layout, with the notice line over the discordance only.
        EXPECT_EQ(std::tuple(w->NameWidth, w->ShowInfo, w->InfoWindow->isVisible(), w->ButtonWindow->isVisible()),
                  std::tuple(64, c.showInfo, c.showInfo == 1, false));
        EXPECT_EQ(w->EnterEdit->geometry(), QRect(0, c.showInfo ? 23 : 0, 64, c.showInfo ? 23 : 24));
        EXPECT_EQ(w->EnterEdit->text().toStdString(), c.texts[0]);
        // Neither Enter nor typing opens the entry line.
        const std::vector<std::string> before = c.texts.texts();
        type("\n7\n9>1");
        EXPECT_EQ(std::tuple(QApplication::focusWidget() == a, w->isEditing(), c.texts.texts()),
                  std::tuple(true, false, before));
    }
    EXPECT_EQ(r.resultColumnFormats[2], (TSheetColumn{64, 1, 1}));
    EXPECT_EQ(std::string(TSheetWindow::TInfoWindow::kNotice),
              " * means: discordance test not performed because of non-concordance");
}

TEST_F(MatrixViews, MatrixOfAlternativesIsEditedOnTop) {
    build();
    TMatrixWindow* w = open<TMDIWarianty>();
    const Project& p = doc.project();
    const auto* a = w->ArrayWindow;
    EXPECT_EQ(std::tuple(a->Cells, a->RowCount, a->ColCount, a->Columns),
              std::tuple(TextCells(p.evaluationTexts.data()), 3u, 2u, p.columnFormats.data()));
    EXPECT_EQ(std::tuple(w->ColumnHeader->Titles(1), w->RowHeader->Titles(2), w->ShowInfo, w->ButtonWindow->isVisible()),
              std::tuple("quality", "alt2", 0, true));
    EXPECT_EQ(w->EnterEdit->geometry(), QRect(63, 0, w->width() - 63, 24));
}

TEST_F(MatrixViews, TypedTextsBecomeEvaluations) {
    struct Case { const char* name; const char* keys; double value; const char* text; int modified; } cases[] = {
        {"a number", "25\n", 25, "25", 1},
        {"a point is read at once as 0", ".5\n", 5, "5", 1},
        {"the first character is taken at once", "7\x1b", 7, "7", 1},
        {"Enter then a new text", "\n3.25\n", 3.25, "3.25", 1},
        {"Enter then Escape", "\n3\x1b", 11, "11", 0},
        {"an arrow commits", "4>", 4, "4", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        build();
        TMatrixWindow* w = open<TMDIWarianty>();
        type("v>");  // to alternative 1, criterion 1: 11
        EXPECT_EQ(flags(), std::tuple(0, 0));  // moving invalidates the results, changes nothing
        type(c.keys);
        EXPECT_EQ(std::tuple(doc.project().eval(1, 1), doc.project().evaluationTexts[3], doc.state().modified),
                  std::tuple(c.value, c.text, c.modified));
        EXPECT_EQ(doc.state().resultsValid, 0);
        w->ArrayWindow->CurCol = 1;  // back to the cell after a move
        EXPECT_EQ(w->ArrayWindow->shownText(), c.text);
        delete client.activeSubWindow();
    }
}

// Cells show "%g" of their values, six digits: moving over them must not put
// the rounded number back into the evaluation.
TEST_F(MatrixViews, MovingOverCellsKeepsValuesOfMoreThanSixDigits) {
    build({{1234567, 0.1234567}, {2, 3}});
    open<TMDIWarianty>();
    type(">v");  // across both cells of alternative 0, then down
    const Project& p = doc.project();
    EXPECT_EQ(std::tuple(p.evaluationTexts[0], p.evaluationTexts[1], p.eval(0, 0), p.eval(0, 1), flags()),
              std::tuple("1.23457e+06", "0.123457", 1234567.0, 0.1234567, std::tuple(0, 0)));
}

// No listener closes the views here, as the application's would: a view
// knows its arrays went, and in debug builds painting them stops.
TEST_F(MatrixViews, AViewKnowsWhenItsArraysAreNoLongerThoseItShows) {
    build();
    TMatrixWindow* alternatives = open<TMDIWarianty>();
    TMatrixWindow* concordance = open<TMDIMacierzZgodnosci>();
    EXPECT_EQ(std::pair(alternatives->arraysIntact(), concordance->arraysIntact()), std::pair(true, true));
    doc.addAlternative("alt3", {30, 31});
    EXPECT_EQ(std::pair(alternatives->arraysIntact(), concordance->arraysIntact()), std::pair(false, false));
#ifndef NDEBUG
    EXPECT_DEATH(concordance->ArrayWindow->repaint(), "arraysIntact");
#endif
    for (QMdiSubWindow* s : client.subWindowList()) delete s;
}
