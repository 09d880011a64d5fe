#pragma once
// The VSQ5540 on the evaluation board, as its bus interface behaves.
//
// Registers: 256 bytes. 0x00-0xDF the working registers, 0xE0-0xFF the test registers.
// 0x93-0x95 (MANID, DEVID = 0x3E, REVID) and 0xD8-0xDF (status) are read-only: writes
// are acknowledged and ignored.
//
// A write phase's first byte is the command byte:
//   - any byte but 0xF8/0xF9 sets the register pointer; following bytes write the
//     registers from there on, the pointer advancing after each (wrapping at 0xFF);
//   - 0xF8 or 0xF9 followed by a second byte sets the EEPROM pointer (high byte, low
//     byte); a third and later bytes write EEPROM bytes, the pointer advancing within its
//     32-byte page. 0xF8/0xF9 alone sets the register pointer to that test register.
// The pointer survives a STOP. A read phase reads from where the last write phase left
// the pointer: registers, or the EEPROM when the last pointer set was an EEPROM one; each
// byte read advances the pointer (EEPROM reads run on through 0xF9FF back to 0xF800).
//
// EEPROM: 512 bytes, configuration 0xF800-0xF8FF and user 0xF900-0xF9FF; erased 0xFF.
// Page erase: a write phase of the lone byte 0xFE, straight after a write phase that
// did nothing but set the EEPROM pointer, erases the 32-byte page holding the pointer
// while UPDCFG bit 3 (EE_ERASE) is set. Without EE_ERASE the lone 0xFE only sets the
// register pointer, as any lone command byte does. EE_ERASE stays set until written.
//
// UPDCFG (0x90): writing bit 1 (RAMLD) loads registers 0x00-0xDF from configuration
// EEPROM bytes 0xF800-0xF8DF (read-only registers and UPDCFG itself keep their values);
// writing bit 2 (EEPROMLD) stores registers 0x00-0xDF into those EEPROM bytes (UPDCFG
// stored without its load bits). Both bits clear themselves; when both are written at
// once the load runs first.
//
// Power-up: the registers hold the program's default set-up (UPDCFG 0x01, CLKTRIM 0xE3
// = 0x01, thresholds, GPIs, pull-downs, the nine logic blocks, delays and driver
// outputs), the configuration EEPROM holds the same image in 0xF800-0xF8DF (0xFF above),
// the user EEPROM is erased.

#include "sim/smbus_device.h"

#include <array>
#include <cstdint>

namespace vsq::sim {

class Vsq5540 : public SmbusDevice {
public:
    static constexpr std::uint8_t kDefaultAddress = 0xA8;
    static constexpr std::uint8_t kUpdcfg = 0x90;
    static constexpr std::uint8_t kDevid = 0x94;
    static constexpr std::uint8_t kDevidValue = 0x3E;
    static constexpr std::uint8_t kPageEraseCommand = 0xFE;
    static constexpr std::uint16_t kEepromFirst = 0xF800;
    static constexpr std::size_t kEepromSize = 512;

    explicit Vsq5540(std::uint8_t address = kDefaultAddress);

    std::string_view name() const override { return "VSQ5540"; }
    void powerUp();

    // Direct access for tests: no bus traffic, no read-only rule, no UPDCFG action.
    std::uint8_t registerValue(std::uint8_t address) const { return registers_[address]; }
    void setRegisterValue(std::uint8_t address, std::uint8_t value) { registers_[address] = value; }
    // EEPROM by its bus address 0xF800-0xF9FF.
    std::uint8_t eepromByte(std::uint16_t address) const;
    void setEepromByte(std::uint16_t address, std::uint8_t value);
    static bool readOnly(std::uint8_t address);
    int pageErases() const { return pageErases_; }

    void beginWrite() override;
    bool writeByte(std::uint8_t value) override;
    void beginRead() override;
    std::uint8_t readByte() override;
    void end() override;

private:
    enum class Pointer { Register, Eeprom };
    static std::size_t eepromIndex(std::uint16_t address);
    void writeRegister(std::uint8_t address, std::uint8_t value);
    void applyUpdateControl();
    void erasePage();

    std::array<std::uint8_t, 256> registers_{};
    std::array<std::uint8_t, kEepromSize> eeprom_{};
    Pointer pointerKind_ = Pointer::Register;
    std::uint8_t registerPointer_ = 0;
    std::uint16_t eepromPointer_ = kEepromFirst;

    bool writing_ = false;
    int phaseBytes_ = 0;
    std::uint8_t firstByte_ = 0;
    bool previousPhaseSetEepromPointer_ = false;
    int pageErases_ = 0;
};

} // namespace vsq::sim
