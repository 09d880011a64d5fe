#pragma once
// Process-wide services that the bus code waits and paces with: a yield that
// lets the user interface run once, monotonic clocks, a random number source and
// the program's "quitting" flag. Each can be replaced, so tests run on virtual time.

#include <cstdint>
#include <functional>
#include <memory>

namespace vsq::platform {

// How a yield should treat pending user input. Inside a bus frame the program
// must not start a second transfer from a click, so frames ask for NoUserInput.
enum class YieldMode { Normal, NoUserInput };

using YieldHook = std::function<void(YieldMode)>;

// Installs the hook that `yieldOnce` calls; an empty hook restores the default,
// which does nothing. Returns the hook that was installed before. It also
// removes the wait hook, so the new hook sees every pass of every wait.
YieldHook setYieldHook(YieldHook hook);
void yieldOnce(YieldMode mode = YieldMode::Normal);

// One pass of the event loop that may sleep until an event arrives, and until
// no later than the given seconds from now (rounded up to its timer's grain). Installed after the
// yield hook it goes with; without it a wait yields once a pass. Returns the hook installed before.
using WaitHook = std::function<void(YieldMode, double seconds)>;
WaitHook setWaitHook(WaitHook hook);

// The one wait of the program: lets the event loop run until `deadline` on the
// monotonic clock, until `done` (when given) holds, or until the program is
// quitting. It sleeps between events instead of polling, except that a wait of
// under 2 ms yields through, as a sleep could stretch it. It never ends before
// the deadline unless `done` or quitting ends it. Returns whether `done` ended it.
bool waitUntil(double deadline, YieldMode mode = YieldMode::Normal,
               const std::function<bool()>& done = {});

// A monotonic clock. `seconds` stands in for the seconds-since-midnight timer
// without its midnight wrap; `milliseconds` stands in for the C library's
// millisecond clock (CPU time on Linux, so never used for this).
class Clock {
public:
    virtual ~Clock() = default;
    virtual double seconds() = 0;
    virtual std::int64_t milliseconds() = 0;
};

// Installs a clock; nullptr restores the steady system clock. Returns the previous one.
std::shared_ptr<Clock> setClock(std::shared_ptr<Clock> clock);
double secondsNow();
std::int64_t millisecondsNow();

// Uniform random number in [0, 1). Never seeded by the program: the default
// source is seeded from the system's entropy. Returns the previous source.
using RandomSource = std::function<double()>;
RandomSource setRandomSource(RandomSource source);
double randomUnit();

// Set when the program is ending; every wait loop ends at once when it sees it.
void requestQuit();
bool quitRequested();
void clearQuitRequest();

} // namespace vsq::platform
