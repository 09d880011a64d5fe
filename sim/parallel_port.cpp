#include "sim/parallel_port.h"

#include "sim/line_capture.h"

namespace vsq::sim {
namespace {

constexpr std::uint8_t kUnconnectedStatus = 0x40; // bit 6 set; bit 7 (port-inverted) clear
constexpr std::uint8_t kFloatingSense = 0x38;     // bits 5, 4, 3 with nothing driving them
constexpr std::uint8_t kSpareLines = 0xFC;

} // namespace

ParallelPort::ParallelPort(int number, const PortConfig& config, Journal& journal,
                           LineCapture& capture)
    : number_(number), base_(config.base), adapter_(config.polarity), journal_(journal),
      activity_(journal.activity(number)), capture_(capture) {
    if (config.board) {
        board_ = std::make_unique<EvaluationBoard>(config.chipAddress);
        lines_ = std::make_unique<SmbusLines>(number, journal, board_.get());
    }
}

void ParallelPort::beginAccess() {
    if (!claimed_)
        ++activity_.unclaimedAccesses;
    if (lines_)
        lines_->countAccess();
}

std::uint8_t ParallelPort::read(std::uint16_t port) {
    beginAccess();
    switch (port - base_) {
    case 0:
        return data_;
    case 1:
        ++activity_.statusReads;
        return status();
    default:
        // Bits 6 and 7 are not latched on a PC port and read as set.
        return static_cast<std::uint8_t>(control_ | 0xC0);
    }
}

void ParallelPort::write(std::uint16_t port, std::uint8_t value) {
    beginAccess();
    switch (port - base_) {
    case 0:
        writeData(value);
        break;
    case 1: // the status register takes no writes
        break;
    default:
        ++activity_.controlWrites;
        control_ = value;
        break;
    }
}

void ParallelPort::writeData(std::uint8_t value) {
    journal_.recordDataWrite(activity_, value);
    if ((value ^ data_) & kSpareLines)
        journal_.recordSpareLines(activity_, static_cast<std::uint8_t>(value & kSpareLines));
    data_ = value;
    if (lines_) {
        lines_->driveMaster(adapter_.sclReleased(value), adapter_.sdaReleased(value));
        capture_.append(lines_->scl(), lines_->sda());
    } else {
        capture_.append(adapter_.sclReleased(value), adapter_.sdaReleased(value));
    }
}

std::uint8_t ParallelPort::status() const {
    if (!lines_)
        return kUnconnectedStatus | kFloatingSense;
    return static_cast<std::uint8_t>(kUnconnectedStatus |
                                     adapter_.senseBits(lines_->scl(), lines_->sda()));
}

bool ParallelPort::claim() {
    if (claimRefused_) {
        ++activity_.refusedClaims;
        return false;
    }
    ++activity_.claims;
    claimed_ = true;
    return true;
}

void ParallelPort::release() {
    ++activity_.releases;
    claimed_ = false;
}

} // namespace vsq::sim
