#include "app/device/chip_road.h"

#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "comms/PrinterPort.h"
#include "comms/QVSComPort.h"
#include "comms/SMBus.h"
#include "comms/SMBusProtocall.h"

#include <exception>

namespace trelvane {
namespace {

// Makes one setting; by `onFailure`, a failed status is raised or the setting skipped.
template <typename Setting> void make(SettingFailure onFailure, Setting&& setting) {
    if (onFailure == SettingFailure::Raise) {
        setting();
        return;
    }
    try {
        setting();
    } catch (const std::exception&) {
    }
}

void selectPort(PrinterPortId port) {
    auto printerPort = gComPort().PrinterPort();
    if (port.by == PrinterPortId::By::Index)
        printerPort->setPortAddressIndex(static_cast<std::uint8_t>(port.value));
    else
        printerPort->setPortAddress(port.value);
}

std::shared_ptr<brisendal::SMBusProtocall> protocol() {
    return gComPort().PrinterPort()->SMBusProtocall();
}

} // namespace

ChipPlace GoToChip(const ChipPlace& place, SettingFailure onFailure) {
    ChipPlace reached = place;
    switch (place.medium) {
    case Medium::PrinterPort:
        make(onFailure, [&] { selectPort(place.port); });
        make(onFailure, [&] { protocol()->setDataInverted(place.dataInverted); });
        make(onFailure, [&] { protocol()->setDeviceAddress(place.address); });
        gChipAddress = place.address;
        make(onFailure,
             [] { gComPort().setPortType(static_cast<std::int16_t>(Medium::PrinterPort)); });
        reached.port = PrinterPortId::baseAddress(0);
        make(onFailure, [&] { reached.port.value = protocol()->PortAddress(); });
        break;
    case Medium::ChipsetSMBus:
        make(onFailure, [&] { gComPort().SMBus()->setDeviceAddress(place.address); });
        make(onFailure,
             [] { gComPort().setPortType(static_cast<std::int16_t>(Medium::ChipsetSMBus)); });
        break;
    case Medium::USB:
        break;
    }
    return reached;
}

void ReturnToStartUpPort(SettingFailure onFailure) {
    make(onFailure, [] { gComPort().PrinterPort()->setPortAddress(kStartUpPortAddress); });
}

void SelectPrinterPort(PrinterPortId port, bool dataInverted) {
    selectPort(port);
    protocol()->setDataInverted(dataInverted);
}

std::uint16_t SelectPrinterPort(PrinterPortId port) {
    try {
        selectPort(port);
        return gComPort().PrinterPort()->PortAddress();
    } catch (const std::exception&) {
        return 0;
    }
}

void HoldBoardLinesHigh() {
    protocol()->setBitsToStayHigh(kBoardLinesHigh);
}

} // namespace trelvane
