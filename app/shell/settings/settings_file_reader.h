#pragma once
// Reads the text of a settings data file into the writes a recall makes,
// checking every line before anything reaches the bus.
//
// The text is a sequence of fields: a field ends at a comma or at the end of a
// line and loses its leading and trailing blanks. The first field must be the
// header text. A field whose second and third characters are "ES", "RS", "UE"
// or "CE" marks that section as present. A field that starts with a tag
// ("0ES", "1ES", "2ES", "0RS", "3UE", "3CE", case as written) is a line of its
// section; it is taken only when it has its tag's numbers, each hexadecimal
// digits followed by "h", within their ranges; otherwise it is counted as bad.
// Other fields are passed over.

#include <cstdint>
#include <string_view>
#include <vector>

namespace trelvane {

struct BoardWrite {
    enum class Kind { Byte, Word, SendByte };
    Kind kind = Kind::Byte;
    std::uint8_t device = 0;
    std::uint8_t command = 0;
    std::uint16_t value = 0; // a byte for Byte and SendByte
};

struct RegisterWrite {
    std::uint8_t address = 0;
    std::uint8_t value = 0;
};

struct EEPROMWrite {
    std::uint16_t address = 0; // 0xF800 to 0xF9FF
    std::uint8_t value = 0;
    bool userTag = false; // written as "3UE" (else "3CE")
};

struct SettingsFileContents {
    bool headerValid = false;
    // Sections marked present.
    bool hasBoard = false;
    bool hasRAM = false;
    bool hasUserEEPROM = false;
    bool hasConfigEEPROM = false;
    // The lines that passed their checks, in file order, and how many did not.
    std::vector<BoardWrite> board;
    std::vector<RegisterWrite> ram;
    std::vector<EEPROMWrite> eeprom;
    int badBoardLines = 0;
    int badRAMLines = 0;
    int badEEPROMLines = 0;
};

inline constexpr std::uint16_t kFirstEEPROMAddress = 0xF800;
inline constexpr std::uint16_t kLastEEPROMAddress = 0xF9FF;

SettingsFileContents ParseSettingsFile(std::string_view text);

} // namespace trelvane
