#include "app/shell/settings/settings_snapshot.h"

#include "app/device/board_chips.h"
#include "app/device/communications.h"

namespace trelvane {

using namespace board;

// clang-format off
const std::array<EvalBoardRow, kEvalBoardRows> kEvalBoardTable = {{
    {kDacU5, kDacChannelA, BoardTransfer::Word, "1ES ", CommandField::Digits},
    {kDacU5, kDacChannelB, BoardTransfer::Word, "1ES ", CommandField::Digits},
    {kDacU5, kDacChannelC, BoardTransfer::Word, "1ES ", CommandField::Digits},
    {kDacU5, kDacChannelD, BoardTransfer::Word, "1ES ", CommandField::Digits},
    {kDacU6, kDacChannelA, BoardTransfer::Word, "1ES ", CommandField::Digits},
    {kDacU6, kDacChannelB, BoardTransfer::Word, "1ES ", CommandField::Digits},
    {kDacU6, kDacChannelC, BoardTransfer::Word, "1ES ", CommandField::Digits},
    {kDacU6, kDacChannelD, BoardTransfer::Word, "1ES ", CommandField::Digits},
    {kAnalogSwitchU2, 0, BoardTransfer::Receive, "2ES ", CommandField::None},
    {kPotentiometerU21, kPotWiper, BoardTransfer::Byte, "0ES ", CommandField::None},
    {kAdcU12, kAdcConfiguration, BoardTransfer::Byte, "0ES ", CommandField::ZeroAndDigits},
    {kAdcU12, kAdcHysteresis, BoardTransfer::Word, "1ES ", CommandField::ZeroAndDigits},
    {kAdcU12, kAdcOverTemperature, BoardTransfer::Word, "1ES ", CommandField::ZeroAndDigits},
    {kAdcU12, kAdcConfiguration2, BoardTransfer::Byte, "0ES ", CommandField::ZeroAndDigits},
    {kAdcU13, kAdcConfiguration, BoardTransfer::Byte, "0ES ", CommandField::ZeroAndDigits},
    {kAdcU13, kAdcHysteresis, BoardTransfer::Word, "1ES ", CommandField::ZeroAndDigits},
    {kAdcU13, kAdcOverTemperature, BoardTransfer::Word, "1ES ", CommandField::ZeroAndDigits},
    {kAdcU13, kAdcConfiguration2, BoardTransfer::Byte, "0ES ", CommandField::ZeroAndDigits},
    {kAdcU14, kAdcConfiguration, BoardTransfer::Byte, "0ES ", CommandField::ZeroAndDigits},
    {kAdcU14, kAdcHysteresis, BoardTransfer::Word, "1ES ", CommandField::ZeroAndDigits},
    {kAdcU14, kAdcOverTemperature, BoardTransfer::Word, "1ES ", CommandField::ZeroAndDigits},
    {kAdcU14, kAdcConfiguration2, BoardTransfer::Byte, "0ES ", CommandField::ZeroAndDigits},
}};
// clang-format on

std::array<EvalBoardSetting, kEvalBoardRows> gEvalBoardSettings{};
std::array<std::uint8_t, 256> gRAMImage{};
std::array<std::uint8_t, 256> gUserEEPROMImage{};
std::array<std::uint8_t, 256> gConfigEEPROMImage{};

namespace {

constexpr float kConfigEEPROMFirst = 0xF800;
constexpr float kUserEEPROMFirst = 0xF900;

std::uint16_t readBoardValue(const EvalBoardRow& row) {
    switch (row.transfer) {
    case BoardTransfer::Word:
        return static_cast<std::uint16_t>(ReadDeviceWord(row.device, row.command));
    case BoardTransfer::Byte:
        return ReadDeviceRegister(row.device, row.command);
    case BoardTransfer::Receive:
        return ReceiveDeviceByte(row.device);
    }
    return 0;
}

void readEEPROMImage(std::array<std::uint8_t, 256>& image, float first, const char* status,
                     SaveRecallFeedback& feedback) {
    feedback.setProgressMaximum(256);
    for (int i = 0; i < 256; ++i) {
        feedback.showStatus(status, i);
        image[i] = ReadEEPROMByte(first + static_cast<float>(i));
    }
}

} // namespace

void ReadEvalBoardSettings(SaveRecallFeedback& feedback) {
    // Progress counts the devices: both DACs, then the switch with the
    // potentiometer, then each ADC.
    static constexpr std::size_t kGroupEnds[] = {4, 8, 10, 14, 18, 22};
    feedback.setProgressMaximum(6);
    feedback.showStatus("Saving Eval Board Settings", 0);
    std::size_t row = 0;
    for (int group = 0; group < 6; ++group) {
        for (; row < kGroupEnds[group]; ++row) {
            const EvalBoardRow& source = kEvalBoardTable[row];
            const bool storesCommand = source.commandField != CommandField::None;
            gEvalBoardSettings[row] = {source.device,
                                       storesCommand ? source.command : std::uint8_t{0},
                                       readBoardValue(source)};
        }
        feedback.showStatus("Saving Eval Board Settings", group + 1);
    }
}

void ReadRAMImage(SaveRecallFeedback& feedback) {
    feedback.setProgressMaximum(256);
    for (int i = 0; i < 256; ++i) {
        feedback.showStatus("Saving VSQ5540 RAM Settings", i);
        gRAMImage[i] = ReadRegister(static_cast<std::uint8_t>(i));
    }
}

void ReadUserEEPROMImage(SaveRecallFeedback& feedback) {
    readEEPROMImage(gUserEEPROMImage, kUserEEPROMFirst, "Saving User EEPROM Settings", feedback);
}

void ReadConfigEEPROMImage(SaveRecallFeedback& feedback) {
    readEEPROMImage(gConfigEEPROMImage, kConfigEEPROMFirst, "Saving Config EEPROM Settings",
                    feedback);
}

} // namespace trelvane
