#pragma once
// The register panel "QVSRegInfo1" and its manager "QVSManager1", loaded from
// their bags on a shown, headless host window, on the simulated board. Every yield of the panel's
// waits advances virtual time by a millisecond and delivers one poll tick of
// the manager, as its 1 ms timer would.

#include "comms/tests/simulated_board.h"
#include "controls/common/tests/qstring_printer.h"
#include "controls/reginfo/bit_digit.h"
#include "controls/reginfo/qvsreginfo.h"
#include "controls/reginfo/tests/managed_panel.h"
#include "controls/textbox/qvstxt.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QtTest/QTest>
#include <functional>
#include <utility>

class RegInfoBoard : public brisendal::testing::SimulatedBoard, protected ManagedPanel {
protected:
    void SetUp() override {
        SimulatedBoard::SetUp();
        load();
        tick(); // the first tick finds the panel
        window.show();
        previousHook_ = vsq::platform::setYieldHook([this](vsq::platform::YieldMode mode) {
            ++yields;
            time_.clock().advance(0.001);
            if (mode == vsq::platform::YieldMode::Normal) {
                tick();
                if (onYield) {
                    onYield(yields);
                }
                QCoreApplication::processEvents();
            }
        });
        journal().clear();
    }
    void TearDown() override {
        vsq::platform::setYieldHook(std::move(previousHook_));
        vsq::platform::clearQuitRequest();
        SimulatedBoard::TearDown();
    }

    // Runs the panel's queued work (clicks, entries) to its end.
    static void settle() {
        for (int pass = 0; pass < 3; ++pass) {
            QCoreApplication::processEvents();
        }
    }

    // Points the panel at a register and reads it, as the register window does.
    void selectRegister(float device, float address, int shape = 0, int mask = 0) {
        panel.dispatchPut(0x68030001, shape);
        panel.dispatchPut(0x68030000, device);
        panel.dispatchPut(0x6803001A, address);
        panel.dispatchPut(0x68030016, mask);
        panel.dispatchPut(0x68030019, true);
        panel.dispatchPut(0x68030018, true);
        tick();
    }

    // Puts `value` in the chip's byte register `address`, reads it into the
    // panel, and clears the journal.
    void readChipRegister(std::uint8_t address, std::uint8_t value) {
        pc().chip().setRegisterValue(address, value);
        selectRegister(0xA8, address);
        journal().clear();
    }

    mirelda::BitDigit& digit(const QString& name) {
        return *panel.findChild<mirelda::BitDigit*>(name);
    }
    void click(const QString& name) {
        QTest::mouseClick(&digit(name), Qt::LeftButton);
        settle();
    }
    quiltane::QVSTXT& box(const QString& name) { return *panel.findChild<quiltane::QVSTXT*>(name); }
    // Types a text into a value box and presses Enter.
    void enter(const QString& boxName, const QString& text) {
        auto* field = box(boxName).findChild<QLineEdit*>(QStringLiteral("TextBox"));
        field->setText(text);
        QTest::keyClick(field, Qt::Key_Return);
        settle();
    }
    QString caption(const QString& name) { return panel.findChild<QLabel*>(name)->text(); }
    // The digits of a frame, most significant first ("bit" or "Bit..LBL").
    QString digits(bool word) {
        QString shown;
        for (int bit = word ? 15 : 7; bit >= 0; --bit) {
            shown +=
                digit(word ? QStringLiteral("Bit%1LBL").arg(bit) : QStringLiteral("bit%1").arg(bit))
                    .text();
        }
        return shown;
    }

    // Runs `action` once, at the first yield that finds `target`'s sequence waiting.
    void atFirstWait(mirelda::QVSRegInfo& target, std::function<void()> action) {
        onYield = [&target, action = std::move(action), done = false](int) mutable {
            if (target.busy() && !std::exchange(done, true)) {
                action();
            }
        };
    }
    // While `target`'s first sequence waits, a caller sets its RWValue to 0x55
    // and its details to "held".
    void callerWritesInFirstWait(mirelda::QVSRegInfo& target) {
        atFirstWait(target, [&target] {
            target.dispatchPut(0x6803001B, 0x55);
            target.dispatchPut(0x68030025, QStringLiteral("held"));
        });
    }

    int yields = 0;
    // Runs at each yield, as whatever the event loop would deliver meanwhile.
    std::function<void(int)> onYield;

private:
    vsq::platform::YieldHook previousHook_;
};
