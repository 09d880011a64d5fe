#include "app/registers/register_tree.h"

#include "app/device/chip_registers.h"
#include "app/device/vsq5540.h"
#include "app/registers/board_chip_nodes.h"
#include "app/registers/test_registers.h"

#include <cstdio>

namespace trelvane {
namespace {

// The highest address the "By Register" walk asks the map about.
constexpr unsigned kLastListedAddress = 245;
// Each logic block owns sixteen addresses; its first twelve are its inputs.
constexpr unsigned kBlockStride = 16;
constexpr unsigned kBlockInputRegisters = 12;
constexpr int kBlocks = 9;
constexpr unsigned kEEPROMBytes = 256;

struct FunctionGroup {
    const char* key;
    const char* text;
    std::uint8_t firstAddress;
};

// The supply-fault detectors, five registers each from their first.
constexpr FunctionGroup kSupplyFaultDetectors[] = {
    {"SFD1", "BS 1", reg::BS1OVTH}, {"SFD2", "BS 2", reg::BS2OVTH}, {"SFD3", "HV", reg::HSOVTH},
    {"SFD4", "PS 1", reg::PS1OVTH}, {"SFD5", "PS 2", reg::PS2OVTH}, {"SFD6", "PS 3", reg::PS3OVTH},
    {"SFD7", "PS 4", reg::PS4OVTH},
};
constexpr unsigned kDetectorRegisters = 5;

class TreeBuilder {
public:
    explicit TreeBuilder(const VSQ5540& map) : map_(map) {}

    void add(std::string parent, std::string key, std::string text, NodeImage image) {
        nodes_.push_back({std::move(parent), std::move(key), std::move(text), image});
    }
    void group(const std::string& parent, const std::string& key, const std::string& text) {
        add(parent, key, text, NodeImage::Folder);
    }

    // A chip register's leaf: "A4h BS1SEL", its key the name and `blanks`.
    void registerLeaf(const std::string& parent, const std::string& name, std::size_t blanks) {
        const auto address = static_cast<unsigned>(map_.RegisterAddress(name));
        add(parent, name + std::string(blanks, ' '), HexText(address) + "h " + name,
            NodeImage::ReadWrite);
    }

    // Leaves for the addresses first..last that name a register.
    void namedRange(const std::string& parent, unsigned first, unsigned last, std::size_t blanks) {
        for (unsigned address = first; address <= last; ++address) {
            const std::string name = map_.RegisterName(static_cast<std::uint8_t>(address));
            if (!name.empty())
                registerLeaf(parent, name, blanks);
        }
    }

    // One leaf for each block's register at `firstAddress` + 16 j, named or not.
    void everyBlock(const std::string& parent, std::uint8_t firstAddress, std::size_t firstBlanks,
                    std::size_t laterBlanks, int blocksWithFirstBlanks) {
        for (int j = 0; j < kBlocks; ++j) {
            const auto address = static_cast<std::uint8_t>(firstAddress + kBlockStride * j);
            registerLeaf(parent, map_.RegisterName(address),
                         j < blocksWithFirstBlanks ? firstBlanks : laterBlanks);
        }
    }

