#pragma once
// ProgrammableDelayFRM ("Programmable Delay Block"): the rising and falling
// delays of the chip's nine delay blocks PDB1-PDB9 (PnPDBTIM), each with a
// timing plot of an input pulse and the delayed output, and an error text on
// the plot when the edges are out of order. Choices only redraw: the chip is
// read on loading and "Read All" and written, all nine blocks, only on
// "Write All".
//
// Plot of one block, in the delay list's unit: the input pulse runs from 0 to
// I (the last pulse length committed in its box), the output rises at R (the
// rising delay) and falls at F = I + the falling delay.

#include "app/core/window_registry.h"
#include "app/tools/block_registers.h"
#include "app/tools/fill_guard.h"

#include <QWidget>

#include <array>
#include <cstdint>

class QComboBox;
class QPushButton;

namespace quiltane {
class QVSTXT;
}
namespace vsq::display {
class LGauge;
}

namespace trelvane {

class ProgrammableDelayFRM : public QWidget {
    Q_OBJECT
public:
    static constexpr WindowPlacement kPlacement = WindowPlacement::MdiChild;

    enum Edge { RisingEdge = 0, FallingEdge = 1, InputEdge = 2 };
    // Plot pointers: the output's rising and falling edges, the input's end.
    static constexpr std::int16_t kRisingPointer = 0;
    static constexpr std::int16_t kFallingPointer = 1;
    static constexpr std::int16_t kInputPointer = 2;

    ProgrammableDelayFRM();

    void onLoad();

    // Block index 0-8 (PDB1 to PDB9).
    std::array<QComboBox*, kDelayBlocks> RisingCombo{};
    std::array<QComboBox*, kDelayBlocks> FallingCombo{};
    std::array<quiltane::QVSTXT*, kDelayBlocks> InputPulseTXT{};
    std::array<vsq::display::LGauge*, kDelayBlocks> ScopePlot{};
    QPushButton* ReadAllCMD = nullptr;
    QPushButton* WriteALLCMD = nullptr;
    QPushButton* CloseCMD = nullptr;

private:
    void setUpPlot(vsq::display::LGauge& plot);
    void FillDelayLists();
    void ReadAllDelays();
    void WriteAllDelays();
    void showDelays(int block, std::uint8_t value);
    void EdgeChanged(int block, Edge edge, int value);
    void PlotEdge(int block, Edge edge, int value);
    void CheckEdgeOrder(int block, Edge edge);
    void runBusy(void (ProgrammableDelayFRM::*command)());

    FillGuard fill_;
    // The input pulse of each block as last committed in its box.
    std::array<int, kDelayBlocks> committedPulse_{};
};

} // namespace trelvane
