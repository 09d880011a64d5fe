#include "comms/EEPROM.h"

#include "comms/bus_frame.h"
#include "comms/bus_report.h"

namespace brisendal {
namespace {

std::uint8_t writeAddress() {
    return busState().DeviceAddress & 0xFE;
}
std::uint8_t readAddress() {
    return busState().DeviceAddress | 0x01;
}

// The address phase that every cell transaction starts with.
bool addressCell(std::uint8_t highByte, std::uint8_t lowByte) {
    return runSteps(
        StartCondition, [] { WriteDataByte(writeAddress()); }, ClockAck, writeByte(highByte),
        ClockAck, writeByte(lowByte));
}

} // namespace

EEPROM::EEPROM() {
    SetLineInversion(busState().DataInverted);
}

template <typename Attempt> void EEPROM::transact(Attempt&& attempt) {
    CarryOut<void>([this](std::int16_t n, const std::string& t) { errorEvent_.raise(n, t); },
                   [&] { RunFrame(attempt, kEepromFrame); });
}

void EEPROM::setRelativeDelayOn(bool value) {
    busState().RelativeDelayOn = value;
}
bool EEPROM::RelativeDelayOn() const {
    return busState().RelativeDelayOn;
}

void EEPROM::SetAddress(std::uint8_t HighByte, std::uint8_t LowByte) {
    transact([&] { return addressCell(HighByte, LowByte) && runSteps(ClockNoAck, StopCondition); });
}

std::uint8_t EEPROM::ReadByte(std::uint8_t HighByte, std::uint8_t LowByte) {
    std::uint8_t result = 0;
    transact([&] {
        if (!(addressCell(HighByte, LowByte) && runSteps(ClockAck)))
            return false;
        StopCondition(); // not tested: the following start's check decides
        return runSteps(
            StartCondition, [] { WriteDataByte(readAddress()); }, ClockAck,
            [&] { result = ReadDataByte(); }, ClockNoAck, StopCondition);
    });
    return result;
}

void EEPROM::WriteByte(std::uint8_t HighByte, std::uint8_t LowByte, std::uint8_t Data) {
    transact([&] {
        return addressCell(HighByte, LowByte) &&
               runSteps(ClockAck, writeByte(Data), ClockAck, StopCondition);
    });
}

bool EEPROM::PageErase(std::uint8_t CommandByte, std::uint8_t HighByte, std::uint8_t LowByte) {
    transact([&] {
        return runSteps(
            StartCondition, [] { WriteDataByte(writeAddress()); }, ClockAck, writeByte(CommandByte),
            ClockAck, writeByte(HighByte), ClockAck, writeByte(LowByte), ClockAck, StopCondition);
    });
    return false;
}

void EEPROM::setDeviceAddress(std::uint8_t value) {
    busState().DeviceAddress = value;
}
std::uint8_t EEPROM::DeviceAddress() const {
    return busState().DeviceAddress;
}

void EEPROM::SetEEPROMAddress(std::uint8_t HighByte, std::uint8_t LowByte) {
    SetAddress(HighByte, LowByte);
}

void EEPROM::SingleCommand(std::uint8_t DeviceAddress, std::uint8_t CommandByte) {
    transact([&] {
        return runSteps(StartCondition, writeByte(DeviceAddress & 0xFE), ClockAck,
                        writeByte(CommandByte), ClockAck, StopCondition);
    });
}

} // namespace brisendal
