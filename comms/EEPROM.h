#pragma once
// The EEPROM object: transactions that name an EEPROM cell by a 16-bit address
// (high byte first) after the device address of the bus state, on the same
// port, polarity, delays and arbitration settings as SMBusProtocall. Every
// transaction opens the port itself, also while it is locked. A transaction
// that gives up, or that is refused because another frame is in progress,
// raises EEPROMError 2 with the text of SMBusProtocallError 2.
//
//     auto eeprom = root->PrinterPort()->EEPROM();
//     eeprom->setDeviceAddress(0xA8);
//     eeprom->WriteByte(0xF8, 0x10, 0x5A);
//     std::uint8_t value = eeprom->ReadByte(0xF8, 0x10);

#include "comms/event.h"

#include <cstdint>
#include <string>

namespace brisendal {

class EEPROM {
public:
    using ErrorEvent = Event<std::int16_t, const std::string&>;

    // Leaves the line patterns consistent with the current DataInverted.
    EEPROM();
    EEPROM(const EEPROM&) = delete;
    EEPROM& operator=(const EEPROM&) = delete;

    // Stored in this object only; the transactions pace with the bus state's
    // Delay and FrameDelay (set through SMBusProtocall).
    void setFrameDelay(float value) { frameDelay_ = value; }
    float FrameDelay() const { return frameDelay_; }
    void setDelay(std::int16_t value) { delay_ = value; }
    std::int16_t Delay() const { return delay_; }
    void setRelativeDelayOn(bool value);
    bool RelativeDelayOn() const;
    // S, dev, A, HighByte, A, LowByte, N, P
    void SetAddress(std::uint8_t HighByte, std::uint8_t LowByte);
    // S, dev, A, HighByte, A, LowByte, A, P, S, dev | 1, A, data, N, P
    std::uint8_t ReadByte(std::uint8_t HighByte, std::uint8_t LowByte);
    // S, dev, A, HighByte, A, LowByte, A, Data, A, P
    void WriteByte(std::uint8_t HighByte, std::uint8_t LowByte, std::uint8_t Data);
    // S, dev, A, CommandByte, A, HighByte, A, LowByte, A, P; returns false
    bool PageErase(std::uint8_t CommandByte, std::uint8_t HighByte, std::uint8_t LowByte);
    void setDeviceAddress(std::uint8_t value);
    std::uint8_t DeviceAddress() const;
    void SetEEPROMAddress(std::uint8_t HighByte, std::uint8_t LowByte);
    // S, DeviceAddress & 0xFE, A, CommandByte, A, P: the one transaction that
    // names its device itself.
    void SingleCommand(std::uint8_t DeviceAddress, std::uint8_t CommandByte);

    // EEPROMError(ErrorNumber, ErrorDescription), raised synchronously.
    ErrorEvent& EEPROMError() { return errorEvent_; }

private:
    template <typename Attempt> void transact(Attempt&& attempt);

    float frameDelay_ = 0.0f;
    std::int16_t delay_ = 0;
    ErrorEvent errorEvent_;
};

} // namespace brisendal
