#pragma once
// Test fixture: the register access window loaded as start-up loads it, on
// the simulated board, in virtual time. Every yield advances the clock by
// half a millisecond and delivers one poll tick of the window's manager (and,
// when asked, of the panel's automatic reading), as their 1 ms timers would,
// then runs the event loop (user input held back inside a bus frame, as the
// program's own yield does).

#include "app/registers/readwrite_form.h"
#include "app/shell/testing/window_test.h"
#include "controls/manager/qvsmanager.h"
#include "controls/reginfo/bit_digit.h"
#include "controls/reginfo/qvsreginfo.h"
#include "platform/services.h"
#include "platform/virtual_clock.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTimer>
#include <QTimerEvent>
#include <QTreeWidget>

namespace trelvane::testing {

class RegisterWindow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        pc().chip(1).setRegisterValue(0x00, 0x00);
        pc().chip(1).setRegisterValue(0x01, 0x00);
        previousHook_ = vsq::platform::setYieldHook([this](vsq::platform::YieldMode mode) {
            time_.clock().advance(0.0005);
            tick();
            if (autoReadTicks)
                autoReadTick();
            QCoreApplication::processEvents(mode == vsq::platform::YieldMode::Normal
                                                ? QEventLoop::AllEvents
                                                : QEventLoop::ExcludeUserInputEvents);
        });
    }
    void TearDown() override {
        vsq::platform::setYieldHook(std::move(previousHook_));
        WindowTest::TearDown();
    }

    // The window as start-up leaves it, after the manager's first tick (which
    // finds the panel), journal cleared.
    ReadWriteForm& load() {
        window_ = &windows().load<ReadWriteForm>();
        tick();
        journal().clear();
        return *window_;
    }
    ReadWriteForm& window() { return *window_; }
    mirelda::QVSRegInfo& panel() { return *window_->QVSRegInfo1; }
    orvessa::QVSManager& manager() { return *window_->QVSManager1; }

    // One tick of the manager's poll timer, when it runs.
    void tick() {
        if (window_ && manager().pollTimerActive()) {
            QTimerEvent event(manager().pollTimerId());
            QCoreApplication::sendEvent(&manager(), &event);
        }
    }
    // One tick of the panel's automatic reading, when it runs.
    void autoReadTick() {
        auto* timer = panel().findChild<QTimer*>("RegisterListTimer");
        if (timer->isActive()) {
            QTimerEvent event(timer->timerId());
            QCoreApplication::sendEvent(timer, &event);
        }
    }
    // Clicks the node of `key` and lets the manager serve the read.
    void click(const std::string& key) {
        window().Registertree_NodeClick(window().node(key));
        tick();
        QCoreApplication::processEvents();
    }
    mirelda::BitDigit& digit(const QString& name) {
        return *panel().findChild<mirelda::BitDigit*>(name);
    }
    QString caption(const QString& name) { return panel().findChild<QLabel*>(name)->text(); }

    vsq::platform::VirtualTime time_{0.0};
    // Whether every yield delivers a tick of the panel's automatic reading too.
    bool autoReadTicks = false;

private:
    ReadWriteForm* window_ = nullptr;
    vsq::platform::YieldHook previousHook_;
};

} // namespace trelvane::testing
