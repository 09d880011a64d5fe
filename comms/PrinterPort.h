#pragma once
// The parallel-port medium. Chooses the port (by position in the driver's list
// or by base address), claims it for a run of transfers (LockPortOpen), and sets
// the polarity and device address every transfer uses. None of these is held
// here: they are fields of the process-wide bus state. Holds the objects that
// work on the port: SMBusProtocall, the three register objects and EEPROM.
//
// A child replaced by an empty reference cannot be read back: its read is the
// failed status ComError 91 (EEPROM alone is created again).

#include <cstdint>
#include <memory>

namespace brisendal {

class SMBusProtocall;
class DataPort;
class StatusPort;
class ControlPort;
class EEPROM;

class PrinterPort {
public:
    // Detects the ports once per process (a missing driver fails the creation
    // with ComError), then creates SMBusProtocall, DataPort, StatusPort,
    // ControlPort and EEPROM, in this order.
    PrinterPort();
    ~PrinterPort();
    PrinterPort(const PrinterPort&) = delete;
    PrinterPort& operator=(const PrinterPort&) = delete;

    // True claims the selected port and keeps it open (reads back true only if
    // that worked); false releases it.
    void setLockPortOpen(bool value);
    bool LockPortOpen() const;
    // The driver's port count now (low 8 bits).
    std::uint8_t PrinterPortsDetected() const;
    // Stores the index; a detected position also selects that port's address.
    void setPortAddressIndex(std::uint8_t value);
    std::uint8_t PortAddressIndex() const;
    std::shared_ptr<brisendal::EEPROM> EEPROM();
    void setEEPROM(std::shared_ptr<brisendal::EEPROM> value);
    void setDeviceAddress(std::uint8_t value);
    std::uint8_t DeviceAddress() const;
    void setDataInverted(bool value);
    bool DataInverted() const;
    // Refreshes the selected port's address from the driver, then selects the
    // detected port with this base address, if any.
    void setPortAddress(std::uint16_t value);
    std::uint16_t PortAddress() const;
    std::shared_ptr<brisendal::SMBusProtocall> SMBusProtocall() const;
    void setSMBusProtocall(std::shared_ptr<brisendal::SMBusProtocall> value);
    std::shared_ptr<brisendal::DataPort> DataPort() const;
    void setDataPort(std::shared_ptr<brisendal::DataPort> value);
    std::shared_ptr<brisendal::StatusPort> StatusPort() const;
    void setStatusPort(std::shared_ptr<brisendal::StatusPort> value);
    std::shared_ptr<brisendal::ControlPort> ControlPort() const;
    void setControlPort(std::shared_ptr<brisendal::ControlPort> value);

    // Set while a transfer, a bus primitive or a direct port access of any
    // parallel-port object runs (its waits yield to the message loop). Timers
    // skip their tick while it is set; a transfer started during it is refused
    // without touching the lines.
    static bool FrameInProgress();

private:
    std::shared_ptr<brisendal::SMBusProtocall> protocol_;
    std::shared_ptr<brisendal::DataPort> dataPort_;
    std::shared_ptr<brisendal::StatusPort> statusPort_;
    std::shared_ptr<brisendal::ControlPort> controlPort_;
    std::shared_ptr<brisendal::EEPROM> eeprom_;
};

} // namespace brisendal
