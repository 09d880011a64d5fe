// The cost of one read through the panel and its manager on the simulated
// board: the host flags a read, the manager's tick (delivered directly, not
// waited for) reads the register and clears the flag, and the panel shows the
// value in its digits and caption and adds a chart sample. Target: under
// 200 us an iteration.

#include "controls/common/control_host.h"
#include "controls/manager/qvsmanager.h"
#include "controls/reginfo/qvsreginfo.h"
#include "sim/simulated_pc.h"

#include <QApplication>
#include <QTimerEvent>
#include <benchmark/benchmark.h>

namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "reginfo_read_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

void tick(orvessa::QVSManager& manager) {
    QTimerEvent event(manager.pollTimerId());
    QCoreApplication::sendEvent(&manager, &event);
}

void ServedRead(benchmark::State& state, int shape, bool logic) {
    application();
    auto& pc = vsq::sim::SimulatedPc::instance();
    pc.reset();
    pc.chip().setRegisterValue(0x10, 0xA5);
    pc.board(1)->dacU5().setWord(0, 0x2155);
    QWidget window;
    vsq::controls::ControlHost host(window);
    mirelda::QVSRegInfo panel(&window);
    orvessa::QVSManager manager(&window);
    host.add(panel, "QVSRegInfo1");
    host.add(manager, "QVSManager1");
    vsq::controls::PropertyBagFile stored;
    stored.bag("QVSRegInfo1").append("Master", QStringLiteral("QVSManager1"));
    stored.bag("QVSManager1").append("Enabled", true);
    host.readProperties(stored);
    tick(manager); // finds the panel
    panel.setCommunicationsType(static_cast<std::int16_t>(shape));
    panel.setDeviceAddress(shape == 1 ? 0x18 : 0xA8);
    panel.setAddressPointer(shape == 1 ? 0x21 : 0x10);
    panel.setGraphLogic(logic);
    panel.setAutoRead(true); // a served read adds a chart sample

    for (auto _ : state) {
        panel.setExecuteRead(true);
        panel.setFlag(true);
        tick(manager);
        if (panel.Flag()) {
            state.SkipWithError("the read was not served");
            break;
        }
    }
    panel.setAutoRead(false);
}

BENCHMARK_CAPTURE(ServedRead, ByteValue, 0, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ServedRead, WordLogic, 1, true)->Unit(benchmark::kMicrosecond);

} // namespace
