#include "sim/smbus_slave_engine.h"

#include "sim/evaluation_board.h"
#include "sim/smbus_device.h"

namespace vsq::sim {

SmbusSlaveEngine::SmbusSlaveEngine(int bus, Journal& journal, EvaluationBoard* board)
    : bus_(bus), journal_(journal), board_(board) {}

void SmbusSlaveEngine::endPhase() {
    if (device_ != nullptr)
        device_->end();
    device_ = nullptr;
}

void SmbusSlaveEngine::onStart() {
    journal_.recordCondition(bus_, inFrame_ ? EventKind::RepeatedStart : EventKind::Start);
    endPhase();
    inFrame_ = true;
    bit_ = 0;
    acknowledgeClock_ = false;
    shift_ = 0;
    byteIndex_ = 0;
    reading_ = false;
    transmitting_ = false;
    sdaLow_ = false;
    hasPendingByte_ = false;
}

void SmbusSlaveEngine::onStop() {
    journal_.recordCondition(bus_, EventKind::Stop);
    endPhase();
    inFrame_ = false;
    transmitting_ = false;
    sdaLow_ = false;
    hasPendingByte_ = false;
}

void SmbusSlaveEngine::onSclRise(bool sda) {
    if (!inFrame_)
        return;
    if (bit_ < 8) {
        shift_ = static_cast<std::uint8_t>(shift_ << 1 | (sda ? 1 : 0));
        if (++bit_ == 8)
            completeByte();
        return;
    }
    if (acknowledgeClock_) {
        const bool acknowledged = !sda;
        if (hasPendingByte_) {
            journal_.setAck(pendingByte_, acknowledged ? Acknowledge::Ack : Acknowledge::Nack);
            hasPendingByte_ = false;
        }
        if (reading_ && byteIndex_ > 0)
            masterAcknowledged_ = acknowledged;
    }
}

// The eighth bit has been sampled: the byte is whole. Journal it; the acknowledge
// follows on the next clock.
void SmbusSlaveEngine::completeByte() {
    BusEvent event;
    event.bus = bus_;
    event.value = shift_;
    event.fromMaster = !(reading_ && byteIndex_ > 0);
    if (byteIndex_ == 0) {
        reading_ = (shift_ & 1) != 0;
        if (board_ != nullptr)
            device_ = board_->deviceAt(shift_);
    }
    if (device_ != nullptr) {
        event.device = device_->address();
        event.deviceName = device_->name();
    }
    pendingByte_ = journal_.record(event);
    hasPendingByte_ = true;
}

void SmbusSlaveEngine::onSclFall() {
    if (!inFrame_)
        return;
    if (bit_ == 8 && !acknowledgeClock_) {
        // The byte's eight bits are through: answer it (written bytes) or let go of SDA
        // for the master's acknowledge (bytes sent).
        acknowledgeClock_ = true;
        bool acknowledge = false;
        if (byteIndex_ == 0) {
            if (device_ != nullptr) {
                acknowledge = true;
                reading_ ? device_->beginRead() : device_->beginWrite();
            }
        } else if (!reading_ && device_ != nullptr) {
            acknowledge = device_->writeByte(shift_);
        }
        sdaLow_ = acknowledge;
        return;
    }
    if (bit_ == 8) {
        endOfAcknowledge();
        return;
    }
    // Inside a byte: a sending device puts its next bit on SDA.
    if (transmitting_ && bit_ > 0)
        sdaLow_ = ((txByte_ >> (7 - bit_)) & 1) == 0;
}

void SmbusSlaveEngine::endOfAcknowledge() {
    acknowledgeClock_ = false;
    sdaLow_ = false;
    bit_ = 0;
    shift_ = 0;
    const bool sendNext =
        reading_ && device_ != nullptr && (byteIndex_ == 0 || masterAcknowledged_);
    ++byteIndex_;
    masterAcknowledged_ = true;
    transmitting_ = sendNext;
    if (sendNext) {
        txByte_ = device_->readByte();
        sdaLow_ = (txByte_ & 0x80) == 0;
    }
    if (device_ != nullptr && stretchAccesses_ > 0)
        stretchLeft_ = stretchAccesses_ + 1; // the access that ends the stretch is not held
}

} // namespace vsq::sim
