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
    pc().out8(base_, (inverted_ ? kInverted : kPlain)[state - 'A']);
}

void LineMaster::drive(const char* states) {
    for (; *states != '\0'; ++states)
        drive(*states);
}

bool LineMaster::sclHigh() {
    return ((pc().in8(base_ + 1) & 0x20) != 0) != inverted_;
}
bool LineMaster::sdaHigh() {
    return ((pc().in8(base_ + 1) & 0x10) != 0) != inverted_;
}

void LineMaster::writeByte(std::uint8_t value) {
    for (int bit = 7; bit >= 0; --bit)
        writeBit((value >> bit) & 1);
    drive("DADC");
}

bool LineMaster::clockAcknowledge() {
    drive("DA");
    const bool acknowledged = !sdaHigh();
    drive("DC");
    return acknowledged;
}

std::uint8_t LineMaster::readByte(bool acknowledge) {
    std::uint8_t value = 0;
    drive('C');
    for (int bit = 0; bit < 8; ++bit) {
        drive("DA");
        value = static_cast<std::uint8_t>(value << 1 | (sdaHigh() ? 1 : 0));
        drive('D');
    }
    drive(acknowledge ? "CBC" : "DADC");
    return value;
}

void LineMaster::write(std::initializer_list<std::uint8_t> bytes) {
    start();
    for (std::uint8_t byte : bytes)
        writeByte(byte);
    stop();
}

std::uint8_t LineMaster::readByteData(std::uint8_t device, std::uint8_t command,
                                      bool repeatedStart) {
    start();
    writeByte(device);
    writeByte(command);
    drive(repeatedStart ? "DA" : "CBA"); // to the repeated start, or a stop
    return receiveByte(device);
}

std::uint16_t LineMaster::readWord(std::uint8_t device, std::uint8_t command) {
    write({device, command});
    start();
    writeByte(static_cast<std::uint8_t>(device | 1));
    const std::uint8_t high = readByte(true);
    const std::uint8_t low = readByte();
    stop();
    return static_cast<std::uint16_t>(high << 8 | low);
}

std::uint8_t LineMaster::receiveByte(std::uint8_t device) {
    start();
    writeByte(static_cast<std::uint8_t>(device | 1));
    const std::uint8_t value = readByte();
    stop();
    return value;
}

} // namespace vsq::sim::testing
