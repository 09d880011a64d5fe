#include "app/tools/register_update.h"

#include "app/device/communications.h"
#include "app/device/transfer_status.h"

namespace trelvane {

bool ReadModifyWrite(std::uint8_t address, std::uint8_t keepMask, std::uint8_t setBits) {
    const std::uint8_t value = ReadRegister(address);
    if (lastTransferFailed())
        return false;
    WriteRegister(address, static_cast<std::uint8_t>((value & keepMask) | setBits));
    return true;
}

} // namespace trelvane
