#include "controls/textbox/entry_field.h"

#include "controls/common/basic_error.h"
#include "controls/common/ole_color.h"

#include <QKeyEvent>

namespace quiltane {

using vsq::controls::BasicError;
using vsq::controls::ErrorNumber;

namespace {

[[noreturn]] void invalidValue() {
    throw BasicError(ErrorNumber::InvalidPropertyValue);
}

constexpr int kLineEditLongest = 32767;

} // namespace

EntryField::EntryField(QWidget* parent)
    : QLineEdit(parent), backColor_(vsq::controls::kSystemWindowBackground),
      foreColor_(vsq::controls::kSystemWindowText) {
    setObjectName(QStringLiteral("TextBox"));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setMouseTracking(true);
}

void EntryField::setAlignmentCode(std::int16_t code) {
    static constexpr Qt::Alignment kAlignments[] = {Qt::AlignLeft, Qt::AlignRight,
                                                    Qt::AlignHCenter};
    if (code < 0 || code > 2) {
        invalidValue();
    }
    alignment_ = code;
    setAlignment(kAlignments[code] | Qt::AlignVCenter);
}

void EntryField::setAppearanceCode(std::int16_t code) {
    if (code < 0 || code > 1) {
        invalidValue();
    }
    appearance_ = code;
    applyStyle();
}

void EntryField::setBorderStyleCode(std::int16_t code) {
    if (code < 0 || code > 1) {
        invalidValue();
    }
    borderStyle_ = code;
    setFrame(code == 1);
    applyStyle();
}

void EntryField::setBackColor(std::uint32_t color) {
    setColor(QPalette::Base, color, backColor_);
}

void EntryField::setForeColor(std::uint32_t color) {
    setColor(QPalette::Text, color, foreColor_);
}

void EntryField::setColor(QPalette::ColorRole role, std::uint32_t color, std::uint32_t& field) {
    const QColor resolved = vsq::controls::colorFromOle(color);
    field = color;
    QPalette shades = palette();
    shades.setColor(role, resolved);
    setPalette(shades);
}

void EntryField::setMaxLengthLimit(std::int32_t length) {
    if (length < 0) {
        invalidValue();
    }
    maxLength_ = length;
    setMaxLength(length == 0 || length > kLineEditLongest ? kLineEditLongest : length);
}

void EntryField::setPasswordChar(const QString& character) {
    if (character.size() > 1) {
        invalidValue();
    }
    passwordChar_ = character;
    setEchoMode(character.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
    applyStyle();
}

void EntryField::setMousePointerCode(std::int16_t code) {
    static constexpr Qt::CursorShape kShapes[] = {
        Qt::IBeamCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor,
    };
    if (code == 0 || code == 99) {
        unsetCursor();
    } else if (code > 0 && code < static_cast<std::int16_t>(std::size(kShapes))) {
        setCursor(kShapes[code]);
    } else {
        invalidValue();
    }
    mousePointer_ = code;
}

void EntryField::typeCharacter(int code) {
    if (code == 8) {
        QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier,
                            QStringLiteral("\b"));
        QLineEdit::keyPressEvent(&backspace);
        return;
    }
    QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                    QString(QChar(static_cast<char16_t>(code))));
    QLineEdit::keyPressEvent(&typed);
}

void EntryField::applyStyle() {
    QString style;
    if (borderStyle_ == 1 && appearance_ == 0) {
        style += QStringLiteral("border: 1px solid palette(shadow);");
    }
    if (!passwordChar_.isEmpty()) {
        style += QStringLiteral("lineedit-password-character: %1;").arg(passwordChar_[0].unicode());
    }
    setStyleSheet(style.isEmpty() ? QString() : QStringLiteral("QLineEdit { %1 }").arg(style));
}

} // namespace quiltane
