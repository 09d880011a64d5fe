#pragma once
// One of the manager library's companion records: a polling delay, stored
// only. Clients receive it from a ControlManager and never create one
// themselves; the manager's own poll does not read it.

#include <cstdint>
#include <memory>

namespace orvessa {

class Control {
public:
    void setPollingDelay(std::int16_t delay) { pollingDelay_ = delay; }
    std::int16_t PollingDelay() const { return pollingDelay_; }

private:
    friend class ControlManager;
    Control() = default;
    static std::shared_ptr<Control> create();

    std::int16_t pollingDelay_ = 0;
};

} // namespace orvessa
