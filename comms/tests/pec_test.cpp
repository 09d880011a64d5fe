#include "comms/pec.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

using brisendal::CalculatePEC;

namespace {

struct PecCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::uint8_t pec;
};

std::vector<std::uint8_t> ascii(std::string_view text) {
    return {text.begin(), text.end()};
}

} // namespace

TEST(Pec, KnownVectors) {
    const PecCase cases[] = {
        {"nothing", {}, 0x00},
        {"one bit at the bottom", {0x01}, 0x07},
        {"one bit at the top", {0x80}, 0x89},
        {"the check string", ascii("123456789"), 0xF4},
        {"block write header and payload", {0xA8, 0xA0, 0x02, 0x12, 0x34}, 0x32},
        {"a message followed by its own PEC", {0xA8, 0xA0, 0x02, 0x12, 0x34, 0x32}, 0x00},
    };
    for (const auto& c : cases) {
        std::array<std::int16_t, 38> trace{};
        EXPECT_EQ(CalculatePEC(c.bytes, trace), c.pec) << c.name;
    }
}

TEST(Pec, TraceHoldsTheCrcAfterEachByteAndKeepsTheRest) {
    std::array<std::int16_t, 38> trace;
    trace.fill(-7);
    const std::vector<std::uint8_t> bytes{0xA8, 0xA0, 0x02, 0x12, 0x34};
    EXPECT_EQ(CalculatePEC(bytes, trace), 0x32);
    EXPECT_EQ(std::vector<std::int16_t>(trace.begin(), trace.begin() + 6),
              (std::vector<std::int16_t>{0x51, 0xD9, 0x0F, 0x53, 0x32, -7}));
    EXPECT_EQ(trace[37], -7);
}
