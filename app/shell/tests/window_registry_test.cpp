#include "app/core/frame_fit.h"
#include "app/core/window_registry.h"
#include "app/shell/testing/shell_test.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include <optional>
#include <stdexcept>

namespace trelvane {
namespace {

// What the plain window's life went through, and what its next load and close do.
struct Journal {
    int constructed = 0, loads = 0, unloads = 0, destroyed = 0;
    bool keepLoaded = false, failLoad = false;
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

// A tool window that wants 300 x 200 and can give way down to 200 x 90; with
// wrapping texts, it needs 36000 / width of height (120 at 300 wide).
class SizedToolWindow : public QWidget {
public:
    static constexpr WindowPlacement kPlacement = WindowPlacement::MdiChild;
    SizedToolWindow() { setWindowTitle(title); }
    QSize sizeHint() const override { return {300, 200}; }
    QSize minimumSizeHint() const override { return {200, 90}; }
    bool hasHeightForWidth() const override { return wraps; }
    int heightForWidth(int width) const override { return 36000 / width; }
    static inline bool wraps = false;
    static inline const char* title = "Sized";
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

// The first showing after a load sizes the frame to what the window wants
// within the area, never below what it needs, and moves it up and left as far
// as it must to stay inside, never narrower than its title; a later showing
// keeps the size the user gave it.
TEST_F(WindowRegistryTest, AToolWindowsFirstShowingFitsItsFrameInsideTheArea) {
    struct Case {
        const char* name;
        QSize area;
        // How far the frame's bottom right corner lies past the area's before
        // the showing, and after it (none: the frame is larger than the area).
        QPoint overhang;
        std::optional<QPoint> overhangAfter;
        // The window's size after it (0 x 0: the frame fills the area; no width:
        // as wide as its title needs).
        QSize window;
        bool wraps = false;
        const char* title = "Sized";
    };
    const char* longTitle = "A tool window whose title is wider than it";
    const Case cases[] = {
        {"inside", {600, 400}, {-30, -40}, QPoint(-30, -40), {300, 200}},
        {"at the corner", {600, 400}, {0, 0}, QPoint(0, 0), {300, 200}},
        {"one past the corner", {600, 400}, {1, 1}, QPoint(0, 0), {300, 200}},
        {"out to the right", {600, 400}, {250, -20}, QPoint(0, -20), {300, 200}},
        {"out to the bottom right", {600, 400}, {250, 150}, QPoint(0, 0), {300, 200}},
        {"area smaller than wanted", {250, 150}, {0, 0}, QPoint(0, 0), {0, 0}},
        {"area smaller than needed", {150, 60}, {0, 0}, std::nullopt, {200, 90}},
        // Wrapping texts take the height they need at the width the window gets
        // (the frame's border takes 8 px of the area's width).
        {"wrapping texts", {600, 400}, {0, 0}, QPoint(0, -80), {300, 120}, true},
        {"wrapping texts, area narrower", {250, 400}, {0, 0}, std::nullopt, {242, 148}, true},
        {"long title", {150, 60}, {0, 0}, std::nullopt, {0, 90}, false, longTitle},
    };
    QMdiArea area;
    area.setFrameShape(QFrame::NoFrame);
    windows().setMdiHost([&area] { return &area; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SizedToolWindow::wraps = c.wraps;
        SizedToolWindow::title = c.title;
        area.resize(c.area);
        area.show();
        SizedToolWindow& window = windows().load<SizedToolWindow>();
        QWidget& frame = *windows().frameOf(&window);
        const QPoint corner(c.area.width(), c.area.height());
        frame.move(corner + c.overhang - QPoint(frame.width(), frame.height()));
        windows().show<SizedToolWindow>();

        EXPECT_GE(frame.x(), 0);
        EXPECT_GE(frame.y(), 0);
        if (c.overhangAfter) {
            EXPECT_EQ(frame.geometry().bottomRight() + QPoint(1, 1) - corner, *c.overhangAfter);
        }
        if (c.window.isNull()) {
            EXPECT_EQ(frame.size(), c.area);
        } else
            EXPECT_EQ(window.size(), QSize(c.window.width() ? c.window.width() : window.width(),
                                           c.window.height()));
        EXPECT_GE(
            frameTitleRoom(static_cast<QMdiSubWindow&>(frame), frame.width()),
            QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(c.title));
        windows().unload<SizedToolWindow>();
        processEvents();
    }

    SizedToolWindow::wraps = false;
    SizedToolWindow::title = "Sized";
    area.resize(600, 400);
    SizedToolWindow& window = windows().show<SizedToolWindow>();
    QWidget& frame = *windows().frameOf(&window);
    frame.resize(frame.width() - 60, frame.height() - 50); // the user's size
    const QSize usersSize = frame.size();
    windows().show<SizedToolWindow>();
    EXPECT_EQ(frame.size(), usersSize);
    EXPECT_EQ(window.size(), QSize(240, 150));
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
