#pragma once
// The one road to the chip: where the program reaches the VSQ5540 (medium, bus
// address, parallel port, data polarity, the data lines the board needs high)
// is set here and nowhere else. Start-up puts the program on kStartUpPlace; the
// set-up wizard holds the board's lines high when it loads, probes and shows
// the ports through the chip search, and on Finish goes to the chip the user
// picked; windows that carry their own bus settings (the control manager's
// host) take them from the place returned. As the wizard goes (chip_road_test
// runs this):
//
//     GoToChip(kStartUpPlace, SettingFailure::Raise);
//     HoldBoardLinesHigh();
//     ChipSearch search;
//     search.FillCandidates();
//     search.SearchSelectedMedia(true, false, false);
//     const std::uint16_t shown = search.SelectFoundPort(0); // SelectPrinterPort
//     const ChipPlace reached =
//         GoToChip(search.FoundPlace(0, search.FoundAddresses[0]), SettingFailure::Skip);
//     // reached.port.value is the base address the manager is given
//
// The chip search probes ports and polarities through SelectPrinterPort, which
// leaves the chip's address and the medium alone.

#include <cstdint>

namespace trelvane {

// The media, numbered as the root object's `PortType`, the control manager's
// `CommType` and the register routines' gPortType number them.
enum class Medium : std::uint8_t { PrinterPort = 0, ChipsetSMBus = 1, USB = 2 };

// A parallel port: by its index among the ports the library detected, or by
// its base address.
struct PrinterPortId {
    enum class By : std::uint8_t { Index, BaseAddress };
    By by = By::BaseAddress;
    std::uint16_t value = 0;

    static constexpr PrinterPortId index(std::uint8_t i) { return {By::Index, i}; }
    static constexpr PrinterPortId baseAddress(std::uint16_t a) { return {By::BaseAddress, a}; }
    bool operator==(const PrinterPortId&) const = default;
};

// Where the chip is reached.
struct ChipPlace {
    Medium medium = Medium::PrinterPort;
    // The chip's bus address: 8-bit form (bit 0 clear) on the printer port,
    // 7-bit on the chipset SMBus, whose host controller shifts it itself.
    std::uint8_t address = 0;
    PrinterPortId port;       // the printer port only
    bool dataInverted = true; // the printer port only
    bool operator==(const ChipPlace&) const = default;
};

// The chip at 7-bit `address` on the chipset SMBus.
constexpr ChipPlace chipsetSMBusPlace(std::uint8_t address) {
    return {Medium::ChipsetSMBus, address, PrinterPortId{}, false};
}

// The printer port the program starts on, and falls back to when the wizard
// finishes without a chip chosen: 0x378.
inline constexpr std::uint16_t kStartUpPortAddress = 888;
inline constexpr std::uint8_t kStartUpChipAddress = 0xA8;
// The chip at 0xA8 on the printer port at 0x378, through an inverting adapter.
inline constexpr ChipPlace kStartUpPlace{Medium::PrinterPort, kStartUpChipAddress,
                                         PrinterPortId::baseAddress(kStartUpPortAddress), true};

// The parallel port's data lines D2 and D3, which the evaluation board needs
// high: held high on every byte the library writes from the wizard on, and
// kept high by the board window whatever its spare lines say.
inline constexpr std::uint8_t kBoardLinesHigh = 0x0C;

// What a setting that fails (its library call has a failed status) does.
enum class SettingFailure {
    Raise, // the failure reaches the caller; the settings after it are not made
    Skip,  // that one setting stays as it was; the rest are still made
};

// Puts the program on the chip at `place`:
// - printer port: the port, its data polarity, the library's device address,
//   gChipAddress and PortType 0, in this order;
// - chipset SMBus: the SMBus object's device address and PortType 1. The
//   register routines keep the printer port and gChipAddress (gPortType is not
//   written), so the chip's register traffic keeps its road;
// - USB: nothing (there is no transport).
// Returns the place reached, its printer port given by the base address the
// library ends on (0 when that could not be read).
ChipPlace GoToChip(const ChipPlace& place, SettingFailure onFailure);

// Nothing chosen: the printer port goes back to the start-up port address;
// everything else stays as it is.
void ReturnToStartUpPort(SettingFailure onFailure);

// Drives the printer port `port` with data polarity `dataInverted`, as the chip
// search probes it; the chip's address and the medium stay.
void SelectPrinterPort(PrinterPortId port, bool dataInverted);

// Selects the printer port `port` alone, as the search's results show the port
// of each find: its polarity, the chip's address and the medium stay. Answers
// the port's base address; 0, the failure not raised, when the library cannot
// select or say it.
std::uint16_t SelectPrinterPort(PrinterPortId port);

// Sets the library's bits to stay high to kBoardLinesHigh (the data port takes
// them at once when it can be claimed). A failed status is raised.
void HoldBoardLinesHigh();

} // namespace trelvane
