#pragma once
// The chip's test registers, by address and name. They lie above the register
// map (0xE0 up), so the map names none of them; 0xE6, 0xEE, 0xEF, 0xFA, 0xFB
// and 0xFF are not listed.

#include <array>
#include <cstdint>

namespace trelvane {

struct TestRegister {
    std::uint8_t address;
    const char* name;
};

inline constexpr std::array<TestRegister, 26> kTestRegisters = {{
    {0xE0, "BGTRIM"},    {0xE1, "REFTRIM"},   {0xE2, "OSCTRIM"},     {0xE3, "CLKTRIM"},
    {0xE4, "DEVCFG1"},   {0xE5, "DEVCFG2"},   {0xE7, "TRIM_RAM_LK"}, {0xE8, "TRIM_EEPG_LOCK"},
    {0xE9, "TDOWNLOAD"}, {0xEA, "ATEST1"},    {0xEB, "DACTEST1"},    {0xEC, "DACTEST2"},
    {0xED, "TCNTRL3"},   {0xF0, "PLBATEST1"}, {0xF1, "PLBATEST2"},   {0xF2, "TESTMODES"},
    {0xF3, "TCNTRL1"},   {0xF4, "TCNTRL2"},   {0xF5, "EETEST1"},     {0xF6, "EETEST2"},
    {0xF7, "EETEST3"},   {0xF8, "EEPROM(U)"}, {0xF9, "EEPROM(R)"},   {0xFC, "BLKWR"},
    {0xFD, "BLKRD"},     {0xFE, "BLKER"},
}};

} // namespace trelvane
