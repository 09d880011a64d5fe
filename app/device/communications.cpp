#include "app/device/communications.h"

#include "app/device/chip_road.h"
#include "app/device/conversions.h"
#include "app/device/library_objects.h"
#include "app/device/short_delay.h"
#include "app/device/transfer_record.h"

#include <type_traits>

namespace trelvane {

std::uint8_t gPortType = static_cast<std::uint8_t>(Medium::PrinterPort);
std::uint8_t gChipAddress = 0;

namespace {

enum class Road { PrinterPort, ChipsetSMBus, None };

Road selectedRoad() {
    switch (static_cast<Medium>(gPortType)) {
    case Medium::PrinterPort:
        return Road::PrinterPort;
    case Medium::ChipsetSMBus:
        return Road::ChipsetSMBus;
    default:
        return Road::None;
    }
}

// The chipset's host controller takes the 7-bit address and shifts it itself.
std::uint8_t sevenBitAddress(std::uint8_t deviceAddress) {
    return deviceAddress >> 1;
}

constexpr std::uint8_t kPageEraseCommand = 0xFE;

struct EEPROMAddress {
    std::uint8_t highByte;
    std::uint8_t lowByte;
};

// The low 16 bits of the rounded address; a negative one gives the bytes of
// its two's complement.
EEPROMAddress splitEEPROMAddress(float address) {
    const auto n = static_cast<std::uint32_t>(roundToInt32(address));
    return {static_cast<std::uint8_t>((n >> 8) & 0xFF), static_cast<std::uint8_t>(n & 0xFF)};
}

// The EEPROM object's byte transfers address the library's process-wide device
// address, which other windows set to other devices. Point it at the chip for
// one request and then give back what was there.
class AddressingTheChip {
public:
    explicit AddressingTheChip(brisendal::EEPROM& eeprom)
        : eeprom_(eeprom), previous_(eeprom.DeviceAddress()) {
        eeprom_.setDeviceAddress(gChipAddress);
    }
    ~AddressingTheChip() { eeprom_.setDeviceAddress(previous_); }
    AddressingTheChip(const AddressingTheChip&) = delete;
    AddressingTheChip& operator=(const AddressingTheChip&) = delete;

private:
    brisendal::EEPROM& eeprom_;
    std::uint8_t previous_;
};

// One routine call that only the parallel port carries: on any other medium
// nothing is sent, the call counts as failed and a read gives 0.
template <typename Call> auto onPrinterPortOnly(Call&& call) -> decltype(call()) {
    using Result = decltype(call());
    TransferRecord record;
    if (selectedRoad() != Road::PrinterPort) {
        return Result();
    }
    if constexpr (std::is_void_v<Result>) {
        call();
        record.carried();
    } else {
        const Result value = call();
        record.carried();
        return value;
    }
}

} // namespace

void WriteDeviceRegister(std::uint8_t deviceAddress, std::uint8_t addressPointer,
                         std::uint8_t data) {
    TransferRecord record;
    switch (selectedRoad()) {
    case Road::PrinterPort:
        printerPortProtocol()->PortWrite(deviceAddress, addressPointer, data);
        record.carried();
        break;
    case Road::ChipsetSMBus:
        chipsetSMBus()->PortWrite(sevenBitAddress(deviceAddress), addressPointer, data);
        record.carried();
        break;
    case Road::None:
        break;
    }
}

std::uint8_t ReadDeviceRegister(std::uint8_t deviceAddress, std::uint8_t addressPointer) {
    TransferRecord record;
    std::uint8_t value = 0;
    switch (selectedRoad()) {
    case Road::PrinterPort:
        value = printerPortProtocol()->PortRead(deviceAddress, addressPointer);
        record.carried();
        break;
    case Road::ChipsetSMBus:
        value = chipsetSMBus()->PortRead(sevenBitAddress(deviceAddress), addressPointer);
        record.carried();
        break;
    case Road::None:
        break;
    }
    return value;
}

void WriteRegister(std::uint8_t addressPointer, std::uint8_t data) {
    WriteDeviceRegister(gChipAddress, addressPointer, data);
}

std::uint8_t ReadRegister(std::uint8_t addressPointer) {
    return ReadDeviceRegister(gChipAddress, addressPointer);
}

void WriteDeviceWord(std::uint8_t deviceAddress, std::uint8_t addressPointer, std::int32_t value) {
    onPrinterPortOnly([&] {
        printerPortProtocol()->WriteWord(deviceAddress, addressPointer, static_cast<float>(value));
    });
}

std::int32_t ReadDeviceWord(std::uint8_t deviceAddress, std::uint8_t addressPointer) {
    return onPrinterPortOnly([&] {
        return roundToInt32(printerPortProtocol()->ReadWord(deviceAddress, addressPointer));
    });
}

void SendDeviceByte(std::uint8_t deviceAddress, std::uint8_t data) {
    onPrinterPortOnly([&] { printerPortProtocol()->ShortWrite(deviceAddress, data); });
}

std::uint8_t ReceiveDeviceByte(std::uint8_t deviceAddress) {
    return onPrinterPortOnly([&] { return printerPortProtocol()->ShortRead(deviceAddress); });
}

void WriteEEPROMByte(float address, std::uint8_t data) {
    onPrinterPortOnly([&] {
        const auto eeprom = printerPortEEPROM();
        const EEPROMAddress cell = splitEEPROMAddress(address);
        AddressingTheChip chip(*eeprom);
        eeprom->WriteByte(cell.highByte, cell.lowByte, data);
    });
}

std::uint8_t ReadEEPROMByte(float address) {
    return onPrinterPortOnly([&] {
        const auto eeprom = printerPortEEPROM();
        const EEPROMAddress cell = splitEEPROMAddress(address);
        AddressingTheChip chip(*eeprom);
        return eeprom->ReadByte(cell.highByte, cell.lowByte);
    });
}

void EraseEEPROMPage(std::uint8_t highByte, std::uint8_t lowByte) {
    ShortDelay();
    onPrinterPortOnly([&] {
        {
            const auto eeprom = printerPortEEPROM();
            AddressingTheChip chip(*eeprom);
            eeprom->SetAddress(highByte, lowByte);
        }
        printerPortEEPROM()->SingleCommand(gChipAddress, kPageEraseCommand);
    });
}

} // namespace trelvane
