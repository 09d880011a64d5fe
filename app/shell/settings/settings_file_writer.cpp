#include "app/shell/settings/settings_file_writer.h"

#include "app/device/hex_digits.h"
#include "app/shell/settings/settings_snapshot.h"

namespace trelvane {
namespace {

constexpr char kLineEnd[] = "\r\n";

// Exactly two digits.
std::string hex2(std::uint8_t value) {
    return value < 0x10 ? "0" + HexDigits(value) : HexDigits(value);
}

void appendBoardLine(std::string& text, const EvalBoardRow& row, const EvalBoardSetting& setting) {
    text += row.tag;
    text += HexDigits(setting.device) + "h ";
    switch (row.commandField) {
    case CommandField::None: // the value, then a trailing blank
        text += HexDigits(setting.value) + "h " + kLineEnd;
        return;
    case CommandField::Digits:
        text += HexDigits(setting.command) + "h ";
        break;
    case CommandField::ZeroAndDigits:
        text += "0" + HexDigits(setting.command) + "h ";
        break;
    }
    text += HexDigits(setting.value) + "h" + kLineEnd;
}

void appendEEPROMLines(std::string& text, const char* tag, const char* half,
                       const std::string& chip, const std::array<std::uint8_t, 256>& image) {
    for (int i = 0; i < 256; ++i)
        text += tag + chip + "h " + half + hex2(static_cast<std::uint8_t>(i)) + "h " +
                hex2(image[i]) + "h" + kLineEnd;
}

} // namespace

std::string TimeAndDateText(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, "%H:%M:%S, %d/%m/%Y", &local);
    return std::string(text, length);
}

std::string SettingsFileText(const SettingsSections& sections, std::uint8_t chipAddress,
                             const std::string& timeAndDate) {
    const std::string chip = hex2(chipAddress);
    std::string text;
    text.reserve(16 * 1024);
    text += std::string(kDataFileHeader) + ", " + timeAndDate + kLineEnd;
    if (sections.evalBoard) {
        // The ADCs first (rows 10 to 21), then the DACs, the switch and the potentiometer.
        for (std::size_t row = 10; row < kEvalBoardRows; ++row)
            appendBoardLine(text, kEvalBoardTable[row], gEvalBoardSettings[row]);
        for (std::size_t row = 0; row < 10; ++row)
            appendBoardLine(text, kEvalBoardTable[row], gEvalBoardSettings[row]);
    }
    if (sections.ram) {
        for (int i = 0; i < 256; ++i)
            text += "0RS " + chip + "h " + hex2(static_cast<std::uint8_t>(i)) + "h " +
                    hex2(gRAMImage[i]) + "h" + kLineEnd;
    }
    if (sections.eeprom) {
        appendEEPROMLines(text, "3UE ", "F9h ", chip, gUserEEPROMImage);
        appendEEPROMLines(text, "3CE ", "F8h ", chip, gConfigEEPROMImage);
    }
    return text;
}

} // namespace trelvane
