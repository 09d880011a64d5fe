#pragma once
// Tool window tests on the simulated board: the chip powered up with the
// default set-up image, the program's start-up settings of the bus and the
// descriptors, and the journal cleared. writes() lists the chip register
// writes the journal saw since, as "AC=F6"; ToolWindowTest loads a window.

#include "app/device/object_descriptors.h"
#include "app/device/tests/chip_traffic.h"
#include "app/shell/testing/window_test.h"
#include "platform/virtual_clock.h"

#include <QComboBox>

#include <string>
#include <vector>

namespace trelvane::testing {

class ToolTest : public WindowTest {
protected:
    using Writes = std::vector<std::string>;

    void SetUp() override {
        WindowTest::SetUp();
        CreateObjectDescriptors();
        clearJournal();
    }

    // The chip register writes on the bus, in order: register=value, in hex.
    static Writes writes() { return transfers().writes; }
    // The chip registers read on the bus, in order.
    static std::vector<int> reads() { return transfers().reads; }

    // A user's choice of entry `index` in a list.
    static void choose(QComboBox* list, int index) {
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    vsq::platform::VirtualTime time_{0.0005};

private:
    struct Transfers {
        std::vector<std::string> writes;
        std::vector<int> reads;
    };
    // Every transfer must be a chip byte write ("WAC=F6") or read ("R94").
    static Transfers transfers() {
        Transfers found;
        for (const std::string& transfer : chipTransfers(journal())) {
            if (transfer[0] == 'W')
                found.writes.push_back(transfer.substr(1));
            else if (transfer[0] == 'R')
                found.reads.push_back(std::stoi(transfer.substr(1), nullptr, 16));
            else
                ADD_FAILURE() << "bus traffic other than chip byte reads and writes: " << transfer;
        }
        return found;
    }
};

// A tool window's test: load() loads the window as start-up does.
template <class Window> class ToolWindowTest : public ToolTest {
protected:
    Window& load() { return windows().template load<Window>(); }
};

} // namespace trelvane::testing
