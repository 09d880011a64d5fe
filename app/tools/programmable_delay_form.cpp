#include "app/tools/programmable_delay_form.h"

#include "app/core/new_named.h"
#include "app/device/chip_registers.h"
#include "app/device/communications.h"
#include "app/tools/tool_command.h"
#include "app/tools/tool_look.h"
#include "controls/display/lgauge.h"
#include "controls/textbox/qvstxt.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace trelvane {
namespace {

using vsq::display::LGauge;
namespace pdbtim = reg::field::PnPDBTIM;

constexpr int kInitialPulse = 600;
constexpr int kLastStep = 15; // "500"

// Colours, 0x00BBGGRR.
constexpr std::uint32_t kOutputColor = 0x008000;
constexpr std::uint32_t kInputColor = 0xC06000;
constexpr std::uint32_t kEdgeColor = 0x202020;

// Bands of the plot: the output's trace above, the input's below; a high
// level is a tall band, a low level a thin one at the trace's foot.
enum Band : std::int16_t {
    OutputHigh = 0,
    OutputLowAfter = 1,
    OutputLowBefore = 2,
    InputHigh = 3,
    Spare = 4,
    InputLowBefore = 5,
    InputLowAfter = 6,
};
struct BandDesign {
    double lower, upper;
    std::int16_t top, height;
    std::uint32_t color;
};
// The plot's stored design: rising and falling delays "500", input pulse 600.
constexpr BandDesign kBands[] = {
    {500, 1100, 4, 40, kOutputColor}, {1100, 1500, 36, 8, kOutputColor},
    {-20, 500, 36, 8, kOutputColor},  {0, 600, 56, 40, kInputColor},
    {-20, -20, 0, 0, kInputColor},    {-20, 0, 88, 8, kInputColor},
    {600, 1500, 88, 8, kInputColor},
};

int rounded(double value) {
    return static_cast<int>(std::lrint(value)); // halves to even
}

int delayOf(const QComboBox* list) {
    return list->currentText().toInt();
}

} // namespace

