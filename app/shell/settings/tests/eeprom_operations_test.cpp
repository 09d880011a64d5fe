// The EEPROM copy and erases on the simulated board, paced on its virtual clock.

#include "app/device/tests/simulated_board.h"
#include "app/shell/settings/eeprom_operations.h"

using namespace trelvane;
using namespace trelvane::testing;

namespace {

struct Frame {
    double time; // when its first byte was on the bus
    std::vector<std::uint8_t> bytes;
};

class RecordingListener : public EEPROMCopyListener {
public:
    void showStatus(std::string_view text) override { statuses.emplace_back(text); }
    void showUPDCFG() override { ++updcfgShown; }
    void showProgress(int value) override {
        progress.push_back(value);
        if (onProgress)
            onProgress(value);
    }
    bool stopRequested() override { return stop; }

    std::vector<std::string> statuses;
    std::vector<int> progress;
    int updcfgShown = 0;
    bool stop = false;
    std::function<void(int)> onProgress;
};

class EEPROMOperations : public SimulatedBoard {
protected:
    void SetUp() override {
        SimulatedBoard::SetUp();
        // Each yield notes the time of the events recorded since the one before.
        previousHook_ = vsq::platform::setYieldHook([this](vsq::platform::YieldMode) {
            while (eventTimes_.size() < journal().events().size())
                eventTimes_.push_back(vsq::platform::secondsNow());
            time_.clock().advance(0.001);
        });
    }
    void TearDown() override {
        vsq::platform::setYieldHook(previousHook_);
        vsq::platform::clearQuitRequest();
        SimulatedBoard::TearDown();
    }

    std::vector<Frame> frames() {
        std::vector<Frame> result;
        const auto& events = journal().events();
        for (std::size_t i = 0; i < events.size(); ++i) {
            const double time =
                i < eventTimes_.size() ? eventTimes_[i] : vsq::platform::secondsNow();
            if (events[i].kind == vsq::sim::EventKind::Start)
                result.push_back({time, {}});
            else if (events[i].kind == vsq::sim::EventKind::Byte && !result.empty())
                result.back().bytes.push_back(events[i].value);
        }
        return result;
    }
    static bool isByteWrite(const Frame& f, const Frame*) {
        return f.bytes.size() == 4 && f.bytes[1] == 0xF8;
    }
    // The lone command 0xFE right after a frame that set the EEPROM address.
    static bool isPageErase(const Frame& f, const Frame* before) {
        return f.bytes == std::vector<std::uint8_t>{0xA8, 0xFE} && before &&
               before->bytes.size() == 3;
    }
    std::vector<Frame> framesWhere(bool (*kind)(const Frame&, const Frame*)) {
        std::vector<Frame> chosen;
        const auto all = frames();
        for (std::size_t i = 0; i < all.size(); ++i)
            if (kind(all[i], i > 0 ? &all[i - 1] : nullptr))
                chosen.push_back(all[i]);
        return chosen;
    }

