#include "controls/reginfo/qvsreginfo.h"

#include "controls/common/twips.h"
#include "controls/reginfo/bit_digit.h"
#include "controls/reginfo/bit_lines.h"
#include "controls/reginfo/side_strip.h"
#include "controls/textbox/qvstxt.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace mirelda {

using quiltane::QVSTXT;
using vsq::controls::pixelsFromTwips;

namespace {

// Late-bound members of the value boxes.
constexpr vsq::controls::DispatchId kBoxMaxNibbles = 0x68030001;
constexpr vsq::controls::DispatchId kBoxText = 0x68030005;

const QString kDesignBitName = QStringLiteral("Bit 4");

void place(QWidget& widget, int left, int top, int width, int height) {
    widget.setGeometry(pixelsFromTwips(QRect(left, top, width, height)));
}

QLabel* label(const QString& name, const QString& caption, QWidget* parent) {
    auto* made = new QLabel(caption, parent);
    made->setObjectName(name);
    return made;
}

QFrame* frame(const QString& name, QWidget* parent) {
    auto* made = new QFrame(parent);
    made->setObjectName(name);
    return made;
}

QFont digitFont(double points) {
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPointSizeF(points);
    return font;
}

QFont nameFont(double points) {
    QFont font(QStringLiteral("Terminal"));
    font.setStyleHint(QFont::Monospace);
    font.setBold(true);
    font.setPointSizeF(points);
    return font;
}

// Digit cells and the rows of names under them, in twips.
constexpr int kByteDigitWidth = 300;
constexpr int kByteDigitsLeft = 307;
constexpr double kPanelFontPoints = 8;
constexpr int kNameColumnWidth = 1380;
constexpr int kWordDigitWidth = 165;
constexpr int kWordDigitsLeft = 120;
constexpr int kWordByteGap = 90;
// Room left beside each word name column for its lines.
constexpr int kWordNameGap = 60;

} // namespace

QVSRegInfo::QVSRegInfo(QWidget* parent) : QWidget(parent) {
    // The small face the twip layout is drawn for.
    QFont small(QStringLiteral("Arial"));
    small.setPointSizeF(kPanelFontPoints);
    setFont(small);
    buildBitFrames();
    buildValueArea();
    buildDetailsArea();
    const SideStrip strip = makeSideStrip(this);
    chartWidget_ = strip.widget;
    chartWidget_->setObjectName(QStringLiteral("SideStrip"));
    chart_ = strip.calls;
    autoReadTimer_ = new QTimer(this);
    autoReadTimer_->setObjectName(QStringLiteral("RegisterListTimer"));
    connect(autoReadTimer_, &QTimer::timeout, this, [this] {
        // Queued, so a panel that goes while the tick waits is not inside
        // its own timer's handler.
        QMetaObject::invokeMethod(
            this, [this] { RegisterListTimer_Timer(); }, Qt::QueuedConnection);
    });
    ArrangeLayout();
}

void QVSRegInfo::paintEvent(QPaintEvent* /*event*/) {
    const bool word = wordFrame_->isVisible();
    std::vector<QRectF> digits;
    std::vector<QRectF> names;
    std::vector<bool> exitRight;
    const auto add = [&](QWidget* digit, QLabel* name) {
        digits.emplace_back(digit->parentWidget()->mapTo(this, digit->geometry().topLeft()),
                            QSizeF(digit->size()));
        names.emplace_back(name->parentWidget()->mapTo(this, name->geometry().topLeft()),
                           QSizeF(name->size()));
        // A byte name leaves beside its text, towards the gap between the two
        // columns; a word name on the side that faces its digit.
        exitRight.push_back(word ? digits.back().center().x() > names.back().center().x()
                                 : bool(name->alignment() & Qt::AlignRight));
    };
    for (std::size_t bit = 0; bit < (word ? 16u : 8u); ++bit) {
        if (word) {
            add(wordDigits_[bit], bitDescriptions_[bit]);
        } else {
            add(byteDigits_[bit], bitNames_[bit]);
        }
    }
    QPainter painter(this);
    painter.setPen(QPen(QColor(0x90, 0x90, 0x90), 0));
    for (const QPolygonF& line : bitLines(digits, names, exitRight, word ? 1.0 : 3.0)) {
        painter.drawPolyline(line.translated(0.5, 0.5));
    }
}

