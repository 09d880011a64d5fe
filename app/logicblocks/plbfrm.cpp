#include "app/logicblocks/plbfrm.h"

#include "app/core/app_globals.h"
#include "app/core/dialogs.h"
#include "app/core/new_named.h"
#include "app/device/transfer_status.h"
#include "app/logicblocks/plb_layout.h"
#include "app/logicblocks/plb_page.h"
#include "app/logicblocks/plb_read.h"
#include "app/logicblocks/plb_write.h"
#include "controls/display/toggle.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <stdexcept>

namespace trelvane {
namespace {

// clang-format off
const PLBFRM::Step kReadAll[] = {
    {"Step 1 of 5, Reading GPIs.", [](PLBFRM& w) { ReadGPIs(w, gEmulateFixedSilicon); }},
    {"Step 2 of 5, Reading PLBs.", [](PLBFRM& w) { ReadPLBs(w); }},
    {"Step 3 of 5, Reading Voltages.", [](PLBFRM& w) { ReadVoltages(w); }},
    {"Step 4 of 5, Reading WDIs.", [](PLBFRM& w) { ReadWDIs(w); }},
    {"Step 5 of 5, Reading block status.", [](PLBFRM& w) { ReadBlockEnables(w); }},
};
const PLBFRM::Step kWriteAll[] = {
    {"Step 1 of 5, Writing to PLBs", [](PLBFRM& w) { WritePLBs(w); }},
    {"Step 2 of 5, Writing to Voltages", [](PLBFRM& w) { WriteVoltages(w); }},
    {"Step 3 of 5, Writing to GPIs", [](PLBFRM& w) { WriteGPIs(w, gEmulateFixedSilicon); }},
    {"Step 4 of 5, Writing to WDIs", [](PLBFRM& w) { WriteWDIs(w); }},
    {"Step 5 of 5, Writing to PnEN", [](PLBFRM& w) { WriteBlockEnables(w); }},
};

// What "Disable Now" switches off on the current page, in this order.
constexpr std::string_view kFunctionAEnables[] = {
    "VP1F1EN", "VP2F1EN", "VP3F1EN", "VP4F1EN", "VB1F1EN", "VB2F1EN", "VHF1EN", "GPI1F1EN",
    "GPI2F1EN", "GPI3F1EN", "GPI4F1EN", "WDIPF1EN", "WDILF1EN", "PLB1F1EN", "PLB2F1EN",
    "PLB3F1EN", "PLB4F1EN", "PLB5F1EN", "PLB6F1EN", "PLB7F1EN", "PLB8F1EN", "PLB9F1EN"};
constexpr std::string_view kFunctionBEnables[] = {
    "VHF2EN", "VP1F2EN", "VP2F2EN", "VP3F2EN", "VP4F2EN", "PLB1F2EN", "PLB2F2EN", "PLB3F2EN",
    "PLB4F2EN", "PLB5F2EN", "PLB6F2EN", "PLB7F2EN", "PLB8F2EN", "PLB9F2EN", "WDILF2EN",
    "WDIPF2EN", "GPI1F2EN", "GPI2F2EN", "GPI3F2EN", "GPI4F2EN", "VB1F2EN", "VB2F2EN"};
// clang-format on

QString failureText(std::uint64_t failures) {
    return failures == 1 ? QString("Not done: 1 bus transfer failed")
                         : QString("Not done: %1 bus transfers failed").arg(failures);
}

} // namespace

PLBFRM::PLBFRM() {
    setObjectName("PLBFRM");
    setWindowTitle("Programmable Logic Blocks");

    PLBTab = newNamed<QTabWidget>("PLBTab", this);
    PLBTab->setFont(QFont("Tahoma"));
    for (int block = 1; block <= kLogicBlocks; ++block) {
        PLBFrame[block] = new PLBPage(
            block,
            [this, block](const std::string& array, vsq::display::Toggle* toggle) {
                arrays_[array][block] = toggle;
            },
            PLBTab);
        PLBTab->addTab(PLBFrame[block], QString("PLB %1").arg(block));
    }
    connect(PLBTab, &QTabWidget::currentChanged, this, [this] { PLBTab_Click(); });

    StatusBar = newNamed<QStatusBar>("StatusBar", this);
    StatusBar->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 0);
    layout->addWidget(PLBTab);
    layout->addWidget(newControls());
    layout->addWidget(StatusBar);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

PLBFRM::~PLBFRM() = default;

// The legend, the auto-disconnect box and the two sequence buttons, side by side.
QWidget* PLBFRM::newControls() {
    auto* controls = new QWidget(this);
    auto* row = new QHBoxLayout(controls);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(newLegend());

    Frame2 = newNamed<QGroupBox>("Frame2", "Auto Disconnect", controls);
    FuncationACHK = newNamed<QCheckBox>("FuncationACHK", "Disconnect Function A", Frame2);
    FuncationBCHK = newNamed<QCheckBox>("FuncationBCHK", "Disconnect Function B", Frame2);
    DisablePLB = newNamed<QPushButton>("DisablePLB", "Disable Now", Frame2);
    DisablePLB->setMinimumWidth(DisablePLB->sizeHint().width() + 16);
    PLBDLBL = newNamed<QLabel>("PLBDLBL", "PLB 1", Frame2);
    PLBDLBL->setFont(headingFont(12));
    PLBDLBL->setAlignment(Qt::AlignCenter);
    auto* disconnect = new QGridLayout(Frame2);
    disconnect->addWidget(FuncationACHK, 0, 0);
    disconnect->addWidget(FuncationBCHK, 1, 0);
    disconnect->addWidget(PLBDLBL, 0, 1);
    disconnect->addWidget(DisablePLB, 1, 1);
    row->addWidget(Frame2);
    connect(DisablePLB, &QPushButton::clicked, this, [this] { DisablePLB_Click(); });

    ReadAllCMD = newNamed<QPushButton>("ReadAllCMD", "Read All", controls);
    ApplyCMD = newNamed<QPushButton>("ApplyCMD", "Write All", controls);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ReadAllCMD);
    buttons->addWidget(ApplyCMD);
    row->addStretch();
    row->addLayout(buttons);
    connect(ReadAllCMD, &QPushButton::clicked, this, [this] { ReadAllCMD_Click(); });
    connect(ApplyCMD, &QPushButton::clicked, this, [this] { ApplyCMD_Click(); });
    return controls;
}

