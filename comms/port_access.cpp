#include "comms/port_access.h"

#include "comms/bus_state.h"
#include "comms/com_error.h"
#include "comms/windows_version.h"
#include "platform/parallel_port_driver.h"

#include <string>
#include <string_view>

namespace brisendal {
namespace {

using vsq::platform::DriverUnavailable;
using vsq::platform::ParallelPortDriver;
using vsq::platform::PortInformation;

// Resolved once: every register access goes through it.
[[gnu::always_inline]] inline ParallelPortDriver& driver() {
    static ParallelPortDriver& theDriver = ParallelPortDriver::instance();
    return theDriver;
}

// The failed status a caller sees for a driver that cannot be reached.
[[noreturn]] void raiseDriverError(const DriverUnavailable& e) {
    const std::string_view text = e.what();
    const int number = text.starts_with("Can't find DLL entry point") ? 453
                       : text.starts_with("Error in loading DLL")     ? 48
                                                                      : 53;
    throw ComError(number, std::string(text));
}

// Calls the driver, its failures raised as ComError.
template <typename Call> auto viaDriver(Call&& call) {
    try {
        return call(driver());
    } catch (const DriverUnavailable& e) {
        raiseDriverError(e);
    }
}

// The two accesses of every bus edge: written out rather than through
// viaDriver, so they inline into their callers with nothing kept on the stack.
inline void outByte(std::uint16_t address, std::uint8_t value) {
    try {
        driver().OutByte(address, value);
    } catch (const DriverUnavailable& e) {
        raiseDriverError(e);
    }
}

inline std::uint8_t inByte(std::uint16_t address) {
    try {
        return driver().InByte(address);
    } catch (const DriverUnavailable& e) {
        raiseDriverError(e);
    }
}

} // namespace

std::uint8_t DriverPortCount() {
    return viaDriver([](ParallelPortDriver& port) {
        return static_cast<std::uint8_t>(port.GetParallelPortCount() & 0xFF);
    });
}

bool DriverPortInfo(std::int32_t portNumber, PortInformation& record) {
    return viaDriver([&](ParallelPortDriver& port) {
        return (port.GetParallelPortInfo(portNumber, record) & 0xFFFF) != 0;
    });
}

void InitialiseParallelPorts() {
    auto& state = busState();
    if (state.PortsInitialised)
        return;
    const bool windows9x = IsWindows9xBuild(WindowsBuildText());
    const std::uint8_t count = DriverPortCount();
    std::vector<std::uint16_t> table;
    std::uint16_t firstAddress = state.PortAddress;
    if (count != 0) {
        PortInformation record;
        record.recordSize = 12; // set once for the whole run of queries
        if (DriverPortInfo(1, record))
            firstAddress = static_cast<std::uint16_t>(record.baseAddress);
        table.assign(count, 0);
        for (int number = 1; number <= count; ++number)
            if (DriverPortInfo(number, record))
                table[number - 1] = static_cast<std::uint16_t>(record.baseAddress);
    }
    state.Windows9xBuild = windows9x;
    state.PortCount = count;
    state.PortAddress = firstAddress;
    state.PortAddressTable = std::move(table);
    state.PortsInitialised = true;
}

std::int16_t ClaimPort(std::uint8_t portNumber) {
    if (busState().PortOpen)
        ClosePort();
    try {
        return static_cast<std::int16_t>(driver().ClaimParallelPort(portNumber, -1) & 0xFFFF);
    } catch (const DriverUnavailable&) {
        return 0;
    }
}

bool OpenPort() {
    auto& state = busState();
    if (state.PortCount == 0)
        state.PortOpen = false;
    else if (state.Windows9xBuild)
        state.PortOpen = true;
    else
        state.PortOpen = ClaimPort(static_cast<std::uint8_t>(state.PortAddressIndex + 1)) != 0;
    return state.PortOpen;
}

void ClosePort() {
    auto& state = busState();
    if (state.PortOpen && !state.Windows9xBuild) {
        try {
            driver().ReleaseParallelPort(state.PortAddressIndex + 1);
        } catch (const DriverUnavailable&) {
            // the release is skipped; the port counts as closed all the same
        }
    }
    state.PortOpen = false;
    state.LockPortOpen = false;
}

void SelectPortByAddress(std::uint16_t address) {
    auto& state = busState();
    if (state.PortCount == 0) {
        state.PortOpen = false;
        return;
    }
    PortInformation record;
    record.recordSize = 12;
    for (int number = 1; number <= state.PortCount; ++number) {
        // Bases of 0x8000 and above (PCIe cards) must match too: compare 16 bits.
        if (DriverPortInfo(number, record) &&
            static_cast<std::uint16_t>(record.baseAddress) == address) {
            state.PortAddressIndex = static_cast<std::uint8_t>(number - 1);
            state.PortAddress = address;
            return;
        }
    }
}

namespace {

// A write with the port closed opens it for the one write.
[[gnu::noinline]] void outputOpeningThePort(std::uint16_t address, std::uint8_t value) {
    if (!OpenPort())
        return;
    outByte(address, value);
    if (!busState().LockPortOpen)
        ClosePort();
}

} // namespace

void PortOutput(std::uint16_t address, std::uint8_t value) {
    const auto& state = busState();
    if (state.PortOpen || state.LockPortOpen) [[likely]]
        outByte(address, value);
    else
        outputOpeningThePort(address, value);
}

std::uint8_t PortInput(std::uint16_t address) {
    const auto& state = busState();
    return (state.PortOpen || state.LockPortOpen) ? inByte(address) : 0;
}

void OutputIfOpen(std::uint16_t address, std::uint8_t value) {
    if (busState().PortOpen)
        outByte(address, value);
}

std::uint8_t InputIfOpen(std::uint16_t address) {
    return busState().PortOpen ? inByte(address) : 0;
}

} // namespace brisendal