    std::vector<RegisterTreeNode> take() { return std::move(nodes_); }
    const VSQ5540& map() const { return map_; }

private:
    const VSQ5540& map_;
    std::vector<RegisterTreeNode> nodes_;
};

void addFunctionView(TreeBuilder& tree) {
    tree.group("VSQ5540", "ByFunction", "By Function");
    tree.group("ByFunction", "FaultStatus", "Fault/Status");
    tree.namedRange("FaultStatus", reg::UVSTAT, reg::PDOSTAT2, 1);

    tree.group("ByFunction", "SFD", "Supply Fault Detectors");
    for (const FunctionGroup& detector : kSupplyFaultDetectors)
        tree.group("SFD", detector.key, detector.text);
    for (const FunctionGroup& detector : kSupplyFaultDetectors)
        tree.namedRange(detector.key, detector.firstAddress,
                        detector.firstAddress + kDetectorRegisters - 1, 1);

    tree.group("ByFunction", "GPIs", "GPI's");
    tree.namedRange("GPIs", reg::GPI1CFG, reg::GPI4CFG, 1);

    tree.group("ByFunction", "PLB", "Programmable Logic Block");
    for (int block = 1; block <= kBlocks; ++block)
        tree.group("PLB", "PLB" + std::to_string(block),
                   "Programmable Logic Block " + std::to_string(block));
    for (int block = 1; block <= kBlocks; ++block) {
        const unsigned first = reg::P1PLBPOLA + kBlockStride * (block - 1);
        tree.namedRange("PLB" + std::to_string(block), first, first + kBlockInputRegisters - 1, 1);
    }

    tree.group("ByFunction", "PDB", "Programmable Delay Block");
    tree.everyBlock("PDB", reg::P1PDBTIM, 2, 2, 0);
    tree.group("ByFunction", "PDOs", "Programmable Driver Outputs");
    tree.everyBlock("PDOs", reg::P1PDOCFG, 3, 4, 2);
}

void addEEPROMAndTestRegisters(TreeBuilder& tree) {
    tree.group("VSQ5540", "EEPROMConfig", "Config EEPROM (Please Erase Before Writing)");
    for (unsigned i = 0; i < kEEPROMBytes; ++i)
        tree.add("EEPROMConfig", "EEPROMConfig " + std::to_string(i),
                 "F8," + HexText(i) + "h Config EEPROM (" +
                     tree.map().RegisterName(static_cast<std::uint8_t>(i)) + ")",
                 NodeImage::ReadWrite);
    tree.group("VSQ5540", "EEPROMUser", "User EEPROM (Please Erase Before Writing)");
    for (unsigned i = 0; i < kEEPROMBytes; ++i)
        tree.add("EEPROMUser", "EEPROMUser " + std::to_string(i),
                 "F9," + HexText(i) + "h User EEPROM", NodeImage::ReadWrite);

    tree.group("VSQ5540", "TestRegisters", "Test Registers");
    for (const TestRegister& test : kTestRegisters) {
        char address[4];
        std::snprintf(address, sizeof address, "%03u", test.address);
        tree.add("TestRegisters", std::string("TestReg") + address + test.name,
                 HexText(test.address) + "h " + test.name, NodeImage::ReadWrite);
    }
}

void addBoardChips(TreeBuilder& tree) {
    for (const BoardChip& chip : kBoardChips) {
        const std::string key(chip.key);
        tree.add("Eval Board", key, std::string(chip.text), NodeImage::Chip);
        for (const BoardRegister& leaf : chip.registers)
            if (!leaf.keySuffix.empty())
                tree.add(key, key + std::string(leaf.keySuffix), std::string(leaf.text),
                         NodeImage::ReadWrite);
    }
}

} // namespace

std::string HexText(unsigned value) {
    char text[12];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
}

std::vector<RegisterTreeNode> RegisterTreeNodes(const VSQ5540& registerMap) {
    TreeBuilder tree(registerMap);
    tree.add("", "Eval Board", "Eval Board", NodeImage::Desktop);
    tree.add("Eval Board", "VSQ5540", "VSQ5540", NodeImage::Chip);
    tree.group("VSQ5540", "ByRegister", "By Register");
    tree.namedRange("ByRegister", 0, kLastListedAddress, 0);
    addFunctionView(tree);
    addEEPROMAndTestRegisters(tree);
    addBoardChips(tree);
    return tree.take();
}

const std::array<std::string_view, kNonRegisterKeyCount>& NonRegisterKeyTable() {
    // clang-format off
    static constexpr std::array<std::string_view, kNonRegisterKeyCount> keys = {
        "Eval Board", "VSQ5540", "ByRegister", "ByFunction", "PFI",
        "U5", "U5VoutA", "U5VoutB", "U5VoutC", "U5VoutD",
        "U6", "U6VoutA", "U6VoutB", "U6VoutC", "U6VoutD",
        "U2", "U3",
        "U12", "U12TempValue", "U12Configuration1", "U12THyst", "U12TOTI", "U12ADC", "U12Configuration2",
        "U13", "U13TempValue", "U13Configuration1", "U13THyst", "U13TOTI", "U13ADC", "U13Configuration2",
        "U14", "U14TempValue", "U14Configuration1", "U14THyst", "U14TOTI", "U14ADC", "U14Configuration2",
        "U21", "GPIs", "SFD", "PLB", "PDOs", "PDB", "EEPROMUser", "EEPROMConfig", "TestRegisters",
        "PLB1", "PLB2", "PLB3", "PLB4", "PLB5", "PLB6", "PLB7", "PLB8", "PLB9",
        "SFD1", "SFD2", "SFD3", "SFD4", "SFD5", "SFD6", "SFD7",
        "FaultStatus",
    };
    // clang-format on
    return keys;
}

} // namespace trelvane