QVSRegInfo::~QVSRegInfo() {
    *alive_ = false;
}

void QVSRegInfo::buildBitFrames() {
    byteFrame_ = frame(QStringLiteral("BitTxtframe"), this);
    place(*byteFrame_, 0, 0, 3015, 1800);
    auto* digitFrame = frame(QStringLiteral("bitdigitframe"), byteFrame_);
    place(*digitFrame, kByteDigitsLeft, 60, 8 * kByteDigitWidth, 480);
    for (int bit = 0; bit < 8; ++bit) {
        auto* digit = new BitDigit(QStringLiteral("bit%1").arg(bit), bit, digitFrame);
        digit->setFont(digitFont(21.75));
        place(*digit, (7 - bit) * kByteDigitWidth, 0, kByteDigitWidth, 480);
        connect(digit, &BitDigit::clicked, this, [this](int k) { digitClicked(k, false); });
        byteDigits_[bit] = digit;
        // Names of bits 7..4 right-aligned in a column left of the middle, 3..0
        // left-aligned right of it, each column from its high bit down.
        auto* name = label(QStringLiteral("bitname(%1)").arg(bit),
                           QStringLiteral("Bit %1").arg(bit), byteFrame_);
        name->setFont(nameFont(7));
        const int row = bit >= 4 ? 7 - bit : 3 - bit;
        const int top = 600 + row * 285;
        if (bit >= 4) {
            name->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            place(*name, 0, top, kNameColumnWidth, 240);
        } else {
            name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            place(*name, 3015 - kNameColumnWidth, top, kNameColumnWidth, 240);
        }
        bitNames_[bit] = name;
    }

    wordFrame_ = frame(QStringLiteral("F16BitFrame"), this);
    place(*wordFrame_, 0, 0, 3015, 1800);
    auto* msb = label(QStringLiteral("Label15"), QStringLiteral("MSB"), wordFrame_);
    auto* lsb = label(QStringLiteral("Label16"), QStringLiteral("LSB"), wordFrame_);
    auto* dashes = label(QStringLiteral("Label17"), QString(18, QLatin1Char('-')), wordFrame_);
    for (QLabel* legend : {msb, lsb, dashes}) {
        legend->setFont(nameFont(7));
    }
    dashes->setAlignment(Qt::AlignCenter);
    lsb->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(*msb, kWordDigitsLeft, 30, 600, 210);
    place(*dashes, 900, 30, 1215, 210);
    place(*lsb, 2280, 30, 600, 210);
    auto* highFrame = frame(QStringLiteral("Frame3"), wordFrame_);
    auto* lowFrame = frame(QStringLiteral("Frame2"), wordFrame_);
    place(*highFrame, kWordDigitsLeft, 240, 8 * kWordDigitWidth, 420);
    place(*lowFrame, kWordDigitsLeft + 8 * kWordDigitWidth + kWordByteGap, 240, 8 * kWordDigitWidth,
          420);
    for (int bit = 0; bit < 16; ++bit) {
        QWidget* byte = bit >= 8 ? highFrame : lowFrame;
        auto* digit = new BitDigit(QStringLiteral("Bit%1LBL").arg(bit), bit, byte);
        digit->setFont(digitFont(14));
        place(*digit, (7 - bit % 8) * kWordDigitWidth, 0, kWordDigitWidth, 420);
        connect(digit, &BitDigit::clicked, this, [this](int k) { digitClicked(k, true); });
        wordDigits_[bit] = digit;
        // Four columns, one a nibble, most significant on the left.
        auto* name =
            label(QStringLiteral("BitDescription(%1)").arg(bit), kDesignBitName, wordFrame_);
        name->setFont(nameFont(6));
        const int column = 3 - bit / 4;
        const int row = 3 - bit % 4;
        place(*name, 60 + column * 735, 720 + row * 255, 735 - kWordNameGap, 240);
        bitDescriptions_[bit] = name;
    }
    // Two more names of the word frame carry no bit.
    for (int extra : {9, 10}) {
        label(QStringLiteral("bitname(%1)").arg(extra), kDesignBitName, wordFrame_)->hide();
    }
    ResetBitColours();
}

