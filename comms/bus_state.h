#pragma once
// The one bus state of the process. Every object of the library (root objects,
// parallel-port objects, protocol objects, EEPROM objects, register objects)
// reads and writes these same fields, whoever created it: a setting made
// through any object applies to all of them. Inside the library: clients set
// the fields through the objects' properties, ask PrinterPort::FrameInProgress()
// whether a bus frame is in progress, and reset the state between test cases
// through bus_state_reset.h.

#include <array>
#include <cstdint>
#include <vector>

namespace brisendal {

class FrameScope;

class BusState {
public:
    static BusState& instance() { return instance_; }

    // Back to the state of a freshly loaded library: no ports detected, every
    // field at its initial value, no frame in progress. For test fixtures, so
    // one test's settings do not leak into the next in the same process.
    void resetForTests() { *this = BusState(); }

    // Set while a transfer, a bus primitive or a direct port access runs. Waits
    // inside it yield without user input; another transfer started meanwhile
    // (from a timer or an event handler) is refused without touching the lines.
    bool frameInProgress() const { return frameInProgress_; }

    // Port detection, once per process.
    bool PortsInitialised = false;
    bool Windows9xBuild = false; // the driver's claim and release are not used
    std::uint8_t PortCount = 0;
    std::vector<std::uint16_t> PortAddressTable; // base address per detected port, 0 if unknown

    // The selected port.
    std::uint8_t PortAddressIndex = 0; // 0-based; the driver numbers ports from 1
    std::uint16_t PortAddress = 0;     // data register; status at +1, control at +2
    bool PortOpen = false;
    bool LockPortOpen = false;

    std::uint8_t DeviceAddress = 0; // 8-bit bus address, for block and EEPROM transfers

    // Line model: drive patterns of the four line states (A both high, B clock
    // high data low, C both low, D clock low data high) and the status bits
    // (And 0x30) each state shows.
    bool DataInverted = false;
    std::uint8_t BitsToStayHigh = 0;
    std::uint8_t OrBits = 0;
    std::uint8_t DriveA = 3, DriveB = 1, DriveC = 0, DriveD = 2;
    std::uint8_t SenseA = 0x30, SenseB = 0x20, SenseC = 0x00, SenseD = 0x10;

    // Pacing: seconds, or message-loop yields when RelativeDelayOn.
    float Delay = 0.0f;      // before each bus edge
    float FrameDelay = 0.0f; // after each transaction that ends normally, 0 .. 1e10
    bool RelativeDelayOn = false;

    bool RepeatedStart = false; // byte-data read joins its halves with a repeated start
    bool VideoSoftware = false; // received data bits on status bit 3 instead of 4

    // Arbitration: the line checks run only while ArbitrationOn.
    bool ArbitrationOn = false;
    std::int16_t MaxArbitrationDenials = 0;
    bool BusError = false;         // the current attempt failed a line check
    std::int16_t AttemptCount = 0; // back-offs of the current transaction

    // Stored only.
    bool ActAsMaster = false;
    bool CheckForAck = false;
    bool ThereWasNoAck = false;
    std::uint8_t AddressPointer = 0;

    // CRC after each byte of the last PEC calculation.
    std::array<std::int16_t, 38> PECData{};

private:
    BusState() = default;
    friend class FrameScope;
    bool frameInProgress_ = false;
    static BusState instance_;
};

inline BusState& busState() {
    return BusState::instance();
}

// Marks a bus frame for its lifetime, unless one is already in progress; then
// `entered()` is false and the caller must leave the lines alone.
class FrameScope {
public:
    FrameScope() : entered_(!BusState::instance().frameInProgress_) {
        if (entered_)
            BusState::instance().frameInProgress_ = true;
    }
    ~FrameScope() { leave(); }
    FrameScope(const FrameScope&) = delete;
    FrameScope& operator=(const FrameScope&) = delete;

    bool entered() const { return entered_; }
    // Ends the frame early (before its report is raised).
    void leave() {
        if (entered_)
            BusState::instance().frameInProgress_ = false;
        entered_ = false;
    }

private:
    bool entered_;
};

} // namespace brisendal
