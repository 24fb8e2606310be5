// The concordance view, 500 x 300 in an MDI client on the offscreen platform,
// on a project of n alternatives: one full repaint of the view, and one
// arrow-key move of the current cell with the repaint it causes (right and
// left in turn, in the middle of the matrix).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <cstdlib>

#include "document/document.h"
#include "model/numfmt.h"
#include "views/matrix_views.h"

namespace {

using namespace kvis;

// n alternatives, each better than the next on three criteria: computed at
// once (a transitive relation, no cycle to cut).
void computeProject(Document& doc, int n) {
    doc.start(Parameters{0.6, 2, 0.1}, {});
    for (int j = 0; j < 3; ++j) doc.addCriterion({format("crit%d", j + 1), 1, 0, 0, 1.0 + j, {0, 3}, {0, 1}, {}});
    for (int a = 0; a < n; ++a) {
        const double g = 10.0 * (n - a);
        doc.addAlternative(format("alter_%d", a + 1), {g, g + 1, g + 2});
    }
    if (doc.compute().status != ComputeStatus::Computed) std::abort();
}

struct View {
    explicit View(int n) {
        computeProject(doc, n);
        client.resize(900, 700);
        child = new TMDIMacierzZgodnosci(client, doc);
        client.show();
        child->show();
        QApplication::processEvents();
        cells = static_cast<TSheetWindow*>(child->widget())->ArrayWindow;
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
    Document doc;
    TMDIClient client;
    TMDIChild* child = nullptr;
    QWidget* cells = nullptr;
};

// Every window of the view painted again, as when it is uncovered. (A repaint
// of the MDI child alone would not reach its opaque children.)
void Repaint(benchmark::State& state) {
    View v(int(state.range(0)));
    const QList<QWidget*> windows = v.child->findChildren<QWidget*>();
    for (auto _ : state) {
        v.child->update();
        for (QWidget* w : windows) w->update();
        QApplication::processEvents();
    }
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
