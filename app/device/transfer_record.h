#pragma once
// How the register I/O routines feed transfer_status.h. Internal to the library.

#include <cstdint>

namespace trelvane {

// Called for every error event the communications library raises on an
// object the routines use.
void noteLibraryError();

// Forgets every transfer and error seen, as before the first routine call. For
// test fixtures (device_state_reset.h).
void resetTransferStatusForTests();

// Records one routine call. It counts as failed unless `carried()` is called
// once the library call has returned, with no error event raised meanwhile;
// so an exception, or a medium with no road for the call, leaves it failed.
class TransferRecord {
public:
    TransferRecord();
    ~TransferRecord();
    TransferRecord(const TransferRecord&) = delete;
    TransferRecord& operator=(const TransferRecord&) = delete;

    void carried() { carried_ = true; }

private:
    std::uint64_t libraryErrorsBefore_;
    bool carried_ = false;
};

} // namespace trelvane
