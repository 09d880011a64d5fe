#pragma once
// One chip register as the register map holds it: its address, mnemonic,
// one-sentence description, read-only flag and the names of its eight bits.

#include <array>
#include <string>
#include <utility>

namespace trelvane {

class Register {
public:
    const std::string& Bit0() const { return bits_[0]; }
    void setBit0(std::string name) { bits_[0] = std::move(name); }
    const std::string& Bit7() const { return bits_[7]; }
    void setBit7(std::string name) { bits_[7] = std::move(name); }
    const std::string& Bit6() const { return bits_[6]; }
    void setBit6(std::string name) { bits_[6] = std::move(name); }
    const std::string& Bit5() const { return bits_[5]; }
    void setBit5(std::string name) { bits_[5] = std::move(name); }
    const std::string& Bit4() const { return bits_[4]; }
    void setBit4(std::string name) { bits_[4] = std::move(name); }
    const std::string& Bit3() const { return bits_[3]; }
    void setBit3(std::string name) { bits_[3] = std::move(name); }
    const std::string& Bit2() const { return bits_[2]; }
    void setBit2(std::string name) { bits_[2] = std::move(name); }
    const std::string& Bit1() const { return bits_[1]; }
    void setBit1(std::string name) { bits_[1] = std::move(name); }
    // The name of bit `bit` (0 to 7).
    const std::string& bitName(int bit) const { return bits_.at(bit); }

    bool ReadOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    const std::string& RegDescription() const { return regDescription_; }
    void setRegDescription(std::string description) { regDescription_ = std::move(description); }
    const std::string& RegName() const { return regName_; }
    void setRegName(std::string name) { regName_ = std::move(name); }
    // The register's address held as a float, as the map's callers take it.
    float Address() const { return address_; }
    void setAddress(float address) { address_ = address; }

private:
    std::array<std::string, 8> bits_; // indexed by bit number
    bool readOnly_ = false;
    std::string regDescription_;
    std::string regName_;
    float address_ = 0.0f;
};

} // namespace trelvane
