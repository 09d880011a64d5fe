#pragma once
// SMBus: the chipset medium. Drives the SMBus host controller of the PC's own
// south bridge (Intel PIIX4/ICH family, or ALi) through Halvicor's port-level
// functions: byte-data register writes and reads and a presence probe. All its
// state is its own; it touches neither the parallel-port bus state nor the port.
//
// Addresses are 7-bit bus addresses (0x54 for the 8-bit 0xA8): the object
// shifts them left and adds the read bit, so bit 7 of an argument is lost.
//
// Transfers report no error: one that cannot run (no supported controller, no
// usable base, port I/O not allowed, or a chipset transfer already in progress
// on this thread's stack) touches no port and gives the neutral result (0 or
// false). A missing Halvicor fails the call with a ComError.

#include <cstdint>

namespace brisendal {

class SMBus {
public:
    // Searches PCI configuration space for a supported controller, remembers
    // its identifier and I/O base and enables it, where the platform allows
    // port I/O; elsewhere touches nothing and keeps 0 for both. Throws
    // ComError when the search needs Halvicor and cannot load it.
    SMBus();

    // The identifier word (device id high, vendor id low) of the controller in
    // use; it selects the register sequences. 0 = none.
    void setDeviceID(std::int32_t id);
    std::int32_t DeviceID() const;

    // The controller's I/O base; stored without a check.
    void setSMBusBaseAddress(std::int32_t base);
    std::int32_t SMBusBaseAddress() const;

    // A byte-data read of command 0: true when it finished in time and the
    // controller's status shows no error.
    bool DevicePresent(std::uint8_t DeviceAddress);

    // Stored only, clamped to [0, 1e10] (not a number gives 0).
    void setFrameDelay(float delay);
    float FrameDelay() const;

    void PortWrite(std::uint8_t DeviceAddress, std::uint8_t AddressPointer, std::uint8_t Data);
    // The byte read; 0 when the controller reported an error or did not finish
    // within the wait's second.
    std::uint8_t PortRead(std::uint8_t DeviceAddress, std::uint8_t AddressPointer);

    // Stored only: the transfers take their address as an argument.
    void setDeviceAddress(std::uint8_t address);
    std::uint8_t DeviceAddress() const;

    // Set while a chipset transfer runs (its status waits yield to the message
    // loop). Timers skip their tick while it is set; a transfer started during
    // it is refused.
    static bool FrameInProgress();

private:
    struct StatusWait {
        std::uint8_t status = 0;
        bool settled = true;
    };

    void FindSMBusController();
    static bool IsSupportedController(std::int32_t word);
    void ReadSMBusBaseAddress(std::int32_t bus, std::int32_t device, std::int32_t function);
    bool IntelQuickProbe(std::uint8_t DeviceAddress);
    bool AliQuickProbe(std::uint8_t DeviceAddress);
    void IntelWriteByteData(std::uint8_t DeviceAddress, std::uint8_t AddressPointer,
                            std::uint8_t Data);
    std::uint8_t IntelReadByteData(std::uint8_t DeviceAddress, std::uint8_t AddressPointer);
    void AliWriteByteData(std::uint8_t DeviceAddress, std::uint8_t AddressPointer,
                          std::uint8_t Data);
    std::uint8_t AliReadByteData(std::uint8_t DeviceAddress, std::uint8_t AddressPointer);
    StatusWait AliWaitDone();
    StatusWait IntelWaitIdle();

    enum class Family { None, Intel, Ali };
    Family family() const;
    // Whether a transfer may touch the controller now.
    bool transferAllowed() const;
    template <typename Busy> StatusWait waitWhile(Busy busy);
    std::int32_t registerPort(int offset) const;
    void put(int offset, std::uint8_t value);
    std::uint8_t get(int offset);

    std::int32_t deviceId_ = 0;
    std::int32_t baseAddress_ = 0;
    float frameDelay_ = 0.0f;
    std::uint8_t deviceAddress_ = 0;
};

} // namespace brisendal
