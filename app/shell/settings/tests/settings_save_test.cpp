// Saving on the simulated board, whose chip and board chips power up in the
// default set-up.

#include "app/shell/settings/data_file_path.h"
#include "app/shell/settings/settings_file_writer.h"
#include "app/shell/settings/settings_snapshot.h"
#include "settings_file_test.h"

#include <gmock/gmock.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace trelvane;
using namespace trelvane::testing;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> crlfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "the text ends with a whole line";
    return lines;
}

using SettingsSave = SettingsFileTest;

TEST_F(SettingsSave, AFullSaveTakesTheSnapshotsInOrderAndGives791CrlfLinesOfThem) {
    ASSERT_TRUE(SaveSettingsFile(true, true, true, feedback));
    const auto lines = crlfLines(fileText(gDataFileName));
    ASSERT_EQ(lines.size(), 791u);
    EXPECT_THAT(lines[0],
                ::testing::MatchesRegex("Ombrix VSQ5540 Data File, [0-9]{2}:[0-9]{2}:[0-9]{2}, "
                                        "[0-9]{2}/[0-9]{2}/[0-9]{4}"));
    struct Line {
        std::size_t number; // 1-based
        const char* text;
    };
    for (const Line line :
         {Line{2, "0ES 50h 01h 0h"}, Line{3, "1ES 50h 02h 4B00h"}, Line{14, "1ES 18h 21h 2200h"},
          Line{17, "1ES 18h 28h 0h"}, Line{21, "1ES 1Ah 28h 2100h"}, Line{22, "2ES 90h 41h "},
          Line{23, "0ES 58h 80h "}, Line{24, "0RS A8h 00h 00h"}, Line{37, "0RS A8h 0Dh 12h"},
          Line{168, "0RS A8h 90h 01h"}, Line{280, "3UE A8h F9h 00h FFh"},
          Line{536, "3CE A8h F8h 00h 00h"}, Line{791, "3CE A8h F8h FFh FFh"}})
        EXPECT_EQ(lines[line.number - 1], line.text) << "line " << line.number;

    // The snapshots are taken in the order board, RAM, user, config, then the
    // file is written.
    std::vector<std::string> order;
    for (const auto& [text, value] : feedback.statuses)
        if (order.empty() || order.back() != text)
            order.push_back(text);
    EXPECT_EQ(order, (std::vector<std::string>{
                         "Saving Eval Board Settings", "Saving VSQ5540 RAM Settings",
                         "Saving User EEPROM Settings", "Saving Config EEPROM Settings",
                         "Finished Saving Settings"}));
    EXPECT_EQ(feedback.maxima, (std::vector<int>{6, 256, 256, 256}));
    // Two frames for each read (pointer, then data) but the switch's receive
    // byte: 21 x 2 + 1 on the board, 256 x 2 registers, 512 x 2 EEPROM bytes.
    EXPECT_EQ(journal().count(1, vsq::sim::EventKind::Stop), 1579u);
}

TEST_F(SettingsSave, EachSectionIsWrittenOnlyWhenChosen) {
    struct Case {
        bool board, ram, eeprom;
        std::size_t lines;
        const char* second;
    };
    for (const Case c : {Case{true, false, false, 23, "0ES 50h 01h 0h"},
                         Case{false, true, false, 257, "0RS A8h 00h 00h"},
                         Case{false, false, true, 513, "3UE A8h F9h 00h FFh"}}) {
        ASSERT_TRUE(SaveSettingsFile(c.board, c.ram, c.eeprom, feedback));
        const auto lines = crlfLines(fileText(gDataFileName));
        ASSERT_EQ(lines.size(), c.lines);
        EXPECT_EQ(lines[1], c.second);
    }
}

