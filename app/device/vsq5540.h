#pragma once
// The register map of the VSQ5540: every register's name, description, bit names
// and read-only flag, looked up by address, and its address looked up by name.
// It never touches the bus.

#include "app/device/register.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trelvane {

class VSQ5540 {
public:
    // The address `RegisterAddress` answers for a name that no register has.
    static constexpr float kNoAddress = 255.0f;

    VSQ5540();

    // Stored only; nothing reads it.
    std::int32_t DeviceAddress() const { return deviceAddress_; }
    void setDeviceAddress(std::int32_t address) { deviceAddress_ = address; }

    // Each answers the empty value (false, "") for an address no register has.
    bool ReadOnly(std::uint8_t address) const;
    // The name of bit `bit` (0 to 7) of the register; "" for any other bit number.
    std::string BitDescription(std::uint8_t address, std::uint8_t bit) const;
    std::string RegisterName(std::uint8_t address) const;
    std::string RegisterDescription(std::uint8_t address) const;
    // Exact, case-sensitive match; kNoAddress for no match, the empty name included.
    float RegisterAddress(std::string_view name) const;

private:
    void LoadRegisterMap();
    void SetDefaultBitDescriptions(std::size_t slot);
    // The first record that `matches`: the cached one when it matches, else the
    // first in load order, which then becomes the cached one.
    template <typename Matches> const Register* findRegister(Matches&& matches) const;
    const Register* findByAddress(std::uint8_t address) const;

    std::vector<Register> registers_; // one per table row, in load order
    // One-entry cache: the slot of the last register found by a scan. The
    // register access tool asks several questions in a row about one register.
    mutable std::optional<std::size_t> cachedSlot_;
    std::int32_t deviceAddress_ = 0;
};

// The program's one register map, created on first use.
VSQ5540& gRegisterMap();

} // namespace trelvane
