#pragma once
// The supply-fault tool's inputs, list entries and code-to-volts conversions.
// A detection range is known by its list text ("2V to 6V"): the volts a code
// stands for are computed from that text, so an empty range list gives 0 V.

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace trelvane {

class PFI;

enum class SupplyInputKind { Positive, Bipolar, HighVoltage };

struct SupplyFaultInput {
    const char* caption; // its button: "VP 1"
    const char* name;    // "PFI1"
    PFI* descriptor;
    SupplyInputKind kind;
};

// The seven inputs in button order: VP 1 to VP 4, VB 2, VB 1, VH.
const std::array<SupplyFaultInput, 7>& supplyFaultInputs();

// The detection-range entries of an input kind, code 0 first. The emulate-
// fixed-silicon option swaps the first two ranges of the positive inputs.
QStringList rangeEntries(SupplyInputKind kind, bool emulateFixedSilicon);
// Fault type codes 0-3 and glitch filter codes 0-7.
QStringList faultTypeEntries();
QStringList glitchFilterEntries();

// Volts spanned by a range, and its low end, from the range's text; 0 for a
// text that names no range.
float RangeSpan(const QString& rangeText);
float RangeLowEnd(const QString& rangeText);

// The threshold a code (0-255) stands for in a range, in volts.
double thresholdVolts(int code, const QString& rangeText);
// The hysteresis a code (0-31) stands for in a range, in whole millivolts.
int hysteresisMillivolts(int code, const QString& rangeText);
// Volts rounded to three decimals in their shortest form ("2.004", "3.6",
// "1"), with a point whatever the locale.
QString voltsText(double volts);

} // namespace trelvane
