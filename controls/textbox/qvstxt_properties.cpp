// The numeric text box's member table and property bag.

#include "controls/common/ole_color.h"
#include "controls/textbox/entry_field.h"
#include "controls/textbox/qvstxt.h"

namespace quiltane {

using vsq::controls::methodMember;
using vsq::controls::PropertyBag;
using vsq::controls::propertyMember;
using vsq::controls::readOnlyPropertyMember;

namespace {

// The standard dispatch number of a control's font.
constexpr vsq::controls::DispatchId kFontDispatchId = -512;

const QString kText1 = QStringLiteral("Text1");

} // namespace

const vsq::controls::MemberTable& QVSTXT::memberTable() const {
    static const vsq::controls::MemberTable table{
        propertyMember("Alignment", 0x68030011, &QVSTXT::Alignment, &QVSTXT::setAlignment),
        propertyMember("Appearance", 0x68030010, &QVSTXT::Appearance, &QVSTXT::setAppearance),
        propertyMember("BackColor", 0x6803000F, &QVSTXT::BackColor, &QVSTXT::setBackColor),
        propertyMember("BorderStyle", 0x6803000E, &QVSTXT::BorderStyle, &QVSTXT::setBorderStyle),
        propertyMember("Enabled", 0x6803000D, &QVSTXT::Enabled, &QVSTXT::setEnabled),
        propertyMember("Font", kFontDispatchId, &QVSTXT::Font, &QVSTXT::setFont),
        propertyMember("ForeColor", 0x6803000C, &QVSTXT::ForeColor, &QVSTXT::setForeColor),
        propertyMember("MaxLength", 0x6803000B, &QVSTXT::MaxLength, &QVSTXT::setMaxLength),
        propertyMember("Locked", 0x6803000A, &QVSTXT::Locked, &QVSTXT::setLocked),
        propertyMember("PasswordChar", 0x68030009, &QVSTXT::PasswordChar, &QVSTXT::setPasswordChar),
        readOnlyPropertyMember("ScrollBars", 0x68030008, &QVSTXT::ScrollBars),
        propertyMember("ToolTipText", 0x68030007, &QVSTXT::ToolTipText, &QVSTXT::setToolTipText),
        propertyMember("NumberBase", 0x68030006, &QVSTXT::NumberBase, &QVSTXT::setNumberBase),
        propertyMember("Text", 0x68030005, &QVSTXT::Text, &QVSTXT::setText),
        propertyMember("Value", 0x68030004, &QVSTXT::Value, &QVSTXT::setValue),
        propertyMember("MousePointer", 0x68030003, &QVSTXT::MousePointer, &QVSTXT::setMousePointer),
        propertyMember("DisplayUpdateIndicator", 0x68030002, &QVSTXT::DisplayUpdateIndicator,
                       &QVSTXT::setDisplayUpdateIndicator),
        methodMember("Error", 0x6003002B, &QVSTXT::Error),
        propertyMember("MaxNibbles", 0x68030001, &QVSTXT::MaxNibbles, &QVSTXT::setMaxNibbles),
        propertyMember("ClearIndicator", 0x68030000, &QVSTXT::ClearIndicator,
                       &QVSTXT::setClearIndicator),
    };
    return table;
}

void QVSTXT::initProperties() {
    numberBase_ = AnyCharacter0;
    textBox_->setText(nameOnHost());
    displayUpdateIndicator_ = false;
    maxNibbles_ = 2;
    arrangeLayout();
}

// Loading assigns each value as stored: no filter, no base conversion, no
// clamping of the limit, no event. The layout follows at once, as a host's
// resize after loading would run it (a Qt host that is already shown sends none).
void QVSTXT::readProperties(const PropertyBag& bag) {
    textBox_->setAlignmentCode(bag.read<std::int16_t>("Alignment", 1));
    textBox_->setAppearanceCode(bag.read<std::int16_t>("Appearance", 1));
    textBox_->setBackColor(static_cast<std::uint32_t>(bag.read<std::int32_t>(
        "BackColor", static_cast<std::int32_t>(vsq::controls::kSystemWindowBackground))));
    textBox_->setBorderStyleCode(bag.read<std::int16_t>("BorderStyle", 1));
    textBox_->setEnabled(bag.read<bool>("Enabled", true));
    textBox_->setFont(bag.read<QFont>("Font", ambientFont()));
    textBox_->setForeColor(static_cast<std::uint32_t>(bag.read<std::int32_t>(
        "ForeColor", static_cast<std::int32_t>(vsq::controls::kSystemWindowText))));
    textBox_->setMaxLengthLimit(bag.read<std::int32_t>("MaxLength", 0));
    textBox_->setReadOnly(bag.read<bool>("Locked", false));
    textBox_->setPasswordChar(bag.read<QString>("PasswordChar", ""));
    textBox_->setToolTip(bag.read<QString>("ToolTipText", ""));
    numberBase_ = bag.read<tNumberBase>("NumberBase", AnyCharacter0);
    textBox_->setText(bag.read<QString>("Text", kText1));
    textBox_->setMousePointerCode(bag.read<std::int16_t>("MousePointer", 0));
    displayUpdateIndicator_ = bag.read<bool>("DisplayUpdateIndicator", false);
    setIndicatorBitmap(bag.read<QImage>("IndicatorBitmap", QImage()));
    // "MaxNibbles" is kept twice; the last entry holds.
    maxNibbles_ = bag.read<std::uint8_t>("MaxNibbles", 2);
    arrangeLayout();
}

void QVSTXT::writeProperties(PropertyBag& bag) {
    const QVariant placeholder;
    bag.write<std::int16_t>("Alignment", textBox_->alignmentCode(), 1);
    bag.write<std::int16_t>("Appearance", textBox_->appearanceCode(), 1);
    bag.write<std::int32_t>("BackColor", static_cast<std::int32_t>(textBox_->backColor()),
                            static_cast<std::int32_t>(vsq::controls::kSystemWindowBackground));
    bag.write<std::int16_t>("BorderStyle", textBox_->borderStyleCode(), 1);
    bag.write("DataFormat", placeholder, placeholder);
    bag.write<bool>("Enabled", textBox_->isEnabled(), true);
    bag.write<QFont>("Font", textBox_->font(), ambientFont());
    bag.write<std::int32_t>("ForeColor", static_cast<std::int32_t>(textBox_->foreColor()),
                            static_cast<std::int32_t>(vsq::controls::kSystemWindowText));
    bag.write<std::int32_t>("MaxLength", textBox_->maxLengthLimit(), 0);
    bag.write<bool>("Locked", textBox_->isReadOnly(), false);
    bag.write<QString>("PasswordChar", textBox_->passwordChar(), "");
    bag.write<QString>("ToolTipText", textBox_->toolTip(), "");
    bag.write<tNumberBase>("NumberBase", numberBase_, AnyCharacter0);
    bag.write("DataFormat", placeholder, placeholder);
    bag.write<QString>("Text", textBox_->text(), kText1);
    bag.write("Value", placeholder, QVariant(0));
    bag.write("Error", placeholder, placeholder);
    bag.write<std::int16_t>("MousePointer", textBox_->mousePointerCode(), 0);
    bag.write<bool>("DisplayUpdateIndicator", displayUpdateIndicator_, false);
    bag.write<std::uint8_t>("MaxNibbles", maxNibbles_, 2);
    bag.write<QImage>("IndicatorBitmap", indicatorBitmap_, QImage());
    bag.write<std::uint8_t>("MaxNibbles", maxNibbles_, 2);
}

} // namespace quiltane
