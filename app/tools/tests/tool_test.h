#pragma once
// Tool window tests on the simulated board: the chip powered up with the
// default set-up image, the program's start-up settings of the bus and the
// descriptors, and the journal cleared. writes() lists the chip register
// writes the journal saw since, as "AC=F6".

#include "app/device/object_descriptors.h"
#include "app/shell/testing/window_test.h"
#include "platform/virtual_clock.h"

#include <QComboBox>

#include <cstdio>
#include <string>
#include <vector>

namespace trelvane::testing {

class ToolTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        CreateObjectDescriptors();
        clearJournal();
    }

    // The chip register writes on the bus, in order: register=value, in hex.
    static std::vector<std::string> writes() { return transfers().writes; }
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
    // A byte write is A8 register value; a byte read A8 register A9 value.
    static Transfers transfers() {
        Transfers found;
        const auto bytes = pc().journal().bytes(1);
        std::size_t i = 0;
        while (i + 2 < bytes.size() && bytes[i] == 0xA8) {
            if (bytes[i + 2] == 0xA9 && i + 3 < bytes.size()) {
                found.reads.push_back(bytes[i + 1]);
                i += 4;
            } else {
                char text[8];
                std::snprintf(text, sizeof text, "%02X=%02X", bytes[i + 1], bytes[i + 2]);
                found.writes.emplace_back(text);
                i += 3;
            }
        }
        EXPECT_EQ(i, bytes.size()) << "bus traffic other than chip byte reads and writes";
        return found;
    }
};

} // namespace trelvane::testing