ProgrammableDelayFRM::ProgrammableDelayFRM() {
    setObjectName("ProgrammableDelayFRM");
    setWindowTitle("Programmable Delay Block");
    committedPulse_.fill(kInitialPulse);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->addWidget(new QLabel("Rising Edge", this), 0, 1);
    grid->addWidget(new QLabel("Falling Edge", this), 0, 2);
    grid->addWidget(new QLabel("Input Pulse", this), 0, 3);
    auto* legend = new QHBoxLayout;
    legend->addWidget(new QLabel("Graphical Representation", this));
    legend->addSpacing(24);
    for (const auto& [text, color] :
         {std::pair{"Output", "#008000"}, std::pair{"Input", "#0060C0"}}) {
        auto* label = new QLabel(text, this);
        label->setStyleSheet(QString("color: %1; font-weight: bold").arg(color));
        legend->addWidget(label);
        legend->addSpacing(12);
    }
    legend->addStretch();
    grid->addLayout(legend, 0, 4);

    for (int block = 0; block < kDelayBlocks; ++block) {
        const int row = block + 1;
        grid->addWidget(new QLabel(QString("PDB%1").arg(block + 1), this), row, 0);

        RisingCombo[block] = newNamed<QComboBox>(QString("RisingCombo%1").arg(block), this);
        FallingCombo[block] = newNamed<QComboBox>(QString("FallingCombo%1").arg(block), this);
        connect(RisingCombo[block], &QComboBox::activated, this, userChange(fill_, [this, block] {
                    EdgeChanged(block, RisingEdge, delayOf(RisingCombo[block]));
                }));
        connect(FallingCombo[block], &QComboBox::activated, this, userChange(fill_, [this, block] {
                    EdgeChanged(block, FallingEdge, delayOf(FallingCombo[block]));
                }));

        InputPulseTXT[block] =
            newNamed<quiltane::QVSTXT>(QString("InputPulseTXT%1").arg(block), this);
        InputPulseTXT[block]->setNumberBase(quiltane::Decimal2);
        InputPulseTXT[block]->setMaxNibbles(7);
        InputPulseTXT[block]->setText(QString::number(kInitialPulse));
        InputPulseTXT[block]->setFixedSize(80, RisingCombo[block]->sizeHint().height());
        connect(InputPulseTXT[block], &quiltane::QVSTXT::Update, this,
                userChange(fill_, [this, block] {
                    EdgeChanged(block, InputEdge, rounded(InputPulseTXT[block]->Value()));
                }));

        ScopePlot[block] = newNamed<LGauge>(QString("ScopePlot%1").arg(block), this);
        setUpPlot(*ScopePlot[block]);

        grid->addWidget(RisingCombo[block], row, 1);
        grid->addWidget(FallingCombo[block], row, 2);
        grid->addWidget(InputPulseTXT[block], row, 3);
        grid->addWidget(ScopePlot[block], row, 4);
    }
    grid->setColumnStretch(4, 1);

    ReadAllCMD = newNamed<QPushButton>("ReadAllCMD", "Read All", this);
    WriteALLCMD = newNamed<QPushButton>("WriteALLCMD", "Write All", this);
    CloseCMD = newNamed<QPushButton>("CloseCMD", "Close", this);
    connect(ReadAllCMD, &QPushButton::clicked, this,
            [this] { runBusy(&ProgrammableDelayFRM::ReadAllDelays); });
    connect(WriteALLCMD, &QPushButton::clicked, this,
            [this] { runBusy(&ProgrammableDelayFRM::WriteAllDelays); });
    connect(CloseCMD, &QPushButton::clicked, this,
            [] { WindowRegistry::current().unload<ProgrammableDelayFRM>(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(newButtonRow({ReadAllCMD, WriteALLCMD, CloseCMD}));
    resize(900, sizeHint().height());
}

void ProgrammableDelayFRM::setUpPlot(LGauge& plot) {
    plot.setMin(-20);
    plot.setMax(1500);
    plot.setLocked(true);
    plot.setMinimumSize(360, 56);
    plot.setPointerCount(3);
    const double edges[3] = {500, 1100, kInitialPulse};
    for (std::int16_t pointer = 0; pointer < 3; ++pointer) {
        plot.setPointerIndex(pointer);
        plot.setPointerStyle(pointer == kInputPointer ? vsq::display::MarkerBelow
                                                      : vsq::display::MarkerAbove);
        plot.setPointerColor(kEdgeColor);
        plot.setPointerValue(edges[pointer]);
    }
    plot.setBandCount(static_cast<std::int16_t>(std::size(kBands)));
    for (std::int16_t band = 0; band < static_cast<std::int16_t>(std::size(kBands)); ++band) {
        const BandDesign& design = kBands[band];
        plot.setBandIndex(band);
        plot.setBandLowerEnd(design.lower);
        plot.setBandUpperEnd(design.upper);
        plot.setBandTop(design.top);
        plot.setBandHeight(design.height);
        plot.setBandColor(design.color);
    }
}

void ProgrammableDelayFRM::onLoad() {
    FillDelayLists();
    runBusy(&ProgrammableDelayFRM::ReadAllDelays);
}

void ProgrammableDelayFRM::runBusy(void (ProgrammableDelayFRM::*command)()) {
    runToolCommand({this}, [this, command] { (this->*command)(); });
}

void ProgrammableDelayFRM::FillDelayLists() {
    fill_.fill([this] {
        for (int block = 0; block < kDelayBlocks; ++block) {
            RisingCombo[block]->addItems(delayStepEntries());
            FallingCombo[block]->addItems(delayStepEntries());
            FallingCombo[block]->setCurrentIndex(kLastStep);
            RisingCombo[block]->setCurrentIndex(kLastStep);
        }
    });
}

void ProgrammableDelayFRM::ReadAllDelays() {
    for (int block = 0; block < kDelayBlocks; ++block)
        showDelays(block, ReadRegister(PDBTIMAddress(block)));
}

void ProgrammableDelayFRM::showDelays(int block, std::uint8_t value) {
    fill_.fill([&] {
        FallingCombo[block]->setCurrentIndex(pdbtim::TF.get(value));
        RisingCombo[block]->setCurrentIndex(pdbtim::TR.get(value));
    });
    EdgeChanged(block, FallingEdge, delayOf(FallingCombo[block]));
    EdgeChanged(block, RisingEdge, delayOf(RisingCombo[block]));
}

void ProgrammableDelayFRM::WriteAllDelays() {
    for (int block = 0; block < kDelayBlocks; ++block)
        WriteRegister(
            PDBTIMAddress(block),
            static_cast<std::uint8_t>(RisingCombo[block]->currentIndex() << pdbtim::TR.shift |
                                      FallingCombo[block]->currentIndex() << pdbtim::TF.shift));
}

void ProgrammableDelayFRM::EdgeChanged(int block, Edge edge, int value) {
    PlotEdge(block, edge, value);
    CheckEdgeOrder(block, edge);
}

void ProgrammableDelayFRM::PlotEdge(int block, Edge edge, int value) {
    LGauge& plot = *ScopePlot[block];
    const auto plotFalling = [&](int fallingDelay) {
        const int falling = committedPulse_[block] + fallingDelay;
        plot.setPointerIndex(kFallingPointer);
        plot.setPointerValue(falling);
        plot.setBandIndex(OutputHigh);
        plot.setBandUpperEnd(falling);
        plot.setBandIndex(OutputLowAfter);
        plot.setBandLowerEnd(falling);
    };
    switch (edge) {
    case RisingEdge:
        plot.setPointerIndex(kRisingPointer);
        plot.setPointerValue(value);
        plot.setBandIndex(OutputHigh);
        plot.setBandLowerEnd(value);
        plot.setBandIndex(OutputLowBefore);
        plot.setBandUpperEnd(value);
        break;
    case FallingEdge:
        plotFalling(value);
        break;
    case InputEdge:
        committedPulse_[block] = value;
        plot.setPointerIndex(kInputPointer);
        plot.setPointerValue(value);
        plot.setBandIndex(InputHigh);
        plot.setBandUpperEnd(value);
        plot.setBandIndex(InputLowAfter);
        plot.setBandLowerEnd(value);
        plotFalling(delayOf(FallingCombo[block]));
        break;
    }
}

void ProgrammableDelayFRM::CheckEdgeOrder(int block, Edge edge) {
    LGauge& plot = *ScopePlot[block];
    const auto at = [&plot](std::int16_t pointer) {
        plot.setPointerIndex(pointer);
        return rounded(plot.PointerValue());
    };
    const int rising = at(kRisingPointer);
    const int falling = at(kFallingPointer);
    const int input = at(kInputPointer);
    switch (edge) {
    case RisingEdge:
        plot.setCaption(rising >= input ? "Error, rising Edge must occur before the input" : "");
        break;
    case FallingEdge:
        plot.setCaption(falling < input ? "Error, falling Edge must occur at or after the input"
                                        : "");
        break;
    case InputEdge:
        plot.setCaption(input <= rising ? "Error, input must occur before rising edge" : "");
        break;
    }
}

} // namespace trelvane
