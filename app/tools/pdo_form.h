#pragma once
// PDOFRM ("Programmable Driver Outputs"): the mode and pull-up of the chip's
// nine driver outputs PDO1-PDO9, one register PnPDOCFG each. Loading and
// "Read All" fill the lists from the chip and write nothing; each choice the
// user makes writes that output's whole register at once, and the lists then
// show what was written.

#include "app/core/window_registry.h"
#include "app/tools/block_registers.h"
#include "app/tools/fill_guard.h"

#include <QWidget>

#include <array>
#include <cstdint>

class QComboBox;
class QPushButton;

namespace trelvane {

class PDOFRM : public QWidget {
    Q_OBJECT
public:
    static constexpr WindowPlacement kPlacement = WindowPlacement::MdiChild;

    PDOFRM();

    void onLoad();

    // Output index 0-8 (PDO 1 to PDO 9).
    std::array<QComboBox*, kDriverOutputs> EnabledCombo{};
    std::array<QComboBox*, kDriverOutputs> PullUpCombo{};
    QPushButton* ReadAllCMD = nullptr;
    QPushButton* CloseCMD = nullptr;

private:
    void FillPDOLists();
    void ReadAllPDOConfig();
    void WritePDOConfig(int output);
    void showConfig(int output, std::uint8_t value);
    void runBusy(void (PDOFRM::*command)());

    FillGuard fill_;
};

} // namespace trelvane
