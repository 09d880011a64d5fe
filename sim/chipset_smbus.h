#pragma once
// The bus behind the chipset's SMBus host controller, run a whole transaction at a
// time on the same device models as the bit-banged buses, and journaled the same way
// (bus kChipsetBus). A byte-data write is START, address, command, data, STOP; a
// byte-data read is START, address, command, repeated START, address with the read bit,
// the data byte (not acknowledged by the host), STOP.
// An address nobody acknowledges ends the frame with a STOP: a device error. A held line
// or a second master on the bus fails the transfer with no traffic: a bus error. A
// transfer the host gives up on (killed, or timed out on a real controller) ends with no
// traffic either: failed.

#include "sim/bus_faults.h"
#include "sim/evaluation_board.h"
#include "sim/journal.h"
#include "sim/sim_config.h"

#include <cstdint>
#include <memory>

namespace vsq::sim {

class ChipsetSmbus {
public:
    using Outcome = ChipsetOutcome;

    ChipsetSmbus(Journal& journal, std::unique_ptr<EvaluationBoard> board);

    EvaluationBoard* board() { return board_.get(); }
    BusFaults& faults() { return faults_; }
    // The next `transfers` transfers lose the bus to another master.
    void startSecondMaster(int transfers) { secondMasterTransfers_ = transfers; }
    // The next `transfers` transfers end as the given outcome without reaching the bus.
    void failTransfers(Outcome outcome, int transfers) {
        forcedOutcome_ = outcome;
        forcedTransfers_ = transfers;
    }

    // addressByte: the 8-bit address with the read/write bit. A read stores the byte in `data`.
    Outcome byteData(std::uint8_t addressByte, std::uint8_t command, std::uint8_t& data);

private:
    void recordByte(std::uint8_t value, bool fromMaster, bool ack, const SmbusDevice* device);

    Journal& journal_;
    std::unique_ptr<EvaluationBoard> board_;
    BusFaults faults_;
    int secondMasterTransfers_ = 0;
    Outcome forcedOutcome_ = Outcome::Done;
    int forcedTransfers_ = 0;
};

} // namespace vsq::sim
