// A pointer move over the colour chart of the real Form1 (offscreen platform): the
// move event delivered to Picture1 runs the full handler, that is the pixel query,
// the three conversions and the text and colour of Text1. The second figure adds
// the repaint of the window that the move leaves pending.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <memory>
#include <vector>

#include "ui/form1.h"

namespace {

using namespace orvex;

std::unique_ptr<Form1> g_form;

QWidget* chart() {
    return g_form->findChild<QWidget*>("Picture1");
}

// Points along the chart's diagonal, so that each move shows another colour.
std::vector<QPointF> pathOverChart(const QWidget* picture) {
    std::vector<QPointF> points;
    const QRect area = picture->contentsRect();
    for (int step = 0; step < 200; ++step) {
        points.emplace_back(area.left() + 1 + (area.width() - 3) * step / 199.0,
                            area.top() + 1 + (area.height() - 3) * step / 199.0);
    }
    return points;
}

void moveOnce(QWidget* picture, const QPointF& at) {
    QMouseEvent move(QEvent::MouseMove, at, picture->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(picture, &move);
}

// Moves along the chart; with `repaintEach`, each move's pending repaint is done too.
void runMoves(benchmark::State& state, bool repaintEach) {
    QWidget* picture = chart();
    const std::vector<QPointF> path = pathOverChart(picture);
    std::size_t next = 0;
    for (auto _ : state) {
        moveOnce(picture, path[next]);
        next = (next + 1) % path.size();
        if (repaintEach) {
            QApplication::processEvents();
        }
    }
    QApplication::processEvents();
}

void pointerMove(benchmark::State& state) {
    runMoves(state, false);
}

void pointerMoveAndRepaint(benchmark::State& state) {
    runMoves(state, true);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SystemHost host;
    Form1Controller controller(host);
    controller.start({"."});
    g_form = std::make_unique<Form1>(controller);
    g_form->show();
    QApplication::processEvents();
    benchmark::RegisterBenchmark("pointer-move", pointerMove)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("pointer-move+repaint", pointerMoveAndRepaint)
        ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_form.reset();
    return 0;
}
