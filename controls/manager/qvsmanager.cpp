// The manager's properties, what each pushes into the communications library,
// the poll timer's switching and the property bag.

#include "controls/manager/qvsmanager.h"

#include "comms/PrinterPort.h"
#include "comms/QVSComPort.h"
#include "comms/SMBus.h"
#include "comms/SMBusProtocall.h"
#include "comms/com_error.h"
#include "controls/common/basic_error.h"
#include "controls/common/basic_number.h"
#include "controls/common/twips.h"
#include "controls/manager/managed_panel.h"

#include <QAbstractEventDispatcher>
#include <QTimerEvent>

namespace orvessa {

using vsq::controls::BasicError;
using vsq::controls::PropertyBag;
using vsq::controls::propertyMember;

namespace {

// A failed call into the communications library fails the member that made
// it, as the control layer reports failures.
template <class Call> void pushing(Call&& call) {
    try {
        call();
    } catch (const brisendal::ComError& error) {
        throw BasicError(error.number(), error.what());
    }
}

// The chipset object's base address: rounded, halves to even (Overflow
// outside 32 bits).
std::int32_t baseAddressOf(float value) {
    return vsq::controls::toLong(static_cast<double>(value));
}

} // namespace

QVSManager::QVSManager(QWidget* parent) : QWidget(parent) {
    const int side = vsq::controls::pixelsFromTwips(kSizeTwips);
    setFixedSize(side, side);
    // It draws nothing; clicks reach whatever lies under it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QVSManager::~QVSManager() = default;

const vsq::controls::MemberTable& QVSManager::memberTable() const {
    namespace id = QVSManagerId;
    static const vsq::controls::MemberTable table{
        propertyMember("CommType", id::CommType, &QVSManager::CommType, &QVSManager::setCommType),
        propertyMember("PrinterPortAddress", id::PrinterPortAddress,
                       &QVSManager::PrinterPortAddress, &QVSManager::setPrinterPortAddress),
        propertyMember("DeviceAddress", id::DeviceAddress, &QVSManager::DeviceAddress,
                       &QVSManager::setDeviceAddress),
        propertyMember("SMBusBaseAddress", id::SMBusBaseAddress, &QVSManager::SMBusBaseAddress,
                       &QVSManager::setSMBusBaseAddress),
        propertyMember("StatusPortOrBits", id::StatusPortOrBits, &QVSManager::StatusPortOrBits,
                       &QVSManager::setStatusPortOrBits),
        propertyMember("ControlPortOrBits", id::ControlPortOrBits, &QVSManager::ControlPortOrBits,
                       &QVSManager::setControlPortOrBits),
        propertyMember("DataPortOrBits", id::DataPortOrBits, &QVSManager::DataPortOrBits,
                       &QVSManager::setDataPortOrBits),
        propertyMember("Enabled", id::Enabled, &QVSManager::Enabled, &QVSManager::setEnabled),
        propertyMember("ServiceNControls", id::ServiceNControls, &QVSManager::ServiceNControls,
                       &QVSManager::setServiceNControls),
        propertyMember("ServiceNControlsEnabled", id::ServiceNControlsEnabled,
                       &QVSManager::ServiceNControlsEnabled,
                       &QVSManager::setServiceNControlsEnabled),
        propertyMember("DataInverted", id::DataInverted, &QVSManager::DataInverted,
                       &QVSManager::setDataInverted),
        propertyMember("ArbitrationOn", id::ArbitrationOn, &QVSManager::ArbitrationOn,
                       &QVSManager::setArbitrationOn),
        propertyMember("ArbitrationMaxCollisions", id::ArbitrationMaxCollisions,
                       &QVSManager::ArbitrationMaxCollisions,
                       &QVSManager::setArbitrationMaxCollisions),
    };
    return table;
}

brisendal::QVSComPort& QVSManager::root() {
    if (!root_) {
        pushing([this] { root_ = std::make_shared<brisendal::QVSComPort>(); });
    }
    return *root_;
}

// Switched on, the timer starts at the full rate.
void QVSManager::switchPollTimer(bool on) {
    if (on && !pollTimer_.isActive()) {
        idleTicks_ = 0;
        pollIntervalMs_ = kPollIntervalMs;
        pollTimer_.start(pollIntervalMs_, Qt::PreciseTimer, this);
    } else if (!on) {
        pollTimer_.stop();
    }
}

int QVSManager::pollIntervalMs() const {
    const QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread());
    if (!pollTimer_.isActive() || dispatcher == nullptr) {
        return 0;
    }
    for (const auto& timer : dispatcher->registeredTimers(const_cast<QVSManager*>(this))) {
        if (timer.timerId == pollTimer_.timerId()) {
            return timer.interval;
        }
    }
    return 0;
}

void QVSManager::setPollInterval(int milliseconds) {
    if (milliseconds != pollIntervalMs_) {
        pollIntervalMs_ = milliseconds;
        if (pollTimer_.isActive()) {
            pollTimer_.start(pollIntervalMs_, Qt::PreciseTimer, this);
        }
    }
}

void QVSManager::startCountedService() {
    if (Enabled() && serviceNControls_ > 0 && serviceNControlsEnabled_) {
        switchPollTimer(true);
    }
}

void QVSManager::setCommType(std::uint8_t value) {
    commType_ = value;
    root().setPortType(value);
    propertyChanged(QStringLiteral("CommType"));
}

void QVSManager::setPrinterPortAddress(std::int16_t value) {
    printerPortAddress_ = value;
    pushing([&] {
        const auto address = static_cast<std::uint16_t>(value);
        root().PrinterPort()->SMBusProtocall()->setPortAddress(address);
    });
    propertyChanged(QStringLiteral("PrinterPortAddress"));
}

void QVSManager::setDeviceAddress(std::uint8_t value) {
    deviceAddress_ = value;
    pushing([&] {
        root().PrinterPort()->SMBusProtocall()->setDeviceAddress(value);
        root().SMBus()->setDeviceAddress(value);
    });
    propertyChanged(QStringLiteral("DeviceAddress"));
}

void QVSManager::setSMBusBaseAddress(float value) {
    smbusBaseAddress_ = value;
    const std::int32_t base = baseAddressOf(value);
    pushing([&] { root().SMBus()->setSMBusBaseAddress(base); });
    propertyChanged(QStringLiteral("SMBusBaseAddress"));
}

void QVSManager::setStatusPortOrBits(std::uint8_t value) {
    statusPortOrBits_ = value;
    propertyChanged(QStringLiteral("StatusPortOrBits"));
}

void QVSManager::setControlPortOrBits(std::uint8_t value) {
    controlPortOrBits_ = value;
    propertyChanged(QStringLiteral("ControlPortOrBits"));
}

void QVSManager::setDataPortOrBits(std::uint8_t value) {
    dataPortOrBits_ = value;
    pushing([&] {
        // The OR bits are the bits that stay high as well: one drive of the lines.
        root().PrinterPort()->SMBusProtocall()->setOrBits(value);
    });
    propertyChanged(QStringLiteral("DataPortOrBits"));
}

// False stops a running poll as well.
void QVSManager::setEnabled(bool value) {
    enabled_ = value;
    switchPollTimer(userMode() && value);
    propertyChanged(QStringLiteral("Enabled"));
}

void QVSManager::setServiceNControls(std::uint8_t value) {
    serviceNControls_ = value;
    propertyChanged(QStringLiteral("ServiceNControls"));
    startCountedService();
}

void QVSManager::setServiceNControlsEnabled(bool value) {
    serviceNControlsEnabled_ = value;
    propertyChanged(QStringLiteral("ServiceNControlsEnabled"));
    startCountedService();
}

void QVSManager::setDataInverted(bool value) {
    dataInverted_ = value;
    propertyChanged(QStringLiteral("DataInverted"));
    pushing([&] { root().PrinterPort()->setDataInverted(value); });
}

void QVSManager::setArbitrationOn(bool value) {
    arbitrationOn_ = value;
    propertyChanged(QStringLiteral("ArbitrationOn"));
}

void QVSManager::setArbitrationMaxCollisions(std::uint8_t value) {
    arbitrationMaxCollisions_ = value;
    propertyChanged(QStringLiteral("ArbitrationMaxCollisions"));
}

// Nothing is pushed into the library and no library object is created.
void QVSManager::initProperties() {
    commType_ = 0;
    printerPortAddress_ = kDefaultPrinterPortAddress;
    deviceAddress_ = 0;
    smbusBaseAddress_ = 0.0f;
    statusPortOrBits_ = 0;
    controlPortOrBits_ = 0;
    dataPortOrBits_ = 0;
    enabled_ = false;
    switchPollTimer(false);
    ensureControlList();
    serviceNControls_ = 0;
    serviceNControlsEnabled_ = false;
    dataInverted_ = true;
    arbitrationOn_ = false;
    arbitrationMaxCollisions_ = kDefaultMaxCollisions;
}

// New library objects first (each puts part of the bus state back to the
// library's start values), then the manager's own settings on top. The data
// lines' OR bits are DataPortOrBits, as its setter pushes them.
void QVSManager::readProperties(const PropertyBag& bag) {
    pushing([&] {
        root_ = std::make_shared<brisendal::QVSComPort>();
        arbComport_ = std::make_shared<brisendal::SMBusProtocall>();
    });
    commType_ = bag.read<std::uint8_t>("CommType", 0);
    printerPortAddress_ = bag.read<std::int16_t>("PrinterPortAddress", kDefaultPrinterPortAddress);
    deviceAddress_ = bag.read<std::uint8_t>("DeviceAddress", 0);
    statusPortOrBits_ = bag.read<std::uint8_t>("StatusPortOrBits", 0);
    controlPortOrBits_ = bag.read<std::uint8_t>("ControlPortOrBits", 0);
    dataPortOrBits_ = bag.read<std::uint8_t>("DataPortOrBits", 0);
    serviceNControls_ = bag.read<std::uint8_t>("ServiceNControls", 0);
    serviceNControlsEnabled_ = bag.read<bool>("ServiceNControlsEnabled", false);
    dataInverted_ = bag.read<bool>("DataInverted", true);
    arbitrationOn_ = bag.read<bool>("ArbitrationOn", false);
    arbitrationMaxCollisions_ =
        bag.read<std::uint8_t>("ArbitrationMaxCollisions", kDefaultMaxCollisions);

    pushing([&] {
        const auto address = static_cast<std::uint16_t>(printerPortAddress_);
        const std::int16_t maxDenials = arbitrationMaxCollisions_;
        const auto protocol = root_->PrinterPort()->SMBusProtocall();
        protocol->setPortAddress(address);
        protocol->setDeviceAddress(deviceAddress_);
        protocol->setBitsToStayHigh(dataPortOrBits_);
        protocol->setDataInverted(dataInverted_);
        protocol->setArbitrationOn(arbitrationOn_);
        protocol->setMaxArbitrationDenials(maxDenials);

        root_->setPortType(commType_);
    });

    smbusBaseAddress_ = bag.read<float>("SMBusBaseAddress", 0.0f);
    pushing([&] {
        const auto smbus = root_->SMBus();
        if (static_cast<double>(smbus->SMBusBaseAddress()) !=
            static_cast<double>(smbusBaseAddress_)) {
            smbus->setSMBusBaseAddress(baseAddressOf(smbusBaseAddress_));
        }
    });

    enabled_ = bag.read<bool>("Enabled", false);
    switchPollTimer(enabled_ && userMode());
}

// Saving keeps a running poll running; a disabled manager stays stopped.
void QVSManager::writeProperties(PropertyBag& bag) {
    if (userMode() && enabled_) {
        switchPollTimer(true);
    }
    bag.write<std::uint8_t>("CommType", commType_, 0);
    bag.write<std::int16_t>("PrinterPortAddress", printerPortAddress_, kDefaultPrinterPortAddress);
    bag.write<std::uint8_t>("DeviceAddress", deviceAddress_, 0);
    bag.write<float>("SMBusBaseAddress", smbusBaseAddress_, 0.0f);
    bag.write<std::uint8_t>("StatusPortOrBits", statusPortOrBits_, 0);
    bag.write<std::uint8_t>("ControlPortOrBits", controlPortOrBits_, 0);
    bag.write<std::uint8_t>("DataPortOrBits", dataPortOrBits_, 0);
    bag.write<bool>("Enabled", enabled_, false);
    bag.write<std::uint8_t>("ServiceNControls", serviceNControls_, 0);
    bag.write<bool>("ServiceNControlsEnabled", serviceNControlsEnabled_, false);
    bag.write<bool>("DataInverted", dataInverted_, true);
    bag.write<bool>("ArbitrationOn", arbitrationOn_, false);
    bag.write<std::uint8_t>("ArbitrationMaxCollisions", arbitrationMaxCollisions_,
                            kDefaultMaxCollisions);
}

} // namespace orvessa
