#pragma once
// How the register panel drives its strip chart: late, by the chart's dispatch
// numbers, with the argument types the chart expects. Clearing discards the
// recorded samples; a set-up gives one trace for the value or one per bit in
// logic-analyser mode; a sample feeds every trace of the mode.

#include "controls/common/dispatchable.h"

namespace mirelda {

// Discards the samples recorded so far.
void clearChart(vsq::controls::Dispatchable& chart);
// Clears, then configures the traces and the range for the register width
// and mode.
void setUpChart(vsq::controls::Dispatchable& chart, bool wordRegister, bool logic);
// One sample of the register value: the value itself on trace 0, or in logic
// mode one level per bit (the high byte's traces first, each byte from its top
// bit down).
void feedChart(vsq::controls::Dispatchable& chart, float value, bool wordRegister, bool logic);

} // namespace mirelda
