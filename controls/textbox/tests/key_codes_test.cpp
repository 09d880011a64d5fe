#include "controls/textbox/key_codes.h"

#include <QKeyEvent>
#include <gtest/gtest.h>

using namespace quiltane;

namespace {

QKeyEvent press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                const QString& text = {}) {
    return QKeyEvent(QEvent::KeyPress, key, modifiers, text);
}

} // namespace

TEST(KeyCodes, PhysicalKeysAndShiftState) {
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        int code;
    } cases[] = {
        {Qt::Key_A, Qt::NoModifier, 65},          {Qt::Key_7, Qt::NoModifier, 55},
        {Qt::Key_7, Qt::KeypadModifier, 103},     {Qt::Key_Return, Qt::NoModifier, 13},
        {Qt::Key_Enter, Qt::KeypadModifier, 13},  {Qt::Key_Backspace, Qt::NoModifier, 8},
        {Qt::Key_Left, Qt::NoModifier, 37},       {Qt::Key_Delete, Qt::NoModifier, 46},
        {Qt::Key_F1, Qt::NoModifier, 112},        {Qt::Key_Shift, Qt::ShiftModifier, 16},
        {Qt::Key_Exclam, Qt::ShiftModifier, 49},  {Qt::Key_ParenRight, Qt::ShiftModifier, 48},
        {Qt::Key_Minus, Qt::KeypadModifier, 109}, {Qt::Key_Semicolon, Qt::NoModifier, 186},
        {Qt::Key_unknown, Qt::NoModifier, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keyCodeOf(press(c.key, c.modifiers)), c.code) << c.key;
    }
    EXPECT_EQ(shiftStateOf(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(shiftStateOf(Qt::ControlModifier | Qt::KeypadModifier), 2);
    EXPECT_EQ(mouseButtonsOf(Qt::LeftButton | Qt::MiddleButton), 5);
}

TEST(KeyCodes, CharacterCodesOfTypingKeys) {
    EXPECT_EQ(characterCodeOf(press(Qt::Key_A, Qt::NoModifier, "a")), 'a');
    EXPECT_EQ(characterCodeOf(press(Qt::Key_A, Qt::ShiftModifier, "A")), 'A');
    EXPECT_EQ(characterCodeOf(press(Qt::Key_Return, Qt::NoModifier, "\r")), 13);
    EXPECT_EQ(characterCodeOf(press(Qt::Key_Backspace, Qt::NoModifier, "\b")), 8);
    EXPECT_EQ(characterCodeOf(press(Qt::Key_Escape)), 27);
    EXPECT_EQ(characterCodeOf(press(Qt::Key_V, Qt::ControlModifier, "\x16")), 22);
    EXPECT_EQ(characterCodeOf(press(Qt::Key_unknown, Qt::NoModifier, "\u00e9")), 0xE9);
    EXPECT_FALSE(characterCodeOf(press(Qt::Key_Delete, Qt::NoModifier, "\x7f")));
    EXPECT_FALSE(characterCodeOf(press(Qt::Key_Left)));
    EXPECT_FALSE(characterCodeOf(press(Qt::Key_Tab, Qt::NoModifier, "\t")));
    EXPECT_FALSE(characterCodeOf(press(Qt::Key_F, Qt::AltModifier, "f")));
    EXPECT_FALSE(characterCodeOf(press(Qt::Key_1, Qt::ControlModifier, "1")));
}
