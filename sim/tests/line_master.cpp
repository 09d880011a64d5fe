#include "line_master.h"

#include "sim/simulated_pc.h"

namespace vsq::sim::testing {
namespace {

SimulatedPc& pc() {
    return SimulatedPc::instance();
}

} // namespace

void LineMaster::drive(char state) {
    // index: A B C D
    static const std::uint8_t kInverted[] = {0, 2, 3, 1};
    static const std::uint8_t kPlain[] = {3, 1, 0, 2};
    const int index = state - 'A';
    pc().out8(base_, inverted_ ? kInverted[index] : kPlain[index]);
}

bool LineMaster::sclHigh() {
    return ((pc().in8(base_ + 1) & 0x20) != 0) != inverted_;
}
bool LineMaster::sdaHigh() {
    return ((pc().in8(base_ + 1) & 0x10) != 0) != inverted_;
}

void LineMaster::start() {
    drive('A');
    drive('B');
    drive('C');
}

void LineMaster::stop() {
    drive('C');
    drive('B');
    drive('A');
}

void LineMaster::preStart() {
    drive('C');
    drive('D');
    drive('D');
    drive('A');
}

void LineMaster::writeBit(bool one) {
    if (one) {
        drive('D');
        drive('A');
        drive('D');
        drive('C');
    } else {
        drive('C');
        drive('B');
        drive('C');
        drive('C');
    }
}

void LineMaster::writeByte(std::uint8_t value) {
    for (int bit = 7; bit >= 0; --bit)
        writeBit((value >> bit) & 1);
    drive('D');
    drive('A');
    drive('D');
    drive('C');
}

bool LineMaster::clockAcknowledge() {
    drive('D');
    drive('A');
    const bool acknowledged = !sdaHigh();
    drive('D');
    drive('C');
    return acknowledged;
}

std::uint8_t LineMaster::readByte(bool acknowledge) {
    std::uint8_t value = 0;
    drive('C');
    for (int bit = 0; bit < 8; ++bit) {
        drive('D');
        drive('A');
        const bool one = sdaHigh();
        drive('D');
        value = static_cast<std::uint8_t>(value << 1 | (one ? 1 : 0));
    }
    if (acknowledge) {
        drive('C');
        drive('B');
        drive('C');
    } else {
        drive('D');
        drive('A');
        drive('D');
        drive('C');
    }
    return value;
}

void LineMaster::writeByteData(std::uint8_t device, std::uint8_t command, std::uint8_t data) {
    start();
    writeByte(device);
    writeByte(command);
    writeByte(data);
    stop();
}

std::uint8_t LineMaster::readByteData(std::uint8_t device, std::uint8_t command,
                                      bool repeatedStart) {
    start();
    writeByte(device);
    writeByte(command);
    if (repeatedStart) {
        drive('D');
        drive('A');
    } else {
        stop();
    }
    start();
    writeByte(static_cast<std::uint8_t>(device | 1));
    const std::uint8_t value = readByte();
    stop();
    return value;
}

void LineMaster::writeWord(std::uint8_t device, std::uint8_t command, std::uint16_t word) {
    start();
    writeByte(device);
    writeByte(command);
    writeByte(static_cast<std::uint8_t>(word >> 8));
    writeByte(static_cast<std::uint8_t>(word & 0xFF));
    stop();
}

std::uint16_t LineMaster::readWord(std::uint8_t device, std::uint8_t command) {
    start();
    writeByte(device);
    writeByte(command);
    stop();
    start();
    writeByte(static_cast<std::uint8_t>(device | 1));
    const std::uint8_t high = readByte(true);
    const std::uint8_t low = readByte();
    stop();
    return static_cast<std::uint16_t>(high << 8 | low);
}

void LineMaster::sendByte(std::uint8_t device, std::uint8_t data) {
    start();
    writeByte(device);
    writeByte(data);
    stop();
}

std::uint8_t LineMaster::receiveByte(std::uint8_t device) {
    start();
    writeByte(static_cast<std::uint8_t>(device | 1));
    const std::uint8_t value = readByte();
    stop();
    return value;
}

} // namespace vsq::sim::testing
