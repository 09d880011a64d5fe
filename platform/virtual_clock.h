#pragma once
// A clock for tests: time stands still until it is advanced, and optionally
// advances by a fixed step on every yield, so waits end without real time.

#include "platform/services.h"

#include <cstdint>

namespace vsq::platform {

class VirtualClock : public Clock {
public:
    double seconds() override { return nowSeconds_; }
    std::int64_t milliseconds() override { return static_cast<std::int64_t>(nowSeconds_ * 1000.0); }

    void advance(double seconds) { nowSeconds_ += seconds; }
    void set(double seconds) { nowSeconds_ = seconds; }

private:
    double nowSeconds_ = 0.0;
};

// Installs a virtual clock and a yield hook that advances it by `stepSeconds` on
// every yield and counts the yields; restores the previous clock and hook when
// it goes out of scope.
class VirtualTime {
public:
    explicit VirtualTime(double stepSeconds = 0.001);
    ~VirtualTime();
    VirtualTime(const VirtualTime&) = delete;
    VirtualTime& operator=(const VirtualTime&) = delete;

    VirtualClock& clock() { return *clock_; }
    std::uint64_t yields() const { return yields_; }
    std::uint64_t noInputYields() const { return noInputYields_; }
    void setStep(double stepSeconds) { step_ = stepSeconds; }

private:
    std::shared_ptr<VirtualClock> clock_;
    std::shared_ptr<Clock> previousClock_;
    YieldHook previousHook_;
    double step_;
    std::uint64_t yields_ = 0;
    std::uint64_t noInputYields_ = 0;
};

} // namespace vsq::platform
