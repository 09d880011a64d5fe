#include "platform/services.h"
#include "platform/virtual_clock.h"

#include <atomic>
#include <chrono>
#include <random>

namespace vsq::platform {
namespace {

class SteadyClock : public Clock {
public:
    double seconds() override {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }
    std::int64_t milliseconds() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - start_)
            .count();
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

struct Services {
    YieldHook yieldHook;
    WaitHook waitHook;
    std::shared_ptr<Clock> clock = std::make_shared<SteadyClock>();
    RandomSource random;
    std::atomic<bool> quitting{false};
};

Services& services() {
    static Services s;
    return s;
}

double defaultRandom() {
    static std::mt19937_64 engine{std::random_device{}()};
    static std::uniform_real_distribution<double> unit(0.0, 1.0);
    return unit(engine);
}

} // namespace

YieldHook setYieldHook(YieldHook hook) {
    auto previous = std::move(services().yieldHook);
    services().yieldHook = std::move(hook);
    services().waitHook = {};
    return previous;
}

WaitHook setWaitHook(WaitHook hook) {
    auto previous = std::move(services().waitHook);
    services().waitHook = std::move(hook);
    return previous;
}

bool waitUntil(double deadline, YieldMode mode, const std::function<bool()>& done) {
    // A wait shorter than this (a fast bus's edge pause) would be stretched
    // by a timer's millisecond grain: it yields instead.
    constexpr double kShortestSleep = 0.002;
    const bool sleeps = services().waitHook && deadline - secondsNow() >= kShortestSleep;
    for (;;) {
        if (done && done())
            return true;
        const double left = deadline - secondsNow();
        if (!(left > 0.0) || quitRequested())
            return false;
        if (auto& wait = services().waitHook; sleeps && wait)
            wait(mode, left);
        else
            yieldOnce(mode);
    }
}

void yieldOnce(YieldMode mode) {
    if (auto& hook = services().yieldHook)
        hook(mode);
}

std::shared_ptr<Clock> setClock(std::shared_ptr<Clock> clock) {
    auto previous = services().clock;
    services().clock = clock ? std::move(clock) : std::make_shared<SteadyClock>();
    return previous;
}

double secondsNow() {
    return services().clock->seconds();
}
std::int64_t millisecondsNow() {
    return services().clock->milliseconds();
}

RandomSource setRandomSource(RandomSource source) {
    auto previous = std::move(services().random);
    services().random = std::move(source);
    return previous;
}

double randomUnit() {
    if (auto& source = services().random) {
        double r = source();
        return (r >= 0.0 && r < 1.0) ? r : 0.0;
    }
    return defaultRandom();
}

void requestQuit() {
    services().quitting = true;
}
bool quitRequested() {
    return services().quitting;
}
void clearQuitRequest() {
    services().quitting = false;
}

VirtualTime::VirtualTime(double stepSeconds)
    : clock_(std::make_shared<VirtualClock>()), step_(stepSeconds) {
    previousClock_ = setClock(clock_);
    previousHook_ = setYieldHook([this](YieldMode mode) {
        ++yields_;
        if (mode == YieldMode::NoUserInput)
            ++noInputYields_;
        clock_->advance(step_);
    });
}

VirtualTime::~VirtualTime() {
    setYieldHook(std::move(previousHook_));
    setClock(std::move(previousClock_));
}

} // namespace vsq::platform
