#include "sim/journal.h"

#include <gtest/gtest.h>

using namespace vsq::sim;

TEST(Journal, StaysBoundedAndKeepsLateAcknowledgesOnTheirBytes) {
    Journal journal;
    BusEvent byte;
    byte.value = 0x5A;
    std::size_t last = 0;
    for (std::size_t i = 0; i < Journal::kEventLimit + 1; ++i)
        last = journal.record(byte);
    // Full at 2^18 events: the oldest half goes before the next one comes.
    EXPECT_EQ(journal.events().size(), 131072u + 1);
    journal.setAck(last, Acknowledge::Ack);
    EXPECT_EQ(journal.events().back().ack, Acknowledge::Ack);
    journal.setAck(0, Acknowledge::Nack); // long dropped: ignored
    EXPECT_EQ(journal.events().front().ack, Acknowledge::None);

    journal.clear();
    journal.setAck(last, Acknowledge::Nack); // cleared: ignored
    journal.recordCondition(2, EventKind::Start);
    EXPECT_EQ(journal.text(2), "S");
    EXPECT_EQ(journal.text(1), "");

    // A clear does not hand the numbers of what it dropped to new events; a
    // byte not acknowledged yet shows as such.
    Journal fresh;
    const std::size_t dropped = fresh.record(byte);
    fresh.clear();
    fresh.record(byte);
    fresh.setAck(dropped, Acknowledge::Ack);
    EXPECT_EQ(fresh.text(byte.bus), "5A?");
}

TEST(Journal, PortCountersSurviveAsEntriesButClearToZero) {
    Journal journal;
    PortActivity& port = journal.activity(1);
    journal.recordDataWrite(port, 3);
    ++port.claims;
    EXPECT_EQ(journal.dataWrites(1), 1u);
    EXPECT_EQ(journal.port(2).dataWrites, 0u);
    journal.clear();
    EXPECT_EQ(journal.port(1).claims, 0u);
    journal.recordDataWrite(port, 0); // the port's reference still records
    EXPECT_EQ(journal.port(1).dataValues, std::vector<std::uint8_t>{0});
}
