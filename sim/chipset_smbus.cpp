#include "sim/chipset_smbus.h"

namespace vsq::sim {

ChipsetSmbus::ChipsetSmbus(Journal& journal, std::unique_ptr<EvaluationBoard> board)
    : journal_(journal), board_(std::move(board)) {}

void ChipsetSmbus::recordByte(std::uint8_t value, bool fromMaster, bool ack,
                              const SmbusDevice* device) {
    BusEvent event;
    event.bus = kChipsetBus;
    event.value = value;
    event.fromMaster = fromMaster;
    event.ack = ack ? Acknowledge::Ack : Acknowledge::Nack;
    if (device != nullptr) {
        event.device = device->address();
        event.deviceName = device->name();
    }
    journal_.record(event);
}

ChipsetSmbus::Outcome ChipsetSmbus::byteData(std::uint8_t addressByte, std::uint8_t command,
                                             std::uint8_t& data) {
    if (forcedTransfers_ > 0) {
        --forcedTransfers_;
        return forcedOutcome_;
    }
    if (faults_.holdSclLow || faults_.holdSdaLow)
        return Outcome::BusError;
    if (secondMasterTransfers_ > 0) {
        --secondMasterTransfers_;
        return Outcome::BusError;
    }
    auto mark = [&](EventKind kind) { journal_.recordCondition(kChipsetBus, kind); };
    const bool read = (addressByte & 1) != 0;
    const auto writeAddress = static_cast<std::uint8_t>(addressByte & 0xFE);
    SmbusDevice* device = board_ ? board_->deviceAt(writeAddress) : nullptr;

    mark(EventKind::Start);
    recordByte(writeAddress, true, device != nullptr, device);
    if (device == nullptr) {
        mark(EventKind::Stop);
        return Outcome::DeviceError;
    }
    device->beginWrite();
    const bool commandAcknowledged = device->writeByte(command);
    recordByte(command, true, commandAcknowledged, device);
    if (!commandAcknowledged) {
        device->end();
        mark(EventKind::Stop);
        return Outcome::DeviceError;
    }
    if (!read) {
        const bool dataAcknowledged = device->writeByte(data);
        recordByte(data, true, dataAcknowledged, device);
        device->end();
        mark(EventKind::Stop);
        return dataAcknowledged ? Outcome::Done : Outcome::DeviceError;
    }
    device->end();
    mark(EventKind::RepeatedStart);
    recordByte(addressByte, true, true, device);
    device->beginRead();
    data = device->readByte();
    recordByte(data, false, false, device);
    device->end();
    mark(EventKind::Stop);
    return Outcome::Done;
}

} // namespace vsq::sim
