#pragma once
// Halvicor: raw access to the PC's own SMBus host controller. PCI configuration
// reads and writes (mechanism #1), single I/O-port bytes, a search of bus 0 for
// a supported south bridge, its SMBus I/O base, and byte-data transfers on the
// controller. Plain C functions, found by name by the programs that load the
// library. Every function reaches the hardware through the platform's port I/O
// and reports no error; an access the platform cannot carry out ends the call
// with the answer of absent hardware (all ones, or nothing found).
//
// Controller types: 1 = Intel PIIX4/ICH family, 2 = ALi; any other selects no
// sequence. Ports are the low 16 bits of a port or base argument; bytes the low
// 8 bits of a value, command, data or address argument. Addresses are 7-bit bus
// addresses.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(HALVICOR_BUILDING)
#define HALVICOR_API __attribute__((visibility("default")))
#else
#define HALVICOR_API
#endif

// Presence probe: a byte-data read of command 0 from `address`. Nonzero (1)
// when the controller's final status shows no error and the transfer ended
// within the time-out; 0 otherwise and for an unknown type.
HALVICOR_API int32_t DevFound(int32_t base, int32_t type, int32_t address);

// The SMBus I/O base of the controller the scan finds, after enabling it; 0 for
// the ALi south bridge (its base is not computed); 0xFFFF when the scan finds
// nothing or the controller's base register holds no usable I/O base.
HALVICOR_API int32_t GetSMBBA(void);

// The byte read from `port`, sign-extended.
HALVICOR_API int16_t ReadByBase(int32_t port);

// The configuration word of bus/device/function/register.
HALVICOR_API int32_t ReadPCI(int32_t bus, int32_t device, int32_t function, int32_t reg);

// A byte-data read of `command` from `address`, sign-extended; 0 when the
// transfer failed (error status, or no completion within the time-out) and for
// an unknown type.
HALVICOR_API int32_t ReadSMB(int32_t base, int32_t type, int32_t address, int32_t command);

// 1 when the scan finds an Intel controller, 2 for the ALi south bridge, else 0.
HALVICOR_API int32_t SouthBridgeType(void);

// Writes the low byte of `value` to `port`.
HALVICOR_API void WriteByBase(int32_t port, int32_t value);

// Writes the configuration word of bus/device/function/register.
HALVICOR_API void WritePCI(int32_t bus, int32_t device, int32_t function, int32_t reg,
                           int32_t value);

// A byte-data write of `data` to `command` of `address`.
HALVICOR_API void WriteSMB(int32_t base, int32_t type, int32_t address, int32_t command,
                           int32_t data);

#ifdef __cplusplus
}
#endif
