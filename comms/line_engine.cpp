#include "comms/line_engine.h"

#include "comms/bus_state.h"
#include "comms/bus_timing.h"
#include "comms/com_error.h"
#include "comms/port_access.h"
#include "platform/services.h"

#include <cmath>

namespace brisendal {
namespace {

constexpr std::uint8_t kLineBits = 0x30;
constexpr std::uint8_t kClockSense = 0x20;
constexpr std::uint8_t kDataSense = 0x10;
constexpr std::uint8_t kVideoDataSense = 0x08;

void drive(std::uint8_t pattern) {
    const auto& state = busState();
    PortOutput(state.PortAddress, pattern | state.BitsToStayHigh);
}

std::uint8_t readStatus() {
    return PortInput(static_cast<std::uint16_t>(busState().PortAddress + 1));
}

bool sensed(std::uint8_t pattern) {
    return (readStatus() & kLineBits) == pattern;
}

// SDA pulled low by a slave, from one status reading.
bool dataSensedLow(std::uint8_t status) {
    const bool bitSet = (status & kDataSense) != 0;
    return busState().DataInverted ? bitSet : !bitSet;
}

// A line check that runs only while ArbitrationOn and, failing, sets BusError.
// With CheckClockReleased it is the "clock check": a slave holding SCL low
// fails the attempt.
bool checkFails(bool (*check)()) {
    auto& state = busState();
    if (state.ArbitrationOn && !check()) {
        state.BusError = true;
        return true;
    }
    return false;
}

} // namespace

void SetLineInversion(bool inverted) {
    auto& state = busState();
    state.DataInverted = inverted;
    if (inverted) {
        state.DriveA = 0, state.DriveB = 2, state.DriveC = 3, state.DriveD = 1;
        state.SenseA = 0x00, state.SenseB = 0x10, state.SenseC = 0x30, state.SenseD = 0x20;
    } else {
        state.DriveA = 3, state.DriveB = 1, state.DriveC = 0, state.DriveD = 2;
        state.SenseA = 0x30, state.SenseB = 0x20, state.SenseC = 0x00, state.SenseD = 0x10;
    }
}

void SetStayHighBits(std::uint8_t bits) {
    auto& state = busState();
    state.BitsToStayHigh = bits;
    // Inside a frame the new bits go out with the frame's next edge; claiming
    // the port here would cut the frame off.
    FrameScope frame;
    if (!frame.entered())
        return;
    if (OpenPort()) {
        drive(state.DriveA);
        if (!state.LockPortOpen)
            ClosePort();
    }
}

bool BothLinesLow() {
    return sensed(busState().SenseC);
}
bool ClockHighDataLow() {
    return sensed(busState().SenseB);
}
bool ClockLowDataHigh() {
    return sensed(busState().SenseD);
}
bool BothLinesHigh() {
    return sensed(busState().SenseA);
}

bool CheckClockReleased() {
    const bool bitSet = (readStatus() & kClockSense) != 0;
    return busState().DataInverted ? !bitSet : bitSet;
}

bool CheckLineState(int n) {
    auto& state = busState();
    if (!state.ArbitrationOn)
        return false;
    switch (n) {
    case 0:
        state.BusError = !BothLinesLow();
        break;
    case 1:
        state.BusError = !ClockLowDataHigh();
        break;
    case 2:
        state.BusError = !ClockHighDataLow();
        break;
    case 3:
        state.BusError = !BothLinesHigh();
        break;
    case 4:
        state.BusError = !CheckClockReleased();
        break;
    default:
        break;
    }
    return state.BusError;
}

void StartCondition() {
    const auto& s = busState();
    drive(s.DriveA);
    if (CheckLineState(3))
        return;
    BitDelay();
    drive(s.DriveB);
    if (CheckLineState(2))
        return;
    BitDelay();
    drive(s.DriveC);
}

void StopCondition() {
    const auto& s = busState();
    drive(s.DriveC);
    BitDelay();
    drive(s.DriveB);
    if (CheckLineState(2))
        return;
    BitDelay();
    drive(s.DriveA);
    CheckLineState(3);
}

void PrepareRepeatedStart() {
    const auto& s = busState();
    drive(s.DriveD);
    if (checkFails(ClockLowDataHigh))
        return;
    BitDelay();
    drive(s.DriveA);
    checkFails(BothLinesHigh);
}

void PreStartSequence() {
    const auto& s = busState();
    drive(s.DriveC);
    BitDelay();
    drive(s.DriveD);
    if (checkFails(ClockLowDataHigh))
        return;
    PrepareRepeatedStart(); // data high once more, then the clock
}

void WriteDataByte(std::uint8_t value) {
    const auto& s = busState();
    for (int position = 7; position >= 0; --position) {
        if ((value >> position) & 1) {
            BitDelay();
            drive(s.DriveD);
            if (CheckLineState(1))
                return;
            BitDelay();
            drive(s.DriveA);
            if (CheckLineState(3))
                return;
            BitDelay();
            drive(s.DriveD);
            if (position != 0 && CheckLineState(1))
                return;
            BitDelay();
            drive(s.DriveC);
        } else {
            BitDelay();
            drive(s.DriveC);
            drive(s.DriveB);
            if (CheckLineState(2))
                return;
            BitDelay();
            drive(s.DriveC);
            drive(s.DriveC);
        }
    }
}

std::uint8_t ReadDataByte() {
    // A driver failure inside the read is passed over and the read goes on.
    const auto quietly = [](auto&& access) {
        try {
            access();
        } catch (const ComError&) {
        }
    };
    const auto& s = busState();
    quietly([&] { drive(s.DriveC); });
    const std::uint8_t senseBit = s.VideoSoftware ? kVideoDataSense : kDataSense;
    std::uint8_t value = 0;
    for (int position = 7; position >= 0; --position) {
        BitDelay();
        quietly([&] { drive(s.DriveD); });
        quietly([&] { drive(s.DriveA); });
        if (CheckLineState(4))
            return 0;
        BitDelay();
        std::uint8_t status = 0;
        quietly([&] { status = readStatus(); });
        quietly([&] { drive(s.DriveD); });
        const bool bitSet = (status & senseBit) != 0;
        if (bitSet != s.DataInverted) // a set bit means a high line unless inverted
            value = static_cast<std::uint8_t>(value | (1u << position));
    }
    return value;
}

void ClockAck() {
    const auto& s = busState();
    BitDelay();
    drive(s.DriveD);
    drive(s.DriveA);
    if (CheckLineState(4))
        return;
    BitDelay();
    drive(s.DriveD);
    drive(s.DriveC);
}

void ClockNoAck() {
    const auto& s = busState();
    drive(s.DriveD);
    drive(s.DriveA);
    if (checkFails(CheckClockReleased))
        return;
    BitDelay();
    drive(s.DriveD);
    drive(s.DriveC);
}

void ClockMasterAck() {
    const auto& s = busState();
    drive(s.DriveC);
    drive(s.DriveB);
    if (checkFails(CheckClockReleased))
        return;
    BitDelay();
    drive(s.DriveC);
}

std::optional<bool> ReadAckBit() {
    const auto& s = busState();
    drive(s.DriveD);
    drive(s.DriveA);
    if (checkFails(CheckClockReleased))
        return std::nullopt;
    const bool acknowledged = dataSensedLow(readStatus());
    BitDelay();
    drive(s.DriveD);
    drive(s.DriveC);
    return acknowledged;
}

void ClockAckSlow() {
    const auto& s = busState();
    const double start = vsq::platform::secondsNow();
    drive(s.DriveD);
    drive(s.DriveA);
    if (checkFails(CheckClockReleased))
        return;
    WaitUntil(start, 0.1);
    drive(s.DriveD);
    drive(s.DriveC);
}

bool WaitForAck(std::int16_t timeout) {
    using vsq::platform::quitRequested;
    using vsq::platform::secondsNow;
    auto& s = busState();
    const bool openedHere = !s.PortOpen;
    if (openedHere && !OpenPort())
        return false;
    const auto address = s.PortAddress;
    const auto status = static_cast<std::uint16_t>(address + 1);
    OutputIfOpen(address, s.DriveD | s.BitsToStayHigh);
    const double end = secondsNow() + timeout;
    while (!dataSensedLow(InputIfOpen(status))) {
        vsq::platform::yieldOnce(vsq::platform::YieldMode::NoUserInput);
        if (secondsNow() > end || quitRequested()) {
            if (openedHere && !s.LockPortOpen)
                ClosePort(); // a port opened for the wait does not stay claimed
            return false;
        }
    }
    if (!openedHere) {
        OutputIfOpen(address, s.DriveB | s.BitsToStayHigh);
        BitDelay();
        OutputIfOpen(address, s.DriveC | s.BitsToStayHigh);
        return true;
    }
    OutputIfOpen(address, s.DriveA | s.BitsToStayHigh);
    BitDelay();
    OutputIfOpen(address, s.DriveC | s.BitsToStayHigh);
    if (!s.LockPortOpen)
        ClosePort();
    return true;
}

void ArbitrationBackOff() {
    auto& s = busState();
    const double start = vsq::platform::secondsNow();
    WaitUntil(start, vsq::platform::randomUnit() * static_cast<double>(0.01f));
    ++s.AttemptCount;
}

void RecoverBus() {
    auto& s = busState();
    if (!s.LockPortOpen)
        ClosePort();
    if (OpenPort()) {
        drive(s.DriveC);
        BitDelay();
        drive(s.DriveB);
        drive(s.DriveA);
        if (!s.LockPortOpen)
            ClosePort();
    }
    ArbitrationBackOff();
    s.BusError = false;
}

std::int32_t RoundedValue(float value) {
    const double rounded = std::nearbyint(static_cast<double>(value)); // halves to even
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        throw ComError(6, "Overflow");
    return static_cast<std::int32_t>(rounded);
}

} // namespace brisendal
