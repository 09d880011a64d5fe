#include "app/shell/settings/settings_file.h"

#include "app/device/chip_registers.h"
#include "app/device/communications.h"
#include "app/shell/settings/data_file_path.h"
#include "app/shell/settings/eeprom_operations.h"
#include "app/shell/settings/settings_file_reader.h"
#include "app/shell/settings/settings_file_writer.h"
#include "app/shell/settings/settings_snapshot.h"
#include "platform/file_replacement.h"
#include "platform/services.h"
#include "platform/small_file_reading.h"

#include <ctime>
#include <exception>
#include <optional>
#include <utility>

namespace trelvane {

std::string gDataFileName = kDefaultDataFileName;
bool gSaveMode = false;

namespace {

using vsq::platform::quitRequested;

// A settings file is about 14 KB; anything far larger is not one.
constexpr std::size_t kLargestDataFile = 4 * 1024 * 1024;

// The file's text, or nothing when it cannot be read or is no regular file of
// a settings file's size (a FIFO, a folder, a device): recalling never waits
// on one.
std::optional<std::string> readWholeFile(const std::string& path) {
    vsq::platform::SmallFile file = vsq::platform::readSmallRegularFile(path, kLargestDataFile);
    if (!file.why.empty())
        return std::nullopt;
    return std::move(file.text);
}

// A failing transfer is passed over: the replay goes on with the next line.
template <typename Transfer> void passOverFailure(Transfer&& transfer) {
    try {
        transfer();
    } catch (const std::exception&) {
    }
}

void writeBoard(const BoardWrite& write) {
    switch (write.kind) {
    case BoardWrite::Kind::Byte:
        WriteDeviceRegister(write.device, write.command, static_cast<std::uint8_t>(write.value));
        break;
    case BoardWrite::Kind::Word:
        WriteDeviceWord(write.device, write.command, write.value);
        break;
    case BoardWrite::Kind::SendByte:
        SendDeviceByte(write.device, static_cast<std::uint8_t>(write.value));
        break;
    }
}

enum class StatusShown { BeforeEachWrite, AfterEachWrite };

// Replays one section's writes with the count of lines handled so far on the
// progress bar; false when the program began to quit meanwhile.
template <typename Write, typename StatusText, typename Transfer>
bool replayPass(const std::vector<Write>& writes, int progressMaximum, StatusShown shown,
                StatusText&& statusText, Transfer&& transfer, SaveRecallFeedback& feedback) {
    feedback.setProgressMaximum(progressMaximum);
    int count = 0;
    for (const Write& write : writes) {
        if (quitRequested())
            return false;
        if (shown == StatusShown::BeforeEachWrite)
            feedback.showStatus(statusText(write), count);
        passOverFailure([&] { transfer(write); });
        if (shown == StatusShown::AfterEachWrite)
            feedback.showStatus(statusText(write), count);
        ++count;
    }
    return true;
}

bool confirmMissing(bool chosen, bool present, const char* text, SaveRecallFeedback& feedback) {
    if (!chosen || present)
        return true;
    return feedback.notify({text, "Error", NoticeButtons::OkCancel, NoticeIcon::None});
}

void reportSkippedLines(int count, SaveRecallFeedback& feedback) {
    if (count == 0)
        return;
    const std::string text = count == 1 ? "1 line of the file could not be read and was skipped."
                                        : std::to_string(count) +
                                              " lines of the file could not be read and were "
                                              "skipped.";
    feedback.notify({text, "A problem was detected", NoticeButtons::Ok, NoticeIcon::Exclamation});
}

} // namespace

bool SaveSettingsFile(bool evalBoard, bool ram, bool eeprom, SaveRecallFeedback& feedback) {
    const std::uint8_t chipAddress = gChipAddress;
    if (evalBoard)
        ReadEvalBoardSettings(feedback);
    if (ram)
        ReadRAMImage(feedback);
    if (eeprom) {
        ReadUserEEPROMImage(feedback);
        ReadConfigEEPROMImage(feedback);
    }
    if (quitRequested())
        return false;
    const std::string path = LocalDataFilePath(gDataFileName);
    const std::string text = SettingsFileText({evalBoard, ram, eeprom}, chipAddress,
                                              TimeAndDateText(std::time(nullptr)));
    if (const auto failure = vsq::platform::replaceFileContents(path, text)) {
        // The status line and an empty bar say so while the message is up.
        feedback.showStatus("Saving Settings Failed", 0);
        feedback.notify({"The settings could not be saved to " + path + ": " + *failure + ".",
                         "Cannot save to file", NoticeButtons::Ok, NoticeIcon::Critical});
        return false;
    }
    feedback.showStatus("Finished Saving Settings", 0);
    return true;
}

void RecallSettingsFile(bool evalBoard, bool ram, bool eeprom, SaveRecallFeedback& feedback) {
    const auto text = readWholeFile(LocalDataFilePath(gDataFileName));
    const SettingsFileContents contents = text ? ParseSettingsFile(*text) : SettingsFileContents{};
    if (!contents.headerValid) {
        feedback.notify({"This file is either corrupt or is the wrong type.",
                         "Cannot recall from file", NoticeButtons::Ok, NoticeIcon::Critical});
        return;
    }

    // Every question is asked, then a Cancel to any of them replays nothing.
    bool confirmed = confirmMissing(evalBoard, contents.hasBoard,
                                    "No Evalboard Settings are present in this file", feedback);
    confirmed &= confirmMissing(eeprom, contents.hasUserEEPROM && contents.hasConfigEEPROM,
                                "No EEPROM Settings are present in this file", feedback);
    confirmed &=
        confirmMissing(ram, contents.hasRAM, "No RAM Settings are present in this file", feedback);
    const bool anythingToReplay =
        (ram && contents.hasRAM) ||
        (eeprom && (contents.hasUserEEPROM || contents.hasConfigEEPROM)) ||
        (evalBoard && contents.hasBoard);
    if (!anythingToReplay || !confirmed)
        return;

    // Erase only now that the EEPROM lines are known to be written.
    if (eeprom && !contents.eeprom.empty()) {
        SetUPDCFGBits(reg::field::UPDCFG::EE_ERASE.mask);
        EraseAllEEPROMPages(nullptr);
    }

    int skipped = 0;
    if (evalBoard) {
        if (!replayPass(
                contents.board, 11, StatusShown::BeforeEachWrite,
                [](const BoardWrite&) { return "Reading Eval board settings"; }, writeBoard,
                feedback))
            return;
        skipped += contents.badBoardLines;
    }
    if (ram) {
        if (!replayPass(
                contents.ram, 256, StatusShown::AfterEachWrite,
                [](const RegisterWrite&) { return "Recalling VSQ5540 RAM Settings"; },
                [](const RegisterWrite& write) { WriteRegister(write.address, write.value); },
                feedback))
            return;
        skipped += contents.badRAMLines;
    }
    if (eeprom) {
        if (!replayPass(
                contents.eeprom, 514, StatusShown::AfterEachWrite,
                [](const EEPROMWrite& write) {
                    return write.userTag ? "Recalling VSQ5540 User EEPROM settings"
                                         : "Recalling VSQ5540 Config EEPROM settings";
                },
                [](const EEPROMWrite& write) { WriteEEPROMByte(write.address, write.value); },
                feedback))
            return;
        skipped += contents.badEEPROMLines;
    }
    feedback.showStatus("Finished Recalling Settings", 0);
    reportSkippedLines(skipped, feedback);
}

} // namespace trelvane
