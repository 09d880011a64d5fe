#include "app/core/window_registry.h"
#include "app/shell/testing/shell_test.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include <stdexcept>

namespace trelvane {
namespace {

struct Journal {
    int constructed = 0;
    int loads = 0;
    int unloads = 0;
    int destroyed = 0;
    bool keepLoaded = false;
    bool failLoad = false;
};

Journal journal;

class PlainWindow : public QWidget {
public:
    PlainWindow() { ++journal.constructed; }
    ~PlainWindow() override { ++journal.destroyed; }
    void onLoad() {
        ++journal.loads;
        if (journal.failLoad)
            throw std::runtime_error("load failed");
    }
    bool onQueryUnload() { return !journal.keepLoaded; }
    void onUnload() { ++journal.unloads; }
};

class ToolWindow : public QWidget {
public:
    static constexpr WindowPlacement kPlacement = WindowPlacement::MdiChild;
    ToolWindow() { setWindowTitle("Tool"); }
};

class HostWindow : public QWidget {
public:
    HostWindow() : area(new QMdiArea(this)) {}
    QMdiArea* area;
};

class WindowRegistryTest : public testing::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        journal = {};
    }
};

TEST_F(WindowRegistryTest, LoadCreatesOneHiddenInstanceAndRunsItsLoadHandlerOnce) {
    EXPECT_EQ(windows().find<PlainWindow>(), nullptr);
    PlainWindow& first = windows().load<PlainWindow>();
    PlainWindow& again = windows().load<PlainWindow>();
    EXPECT_EQ(&first, &again);
    EXPECT_EQ(windows().find<PlainWindow>(), &first);
    EXPECT_EQ(journal.constructed, 1);
    EXPECT_EQ(journal.loads, 1);
    EXPECT_FALSE(first.isVisible());

    PlainWindow& shown = windows().show<PlainWindow>();
    EXPECT_EQ(&shown, &first);
    EXPECT_TRUE(shown.isVisible());
    EXPECT_EQ(journal.loads, 1);
}

TEST_F(WindowRegistryTest, UnloadRunsTheHandlerDestroysAndTheNextReferenceCreatesAnew) {
    QPointer<PlainWindow> first = &windows().show<PlainWindow>();
    windows().unload<PlainWindow>();
    EXPECT_EQ(journal.unloads, 1);
    EXPECT_EQ(windows().find<PlainWindow>(), nullptr);
    EXPECT_FALSE(first->isVisible());
    processEvents();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(journal.destroyed, 1);

    windows().load<PlainWindow>();
    EXPECT_EQ(journal.constructed, 2);
    EXPECT_EQ(journal.loads, 2);
    windows().unload<PlainWindow>(); // unloading twice is harmless
    windows().unload<PlainWindow>();
    EXPECT_EQ(journal.unloads, 2);
}

TEST_F(WindowRegistryTest, ClosingFromTheFrameUnloadsUnlessTheWindowKeepsItself) {
    windows().show<PlainWindow>().close();
    EXPECT_EQ(windows().find<PlainWindow>(), nullptr);
    EXPECT_EQ(journal.unloads, 1);

    journal.keepLoaded = true;
    PlainWindow& kept = windows().show<PlainWindow>();
    EXPECT_FALSE(kept.close());
    EXPECT_EQ(windows().find<PlainWindow>(), &kept);
    EXPECT_EQ(journal.unloads, 1);
}

TEST_F(WindowRegistryTest, AFailingLoadHandlerLeavesNothingLoaded) {
    journal.failLoad = true;
    EXPECT_THROW(windows().load<PlainWindow>(), std::runtime_error);
    EXPECT_EQ(windows().find<PlainWindow>(), nullptr);
    EXPECT_EQ(journal.destroyed, 1);
}

TEST_F(WindowRegistryTest, ToolWindowsOpenInsideTheHostsMdiArea) {
    windows().setMdiHost([this] { return windows().load<HostWindow>().area; });
    ToolWindow& tool = windows().load<ToolWindow>();
    HostWindow* host = windows().find<HostWindow>();
    ASSERT_NE(host, nullptr);
    auto* frame = qobject_cast<QMdiSubWindow*>(windows().frameOf(&tool));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->mdiArea(), host->area);
    EXPECT_EQ(frame->widget(), &tool);
    EXPECT_EQ(frame->windowTitle(), "Tool");
    EXPECT_FALSE(frame->isVisible());

    host->show();
    windows().show<ToolWindow>();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(host->area->activeSubWindow(), frame);

    // Closing the subwindow unloads the tool window; the next showing makes a new one.
    frame->close();
    EXPECT_EQ(windows().find<ToolWindow>(), nullptr);
    processEvents();
    EXPECT_TRUE(host->area->subWindowList().isEmpty());
    EXPECT_NE(&windows().show<ToolWindow>(), nullptr);
    EXPECT_EQ(host->area->subWindowList().size(), 1);
}

TEST_F(WindowRegistryTest, ShowingAMinimisedToolWindowRestoresIt) {
    windows().setMdiHost([this] { return windows().load<HostWindow>().area; });
    windows().load<HostWindow>().show();
    QWidget* frame = windows().frameOf(&windows().show<ToolWindow>());
    const struct {
        void (QWidget::*put)();
        bool minimised;
        bool maximised;
    } cases[] = {
        {&QWidget::showMinimized, false, false},
        {&QWidget::showMaximized, false, true},
        {&QWidget::showNormal, false, false},
    };
    for (const auto& c : cases) {
        (frame->*c.put)();
        windows().show<ToolWindow>();
        EXPECT_EQ(frame->isMinimized(), c.minimised);
        EXPECT_EQ(frame->isMaximized(), c.maximised);
    }
}

TEST_F(WindowRegistryTest, ToolWindowsWithoutAHostAreTopLevel) {
    ToolWindow& tool = windows().load<ToolWindow>();
    EXPECT_EQ(windows().frameOf(&tool), &tool);
    EXPECT_TRUE(tool.isWindow());
}

TEST_F(WindowRegistryTest, TheRegistryIsCurrentWhileItLives) {
    EXPECT_EQ(&WindowRegistry::current(), &windows());
    {
        WindowRegistry inner;
        EXPECT_EQ(&WindowRegistry::current(), &inner);
        inner.load<PlainWindow>();
    }
    EXPECT_EQ(journal.destroyed, 1);
    EXPECT_EQ(&WindowRegistry::current(), &windows());
}

} // namespace
} // namespace trelvane
