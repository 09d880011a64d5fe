#include "comms/QVSComPort.h"

#include "comms/PrinterPort.h"
#include "comms/SMBus.h"
#include "comms/USB.h"
#include "comms/child_reference.h"

namespace brisendal {

QVSComPort::QVSComPort()
    : smbus_(std::make_shared<brisendal::SMBus>()), usb_(std::make_shared<brisendal::USB>()),
      printerPort_(std::make_shared<brisendal::PrinterPort>()) {}

QVSComPort::~QVSComPort() {
    usb_.reset();
    smbus_.reset();
    printerPort_.reset();
}

std::shared_ptr<brisendal::PrinterPort> QVSComPort::PrinterPort() const {
    return RequireChild(printerPort_);
}
void QVSComPort::setPrinterPort(std::shared_ptr<brisendal::PrinterPort> value) {
    printerPort_ = std::move(value);
}
std::shared_ptr<brisendal::USB> QVSComPort::USB() const {
    return RequireChild(usb_);
}
void QVSComPort::setUSB(std::shared_ptr<brisendal::USB> value) {
    usb_ = std::move(value);
}
std::shared_ptr<brisendal::SMBus> QVSComPort::SMBus() const {
    return RequireChild(smbus_);
}
void QVSComPort::setSMBus(std::shared_ptr<brisendal::SMBus> value) {
    smbus_ = std::move(value);
}

} // namespace brisendal
