#pragma once
// The snapshot of the evaluation system that a save writes: the board chips'
// settings, the chip's 256 registers and its two EEPROM halves. The tables
// live for the whole run, start at zero, and each save refreshes the ones it
// writes.

#include "app/shell/settings/save_recall_feedback.h"

#include <array>
#include <cstdint>

namespace trelvane {

enum class BoardTransfer { Word, Byte, Receive };
// How a row's command shows in the file: not at all (the switch and the
// potentiometer), as its digits, or as "0" and its digits (the ADC pointers).
enum class CommandField { None, Digits, ZeroAndDigits };

// One board setting as the snapshot reads it.
struct EvalBoardRow {
    std::uint8_t device;
    std::uint8_t command; // the register pointer read; 0 for the switch (none)
    BoardTransfer transfer;
    char tag[5]; // the line's tag in the file: "0ES ", "1ES " or "2ES "
    CommandField commandField;
};

inline constexpr std::size_t kEvalBoardRows = 22;
extern const std::array<EvalBoardRow, kEvalBoardRows> kEvalBoardTable;

struct EvalBoardSetting {
    std::uint8_t device = 0;
    std::uint8_t command = 0;
    std::uint16_t value = 0;
};

extern std::array<EvalBoardSetting, kEvalBoardRows> gEvalBoardSettings;
extern std::array<std::uint8_t, 256> gRAMImage;
extern std::array<std::uint8_t, 256> gUserEEPROMImage;   // from 0xF900
extern std::array<std::uint8_t, 256> gConfigEEPROMImage; // from 0xF800

void ReadEvalBoardSettings(SaveRecallFeedback& feedback);
void ReadRAMImage(SaveRecallFeedback& feedback);
void ReadUserEEPROMImage(SaveRecallFeedback& feedback);
void ReadConfigEEPROMImage(SaveRecallFeedback& feedback);

} // namespace trelvane
