#pragma once
// The chip's EEPROM work shared by the EEPROM tool and the settings recall:
// the load and erase bits of UPDCFG, page erases, and the copy of the working
// registers into the configuration EEPROM. Everything waits yielding to the
// user interface, and ends at once when the program is quitting.

#include <cstdint>
#include <functional>
#include <string_view>

namespace trelvane {

inline constexpr std::uint8_t kConfigEEPROMHighByte = 0xF8;
inline constexpr std::uint8_t kUserEEPROMHighByte = 0xF9;
inline constexpr int kEEPROMPageSize = 0x20;

// UPDCFG |= bits, read, modify, write; nothing is written when the read failed.
void SetUPDCFGBits(std::uint8_t bits);

// Whether a long operation should end before its next step.
using StopRequest = std::function<bool()>;

// Erases the eight pages of one EEPROM half (0x00, 0x20, ... 0xE0), each after
// the page erase's wait. Checks `stop` between pages; false when it ended early.
bool EraseEEPROMHalf(std::uint8_t highByte, const StopRequest& stop);
// The configuration half, then the user half.
bool EraseAllEEPROMPages(const StopRequest& stop);

// What the copy shows while it runs, and its stop button.
class EEPROMCopyListener {
public:
    virtual ~EEPROMCopyListener() = default;
    virtual void showStatus(std::string_view text) = 0;
    // UPDCFG was written: show its bits again.
    virtual void showUPDCFG() = 0;
    virtual void showProgress(int value) = 0;
    virtual bool stopRequested() = 0;
};

enum class CopyOutcome { Finished, Stopped };

// Copies registers 0x00-0xFF into configuration EEPROM 0xF800-0xF8FF, one byte
// at least 0.2 s after the one before, after setting EE_ERASE and, when
// `eraseFirst`, erasing the configuration half. Checks for a stop after each
// byte, so a stopped copy leaves the bytes written so far.
CopyOutcome CopyRegistersToConfigEEPROM(bool eraseFirst, EEPROMCopyListener& listener);

inline constexpr double kEEPROMByteInterval = 0.2; // seconds

} // namespace trelvane
