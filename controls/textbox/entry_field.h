#pragma once
// The entry field of the numeric text box (its constituent "TextBox"): a
// single-line text box with the settings a host may forward to it, as codes
// and colours (0x00BBGGRR or system colours). Invalid settings fail with
// Invalid property value (380). The entry text lives only here.

#include <QLineEdit>
#include <QPalette>

#include <cstdint>

namespace quiltane {

class EntryField : public QLineEdit {
    Q_OBJECT
public:
    explicit EntryField(QWidget* parent = nullptr);

    // 0 left, 1 right, 2 centre.
    std::int16_t alignmentCode() const { return alignment_; }
    void setAlignmentCode(std::int16_t code);
    // 0 flat, 1 three-dimensional.
    std::int16_t appearanceCode() const { return appearance_; }
    void setAppearanceCode(std::int16_t code);
    // 0 none, 1 fixed single.
    std::int16_t borderStyleCode() const { return borderStyle_; }
    void setBorderStyleCode(std::int16_t code);
    std::uint32_t backColor() const { return backColor_; }
    void setBackColor(std::uint32_t color);
    std::uint32_t foreColor() const { return foreColor_; }
    void setForeColor(std::uint32_t color);
    // 0 for no limit.
    std::int32_t maxLengthLimit() const { return maxLength_; }
    void setMaxLengthLimit(std::int32_t length);
    // Empty, or the one character shown in place of each typed one.
    QString passwordChar() const { return passwordChar_; }
    void setPasswordChar(const QString& character);
    // 0 default, 1 arrow, 2 cross, 3 I-beam, 4 icon, 5 size, 6 to 9 sizing
    // arrows, 10 up arrow, 11 hourglass, 12 no drop, 13 arrow and hourglass,
    // 14 arrow and question mark, 15 size all, 99 custom.
    std::int16_t mousePointerCode() const { return mousePointer_; }
    void setMousePointerCode(std::int16_t code);

    // Types one character as its key would (replacing a selection, within the
    // length limit, not when locked); 8 is Backspace.
    void typeCharacter(int code);

private:
    void applyStyle();
    void setColor(QPalette::ColorRole role, std::uint32_t color, std::uint32_t& field);

    std::int16_t alignment_ = 1;
    std::int16_t appearance_ = 1;
    std::int16_t borderStyle_ = 1;
    std::uint32_t backColor_;
    std::uint32_t foreColor_;
    std::int32_t maxLength_ = 0;
    QString passwordChar_;
    std::int16_t mousePointer_ = 0;
};

} // namespace quiltane
