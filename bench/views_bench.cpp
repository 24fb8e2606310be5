// The grid of a concordance view, 500 x 300 in an MDI client on the offscreen
// platform, at n alternatives: one full repaint of the view, and one arrow-key
// move of the current cell with the repaint it causes (right and left in turn,
// in the middle of the matrix).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <memory>

#include "model/numfmt.h"
#include "platform/window.h"
#include "views/sheet_window.h"

namespace {

using namespace kvis;

// n x n texts as the concordance matrix has them, with its column format.
class ConcordanceLike : public TSheetWindow {
public:
    explicit ConcordanceLike(int n) : TSheetWindow(8 * std::max(8, int(format("alter_%d", n).size())), 0) {
        for (int a = 0; a < n; ++a) {
            names.push_back(format("alter_%d", a + 1));
            for (int b = 0; b < n; ++b) texts.push_back(format("%5.2f", double((a * 7 + b * 13) % 101) / 100));
        }
        columns.assign(std::size_t(n), TSheetColumn{NameWidth, 1, 1});
        auto title = [this](std::uint32_t i) -> const std::string& { return names[i]; };
        createChildren(texts.data(), columns.data(), std::uint32_t(n), std::uint32_t(n), title, title);
        LayoutEditInCorner();
    }
    std::vector<std::string> texts, names;
    std::vector<TSheetColumn> columns;
};

struct View {
    explicit View(int n) {
        client.resize(900, 700);
        auto* sheet = new ConcordanceLike(n);
        child = new TMDIChild(client, QStringLiteral("Matrix of Concordance"), sheet);
        child->setGeometry(25, 20, 500, 300);
        client.show();
        child->show();
        QApplication::processEvents();
        cells = sheet->ArrayWindow;
        for (int i = 0; i < n / 2; ++i) {
            key(Qt::Key_Down);
            key(Qt::Key_Right);
        }
        QApplication::processEvents();
    }
    void key(int k) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(cells, &e);
    }
    TMDIClient client;
    TMDIChild* child = nullptr;
    QWidget* cells = nullptr;
};

void Repaint(benchmark::State& state) {
    View v(int(state.range(0)));
    for (auto _ : state) v.child->repaint();
}

void ArrowMove(benchmark::State& state) {
    View v(int(state.range(0)));
    bool right = true;
    for (auto _ : state) {
        v.key(right ? Qt::Key_Right : Qt::Key_Left);
        right = !right;
        // The repaint the move asked for.
        QApplication::processEvents();
    }
}

BENCHMARK(Repaint)->Arg(20)->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(ArrowMove)->Arg(20)->Arg(300)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
