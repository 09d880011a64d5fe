#include "app/board/probes_frm.h"

#include "app/board/board_channels.h"
#include "app/board/board_diagram.h"
#include "app/core/command_runner.h"
#include "app/core/new_named.h"
#include "app/device/board_chips.h"
#include "app/device/communications.h"
#include "app/device/data_port_or_bits.h"
#include "app/device/transfer_status.h"
#include "comms/PrinterPort.h"
#include "controls/common/basic_number.h"
#include "controls/display/gslider.h"
#include "controls/display/strip.h"
#include "controls/display/toggle.h"
#include "controls/textbox/qvstxt.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace trelvane {
namespace {

using namespace trelvane::board;
using vsq::display::GSlider;
using vsq::display::Strip;
using vsq::display::Toggle;

// Analog switch U2: S1 and S2 are bits 0 and 1; bit 7 is not the window's.
constexpr std::uint8_t kS1 = 0x01;
constexpr std::uint8_t kS2 = 0x02;
constexpr int kSwitches = 7;
// The chart's scale: the driver outputs reach 15 V; whole-volt grid lines.
constexpr double kChartVolts = 16.0;
// Trace 8 (PDO 9) in black, where the chart's palette would repeat trace 0's colour.
constexpr std::int16_t kLastTrace = 8;
constexpr std::uint32_t kBlack = 0x000000;

QLabel* newTitle(const QString& text, QWidget* parent, int index) {
    auto* title = newNamed<QLabel>(QStringLiteral("TitleLBL(%1)").arg(index), text, parent);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.25);
    title->setFont(font);
    return title;
}

// A tab's layout, its title first.
QVBoxLayout* newTabLayout(QWidget* tab, QLabel*& title, int index, const QString& text) {
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(title = newTitle(text, tab, index));
    layout->addSpacing(8);
    return layout;
}

// The grid a board diagram is laid on, below what the layout holds so far.
QGridLayout* addDiagramGrid(QVBoxLayout* layout) {
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    layout->addStretch();
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(6);
    return grid;
}

Toggle* newSwitchToggle(int k, QWidget* parent) {
    auto* toggle = newNamed<Toggle>(QStringLiteral("U2SW(%1)").arg(k), parent);
    toggle->setOffText(QStringLiteral("Off"));
    toggle->setOnText(QStringLiteral("On"));
    return toggle;
}

GSlider* newSlider(const QString& name, const QString& title, int max, QWidget* parent) {
    auto* slider = newNamed<GSlider>(name, parent);
    slider->setTitle(title);
    slider->setMin(0);
    slider->setMax(max);
    slider->setLargeStep(16);
    return slider;
}

// Runs a handler of the engineer's action; a failed call is shown and the
// window goes on.
template <class F> auto handler(F work) {
    return [work] { runToolCommand({}, work); };
}

} // namespace

ProbesFrm::ProbesFrm() {
    setObjectName("ProbesFrm");
    setWindowTitle("Evaluation Board Configuration");

    BoardControlTab = newNamed<QTabWidget>("BoardControlTab", this);
    BoardControlTab->addTab(buildGpiTab(), "GPI/LDO");
    BoardControlTab->addTab(buildVoltageTab(), "VH/VB/VP");
    BoardControlTab->addTab(buildPdoTab(), "PDO");
    BoardControlTab->addTab(buildWdiTab(), "WDI");

    ReadAllCMD = newNamed<QPushButton>("ReadAllCMD", "Read All Again", this);
    CloseCMD = newNamed<QPushButton>("CloseCMD", "Close", this);
    connect(ReadAllCMD, &QPushButton::clicked, this, handler([this] { LoadSequence(); }));
    connect(CloseCMD, &QPushButton::clicked, this,
            [this] { WindowRegistry::current().frameOf(this)->hide(); });

    PDOTimer = newNamed<QTimer>("PDOTimer", this);
    PDOTimer->setInterval(kChartIntervalMs);
    // A failed chart read stops the chart before it is shown, so a failure
    // is said once and not again at every tick; the box is cleared with it
    // (quietly: the timer is already stopped).
    connect(PDOTimer, &QTimer::timeout, this, handler([this] {
                try {
                    PDOTimer_Timer();
                } catch (...) {
                    PDOTimer->stop();
                    const QSignalBlocker quiet(OnOffCHK);
                    OnOffCHK->setChecked(false);
                    throw;
                }
            }));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ReadAllCMD);
    buttons->addWidget(CloseCMD);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BoardControlTab);
    layout->addLayout(buttons);
}

ProbesFrm::~ProbesFrm() = default;

