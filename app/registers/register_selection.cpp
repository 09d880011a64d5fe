#include "app/registers/register_selection.h"

#include "app/device/vsq5540.h"
#include "app/registers/board_chip_nodes.h"
#include "app/registers/register_tree.h"

#include <algorithm>
#include <charconv>

namespace trelvane {
namespace {

constexpr std::string_view kEEPROMPrefix = "EEPROM";
constexpr std::string_view kConfigEEPROMPrefix = "EEPROMConfig";
constexpr std::string_view kUserEEPROMPrefix = "EEPROMUser";
constexpr std::string_view kTestRegisterPrefix = "TestReg";
constexpr float kConfigEEPROMBase = 0xF800;
constexpr float kUserEEPROMBase = 0xF900;
constexpr std::uint8_t kEveryBitReadOnly = 0xFF;

constexpr const char* kEEPROMNote =
    ". Note:The appropriate EEPROM address space must be erased before writes.";
constexpr const char* kTestRegisterNote =
    ". Note: This is a test register and should not be modified in any way.";

std::optional<unsigned> decimalNumber(std::string_view text) {
    if (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::vector<std::string> defaultBitTexts(int bits) {
    std::vector<std::string> texts;
    for (int bit = 0; bit < bits; ++bit)
        texts.push_back("Bit " + std::to_string(bit));
    return texts;
}

std::optional<PanelSetup> boardChipSetUp(std::string_view key) {
    for (const BoardChip& chip : kBoardChips) {
        if (!key.starts_with(chip.key))
            continue;
        for (const BoardRegister& reg : chip.registers) {
            if (key.substr(chip.key.size()) != reg.keySuffix)
                continue;
            PanelSetup setup;
            setup.communicationsType = reg.communicationsType;
            setup.deviceAddress = chip.deviceAddress;
            setup.addressPointer = reg.addressPointer;
            setup.readOnlyBitMask = reg.readOnlyBitMask;
            setup.details = std::string(key);
            setup.bitTexts = defaultBitTexts(16);
            setup.notApplicableBits = reg.notApplicableBits;
            return setup;
        }
    }
    return std::nullopt;
}

// The set-up shared by EEPROM bytes and test registers: every bit writable,
// default bit names, the node's text and a note as the details.
PanelSetup chipSpaceSetUp(std::int16_t type, std::uint8_t chipAddress, float addressPointer,
                          std::string details) {
    PanelSetup setup;
    setup.copyManagerAddress = true;
    setup.communicationsType = type;
    setup.deviceAddress = chipAddress;
    setup.addressPointer = addressPointer;
    setup.details = std::move(details);
    setup.bitTexts = defaultBitTexts(8);
    return setup;
}

std::optional<PanelSetup> eepromSetUp(std::string_view key, std::string_view text,
                                      std::uint8_t chipAddress) {
    const bool config = key.starts_with(kConfigEEPROMPrefix);
    const std::string_view prefix = config ? kConfigEEPROMPrefix : kUserEEPROMPrefix;
    if (!key.starts_with(prefix))
        return std::nullopt;
    const auto byte = decimalNumber(key.substr(prefix.size()));
    if (!byte || *byte > 0xFF)
        return std::nullopt;
    const float base = config ? kConfigEEPROMBase : kUserEEPROMBase;
    return chipSpaceSetUp(3, chipAddress, base + static_cast<float>(*byte),
                          std::string(text) + kEEPROMNote);
}

std::optional<PanelSetup> testRegisterSetUp(std::string_view key, std::string_view text,
                                            std::uint8_t chipAddress) {
    const auto address = decimalNumber(key.substr(kTestRegisterPrefix.size(), 3));
    if (!address || *address > 0xFF)
        return std::nullopt;
    return chipSpaceSetUp(0, chipAddress, static_cast<float>(*address),
                          std::string(text) + kTestRegisterNote);
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

PanelSetup chipRegisterSetUp(std::string_view key, std::uint8_t chipAddress, const VSQ5540& map) {
    const auto address = static_cast<std::uint8_t>(map.RegisterAddress(trimmed(key)));
    PanelSetup setup;
    setup.copyManagerAddress = true;
    setup.deviceAddress = chipAddress;
    setup.addressPointer = address;
    setup.details = map.RegisterName(address) + ": " + map.RegisterDescription(address);
    setup.readOnlyBitMask = map.ReadOnly(address) ? kEveryBitReadOnly : 0;
    for (std::uint8_t bit = 0; bit < 8; ++bit)
        setup.bitTexts.push_back(map.BitDescription(address, bit));
    return setup;
}

} // namespace

bool IsRegisterKey(std::string_view key) {
    const auto& keys = NonRegisterKeyTable();
    return std::find(keys.begin(), keys.end(), key) == keys.end();
}

std::optional<PanelSetup> SetUpForNode(std::string_view key, std::string_view text,
                                       std::uint8_t chipAddress, const VSQ5540& registerMap) {
    if (!IsRegisterKey(key))
        return boardChipSetUp(key);
    if (key.starts_with(kEEPROMPrefix))
        return eepromSetUp(key, text, chipAddress);
    if (key.starts_with(kTestRegisterPrefix))
        return testRegisterSetUp(key, text, chipAddress);
    return chipRegisterSetUp(key, chipAddress, registerMap);
}

} // namespace trelvane
