#include "app/tools/fill_guard.h"
#include "app/tools/register_update.h"
#include "app/tools/tests/tool_test.h"
#include "app/tools/tool_command.h"

#include <QPushButton>

#include <stdexcept>

namespace trelvane {
namespace {

class SharedPiecesTest : public testing::ToolTest {};

TEST_F(SharedPiecesTest, TheFillGuardStaysUpUntilTheOutermostFillEndsThrowingOrNot) {
    FillGuard guard;
    int writes = 0;
    auto handler = guard.unlessFilling([&] { ++writes; });
    guard.fill([&] {
        guard.fill([&] { handler(); });
        handler(); // the inner fill has ended; the outer one still guards
    });
    EXPECT_EQ(writes, 0);
    EXPECT_THROW(guard.fill([] { throw std::runtime_error("x"); }), std::runtime_error);
    EXPECT_FALSE(guard.filling());
    handler();
    EXPECT_EQ(writes, 1);
}

TEST_F(SharedPiecesTest, ReadModifyWriteKeepsTheOtherBitsAndGivesUpOnAFailedRead) {
    chip().setRegisterValue(0x91, 0x1E);
    EXPECT_TRUE(ReadModifyWrite(0x91, 0xF0, 0x01));
    EXPECT_EQ(writes(), Writes({"91=11"}));

    clearJournal();
    failNextTransfer();
    EXPECT_FALSE(ReadModifyWrite(0x91, 0xF0, 0x0F));
    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(chip().registerValue(0x91), 0x11);
}

TEST_F(SharedPiecesTest, AFailedCommandIsShownAndLeavesTheWindowUsable) {
    QWidget window;
    auto* button = new QPushButton(&window);
    bool enabledDuring = true;
    EXPECT_FALSE(runToolCommand({&window, button}, [&] {
        enabledDuring = window.isEnabled() || button->isEnabled();
        throw std::runtime_error("Port driver missing");
    }));
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(window.isEnabled());
    EXPECT_TRUE(button->isEnabled());
    ASSERT_EQ(scripted().messages.size(), 1u);
    EXPECT_EQ(scripted().messages[0].text, "Port driver missing");
    EXPECT_EQ(scripted().messages[0].title, "Error");
}

} // namespace
} // namespace trelvane
