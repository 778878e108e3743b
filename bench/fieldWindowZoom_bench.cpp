// A field window of a 300 x 200 picture in a workspace, zoomed in step by step up to the largest
// displayed side and painted after each step. Run it under /usr/bin/time -v for its peak memory.
#include "bench/benchSupport.h"
#include "fields/DataField2D.h"
#include "views/qComplexDataGrscMapWidget.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <benchmark/benchmark.h>
#include <boost/make_shared.hpp>

namespace {

// A smooth ramp (many gray levels: smooth zoom) or two levels (zoom by pixel replication).
boost::shared_ptr<DataField2D> picture(bool twoLevels)
{
    auto field = boost::make_shared<DataField2D>(300, 200, 0.0, 0.0, 1.0, 1.0, 0.0f);
    for (int j = 0; j < 200; ++j)
        for (int i = 0; i < 300; ++i)
            field->setValue(i, j, twoLevels ? float((i / 20 + j / 20) % 2) : float(i + 2 * j));
    return field;
}

void zoomToTheLargestSide(benchmark::State& state)
{
    const bool twoLevels = state.range(0) != 0;
    for (auto _ : state) {
        QMdiArea workspace;
        workspace.resize(1600, 1000);
        workspace.show();
        auto* window = new qComplexDataGrscMapWidget(picture(twoLevels), nullptr, "new window",
                                                     Qt::WindowFlags(), "zoom", QString());
        window->setAttribute(Qt::WA_DeleteOnClose);
        QMdiSubWindow* frame = workspace.addSubWindow(window);
        frame->show();
        QCoreApplication::processEvents();
        int steps = 0;
        for (QSize before; before != window->displayedSize(); ++steps) {
            before = window->displayedSize();
            QMetaObject::invokeMethod(window, "zoomIn");
            QCoreApplication::processEvents();
        }
        state.counters["steps"] = steps - 1;
        state.counters["width"] = window->displayedSize().width();
        state.counters["height"] = window->displayedSize().height();
    }
}
BENCHMARK(zoomToTheLargestSide)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return runRegisteredBenchmarks(argc, argv);
}
