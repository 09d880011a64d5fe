#include "app/device/data_port_or_bits.h"

#include "app/device/com_port.h"
#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"

namespace trelvane {
namespace {

DataPortOrBitsListener& listener() {
    static DataPortOrBitsListener connected;
    return connected;
}

} // namespace

void SetDataPortOrBits(std::uint8_t bits) {
    gComPort().PrinterPort()->SMBusProtocall()->setBitsToStayHigh(bits);
    if (listener())
        listener()(bits);
}

std::uint8_t DataPortOrBits() {
    return gComPort().PrinterPort()->SMBusProtocall()->BitsToStayHigh();
}

void connectDataPortOrBits(DataPortOrBitsListener connected) {
    listener() = std::move(connected);
}

} // namespace trelvane
