#include "controls/textbox/qvstxt.h"

#include "controls/common/basic_error.h"
#include "controls/common/ole_color.h"
#include "controls/common/twips.h"
#include "controls/textbox/entry_field.h"

#include <QPushButton>

#include <algorithm>
#include <utility>

namespace quiltane {

using vsq::controls::BasicError;
using vsq::controls::pixelsFromTwips;
using vsq::controls::twipsFromPixels;

QVSTXT::QVSTXT(QWidget* parent)
    : QWidget(parent), textBox_(new EntryField(this)), indicator_(new QPushButton(this)) {
    textBox_->setText(QStringLiteral("Text1"));
    QFont design(QStringLiteral("Arial"));
    design.setPointSizeF(8.25);
    textBox_->setFont(design);
    textBox_->installEventFilter(this);
    setFocusProxy(textBox_);

    indicator_->setObjectName(QStringLiteral("Indicator"));
    indicator_->setFlat(true);
    indicator_->setAutoFillBackground(true);
    setIndicatorColor(kIndicatorGreen);
    connect(indicator_, &QPushButton::clicked, this, [this] { commit(); });
    arrangeLayout();
}

QVSTXT::~QVSTXT() = default;

std::int16_t QVSTXT::Alignment() const {
    return textBox_->alignmentCode();
}
void QVSTXT::setAlignment(std::int16_t alignment) {
    textBox_->setAlignmentCode(alignment);
    propertyChanged(QStringLiteral("Alignment"));
}

std::int16_t QVSTXT::Appearance() const {
    return textBox_->appearanceCode();
}
void QVSTXT::setAppearance(std::int16_t appearance) {
    textBox_->setAppearanceCode(appearance);
    propertyChanged(QStringLiteral("Appearance"));
}

std::uint32_t QVSTXT::BackColor() const {
    return textBox_->backColor();
}
void QVSTXT::setBackColor(std::uint32_t color) {
    textBox_->setBackColor(color);
    propertyChanged(QStringLiteral("BackColor"));
}

std::int16_t QVSTXT::BorderStyle() const {
    return textBox_->borderStyleCode();
}
void QVSTXT::setBorderStyle(std::int16_t style) {
    textBox_->setBorderStyleCode(style);
    propertyChanged(QStringLiteral("BorderStyle"));
}

bool QVSTXT::Enabled() const {
    return textBox_->isEnabled();
}
void QVSTXT::setEnabled(bool enabled) {
    textBox_->setEnabled(enabled);
    propertyChanged(QStringLiteral("Enabled"));
}

QFont QVSTXT::Font() const {
    return textBox_->font();
}
void QVSTXT::setFont(const QFont& font) {
    textBox_->setFont(font);
    propertyChanged(QStringLiteral("Font"));
}

std::uint32_t QVSTXT::ForeColor() const {
    return textBox_->foreColor();
}
void QVSTXT::setForeColor(std::uint32_t color) {
    textBox_->setForeColor(color);
    propertyChanged(QStringLiteral("ForeColor"));
}

std::int32_t QVSTXT::MaxLength() const {
    return textBox_->maxLengthLimit();
}
void QVSTXT::setMaxLength(std::int32_t length) {
    textBox_->setMaxLengthLimit(length);
    propertyChanged(QStringLiteral("MaxLength"));
}

bool QVSTXT::Locked() const {
    return textBox_->isReadOnly();
}
void QVSTXT::setLocked(bool locked) {
    textBox_->setReadOnly(locked);
    propertyChanged(QStringLiteral("Locked"));
}

QString QVSTXT::PasswordChar() const {
    return textBox_->passwordChar();
}
void QVSTXT::setPasswordChar(const QString& character) {
    textBox_->setPasswordChar(character);
    propertyChanged(QStringLiteral("PasswordChar"));
}

QString QVSTXT::ToolTipText() const {
    return textBox_->toolTip();
}
void QVSTXT::setToolTipText(const QString& text) {
    textBox_->setToolTip(text);
    propertyChanged(QStringLiteral("ToolTipText"));
}

void QVSTXT::setNumberBase(tNumberBase base) {
    entry_.changeBase(numberBase_, base);
    numberBase_ = base;
    propertyChanged(QStringLiteral("NumberBase"));
    setEntryText(entry_.FilterText(entryText()));
}

QString QVSTXT::Text() const {
    return textBox_->text();
}
void QVSTXT::setText(const QString& text) {
    try {
        setEntryText(entry_.FilterText(text.toStdU16String()));
        propertyChanged(QStringLiteral("Text"));
        releaseKey(0, 0, NumberEntry::OverLongText::Fail);
    } catch (const BasicError& error) {
        setEntryText(entry_.FilterText(u""));
        report(error.number(),
               QStringLiteral("LetTxt: ") + QString::fromStdString(error.description()));
    }
}

double QVSTXT::Value() {
    return entry_.readValue();
}
void QVSTXT::setValue(double value) {
    if (entry_.writeValue(value)) {
        propertyChanged(QStringLiteral("Value"));
    }
}

std::int16_t QVSTXT::MousePointer() const {
    return textBox_->mousePointerCode();
}
void QVSTXT::setMousePointer(std::int16_t pointer) {
    textBox_->setMousePointerCode(pointer);
    propertyChanged(QStringLiteral("MousePointer"));
}

void QVSTXT::setDisplayUpdateIndicator(bool display) {
    displayUpdateIndicator_ = display;
    propertyChanged(QStringLiteral("DisplayUpdateIndicator"));
    arrangeLayout();
}

bool QVSTXT::Error() {
    return std::exchange(errorFlag_, false);
}

void QVSTXT::setMaxNibbles(std::uint8_t nibbles) {
    try {
        maxNibbles_ = std::min<std::uint8_t>(nibbles, kMaxNibbles);
        releaseKey(0, 0);
        propertyChanged(QStringLiteral("MaxNibbles"));
    } catch (const BasicError& error) {
        maxNibbles_ = kMaxNibbles;
        report(error.number(),
               QStringLiteral("LetMaxNibbles: ") + QString::fromStdString(error.description()));
    }
}

void QVSTXT::setClearIndicator(bool clear) {
    if (clear) {
        setIndicatorColor(kIndicatorGreen);
    }
    propertyChanged(QStringLiteral("ClearIndicator"));
}

std::u16string QVSTXT::entryText() const {
    return textBox_->text().toStdU16String();
}

void QVSTXT::setEntryText(const std::u16string& text) {
    textBox_->setText(QString::fromStdU16String(text));
}

void QVSTXT::commit() {
    emit Update(textBox_->text());
    setIndicatorColor(kIndicatorGreen);
}

void QVSTXT::reportError(int number, const std::u16string& description) {
    report(number, QString::fromStdU16String(description));
}

void QVSTXT::report(int number, const QString& description) {
    emit ErrorOccured(static_cast<qint16>(number), description);
    errorFlag_ = true;
}

void QVSTXT::setIndicatorColor(std::uint32_t color) {
    indicatorColor_ = color;
    QPalette shades = indicator_->palette();
    shades.setColor(QPalette::Button, vsq::controls::colorFromOle(color));
    indicator_->setPalette(shades);
}

void QVSTXT::setIndicatorBitmap(const QImage& picture) {
    indicatorBitmap_ = picture;
    QPalette shades = palette();
    shades.setBrush(QPalette::Window, picture.isNull() ? QBrush() : QBrush(picture));
    setPalette(shades);
    setAutoFillBackground(!picture.isNull());
}

void QVSTXT::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrangeLayout();
}

void QVSTXT::arrangeLayout() {
    const double width = twipsFromPixels(this->width());
    const double height = twipsFromPixels(this->height());
    const auto place = [](QWidget* widget, double left, double top, double w, double h) {
        widget->setGeometry(pixelsFromTwips(left), pixelsFromTwips(top),
                            pixelsFromTwips(std::max(w, 0.0)), pixelsFromTwips(std::max(h, 0.0)));
    };
    if (displayUpdateIndicator_) {
        const double boxWidth = std::max(width - kIndicatorTwips, 0.0);
        place(textBox_, 0, 0, boxWidth, height);
        place(indicator_, boxWidth, 0, kIndicatorTwips, height);
    } else {
        place(textBox_, 0, 0, width, height);
        place(indicator_, -200, -200, 0, 0);
    }
}

} // namespace quiltane
