#pragma once
// The chip search behind the set-up wizard: reads the VSQ5540's device
// identification at each candidate bus address, on every detected parallel
// port in both polarities and on the chipset's SMBus, records every hit, and
// turns the hits into the wizard's result entries. Each entry ends in a tag
// that Finish parses ("Printer 1", "SMBus54"), pushed out of view by blanks.
//
// It reaches the bus through the root object gComPort and, for one board
// write, WriteDeviceWord. It does not yield to the event loop; the progress
// listener (the wizard's bar and a repaint) is all the user sees meanwhile.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace trelvane {

class ChipSearch {
public:
    static constexpr std::uint8_t kDeviceIdRegister = 0x94; // DEVID
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

    // The result entries in list order, printer-port finds first; fills
    // EntryAddresses. Selects each printer find's port to name its address.
    std::vector<std::string> BuildResultEntries();

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

// The find number of a printer-port entry (the whole number after its
// "Printer " tag), if the entry is one.
std::optional<int> PrinterEntryNumber(const std::string& entry);
// The 7-bit address of a chipset-SMBus entry (two hexadecimal digits after
// its "SMBus" tag), if the entry is one.
std::optional<std::uint8_t> SMBusEntryAddress(const std::string& entry);

} // namespace trelvane
