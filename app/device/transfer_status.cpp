#include "app/device/transfer_status.h"

#include "app/device/transfer_record.h"

namespace trelvane {
namespace {

struct TransferStatus {
    std::uint64_t failures = 0;      // failed routine calls
    std::uint64_t libraryErrors = 0; // error events seen
    bool lastFailed = false;
};

TransferStatus& status() {
    static TransferStatus instance;
    return instance;
}

} // namespace

bool lastTransferFailed() {
    return status().lastFailed;
}

TransferMark markTransfers() {
    return TransferMark{status().failures};
}

bool transfersFailedSince(TransferMark mark) {
    return status().failures != mark.failures;
}

void noteLibraryError() {
    ++status().libraryErrors;
}

void resetTransferStatusForTests() {
    status() = TransferStatus{};
}

TransferRecord::TransferRecord() : libraryErrorsBefore_(status().libraryErrors) {}

TransferRecord::~TransferRecord() {
    const bool failed = !carried_ || status().libraryErrors != libraryErrorsBefore_;
    status().lastFailed = failed;
    if (failed) {
        ++status().failures;
    }
}

} // namespace trelvane
