#pragma once
// The library objects the register I/O routines hand their requests to, fetched
// anew through gComPort on every call (creating it when empty). Every object
// fetched here has its error event counted by transfer_status.h. Internal.

#include "comms/EEPROM.h"
#include "comms/SMBus.h"
#include "comms/SMBusProtocall.h"

#include <memory>

namespace trelvane {

std::shared_ptr<brisendal::SMBusProtocall> printerPortProtocol();
std::shared_ptr<brisendal::EEPROM> printerPortEEPROM();
std::shared_ptr<brisendal::SMBus> chipsetSMBus();

} // namespace trelvane
