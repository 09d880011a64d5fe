#include "comms/transactions.h"

#include "comms/bus_frame.h"

namespace brisendal {

void SendWriteWord(std::uint8_t deviceAddress, std::uint8_t addressPointer, std::int32_t value) {
    const auto high = static_cast<std::uint8_t>((value & ~0xFF) / 256);
    const auto low = static_cast<std::uint8_t>(value & 0xFF);
    RunFrame(
        [&] {
            return runSteps(StartCondition, writeByte(deviceAddress), ClockAck,
                            writeByte(addressPointer), ClockAck, writeByte(high), ClockAck,
                            writeByte(low), ClockAck, StopCondition);
        },
        kByteTransferFrame);
}

float SendReadWord(std::uint8_t deviceAddress, std::uint8_t addressPointer) {
    float result = 0.0f;
    RunFrame(
        [&] {
            if (!runSteps(StartCondition, writeByte(deviceAddress), ClockAck,
                          writeByte(addressPointer), ClockAck))
                return false;
            StopCondition(); // not tested: the following start's check decides
            return runSteps(
                StartCondition, writeByte(deviceAddress | 1), ClockAck,
                [&] { result = static_cast<float>(ReadDataByte() * 256); }, ClockMasterAck,
                [&] { result = static_cast<float>(static_cast<int>(result) | ReadDataByte()); },
                ClockNoAck, StopCondition);
        },
        kByteTransferFrame);
    return result;
}

void SendByte(std::uint8_t deviceAddress, std::uint8_t data) {
    RunFrame(
        [&] {
            return runSteps(StartCondition, writeByte(deviceAddress), ClockAck, writeByte(data),
                            ClockAck, StopCondition);
        },
        kByteTransferFrame);
}

std::uint8_t ReceiveByte(std::uint8_t deviceAddress) {
    std::uint8_t result = 0;
    RunFrame(
        [&] {
            return runSteps(
                StartCondition, writeByte(deviceAddress | 1), ClockAck,
                [&] { result = ReadDataByte(); }, BitDelay, ClockNoAck, BitDelay, StopCondition);
        },
        kByteTransferFrame);
    return result;
}

void WriteByteData(std::uint8_t deviceAddress, std::uint8_t addressPointer, std::uint8_t data) {
    RunFrame(
        [&] {
            return runSteps(StartCondition, writeByte(deviceAddress), ClockAck,
                            writeByte(addressPointer), ClockAck, writeByte(data), ClockAck,
                            StopCondition);
        },
        kByteTransferFrame);
}

std::uint8_t ReadByteData(std::uint8_t deviceAddress, std::uint8_t addressPointer) {
    std::uint8_t result = 0;
    RunFrame(
        [&] {
            if (!runSteps(StartCondition, writeByte(deviceAddress), ClockAck,
                          writeByte(addressPointer), ClockAck))
                return false;
            const bool joined = busState().RepeatedStart ? runSteps(PrepareRepeatedStart)
                                                         : runSteps(StopCondition, BitDelay);
            return joined && runSteps(
                                 StartCondition, writeByte(deviceAddress | 1), ClockAck,
                                 [&] { result = ReadDataByte(); }, BitDelay, ClockNoAck, BitDelay,
                                 StopCondition);
        },
        kByteReadFrame);
    return result;
}

} // namespace brisendal