void QVSRegInfo::buildValueArea() {
    valueFrame_ = frame(QStringLiteral("Frame4"), this);
    place(*valueFrame_, 3120, 0, 4215, 1080);
    auto* decLegend = label(QStringLiteral("Label12"), QStringLiteral("Dec:"), valueFrame_);
    auto* hexLegend = label(QStringLiteral("Label13"), QStringLiteral("Hex:"), valueFrame_);
    place(*decLegend, 60, 90, 420, 255);
    place(*hexLegend, 2040, 90, 420, 255);
    decBox_ = new QVSTXT(valueFrame_);
    hexBox_ = new QVSTXT(valueFrame_);
    decBox_->setObjectName(QStringLiteral("DecValueTXT"));
    hexBox_->setObjectName(QStringLiteral("HexValueTXT"));
    for (auto [box, base] : {std::pair{decBox_, quiltane::Decimal2}, {hexBox_, quiltane::Hex4}}) {
        box->setNumberBase(base);
        box->setDisplayUpdateIndicator(true);
        box->setText(QStringLiteral("0"));
    }
    place(*decBox_, 480, 60, 1455, 315);
    place(*hexBox_, 2460, 60, 1455, 315);
    connect(decBox_, &QVSTXT::Update, this, [this] { boxUpdated(false); });
    connect(hexBox_, &QVSTXT::Update, this, [this] { boxUpdated(true); });

    auto* addressLegend =
        label(QStringLiteral("Label14"), QStringLiteral("Address Pointer:"), valueFrame_);
    addressLabel_ = label(QStringLiteral("AddressPointerLbl"), QStringLiteral("XX"), valueFrame_);
    place(*addressLegend, 60, 480, 1500, 255);
    place(*addressLabel_, 1560, 480, 480, 255);
    auto* autoLegend = label(QStringLiteral("Label10"), QStringLiteral("Auto read:"), valueFrame_);
    place(*autoLegend, 2040, 480, 900, 255);
    playOption_ = new QToolButton(valueFrame_);
    stopOption_ = new QToolButton(valueFrame_);
    playOption_->setObjectName(QStringLiteral("PlayOption"));
    stopOption_->setObjectName(QStringLiteral("StopOption"));
    playOption_->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    stopOption_->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    for (QToolButton* option : {playOption_, stopOption_}) {
        option->setCheckable(true);
        option->setAutoRaise(true);
    }
    stopOption_->setEnabled(false);
    place(*playOption_, 2940, 420, 360, 360);
    place(*stopOption_, 3330, 420, 360, 360);
    connect(playOption_, &QToolButton::clicked, this, [this] {
        playOption_->setChecked(true);
        PlayOption_Click();
    });
    connect(stopOption_, &QToolButton::clicked, this, [this] {
        stopOption_->setChecked(true);
        StopOption_Click();
    });
    logicCheck_ = new QCheckBox(QStringLiteral("Logic analyzer/graph"), valueFrame_);
    logicCheck_->setObjectName(QStringLiteral("LogicCHK"));
    place(*logicCheck_, 60, 780, 2700, 270);
    connect(logicCheck_, &QCheckBox::toggled, this, [this] { LogicCHK_Click(); });
}

void QVSRegInfo::buildDetailsArea() {
    detailsFrame_ = frame(QStringLiteral("RegisterDetailsFrame"), this);
    static_cast<QFrame*>(detailsFrame_)->setFrameShape(QFrame::StyledPanel);
    auto* title = label(QStringLiteral("RegisterDetailstitleLbl"),
                        QStringLiteral("Register Details:"), detailsFrame_);
    place(*title, 120, 120, 1200, 210);
    detailsLabel_ = label(QStringLiteral("RegisterDetailsLbl"), QString(), detailsFrame_);
    detailsLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    valueCaption_ = label(QStringLiteral("HexDECLBL"), QString(), detailsFrame_);
    // Title and caption on one baseline, clear of the details below.
    title->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    valueCaption_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(*valueCaption_, 1320, 120, 2895, 255);
    place(*detailsLabel_, 120, 300, 3975, 375);
    // The caption keeps its place; its text starts a space clear of the title's.
    const QFontMetrics metrics(title->font());
    const int titleEnd = title->x() + metrics.horizontalAdvance(title->text());
    valueCaption_->setContentsMargins(
        std::max(0, titleEnd + metrics.horizontalAdvance(QLatin1Char(' ')) - valueCaption_->x()), 0,
        0, 0);
}

