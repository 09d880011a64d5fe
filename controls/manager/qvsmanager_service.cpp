// The manager's working half: finding the panels that name it as their master,
// and on every poll tick carrying out the transfer each flagged panel asks for.

#include "comms/EEPROM.h"
#include "comms/PrinterPort.h"
#include "comms/QVSComPort.h"
#include "comms/SMBus.h"
#include "comms/SMBusProtocall.h"
#include "comms/bus_state.h"
#include "comms/com_error.h"
#include "controls/common/basic_error.h"
#include "controls/common/basic_number.h"
#include "controls/manager/managed_panel.h"
#include "controls/manager/qvsmanager.h"

#include <QTimerEvent>

#include <cmath>
#include <optional>
#include <string>

namespace orvessa {

using vsq::controls::BasicError;

// One request, checked: the values each transfer takes, in the forms it takes
// them.
struct QVSManager::Transfer {
    std::uint8_t shape = 0;
    std::uint8_t deviceAddress = 0; // 8-bit form
    float addressPointer = 0.0f;
    float value = 0.0f;
    std::uint8_t addressByte = 0; // byte register address
    std::uint8_t highByte = 0;    // EEPROM address
    std::uint8_t lowByte = 0;
    std::uint8_t dataByte = 0;
};

namespace {

// A request the manager refuses before the bus sees it.
struct RequestRefused {
    std::uint8_t number;
    QString description;
};

// The failure a library object reported during one transfer.
struct HeardFailure {
    std::optional<std::pair<std::int16_t, std::string>> failure;
    void operator()(std::int16_t number, const std::string& text) {
        if (!failure) {
            failure.emplace(number, text);
        }
    }
};

constexpr double kLastByte = 255.0;
constexpr double kLastWord = 65535.0;

// The value rounded (halves to even) when it lies within 0 .. last.
std::optional<double> wholeWithin(double value, double last) {
    const double whole = vsq::controls::roundHalfEven(value);
    if (!(whole >= 0.0 && whole <= last)) {
        return std::nullopt;
    }
    return whole;
}

double fitting(double value, double last, const QString& what, const QString& panel) {
    if (const auto whole = wholeWithin(value, last)) {
        return *whole;
    }
    throw RequestRefused{kRequestOverflow,
                         QStringLiteral("Overflow: %1 asks for %2 %3, outside 0 to %4")
                             .arg(panel, what)
                             .arg(value)
                             .arg(last)};
}

std::uint8_t fittingByte(double value, const QString& what, const QString& panel) {
    return static_cast<std::uint8_t>(fitting(value, kLastByte, what, panel));
}

// The chipset's host controller takes the 7-bit address and shifts it itself.
std::uint8_t sevenBitAddress(std::uint8_t deviceAddress) {
    return deviceAddress >> 1;
}

bool busFrameInProgress() {
    return brisendal::busState().frameInProgress() || brisendal::SMBus::FrameInProgress();
}

// Marks a tick as running for its lifetime.
class TickScope {
public:
    explicit TickScope(bool& running) : running_(running) { running_ = true; }
    ~TickScope() { running_ = false; }
    TickScope(const TickScope&) = delete;
    TickScope& operator=(const TickScope&) = delete;

private:
    bool& running_;
};

} // namespace

void QVSManager::timerEvent(QTimerEvent* event) {
    if (event->timerId() != pollTimer_.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    // A tick that arrives inside a transfer's yield, or inside an earlier
    // tick, is skipped: the next one serves what is pending.
    if (tickRunning_ || busFrameInProgress()) {
        return;
    }
    TickScope scope(tickRunning_);
    pollTick();
}

void QVSManager::pollTick() {
    serviceControls();
    if (!listBuilt_) {
        ensureControlList();
    }
}

void QVSManager::ensureControlList() {
    if (userMode() && !listBuilt_) {
        collectManagedControls();
        listBuilt_ = true;
    }
}

void QVSManager::collectManagedControls() {
    managedControls_.clear();
    const QString ownName = nameOnHost();
    for (vsq::controls::Control* control : hostControls()) {
        if (auto panel = ManagedPanel::collect(*control, ownName)) {
            managedControls_.push_back(std::move(*panel));
        }
    }
}

void QVSManager::serviceControls() {
    for (ManagedPanel& panel : managedControls_) {
        if (!panel.serviceable()) {
            continue;
        }
        bool flagged = false;
        try {
            flagged = panel.Flag();
        } catch (const BasicError&) {
            continue; // a panel that cannot tell has asked for nothing
        }
        if (flagged) {
            serviceControl(panel);
        }
    }
    if (serviceNControlsEnabled_) {
        if (serviceNControls_ > 0) {
            --serviceNControls_;
        }
        if (serviceNControls_ == 0) {
            switchPollTimer(false);
        }
    }
}

// Checks the request first; a request that cannot be carried out, like a
// transfer that failed, raises ArbitrationError, and a read then yields 0.
// The read value is stored before the flag drops.
void QVSManager::serviceControl(ManagedPanel& panel) {
    bool read = false;
    std::optional<RequestRefused> refused;
    try {
        read = panel.ExecuteRead();
        const QString name = panel.name();
        Transfer transfer;
        transfer.shape = fittingByte(panel.CommunicationsType(), "transfer shape", name);
        transfer.deviceAddress = fittingByte(panel.DeviceAddress(), "device address", name);
        transfer.addressPointer = static_cast<float>(panel.AddressPointer());
        if (!read) {
            transfer.value = static_cast<float>(panel.RWValue());
        }
        const bool parallelPort = commType_ == kParallelPort;
        const bool chipset = commType_ == kChipsetSMBus;
        if (chipset && transfer.shape != D8_AP8_DA8) {
            throw RequestRefused{kNoSuchTransfer,
                                 QStringLiteral("The chipset SMBus has no transfer of shape %1 "
                                                "(%2 asks for it)")
                                     .arg(transfer.shape)
                                     .arg(name)};
        }
        const bool byteRegister =
            chipset ||
            (parallelPort && (transfer.shape == D8_AP8_DA8 || transfer.shape == D16_AP8_DA8));
        if (byteRegister) {
            transfer.addressByte = fittingByte(transfer.addressPointer, "register address", name);
        }
        if (parallelPort && transfer.shape == D8_AP16_DA8) {
            const auto cell = static_cast<std::uint32_t>(
                fitting(transfer.addressPointer, kLastWord, "EEPROM address", name));
            transfer.highByte = static_cast<std::uint8_t>(cell >> 8);
            transfer.lowByte = static_cast<std::uint8_t>(cell & 0xFF);
        }
        const bool carried = chipset || (parallelPort && transfer.shape <= D8_AP16_DA8);
        if (!read && carried) {
            if (transfer.shape == D16_AP8_DA8) {
                fitting(transfer.value, kLastWord, "word value", name);
            } else {
                transfer.dataByte = fittingByte(transfer.value, "value", name);
            }
        }
        deviceAddress_ = transfer.deviceAddress;
        if (read) {
            const float value = readDevice(transfer);
            panel.setRWValue(value);
        } else {
            writeDevice(transfer);
        }
        panel.setFlag(false);
        return;
    } catch (const RequestRefused& failure) {
        refused = failure;
    } catch (const BasicError& error) {
        refused = RequestRefused{kPanelFailed, QString::fromStdString(error.description())};
    } catch (const brisendal::ComError& error) {
        refused = RequestRefused{static_cast<std::uint8_t>(error.number()),
                                 QString::fromUtf8(error.what())};
    }
    reportFailure(refused->number, refused->description);
    try {
        if (read) {
            panel.setRWValue(0.0f);
        }
        panel.setFlag(false);
    } catch (const BasicError&) {
        // A panel that cannot take the answer keeps its request.
    }
}

void QVSManager::reportFailure(std::uint8_t number, const QString& description) {
    emit ArbitrationError(number, description);
}

namespace {

// Runs one transfer on `object`, hearing its error event for that transfer
// only; a failure it reported is raised as ArbitrationError afterwards.
template <class Object, class Event, class Call>
auto carriedBy(Object& object, Event& (Object::*event)(), Call&& call,
               const std::function<void(std::uint8_t, const QString&)>& report) {
    HeardFailure heard;
    auto subscription = (object.*event)().subscribe(std::ref(heard));
    auto finish = [&] {
        subscription.unsubscribe();
        if (heard.failure) {
            report(static_cast<std::uint8_t>(heard.failure->first),
                   QString::fromStdString(heard.failure->second));
        }
    };
    if constexpr (std::is_void_v<decltype(call())>) {
        call();
        finish();
    } else {
        const auto result = call();
        finish();
        return result;
    }
}

} // namespace

float QVSManager::readDevice(const Transfer& t) {
    const auto report = [this](std::uint8_t n, const QString& d) { reportFailure(n, d); };
    if (commType_ == kChipsetSMBus) {
        return root().SMBus()->PortRead(sevenBitAddress(t.deviceAddress), t.addressByte);
    }
    if (commType_ != kParallelPort) {
        return 0.0f;
    }
    if (t.shape == D8_AP16_DA8) {
        auto eeprom = root().PrinterPort()->EEPROM();
        eeprom->setDeviceAddress(t.deviceAddress);
        return carriedBy(
            *eeprom, &brisendal::EEPROM::EEPROMError,
            [&] { return eeprom->ReadByte(t.highByte, t.lowByte); }, report);
    }
    auto protocol =
        arbitrationOn_ && arbComport_ ? arbComport_ : root().PrinterPort()->SMBusProtocall();
    auto& p = *protocol;
    const auto event = &brisendal::SMBusProtocall::SMBusProtocallError;
    switch (t.shape) {
    case D8_AP8_DA8:
        return carriedBy(
            p, event, [&] { return p.PortRead(t.deviceAddress, t.addressByte); }, report);
    case D16_AP8_DA8:
        return carriedBy(
            p, event, [&] { return p.ReadWord(t.deviceAddress, t.addressByte); }, report);
    case D8_DA8:
        return carriedBy(
            p, event, [&] { return p.ShortRead(t.deviceAddress); }, report);
    default:
        return 0.0f;
    }
}

void QVSManager::writeDevice(const Transfer& t) {
    emit AboutToWrite(t.shape, static_cast<float>(t.deviceAddress), t.addressPointer, t.value);
    const auto report = [this](std::uint8_t n, const QString& d) { reportFailure(n, d); };
    if (commType_ == kChipsetSMBus) {
        root().SMBus()->PortWrite(sevenBitAddress(t.deviceAddress), t.addressByte, t.dataByte);
        return;
    }
    if (commType_ != kParallelPort) {
        return;
    }
    if (t.shape == D8_AP16_DA8) {
        auto eeprom = root().PrinterPort()->EEPROM();
        eeprom->setDeviceAddress(t.deviceAddress);
        carriedBy(
            *eeprom, &brisendal::EEPROM::EEPROMError,
            [&] { eeprom->WriteByte(t.highByte, t.lowByte, t.dataByte); }, report);
        return;
    }
    auto protocol =
        arbitrationOn_ && arbComport_ ? arbComport_ : root().PrinterPort()->SMBusProtocall();
    auto& p = *protocol;
    const auto event = &brisendal::SMBusProtocall::SMBusProtocallError;
    switch (t.shape) {
    case D8_AP8_DA8:
        carriedBy(
            p, event, [&] { p.PortWrite(t.deviceAddress, t.addressByte, t.dataByte); }, report);
        break;
    case D16_AP8_DA8:
        carriedBy(
            p, event, [&] { p.WriteWord(t.deviceAddress, t.addressByte, t.value); }, report);
        break;
    case D8_DA8:
        carriedBy(
            p, event, [&] { p.ShortWrite(t.deviceAddress, t.dataByte); }, report);
        break;
    default:
        break;
    }
}

} // namespace orvessa
