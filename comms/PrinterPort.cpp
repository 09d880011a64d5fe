#include "comms/PrinterPort.h"

#include "comms/ControlPort.h"
#include "comms/DataPort.h"
#include "comms/EEPROM.h"
#include "comms/SMBusProtocall.h"
#include "comms/StatusPort.h"
#include "comms/bus_report.h"
#include "comms/bus_state.h"
#include "comms/child_reference.h"
#include "comms/line_engine.h"
#include "comms/port_access.h"
#include "platform/parallel_port_driver.h"

namespace brisendal {

PrinterPort::PrinterPort() {
    InitialiseParallelPorts();
    protocol_ = std::make_shared<brisendal::SMBusProtocall>();
    dataPort_ = std::make_shared<brisendal::DataPort>();
    statusPort_ = std::make_shared<brisendal::StatusPort>();
    controlPort_ = std::make_shared<brisendal::ControlPort>();
    eeprom_ = std::make_shared<brisendal::EEPROM>();
}

PrinterPort::~PrinterPort() {
    eeprom_.reset();
    protocol_.reset();
    dataPort_.reset();
    statusPort_.reset();
    controlPort_.reset();
}

void PrinterPort::setLockPortOpen(bool value) {
    FrameScope frame;
    RequireFrame(frame);
    auto& s = busState();
    s.LockPortOpen = value;
    if (value)
        s.LockPortOpen = OpenPort();
    else
        ClosePort();
}

bool PrinterPort::LockPortOpen() const {
    return busState().LockPortOpen;
}

std::uint8_t PrinterPort::PrinterPortsDetected() const {
    return DriverPortCount();
}

void PrinterPort::setPortAddressIndex(std::uint8_t value) {
    auto& s = busState();
    s.PortAddressIndex = value;
    if (s.PortCount >= 1 && value + 1 <= s.PortCount && value < s.PortAddressTable.size())
        s.PortAddress = s.PortAddressTable[value];
}

std::uint8_t PrinterPort::PortAddressIndex() const {
    return busState().PortAddressIndex;
}

std::shared_ptr<brisendal::EEPROM> PrinterPort::EEPROM() {
    if (!eeprom_)
        eeprom_ = std::make_shared<brisendal::EEPROM>();
    return eeprom_;
}

void PrinterPort::setEEPROM(std::shared_ptr<brisendal::EEPROM> value) {
    eeprom_ = std::move(value);
}

void PrinterPort::setDeviceAddress(std::uint8_t value) {
    busState().DeviceAddress = value;
}
std::uint8_t PrinterPort::DeviceAddress() const {
    return busState().DeviceAddress;
}
void PrinterPort::setDataInverted(bool value) {
    SetLineInversion(value);
}
bool PrinterPort::DataInverted() const {
    return busState().DataInverted;
}

void PrinterPort::setPortAddress(std::uint16_t value) {
    auto& s = busState();
    s.PortCount = DriverPortCount();
    if (s.PortCount != 0) {
        vsq::platform::PortInformation record;
        record.recordSize = 12;
        if (DriverPortInfo(s.PortAddressIndex + 1, record))
            s.PortAddress = static_cast<std::uint16_t>(record.baseAddress);
    }
    SelectPortByAddress(value);
}

std::uint16_t PrinterPort::PortAddress() const {
    return busState().PortAddress;
}

std::shared_ptr<brisendal::SMBusProtocall> PrinterPort::SMBusProtocall() const {
    return RequireChild(protocol_);
}
void PrinterPort::setSMBusProtocall(std::shared_ptr<brisendal::SMBusProtocall> value) {
    protocol_ = std::move(value);
}
std::shared_ptr<brisendal::DataPort> PrinterPort::DataPort() const {
    return RequireChild(dataPort_);
}
void PrinterPort::setDataPort(std::shared_ptr<brisendal::DataPort> value) {
    dataPort_ = std::move(value);
}
std::shared_ptr<brisendal::StatusPort> PrinterPort::StatusPort() const {
    return RequireChild(statusPort_);
}
void PrinterPort::setStatusPort(std::shared_ptr<brisendal::StatusPort> value) {
    statusPort_ = std::move(value);
}
std::shared_ptr<brisendal::ControlPort> PrinterPort::ControlPort() const {
    return RequireChild(controlPort_);
}
void PrinterPort::setControlPort(std::shared_ptr<brisendal::ControlPort> value) {
    controlPort_ = std::move(value);
}

bool PrinterPort::FrameInProgress() {
    return busState().frameInProgress();
}

} // namespace brisendal
