#pragma once
// Whether the register I/O routines' transfers went through. A transfer that
// fails on the bus is no error (a read returns 0), so a read-modify-write must
// ask here before it writes back a value that was never read:
//
//     const auto value = ReadRegister(reg::PDEN);
//     if (lastTransferFailed()) return;
//     WriteRegister(reg::PDEN, (value & ~reg::field::PDEN::PDENGPI1.mask) | bit);
//
// or, over several transfers:
//
//     const TransferMark mark = markTransfers();
//     ... reads ...
//     if (transfersFailedSince(mark)) return;
//
// A routine call counts as failed when the communications library reported an
// error event during it, when it raised a failed status, or when it had no road
// for the selected medium (nothing was sent or read).

#include <cstdint>

namespace trelvane {

struct TransferMark {
    std::uint64_t failures = 0;
};

// True when the last register I/O routine call failed; false before any call.
bool lastTransferFailed();

// A mark to test later with transfersFailedSince.
TransferMark markTransfers();

// True when any register I/O routine call since `mark` failed.
bool transfersFailedSince(TransferMark mark);

} // namespace trelvane
