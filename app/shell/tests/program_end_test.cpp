#include "app/core/program_end.h"
#include "app/device/short_delay.h"
#include "app/shell/main_form.h"
#include "app/shell/testing/shell_test.h"
#include "controls/common/qt_yield.h"
#include "platform/services.h"
#include "platform/virtual_clock.h"

#include <QAction>
#include <QTimer>

#include <functional>
#include <stdexcept>

namespace trelvane {
namespace {

using namespace vsq::platform;

class ProgramEndTest : public testing::ShellTest {
protected:
    void TearDown() override {
        setYieldHook({});
        setClock(nullptr);
        ShellTest::TearDown();
    }
};

// Exit, or closing the main window, ends the program at once, without a
// question, and ends a wait that runs then.
TEST_F(ProgramEndTest, ExitOrClosingTheMainWindowDuringAWaitEndsTheWaitAndTheProgram) {
    const std::function<void(TMainForm&)> ends[] = {
        [](TMainForm& main) { main.mnuExit->trigger(); }, [](TMainForm& main) { main.close(); }};
    for (const auto& end : ends) {
        TMainForm& main = windows().show<TMainForm>();
        // A clock that never moves: only the program's end can finish this wait.
        setClock(std::make_shared<VirtualClock>());
        vsq::controls::installQtYieldHook();
        QTimer::singleShot(0, &main, [&main, &end] { end(main); });
        ShortDelay();
        EXPECT_TRUE(quitRequested()) << &end - ends;
        EXPECT_FALSE(main.isVisible());
        EXPECT_TRUE(scripted().messages.empty());
        clearQuitRequest();
    }
}

TEST_F(ProgramEndTest, AWaitAcrossMidnightEnds) {
    VirtualTime time(0.001);
    time.clock().set(86399.99); // ten milliseconds before midnight
    ShortDelay();
    EXPECT_GE(time.clock().seconds(), 86399.99 + 0.03);
    EXPECT_LT(time.clock().seconds(), 86399.99 + 0.035);
}

TEST_F(ProgramEndTest, OnceTheProgramIsEndingAYieldRunsNoMoreEvents) {
    vsq::controls::installQtYieldHook();
    bool ran = false;
    // The timer dies with the test: it must not fire in a later one.
    QObject context;
    QTimer::singleShot(0, &context, [&ran] { ran = true; });
    endProgram();
    yieldOnce();
    EXPECT_FALSE(ran);
}

TEST_F(ProgramEndTest, AFailureStopsTheProgramWithAMessageNamingIt) {
    ::testing::internal::CaptureStderr();
    runOrStop([] { throw std::runtime_error("Cannot load the window"); });
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "VSQ5540 Evaluation Software: Cannot load the window\n");
    ASSERT_EQ(scripted().messages.size(), 1u);
    EXPECT_EQ(scripted().messages[0].text, "Cannot load the window");
    EXPECT_EQ(scripted().messages[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(quitRequested());
}

} // namespace
} // namespace trelvane