QWidget* ProbesFrm::buildGpiTab() {
    auto* tab = new QWidget;
    QGridLayout* grid =
        addDiagramGrid(newTabLayout(tab, TitleLBL[0], 0, "General Purpose Inputs/LDO Control."));

    // The spare lines into the general-purpose inputs.
    grid->addWidget(new QLabel("Printer port", tab), 0, 0);
    for (int k = 0; k < 4; ++k) {
        GPIOToggle[k] = newNamed<Toggle>(QStringLiteral("GPIOToggle(%1)").arg(k), tab);
        GPIOToggle[k]->setToolTipText("Click To Change");
        grid->addWidget(GPIOToggle[k], k + 1, 0);
        grid->addWidget(newWire(QStringLiteral("GPIO %1").arg(k + 1), tab), k + 1, 1);
        connect(GPIOToggle[k], &Toggle::Flipped, this, handler([this] { SetSpareLines(); }));
    }
    addChip(*grid, 0, 2, "VSQ5540", {"GPI 1", "GPI 2", "GPI 3", "GPI 4", "", "PDO 9"});
    // The regulator: PDO 9 shuts it down; its error flag comes back out.
    grid->addWidget(newWire("PDO 9", tab), 6, 3);
    addChip(*grid, 4, 4, "U16, QLP4418", {"", "SHDN", "LDO-ERR"});
    grid->addWidget(newWire("LDO-ERR", tab), 7, 5);
    grid->setColumnMinimumWidth(6, 40);

    // The analog switch, S6 aside (it is the watchdog input's).
    grid->addWidget(new QLabel("Analog switch U2", tab), 0, 7);
    int row = 1;
    for (int k = 0; k < kSwitches; ++k) {
        U2SW[k] = newSwitchToggle(k, tab);
        connect(U2SW[k], &Toggle::Flipped, this, handler([this, k] { SetSwitch(k); }));
        if (k == 5)
            continue;
        auto* label = new QLabel(QStringLiteral("S%1").arg(k + 1), tab);
        label->setFixedWidth(label->fontMetrics().horizontalAdvance("S0") + 8);
        auto* line = new QHBoxLayout;
        grid->addLayout(line, row++, 7);
        line->addWidget(label);
        line->addWidget(U2SW[k]);
        line->addStretch();
    }
    DisconnectCMD = newNamed<QPushButton>("DisconnectCMD", "Disconnect S1 and S2", tab);
    connect(DisconnectCMD, &QPushButton::clicked, this, handler([this] { DisconnectS1AndS2(); }));
    grid->addWidget(DisconnectCMD, row + 1, 7);
    grid->setColumnStretch(8, 1);
    return tab;
}

QWidget* ProbesFrm::buildVoltageTab() {
    auto* tab = new QWidget;
    QGridLayout* grid = addDiagramGrid(newTabLayout(
        tab, TitleLBL[1], 1, "High Voltage, Bipolar Voltage and Positive Voltage Inputs"));
    // Each slider's wire into the chip: VH reaches it through the manual DIP switch.
    const char* wires[] = {"VB 1", "VB 2", "S1, Manual Dip Switch", "VP 1", "VP 2", "VP 3", "VP 4"};
    const char* pins[] = {"VB1", "VB2", "VH", "VP1", "VP2", "VP3", "VP4"};
    QStringList chipPins;
    for (int i = 0; i < static_cast<int>(dacSliders().size()); ++i) {
        const DacSlider& row = dacSliders()[i];
        const bool onU5 = i < kU5Sliders;
        const int index = onU5 ? i : i - kU5Sliders;
        auto* slider =
            newSlider(QStringLiteral("%1(%2)").arg(onU5 ? "U5Slider" : "U6Slider").arg(index),
                      row.title, row.maxCode, tab);
        slider->setMinimumWidth(360);
        (onU5 ? U5Slider[index] : U6Slider[index]) = slider;
        connect(slider, &GSlider::Moving, this, [this, i] {
            dacSlider(i)->setCaption(
                dacCaption(dacSliders()[i], static_cast<int>(dacSlider(i)->Position())));
        });
        connect(slider, &GSlider::Moved, this, handler([this, i] { WriteDacChannel(i); }));
        grid->addWidget(slider, i + 1, 0);
        grid->addWidget(newWire(wires[i], tab), i + 1, 1);
        chipPins << pins[i];
    }
    // One title column, so the seven tracks start together.
    int titleColumn = 0;
    for (int i = 0; i < static_cast<int>(dacSliders().size()); ++i)
        titleColumn = std::max(
            titleColumn, dacSlider(i)->fontMetrics().horizontalAdvance(dacSlider(i)->Title()));
    for (int i = 0; i < static_cast<int>(dacSliders().size()); ++i)
        dacSlider(i)->setTitleWidth(titleColumn);
    grid->addWidget(new QLabel("DACs U5 (VB1, VB2, VH) and U6 (VP1 to VP4)", tab), 0, 0);
    addChip(*grid, 0, 2, "VSQ5540", chipPins);
    grid->setColumnStretch(3, 1);
    return tab;
}

