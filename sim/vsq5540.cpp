#include "sim/vsq5540.h"

#include "sim/vsq5540_defaults.h"

namespace vsq::sim {
namespace {

constexpr std::uint8_t kEeErase = 0x08;
constexpr std::uint8_t kEepromLoad = 0x04;
constexpr std::uint8_t kRamLoad = 0x02;
constexpr std::uint8_t kLastWorkingRegister = 0xDF;
constexpr std::uint16_t kPageMask = 0x1F;

bool isEepromCommand(std::uint8_t byte) {
    return byte == 0xF8 || byte == 0xF9;
}

} // namespace

Vsq5540::Vsq5540(std::uint8_t address) : SmbusDevice(address) {
    powerUp();
}

void Vsq5540::powerUp() {
    registers_ = vsq5540DefaultRegisters();
    eeprom_.fill(0xFF);
    for (int i = 0; i <= kLastWorkingRegister; ++i)
        eeprom_[i] = registers_[i];
    pointerKind_ = Pointer::Register;
    registerPointer_ = 0;
    eepromPointer_ = kEepromFirst;
    writing_ = false;
    phaseBytes_ = 0;
    previousPhaseSetEepromPointer_ = false;
    pageErases_ = 0;
}

bool Vsq5540::readOnly(std::uint8_t address) {
    return (address >= 0x93 && address <= 0x95) || (address >= 0xD8 && address <= 0xDF);
}

std::size_t Vsq5540::eepromIndex(std::uint16_t address) {
    return static_cast<std::size_t>(address - kEepromFirst) % kEepromSize;
}

std::uint8_t Vsq5540::eepromByte(std::uint16_t address) const {
    return eeprom_[eepromIndex(address)];
}

void Vsq5540::setEepromByte(std::uint16_t address, std::uint8_t value) {
    eeprom_[eepromIndex(address)] = value;
}

void Vsq5540::beginWrite() {
    writing_ = true;
    phaseBytes_ = 0;
}

bool Vsq5540::writeByte(std::uint8_t value) {
    const int index = phaseBytes_++;
    if (index == 0) {
        // Decided by what follows: a pointer set, an EEPROM address, or a page erase.
        firstByte_ = value;
        return true;
    }
    if (index == 1) {
        if (isEepromCommand(firstByte_)) {
            pointerKind_ = Pointer::Eeprom;
            eepromPointer_ = static_cast<std::uint16_t>(firstByte_ << 8 | value);
            return true;
        }
        pointerKind_ = Pointer::Register;
        registerPointer_ = firstByte_;
    }
    if (pointerKind_ == Pointer::Eeprom) {
        eeprom_[eepromIndex(eepromPointer_)] = value;
        eepromPointer_ = static_cast<std::uint16_t>((eepromPointer_ & ~kPageMask) |
                                                    ((eepromPointer_ + 1) & kPageMask));
    } else {
        writeRegister(registerPointer_++, value);
    }
    return true;
}

void Vsq5540::beginRead() {
    writing_ = false;
}

std::uint8_t Vsq5540::readByte() {
    if (pointerKind_ == Pointer::Eeprom) {
        std::uint8_t value = eeprom_[eepromIndex(eepromPointer_)];
        eepromPointer_ = static_cast<std::uint16_t>(kEepromFirst + eepromIndex(eepromPointer_ + 1));
        return value;
    }
    return registers_[registerPointer_++];
}

void Vsq5540::end() {
    bool setEepromPointer = false;
    if (writing_) {
        if (phaseBytes_ == 1) {
            bool erase = firstByte_ == kPageEraseCommand && previousPhaseSetEepromPointer_ &&
                         (registers_[kUpdcfg] & kEeErase) != 0;
            if (erase) {
                erasePage();
            } else {
                pointerKind_ = Pointer::Register;
                registerPointer_ = firstByte_;
            }
        }
        setEepromPointer = phaseBytes_ == 2 && isEepromCommand(firstByte_);
    }
    previousPhaseSetEepromPointer_ = setEepromPointer;
    writing_ = false;
    phaseBytes_ = 0;
}

void Vsq5540::writeRegister(std::uint8_t address, std::uint8_t value) {
    if (readOnly(address))
        return;
    registers_[address] = value;
    if (address == kUpdcfg)
        applyUpdateControl();
}

void Vsq5540::applyUpdateControl() {
    const std::uint8_t requested = registers_[kUpdcfg];
    registers_[kUpdcfg] = static_cast<std::uint8_t>(requested & ~(kRamLoad | kEepromLoad));
    if (requested & kRamLoad) {
        for (int i = 0; i <= kLastWorkingRegister; ++i)
            if (i != kUpdcfg && !readOnly(static_cast<std::uint8_t>(i)))
                registers_[i] = eeprom_[i];
    }
    if (requested & kEepromLoad) {
        for (int i = 0; i <= kLastWorkingRegister; ++i)
            eeprom_[i] = registers_[i];
    }
}

void Vsq5540::erasePage() {
    const std::size_t first = eepromIndex(eepromPointer_) & ~static_cast<std::size_t>(kPageMask);
    for (std::size_t i = 0; i <= kPageMask; ++i)
        eeprom_[first + i] = 0xFF;
    ++pageErases_;
}

} // namespace vsq::sim
