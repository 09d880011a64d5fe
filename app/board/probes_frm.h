#pragma once
// ProbesFrm ("Evaluation Board Configuration"): the evaluation board's own
// chips around the VSQ5540. Seven sliders set the test voltages of the two
// DACs, toggles open and close the analog switch's S1 to S7 (S1 and S2 break
// before make, never closed together) and drive the parallel port's four spare
// lines, a slider sets the potentiometer behind the watchdog input's timer, and
// a strip chart plots the nine driver outputs from the three ADCs every 100 ms
// while "Start Graphing PDOs" is checked.
//
// Every change of the engineer's goes to the board at once; loading and "Read
// All Again" read the board back and write nothing (the controls raise their
// events for the engineer's own moves only). A switch change whose read of the
// switch fails sends nothing. A chart tick that arrives while a bus frame is in
// progress (another transfer yielding) or while the previous tick still runs
// is skipped. "Close" only hides the window, so a running chart keeps
// sampling; closing it from its frame unloads it and stops the chart.

#include "app/core/window_registry.h"

#include <QWidget>

#include <array>
#include <cstdint>

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;

namespace quiltane {
class QVSTXT;
}
namespace vsq::display {
class GSlider;
class Strip;
class Toggle;
} // namespace vsq::display

namespace trelvane {

class ProbesFrm : public QWidget {
    Q_OBJECT
public:
    static constexpr WindowPlacement kPlacement = WindowPlacement::MdiChild;

    ProbesFrm();
    ~ProbesFrm() override;

    void onLoad();

    QTabWidget* BoardControlTab = nullptr;
    std::array<QLabel*, 4> TitleLBL{};
    // "GPI/LDO"
    std::array<vsq::display::Toggle*, 4> GPIOToggle{};
    std::array<vsq::display::Toggle*, 7> U2SW{}; // U2SW(5) sits on the "WDI" tab
    QPushButton* DisconnectCMD = nullptr;
    // "VH/VB/VP"
    std::array<vsq::display::GSlider*, 3> U5Slider{};
    std::array<vsq::display::GSlider*, 4> U6Slider{};
    // "PDO"
    vsq::display::Strip* PDOStrip = nullptr;
    QCheckBox* OnOffCHK = nullptr;
    quiltane::QVSTXT* DelayTXT = nullptr; // read by nothing: the chart's pace is fixed
    QTimer* PDOTimer = nullptr;
    // "WDI"
    vsq::display::GSlider* WDITimerSlider = nullptr;
    QLabel* WDIFreqLBL = nullptr;

    QPushButton* ReadAllCMD = nullptr;
    QPushButton* CloseCMD = nullptr;

    // The chart's pace.
    static constexpr int kChartIntervalMs = 100;

    // PDOTimer's tick: one sample of each driver output, unless a bus frame or
    // an earlier tick is in progress.
    void PDOTimer_Timer();

private:
    QWidget* buildGpiTab();
    QWidget* buildVoltageTab();
    QWidget* buildPdoTab();
    QWidget* buildWdiTab();
    // The DAC slider at index i of the slider table (U5Slider, then U6Slider).
    vsq::display::GSlider* dacSlider(int index) const;

    void LoadSequence();
    void ReadBoardDACs();
    void ReadSwitchAndToggles();
    void SetupPDOChart();
    void ReadWDITimerPot();
    void WriteDacChannel(int index);
    void SetSwitch(int k);
    void DisconnectS1AndS2();
    void SetSpareLines();
    void SampleDriverOutputs();

    bool sampling_ = false;
};

} // namespace trelvane
