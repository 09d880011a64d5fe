#include "app/tools/pfi_form.h"

#include "app/core/app_globals.h"
#include "app/core/new_named.h"
#include "app/device/chip_registers.h"
#include "app/device/communications.h"
#include "app/device/pfi.h"
#include "app/device/transfer_status.h"
#include "app/tools/supply_fault_ranges.h"
#include "app/tools/tool_command.h"
#include "app/tools/tool_look.h"
#include "controls/display/gslider.h"
#include "controls/display/lgauge.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace trelvane {
namespace {

using vsq::display::GSlider;
using vsq::display::LGauge;
namespace field = reg::field;

constexpr int kMaxThreshold = 255;
constexpr int kMaxHysteresis = 31;
constexpr int kNegative = 1;
constexpr std::uint8_t kNegativeRange = 1; // "2V to 6V"

// Colours, 0x00BBGGRR.
constexpr std::uint32_t kOverColor = 0x0000C0;
constexpr std::uint32_t kUnderColor = 0xC00000;
constexpr std::uint32_t kWindowColor = 0x90E0A0;

QScrollBar* newFineTuneBar(QWidget* parent, const char* name, int maximum) {
    auto* bar = newNamed<QScrollBar>(name, Qt::Horizontal, parent);
    bar->setRange(0, maximum);
    bar->setPageStep(std::max(1, maximum / 8));
    bar->setFixedWidth(80);
    return bar;
}

QComboBox* newList(QWidget* parent, const char* name) {
    auto* list = newNamed<QComboBox>(name, parent);
    list->setMinimumContentsLength(12);
    return list;
}

QLabel* newValueLabel(QWidget* parent, const char* name) {
    auto* label = newNamed<QLabel>(name, parent);
    label->setMinimumWidth(130);
    return label;
}

} // namespace

PFIFRM::PFIFRM() {
    setObjectName("PFIFRM");
    setWindowTitle("Supply Fault Detectors");
    buildControls();
    layOut();
}

void PFIFRM::buildControls() {
    inputGroup_ = new QButtonGroup(this);
    inputGroup_->setExclusive(true);
    for (int index = 0; index < 7; ++index) {
        PFITXT[index] = newNamed<QPushButton>(QString("PFITXT%1").arg(index),
                                              supplyFaultInputs()[index].caption, this);
        PFITXT[index]->setCheckable(true);
        inputGroup_->addButton(PFITXT[index], index);
    }
    connect(inputGroup_, &QButtonGroup::idClicked, this,
            [this](int index) { runToolCommand({}, [this, index] { PFITXT_Click(index); }); });

    LimitsSlider = newNamed<LGauge>("LimitsSlider", this);
    LimitsSlider->setMin(0);
    LimitsSlider->setMax(kMaxThreshold);
    LimitsSlider->setPointerCount(4);
    const std::int16_t styles[4] = {vsq::display::MarkerAbove, vsq::display::MarkerBelow,
                                    vsq::display::BandPointer, vsq::display::BandPointer};
    const std::uint32_t colors[4] = {kOverColor, kUnderColor, kWindowColor, kWindowColor};
    for (std::int16_t pointer = 0; pointer < 4; ++pointer) {
        LimitsSlider->setPointerIndex(pointer);
        LimitsSlider->setPointerStyle(styles[pointer]);
        LimitsSlider->setPointerColor(colors[pointer]);
    }
    LimitsSlider->setToolTipText("Drag the pointers to change the limits");
    LimitsSlider->setMinimumHeight(60);
    connect(LimitsSlider, &LGauge::PointerMoving, this,
            userChange(fill_, [this] { AdjustLimits(); }));
    connect(LimitsSlider, &LGauge::PointerMoved, this,
            userChange(fill_, [this] { CommitLimits(LimitsSlider->PointerIndex()); }));

    OVTScroll = newFineTuneBar(this, "OVTScroll", kMaxThreshold);
    UVTScroll = newFineTuneBar(this, "UVTScroll", kMaxThreshold);
    connect(OVTScroll, &QScrollBar::valueChanged, this,
            userChange(fill_, [this] { thresholdBarMoved(kOverPointer, OVTScroll->value()); }));
    connect(UVTScroll, &QScrollBar::valueChanged, this,
            userChange(fill_, [this] { thresholdBarMoved(kUnderPointer, UVTScroll->value()); }));
    OVTLBL = newValueLabel(this, "OVTLBL");
    UVTLBL = newValueLabel(this, "UVTLBL");
    // Each threshold's text in its pointer's colour.
    OVTLBL->setStyleSheet("color: #C00000");
    UVTLBL->setStyleSheet("color: #0000C0");

    OVHystSlider = newNamed<GSlider>("OVHystSlider", this);
    OVHystSlider->setTitle("OV");
    UVHystSlider = newNamed<GSlider>("UVHystSlider", this);
    UVHystSlider->setTitle("UV");
    OVScroll = newFineTuneBar(this, "OVScroll", kMaxHysteresis);
    UVScroll = newFineTuneBar(this, "UVScroll", kMaxHysteresis);
    OVLBL = newValueLabel(this, "OVLBL");
    UVLBL = newValueLabel(this, "UVLBL");
    for (const bool over : {true, false}) {
        GSlider* slider = over ? OVHystSlider : UVHystSlider;
        QScrollBar* bar = over ? OVScroll : UVScroll;
        slider->setMin(0);
        slider->setMax(kMaxHysteresis);
        slider->setLargeStep(4);
        slider->setToolTipText("Fine Tune");
        slider->setMinimumWidth(220);
        const auto follow = userChange(fill_, [this, slider, bar, over] {
            const int code = static_cast<int>(std::lround(slider->Position()));
            fill_.fill([&] { bar->setValue(code); });
            commitHysteresis(over, code);
        });
        connect(slider, &GSlider::Moving, this, follow);
        connect(slider, &GSlider::Moved, this, follow);
        connect(bar, &QScrollBar::valueChanged, this, userChange(fill_, [this, slider, bar, over] {
                    slider->setPosition(bar->value());
                    commitHysteresis(over, bar->value());
                }));
    }

    RangeCombo = newList(this, "RangeCombo");
    FaultTypeCOMBO = newList(this, "FaultTypeCOMBO");
    GlitchFilterCOMBO = newList(this, "GlitchFilterCOMBO");
    PolarityCombo = newList(this, "PolarityCombo");
    const std::pair<QComboBox*, Field> lists[] = {{RangeCombo, Field::Range},
                                                  {FaultTypeCOMBO, Field::FaultType},
                                                  {GlitchFilterCOMBO, Field::GlitchFilter},
                                                  {PolarityCombo, Field::Polarity}};
    for (const auto& [list, field] : lists)
        connect(list, &QComboBox::activated, this,
                userChange(fill_, [this, field = field] { fieldChosen(field); }));

    QuitCMD = newNamed<QPushButton>("QuitCMD", "Close", this);
    connect(QuitCMD, &QPushButton::clicked, this,
            [] { WindowRegistry::current().unload<PFIFRM>(); });
}