TEST(SettingsFileText, SmallValuesAndAddressesKeepTheirWidths) {
    gEvalBoardSettings[10] = {0x50, 0x01, 0x05};
    gEvalBoardSettings[11] = {0x50, 0x02, 0x5A};
    gRAMImage[0] = 0x07;
    for (const int twoDigitEdge : {0x0F, 0x10, 0xFF})
        gRAMImage[twoDigitEdge] = static_cast<std::uint8_t>(twoDigitEdge);
    const auto lines = crlfLines(SettingsFileText({true, true, false}, 0x0C, "t, d"));
    EXPECT_EQ(lines[0], "Ombrix VSQ5540 Data File, t, d");
    EXPECT_EQ(lines[1], "0ES 50h 01h 5h");
    EXPECT_EQ(lines[2], "1ES 50h 02h 5Ah");
    EXPECT_EQ(lines[23], "0RS 0Ch 00h 07h");
    EXPECT_EQ(lines[23 + 0x0F], "0RS 0Ch 0Fh 0Fh");
    EXPECT_EQ(lines[23 + 0x10], "0RS 0Ch 10h 10h");
    EXPECT_EQ(lines[23 + 0xFF], "0RS 0Ch FFh FFh");
}

// Only a regular file that may be written is replaced: a read-only file (for
// root too), a FIFO or a device is never reported as saved.
TEST_F(SettingsSave, AFileThatCannotBeWrittenIsReportedAsFailedAndLeftAsItWas) {
    fs::create_directory(folder_ / "taken.txt");
    std::ofstream(folder_ / "read-only.txt") << "old";
    fs::permissions(folder_ / "read-only.txt", fs::perms(0444));
    ASSERT_EQ(::mkfifo((folder_ / "fifo.txt").c_str(), 0600), 0);
    // A null device of the folder's own where the test may make one (root), so
    // that a save that wrongly replaced it would not replace the system's.
    const fs::path node = folder_ / "null";
    const bool ownNode = ::mknod(node.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
    fs::create_symlink(ownNode ? node : fs::path("/dev/null"), folder_ / "device-link.txt");
    struct Case {
        fs::path target;
        fs::file_type type; // what stays there
    };
    for (const Case& c : {Case{folder_ / "no-such-folder" / "saved.txt", fs::file_type::not_found},
                          Case{folder_ / "taken.txt", fs::file_type::directory},
                          Case{folder_ / "read-only.txt", fs::file_type::regular},
                          Case{folder_ / "fifo.txt", fs::file_type::fifo},
                          Case{folder_ / "device-link.txt", fs::file_type::character}}) {
        gDataFileName = c.target.string();
        feedback = {};
        EXPECT_FALSE(SaveSettingsFile(false, true, false, feedback)) << c.target;
        ASSERT_EQ(feedback.notices.size(), 1u) << c.target;
        EXPECT_EQ(feedback.notices[0].title, "Cannot save to file");
        EXPECT_EQ(feedback.notices[0].icon, NoticeIcon::Critical);
        EXPECT_EQ(feedback.statuses.back(),
                  (std::pair<std::string, int>{"Saving Settings Failed", 0}))
            << c.target;
        EXPECT_EQ(fs::status(c.target).type(), c.type) << c.target;
    }
    EXPECT_EQ(fileText((folder_ / "read-only.txt").string()), "old");
    // Nothing but what was made above is left behind: no partial file.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()),
              ownNode ? 5 : 4);
}

TEST_F(SettingsSave, ADriveNameLandsInTheHomeFolder) {
    ::setenv("HOME", folder_.c_str(), 1);
    EXPECT_EQ(LocalDataFilePath("C:\\VSQ7713DumpFile.txt"),
              (folder_ / "VSQ7713DumpFile.txt").string());
    EXPECT_EQ(LocalDataFilePath("d:\\dumps\\a.txt"), (folder_ / "dumps/a.txt").string());
    EXPECT_EQ(LocalDataFilePath("/tmp/a.txt"), "/tmp/a.txt");
    EXPECT_EQ(LocalDataFilePath("C:relative.txt"), "C:relative.txt");
}

} // namespace