QWidget* ProbesFrm::buildPdoTab() {
    auto* tab = new QWidget;
    PDOStrip = newNamed<Strip>("PDOStrip", tab);
    PDOStrip->setMinimumSize(560, 260);

    OnOffCHK = newNamed<QCheckBox>("OnOffCHK", "Start Graphing PDOs", tab);
    connect(OnOffCHK, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            PDOTimer->start();
        else
            PDOTimer->stop();
    });
    DelayTXT = newNamed<quiltane::QVSTXT>("DelayTXT", tab);
    DelayTXT->setNumberBase(quiltane::Decimal2);
    DelayTXT->setMaxNibbles(4);
    DelayTXT->setText("0");
    DelayTXT->setFixedWidth(90);

    auto* controls = new QHBoxLayout;
    controls->addWidget(OnOffCHK);
    controls->addSpacing(24);
    controls->addWidget(new QLabel("Delay (ms):", tab));
    controls->addWidget(DelayTXT);
    controls->addStretch();
    QVBoxLayout* layout = newTabLayout(tab, TitleLBL[2], 2, "Programmable Driver Outputs");
    layout->addWidget(PDOStrip, 1);
    layout->addLayout(controls);
    return tab;
}

QWidget* ProbesFrm::buildWdiTab() {
    auto* tab = new QWidget;
    QVBoxLayout* layout = newTabLayout(tab, TitleLBL[3], 3, "Watchdog Input");

    WDITimerSlider = newSlider("WDITimerSlider",
                               "WDI timer frequency adjust (derived from U21 and U22)", 255, tab);
    WDITimerSlider->setMinimumWidth(520);
    connect(WDITimerSlider, &GSlider::Moving, this,
            [this] { WDIFreqLBL->setText(wdiPeriodText(WDITimerSlider->Position(), 3)); });
    connect(WDITimerSlider, &GSlider::Moved, this, handler([this] {
                WriteDeviceRegister(kPotentiometerU21, kPotWiper,
                                    vsq::controls::toByte(WDITimerSlider->Position()));
            }));
    layout->addWidget(WDITimerSlider);

    WDIFreqLBL = newNamed<QLabel>("WDIFreqLBL", "000", tab);
    WDIFreqLBL->setMinimumWidth(100);
    auto* frequency = new QHBoxLayout;
    layout->addLayout(frequency);
    frequency->addWidget(new QLabel("WDI input frequency:", tab));
    frequency->addWidget(WDIFreqLBL);
    frequency->addStretch();
    layout->addSpacing(16);

    // The timer reaches the watchdog input through S6.
    QGridLayout* grid = addDiagramGrid(layout);
    addChip(*grid, 0, 0, "U21, U22 timer", {"OUT"});
    grid->addWidget(newWire("timer", tab), 1, 1);
    auto* s6 = new QLabel("S6", tab);
    s6->setContentsMargins(8, 0, 8, 0);
    grid->addWidget(s6, 1, 2);
    grid->addWidget(U2SW[5], 1, 3);
    grid->addWidget(newWire("WDI", tab), 1, 4);
    addChip(*grid, 0, 5, "VSQ5540", {"WDI"});
    grid->setColumnStretch(6, 1);
    return tab;
}

GSlider* ProbesFrm::dacSlider(int index) const {
    return index < kU5Sliders ? U5Slider[index] : U6Slider[index - kU5Sliders];
}

void ProbesFrm::onLoad() {
    LoadSequence();
}

void ProbesFrm::LoadSequence() {
    ReadBoardDACs();
    ReadSwitchAndToggles();
    SetupPDOChart();
    ReadWDITimerPot();
    // VH got its caption with its reading (it may be over range).
    for (int i = 0; i < static_cast<int>(dacSliders().size()); ++i) {
        if (i != 2)
            dacSlider(i)->setCaption(
                dacCaption(dacSliders()[i], static_cast<int>(dacSlider(i)->Position())));
    }
}

