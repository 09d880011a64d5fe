#include "app/device/library_objects.h"

#include "app/device/com_port.h"
#include "app/device/transfer_record.h"
#include "comms/PrinterPort.h"
#include "comms/QVSComPort.h"

#include <cstdint>
#include <string>

namespace trelvane {
namespace {

// Keeps one subscription to the error event of the object last fetched of its
// kind; a new object (the library may replace a child) is subscribed afresh.
template <typename Object> class ErrorWatch {
public:
    void watch(const std::shared_ptr<Object>& object, typename Object::ErrorEvent& event) {
        if (watched_.lock() == object) {
            return;
        }
        subscription_ =
            event.subscribe([](std::int16_t, const std::string&) { noteLibraryError(); });
        watched_ = object;
    }

private:
    std::weak_ptr<Object> watched_;
    typename Object::ErrorEvent::Subscription subscription_;
};

} // namespace

std::shared_ptr<brisendal::SMBusProtocall> printerPortProtocol() {
    static ErrorWatch<brisendal::SMBusProtocall> errors;
    auto protocol = gComPort().PrinterPort()->SMBusProtocall();
    errors.watch(protocol, protocol->SMBusProtocallError());
    return protocol;
}

std::shared_ptr<brisendal::EEPROM> printerPortEEPROM() {
    static ErrorWatch<brisendal::EEPROM> errors;
    auto eeprom = gComPort().PrinterPort()->EEPROM();
    errors.watch(eeprom, eeprom->EEPROMError());
    return eeprom;
}

std::shared_ptr<brisendal::SMBus> chipsetSMBus() {
    return gComPort().SMBus();
}

} // namespace trelvane