void PFIFRM::layOut() {
    auto* inputs = new QHBoxLayout;
    inputs->setSpacing(4);
    for (QPushButton* button : PFITXT)
        inputs->addWidget(button);
    inputs->addStretch();

    auto* thresholds = new QGroupBox("Thresholds", this);
    auto* thresholdGrid = new QGridLayout(thresholds);
    thresholdGrid->addWidget(LimitsSlider, 0, 0, 1, 5);
    thresholdGrid->addWidget(OVTLBL, 1, 0);
    thresholdGrid->addWidget(OVTScroll, 1, 1);
    thresholdGrid->setColumnStretch(2, 1);
    thresholdGrid->addWidget(UVTLBL, 1, 3);
    thresholdGrid->addWidget(UVTScroll, 1, 4);

    auto* hysteresis = new QGroupBox("Hysteresis (mV)", this);
    auto* hysteresisGrid = new QGridLayout(hysteresis);
    hysteresisGrid->addWidget(OVHystSlider, 0, 0);
    hysteresisGrid->addWidget(OVScroll, 0, 1);
    hysteresisGrid->addWidget(OVLBL, 0, 2);
    hysteresisGrid->addWidget(UVHystSlider, 1, 0);
    hysteresisGrid->addWidget(UVScroll, 1, 1);
    hysteresisGrid->addWidget(UVLBL, 1, 2);
    hysteresisGrid->setColumnStretch(0, 1);

    auto* selection = new QGridLayout;
    selection->addWidget(new QLabel("Range:", this), 0, 0);
    selection->addWidget(RangeCombo, 0, 1);
    selection->addWidget(new QLabel("Fault Type:", this), 0, 2);
    selection->addWidget(FaultTypeCOMBO, 0, 3);
    selection->addWidget(new QLabel("Glitch Filter (us):", this), 1, 0);
    selection->addWidget(GlitchFilterCOMBO, 1, 1);
    selection->addWidget(new QLabel("Polarity:", this), 1, 2);
    selection->addWidget(PolarityCombo, 1, 3);
    selection->setColumnStretch(4, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addWidget(thresholds);
    layout->addWidget(hysteresis);
    layout->addLayout(selection);
    layout->addLayout(newButtonRow({QuitCMD}));
}

void PFIFRM::onLoad() {
    runToolCommand({}, [this] { PFITXT_Click(0); });
}

int PFIFRM::GetSelectedInput() const {
    const int checked = inputGroup_->checkedId();
    return checked >= 0 ? checked : 0;
}

const SupplyFaultInput& PFIFRM::selected() const {
    return supplyFaultInputs()[GetSelectedInput()];
}

PFI& PFIFRM::descriptor() const {
    return *selected().descriptor;
}

void PFIFRM::SelectInput(int index) {
    PFITXT[index]->setChecked(true);
}

void PFIFRM::PFITXT_Click(int index) {
    SelectInput(index);
    bool selectRead = false;
    fill_.fill([&] {
        selectRead = RefreshSelectedInput();
        RedrawHysteresis();
        RedrawThresholds();
    });
    if (selectRead)
        applyNegativePolarityRange();
}

// Fills the four lists for the selected input from one read of its xxSEL;
// true when that read went through.
bool PFIFRM::RefreshSelectedInput() {
    const SupplyFaultInput& input = selected();
    PFI& pfi = *input.descriptor;
    const bool bipolar = input.kind == SupplyInputKind::Bipolar;

    for (QComboBox* list : {RangeCombo, GlitchFilterCOMBO, FaultTypeCOMBO, PolarityCombo})
        list->clear();
    RangeCombo->addItems(rangeEntries(input.kind, gEmulateFixedSilicon));
    if (bipolar) {
        PolarityCombo->addItems({"Positive", "Negative"});
        PolarityCombo->setEnabled(true);
    } else {
        PolarityCombo->addItem("N/A");
        PolarityCombo->setCurrentIndex(0);
        PolarityCombo->setEnabled(false);
    }
    FaultTypeCOMBO->addItems(faultTypeEntries());
    GlitchFilterCOMBO->addItems(glitchFilterEntries());

    pfi.ReadRangeFaultAndGlitchFilter();
    const bool read = !lastTransferFailed();

    // A code with no entry (range code 3, say) leaves its list blank.
    const auto show = [](QComboBox* list, int code) {
        list->setCurrentIndex(code < list->count() ? code : -1);
    };
    show(RangeCombo, pfi.DetectionRange());
    if (bipolar)
        show(PolarityCombo, pfi.VBPolarity());
    show(FaultTypeCOMBO, pfi.FaultType());
    show(GlitchFilterCOMBO, pfi.GlitchFilter());

    const bool negative = bipolar && pfi.VBPolarity() == kNegative;
    if (negative)
        RangeCombo->setCurrentIndex(kNegativeRange);
    RangeCombo->setEnabled(!negative);
    return read;
}

// A negative bipolar input runs in range code 1: the one write a selection makes.
void PFIFRM::applyNegativePolarityRange() {
    PFI& pfi = descriptor();
    if (selected().kind != SupplyInputKind::Bipolar || pfi.VBPolarity() != kNegative ||
        pfi.DetectionRange() == kNegativeRange)
        return;
    pfi.setDetectionRange(kNegativeRange);
    pfi.WriteRangeFaultAndGlitchFilter();
}

void PFIFRM::fieldChosen(Field field) {
    PFI& pfi = descriptor();
    switch (field) {
    case Field::Range:
        pfi.setDetectionRange(static_cast<std::uint8_t>(RangeCombo->currentIndex()));
        break;
    case Field::FaultType:
        pfi.setFaultType(static_cast<std::uint8_t>(FaultTypeCOMBO->currentIndex()));
        break;
    case Field::GlitchFilter:
        pfi.setGlitchFilter(static_cast<std::uint8_t>(GlitchFilterCOMBO->currentIndex()));
        break;
    case Field::Polarity: {
        if (selected().kind != SupplyInputKind::Bipolar)
            return;
        const int polarity = PolarityCombo->currentIndex();
        pfi.setVBPolarity(static_cast<std::uint8_t>(polarity));
        if (polarity == kNegative) {
            pfi.setDetectionRange(kNegativeRange);
            fill_.fill([this] { RangeCombo->setCurrentIndex(kNegativeRange); });
        }
        RangeCombo->setEnabled(polarity != kNegative);
        break;
    }
    }
    pfi.WriteRangeFaultAndGlitchFilter();
    RedrawLimits();
}

void PFIFRM::RedrawLimits() {
    fill_.fill([this] {
        RedrawHysteresis();
        RedrawThresholds();
    });
}

void PFIFRM::RedrawThresholds() {
    const PFI& pfi = descriptor();
    const std::uint8_t over = ReadRegister(pfi.AddrOverVoltThreshold());
    const std::uint8_t under = ReadRegister(pfi.AddrUnderVoltThreshold());
    setPointerValue(kOverPointer, over);
    setPointerValue(kUnderPointer, under);
    showThresholdSpan(under, over);
    RedrawThresholdLabels();
}

void PFIFRM::RedrawThresholdLabels() {
    const QString range = RangeCombo->currentText();
    OVTLBL->setText("OVT: " + voltsText(thresholdVolts(pointerValue(kOverPointer), range)) + "V");
    UVTLBL->setText("UVT: " + voltsText(thresholdVolts(pointerValue(kUnderPointer), range)) + "V");
}

void PFIFRM::RedrawHysteresis() {
    const PFI& pfi = descriptor();
    const std::uint8_t under = ReadRegister(pfi.AddrDigitalHysteresisOnUVT());
    const std::uint8_t over = ReadRegister(pfi.AddrDigitalHysteresisOnOVT());
    fill_.fill([&] {
        UVHystSlider->setPosition(field::xxUVHYST::Hysteresis.get(under));
        OVHystSlider->setPosition(field::xxOVHYST::Hysteresis.get(over));
        UVScroll->setValue(field::xxUVHYST::Hysteresis.get(under));
        OVScroll->setValue(field::xxOVHYST::Hysteresis.get(over));
    });
    showHysteresisLabels();
}

void PFIFRM::showHysteresisLabels() {
    const QString range = RangeCombo->currentText();
    const auto millivolts = [&range](const GSlider* slider) {
        return QString::number(
            hysteresisMillivolts(static_cast<int>(std::lround(slider->Position())), range));
    };
    OVLBL->setText("OverVoltage: " + millivolts(OVHystSlider) + "mV");
    UVLBL->setText("UnderVoltage: " + millivolts(UVHystSlider) + "mV");
}

// The user moved pointer, band or bar: keeps the over-voltage code at or above
// the under-voltage code (equal is allowed), brings the bands and bars along
// and writes what changed.
void PFIFRM::AdjustLimits() {
    const std::int16_t moved = LimitsSlider->PointerIndex();
    int over = pointerValue(kOverPointer);
    int under = pointerValue(kUnderPointer);
    switch (moved) {
    case kOverPointer:
        if (over < under) {
            over = under;
            setPointerValue(kOverPointer, over);
        }
        break;
    case kUnderPointer:
        if (under > over) {
            under = over;
            setPointerValue(kUnderPointer, under);
        }
        break;
    case kFirstBand:
    case kSecondBand:
        LimitsSlider->setPointerIndex(moved);
        over = static_cast<int>(std::lround(LimitsSlider->PointerUpperEnd()));
        under = static_cast<int>(std::lround(LimitsSlider->PointerLowerEnd()));
        setPointerValue(kOverPointer, over);
        setPointerValue(kUnderPointer, under);
        break;
    default:
        return;
    }
    showThresholdSpan(under, over);
    LimitsSlider->setPointerIndex(moved);
    CommitLimits(moved);
}

void PFIFRM::thresholdBarMoved(std::int16_t pointer, int code) {
    setPointerValue(pointer, code);
    LimitsSlider->setPointerIndex(pointer);
    AdjustLimits();
}

void PFIFRM::CommitLimits(int pointer) {
    const PFI& pfi = descriptor();
    const bool band = pointer == kFirstBand || pointer == kSecondBand;
    if (pointer == kOverPointer || band)
        WriteRegister(pfi.AddrOverVoltThreshold(),
                      static_cast<std::uint8_t>(pointerValue(kOverPointer)));
    if (pointer == kUnderPointer || band)
        WriteRegister(pfi.AddrUnderVoltThreshold(),
                      static_cast<std::uint8_t>(pointerValue(kUnderPointer)));
    RedrawThresholdLabels();
}

void PFIFRM::commitHysteresis(bool over, int code) {
    const PFI& pfi = descriptor();
    if (over)
        WriteRegister(pfi.AddrDigitalHysteresisOnOVT(), static_cast<std::uint8_t>(code));
    else
        WriteRegister(pfi.AddrDigitalHysteresisOnUVT(), static_cast<std::uint8_t>(code));
    showHysteresisLabels();
}

int PFIFRM::pointerValue(std::int16_t pointer) const {
    LimitsSlider->setPointerIndex(pointer);
    return static_cast<int>(std::lround(LimitsSlider->PointerValue()));
}

void PFIFRM::setPointerValue(std::int16_t pointer, int code) {
    LimitsSlider->setPointerIndex(pointer);
    LimitsSlider->setPointerValue(code);
}

// The bands and the two fine-tune bars follow the threshold codes.
void PFIFRM::showThresholdSpan(int under, int over) {
    setBands(under, over);
    fill_.fill([&] {
        OVTScroll->setValue(over);
        UVTScroll->setValue(under);
    });
}

void PFIFRM::setBands(int lower, int upper) {
    for (const std::int16_t band : {kFirstBand, kSecondBand}) {
        LimitsSlider->setPointerIndex(band);
        LimitsSlider->setPointerLowerEnd(lower);
        LimitsSlider->setPointerUpperEnd(upper);
    }
}

} // namespace trelvane
