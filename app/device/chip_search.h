#pragma once
// The chip search behind the set-up wizard: reads the VSQ5540's device
// identification (DEVID) at each candidate bus address, on every detected
// parallel port in both polarities and on the chipset's SMBus, and records
// every hit. The wizard turns the hits into its result entries.
//
// It reaches the bus through the one road to the chip (SelectPrinterPort), the
// root object gComPort and, for one board write, WriteDeviceWord. It does not
// yield to the event loop; the progress listener (the wizard's bar and a
// repaint) is all the user sees meanwhile.

#include "app/device/chip_road.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace trelvane {

class ChipSearch {
public:
    // What DEVID holds on the VSQ5540.
    static constexpr std::uint8_t kDeviceId = 0x3E;
    static constexpr int kUnitsPerMedium = 33;

    using Slots = std::vector<std::optional<std::uint8_t>>;
    using ProgressListener = std::function<void(int value, int maximum)>;

    void setProgressListener(ProgressListener listener) { progressListener_ = std::move(listener); }
    int progressMaximum() const { return progressMaximum_; }
    void resetProgress();

    // Five slots: 0xA8, 0x5A, 0x5C, 0x5E and one left empty.
    void FillCandidates();
    // The number of a list's slots, empty ones included.
    static int CountSlots(const Slots& list) { return static_cast<int>(list.size()); }

    // Runs the searches of the chosen media, in this order.
    void SearchSelectedMedia(bool printerPort, bool smbus, bool usb);

    // Selects the port of printer-port find `find` and answers its base
    // address (0 when the library cannot say).
    std::uint16_t SelectFoundPort(std::size_t find);
    // The place of printer-port find `find`, at `address` (the entry's).
    ChipPlace FoundPlace(std::size_t find, std::uint8_t address) const;

    // Back from the results: the next search starts from empty find lists.
    void ResetFinds();

    Slots CandidateAddresses;
    std::vector<std::uint8_t> FoundAddresses; // 8-bit bus address of each printer-port find
    std::vector<std::uint8_t> FoundPorts;     // index of the detected port it answered on
    std::vector<bool> FoundInverted;          // data inversion it answered with
    std::uint8_t FoundCount = 0;
    std::vector<std::uint8_t> SMBusFoundAddresses; // 7-bit addresses
    std::uint8_t SMBusFoundCount = 0;
    std::vector<std::uint8_t> EntryAddresses; // per entry: 8-bit (printer) or 7-bit (SMBus)

private:
    void SearchPrinterPorts();
    void SearchSMBus();
    void SearchUSB();
    void ProbeCandidates(std::uint8_t portIndex, bool inverted);
    void ProgressStep(int step);
    void notifyProgress() const;
    int SlotStep() const;

    ProgressListener progressListener_;
    int progressValue_ = 0;
    int progressMaximum_ = 0;
};

} // namespace trelvane
