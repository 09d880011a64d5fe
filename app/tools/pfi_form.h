#pragma once
// PFIFRM ("Supply Fault Detectors"): the seven supply-fault inputs, one at a
// time: the over- and under-voltage thresholds as two pointers on a gauge
// (0-255) with fine-tune bars, the two hysteresis codes on sliders (0-31) with
// fine-tune bars, and the four fields of xxSEL in lists. Codes are shown with
// the volts they stand for in the selected range.
//
// Selecting an input fills every control from the chip and writes nothing,
// with one exception: a bipolar input read with negative polarity runs in
// range code 1, and when its range reads otherwise that code is written once
// (never after a failed read). Each change the user makes is written at once;
// every commit of a threshold or hysteresis code writes it. A range change keeps the codes and
// shows their new volts.

#include "app/core/window_registry.h"
#include "app/tools/fill_guard.h"

#include <QWidget>

#include <array>
#include <cstdint>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace vsq::display {
class GSlider;
class LGauge;
} // namespace vsq::display

namespace trelvane {

class PFI;
struct SupplyFaultInput;

class PFIFRM : public QWidget {
    Q_OBJECT
public:
    static constexpr WindowPlacement kPlacement = WindowPlacement::MdiChild;

    // Gauge pointers.
    static constexpr std::int16_t kOverPointer = 0;
    static constexpr std::int16_t kUnderPointer = 1;
    static constexpr std::int16_t kFirstBand = 2;
    static constexpr std::int16_t kSecondBand = 3;

    PFIFRM();

    // Selects "VP 1" and reads it.
    void onLoad();

    // Buttons "VP 1" ... "VH" (index 0-6).
    std::array<QPushButton*, 7> PFITXT{};
    vsq::display::LGauge* LimitsSlider = nullptr;
    QScrollBar* OVTScroll = nullptr;
    QScrollBar* UVTScroll = nullptr;
    QLabel* OVTLBL = nullptr;
    QLabel* UVTLBL = nullptr;
    vsq::display::GSlider* OVHystSlider = nullptr;
    vsq::display::GSlider* UVHystSlider = nullptr;
    QScrollBar* OVScroll = nullptr;
    QScrollBar* UVScroll = nullptr;
    QLabel* OVLBL = nullptr;
    QLabel* UVLBL = nullptr;
    QComboBox* RangeCombo = nullptr;
    QComboBox* FaultTypeCOMBO = nullptr;
    QComboBox* GlitchFilterCOMBO = nullptr;
    QComboBox* PolarityCombo = nullptr;
    QPushButton* QuitCMD = nullptr;

    // The selected input's index (0-6).
    int GetSelectedInput() const;

private:
    enum class Field { Range, FaultType, GlitchFilter, Polarity };

    void buildControls();
    void layOut();
    const SupplyFaultInput& selected() const;
    PFI& descriptor() const;

    void PFITXT_Click(int index);
    void SelectInput(int index);
    bool RefreshSelectedInput();
    void applyNegativePolarityRange();
    void RedrawLimits();
    void RedrawThresholds();
    void RedrawThresholdLabels();
    void RedrawHysteresis();
    void showHysteresisLabels();
    void fieldChosen(Field field);

    void AdjustLimits();
    void CommitLimits(int pointer);
    void thresholdBarMoved(std::int16_t pointer, int code);
    void commitHysteresis(bool over, int code);

    int pointerValue(std::int16_t pointer) const;
    void setPointerValue(std::int16_t pointer, int code);
    void setBands(int lower, int upper);
    void showThresholdSpan(int under, int over);

    QButtonGroup* inputGroup_ = nullptr;
    FillGuard fill_;
};

} // namespace trelvane
