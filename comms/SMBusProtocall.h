#pragma once
// The SMBus protocol object of the parallel-port medium: byte-data, word-data,
// send-byte and receive-byte transfers, 32-byte block transfers with packet
// error checking, the bus primitives as single calls, and the properties of the
// process-wide bus state. All settings but UsePEC and BlockWriteWaitAck are
// shared by every object of the library.
//
// A transfer that gives up after MaxArbitrationDenials back-offs, or that is
// refused because another frame is in progress, raises SMBusProtocallError 2;
// a read that gave up returns what its last attempt had read (0 if nothing), a
// refused one 0. A block read whose byte count is not 32 raises number 1. A
// port that cannot be opened sends nothing and reports nothing (reads give 0).
// A failed outside call (a missing driver) is the member's failed status,
// ComError.
//
//     auto proto = root->PrinterPort()->SMBusProtocall();
//     auto token = proto->SMBusProtocallError().subscribe(
//         [](std::int16_t number, const std::string& text) { ... });
//     proto->PortWrite(0xA8, 0x10, 0x5A);
//     std::uint8_t id = proto->PortRead(0xA8, 0x94);

#include "comms/event.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace brisendal {

class SMBusProtocall {
public:
    using ErrorEvent = Event<std::int16_t, const std::string&>;
    using BlockArray = std::array<std::int16_t, 38>;

    // Re-applies the creation defaults to the bus state (MaxArbitrationDenials
    // 20, Delay 0, BitsToStayHigh 0, ActAsMaster False, the line patterns of
    // the current DataInverted) and detects the ports once per process.
    SMBusProtocall();
    SMBusProtocall(const SMBusProtocall&) = delete;
    SMBusProtocall& operator=(const SMBusProtocall&) = delete;

    std::int16_t FinalPEC() const { return finalPEC_; }
    void setFinalPEC(std::int16_t value) { finalPEC_ = value; }
    void setArbitrationOn(bool value);
    bool ArbitrationOn() const;
    void setMaxArbitrationDenials(std::int16_t value);
    std::int16_t MaxArbitrationDenials() const;
    void setBlockWriteWaitAck(bool value) { blockWriteWaitAck_ = value; }
    bool BlockWriteWaitAck() const { return blockWriteWaitAck_; }
    void setActAsMaster(bool value);
    bool ActAsMaster() const;
    void setVideoSoftware(bool value);
    bool VideoSoftware() const;

    // Word data, high byte first; Value rounded to an integer (halves to even).
    void WriteWord(std::uint8_t DeviceAddress, std::uint8_t AddressPointer, float Value);
    float ReadWord(std::uint8_t DeviceAddress, std::uint8_t AddressPointer);
    void ShortWrite(std::uint8_t DeviceAddress, std::uint8_t Data);
    std::uint8_t ShortRead(std::uint8_t DeviceAddress);
    // True when the slave pulled SDA low within Timeout seconds.
    bool WaitAck(std::uint8_t Timeout);

    void setRelativeDelayOn(bool value);
    bool RelativeDelayOn() const;
    void setFrameDelay(float value); // clamped to 0 .. 1e10 (not a number gives 0)
    float FrameDelay() const;
    void setDelay(float value);
    float Delay() const;
    void setRepeatedStart(bool value);
    bool RepeatedStart() const;
    void Portout(std::uint16_t CurrentPortAddress, std::uint8_t Value);
    std::uint8_t Portin(std::uint16_t CurrentPortAddress);
    void setAddressPointer(std::uint8_t value);
    std::uint8_t AddressPointer() const;
    void setBitsToStayHigh(std::uint8_t value);
    std::uint8_t BitsToStayHigh() const;
    void setThereWasNoAck(bool value);
    bool ThereWasNoAck() const;
    void setPortAddress(std::uint16_t value);
    std::uint16_t PortAddress() const;
    void setDeviceAddress(std::uint8_t value);
    std::uint8_t DeviceAddress() const;
    void setDataInverted(bool value);
    bool DataInverted() const;
    void setCheckForAck(bool value);
    bool CheckForAck() const;
    void setOrBits(std::uint8_t value);
    std::uint8_t OrBits() const;

    void Ack();
    std::uint8_t PortRead(std::uint8_t DeviceAddress, std::uint8_t AddressPointer);
    void NAck();
    void MAck();
    void PortWrite(std::uint8_t DeviceAddress, std::uint8_t AddressPointer, std::uint8_t Data);
    void PreStart();
    float ReadData();
    void StartBit();
    void StopBit();
    void WriteData(float Data);
    std::int16_t Detect(std::int16_t port) const;
    void setTotalSpeed(std::int16_t value);
    std::int16_t TotalSpeed() const;

    // Block read with command 0xA1 from DeviceAddress; the data is fetched
    // afterwards with GetBlockReadData. The arguments are not used.
    void BlockRead(std::uint8_t HighByte, std::uint8_t LowByte);
    // Block write with command 0xA0 to DeviceAddress of the payload in elements
    // 3 .. ByteCount + 2 of Data. Refused before the port is opened (ComError)
    // for a ByteCount above 32, a missing element or one outside 0..255.
    void BlockWrite(std::uint8_t ByteCount, const std::vector<int>& Data);
    void setPECOK(bool value) { pecOK_ = value; }
    bool PECOK() const { return pecOK_; }
    // Entry 0 the read address, 1 the byte count (after a PEC check), 2..33 the data.
    BlockArray GetBlockReadData() const { return blockReadData_; }
    void setUsePEC(bool value) { usePEC_ = value; }
    bool UsePEC() const { return usePEC_; }
    BlockArray GetPECData() const;

    // SMBusProtocallError(ErrorNumber, ErrorDescription), raised synchronously.
    ErrorEvent& SMBusProtocallError() { return errorEvent_; }

    std::uint8_t BlockByteCount() const { return blockByteCount_; }
    std::uint8_t ReceivedPEC() const { return receivedPEC_; }

private:
    void raiseError(std::int16_t number, const std::string& text) const;
    // Runs a transfer in a frame of its own and raises its report.
    template <typename Result, typename Transfer> Result carryOut(Transfer&& transfer);
    bool blockWriteAttempt(const std::array<std::uint8_t, 35>& packet, std::uint8_t byteCount);
    bool blockReadAttempt();

    std::int16_t finalPEC_ = 0;
    bool usePEC_ = false;
    bool pecOK_ = false;
    bool blockWriteWaitAck_ = false;
    BlockArray blockReadData_{};
    std::uint8_t blockByteCount_ = 0;
    std::uint8_t receivedPEC_ = 0;
    ErrorEvent errorEvent_;
};

} // namespace brisendal
