#include "sim/block_test_device.h"

#include "sim/pec.h"

namespace vsq::sim {

BlockTestDevice::BlockTestDevice(std::uint8_t address) : SmbusDevice(address) {
    powerUp();
}

void BlockTestDevice::powerUp() {
    for (int i = 0; i < kBlockSize; ++i)
        block_[i] = static_cast<std::uint8_t>(i);
    pecEnabled_ = true;
    reportedCount_ = kBlockSize;
    command_ = 0;
    lastWrite_ = WriteRecord{};
    writePhaseOpen_ = false;
}

void BlockTestDevice::beginWrite() {
    phaseBytes_ = 0;
    pec_ = pecUpdate(0, address());
    current_ = WriteRecord{};
    writePhaseOpen_ = true;
}

bool BlockTestDevice::writeByte(std::uint8_t value) {
    const int index = phaseBytes_++;
    if (index == 0) {
        command_ = value;
        pec_ = pecUpdate(pec_, value);
        return true;
    }
    if (command_ != kBlockWrite)
        return false;
    if (index == 1) {
        current_.count = value;
        pec_ = pecUpdate(pec_, value);
        return value <= kBlockSize;
    }
    const int dataIndex = index - 2;
    if (dataIndex < current_.count) {
        if (dataIndex >= kBlockSize)
            return false;
        current_.data.push_back(value);
        block_[dataIndex] = value;
        pec_ = pecUpdate(pec_, value);
        return true;
    }
    if (dataIndex == current_.count && !current_.pecReceived) {
        current_.pecReceived = true;
        current_.pecMatched = value == pec_;
        return current_.pecMatched;
    }
    return false;
}

void BlockTestDevice::beginRead() {
    phaseBytes_ = 0;
    pec_ = pecUpdate(0, static_cast<std::uint8_t>(address() | 1));
}

std::uint8_t BlockTestDevice::readByte() {
    const int index = phaseBytes_++;
    if (command_ != kBlockRead)
        return 0xFF;
    std::uint8_t value = 0xFF;
    if (index == 0)
        value = reportedCount_;
    else if (index <= kBlockSize)
        value = block_[index - 1];
    else if (index == kBlockSize + 1 && pecEnabled_)
        return pec_;
    else
        return 0xFF;
    pec_ = pecUpdate(pec_, value);
    return value;
}

void BlockTestDevice::end() {
    if (writePhaseOpen_ && command_ == kBlockWrite && phaseBytes_ >= 2)
        lastWrite_ = current_;
    writePhaseOpen_ = false;
}

} // namespace vsq::sim
