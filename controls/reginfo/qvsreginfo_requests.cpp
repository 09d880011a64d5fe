// The register panel's side of the request hand-shake: the bit write and the
// value write, each verified by a read-back, the display of a caller's read,
// and automatic reading.

#include "comms/PrinterPort.h"
#include "comms/SMBus.h"
#include "controls/reginfo/bit_digit.h"
#include "controls/reginfo/qvsreginfo.h"
#include "controls/textbox/qvstxt.h"
#include "platform/services.h"

#include <QTimer>
#include <QToolButton>

namespace mirelda {

namespace {

bool busFrameInProgress() {
    return brisendal::PrinterPort::FrameInProgress() || brisendal::SMBus::FrameInProgress();
}

} // namespace

void QVSRegInfo::setFlag(bool flag) {
    if (flag && holdWhileBusy([this] { setFlag(true); })) {
        return;
    }
    flag_ = flag;
    if (flag) {
        flagRaisedAt_ = vsq::platform::secondsNow();
    }
    if (!flag && readAnswer_) {
        *readAnswer_ = true; // the value written last was the read's answer
        readAnswer_.reset();
    }
    if (flag) {
        ResetBitColours();
    } else if (!busy_) {
        showCallersRequest();
    }
    propertyChanged(QStringLiteral("Flag"));
}

bool QVSRegInfo::holdWhileBusy(std::function<void()> action) {
    if (!busy_) {
        return false;
    }
    held_.push_back(std::move(action));
    return true;
}

void QVSRegInfo::showCallersRequest() {
    DisplayValue(rwValue_);
    if (autoRead_) {
        AddGraphSample();
    }
}

QVSRegInfo::Outcome QVSRegInfo::waitForService() {
    const std::shared_ptr<bool> alive = alive_;
    const double deadline = vsq::platform::secondsNow() + kRequestTimeoutSeconds;
    const bool served = vsq::platform::waitUntil(deadline, vsq::platform::YieldMode::Normal,
                                                 [this, &alive] { return !*alive || !flag_; });
    if (!*alive) {
        return Outcome::Gone;
    }
    if (!served) {
        withdrawRequest();
        return Outcome::Abandoned;
    }
    return Outcome::Served;
}

void QVSRegInfo::withdrawRequest() {
    flag_ = false;       // withdrawn: no manager may carry it out later
    readAnswer_.reset(); // no answer came: every value held is a caller's
}

QVSRegInfo::Outcome QVSRegInfo::request(bool read) {
    executeRead_ = read;
    flag_ = true;
    propertyChanged(QStringLiteral("Flag")); // a manager ticking slowly hears of it
    return waitForService();
}

QVSRegInfo::Outcome QVSRegInfo::writeAndReadBack(float value) {
    rwValue_ = value;
    const Outcome written = request(false);
    return written == Outcome::Served ? request(true) : written;
}

QVSRegInfo::Outcome QVSRegInfo::beginSequence() {
    busy_ = true;
    if (!flag_) {
        return Outcome::Served;
    }
    // A caller's request is pending: it is served (and shown) first.
    const Outcome outcome = waitForService();
    if (outcome == Outcome::Served) {
        showCallersRequest();
    }
    return outcome;
}

void QVSRegInfo::endSequence() {
    busy_ = false;
    const std::shared_ptr<bool> alive = alive_;
    while (!busy_ && !held_.empty()) {
        std::function<void()> action = std::move(held_.front());
        held_.pop_front();
        action();
        if (!*alive) {
            return;
        }
    }
}

void QVSRegInfo::digitClicked(int bit, bool wordDigit) {
    // Queued: a panel that goes while the sequence waits is not inside the
    // click handler of one of its own digits.
    QMetaObject::invokeMethod(
        this,
        [this, bit, wordDigit] {
            if (holdWhileBusy([this, bit, wordDigit] { digitClicked(bit, wordDigit); })) {
                return;
            }
            if (beginSequence() == Outcome::Gone) {
                return;
            }
            BitDigit& digit = wordDigit ? this->wordDigit(bit) : byteDigit(bit);
            if (!digit.isEnabled()) { // became read-only meanwhile
                endSequence();
                return;
            }
            if (digit.text() == QStringLiteral("1")) {
                digit.setText(QStringLiteral("0"));
            } else if (wordDigit || digit.text() == QStringLiteral("0")) {
                digit.setText(QStringLiteral("1"));
            }
            if (WriteBitAndVerify(bit)) {
                endSequence();
            }
        },
        Qt::QueuedConnection);
}

bool QVSRegInfo::WriteBitAndVerify(int bit) {
    markDigit(bit, kUnconfirmedColour);
    const float written = BitsToValue();
    const Outcome outcome = writeAndReadBack(written);
    if (outcome == Outcome::Gone) {
        return false;
    }
    if (outcome == Outcome::Served) {
        if (rwValue_ == written) {
            markDigit(bit, kNormalColour);
        }
        DisplayValue(rwValue_);
    }
    return true;
}

void QVSRegInfo::boxUpdated(bool fromHexBox) {
    const double entry = (fromHexBox ? hexBox_ : decBox_)->Value();
    QMetaObject::invokeMethod(
        this, [this, entry, fromHexBox] { enterValue(entry, fromHexBox); }, Qt::QueuedConnection);
}

void QVSRegInfo::enterValue(double entry, bool fromHexBox) {
    if (holdWhileBusy([this, entry, fromHexBox] { enterValue(entry, fromHexBox); })) {
        return;
    }
    if (beginSequence() == Outcome::Gone) {
        return;
    }
    const std::int32_t mask = vsq::controls::toLong(readOnlyBitMask_);
    const auto value =
        static_cast<float>(maskedEntry(entry, mask, rwValue_, isWordShape(communicationsType_)));
    if (!WriteAndVerifyValue(value)) {
        return;
    }
    // The boxes show what was asked for, not what was read back.
    decBox_->setValue(value);
    hexBox_->setValue(value);
    (fromHexBox ? decBox_ : hexBox_)->setClearIndicator(true);
    (fromHexBox ? hexBox_ : decBox_)->setClearIndicator(true);
    endSequence();
}

bool QVSRegInfo::WriteAndVerifyValue(float value) {
    // Every digit of the frame in use is unconfirmed until the read-back.
    for (int bit = 0; bit < (wordFormat_ ? 16 : 8); ++bit) {
        markDigit(bit, kUnconfirmedColour);
    }
    const float written = clampRegisterValue(value);
    const Outcome outcome = writeAndReadBack(written);
    if (outcome == Outcome::Gone) {
        return false;
    }
    if (outcome == Outcome::Served) {
        const std::int32_t sent = wholeValue(written);
        const std::int32_t back = wholeValue(rwValue_);
        for (int bit = 0; bit < (wordFormat_ ? 16 : 8); ++bit) {
            const bool same = ((sent ^ back) >> bit & 1) == 0;
            (wordFormat_ ? wordDigit(bit) : byteDigit(bit))
                .setForeColor(same ? kNormalColour : kUnconfirmedColour);
        }
        rwValue_ = static_cast<float>(back);
        DisplayValue(rwValue_);
        ShowValueCaption(rwValue_);
    }
    return true;
}

void QVSRegInfo::RegisterListTimer_Timer() {
    // Dropped, not queued: while a sequence of the panel's or a caller's
    // request is pending, or a bus frame is under way.
    if (flag_ && !busy_ && vsq::platform::secondsNow() - flagRaisedAt_ >= kRequestTimeoutSeconds) {
        withdrawRequest(); // a caller's request nobody served: auto-read goes on
    }
    if (busy_ || flag_ || busFrameInProgress()) {
        return;
    }
    busy_ = true;
    const Outcome outcome = request(true);
    if (outcome == Outcome::Gone) {
        return;
    }
    if (outcome == Outcome::Served) {
        DisplayValue(rwValue_);
        AddGraphSample();
    }
    endSequence();
}

void QVSRegInfo::PlayOption_Click() {
    if (playOption_->isChecked()) {
        StartAutoRead();
    }
}

void QVSRegInfo::StopOption_Click() {
    if (stopOption_->isChecked()) {
        StopAutoRead();
    }
}

void QVSRegInfo::StartAutoRead() {
    playOption_->setChecked(true);
    playOption_->setEnabled(false);
    stopOption_->setEnabled(true);
    stopOption_->setChecked(false);
    switchAutoReadTimer(true);
}

void QVSRegInfo::StopAutoRead() {
    playOption_->setEnabled(true);
    playOption_->setChecked(false);
    stopOption_->setEnabled(false);
    stopOption_->setChecked(true);
    switchAutoReadTimer(false);
}

// A timer of interval 0 never fires.
void QVSRegInfo::switchAutoReadTimer(bool on) {
    autoReadOn_ = on;
    if (on && autoReadInterval_ > 0) {
        autoReadTimer_->start(autoReadInterval_);
    } else {
        autoReadTimer_->stop();
    }
}

} // namespace mirelda
