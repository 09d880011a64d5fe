#pragma once
// A test device for 32-byte block transfers with packet error checking (not on the real
// board; it sits at 0x6A on every simulated board).
//   Block write: command 0xA0, byte count, the data bytes, then optionally a PEC byte.
//   A byte after the counted data is taken as the PEC over the write address, 0xA0, the
//   count and the data: acknowledged when it matches, not acknowledged otherwise. Data
//   beyond 32 bytes, or beyond the PEC, is not acknowledged.
//   Block read: command 0xA1, then (after a repeated START or a STOP and START) a read
//   phase that sends the byte count (32 unless a test sets another), the 32 block bytes,
//   and, while PEC is enabled (the default), a PEC byte over the read address, the count
//   and the 32 bytes (the write half of the frame is not covered). Bytes past that read
//   0xFF. A master that acknowledges the 32nd byte without reading the PEC meets the PEC
//   byte's first bit on SDA: with PEC disabled the device releases SDA after the data.

#include "sim/smbus_device.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vsq::sim {

class BlockTestDevice : public SmbusDevice {
public:
    static constexpr std::uint8_t kDefaultAddress = 0x6A;
    static constexpr std::uint8_t kBlockWrite = 0xA0;
    static constexpr std::uint8_t kBlockRead = 0xA1;
    static constexpr int kBlockSize = 32;

    explicit BlockTestDevice(std::uint8_t address = kDefaultAddress);
    std::string_view name() const override { return "block test device"; }

    void powerUp();
    const std::array<std::uint8_t, kBlockSize>& block() const { return block_; }
    void setBlock(const std::array<std::uint8_t, kBlockSize>& block) { block_ = block; }
    void setPecEnabled(bool enabled) { pecEnabled_ = enabled; }
    void setReportedCount(std::uint8_t count) { reportedCount_ = count; }

    // The last block write as received.
    struct WriteRecord {
        std::uint8_t count = 0;
        std::vector<std::uint8_t> data;
        bool pecReceived = false;
        bool pecMatched = false;
    };
    const WriteRecord& lastWrite() const { return lastWrite_; }

    void beginWrite() override;
    bool writeByte(std::uint8_t value) override;
    void beginRead() override;
    std::uint8_t readByte() override;
    void end() override;

private:
    std::array<std::uint8_t, kBlockSize> block_{};
    bool pecEnabled_ = true;
    std::uint8_t reportedCount_ = kBlockSize;

    std::uint8_t command_ = 0;
    int phaseBytes_ = 0;
    std::uint8_t pec_ = 0;
    WriteRecord current_;
    WriteRecord lastWrite_;
    bool writePhaseOpen_ = false;
};

} // namespace vsq::sim
