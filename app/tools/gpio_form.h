#pragma once
// GPIOFRM ("GPI"): the chip's four general-purpose inputs, one tab each: the
// input's GPInCFG (invert, level or edge, output pulse length, ignore time)
// and its pull-down bit in PDEN. Loading and "Read All" fill the tabs from the
// chip and write nothing; each change the user makes is written at once. The
// emulate-fixed-silicon option, read afresh at every read and write, decides
// which register each tab addresses.

#include "app/core/window_registry.h"
#include "app/tools/block_registers.h"
#include "app/tools/fill_guard.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QPushButton;
class QTabWidget;

namespace trelvane {

class GPIOFRM : public QWidget {
    Q_OBJECT
public:
    static constexpr WindowPlacement kPlacement = WindowPlacement::MdiChild;

    GPIOFRM();

    void onLoad();

    QTabWidget* SSTab1 = nullptr;
    // Input index 0-3 (tabs "GPI 1" to "GPI 4").
    std::array<QCheckBox*, kGeneralPurposeInputs> InvertCHK{};
    std::array<QComboBox*, kGeneralPurposeInputs> InputTypeCOMBO{};
    std::array<QComboBox*, kGeneralPurposeInputs> PulseLengthCOMBO{};
    std::array<QComboBox*, kGeneralPurposeInputs> InputIgnoreCOMBO{};
    std::array<QCheckBox*, kGeneralPurposeInputs> EnablePullDownCHK{};
    QPushButton* ReadAllCMD = nullptr;

private:
    QWidget* buildTab(int input);
    void FillGPILists();
    void ReadGPIConfig();
    void WriteGPIConfig(int input);
    void WritePullDowns(int clicked);
    void showPulseLengthState(int input);

    FillGuard fill_;
};

} // namespace trelvane
