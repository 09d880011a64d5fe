// The key and mouse events of the numeric text box's entry field.

#include "controls/common/basic_error.h"
#include "controls/common/twips.h"
#include "controls/textbox/entry_field.h"
#include "controls/textbox/key_codes.h"
#include "controls/textbox/qvstxt.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <utility>

namespace quiltane {

using vsq::controls::BasicError;
using vsq::controls::twipsFromPixels;

namespace {

constexpr int kLastSingleByteCode = 255;

// A mouse position in twips.
std::pair<float, float> twipsAt(const QMouseEvent& event) {
    return {static_cast<float>(twipsFromPixels(event.position().x())),
            static_cast<float>(twipsFromPixels(event.position().y()))};
}

} // namespace

bool QVSTXT::eventFilter(QObject* watched, QEvent* event) {
    if (watched != textBox_) {
        return QWidget::eventFilter(watched, event);
    }
    // The events come from the event loop: a failure is reported here, never
    // passed on.
    try {
        switch (event->type()) {
        case QEvent::KeyPress:
            return keyPressed(static_cast<const QKeyEvent&>(*event));
        case QEvent::KeyRelease:
            keyReleased(static_cast<const QKeyEvent&>(*event));
            break;
        case QEvent::MouseButtonRelease:
            mouseReleased(static_cast<const QMouseEvent&>(*event));
            break;
        case QEvent::MouseMove:
            mouseMoved(static_cast<const QMouseEvent&>(*event));
            break;
        default:
            break;
        }
    } catch (const BasicError& error) {
        report(error.number(), QString::fromStdString(error.description()));
        return event->type() == QEvent::KeyPress;
    }
    return false;
}

bool QVSTXT::keyPressed(const QKeyEvent& event) {
    qint16 keyCode = keyCodeOf(event);
    qint16 shift = shiftStateOf(event.modifiers());
    emit KeyDown(keyCode, shift);
    const auto typed = characterCodeOf(event);
    if (!typed) {
        return false;
    }
    setIndicatorColor(kIndicatorRed);
    if (*typed > kLastSingleByteCode) {
        // Beyond the single-byte characters: free text takes it, no base does.
        return numberBase_ != AnyCharacter0;
    }
    qint16 keyAscii = static_cast<qint16>(*typed);
    emit KeyPress(keyAscii);
    const int accepted = entry_.FilterKey(static_cast<std::uint8_t>(keyAscii));
    if (accepted == 0) {
        return true;
    }
    if (accepted == *typed) {
        return false; // the entry field takes the key as it came
    }
    if (accepted == kBackspaceCode || (accepted >= 32 && accepted != kDeleteCode)) {
        textBox_->typeCharacter(accepted);
    }
    return true;
}

void QVSTXT::keyReleased(const QKeyEvent& event) {
    if (event.isAutoRepeat()) {
        return;
    }
    releaseKey(keyCodeOf(event), shiftStateOf(event.modifiers()));
}

void QVSTXT::releaseKey(qint16 keyCode, qint16 shift, NumberEntry::OverLongText overLong) {
    emit KeyUp(keyCode, shift);
    entry_.checkLimit(overLong);
}

void QVSTXT::mouseReleased(const QMouseEvent& event) {
    qint16 button = mouseButtonsOf(event.button());
    qint16 shift = shiftStateOf(event.modifiers());
    auto [x, y] = twipsAt(event);
    emit MouseUp(button, shift, x, y);
    if (event.button() == Qt::LeftButton && textBox_->rect().contains(event.position().toPoint())) {
        emit Click();
    }
}

void QVSTXT::mouseMoved(const QMouseEvent& event) {
    qint16 buttons = mouseButtonsOf(event.buttons());
    qint16 shift = shiftStateOf(event.modifiers());
    auto [x, y] = twipsAt(event);
    emit MouseMove(buttons, shift, x, y);
}

} // namespace quiltane
