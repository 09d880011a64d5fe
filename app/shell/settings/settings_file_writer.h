#pragma once
// The text of a settings data file, made from the snapshot tables. Lines end
// in CR LF; hexadecimal digits are upper case; numbers are written the same
// whatever the user's locale.

#include <cstdint>
#include <ctime>
#include <string>

namespace trelvane {

struct SettingsSections {
    bool evalBoard = false;
    bool ram = false;
    bool eeprom = false;
};

inline constexpr char kDataFileHeader[] = "Ombrix VSQ5540 Data File";

// "10:15:32, 07/12/2026" for `when` in local time: no comma inside either field.
std::string TimeAndDateText(std::time_t when);

// The header line, then the chosen sections from the snapshot tables in the
// order board, RAM, user EEPROM, configuration EEPROM. `chipAddress` is the
// chip's bus address the lines name.
std::string SettingsFileText(const SettingsSections& sections, std::uint8_t chipAddress,
                             const std::string& timeAndDate);

} // namespace trelvane
