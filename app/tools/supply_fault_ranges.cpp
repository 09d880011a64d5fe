#include "app/tools/supply_fault_ranges.h"

#include "app/device/object_descriptors.h"

#include <cmath>

namespace trelvane {

const std::array<SupplyFaultInput, 7>& supplyFaultInputs() {
    // VB 2 stands before VB 1, as on the board's silk screen.
    static const std::array<SupplyFaultInput, 7> inputs = {{
        {"VP 1", "PFI1", &gPFI1, SupplyInputKind::Positive},
        {"VP 2", "PFI2", &gPFI2, SupplyInputKind::Positive},
        {"VP 3", "PFI3", &gPFI3, SupplyInputKind::Positive},
        {"VP 4", "PFI4", &gPFI4, SupplyInputKind::Positive},
        {"VB 2", "BPFI2", &gBPFI2, SupplyInputKind::Bipolar},
        {"VB 1", "BPFI1", &gBPFI1, SupplyInputKind::Bipolar},
        {"VH", "HV", &gHV, SupplyInputKind::HighVoltage},
    }};
    return inputs;
}

QStringList rangeEntries(SupplyInputKind kind, bool emulateFixedSilicon) {
    switch (kind) {
    case SupplyInputKind::Positive:
        if (emulateFixedSilicon)
            return {"2V to 6V", "1V to 3V", "0.6V to 1.8V"};
        return {"1V to 3V", "2V to 6V", "0.6V to 1.8V"};
    case SupplyInputKind::Bipolar:
        return {"1V to 3V", "2V to 6V"};
    case SupplyInputKind::HighVoltage:
        return {"2V to 6V", "4.8V to 14.4V"};
    }
    return {};
}

QStringList faultTypeEntries() {
    return {"Overvoltage", "Undervoltage", "Out-of-window", "Not Allowed"};
}

QStringList glitchFilterEntries() {
    return {"0", "5", "10", "20", "30", "50", "75", "100"};
}

float RangeSpan(const QString& rangeText) {
    const QChar first = rangeText.isEmpty() ? QChar() : rangeText.front();
    switch (first.unicode()) {
    case '0':
        return 1.2f;
    case '1':
        return 2.0f;
    case '2':
        return 4.0f;
    case '4':
        return 9.6f;
    default:
        return 0.0f;
    }
}

float RangeLowEnd(const QString& rangeText) {
    if (rangeText.startsWith("0."))
        return 0.6f;
    if (rangeText.startsWith("4."))
        return rangeText.left(3).toFloat();
    if (!rangeText.isEmpty() && rangeText.front().isDigit())
        return static_cast<float>(rangeText.front().digitValue());
    return 0.0f;
}

double thresholdVolts(int code, const QString& rangeText) {
    return static_cast<double>(RangeLowEnd(rangeText)) +
           code / 255.0 * static_cast<double>(RangeSpan(rangeText));
}

int hysteresisMillivolts(int code, const QString& rangeText) {
    const double volts = code * static_cast<double>(RangeSpan(rangeText)) / 255.0;
    return static_cast<int>(std::lround(volts * 1000.0));
}

QString voltsText(double volts) {
    QString text = QString::number(std::round(volts * 1000.0) / 1000.0, 'f', 3);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text;
}

} // namespace trelvane
