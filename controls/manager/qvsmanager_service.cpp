// The manager's working half: finding the panels that name it as their master,
// and on every poll tick carrying out the transfer each flagged panel asks for.

#include "comms/EEPROM.h"
#include "comms/PrinterPort.h"
#include "comms/QVSComPort.h"
#include "comms/SMBus.h"
#include "comms/SMBusProtocall.h"
#include "comms/com_error.h"
#include "controls/common/basic_error.h"
#include "controls/common/basic_number.h"
#include "controls/common/control_host.h"
#include "controls/manager/managed_panel.h"
#include "controls/manager/qvsmanager.h"

#include <QTimerEvent>

#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

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
    return brisendal::PrinterPort::FrameInProgress() || brisendal::SMBus::FrameInProgress();
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
    if (serviceControls()) {
        idleTicks_ = 0;
        setPollInterval(kPollIntervalMs);
    } else if (++idleTicks_ >= kIdleTicks) {
        setPollInterval(kIdlePollIntervalMs);
    }
    if (!listBuilt_) {
        ensureControlList();
    }
}

// A request raised through a managed panel's Flag setter is served at the
// full rate.
void QVSManager::flagWritten(vsq::controls::Control* control, const QString& propertyName) {
    if (propertyName.compare(QLatin1String("Flag"), Qt::CaseInsensitive) != 0) {
        return;
    }
    for (const ManagedPanel& panel : managedControls_) {
        if (panel.is(control)) {
            idleTicks_ = 0;
            setPollInterval(kPollIntervalMs);
            return;
        }
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
    if (host() != nullptr && !flagWatch_) {
        flagWatch_ = connect(host(), &vsq::controls::ControlHost::propertyChanged, this,
                             &QVSManager::flagWritten);
    }
    const QString ownName = nameOnHost();
    for (vsq::controls::Control* control : hostControls()) {
        if (auto panel = ManagedPanel::collect(*control, ownName)) {
            managedControls_.push_back(std::move(*panel));
        }
    }
}

bool QVSManager::serviceControls() {
    bool serviced = false;
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
            serviced = true;
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
    return serviced;
}

// The panel's request with every value the transfer on `medium` takes
// checked and converted; a value that does not fit, or a shape the medium has
// no transfer for, refuses it.
QVSManager::Transfer QVSManager::checkedTransfer(const ManagedPanel& panel, bool read,
                                                 std::uint8_t medium) {
    const QString name = panel.name();
    Transfer transfer;
    transfer.shape = fittingByte(panel.CommunicationsType(), "transfer shape", name);
    transfer.deviceAddress = fittingByte(panel.DeviceAddress(), "device address", name);
    transfer.addressPointer = static_cast<float>(panel.AddressPointer());
    if (!read) {
        transfer.value = static_cast<float>(panel.RWValue());
    }
    const bool parallelPort = medium == kParallelPort;
    const bool chipset = medium == kChipsetSMBus;
    if (chipset && transfer.shape != D8_AP8_DA8) {
        throw RequestRefused{
            kNoSuchTransfer,
            QStringLiteral("The chipset SMBus has no transfer of shape %1 (%2 asks for it)")
                .arg(transfer.shape)
                .arg(name)};
    }
    if (chipset ||
        (parallelPort && (transfer.shape == D8_AP8_DA8 || transfer.shape == D16_AP8_DA8))) {
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
    return transfer;
}

// A request that cannot be carried out, like a transfer that failed, raises
// ArbitrationError, and a read then yields 0. The read value is stored before
// the flag drops.
void QVSManager::serviceControl(ManagedPanel& panel) {
    bool read = false;
    std::optional<RequestRefused> refused;
    try {
        read = panel.ExecuteRead();
        const Transfer transfer = checkedTransfer(panel, read, commType_);
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
        const bool fits = error.number() > 0 && error.number() <= 255;
        const std::uint8_t number = fits ? static_cast<std::uint8_t>(error.number()) : kCallFailed;
        refused = RequestRefused{number, QString::fromStdString(error.description())};
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

brisendal::SMBusProtocall::ErrorEvent& errorEvent(brisendal::SMBusProtocall& object) {
    return object.SMBusProtocallError();
}
brisendal::EEPROM::ErrorEvent& errorEvent(brisendal::EEPROM& object) {
    return object.EEPROMError();
}

} // namespace

// Runs one transfer on `object`, hearing its error event for that transfer
// only; a failure it reported is raised as ArbitrationError afterwards.
template <class Object, class Call> auto QVSManager::carriedBy(Object& object, Call&& call) {
    HeardFailure heard;
    auto subscription = errorEvent(object).subscribe(std::ref(heard));
    auto finish = [&] {
        subscription.unsubscribe();
        if (heard.failure) {
            reportFailure(static_cast<std::uint8_t>(heard.failure->first),
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

// ArbComport when arbitration is on, else the root's port protocol object.
brisendal::SMBusProtocall& QVSManager::parallelProtocol() {
    if (arbitrationOn_ && arbComport_) {
        return *arbComport_;
    }
    return *root().PrinterPort()->SMBusProtocall();
}

// The root's EEPROM object, pointed at the device (a process-wide setting).
brisendal::EEPROM& QVSManager::eepromAt(std::uint8_t deviceAddress) {
    brisendal::EEPROM& eeprom = *root().PrinterPort()->EEPROM();
    eeprom.setDeviceAddress(deviceAddress);
    return eeprom;
}

float QVSManager::readDevice(const Transfer& t) {
    if (commType_ == kChipsetSMBus) {
        return root().SMBus()->PortRead(sevenBitAddress(t.deviceAddress), t.addressByte);
    }
    if (commType_ != kParallelPort) {
        return 0.0f;
    }
    if (t.shape == D8_AP16_DA8) {
        auto& eeprom = eepromAt(t.deviceAddress);
        return carriedBy(eeprom, [&] { return eeprom.ReadByte(t.highByte, t.lowByte); });
    }
    auto& p = parallelProtocol();
    switch (t.shape) {
    case D8_AP8_DA8:
        return carriedBy(p, [&] { return p.PortRead(t.deviceAddress, t.addressByte); });
    case D16_AP8_DA8:
        return carriedBy(p, [&] { return p.ReadWord(t.deviceAddress, t.addressByte); });
    case D8_DA8:
        return carriedBy(p, [&] { return p.ShortRead(t.deviceAddress); });
    default:
        return 0.0f;
    }
}

void QVSManager::writeDevice(const Transfer& t) {
    emit AboutToWrite(t.shape, static_cast<float>(t.deviceAddress), t.addressPointer, t.value);
    if (commType_ == kChipsetSMBus) {
        root().SMBus()->PortWrite(sevenBitAddress(t.deviceAddress), t.addressByte, t.dataByte);
        return;
    }
    if (commType_ != kParallelPort) {
        return;
    }
    if (t.shape == D8_AP16_DA8) {
        auto& eeprom = eepromAt(t.deviceAddress);
        carriedBy(eeprom, [&] { eeprom.WriteByte(t.highByte, t.lowByte, t.dataByte); });
        return;
    }
    auto& p = parallelProtocol();
    switch (t.shape) {
    case D8_AP8_DA8:
        carriedBy(p, [&] { p.PortWrite(t.deviceAddress, t.addressByte, t.dataByte); });
        break;
    case D16_AP8_DA8:
        carriedBy(p, [&] { p.WriteWord(t.deviceAddress, t.addressByte, t.value); });
        break;
    case D8_DA8:
        carriedBy(p, [&] { p.ShortWrite(t.deviceAddress, t.dataByte); });
        break;
    default:
        break;
    }
}

} // namespace orvessa