void ProbesFrm::ReadBoardDACs() {
    for (int i = 0; i < static_cast<int>(dacSliders().size()); ++i)
        dacSlider(i)->setStep(1);
    for (int i = 0; i < static_cast<int>(dacSliders().size()); ++i) {
        const DacSlider& row = dacSliders()[i];
        const int code = ReadDeviceWord(row.device, row.channel) & kDacCodeMask;
        if (i == 2 && code > kVhMaxCode) {
            dacSlider(i)->setCaption(kVhOverRange);
            dacSlider(i)->setPosition(kVhMaxCode);
            continue;
        }
        dacSlider(i)->setPosition(code);
        if (i == 2)
            dacSlider(i)->setCaption(dacCaption(row, code));
    }
}

void ProbesFrm::ReadSwitchAndToggles() {
    const std::uint8_t switches = ReceiveDeviceByte(kAnalogSwitchU2);
    for (int k = 0; k < kSwitches; ++k)
        U2SW[k]->setState(switches & (1u << k));
    const std::uint8_t lines = DataPortOrBits();
    for (int k = 0; k < 4; ++k)
        GPIOToggle[k]->setState(lines & (1u << (kFirstGpioLine + k)));
}

void ProbesFrm::SetupPDOChart() {
    PDOStrip->setTraceCount(static_cast<std::int16_t>(adcSamples().size()));
    PDOStrip->setRangeHigh(kChartVolts);
    PDOStrip->setLegendHigh(kChartVolts);
    for (int trace = 0; trace < static_cast<int>(adcSamples().size()); ++trace) {
        PDOStrip->setLegendIndex(static_cast<std::int16_t>(trace));
        PDOStrip->setLegendText(traceName(trace));
    }
    PDOStrip->setTraceIndex(kLastTrace);
    PDOStrip->setTraceColor(kBlack);
}

void ProbesFrm::ReadWDITimerPot() {
    WDITimerSlider->setPosition(ReadDeviceRegister(kPotentiometerU21, kPotWiper));
    WDIFreqLBL->setText(wdiPeriodText(WDITimerSlider->Position(), 2));
}

void ProbesFrm::WriteDacChannel(int index) {
    const DacSlider& row = dacSliders()[index];
    WriteDeviceWord(row.device, row.channel, dacWord(dacSlider(index)->Position()));
}

void ProbesFrm::SetSwitch(int k) {
    const std::uint8_t switches = ReceiveDeviceByte(kAnalogSwitchU2);
    if (lastTransferFailed()) {
        // A byte built from nothing would open every switch: send none, and
        // the toggle goes back.
        U2SW[k]->setState(!U2SW[k]->State());
        return;
    }
    if (k == 0 || k == 1) {
        // Break before make: both open, then the one asked for; the other
        // toggle follows.
        const auto base = static_cast<std::uint8_t>(switches & ~(kS1 | kS2));
        SendDeviceByte(kAnalogSwitchU2, base);
        const bool s1 = (k == 0) == U2SW[k]->State();
        SendDeviceByte(kAnalogSwitchU2, static_cast<std::uint8_t>(base | (s1 ? kS1 : kS2)));
        U2SW[0]->setState(s1);
        U2SW[1]->setState(!s1);
        return;
    }
    const auto bit = static_cast<std::uint8_t>(1u << k);
    SendDeviceByte(kAnalogSwitchU2,
                   static_cast<std::uint8_t>((switches & ~bit) | (U2SW[k]->State() ? bit : 0)));
}

void ProbesFrm::DisconnectS1AndS2() {
    const std::uint8_t switches = ReceiveDeviceByte(kAnalogSwitchU2);
    if (lastTransferFailed())
        return; // a byte built from nothing would open every switch
    SendDeviceByte(kAnalogSwitchU2, static_cast<std::uint8_t>(switches & ~(kS1 | kS2)));
    ReadSwitchAndToggles();
}

void ProbesFrm::SetSpareLines() {
    std::array<bool, 4> on{};
    for (int k = 0; k < 4; ++k)
        on[k] = GPIOToggle[k]->State();
    SetDataPortOrBits(spareLineBits(on));
}

void ProbesFrm::PDOTimer_Timer() {
    // A tick inside another transfer's yields, or inside a running tick, would
    // cut into it: wait for the next one.
    if (sampling_ || brisendal::PrinterPort::FrameInProgress())
        return;
    sampling_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{sampling_};
    SampleDriverOutputs();
}

void ProbesFrm::SampleDriverOutputs() {
    for (const AdcSample& sample : adcSamples()) {
        WriteDeviceRegister(sample.device, kAdcConfiguration, sample.input);
        const auto word = static_cast<std::uint16_t>(ReadDeviceWord(sample.device, kAdcConversion));
        PDOStrip->AddSample(sample.trace, adcVolts(word, sample.fullScale));
    }
}

} // namespace trelvane
