#pragma once
// The root object of the communications library: a client creates one and
// finds every other object below it. It holds one object per medium: SMBus
// (the chipset's SMBus host controller), USB (no transport) and PrinterPort
// (SMBus bit-banged on a parallel port).
//
//     auto root = std::make_shared<brisendal::QVSComPort>();   // may throw ComError
//     root->PrinterPort()->setDataInverted(true);
//     root->PrinterPort()->setPortAddress(888);
//     auto protocol = root->PrinterPort()->SMBusProtocall();
//     protocol->PortWrite(0xA8, 0x10, 0x5A);
//     if (!brisendal::PrinterPort::FrameInProgress()) { ... a timer's bus work ... }
//
// Each medium guards its own bus: a timer that works through the chipset
// medium checks SMBus::FrameInProgress() instead.
//
// A child replaced by an empty reference cannot be read back: its read is the
// failed status ComError 91.

#include <cstdint>
#include <memory>

namespace brisendal {

class PrinterPort;
class SMBus;
class USB;

class QVSComPort {
public:
    // Creates SMBus (which looks for a chipset controller), USB and PrinterPort
    // (which detects the parallel ports once per process), in this order. A
    // missing port driver or chipset library fails the creation (ComError).
    QVSComPort();
    ~QVSComPort();
    QVSComPort(const QVSComPort&) = delete;
    QVSComPort& operator=(const QVSComPort&) = delete;

    std::shared_ptr<brisendal::PrinterPort> PrinterPort() const;
    void setPrinterPort(std::shared_ptr<brisendal::PrinterPort> value);
    std::shared_ptr<brisendal::USB> USB() const;
    void setUSB(std::shared_ptr<brisendal::USB> value);
    std::shared_ptr<brisendal::SMBus> SMBus() const;
    void setSMBus(std::shared_ptr<brisendal::SMBus> value);
    // The medium a client chose (0 parallel port, 1 chipset SMBus, 2 USB);
    // stored only, nothing in the library reads it.
    void setPortType(std::int16_t value) { portType_ = value; }
    std::int16_t PortType() const { return portType_; }

private:
    std::shared_ptr<brisendal::SMBus> smbus_;
    std::shared_ptr<brisendal::USB> usb_;
    std::shared_ptr<brisendal::PrinterPort> printerPort_;
    std::int16_t portType_ = 0;
};

} // namespace brisendal
