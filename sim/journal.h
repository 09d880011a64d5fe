#pragma once
// What the simulated buses saw, for tests to assert on.
//
// Bus numbers: 1, 2, ... are the parallel ports in the driver's order (each with its
// own bit-banged bus); kChipsetBus (0) is the bus behind the chipset's SMBus host
// controller.
//
// Events are recorded by the slave engine of each bus as the lines show them: every
// START, repeated START and STOP, and every byte with the level of its acknowledge
// clock and the device that answered the frame's address. Beside them each parallel
// port keeps counters (data-register writes, claims, releases ...) and the values
// written to its data register.
//
// text(bus) renders one bus compactly for assertions:
//     "S A8+ 10+ 5A+ P"            a byte-data write that every byte acknowledged
//     "S A8+ 94+ Sr A9+ 3E- P"     a byte-data read with a repeated START
//     "S 40- P"                    nobody answered address 0x40
// A byte is two upper-case hex digits then '+' (acknowledged), '-' (not acknowledged)
// or '?' (the frame ended before its acknowledge clock). "S" START, "Sr" repeated
// START, "P" STOP. Bytes read from a slave look like written ones; the events tell
// them apart (fromMaster).
//
// The journal is bounded so a long program run does not grow without end: past
// kEventLimit events (kDataValueLimit data values per port) the oldest half is dropped.
// Counters are never dropped. clear() starts everything afresh.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vsq::sim {

inline constexpr int kChipsetBus = 0;

enum class EventKind : std::uint8_t { Start, RepeatedStart, Stop, Byte };
enum class Acknowledge : std::uint8_t { None, Ack, Nack };

struct BusEvent {
    EventKind kind = EventKind::Byte;
    int bus = 1;
    // Byte events only:
    std::uint8_t value = 0; // the byte as the lines carried it, most significant bit first
    bool fromMaster = true; // the master sent it (address, command, written data)
    Acknowledge ack = Acknowledge::None;
    std::uint8_t device = 0;     // 8-bit address of the device that answered the frame, 0 none
    std::string_view deviceName; // "VSQ5540", "QD8841" ...; empty when none answered
};

// Per parallel port.
struct PortActivity {
    std::uint64_t dataWrites = 0;
    std::uint64_t statusReads = 0;
    std::uint64_t controlWrites = 0;
    std::uint64_t claims = 0; // successful claims
    std::uint64_t refusedClaims = 0;
    std::uint64_t releases = 0;
    std::uint64_t unclaimedAccesses = 0;  // register accesses while the port was not claimed
    std::vector<std::uint8_t> dataValues; // every value written to the data register
    std::vector<std::uint8_t>
        spareLineChanges; // data bits 2-7 (as data & 0xFC) each time they changed
};

class Journal {
public:
    static constexpr std::size_t kEventLimit = 1u << 18;
    static constexpr std::size_t kDataValueLimit = 1u << 22;

    const std::vector<BusEvent>& events() const { return events_; }
    std::vector<BusEvent> events(int bus) const;
    // The bytes of one bus in order (addresses included).
    std::vector<std::uint8_t> bytes(int bus) const;
    std::size_t count(int bus, EventKind kind) const;
    std::string text(int bus) const;

    // Counters of a parallel port (all zero for a port never used).
    const PortActivity& port(int portNumber) const;
    std::uint64_t dataWrites(int portNumber) const { return port(portNumber).dataWrites; }

    void clear();

    // Recording, for the simulator itself.
    std::size_t record(const BusEvent& event);
    // A START, repeated START or STOP.
    void recordCondition(int bus, EventKind kind) {
        BusEvent event;
        event.kind = kind;
        event.bus = bus;
        record(event);
    }
    void setAck(std::size_t index, Acknowledge ack);
    PortActivity& activity(int portNumber);
    void recordDataWrite(PortActivity& activity, std::uint8_t value) {
        ++activity.dataWrites;
        if (activity.dataValues.size() >= kDataValueLimit)
            dropOldestHalf(activity.dataValues);
        activity.dataValues.push_back(value);
    }
    void recordSpareLines(PortActivity& activity, std::uint8_t lines) {
        if (activity.spareLineChanges.size() >= kDataValueLimit)
            dropOldestHalf(activity.spareLineChanges);
        activity.spareLineChanges.push_back(lines);
    }

private:
    static void dropOldestHalf(std::vector<std::uint8_t>& values);

    std::vector<BusEvent> events_;
    std::size_t dropped_ = 0; // events dropped so far; record() returns indices past them
    std::map<int, PortActivity> ports_;
};

} // namespace vsq::sim
