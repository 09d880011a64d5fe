#include "comms/SMBus.h"

#include "comms/halvicor_library.h"
#include "platform/port_io.h"
#include "platform/services.h"
#include "smbushost/host_controller_registers.h"

#include <cmath>
#include <optional>

namespace brisendal {
namespace {

using namespace halvicor;

// A status wait gives up after this long on the monotonic clock.
constexpr double kStatusWaitSeconds = 1.0;
constexpr float kMaxFrameDelay = 1e10f;

// One chipset controller per machine, so one flag per process.
bool& chipsetFrame() {
    static bool inProgress = false;
    return inProgress;
}

class FrameGuard {
public:
    FrameGuard() { chipsetFrame() = true; }
    ~FrameGuard() { chipsetFrame() = false; }
    FrameGuard(const FrameGuard&) = delete;
    FrameGuard& operator=(const FrameGuard&) = delete;
};

HalvicorLibrary& halvicorLibrary() {
    return HalvicorLibrary::instance();
}

} // namespace

SMBus::SMBus() {
    // The search runs only where the platform lets this process use the ports,
    // so a system that refuses them never sees a faulting access.
    if (vsq::platform::portAccessAllowed())
        FindSMBusController();
}

void SMBus::setDeviceID(std::int32_t id) {
    deviceId_ = id;
}
std::int32_t SMBus::DeviceID() const {
    return deviceId_;
}

void SMBus::setSMBusBaseAddress(std::int32_t base) {
    baseAddress_ = base;
}
std::int32_t SMBus::SMBusBaseAddress() const {
    return baseAddress_;
}

bool SMBus::DevicePresent(std::uint8_t DeviceAddress) {
    if (!transferAllowed())
        return false;
    FrameGuard frame;
    return family() == Family::Intel ? IntelQuickProbe(DeviceAddress)
                                     : AliQuickProbe(DeviceAddress);
}

void SMBus::setFrameDelay(float delay) {
    if (!(delay >= 0.0f)) // also catches not-a-number
        delay = 0.0f;
    frameDelay_ = std::fmin(delay, kMaxFrameDelay);
}
float SMBus::FrameDelay() const {
    return frameDelay_;
}

void SMBus::PortWrite(std::uint8_t DeviceAddress, std::uint8_t AddressPointer, std::uint8_t Data) {
    if (!transferAllowed())
        return;
    FrameGuard frame;
    if (family() == Family::Intel)
        IntelWriteByteData(DeviceAddress, AddressPointer, Data);
    else
        AliWriteByteData(DeviceAddress, AddressPointer, Data);
}

std::uint8_t SMBus::PortRead(std::uint8_t DeviceAddress, std::uint8_t AddressPointer) {
    if (!transferAllowed())
        return 0;
    FrameGuard frame;
    return family() == Family::Intel ? IntelReadByteData(DeviceAddress, AddressPointer)
                                     : AliReadByteData(DeviceAddress, AddressPointer);
}

void SMBus::setDeviceAddress(std::uint8_t address) {
    deviceAddress_ = address;
}
std::uint8_t SMBus::DeviceAddress() const {
    return deviceAddress_;
}

bool SMBus::FrameInProgress() {
    return chipsetFrame();
}

void SMBus::FindSMBusController() {
    struct Location {
        std::int32_t bus, device, function;
    };
    auto& library = halvicorLibrary();
    auto supportedAt = [&](Location at) {
        return IsSupportedController(library.ReadPCI(at.bus, at.device, at.function, 0));
    };
    auto search = [&]() -> std::optional<Location> {
        if (Location usual{0, 7, 3}; supportedAt(usual))
            return usual;
        for (std::int32_t bus = 0; bus <= 1; ++bus)
            for (std::int32_t device = 0; device < 32; ++device)
                for (std::int32_t function = 0; function < 8; ++function)
                    if (supportedAt({bus, device, function}))
                        return Location{bus, device, function};
        return std::nullopt;
    };
    if (auto found = search())
        ReadSMBusBaseAddress(found->bus, found->device, found->function);
}

bool SMBus::IsSupportedController(std::int32_t word) {
    const auto id = static_cast<std::uint32_t>(word);
    return isIntelId(id) || id == kAliPowerManagementId;
}

void SMBus::ReadSMBusBaseAddress(std::int32_t bus, std::int32_t device, std::int32_t function) {
    auto& library = halvicorLibrary();
    const auto id = static_cast<std::uint32_t>(library.ReadPCI(bus, device, function, 0));
    if (isIntelId(id)) {
        const bool piix4 = id == kPiix4Id;
        const int baseRegister = piix4 ? kPiix4BaseRegister : kIchBaseRegister;
        const int hostConfig = piix4 ? kPiix4HostConfigRegister : kIchHostConfigRegister;
        auto base =
            intelIoBase(static_cast<std::uint32_t>(library.ReadPCI(bus, device, 3, baseRegister)));
        if (!base)
            return; // not an I/O base, or base 0: the controller is not used
        deviceId_ = static_cast<std::int32_t>(id);
        baseAddress_ = static_cast<std::int32_t>(*base);
        library.WritePCI(bus, device, 3, hostConfig,
                         library.ReadPCI(bus, device, 3, hostConfig) |
                             static_cast<std::int32_t>(kHostEnable));
    } else if (id == kAliPowerManagementId) {
        const auto word = library.ReadPCI(bus, device, function, kAliBaseRegister);
        // The base sits in the upper half; one whose bit 31 is clear comes out
        // 0x10000 above it, which still reaches the same ports.
        const std::int32_t base =
            65536 +
            static_cast<std::int32_t>(static_cast<std::uint32_t>(word) & 0xFFFF0000u) / 65536;
        if ((base & 0xFFFF) == 0)
            return; // base 0: the controller is not used
        library.WritePCI(bus, device, function, kAliIoEnableRegister,
                         library.ReadPCI(bus, device, function, kAliIoEnableRegister) |
                             static_cast<std::int32_t>(kAliIoEnable));
        library.WritePCI(bus, device, function, kAliHostEnableRegister,
                         library.ReadPCI(bus, device, function, kAliHostEnableRegister) |
                             static_cast<std::int32_t>(kAliHostEnable));
        deviceId_ = static_cast<std::int32_t>(id);
        baseAddress_ = base;
    }
}

bool SMBus::IntelQuickProbe(std::uint8_t DeviceAddress) {
    IntelWaitIdle();
    put(intel::kCommand, 0);
    put(intel::kSlaveAddress, slaveAddressByte(DeviceAddress, true));
    put(intel::kStatus, intel::kClearStatus);
    put(intel::kControl, intel::kStartByteData);
    const bool settled = IntelWaitIdle().settled;
    return settled && intel::present(get(intel::kStatus));
}

bool SMBus::AliQuickProbe(std::uint8_t DeviceAddress) {
    AliWaitDone();
    put(ali::kStatus, ali::kClearStatus);
    put(ali::kCommand, 0);
    put(ali::kSlaveAddress, slaveAddressByte(DeviceAddress, true));
    put(ali::kProtocol, ali::kByteDataProtocol);
    put(ali::kStart, ali::kStartValue);
    const bool settled = AliWaitDone().settled;
    return settled && ali::present(get(ali::kStatus));
}

void SMBus::IntelWriteByteData(std::uint8_t DeviceAddress, std::uint8_t AddressPointer,
                               std::uint8_t Data) {
    IntelWaitIdle();
    put(intel::kData1, 0);
    put(intel::kCommand, AddressPointer);
    put(intel::kSlaveAddress, slaveAddressByte(DeviceAddress, false));
    put(intel::kData0, Data);
    put(intel::kStatus, intel::kClearStatus);
    put(intel::kControl, intel::kStartByteData);
}

std::uint8_t SMBus::IntelReadByteData(std::uint8_t DeviceAddress, std::uint8_t AddressPointer) {
    IntelWaitIdle();
    put(intel::kData1, 0);
    put(intel::kData0, 0);
    put(intel::kCommand, AddressPointer);
    put(intel::kSlaveAddress, slaveAddressByte(DeviceAddress, true));
    put(intel::kStatus, intel::kClearStatus);
    put(intel::kControl, intel::kStartByteData);
    const auto done = IntelWaitIdle();
    if (!done.settled || intel::failed(done.status))
        return 0;
    return get(intel::kData0);
}

void SMBus::AliWriteByteData(std::uint8_t DeviceAddress, std::uint8_t AddressPointer,
                             std::uint8_t Data) {
    AliWaitDone();
    put(ali::kStatus, ali::kClearStatus);
    put(ali::kCommand, AddressPointer);
    put(ali::kSlaveAddress, slaveAddressByte(DeviceAddress, false));
    put(ali::kData, Data);
    put(ali::kProtocol, ali::kByteDataProtocol);
    put(ali::kStart, 0);
}

std::uint8_t SMBus::AliReadByteData(std::uint8_t DeviceAddress, std::uint8_t AddressPointer) {
    AliWaitDone();
    put(ali::kStatus, ali::kClearStatus);
    put(ali::kCommand, AddressPointer);
    put(ali::kSlaveAddress, slaveAddressByte(DeviceAddress, true));
    put(ali::kProtocol, ali::kByteDataProtocol);
    put(ali::kStart, 0);
    const auto done = AliWaitDone();
    if (!done.settled || ali::failed(done.status))
        return 0;
    return get(ali::kData);
}

SMBus::StatusWait SMBus::AliWaitDone() {
    return waitWhile(ali::busy);
}

SMBus::StatusWait SMBus::IntelWaitIdle() {
    return waitWhile(intel::busy);
}

// Reads the status byte until it no longer shows busy, the wait's second has
// passed on the monotonic clock, or the program is ending; yields once a pass,
// without user input, since a transfer is in progress.
template <typename Busy> SMBus::StatusWait SMBus::waitWhile(Busy busy) {
    const double deadline = vsq::platform::secondsNow() + kStatusWaitSeconds;
    StatusWait result;
    for (;;) {
        const double now = vsq::platform::secondsNow();
        result.status = get(0);
        if (!busy(result.status))
            return result;
        if (now >= deadline || vsq::platform::quitRequested()) {
            result.settled = false;
            return result;
        }
        vsq::platform::yieldOnce(vsq::platform::YieldMode::NoUserInput);
    }
}

SMBus::Family SMBus::family() const {
    const auto id = static_cast<std::uint32_t>(deviceId_);
    if (isIntelId(id))
        return Family::Intel;
    if (id == kAliPowerManagementId)
        return Family::Ali;
    return Family::None;
}

bool SMBus::transferAllowed() const {
    return family() != Family::None && (baseAddress_ & 0xFFFF) != 0 && !chipsetFrame() &&
           vsq::platform::portAccessAllowed();
}

// Ports are the low 16 bits of base + offset; the sum wraps instead of overflowing.
std::int32_t SMBus::registerPort(int offset) const {
    return static_cast<std::int32_t>(
        (static_cast<std::uint32_t>(baseAddress_) + static_cast<std::uint32_t>(offset)) & 0xFFFF);
}

void SMBus::put(int offset, std::uint8_t value) {
    halvicorLibrary().WriteByBase(registerPort(offset), value);
}

std::uint8_t SMBus::get(int offset) {
    return static_cast<std::uint8_t>(halvicorLibrary().ReadByBase(registerPort(offset)));
}

} // namespace brisendal
