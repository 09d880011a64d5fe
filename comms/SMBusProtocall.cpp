#include "comms/SMBusProtocall.h"

#include "comms/bus_frame.h"
#include "comms/bus_report.h"
#include "comms/com_error.h"
#include "comms/pec.h"
#include "comms/transactions.h"

#include <cmath>

namespace brisendal {
namespace {

constexpr std::uint8_t kBlockWriteCommand = 0xA0;
constexpr std::uint8_t kBlockReadCommand = 0xA1;
constexpr std::uint8_t kBlockSize = 32;
constexpr std::int16_t kWrongByteCountError = 1;
constexpr float kLongestFrameDelay = 1e10f;

// Runs a bus primitive as a call of its own, refused while a frame is in progress.
template <typename Primitive> auto single(Primitive&& primitive) {
    FrameScope frame;
    RequireFrame(frame);
    return primitive();
}

} // namespace

SMBusProtocall::SMBusProtocall() {
    auto& s = busState();
    s.MaxArbitrationDenials = 20;
    SetLineInversion(s.DataInverted); // patterns that match the polarity in force
    s.BitsToStayHigh = 0;
    s.Delay = 0.0f;
    s.ActAsMaster = false;
    InitialiseParallelPorts();
}

void SMBusProtocall::raiseError(std::int16_t number, const std::string& text) const {
    errorEvent_.raise(number, text);
}

template <typename Result, typename Transfer> Result SMBusProtocall::carryOut(Transfer&& transfer) {
    return CarryOut<Result>(
        [this](std::int16_t number, const std::string& text) { raiseError(number, text); },
        std::forward<Transfer>(transfer));
}

void SMBusProtocall::setArbitrationOn(bool value) {
    busState().ArbitrationOn = value;
}
bool SMBusProtocall::ArbitrationOn() const {
    return busState().ArbitrationOn;
}
void SMBusProtocall::setMaxArbitrationDenials(std::int16_t value) {
    busState().MaxArbitrationDenials = value;
}
std::int16_t SMBusProtocall::MaxArbitrationDenials() const {
    return busState().MaxArbitrationDenials;
}
void SMBusProtocall::setActAsMaster(bool value) {
    busState().ActAsMaster = value;
}
bool SMBusProtocall::ActAsMaster() const {
    return busState().ActAsMaster;
}
void SMBusProtocall::setVideoSoftware(bool value) {
    busState().VideoSoftware = value;
}
bool SMBusProtocall::VideoSoftware() const {
    return busState().VideoSoftware;
}

void SMBusProtocall::WriteWord(std::uint8_t DeviceAddress, std::uint8_t AddressPointer,
                               float Value) {
    const std::int32_t value = RoundedValue(Value);
    carryOut<void>([&] { SendWriteWord(DeviceAddress, AddressPointer, value); });
}

float SMBusProtocall::ReadWord(std::uint8_t DeviceAddress, std::uint8_t AddressPointer) {
    return carryOut<float>([&] { return SendReadWord(DeviceAddress, AddressPointer); });
}

void SMBusProtocall::ShortWrite(std::uint8_t DeviceAddress, std::uint8_t Data) {
    carryOut<void>([&] { SendByte(DeviceAddress, Data); });
}

std::uint8_t SMBusProtocall::ShortRead(std::uint8_t DeviceAddress) {
    return carryOut<std::uint8_t>([&] { return ReceiveByte(DeviceAddress); });
}

bool SMBusProtocall::WaitAck(std::uint8_t Timeout) {
    return single([&] { return WaitForAck(Timeout); });
}

void SMBusProtocall::setRelativeDelayOn(bool value) {
    busState().RelativeDelayOn = value;
}
bool SMBusProtocall::RelativeDelayOn() const {
    return busState().RelativeDelayOn;
}

void SMBusProtocall::setFrameDelay(float value) {
    if (!(value >= 0.0f))
        value = 0.0f; // below 0, or not a number
    busState().FrameDelay = std::fmin(value, kLongestFrameDelay);
}
float SMBusProtocall::FrameDelay() const {
    return busState().FrameDelay;
}
void SMBusProtocall::setDelay(float value) {
    busState().Delay = value;
}
float SMBusProtocall::Delay() const {
    return busState().Delay;
}
void SMBusProtocall::setRepeatedStart(bool value) {
    busState().RepeatedStart = value;
}
bool SMBusProtocall::RepeatedStart() const {
    return busState().RepeatedStart;
}

void SMBusProtocall::Portout(std::uint16_t CurrentPortAddress, std::uint8_t Value) {
    single([&] { PortOutput(CurrentPortAddress, Value); });
}

std::uint8_t SMBusProtocall::Portin(std::uint16_t CurrentPortAddress) {
    return single([&] { return PortInput(CurrentPortAddress); });
}

void SMBusProtocall::setAddressPointer(std::uint8_t value) {
    busState().AddressPointer = value;
}
std::uint8_t SMBusProtocall::AddressPointer() const {
    return busState().AddressPointer;
}
void SMBusProtocall::setBitsToStayHigh(std::uint8_t value) {
    SetStayHighBits(value);
}
std::uint8_t SMBusProtocall::BitsToStayHigh() const {
    return busState().BitsToStayHigh;
}
void SMBusProtocall::setThereWasNoAck(bool value) {
    busState().ThereWasNoAck = value;
}
bool SMBusProtocall::ThereWasNoAck() const {
    return busState().ThereWasNoAck;
}
void SMBusProtocall::setPortAddress(std::uint16_t value) {
    SelectPortByAddress(value);
}
std::uint16_t SMBusProtocall::PortAddress() const {
    return busState().PortAddress;
}
void SMBusProtocall::setDeviceAddress(std::uint8_t value) {
    busState().DeviceAddress = value;
}
std::uint8_t SMBusProtocall::DeviceAddress() const {
    return busState().DeviceAddress;
}
void SMBusProtocall::setDataInverted(bool value) {
    SetLineInversion(value);
}
bool SMBusProtocall::DataInverted() const {
    return busState().DataInverted;
}
void SMBusProtocall::setCheckForAck(bool value) {
    busState().CheckForAck = value;
}
bool SMBusProtocall::CheckForAck() const {
    return busState().CheckForAck;
}

void SMBusProtocall::setOrBits(std::uint8_t value) {
    busState().OrBits = value;
    SetStayHighBits(value);
}
std::uint8_t SMBusProtocall::OrBits() const {
    return busState().OrBits;
}

void SMBusProtocall::Ack() {
    single(ClockAck);
}

std::uint8_t SMBusProtocall::PortRead(std::uint8_t DeviceAddress, std::uint8_t AddressPointer) {
    return carryOut<std::uint8_t>([&] { return ReadByteData(DeviceAddress, AddressPointer); });
}

void SMBusProtocall::NAck() {
    single(ClockNoAck);
}
void SMBusProtocall::MAck() {
    single(ClockMasterAck);
}

void SMBusProtocall::PortWrite(std::uint8_t DeviceAddress, std::uint8_t AddressPointer,
                               std::uint8_t Data) {
    carryOut<void>([&] { WriteByteData(DeviceAddress, AddressPointer, Data); });
}

void SMBusProtocall::PreStart() {
    single(PreStartSequence);
}
float SMBusProtocall::ReadData() {
    return single(ReadDataByte);
}
void SMBusProtocall::StartBit() {
    single(StartCondition);
}
void SMBusProtocall::StopBit() {
    single(StopCondition);
}

void SMBusProtocall::WriteData(float Data) {
    const auto value = static_cast<std::uint8_t>(RoundedValue(Data) & 0xFF);
    single([value] { WriteDataByte(value); });
}

std::int16_t SMBusProtocall::Detect(std::int16_t) const {
    return 0;
}
void SMBusProtocall::setTotalSpeed(std::int16_t) {}
std::int16_t SMBusProtocall::TotalSpeed() const {
    return 0;
}

bool SMBusProtocall::blockReadAttempt() {
    const auto& s = busState();
    const auto device = s.DeviceAddress;
    blockReadData_[0] = static_cast<std::int16_t>(device | 1);
    if (!runSteps(StartCondition, writeByte(device & 0xFE), ClockAck, writeByte(kBlockReadCommand),
                  ClockAck, PreStartSequence, StartCondition, writeByte(device | 1), ClockAck,
                  [this] { blockByteCount_ = ReadDataByte(); }))
        return false;
    if (blockByteCount_ != kBlockSize) {
        raiseError(kWrongByteCountError, "The byte count read did not equal 32");
        ClockNoAck(); // the frame still ends cleanly: no-acknowledge and stop
        StopCondition();
        return true;
    }
    if (!runSteps(ClockMasterAck))
        return false;
    for (int k = 2; k < 2 + kBlockSize; ++k) {
        // The last data byte is not acknowledged unless the PEC byte follows.
        const bool last = k == 1 + kBlockSize && !usePEC_;
        if (!runSteps([this, k] { blockReadData_[k] = ReadDataByte(); },
                      last ? ClockNoAck : ClockMasterAck))
            return false;
    }
    if (usePEC_ && !runSteps([this] { receivedPEC_ = ReadDataByte(); }, ClockNoAck))
        return false;
    StopCondition();
    if (s.BusError)
        return false;
    if (usePEC_) {
        // Covers the read address, the byte count and the data: what follows
        // the repeated start.
        blockReadData_[1] = blockByteCount_;
        std::array<std::uint8_t, 2 + kBlockSize> covered{};
        for (std::size_t i = 0; i < covered.size(); ++i)
            covered[i] = static_cast<std::uint8_t>(blockReadData_[i] & 0xFF);
        finalPEC_ = CalculatePEC(covered, busState().PECData);
        pecOK_ = receivedPEC_ == finalPEC_;
    }
    return true;
}

void SMBusProtocall::BlockRead(std::uint8_t, std::uint8_t) {
    carryOut<void>([this] { RunFrame([this] { return blockReadAttempt(); }, kBlockFrame); });
}

bool SMBusProtocall::blockWriteAttempt(const std::array<std::uint8_t, 35>& packet,
                                       std::uint8_t byteCount) {
    const auto& s = busState();
    if (!runSteps(PreStartSequence, StartCondition, writeByte(packet[0]), ClockAck,
                  writeByte(packet[1]), ClockAck, writeByte(packet[2]), ClockAck))
        return false;
    for (int i = 3; i < 3 + byteCount; ++i)
        if (!runSteps(writeByte(packet[i]), blockWriteWaitAck_ ? ClockAckSlow : ClockAck))
            return false;
    if (usePEC_) {
        const auto pec = CalculatePEC(std::span(packet.data(), 3u + byteCount), busState().PECData);
        finalPEC_ = pec;
        if (!runSteps(writeByte(pec)))
            return false;
        // A failed acknowledge clock counts only after the stop.
        pecOK_ = ReadAckBit().value_or(false);
    }
    StopCondition();
    return !s.BusError;
}

void SMBusProtocall::BlockWrite(std::uint8_t ByteCount, const std::vector<int>& Data) {
    if (ByteCount > kBlockSize)
        throw ComError(5, "Invalid procedure call or argument");
    if (Data.size() < 3u + ByteCount)
        throw ComError(9, "Subscript out of range");
    std::array<std::uint8_t, 35> packet{};
    for (int i = 3; i < 3 + ByteCount; ++i) {
        if (Data[i] < 0 || Data[i] > 0xFF)
            throw ComError(6, "Overflow");
        packet[i] = static_cast<std::uint8_t>(Data[i]);
    }
    carryOut<void>([&] {
        packet[0] = busState().DeviceAddress & 0xFE;
        packet[1] = kBlockWriteCommand;
        packet[2] = ByteCount;
        RunFrame([&] { return blockWriteAttempt(packet, ByteCount); }, kBlockFrame);
    });
}

SMBusProtocall::BlockArray SMBusProtocall::GetPECData() const {
    return busState().PECData;
}

} // namespace brisendal
