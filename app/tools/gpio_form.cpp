#include "app/tools/gpio_form.h"

#include "app/core/app_globals.h"
#include "app/core/new_named.h"
#include "app/device/chip_registers.h"
#include "app/device/communications.h"
#include "app/tools/register_update.h"
#include "app/tools/tool_command.h"
#include "app/tools/tool_look.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace trelvane {
namespace {

namespace gpicfg = reg::field::GPInCFG;
namespace pden = reg::field::PDEN;
// The pull-down bit of each input, GPI 1 first.
constexpr std::array<std::uint8_t, kGeneralPurposeInputs> kPullDowns{
    pden::PDENGPI1.mask, pden::PDENGPI2.mask, pden::PDENGPI3.mask, pden::PDENGPI4.mask};
constexpr std::uint8_t kGPIPullDowns =
    pden::PDENGPI1.mask | pden::PDENGPI2.mask | pden::PDENGPI3.mask | pden::PDENGPI4.mask;
constexpr int kEdgeEntry = 1;

QComboBox* newList(QWidget* parent, const char* name, int input) {
    auto* list = newNamed<QComboBox>(QString("%1%2").arg(name).arg(input), parent);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

QLabel* newWrappedLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

GPIOFRM::GPIOFRM() {
    setObjectName("GPIOFRM");
    setWindowTitle("GPI");

    SSTab1 = newNamed<QTabWidget>("SSTab1", this);
    for (int input = 0; input < kGeneralPurposeInputs; ++input)
        SSTab1->addTab(buildTab(input), QString("GPI %1").arg(input + 1));

    ReadAllCMD = newNamed<QPushButton>("ReadAllCMD", "Read All", this);
    connect(ReadAllCMD, &QPushButton::clicked, this,
            [this] { runToolCommand({this}, [this] { ReadGPIConfig(); }); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(newButtonRow({ReadAllCMD}));
    setMinimumWidth(420);
}

QWidget* GPIOFRM::buildTab(int input) {
    auto* frame = newNamed<QWidget>(QString("Frame1%1").arg(input));
    InvertCHK[input] =
        newNamed<QCheckBox>(QString("InvertCHK%1").arg(input), "Invert Input", frame);
    InputTypeCOMBO[input] = newList(frame, "InputTypeCOMBO", input);
    PulseLengthCOMBO[input] = newList(frame, "PulseLengthCOMBO", input);
    InputIgnoreCOMBO[input] = newList(frame, "InputIgnoreCOMBO", input);
    EnablePullDownCHK[input] =
        newNamed<QCheckBox>(QString("EnablePullDownCHK%1").arg(input), "Enable Pulldown", frame);

    const auto write = userChange(fill_, [this, input] { WriteGPIConfig(input); });
    connect(InvertCHK[input], &QCheckBox::clicked, this, write);
    connect(InputTypeCOMBO[input], &QComboBox::activated, this, write);
    connect(PulseLengthCOMBO[input], &QComboBox::activated, this, write);
    connect(InputIgnoreCOMBO[input], &QComboBox::activated, this, write);
    connect(InputTypeCOMBO[input], &QComboBox::currentIndexChanged, this,
            [this, input] { showPulseLengthState(input); });
    connect(EnablePullDownCHK[input], &QCheckBox::clicked, this,
            userChange(fill_, [this, input] { WritePullDowns(input); }));

    auto* form = new QFormLayout(frame);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    form->addRow(InvertCHK[input]);
    form->addRow(newWrappedLabel("Level/Edge", frame), InputTypeCOMBO[input]);
    form->addRow(
        newWrappedLabel("Length of Pulse outputted once an edge has been detected on the input.",
                        frame),
        PulseLengthCOMBO[input]);
    form->addRow(newWrappedLabel("Length of time for which input is ignored", frame),
                 InputIgnoreCOMBO[input]);
    form->addRow(EnablePullDownCHK[input]);
    return frame;
}

void GPIOFRM::onLoad() {
    FillGPILists();
    runToolCommand({this}, [this] { ReadGPIConfig(); });
}

void GPIOFRM::FillGPILists() {
    fill_.fill([this] {
        for (int input = 0; input < kGeneralPurposeInputs; ++input) {
            InputTypeCOMBO[input]->addItems({"Level  ", "Edge"});
            PulseLengthCOMBO[input]->addItems({"10us", "100us", "1000us", "10000us"});
            InputIgnoreCOMBO[input]->addItems(
                {"0us", "5us", "10us", "20us", "30us", "50us", "75us", "100us"});
            for (QComboBox* list :
                 {InputTypeCOMBO[input], PulseLengthCOMBO[input], InputIgnoreCOMBO[input]})
                list->setCurrentIndex(-1);
        }
    });
}

void GPIOFRM::ReadGPIConfig() {
    const bool emulate = gEmulateFixedSilicon;
    fill_.fill([&] {
        for (int input = 0; input < kGeneralPurposeInputs; ++input) {
            const std::uint8_t value = ReadRegister(GPIConfigAddress(input, emulate));
            InvertCHK[input]->setChecked(value & gpicfg::INVIN.mask);
            InputTypeCOMBO[input]->setCurrentIndex((value & gpicfg::INTYP.mask) ? kEdgeEntry : 0);
            PulseLengthCOMBO[input]->setCurrentIndex(gpicfg::PULS.get(value));
            InputIgnoreCOMBO[input]->setCurrentIndex(gpicfg::GF.get(value));
        }
        const std::uint8_t pullDowns = ReadRegister(reg::PDEN);
        for (int input = 0; input < kGeneralPurposeInputs; ++input)
            EnablePullDownCHK[input]->setChecked(pullDowns & kPullDowns[input]);
    });
}

void GPIOFRM::WriteGPIConfig(int input) {
    const int value =
        (InvertCHK[input]->isChecked() ? gpicfg::INVIN.mask : 0) |
        (InputTypeCOMBO[input]->currentIndex() == kEdgeEntry ? gpicfg::INTYP.mask : 0) |
        gpicfg::PULS.put(PulseLengthCOMBO[input]->currentIndex()) |
        gpicfg::GF.put(InputIgnoreCOMBO[input]->currentIndex());
    WriteRegister(GPIConfigAddress(input, gEmulateFixedSilicon), static_cast<std::uint8_t>(value));
}

void GPIOFRM::WritePullDowns(int clicked) {
    std::uint8_t pullDowns = 0;
    for (int input = 0; input < kGeneralPurposeInputs; ++input)
        if (EnablePullDownCHK[input]->isChecked())
            pullDowns |= kPullDowns[input];
    if (!ReadModifyWrite(reg::PDEN, static_cast<std::uint8_t>(~kGPIPullDowns), pullDowns)) {
        // Nothing was written: the box goes back to what the chip holds.
        fill_.fill([&] { EnablePullDownCHK[clicked]->toggle(); });
    }
}

void GPIOFRM::showPulseLengthState(int input) {
    PulseLengthCOMBO[input]->setEnabled(InputTypeCOMBO[input]->currentIndex() == kEdgeEntry);
}

} // namespace trelvane