    RecordingListener listener;

private:
    std::vector<double> eventTimes_;
    vsq::platform::YieldHook previousHook_;
};

TEST_F(EEPROMOperations, TheCopyErasesTheConfigHalfThenWritesEachRegisterAtLeast200msApart) {
    for (int i = 0; i < 256; ++i)
        chip().setEepromByte(static_cast<std::uint16_t>(0xF800 + i), 0x00);

    EXPECT_EQ(CopyRegistersToConfigEEPROM(true, listener), CopyOutcome::Finished);

    const auto erases = framesWhere(isPageErase);
    ASSERT_EQ(erases.size(), 8u);
    for (std::size_t i = 1; i < erases.size(); ++i)
        EXPECT_GE(erases[i].time - erases[i - 1].time, 0.03) << i;
    const auto writes = framesWhere(isByteWrite);
    ASSERT_EQ(writes.size(), 256u);
    for (std::size_t i = 0; i < writes.size(); ++i) {
        EXPECT_EQ(writes[i].bytes[2], i);
        if (i > 0) {
            EXPECT_GE(writes[i].time - writes[i - 1].time, 0.2) << i;
        }
        EXPECT_EQ(chip().eepromByte(static_cast<std::uint16_t>(0xF800 + i)),
                  chip().registerValue(static_cast<std::uint8_t>(i)))
            << i;
    }
    EXPECT_EQ(chip().registerValue(0x90), 0x09); // EE_ERASE set beside UPD
    EXPECT_EQ(listener.updcfgShown, 1);
    EXPECT_EQ(listener.progress.size(), 256u);
    EXPECT_EQ(listener.progress.back(), 255);
    EXPECT_EQ(listener.statuses,
              (std::vector<std::string>{
                  "Erasing EEPROM",
                  "Please wait while RAM settings are written to the EEPROM Config registers.",
                  "RAM settings were saved to EEPROM Config"}));
}

TEST_F(EEPROMOperations, StopAfterByte9LeavesTenBytesWritten) {
    listener.onProgress = [this](int i) { listener.stop = i == 9; };
    EXPECT_EQ(CopyRegistersToConfigEEPROM(true, listener), CopyOutcome::Stopped);
    EXPECT_EQ(framesWhere(isByteWrite).size(), 10u);
    EXPECT_EQ(chip().eepromByte(0xF809), chip().registerValue(0x09));
    EXPECT_EQ(chip().eepromByte(0xF80A), 0xFF); // erased, not written
    EXPECT_EQ(listener.statuses.back(), "EEPROM Erase interrupted by user");
}

TEST_F(EEPROMOperations, WithoutEraseFirstTheCopyStillSetsEE_ERASEButErasesNoPage) {
    listener.stop = true; // after the first byte
    CopyRegistersToConfigEEPROM(false, listener);
    EXPECT_EQ(listener.statuses.front(), "Erasing EEPROM");
    EXPECT_EQ(chip().registerValue(0x90), 0x09);
    EXPECT_EQ(chip().pageErases(), 0);
    EXPECT_EQ(framesWhere(isByteWrite).size(), 1u);
}

TEST_F(EEPROMOperations, QuittingTheProgramEndsTheCopyAtOnce) {
    listener.onProgress = [](int i) {
        if (i == 2)
            vsq::platform::requestQuit();
    };
    const double before = vsq::platform::secondsNow();
    EXPECT_EQ(CopyRegistersToConfigEEPROM(false, listener), CopyOutcome::Stopped);
    EXPECT_EQ(framesWhere(isByteWrite).size(), 3u);
    EXPECT_LT(vsq::platform::secondsNow() - before, 0.7);
}

TEST_F(EEPROMOperations, EraseAllErasesBothHalvesPageByPageAndHonoursAStopBetweenPages) {
    struct Case {
        int stopAfter; // pages; 0 never
        bool completed;
        int pages;
    };
    for (const Case c : {Case{0, true, 16}, Case{3, false, 3}, Case{8, false, 8}}) {
        SetUp();
        chip().setRegisterValue(0x90, 0x09); // EE_ERASE, as callers set it
        const bool completed = EraseAllEEPROMPages(
            [&] { return c.stopAfter > 0 && chip().pageErases() >= c.stopAfter; });
        EXPECT_EQ(completed, c.completed);
        EXPECT_EQ(chip().pageErases(), c.pages);
        TearDown();
    }
    SetUp();
    chip().setRegisterValue(0x90, 0x09);
    EraseAllEEPROMPages(nullptr);
    std::string addresses;
    for (const Frame& f : frames())
        if (f.bytes.size() == 3)
            addresses += std::to_string(f.bytes[1]) + ":" + std::to_string(f.bytes[2]) + " ";
    EXPECT_EQ(addresses, "248:0 248:32 248:64 248:96 248:128 248:160 248:192 248:224 "
                         "249:0 249:32 249:64 249:96 249:128 249:160 249:192 249:224 ");
}

// Setting a bit by read-modify-write is covered with the EEPROM tool's buttons.
TEST_F(EEPROMOperations, AFailedReadOfUPDCFGWritesNothingBack) {
    chip().setRegisterValue(0x90, 0x01);
    failNextTransfer();
    SetUPDCFGBits(0x08);
    EXPECT_EQ(chip().registerValue(0x90), 0x01);
    EXPECT_EQ(traffic().find("90+ 08+"), std::string::npos);
}

} // namespace
