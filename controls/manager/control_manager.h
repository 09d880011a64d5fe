#pragma once
// The manager library's companion record that holds the other two: one
// Identity and one Control, made when it is made (the Identity first) and let
// go when it ends (the Control first). Either can be replaced by another held
// elsewhere. Data only: nothing here reaches the manager or the bus. Clients
// receive one and never create one themselves: only the library makes it
// (newControlManager, in a header of its own that clients do not see), as it
// makes the records it holds.

#include "controls/manager/control.h"
#include "controls/manager/identity.h"

#include <memory>

namespace orvessa {

class ControlManager {
public:
    ~ControlManager();
    ControlManager(const ControlManager&) = delete;
    ControlManager& operator=(const ControlManager&) = delete;

    std::shared_ptr<orvessa::Control> Control() const { return control_; }
    void setControl(std::shared_ptr<orvessa::Control> control) { control_ = std::move(control); }
    std::shared_ptr<orvessa::Identity> Identity() const { return identity_; }
    void setIdentity(std::shared_ptr<orvessa::Identity> identity) {
        identity_ = std::move(identity);
    }

private:
    friend std::shared_ptr<ControlManager> newControlManager();
    ControlManager();
    static std::shared_ptr<ControlManager> create();

    std::shared_ptr<orvessa::Identity> identity_;
    std::shared_ptr<orvessa::Control> control_;
};

} // namespace orvessa
