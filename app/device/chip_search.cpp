#include "app/device/chip_search.h"

#include "app/device/board_chips.h"
#include "app/device/chip_registers.h"
#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "comms/PrinterPort.h"
#include "comms/QVSComPort.h"
#include "comms/SMBus.h"
#include "comms/SMBusProtocall.h"

#include <algorithm>
#include <exception>

namespace trelvane {
namespace {

// The word of the board write made before the printer-port probes (DAC U6,
// channel A).
constexpr std::int32_t kBoardDacWord = 0x235A;

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
    int ports = 0;
    try {
        ports = gComPort().PrinterPort()->PrinterPortsDetected();
    } catch (const std::exception&) {
        // No driver answer: no port to probe.
    }
    try {
        WriteDeviceWord(board::kDacU6, board::kDacChannelA, kBoardDacWord);
    } catch (const std::exception&) {
        // The board write is a courtesy to the board; the search goes on without it.
    }
    for (int port = 0; port < ports; ++port) {
        ProgressStep(kUnitsPerMedium / 4);
        // A port the library cannot drive gives no finds; the next one is tried.
        try {
            ProbeCandidates(static_cast<std::uint8_t>(port), false);
            ProbeCandidates(static_cast<std::uint8_t>(port), true);
        } catch (const std::exception&) {
        }
    }
}

void ChipSearch::ProbeCandidates(std::uint8_t portIndex, bool inverted) {
    SelectPrinterPort(PrinterPortId::index(portIndex), inverted);
    auto protocol = gComPort().PrinterPort()->SMBusProtocall();
    for (const auto& candidate : CandidateAddresses) {
        if (!candidate)
            continue;
        if (protocol->PortRead(*candidate, reg::DEVID) != kDeviceId)
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
            if (gComPort().SMBus()->PortRead(address7, reg::DEVID) != kDeviceId)
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

std::uint16_t ChipSearch::SelectFoundPort(std::size_t find) {
    return SelectPrinterPort(PrinterPortId::index(FoundPorts[find]));
}

ChipPlace ChipSearch::FoundPlace(std::size_t find, std::uint8_t address) const {
    return {Medium::PrinterPort, address, PrinterPortId::index(FoundPorts[find]),
            FoundInverted[find]};
}

void ChipSearch::ResetFinds() {
    SMBusFoundAddresses.clear();
    SMBusFoundCount = 0;
    FoundAddresses.clear();
    FoundPorts.clear();
    FoundInverted.clear();
    FoundCount = 0;
}

} // namespace trelvane
