// The graph of outranking on the offscreen platform, on a dense relation: n
// alternatives, each better than every later one on three criteria, so every
// pair of vertices is joined by an arc (n (n - 1) / 2 arcs, no cycle).
//   Paint: one full paint of the drawing window drawn anew, in the view as it
//     opens (500 x 300) and in a view large enough for the whole figure
//     (PaintWhole; at n = 300 the figure is 640 pixels across, 755 high);
//   Repaint: the whole figure painted again from what the window has drawn;
//   MarkingKey: one marking key press (Left and Right in turn, at the bottom
//     of the big circle) with the repaint it causes and the panel it fills.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <cstdlib>

#include "document/document.h"
#include "model/numfmt.h"
#include "views/graph_views.h"

namespace {

using namespace kvis;

void computeProject(Document& doc, int n) {
    doc.start(Parameters{0.6, 2, 0.1}, {});
    for (int j = 0; j < 3; ++j) doc.addCriterion({format("crit%d", j + 1), 1, 0, 0, 1.0 + j, {0, 3}, {0, 1}, {}});
    for (int a = 0; a < n; ++a) {
        const double g = 10.0 * (n - a);
        doc.addAlternative(format("alter_%d", a + 1), {g, g + 1, g + 2});
    }
    if (doc.compute().status != ComputeStatus::Computed) std::abort();
}

constexpr QSize kOpening(500, 300);
constexpr QSize kWhole(1000, 820);

struct View {
    View(int n, QSize size) {
        computeProject(doc, n);
        client.resize(size + QSize(100, 100));
        child = new TMDIGrafPrzewyzszania(client, doc);
        child->resize(size);
        client.show();
        child->show();
        QApplication::processEvents();
        figure = static_cast<TOknoGraf*>(child->widget())->Drawing;
        key(Qt::Key_Left);
        QApplication::processEvents();
    }
    void key(int k) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(figure, &e);
    }
    Document doc;
    TMDIClient client;
    TMDIChild* child = nullptr;
    TGrafWinBase* figure = nullptr;
};

void paint(benchmark::State& state, QSize size, bool anew) {
    View v(int(state.range(0)), size);
    for (auto _ : state) {
        if (anew) v.figure->forgetLayers();
        v.figure->repaint();
    }
    state.counters["arcs"] = double(state.range(0) * (state.range(0) - 1) / 2);
}

void Paint(benchmark::State& state) { paint(state, kOpening, true); }
void PaintWhole(benchmark::State& state) { paint(state, kWhole, true); }
void Repaint(benchmark::State& state) { paint(state, kWhole, false); }

void MarkingKey(benchmark::State& state) {
    View v(int(state.range(0)), kWhole);
    bool left = true;
    for (auto _ : state) {
        v.key(left ? Qt::Key_Left : Qt::Key_Right);
        left = !left;
        // The repaint the marking asked for, of the figure and of the panel.
        QApplication::processEvents();
    }
}

BENCHMARK(Paint)->Arg(20)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintWhole)->Arg(20)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(Repaint)->Arg(20)->Arg(100)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(MarkingKey)->Arg(20)->Arg(100)->Arg(300)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
