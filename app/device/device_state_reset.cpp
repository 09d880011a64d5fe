#include "app/device/device_state_reset.h"

#include "app/device/chip_road.h"
#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/device/data_port_or_bits.h"
#include "app/device/object_descriptors.h"
#include "app/device/transfer_record.h"

namespace trelvane {

void resetDeviceStateForTests() {
    gPortType = static_cast<std::uint8_t>(Medium::PrinterPort);
    gChipAddress = 0;
    resetComPortForTests();
    resetTransferStatusForTests();
    connectDataPortOrBits({});
    for (PFI* input : {&gPFI1, &gPFI2, &gPFI3, &gPFI4, &gHV, &gBPFI1, &gBPFI2})
        *input = PFI{};
}

} // namespace trelvane