// ---- Digits, value display, word format and read-only mask ----

void QVSRegInfo::ResetBitColours() {
    for (BitDigit* digit : byteDigits_) {
        digit->setForeColor(kNormalColour);
    }
    for (BitDigit* digit : wordDigits_) {
        digit->setForeColor(kNormalColour);
    }
}

float QVSRegInfo::BitsToValue() const {
    int value = 0;
    if (wordFormat_) {
        for (int bit = 15; bit >= 0; --bit) {
            value = value << 1 | (wordDigit(bit).text() == QStringLiteral("0") ? 0 : 1);
        }
    } else {
        for (int bit = 7; bit >= 0; --bit) {
            value = value << 1 | (byteDigit(bit).text() == QStringLiteral("0") ? 0 : 1);
        }
    }
    return static_cast<float>(value);
}

void QVSRegInfo::DisplayValue(float value) {
    // The setters keep values within 0..65535; anything else shows as its bits.
    const std::int32_t whole = wholeValue(value);
    const auto digitText = [whole](int bit) {
        return (whole >> bit & 1) != 0 ? QStringLiteral("1") : QStringLiteral("0");
    };
    if (wordFormat_) {
        for (int bit = 15; bit >= 0; --bit) {
            wordDigit(bit).setText(digitText(bit));
        }
    } else {
        for (int bit = 7; bit >= 0; --bit) {
            byteDigit(bit).setText(digitText(bit));
        }
    }
    ShowValueCaption(value);
}

void QVSRegInfo::ShowValueCaption(float value) {
    valueCaption_->setText(valueCaption(value));
}

void QVSRegInfo::SetBitText(std::uint8_t index, const QString& text) {
    bitDescriptions_.at(index)->setText(text);
    if (index < 8) {
        bitNames_.at(index)->setText(text);
    }
}

void QVSRegInfo::SetWordFormat(bool wordFormat) {
    wordFormat_ = wordFormat;
    ResetBitColours();
    wordFrame_->setVisible(wordFormat);
    byteFrame_->setVisible(!wordFormat);
    const auto nibbles = static_cast<std::uint8_t>(wordFormat ? 4 : 2);
    for (QVSTXT* box : {decBox_, hexBox_}) {
        box->dispatchPut(kBoxMaxNibbles, QVariant::fromValue(nibbles));
        box->dispatchPut(kBoxText, QStringLiteral("0"));
    }
}

void QVSRegInfo::ApplyCommunicationsType(std::uint8_t type) {
    SetWordFormat(isWordShape(type));
    if (type > D8_AP16_DA8) {
        communicationsType_ = D8_AP8_DA8;
    }
    SetupGraph();
}

void QVSRegInfo::ApplyReadOnlyBitMask() {
    const std::int32_t mask = vsq::controls::toLong(readOnlyBitMask_);
    const auto apply = [mask](BitDigit& digit) {
        const bool writable = !isReadOnlyBit(mask, digit.bit());
        digit.setEnabled(writable);
        digit.setForeColor(writable ? kNormalColour : kReadOnlyColour);
    };
    for (int bit = 7; bit >= 0; --bit) {
        apply(byteDigit(bit));
    }
    for (int bit = 15; bit >= 0; --bit) {
        apply(wordDigit(bit));
    }
}

QString QVSRegInfo::bitText(int bit) const {
    return bitDescriptions_.at(bit)->text();
}

void QVSRegInfo::markDigit(int bit, std::uint32_t colour) {
    if (bit < 0 || bit > 15) {
        return;
    }
    if (bit < 8) {
        byteDigit(bit).setForeColor(colour);
    }
    wordDigit(bit).setForeColor(colour);
}

} // namespace mirelda
