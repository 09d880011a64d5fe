#include "app/device/plb.h"

#include <gtest/gtest.h>

using namespace trelvane;

TEST(PLB, EveryFieldKeepsItsOwnByte) {
    using Getter = std::uint8_t (PLB::*)() const;
    using Setter = void (PLB::*)(std::uint8_t);
    const std::pair<Getter, Setter> fields[] = {
        {&PLB::PXSFDIMKB, &PLB::setPXSFDIMKB}, {&PLB::PXSFDPOLB, &PLB::setPXSFDPOLB},
        {&PLB::PXPLBIMKB, &PLB::setPXPLBIMKB}, {&PLB::PXPLBPOLB, &PLB::setPXPLBPOLB},
        {&PLB::PSXEN, &PLB::setPSXEN},         {&PLB::PXWDICFG, &PLB::setPXWDICFG},
        {&PLB::PXGPIIMK, &PLB::setPXGPIIMK},   {&PLB::PXGPIPOL, &PLB::setPXGPIPOL},
        {&PLB::PXSFDIMKA, &PLB::setPXSFDIMKA}, {&PLB::PXSFDPOLA, &PLB::setPXSFDPOLA},
        {&PLB::PXPLBIMKA, &PLB::setPXPLBIMKA}, {&PLB::PXPLBPOLA, &PLB::setPXPLBPOLA},
    };
    PLB record;
    for (const auto& [get, set] : fields) {
        EXPECT_EQ((record.*get)(), 0);
    }
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        (record.*fields[i].second)(static_cast<std::uint8_t>(0xF4 + i));
    }
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        EXPECT_EQ((record.*fields[i].first)(), 0xF4 + i) << i;
    }
}
