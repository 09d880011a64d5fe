// Fuzz target of the settings file reader: any text is read without a crash or
// a hang, every write it yields lies within its line's range, and the writes,
// written back as lines of a settings file, read back the same.

#include "app/shell/settings/settings_file_reader.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

using namespace trelvane;

std::string line(const char* format, unsigned a, unsigned b = 0, unsigned c = 0) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

std::string writtenBack(const SettingsFileContents& contents) {
    std::string text = "Ombrix VSQ5540 Data File, 10:15:32, 07/12/2026\r\n";
    for (const BoardWrite& w : contents.board) {
        switch (w.kind) {
        case BoardWrite::Kind::Byte:
            text += w.device == 0x58 ? line("0ES %02Xh %02Xh\r\n", w.device, w.value)
                                     : line("0ES %02Xh 0%Xh %Xh\r\n", w.device, w.command, w.value);
            break;
        case BoardWrite::Kind::Word:
            text += line("1ES %Xh %Xh %Xh\r\n", w.device, w.command, w.value);
            break;
        case BoardWrite::Kind::SendByte:
            text += line("2ES %Xh %Xh \r\n", w.device, w.value);
            break;
        }
    }
    for (const RegisterWrite& w : contents.ram)
        text += line("0RS A8h %02Xh %02Xh\r\n", w.address, w.value);
    for (const EEPROMWrite& w : contents.eeprom)
        text += line(w.userTag ? "3UE A8h %02Xh %02Xh %02Xh\r\n" : "3CE A8h %02Xh %02Xh %02Xh\r\n",
                     w.address >> 8, w.address & 0xFF, w.value);
    return text;
}

bool sameWrites(const SettingsFileContents& a, const SettingsFileContents& b) {
    if (a.board.size() != b.board.size() || a.ram.size() != b.ram.size() ||
        a.eeprom.size() != b.eeprom.size())
        return false;
    for (std::size_t i = 0; i < a.board.size(); ++i)
        if (a.board[i].kind != b.board[i].kind || a.board[i].device != b.board[i].device ||
            a.board[i].command != b.board[i].command || a.board[i].value != b.board[i].value)
            return false;
    for (std::size_t i = 0; i < a.ram.size(); ++i)
        if (a.ram[i].address != b.ram[i].address || a.ram[i].value != b.ram[i].value)
            return false;
    for (std::size_t i = 0; i < a.eeprom.size(); ++i)
        if (a.eeprom[i].address != b.eeprom[i].address || a.eeprom[i].value != b.eeprom[i].value ||
            a.eeprom[i].userTag != b.eeprom[i].userTag)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const SettingsFileContents contents = ParseSettingsFile(text);

    for (const EEPROMWrite& w : contents.eeprom)
        if (w.address < kFirstEEPROMAddress || w.address > kLastEEPROMAddress)
            __builtin_trap();
    for (const BoardWrite& w : contents.board)
        if (w.kind != BoardWrite::Kind::Word && w.value > 0xFF)
            __builtin_trap();
    // Each write and each bad line is a field of its own.
    std::size_t fields = 1;
    for (const char c : text)
        fields += c == ',' || c == '\n';
    const std::size_t lines =
        contents.board.size() + contents.ram.size() + contents.eeprom.size() +
        static_cast<std::size_t>(contents.badBoardLines + contents.badRAMLines +
                                 contents.badEEPROMLines);
    if (lines > fields)
        __builtin_trap();

    const SettingsFileContents again = ParseSettingsFile(writtenBack(contents));
    if (!again.headerValid || !sameWrites(contents, again) || again.badBoardLines != 0 ||
        again.badRAMLines != 0 || again.badEEPROMLines != 0)
        __builtin_trap();
    return 0;
}
