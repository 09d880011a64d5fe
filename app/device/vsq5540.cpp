#include "app/device/vsq5540.h"

#include "app/device/register_table.h"

namespace trelvane {

VSQ5540::VSQ5540() {
    LoadRegisterMap();
}

namespace {

void setBitNames(Register& record, const BitNames& bits) {
    record.setBit0(std::string(bits[0]));
    record.setBit1(std::string(bits[1]));
    record.setBit2(std::string(bits[2]));
    record.setBit3(std::string(bits[3]));
    record.setBit4(std::string(bits[4]));
    record.setBit5(std::string(bits[5]));
    record.setBit6(std::string(bits[6]));
    record.setBit7(std::string(bits[7]));
}

} // namespace

void VSQ5540::LoadRegisterMap() {
    registers_.resize(chipRegisterTable().size());
    for (std::size_t slot = 0; slot < chipRegisterTable().size(); ++slot) {
        const RegisterRow& row = chipRegisterTable()[slot];
        Register& record = registers_[slot];
        record.setAddress(static_cast<float>(row.address));
        record.setRegName(std::string(row.name));
        record.setRegDescription(std::string(row.description));
        record.setReadOnly(row.readOnly);
        if (row.bitNames) {
            setBitNames(record, *row.bitNames);
        } else {
            SetDefaultBitDescriptions(slot);
        }
    }
}

void VSQ5540::SetDefaultBitDescriptions(std::size_t slot) {
    setBitNames(registers_.at(slot), kDefaultBitNames);
}

template <typename Matches> const Register* VSQ5540::findRegister(Matches&& matches) const {
    if (cachedSlot_ && matches(registers_[*cachedSlot_])) {
        return &registers_[*cachedSlot_];
    }
    for (std::size_t slot = 0; slot < registers_.size(); ++slot) {
        if (matches(registers_[slot])) {
            cachedSlot_ = slot;
            return &registers_[slot];
        }
    }
    return nullptr;
}

const Register* VSQ5540::findByAddress(std::uint8_t address) const {
    return findRegister(
        [&](const Register& record) { return record.Address() == static_cast<float>(address); });
}

bool VSQ5540::ReadOnly(std::uint8_t address) const {
    const Register* record = findByAddress(address);
    return record != nullptr && record->ReadOnly();
}

std::string VSQ5540::BitDescription(std::uint8_t address, std::uint8_t bit) const {
    const Register* record = findByAddress(address);
    if (record == nullptr || bit > 7) {
        return {};
    }
    return record->bitName(bit);
}

std::string VSQ5540::RegisterName(std::uint8_t address) const {
    const Register* record = findByAddress(address);
    return record != nullptr ? record->RegName() : std::string();
}

std::string VSQ5540::RegisterDescription(std::uint8_t address) const {
    const Register* record = findByAddress(address);
    return record != nullptr ? record->RegDescription() : std::string();
}

float VSQ5540::RegisterAddress(std::string_view name) const {
    if (name.empty()) {
        return kNoAddress;
    }
    const Register* record =
        findRegister([&](const Register& candidate) { return candidate.RegName() == name; });
    return record != nullptr ? record->Address() : kNoAddress;
}

VSQ5540& gRegisterMap() {
    static VSQ5540 map;
    return map;
}

} // namespace trelvane
