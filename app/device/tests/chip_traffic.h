#pragma once
// The chip's register transfers as the simulated bus saw them: "W31=FF" a
// byte write, "R04" a byte read (the frame that sets the register pointer
// and the frame that reads the byte).

#include "sim/journal.h"

#include <cstdio>
#include <string>
#include <vector>

namespace trelvane::testing {

inline std::vector<std::string> chipTransfers(const vsq::sim::Journal& journal, int bus = 1) {
    std::vector<std::string> transfers;
    std::vector<std::uint8_t> frame;
    auto close = [&] {
        char text[32];
        if (frame.size() == 3 && frame[0] == 0xA8)
            std::snprintf(text, sizeof text, "W%02X=%02X", frame[1], frame[2]);
        else if (frame.size() == 2 && frame[0] == 0xA8)
            std::snprintf(text, sizeof text, "P%02X", frame[1]);
        else if (frame.size() == 2 && frame[0] == 0xA9 && !transfers.empty() &&
                 transfers.back()[0] == 'P') {
            transfers.back()[0] = 'R';
            frame.clear();
            return;
        } else
            std::snprintf(text, sizeof text, "?%zu", frame.size());
        transfers.emplace_back(text);
        frame.clear();
    };
    for (const vsq::sim::BusEvent& event : journal.events(bus)) {
        if (event.kind == vsq::sim::EventKind::Byte)
            frame.push_back(event.value);
        else if (event.kind == vsq::sim::EventKind::Stop && !frame.empty())
            close();
    }
    return transfers;
}

// The addresses of the transfers, "04 14 24 ...".
inline std::string addressesOf(const std::vector<std::string>& transfers) {
    std::string text;
    for (const std::string& transfer : transfers)
        text += (text.empty() ? "" : " ") + transfer.substr(1, 2);
    return text;
}

// The writes of a non-zero value, "31=FF 33=7F".
inline std::string nonZeroWrites(const std::vector<std::string>& transfers) {
    std::string text;
    for (const std::string& transfer : transfers)
        if (transfer[0] == 'W' && transfer.substr(4) != "00")
            text += (text.empty() ? "" : " ") + transfer.substr(1);
    return text;
}

} // namespace trelvane::testing
