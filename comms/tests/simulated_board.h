#pragma once
// Test fixture: the simulated PC powered up afresh, virtual time, a counted
// random back-off source, and the journal of what the simulated buses saw.

#include "comms/bus_state.h"
#include "platform/services.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_pc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brisendal::testing {

// An error event as a subscriber heard it.
struct HeardError {
    std::int16_t number;
    std::string text;
    bool operator==(const HeardError&) const = default;
};

inline std::string arbitrationText(int attempts) {
    return "Arbitration Error, another device is using the SMBus.  " + std::to_string(attempts) +
           " communication attempts were interrupted";
}

class SimulatedBoard : public ::testing::Test {
protected:
    void SetUp() override {
        pc().reset();
        previousRandom_ = vsq::platform::setRandomSource([this] {
            ++backOffs_;
            return 0.5;
        });
    }
    void TearDown() override { vsq::platform::setRandomSource(previousRandom_); }

    // Powers the PC up as `config` says; call before the first object is made.
    void configure(const vsq::sim::SimConfig& config) { pc().configure(config); }
    static vsq::sim::SimConfig plainAdapter() {
        vsq::sim::SimConfig config;
        config.ports.front().polarity = vsq::sim::AdapterPolarity::NonInverting;
        return config;
    }

    static vsq::sim::SimulatedPc& pc() { return vsq::sim::SimulatedPc::instance(); }
    static vsq::sim::Journal& journal() { return pc().journal(); }
    static const vsq::sim::PortActivity& port(int number = 1) { return journal().port(number); }
    static const std::vector<std::uint8_t>& dataWrites(int number = 1) {
        return port(number).dataValues;
    }
    static std::string traffic(int bus = 1) { return journal().text(bus); }
    static bool busIdle(int number = 1) { return pc().scl(number) && pc().sda(number); }

    int backOffs() const { return backOffs_; }

    vsq::platform::VirtualTime time_{0.0005};

private:
    vsq::platform::RandomSource previousRandom_;
    int backOffs_ = 0;
};

} // namespace brisendal::testing
