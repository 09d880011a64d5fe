#pragma once
// The settings windows headless on the simulated board: a fresh simulated PC,
// the program's start-up settings of the root object, and virtual time whose
// every yield may run a step of the test (a click while a wait runs).

#include "app/shell/testing/window_test.h"
#include "platform/services.h"
#include "platform/virtual_clock.h"

#include <functional>

namespace trelvane::testing {

class SettingsFormsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        previousHook_ = vsq::platform::setYieldHook([this](vsq::platform::YieldMode) {
            time_.clock().advance(0.001);
            if (onYield)
                onYield();
        });
        journal().clear();
    }
    void TearDown() override {
        vsq::platform::setYieldHook(previousHook_);
        vsq::platform::clearQuitRequest();
        WindowTest::TearDown();
    }

    std::function<void()> onYield;
    vsq::platform::VirtualTime time_{0.001};

private:
    vsq::platform::YieldHook previousHook_;
};

} // namespace trelvane::testing
