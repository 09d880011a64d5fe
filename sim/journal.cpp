#include "sim/journal.h"

#include <algorithm>
#include <cstdio>

namespace vsq::sim {

std::vector<BusEvent> Journal::events(int bus) const {
    std::vector<BusEvent> result;
    for (const auto& event : events_)
        if (event.bus == bus)
            result.push_back(event);
    return result;
}

std::vector<std::uint8_t> Journal::bytes(int bus) const {
    std::vector<std::uint8_t> result;
    for (const auto& event : events_)
        if (event.bus == bus && event.kind == EventKind::Byte)
            result.push_back(event.value);
    return result;
}

std::size_t Journal::count(int bus, EventKind kind) const {
    return static_cast<std::size_t>(std::count_if(
        events_.begin(), events_.end(), [&](auto& e) { return e.bus == bus && e.kind == kind; }));
}

std::string Journal::text(int bus) const {
    std::string out;
    for (const auto& event : events_) {
        if (event.bus != bus)
            continue;
        if (!out.empty())
            out += ' ';
        switch (event.kind) {
        case EventKind::Start:
            out += "S";
            break;
        case EventKind::RepeatedStart:
            out += "Sr";
            break;
        case EventKind::Stop:
            out += "P";
            break;
        case EventKind::Byte: {
            char digits[4];
            std::snprintf(digits, sizeof digits, "%02X", event.value);
            out += digits;
            out += event.ack == Acknowledge::Ack ? '+' : event.ack == Acknowledge::Nack ? '-' : '?';
            break;
        }
        }
    }
    return out;
}

const PortActivity& Journal::port(int portNumber) const {
    static const PortActivity none;
    auto it = ports_.find(portNumber);
    return it == ports_.end() ? none : it->second;
}

void Journal::clear() {
    dropped_ += events_.size();
    events_.clear();
    // Ports keep their entries: a port holds a reference to its own.
    for (auto& [number, activity] : ports_)
        activity = PortActivity{};
}

std::size_t Journal::record(const BusEvent& event) {
    if (events_.size() >= kEventLimit) {
        std::size_t half = events_.size() / 2;
        events_.erase(events_.begin(), events_.begin() + static_cast<std::ptrdiff_t>(half));
        dropped_ += half;
    }
    events_.push_back(event);
    return dropped_ + events_.size() - 1;
}

void Journal::setAck(std::size_t index, Acknowledge ack) {
    if (index >= dropped_ && index - dropped_ < events_.size())
        events_[index - dropped_].ack = ack;
}

PortActivity& Journal::activity(int portNumber) {
    return ports_[portNumber];
}

void Journal::dropOldestHalf(std::vector<std::uint8_t>& values) {
    values.erase(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2));
}

} // namespace vsq::sim
