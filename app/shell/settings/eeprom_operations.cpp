#include "app/shell/settings/eeprom_operations.h"

#include "app/device/chip_registers.h"
#include "app/device/communications.h"
#include "app/device/transfer_status.h"
#include "platform/services.h"

#include <initializer_list>

namespace trelvane {
namespace {

using vsq::platform::quitRequested;
using vsq::platform::secondsNow;
using vsq::platform::waitUntil;

} // namespace

void SetUPDCFGBits(std::uint8_t bits) {
    const std::uint8_t value = ReadRegister(reg::UPDCFG);
    if (lastTransferFailed())
        return;
    WriteRegister(reg::UPDCFG, value | bits);
}

namespace {

// Erases the eight pages of each half in turn; checks for a stop between pages.
bool erasePages(std::initializer_list<std::uint8_t> halves, const StopRequest& stop) {
    bool first = true;
    for (const std::uint8_t highByte : halves) {
        for (int low = 0; low < 0x100; low += kEEPROMPageSize) {
            if (!first && (quitRequested() || (stop && stop())))
                return false;
            first = false;
            EraseEEPROMPage(highByte, static_cast<std::uint8_t>(low));
        }
    }
    return true;
}

} // namespace

bool EraseEEPROMHalf(std::uint8_t highByte, const StopRequest& stop) {
    return erasePages({highByte}, stop);
}

bool EraseAllEEPROMPages(const StopRequest& stop) {
    return erasePages({kConfigEEPROMHighByte, kUserEEPROMHighByte}, stop);
}

CopyOutcome CopyRegistersToConfigEEPROM(bool eraseFirst, EEPROMCopyListener& listener) {
    listener.showStatus("Erasing EEPROM");
    SetUPDCFGBits(reg::field::UPDCFG::EE_ERASE.mask);
    listener.showUPDCFG();
    if (eraseFirst)
        EraseEEPROMHalf(kConfigEEPROMHighByte, nullptr);
    listener.showStatus(
        "Please wait while RAM settings are written to the EEPROM Config registers.");
    constexpr float kFirst = 0xF800;
    for (int i = 0; i < 256; ++i) {
        if (quitRequested())
            return CopyOutcome::Stopped;
        const std::uint8_t value = ReadRegister(static_cast<std::uint8_t>(i));
        WriteEEPROMByte(kFirst + static_cast<float>(i), value);
        waitUntil(secondsNow() + kEEPROMByteInterval);
        listener.showProgress(i);
        if (listener.stopRequested() || quitRequested()) {
            listener.showStatus("EEPROM Erase interrupted by user");
            return CopyOutcome::Stopped;
        }
    }
    listener.showStatus("RAM settings were saved to EEPROM Config");
    return CopyOutcome::Finished;
}

} // namespace trelvane
