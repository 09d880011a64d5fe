// Reading a settings file's text into the writes of a recall, line by line.

#include "app/shell/settings/settings_file_reader.h"

#include <gtest/gtest.h>

#include <string>

using namespace trelvane;

namespace {

constexpr char kHeader[] = "Ombrix VSQ5540 Data File, 10:15:32, 07/12/2026\r\n";

SettingsFileContents read(const std::string& lines) {
    return ParseSettingsFile(kHeader + lines);
}

std::string describe(const SettingsFileContents& c) {
    std::string text;
    char item[48];
    for (const BoardWrite& w : c.board) {
        const char* kind = w.kind == BoardWrite::Kind::Byte   ? "byte"
                           : w.kind == BoardWrite::Kind::Word ? "word"
                                                              : "send";
        std::snprintf(item, sizeof item, "%s %02X %02X %04X;", kind, w.device, w.command, w.value);
        text += item;
    }
    for (const RegisterWrite& w : c.ram) {
        std::snprintf(item, sizeof item, "reg %02X %02X;", w.address, w.value);
        text += item;
    }
    for (const EEPROMWrite& w : c.eeprom) {
        std::snprintf(item, sizeof item, "%s %04X %02X;", w.userTag ? "user" : "config", w.address,
                      w.value);
        text += item;
    }
    if (int bad = c.badBoardLines + c.badRAMLines + c.badEEPROMLines)
        text += "bad " + std::to_string(bad) + ";";
    return text;
}

TEST(SettingsFileReader, EachLineGivesItsWriteOrIsCountedBad) {
    struct Case {
        const char* line;
        const char* expected;
    };
    const Case cases[] = {
        // clang-format off
        // The lines a save writes.
        {"0ES 50h 01h 5h", "byte 50 01 0005;"}, {"1ES 50h 02h 4B00h", "word 50 02 4B00;"},
        {"1ES 18h 21h 2200h", "word 18 21 2200;"}, {"2ES 90h 41h ", "send 90 00 0041;"},
        {"0ES 58h 80h ", "byte 58 00 0080;"}, {"0RS A8h 0Dh 12h", "reg 0D 12;"},
        {"3UE A8h F9h 00h FFh", "user F900 FF;"}, {"3CE A8h F8h 90h 01h", "config F890 01;"},
        // A word of fewer than four digits is one number, not 0x5A5A.
        {"1ES 18h 28h 5Ah", "word 18 28 005A;"}, {"1ES 18h 28h 0h", "word 18 28 0000;"},
        // The EEPROM address comes from the line, not the tag; the chip address is not used.
        {"3UE A8h F8h 10h 01h", "user F810 01;"}, {"0RS 5Ch ffh 0ah", "reg FF 0A;"},
        // The potentiometer is written at its wiper, whatever command a line names.
        {"0ES 58h 01h 80h", "byte 58 00 0080;"},
        // No tag (tags are case-sensitive): passed over.
        {"0rs A8h 0Dh 12h", ""}, {"hello", ""}, {"", ""},
        // clang-format on
    };
    for (const Case& c : cases)
        EXPECT_EQ(describe(read(std::string(c.line) + "\r\n")), c.expected) << c.line;
    // Short, garbled or out-of-range lines, the last three EEPROM lines outside
    // 0xF800-0xF9FF: each counted bad.
    for (const char* line :
         {"0RS A8h 0Dh", "0RS A8h 0Dh 12h 13h", "0RS A8h 0Dh 12", "0RS A8h 0Dh 1Gh",
          "0RS A8h 0Dh 100h", "0RS A8h 0Dh -1h", "0RSA8h 0Dh 12h", "0RS", "0ES 50h 100h 5h",
          "0ES 50h 5h", "1ES 18h 21h 12345h", "1ES 18h 2200h", "2ES 90h", "2ES 90h 141h",
          "3UE A8h F9h 00h", "3UE A8h FFFFFFFFFh 00h 01h", "3UE A8h 12h 34h 56h",
          "3CE A8h F7h FFh 01h", "3CE A8h FAh 00h 01h"})
        EXPECT_EQ(describe(read(std::string(line) + "\r\n")), "bad 1;") << line;
}

TEST(SettingsFileReader, FieldsEndAtCommasAndLineEndsAndLoseTheirBlanks) {
    EXPECT_EQ(describe(read("  0RS A8h 01h 02h  ,0RS A8h 03h 04h\n\t0RS A8h 05h 06h\r\n"
                            "0RS A8h 07h 08h")),
              "reg 01 02;reg 03 04;reg 05 06;reg 07 08;");
}

TEST(SettingsFileReader, TheFirstFieldMustBeTheHeaderText) {
    struct Case {
        const char* text;
        bool valid;
    };
    for (const Case c :
         {Case{"Ombrix VSQ5540 Data File, 10:15:32, 07/12/2026\r\n", true},
          Case{"Ombrix VSQ5540 Data File", true}, Case{"  Ombrix VSQ5540 Data File  ,x", true},
          Case{"Ombrix VSQ5540 Data File 10:15:32", false},
          Case{"ombrix VSQ5540 Data File, 10:15:32", false},
          Case{"0RS A8h 00h 00h\r\nOmbrix VSQ5540 Data File", false}, Case{"", false}})
        EXPECT_EQ(ParseSettingsFile(c.text).headerValid, c.valid) << c.text;
}

TEST(SettingsFileReader, SectionsAreMarkedByTheSecondAndThirdCharacters) {
    struct Case {
        const char* line;
        bool board, ram, user, config;
    };
    for (const Case c :
         {Case{"0ES 50h 01h 5h", true, false, false, false}, Case{"xES", true, false, false, false},
          Case{"0RS A8h 0Dh 12h", false, true, false, false},
          Case{"3UE", false, false, true, false},
          Case{"3CE A8h F8h 00h 00h", false, false, false, true},
          Case{"0rs A8h 0Dh 12h", false, false, false, false}}) {
        const auto contents = read(c.line);
        EXPECT_EQ(contents.hasBoard, c.board) << c.line;
        EXPECT_EQ(contents.hasRAM, c.ram) << c.line;
        EXPECT_EQ(contents.hasUserEEPROM, c.user) << c.line;
        EXPECT_EQ(contents.hasConfigEEPROM, c.config) << c.line;
    }
}

} // namespace
