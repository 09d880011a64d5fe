// The register access window's tree: building it at load, and expanding all
// 956 nodes then drawing the view, as a user opening every branch sees it.
// Target: expand all under 100 ms.

#include "app/registers/readwrite_form.h"
#include "app/core/window_registry.h"

#include "benchsupport/bench_application.h"

#include <QApplication>
#include <QDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

// The window keeps its settings file beside this registry file.
void benchSetUp() {
    const QString registry = QDir::temp().filePath("registers-bench/registry.txt");
    ::setenv("VSQ_REGISTRY", registry.toLocal8Bit().constData(), 0);
    vsq::bench::benchApplication();
}

void LoadWithTree(benchmark::State& state) {
    benchSetUp();
    for (auto _ : state) {
        trelvane::WindowRegistry windows;
        benchmark::DoNotOptimize(&windows.load<trelvane::ReadWriteForm>());
    }
}
BENCHMARK(LoadWithTree)->Unit(benchmark::kMillisecond);

void ExpandAllAndDraw(benchmark::State& state) {
    benchSetUp();
    trelvane::WindowRegistry windows;
    trelvane::ReadWriteForm& window = windows.show<trelvane::ReadWriteForm>();
    QTreeWidget& tree = *window.Registertree;
    for (auto _ : state) {
        tree.expandAll();
        tree.viewport()->repaint();
        state.PauseTiming();
        tree.collapseAll();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 956); // nodes
}
BENCHMARK(ExpandAllAndDraw)->Unit(benchmark::kMillisecond);

} // namespace
