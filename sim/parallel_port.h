#pragma once
// One parallel port of the simulated PC at base + 0 (data), + 1 (status), + 2 (control),
// with the evaluation board on it, or nothing.
//   data: latched and readable; each write drives the board's bus through the adapter;
//         bits 2-7 are spare lines (4-7 reach the board's GPIO toggles), recorded in the
//         journal when they change.
//   status: bits 5, 4, 3 sense the lines through the adapter; with no board the inputs
//         float and read as set. Bit 6 reads set and bit 7 clear (an unconnected,
//         port-inverted input), bits 0-2 clear.
//   control: bits 0-5 latched and readable, bits 6-7 read as set, as on a PC
//         port; not wired to the board.
// Claims and releases are counted; a test can make the port refuse claims.

#include "sim/board_adapter.h"
#include "sim/evaluation_board.h"
#include "sim/journal.h"
#include "sim/smbus_lines.h"

#include <cstdint>
#include <memory>

namespace vsq::sim {

class LineCapture;

class ParallelPort {
public:
    ParallelPort(int number, const PortConfig& config, Journal& journal, LineCapture& capture);

    int number() const { return number_; }
    std::uint16_t base() const { return base_; }
    bool decodes(std::uint16_t port) const { return static_cast<std::uint16_t>(port - base_) < 3; }

    std::uint8_t read(std::uint16_t port);
    void write(std::uint16_t port, std::uint8_t value);

    bool claim();
    void release();
    bool claimed() const { return claimed_; }
    void setClaimRefused(bool refused) { claimRefused_ = refused; }

    EvaluationBoard* board() { return board_.get(); }
    SmbusLines* lines() { return lines_.get(); }
    const BoardAdapter& adapter() const { return adapter_; }
    std::uint8_t data() const { return data_; }

private:
    void beginAccess();
    void writeData(std::uint8_t value);
    std::uint8_t status() const;

    int number_;
    std::uint16_t base_;
    BoardAdapter adapter_;
    Journal& journal_;
    PortActivity& activity_;
    LineCapture& capture_;
    std::unique_ptr<EvaluationBoard> board_;
    std::unique_ptr<SmbusLines> lines_;
    std::uint8_t data_ = 0;
    std::uint8_t control_ = 0;
    bool claimed_ = false;
    bool claimRefused_ = false;
};

} // namespace vsq::sim
