#pragma once
// A window test on the simulated board: a shell test whose simulated PC is
// powered up afresh with the program's start-up settings of the bus (see
// StartUpBoard), the real chip emulated, and the journal cleared.

#include "app/device/tests/simulated_board.h"
#include "app/core/app_globals.h"
#include "app/shell/testing/shell_test.h"

namespace trelvane::testing {

class WindowTest : public ShellTest, protected StartUpBoard {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        startBoard();
        gEmulateFixedSilicon = false;
    }
    void TearDown() override {
        stopBoard();
        ShellTest::TearDown();
    }
};

} // namespace trelvane::testing
