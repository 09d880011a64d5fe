// Recalling on the simulated board: what reaches the bus, in which order, and
// what the user is told.

#include "app/shell/settings/settings_file_writer.h"
#include "settings_file_test.h"

#include <sstream>
#include <sys/stat.h>

using namespace trelvane;
using namespace trelvane::testing;
namespace fs = std::filesystem;

namespace {

// Frames of bus 1 as runs of one kind: 'B' a board chip, 'E' an EEPROM byte
// write of the chip (four bytes), 'C' any other frame of the chip.
std::vector<std::pair<char, int>> frameRuns(const vsq::sim::Journal& journal) {
    std::vector<std::vector<std::uint8_t>> frames;
    for (const auto& event : journal.events(1)) {
        if (event.kind == vsq::sim::EventKind::Start)
            frames.emplace_back();
        else if (event.kind == vsq::sim::EventKind::Byte && !frames.empty())
            frames.back().push_back(event.value);
    }
    std::vector<std::pair<char, int>> runs;
    for (const auto& frame : frames) {
        const bool chip = (frame.at(0) & 0xFE) == 0xA8;
        const bool eepromWrite =
            chip && frame.size() == 4 && (frame[1] == 0xF8 || frame[1] == 0xF9);
        const char kind = !chip ? 'B' : eepromWrite ? 'E' : 'C';
        if (runs.empty() || runs.back().first != kind)
            runs.emplace_back(kind, 0);
        ++runs.back().second;
    }
    return runs;
}

using Runs = std::vector<std::pair<char, int>>;

class SettingsRecall : public SettingsFileTest {
protected:
    // A file of the snapshot tables (all zero) holding only the sections named
    // by their tags' marks ("ES", "RS", "UE", "CE").
    void writeFileWith(const std::vector<std::string>& marks) {
        std::istringstream all(SettingsFileText({true, true, true}, 0xA8, "10:15:32, 07/12/2026"));
        std::string text, line;
        std::getline(all, line);
        text = line + "\n";
        while (std::getline(all, line))
            for (const auto& mark : marks)
                if (line.substr(1, 2) == mark)
                    text += line + "\n";
        writeFile(text);
    }
};

TEST_F(SettingsRecall, SaveScrambleRecallBringsEverythingBackInTheOrderBoardRamEEPROM) {
    ASSERT_TRUE(SaveSettingsFile(true, true, true, feedback));
    auto& board = *pc().board(1);
    const auto chipImage = [&] { // the registers, then the EEPROM
        std::vector<int> values;
        for (int a = 0; a < 256; ++a)
            values.push_back(chip().registerValue(static_cast<std::uint8_t>(a)));
        for (int a = 0xF800; a <= 0xF9FF; ++a)
            values.push_back(chip().eepromByte(static_cast<std::uint16_t>(a)));
        return values;
    };
    const auto boardChips = [&] {
        std::vector<int> values;
        for (auto* dac : {&board.dacU5(), &board.dacU6()})
            for (int channel = 0; channel < 4; ++channel)
                values.push_back(dac->word(channel));
        values.push_back(board.analogSwitch().switches());
        values.push_back(board.potentiometer().wiper());
        for (auto* adc : {&board.adcU12(), &board.adcU13(), &board.adcU14()})
            for (int index : {1, 2, 3, 5})
                values.push_back(adc->registerValue(index));
        return values;
    };
    const auto savedChip = chipImage();
    const auto savedBoard = boardChips();

    for (int a = 0; a < 0xE0; ++a)
        if (!vsq::sim::Vsq5540::readOnly(static_cast<std::uint8_t>(a)))
            chip().setRegisterValue(static_cast<std::uint8_t>(a),
                                    static_cast<std::uint8_t>(a ^ 0x5A));
    for (int a = 0xF800; a <= 0xF9FF; ++a)
        chip().setEepromByte(static_cast<std::uint16_t>(a), 0x33);
    for (auto* dac : {&board.dacU5(), &board.dacU6()})
        for (int channel = 0; channel < 4; ++channel)
            dac->setWord(channel, 0x1234);
    board.analogSwitch().setSwitches(0x00);
    board.potentiometer().setWiper(0x11);
    for (std::uint8_t adc : {0x50, 0x52, 0x54}) {
        WriteDeviceRegister(adc, 1, 0xE0);
        WriteDeviceWord(adc, 2, 0x1080);
        WriteDeviceWord(adc, 3, 0x2080);
        WriteDeviceRegister(adc, 5, 0x3F);
    }
    ASSERT_NE(chipImage(), savedChip);
    ASSERT_NE(boardChips(), savedBoard);
    journal().clear();
    feedback = {};

    RecallSettingsFile(true, true, true, feedback);

    EXPECT_EQ(chipImage(), savedChip);
    EXPECT_EQ(boardChips(), savedBoard);
    // UPDCFG read and written with EE_ERASE, sixteen page erases (two frames
    // each), then the 22 board lines, the 256 registers and the 512 EEPROM bytes.
    EXPECT_EQ(frameRuns(journal()), (Runs{{'C', 35}, {'B', 22}, {'C', 256}, {'E', 512}}));
    EXPECT_EQ(chip().pageErases(), 16);
    EXPECT_EQ(feedback.maxima, (std::vector<int>{11, 256, 514}));
    using Status = std::pair<std::string, int>;
    const auto& s = feedback.statuses;
    ASSERT_EQ(s.size(), 22u + 256u + 512u + 1u);
    EXPECT_EQ(s[0], (Status{"Reading Eval board settings", 0}));
    EXPECT_EQ(s[21], (Status{"Reading Eval board settings", 21}));
    EXPECT_EQ(s[22], (Status{"Recalling VSQ5540 RAM Settings", 0}));
    EXPECT_EQ(s[277], (Status{"Recalling VSQ5540 RAM Settings", 255}));
    EXPECT_EQ(s[278], (Status{"Recalling VSQ5540 User EEPROM settings", 0}));
    EXPECT_EQ(s[534], (Status{"Recalling VSQ5540 Config EEPROM settings", 256}));
    EXPECT_EQ(s[789], (Status{"Recalling VSQ5540 Config EEPROM settings", 511}));
    EXPECT_EQ(s[790], (Status{"Finished Recalling Settings", 0}));
    EXPECT_TRUE(feedback.notices.empty());
}

// No file, one failing the header check, and anything but a regular file (a
// FIFO is refused at once too: nothing waits for a program to write into it).
TEST_F(SettingsRecall, AFileFailingTheHeaderCheckOrNoRegularFileReachesNothing) {
    ASSERT_EQ(::mkfifo((folder_ / "fifo").c_str(), 0600), 0);
    fs::create_symlink(folder_ / "fifo", folder_ / "fifo-link.txt");
    fs::create_directory(folder_ / "folder.txt");
    // Each file, with the text written there first, if any.
    const std::pair<fs::path, const char*> files[] = {
        {folder_ / "missing.txt", nullptr},
        {folder_ / "empty.txt", ""},
        {folder_ / "other.txt", "Not a data file\r\n3UE A8h F9h 00h 12h\r\n"},
        {folder_ / "fifo", nullptr},
        {folder_ / "fifo-link.txt", nullptr},
        {folder_ / "folder.txt", nullptr},
        {"/dev/zero", nullptr}};
    for (const auto& [path, text] : files) {
        gDataFileName = path.string();
        if (text)
            writeFile(text);
        feedback.notices.clear();
        RecallSettingsFile(true, true, true, feedback);
        ASSERT_EQ(feedback.notices.size(), 1u) << path;
        EXPECT_EQ(feedback.notices[0].text, "This file is either corrupt or is the wrong type.");
        EXPECT_EQ(feedback.notices[0].title, "Cannot recall from file");
        EXPECT_EQ(feedback.notices[0].icon, NoticeIcon::Critical);
    }
    EXPECT_TRUE(journal().events().empty());
    EXPECT_EQ(chip().pageErases(), 0);
    EXPECT_EQ(chip().eepromByte(0xF80D), 0x12); // the default set-up image
    EXPECT_TRUE(feedback.statuses.empty());
}

TEST_F(SettingsRecall, ChosenSectionsTheFileLacksAreAskedAboutBeforeAnythingIsWritten) {
    struct Case {
        std::vector<std::string> marks; // sections in the file
        bool board, ram, eeprom;        // chosen
        std::deque<bool> answers;
        std::vector<std::string> questions;
        Runs runs;
        int pageErases;
    };
    const std::string noBoard = "No Evalboard Settings are present in this file";
    const std::string noEEPROM = "No EEPROM Settings are present in this file";
    const std::string noRAM = "No RAM Settings are present in this file";
    const Case cases[] = {
        {{"RS"}, true, true, false, {true}, {noBoard}, {{'C', 256}}, 0},
        {{"RS"}, true, true, false, {false}, {noBoard}, {}, 0},
        // User lines only: asked, and on OK both halves erased and the 256 user bytes written.
        {{"UE"}, false, false, true, {true}, {noEEPROM}, {{'C', 35}, {'E', 256}}, 16},
        // None of the chosen sections: every question asked, nothing replayed.
        {{"RS"}, true, false, true, {true, true}, {noBoard, noEEPROM}, {}, 0},
        {{"ES"}, false, true, false, {true}, {noRAM}, {}, 0},
        // RAM lines but no EEPROM lines: the EEPROM is not erased for nothing.
        {{"RS"}, false, true, true, {true}, {noEEPROM}, {{'C', 256}}, 0},
        // A Cancel to any question replays nothing, whatever the other answers;
        // a Cancel to the first still leaves the next asked.
        {{"UE"}, true, false, true, {true, false}, {noBoard, noEEPROM}, {}, 0},
        {{"UE"}, true, false, true, {false, true}, {noBoard, noEEPROM}, {}, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        writeFileWith(c.marks);
        feedback = {};
        feedback.answers = c.answers;
        RecallSettingsFile(c.board, c.ram, c.eeprom, feedback);
        EXPECT_EQ(feedback.noticeTexts(), c.questions) << c.marks[0];
        for (const Notice& notice : feedback.notices) {
            EXPECT_EQ(notice.title, "Error");
            EXPECT_EQ(notice.buttons, NoticeButtons::OkCancel);
            EXPECT_EQ(notice.icon, NoticeIcon::None);
        }
        EXPECT_EQ(frameRuns(journal()), c.runs) << c.marks[0];
        EXPECT_EQ(chip().pageErases(), c.pageErases) << c.marks[0];
        EXPECT_EQ(feedback.statuses.empty(), c.runs.empty());
        TearDown();
    }
}

TEST_F(SettingsRecall, BadLinesOfTheChosenSectionsAreSkippedAndCountedAtTheEnd) {
    struct Case {
        const char* lines;
        const char* traffic;
        std::vector<std::string> notices;
    };
    const Case cases[] = {
        {"0RS A8h 10h 5Ah\r\n", "S A8+ 10+ 5A+ P", {}},
        {"0RS A8h 10h 5Ah\r\n0RS A8h 11h\r\n",
         "S A8+ 10+ 5A+ P",
         {"1 line of the file could not be read and was skipped."}},
        {"0RS A8h 10h 5Ah\r\n0RS A8h 11h\r\n0RS A8h 12h 5Gh\r\n"
         "3UE A8h 12h 34h 56h\r\n" // not chosen: not counted
         "0RS A8h 13h 0Ch\r\n",
         "S A8+ 10+ 5A+ P S A8+ 13+ 0C+ P",
         {"2 lines of the file could not be read and were skipped."}},
    };
    for (const Case& c : cases) {
        SetUp();
        writeFile(std::string("Ombrix VSQ5540 Data File, 10:15:32, 07/12/2026\r\n") + c.lines);
        feedback = {};
        RecallSettingsFile(false, true, false, feedback);
        EXPECT_EQ(feedback.noticeTexts(), c.notices) << c.lines;
        for (const Notice& notice : feedback.notices)
            EXPECT_EQ(notice.title, "A problem was detected");
        EXPECT_EQ(traffic(), c.traffic);
        EXPECT_EQ(feedback.statuses.back(),
                  (std::pair<std::string, int>{"Finished Recalling Settings", 0}));
        TearDown();
    }
}

} // namespace
