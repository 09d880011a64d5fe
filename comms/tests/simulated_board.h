#pragma once
// Test fixtures. FreshBus: the simulated PC powered up afresh, the library's
// bus state as a freshly loaded library has it, and the system version the
// program reports, so no test sees what an earlier one in the process left.
// SimulatedBoard adds virtual time, a counted random back-off source, and the
// journal of what the simulated buses saw; StartedBoard has the application
// started on it.

#include "com_failure.h"
#include "comms/EEPROM.h"
#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"
#include "comms/bus_state.h"
#include "platform/os_version.h"
#include "platform/services.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_pc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
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

// Makes the program report another system from now on.
inline void pretendToBe(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor,
                        std::uint32_t build) {
    vsq::platform::overrideOsVersion(vsq::platform::OsVersionInfo{.majorVersion = major,
                                                                  .minorVersion = minor,
                                                                  .buildNumber = build,
                                                                  .platformId = platformId});
}

class FreshBus : public ::testing::Test {
protected:
    void SetUp() override {
        vsq::sim::SimulatedPc::instance().reset();
        busState().resetForTests();
        vsq::platform::overrideOsVersion(std::nullopt);
    }
};

class SimulatedBoard : public FreshBus {
protected:
    void SetUp() override {
        FreshBus::SetUp();
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
    // A port's claims and releases so far.
    using Claims = std::pair<std::uint64_t, std::uint64_t>;
    static Claims claims(int number = 1) { return {port(number).claims, port(number).releases}; }
    // What a failed attempt leaves in the bus state: the failure and the back-offs.
    using Failed = std::pair<bool, int>;
    static Failed failureLeft() { return {busState().BusError, busState().AttemptCount}; }

    int backOffs() const { return backOffs_; }

    // The application's start-up: a parallel-port object on the inverted
    // adapter (or driven as a plain one), with both error events heard.
    void startApplication(bool inverted = true) {
        printerPort_ = std::make_shared<PrinterPort>();
        printerPort_->setDataInverted(inverted);
        protocol_ = printerPort_->SMBusProtocall();
        eeprom_ = printerPort_->EEPROM();
        protocolToken_ = protocol_->SMBusProtocallError().subscribe(
            [this](std::int16_t n, const std::string& t) {
                heard_.push_back({n, t});
            });
        eepromToken_ =
            eeprom_->EEPROMError().subscribe([this](std::int16_t n, const std::string& t) {
                eepromHeard_.push_back({n, t});
            });
        journal().clear();
    }

    vsq::platform::VirtualTime time_{0.0005};
    std::shared_ptr<PrinterPort> printerPort_;
    std::shared_ptr<SMBusProtocall> protocol_;
    std::shared_ptr<EEPROM> eeprom_;
    std::vector<HeardError> heard_;       // SMBusProtocallError
    std::vector<HeardError> eepromHeard_; // EEPROMError

private:
    SMBusProtocall::ErrorEvent::Subscription protocolToken_;
    EEPROM::ErrorEvent::Subscription eepromToken_;
    vsq::platform::RandomSource previousRandom_;
    int backOffs_ = 0;
};

class StartedBoard : public SimulatedBoard {
protected:
    void SetUp() override {
        SimulatedBoard::SetUp();
        startApplication();
    }
};

} // namespace brisendal::testing
