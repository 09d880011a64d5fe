#pragma once
// The twelve configuration bytes of one programmable logic block, each named
// after its register in the block's window (+0xB down to +0x0). Only stores.

#include <cstdint>

namespace trelvane {

class PLB {
public:
    std::uint8_t PXSFDIMKB() const { return pxsfdimkb_; }
    void setPXSFDIMKB(std::uint8_t value) { pxsfdimkb_ = value; }
    std::uint8_t PXSFDPOLB() const { return pxsfdpolb_; }
    void setPXSFDPOLB(std::uint8_t value) { pxsfdpolb_ = value; }
    std::uint8_t PXPLBIMKB() const { return pxplbimkb_; }
    void setPXPLBIMKB(std::uint8_t value) { pxplbimkb_ = value; }
    std::uint8_t PXPLBPOLB() const { return pxplbpolb_; }
    void setPXPLBPOLB(std::uint8_t value) { pxplbpolb_ = value; }
    std::uint8_t PSXEN() const { return psxen_; }
    void setPSXEN(std::uint8_t value) { psxen_ = value; }
    std::uint8_t PXWDICFG() const { return pxwdicfg_; }
    void setPXWDICFG(std::uint8_t value) { pxwdicfg_ = value; }
    std::uint8_t PXGPIIMK() const { return pxgpiimk_; }
    void setPXGPIIMK(std::uint8_t value) { pxgpiimk_ = value; }
    std::uint8_t PXGPIPOL() const { return pxgpipol_; }
    void setPXGPIPOL(std::uint8_t value) { pxgpipol_ = value; }
    std::uint8_t PXSFDIMKA() const { return pxsfdimka_; }
    void setPXSFDIMKA(std::uint8_t value) { pxsfdimka_ = value; }
    std::uint8_t PXSFDPOLA() const { return pxsfdpola_; }
    void setPXSFDPOLA(std::uint8_t value) { pxsfdpola_ = value; }
    std::uint8_t PXPLBIMKA() const { return pxplbimka_; }
    void setPXPLBIMKA(std::uint8_t value) { pxplbimka_ = value; }
    std::uint8_t PXPLBPOLA() const { return pxplbpola_; }
    void setPXPLBPOLA(std::uint8_t value) { pxplbpola_ = value; }

private:
    std::uint8_t pxsfdimkb_ = 0;
    std::uint8_t pxsfdpolb_ = 0;
    std::uint8_t pxplbimkb_ = 0;
    std::uint8_t pxplbpolb_ = 0;
    std::uint8_t psxen_ = 0;
    std::uint8_t pxwdicfg_ = 0;
    std::uint8_t pxgpiimk_ = 0;
    std::uint8_t pxgpipol_ = 0;
    std::uint8_t pxsfdimka_ = 0;
    std::uint8_t pxsfdpola_ = 0;
    std::uint8_t pxplbimka_ = 0;
    std::uint8_t pxplbpola_ = 0;
};

} // namespace trelvane
