#include "app/shell/settings/settings_file_reader.h"

#include "app/device/board_chips.h"

#include <array>
#include <charconv>
#include <optional>

namespace trelvane {
namespace {

constexpr std::string_view kHeader = "Ombrix VSQ5540 Data File";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && (isBlank(text.back()) || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// Calls `use` with each field of the text, in order.
template <typename Use> void forEachField(std::string_view text, Use&& use) {
    while (!text.empty()) {
        const std::size_t end = text.find_first_of(",\n");
        use(trimmed(text.substr(0, end)));
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
}

// Up to four numbers written as hexadecimal digits and "h", separated by blanks.
struct Numbers {
    std::array<std::uint32_t, 4> values{};
    std::size_t count = 0;
};

std::optional<std::uint32_t> hexNumber(std::string_view token) {
    if (token.size() < 2 || token.back() != 'h')
        return std::nullopt;
    token.remove_suffix(1);
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value, 16);
    if (error != std::errc() || end != token.data() + token.size())
        return std::nullopt;
    return value;
}

std::optional<Numbers> numbersAfterTag(std::string_view field) {
    std::string_view rest = field.substr(3);
    if (rest.empty() || !isBlank(rest.front()))
        return std::nullopt;
    Numbers numbers;
    while (true) {
        while (!rest.empty() && isBlank(rest.front()))
            rest.remove_prefix(1);
        if (rest.empty())
            return numbers;
        if (numbers.count == numbers.values.size())
            return std::nullopt;
        std::size_t length = 0;
        while (length < rest.size() && !isBlank(rest[length]))
            ++length;
        const auto value = hexNumber(rest.substr(0, length));
        if (!value)
            return std::nullopt;
        numbers.values[numbers.count++] = *value;
        rest.remove_prefix(length);
    }
}

bool bytes(const Numbers& numbers) {
    for (std::size_t i = 0; i < numbers.count; ++i)
        if (numbers.values[i] > 0xFF)
            return false;
    return true;
}

std::uint8_t byteAt(const Numbers& numbers, std::size_t index) {
    return static_cast<std::uint8_t>(numbers.values[index]);
}

// "0ES dev 0cmd value": a byte write; "0ES 58h value": the potentiometer's
// wiper (the potentiometer's line names no command).
std::optional<BoardWrite> byteLine(const Numbers& numbers) {
    if (!bytes(numbers) || numbers.count < 2 || numbers.count > 3)
        return std::nullopt;
    const std::uint8_t device = byteAt(numbers, 0);
    const std::uint8_t value = byteAt(numbers, numbers.count - 1);
    if (device == board::kPotentiometerU21)
        return BoardWrite{BoardWrite::Kind::Byte, device, board::kPotWiper, value};
    if (numbers.count != 3)
        return std::nullopt;
    return BoardWrite{BoardWrite::Kind::Byte, device, byteAt(numbers, 1), value};
}

// "1ES dev cmd word": a word write; the value is one hexadecimal number.
std::optional<BoardWrite> wordLine(const Numbers& numbers) {
    if (numbers.count != 3 || numbers.values[0] > 0xFF || numbers.values[1] > 0xFF ||
        numbers.values[2] > 0xFFFF)
        return std::nullopt;
    return BoardWrite{BoardWrite::Kind::Word, byteAt(numbers, 0), byteAt(numbers, 1),
                      static_cast<std::uint16_t>(numbers.values[2])};
}

// "2ES dev value": a send byte.
std::optional<BoardWrite> sendLine(const Numbers& numbers) {
    if (numbers.count != 2 || !bytes(numbers))
        return std::nullopt;
    return BoardWrite{BoardWrite::Kind::SendByte, byteAt(numbers, 0), 0, byteAt(numbers, 1)};
}

// "0RS chip register value"; the chip address is not used.
std::optional<RegisterWrite> registerLine(const Numbers& numbers) {
    if (numbers.count != 3 || !bytes(numbers))
        return std::nullopt;
    return RegisterWrite{byteAt(numbers, 1), byteAt(numbers, 2)};
}

// "3UE chip high low value": the address comes from the line, not the tag.
std::optional<EEPROMWrite> eepromLine(const Numbers& numbers, bool userTag) {
    if (numbers.count != 4 || !bytes(numbers))
        return std::nullopt;
    const auto address = static_cast<std::uint16_t>(numbers.values[1] << 8 | numbers.values[2]);
    if (address < kFirstEEPROMAddress || address > kLastEEPROMAddress)
        return std::nullopt;
    return EEPROMWrite{address, byteAt(numbers, 3), userTag};
}

template <typename Write>
void take(std::optional<Write> write, std::vector<Write>& writes, int& badLines) {
    if (write)
        writes.push_back(*write);
    else
        ++badLines;
}

void markSection(std::string_view field, SettingsFileContents& contents) {
    if (field.size() < 3)
        return;
    const std::string_view mark = field.substr(1, 2);
    contents.hasRAM = contents.hasRAM || mark == "RS";
    contents.hasUserEEPROM = contents.hasUserEEPROM || mark == "UE";
    contents.hasConfigEEPROM = contents.hasConfigEEPROM || mark == "CE";
    contents.hasBoard = contents.hasBoard || mark == "ES";
}

void readLine(std::string_view field, SettingsFileContents& contents) {
    const std::string_view tag = field.substr(0, 3);
    const bool board = tag == "0ES" || tag == "1ES" || tag == "2ES";
    const bool ram = tag == "0RS";
    const bool eeprom = tag == "3UE" || tag == "3CE";
    if (!board && !ram && !eeprom)
        return;
    const auto numbers = numbersAfterTag(field);
    if (board) {
        std::optional<BoardWrite> write;
        if (numbers)
            write = tag == "0ES"   ? byteLine(*numbers)
                    : tag == "1ES" ? wordLine(*numbers)
                                   : sendLine(*numbers);
        take(write, contents.board, contents.badBoardLines);
    } else if (ram) {
        take(numbers ? registerLine(*numbers) : std::nullopt, contents.ram, contents.badRAMLines);
    } else {
        take(numbers ? eepromLine(*numbers, tag == "3UE") : std::nullopt, contents.eeprom,
             contents.badEEPROMLines);
    }
}

} // namespace

SettingsFileContents ParseSettingsFile(std::string_view text) {
    SettingsFileContents contents;
    bool first = true;
    forEachField(text, [&](std::string_view field) {
        if (first) {
            contents.headerValid = field == kHeader;
            first = false;
        }
        markSection(field, contents);
        readLine(field, contents);
    });
    return contents;
}

} // namespace trelvane
