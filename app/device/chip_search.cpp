#include "app/shell/chip_search.h"

#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/shell/core/app_info.h"
#include "comms/PrinterPort.h"
#include "comms/SMBus.h"
#include "comms/SMBusProtocall.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <exception>

namespace trelvane {
namespace {

// The board write made before the printer-port probes: DAC U6, channel A.
constexpr std::uint8_t kBoardDacAddress = 0x1A;
constexpr std::uint8_t kBoardDacCommand = 0x21;
constexpr std::int32_t kBoardDacWord = 0x235A;

constexpr int kPrinterTagBlanks = 50;
constexpr int kSMBusTagBlanks = 98;

std::string hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
}

} // namespace

void ChipSearch::resetProgress() {
    progressValue_ = 0;
    notifyProgress();
}

void ChipSearch::notifyProgress() const {
    if (progressListener_)
        progressListener_(progressValue_, progressMaximum_);
}

void ChipSearch::FillCandidates() {
    CandidateAddresses.assign(5, std::nullopt);
    const std::uint8_t addresses[] = {0xA8, 0x5A, 0x5C, 0x5E};
    std::copy(std::begin(addresses), std::end(addresses), CandidateAddresses.begin());
}

void ChipSearch::ProgressStep(int step) {
    progressValue_ = std::min(progressMaximum_, progressValue_ + step);
    notifyProgress();
}

int ChipSearch::SlotStep() const {
    const int count = CountSlots(CandidateAddresses);
    return count > 1 ? kUnitsPerMedium / (count - 1) : kUnitsPerMedium;
}

void ChipSearch::SearchSelectedMedia(bool printerPort, bool smbus, bool usb) {
    progressMaximum_ = kUnitsPerMedium * (int(printerPort) + int(smbus) + int(usb));
    notifyProgress();
    if (printerPort)
        SearchPrinterPorts();
    if (smbus)
        SearchSMBus();
    if (usb)
        SearchUSB();
}

void ChipSearch::SearchPrinterPorts() {
    auto printerPort = gComPort().PrinterPort();
    int ports = 0;
    try {
        ports = printerPort->PrinterPortsDetected();
    } catch (const std::exception&) {
        // No driver answer: no port to probe.
    }
    try {
        WriteDeviceWord(kBoardDacAddress, kBoardDacCommand, kBoardDacWord);
    } catch (const std::exception&) {
        // The board write is a courtesy to the board; the search goes on without it.
    }
    for (int port = 0; port < ports; ++port) {
        ProgressStep(kUnitsPerMedium / 4);
        // A port the library cannot drive gives no finds; the next one is tried.
        try {
            printerPort->setPortAddressIndex(static_cast<std::uint8_t>(port));
            ProbeCandidates(static_cast<std::uint8_t>(port), false);
            ProbeCandidates(static_cast<std::uint8_t>(port), true);
        } catch (const std::exception&) {
        }
    }
}

void ChipSearch::ProbeCandidates(std::uint8_t portIndex, bool inverted) {
    auto protocol = gComPort().PrinterPort()->SMBusProtocall();
    protocol->setDataInverted(inverted);
    for (const auto& candidate : CandidateAddresses) {
        if (!candidate)
            continue;
        if (protocol->PortRead(*candidate, kDeviceIdRegister) != kDeviceId)
            continue;
        FoundAddresses.push_back(*candidate);
        FoundPorts.push_back(portIndex);
        FoundInverted.push_back(protocol->DataInverted());
        ++FoundCount;
    }
}

void ChipSearch::SearchSMBus() {
    for (const auto& candidate : CandidateAddresses) {
        ProgressStep(SlotStep());
        if (!candidate)
            continue;
        const std::uint8_t address7 = *candidate / 2;
        try {
            if (gComPort().SMBus()->PortRead(address7, kDeviceIdRegister) != kDeviceId)
                continue;
        } catch (const std::exception&) {
            continue;
        }
        SMBusFoundAddresses.push_back(address7);
        ++SMBusFoundCount;
    }
}

void ChipSearch::SearchUSB() {
    // No USB transport exists: the search only moves the bar.
    for (std::size_t slot = 0; slot < CandidateAddresses.size(); ++slot)
        ProgressStep(SlotStep());
}

std::vector<std::string> ChipSearch::BuildResultEntries() {
    std::vector<std::string> entries;
    EntryAddresses.clear();
    int printerEntry = 0;
    for (std::size_t find = 0; find < FoundAddresses.size(); ++find) {
        const std::uint8_t address = FoundAddresses[find];
        if (address == 0)
            continue;
        ++printerEntry;
        std::uint16_t portAddress = 0;
        try {
            auto printerPort = gComPort().PrinterPort();
            printerPort->setPortAddressIndex(FoundPorts[find]);
            portAddress = printerPort->PortAddress();
        } catch (const std::exception&) {
        }
        entries.push_back("Found an " + std::string(kChipName) + " at:" + hex(address / 2) +
                          "h, on printer port:" + hex(portAddress) + "h" +
                          std::string(kPrinterTagBlanks, ' ') + "Printer " +
                          std::to_string(printerEntry));
        EntryAddresses.push_back(address);
    }
    for (const std::uint8_t address7 : SMBusFoundAddresses) {
        if (address7 == 0)
            continue;
        entries.push_back("An " + std::string(kChipName) + " was found at:" + hex(address7) +
                          "h, on the SMBus" + std::string(kSMBusTagBlanks, ' ') + "SMBus" +
                          hex(address7));
        EntryAddresses.push_back(address7);
    }
    return entries;
}

void ChipSearch::ResetFinds() {
    SMBusFoundAddresses.clear();
    SMBusFoundCount = 0;
    FoundAddresses.clear();
    FoundPorts.clear();
    FoundInverted.clear();
    FoundCount = 0;
}

std::optional<int> PrinterEntryNumber(const std::string& entry) {
    static const std::string tag = "Printer ";
    const auto at = entry.rfind(tag);
    if (at == std::string::npos)
        return std::nullopt;
    const std::string digits = entry.substr(at + tag.size());
    if (digits.empty() || digits.size() > 3 ||
        !std::all_of(digits.begin(), digits.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; }))
        return std::nullopt;
    return std::stoi(digits);
}

std::optional<std::uint8_t> SMBusEntryAddress(const std::string& entry) {
    if (entry.size() < 7 || entry.compare(entry.size() - 7, 5, "SMBus") != 0)
        return std::nullopt;
    const std::string digits = entry.substr(entry.size() - 2);
    if (!std::all_of(digits.begin(), digits.end(),
                     [](unsigned char c) { return std::isxdigit(c) != 0; }))
        return std::nullopt;
    return static_cast<std::uint8_t>(std::stoi(digits, nullptr, 16));
}

} // namespace trelvane