// The four faces of the toggles beside what each stands for.
QFrame* PLBFRM::newLegend() {
    Frame1 = newNamed<QFrame>("Frame1", this);
    Frame1->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(Frame1);
    grid->setVerticalSpacing(2);
    const struct {
        vsq::display::ToggleFace face;
        bool state;
        const char* text;
    } rows[] = {
        {vsq::display::PolarityFace, false, "Negative Polarity (1)"},
        {vsq::display::PolarityFace, true, "Positive Polarity (0)"},
        {vsq::display::EnableFace, false, "Disabled (1)"},
        {vsq::display::EnableFace, true, "Enabled (0)"},
    };
    for (int i = 0; i < 4; ++i) {
        auto* glyph = new vsq::display::Toggle(Frame1);
        glyph->setFace(rows[i].face);
        glyph->setState(rows[i].state);
        glyph->setFixedSize(24, 16);
        glyph->setAttribute(Qt::WA_TransparentForMouseEvents);
        glyph->setFocusPolicy(Qt::NoFocus);
        Label6[i] = new QLabel(rows[i].text, Frame1);
        Label6[i]->setObjectName("Label6");
        grid->addWidget(glyph, i, 0);
        grid->addWidget(Label6[i], i, 1);
    }
    return Frame1;
}

void PLBFRM::onLoad() {
    ReadAllCMD_Click();
}

bool PLBFRM::onQueryUnload() {
    return !busy_;
}

vsq::display::Toggle& PLBFRM::toggle(std::string_view name, int block) const {
    const auto found = arrays_.find(name);
    if (found == arrays_.end() || block < 1 || block > kLogicBlocks || !found->second[block])
        throw std::out_of_range("No toggle " + std::string(name) + "(" + std::to_string(block) +
                                ")");
    return *found->second[block];
}

bool PLBFRM::toggleState(std::string_view name, int block) const {
    return toggle(name, block).State();
}

void PLBFRM::setToggleState(std::string_view name, int block, bool on) {
    toggle(name, block).setState(on);
}

std::vector<std::string> PLBFRM::toggleArrayNames() const {
    std::vector<std::string> names;
    for (const auto& entry : arrays_)
        names.push_back(entry.first);
    return names;
}

void PLBFRM::ReadAllCMD_Click() {
    runSequence(kReadAll);
}

void PLBFRM::ApplyCMD_Click() {
    runSequence(kWriteAll);
}

// Each step's text shows before it runs. The window stays busy only while the
// steps run: whatever ends them, the last text says how it went.
void PLBFRM::runSequence(std::span<const Step> steps) {
    const WindowRegistry::CommandHold hold; // an unload meanwhile waits for the end
    SetBusy(true);
    const TransferMark before = markTransfers();
    QString failure;
    try {
        for (const Step& step : steps) {
            SetStatus(step.status);
            step.run(*this);
        }
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    }
    const std::uint64_t failedTransfers = markTransfers().failures - before.failures;
    if (!failure.isEmpty())
        SetStatus("Stopped: " + failure);
    else
        SetStatus(failedTransfers == 0 ? QString("Done") : failureText(failedTransfers));
    SetBusy(false);
    if (!failure.isEmpty())
        messageBox(failure, "A problem was detected", MessageButtons::Ok, MessageIcon::Exclamation);
}

void PLBFRM::DisablePLB_Click() {
    DisablePLB->setEnabled(false);
    if (FuncationACHK->checkState() == Qt::Checked)
        switchOff(kFunctionAEnables);
    if (FuncationBCHK->checkState() == Qt::Checked)
        switchOff(kFunctionBEnables);
    repaint();
    ApplyCMD_Click();
    DisablePLB->setEnabled(true);
}

void PLBFRM::switchOff(std::span<const std::string_view> arrays) {
    for (const std::string_view array : arrays)
        setToggleState(array, PLBTab->currentIndex() + 1, false);
}

void PLBFRM::SetStatus(const QString& text) {
    StatusBar->showMessage(text);
    StatusBar->repaint();
}

// Disabling the window disables its buttons with it.
void PLBFRM::SetBusy(bool busy) {
    busy_ = busy;
    setEnabled(!busy);
}

void PLBFRM::PLBTab_Click() {
    PLBDLBL->setText(QString("PLB %1").arg(PLBTab->currentIndex() + 1));
}

} // namespace trelvane
