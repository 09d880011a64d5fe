// The register panel's public members, member table and property bag.

#include "controls/common/basic_error.h"
#include "controls/common/basic_number.h"
#include "controls/reginfo/bit_digit.h"
#include "controls/reginfo/qvsreginfo.h"
#include "controls/reginfo/qvsreginfo_ids.h"
#include "controls/reginfo/strip_chart_feed.h"
#include "controls/textbox/qvstxt.h"

#include <QCheckBox>
#include <QLabel>
#include <QTimer>

namespace mirelda {

using vsq::controls::BasicError;
using vsq::controls::ErrorNumber;
using vsq::controls::methodMember;
using vsq::controls::PropertyBag;
using vsq::controls::propertyMember;

namespace {

namespace Id = QVSRegInfoId;

template <int Bit>
vsq::controls::Member bitTextMember(QString (QVSRegInfo::*getter)() const,
                                    void (QVSRegInfo::*setter)(const QString&)) {
    return propertyMember(QStringLiteral("Bit%1Text").arg(Bit), Id::bitText(Bit), getter, setter);
}

QString digitKey(int bit) {
    return QStringLiteral("Bit%1Bit").arg(bit);
}
QString nameKey(int bit) {
    return QStringLiteral("Bit%1Text").arg(bit);
}
QString designBitName(int bit) {
    return QStringLiteral("Bit %1").arg(bit);
}

const QVariant kSingleZero = QVariant::fromValue(0.0f);
const QVariant kIntegerZero = QVariant::fromValue<std::int16_t>(0);

} // namespace

const vsq::controls::MemberTable& QVSRegInfo::memberTable() const {
    using R = QVSRegInfo;
    static const vsq::controls::MemberTable table{
        propertyMember("RegisterDetails", Id::RegisterDetails, &R::RegisterDetails,
                       &R::setRegisterDetails),
        propertyMember("AutoReadTimerInterval", Id::AutoReadTimerInterval,
                       &R::AutoReadTimerInterval, &R::setAutoReadTimerInterval),
        propertyMember("HexTxtBoxToolTipText", Id::HexTxtBoxToolTipText, &R::HexTxtBoxToolTipText,
                       &R::setHexTxtBoxToolTipText),
        propertyMember("DecTxtBoxToolTipText", Id::DecTxtBoxToolTipText, &R::DecTxtBoxToolTipText,
                       &R::setDecTxtBoxToolTipText),
        propertyMember("AutoReadToolTipText", Id::AutoReadToolTipText, &R::AutoReadToolTipText,
                       &R::setAutoReadToolTipText),
        propertyMember("UpdateDecHexToolTipText", Id::UpdateDecHexToolTipText,
                       &R::UpdateDecHexToolTipText, &R::setUpdateDecHexToolTipText),
        propertyMember("ValueHEX", Id::ValueHEX, &R::ValueHEX, &R::setValueHEX),
        propertyMember("ValueDEC", Id::ValueDEC, &R::ValueDEC, &R::setValueDEC),
        propertyMember("ValueBIN", Id::ValueBIN, &R::ValueBIN, &R::setValueBIN),
        propertyMember("AutoRead", Id::AutoRead, &R::AutoRead, &R::setAutoRead),
        propertyMember("RWValue", Id::RWValue, &R::RWValue, &R::setRWValue),
        propertyMember("AddressPointer", Id::AddressPointer, &R::AddressPointer,
                       &R::setAddressPointer),
        propertyMember("ExecuteRead", Id::ExecuteRead, &R::ExecuteRead, &R::setExecuteRead),
        propertyMember("Flag", Id::Flag, &R::Flag, &R::setFlag),
        propertyMember("Master", Id::Master, &R::Master, &R::setMaster),
        methodMember("ListQVSMControls", Id::ListQVSMControls, &R::ListQVSMControls),
        propertyMember("ReadOnlyBitMask", Id::ReadOnlyBitMask, &R::ReadOnlyBitMask,
                       &R::setReadOnlyBitMask),
        propertyMember("ArrangeClump", Id::ArrangeClump, &R::ArrangeClump, &R::setArrangeClump),
        propertyMember("DisplayGraph", Id::DisplayGraph, &R::DisplayGraph, &R::setDisplayGraph),
        propertyMember("GraphLogic", Id::GraphLogic, &R::GraphLogic, &R::setGraphLogic),
        propertyMember("BinDigitstoolTipText", Id::BinDigitstoolTipText, &R::BinDigitstoolTipText,
                       &R::setBinDigitstoolTipText),
        bitTextMember<0>(&R::Bit0Text, &R::setBit0Text),
        bitTextMember<1>(&R::Bit1Text, &R::setBit1Text),
        bitTextMember<2>(&R::Bit2Text, &R::setBit2Text),
        bitTextMember<3>(&R::Bit3Text, &R::setBit3Text),
        bitTextMember<4>(&R::Bit4Text, &R::setBit4Text),
        bitTextMember<5>(&R::Bit5Text, &R::setBit5Text),
        bitTextMember<6>(&R::Bit6Text, &R::setBit6Text),
        bitTextMember<7>(&R::Bit7Text, &R::setBit7Text),
        bitTextMember<8>(&R::Bit8Text, &R::setBit8Text),
        bitTextMember<9>(&R::Bit9Text, &R::setBit9Text),
        bitTextMember<10>(&R::Bit10Text, &R::setBit10Text),
        bitTextMember<11>(&R::Bit11Text, &R::setBit11Text),
        bitTextMember<12>(&R::Bit12Text, &R::setBit12Text),
        bitTextMember<13>(&R::Bit13Text, &R::setBit13Text),
        bitTextMember<14>(&R::Bit14Text, &R::setBit14Text),
        bitTextMember<15>(&R::Bit15Text, &R::setBit15Text),
        propertyMember("CommunicationsType", Id::CommunicationsType, &R::CommunicationsType,
                       &R::setCommunicationsType),
        propertyMember("DeviceAddress", Id::DeviceAddress, &R::DeviceAddress, &R::setDeviceAddress),
    };
    return table;
}

// ---- Accessors ----

QString QVSRegInfo::RegisterDetails() const {
    return registerDetails_;
}
// A carriage return starts a new line. Leading ones (the register window puts
// one before its texts to clear the value caption) are not shown: the label
// already starts below the caption, and the text needs both of its lines.
// The label shows whole lines only, the last ending in an ellipsis when the
// text goes on; the whole text is its tool tip.
void QVSRegInfo::showRegisterDetails(const QString& details) {
    registerDetails_ = details;
    detailsText_ = details;
    detailsText_.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    detailsText_.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (detailsText_.startsWith(QLatin1Char('\n'))) {
        detailsText_.remove(0, 1);
    }
    detailsLabel_->setToolTip(detailsText_);
    fitRegisterDetails();
}

void QVSRegInfo::setRegisterDetails(const QString& details) {
    if (holdWhileBusy([this, details] { setRegisterDetails(details); })) {
        return;
    }
    showRegisterDetails(details);
    propertyChanged(QStringLiteral("RegisterDetails"));
}

std::int32_t QVSRegInfo::AutoReadTimerInterval() const {
    return autoReadInterval_;
}
void QVSRegInfo::setAutoReadTimerInterval(std::int32_t milliseconds) {
    autoReadInterval_ = std::max(milliseconds, 0);
    switchAutoReadTimer(autoReadOn_);
    propertyChanged(QStringLiteral("AutoReadTimerInterval"));
}

void QVSRegInfo::setHexTxtBoxToolTipText(const QString& text) {
    hexToolTip_ = text;
    propertyChanged(QStringLiteral("HexTxtBoxToolTipText"));
}
void QVSRegInfo::setDecTxtBoxToolTipText(const QString& text) {
    decToolTip_ = text;
    propertyChanged(QStringLiteral("DecTxtBoxToolTipText"));
}
void QVSRegInfo::setAutoReadToolTipText(const QString& text) {
    autoReadToolTip_ = text;
    propertyChanged(QStringLiteral("AutoReadToolTipText"));
}
void QVSRegInfo::setUpdateDecHexToolTipText(const QString& text) {
    updateToolTip_ = text;
    propertyChanged(QStringLiteral("UpdateDecHexToolTipText"));
}
void QVSRegInfo::setValueHEX(const QString& text) {
    valueHex_ = text;
    propertyChanged(QStringLiteral("ValueHEX"));
}
void QVSRegInfo::setValueDEC(std::uint8_t value) {
    valueDec_ = value;
    propertyChanged(QStringLiteral("ValueDEC"));
}
void QVSRegInfo::setValueBIN(const QString& text) {
    valueBin_ = text;
    propertyChanged(QStringLiteral("ValueBIN"));
}

void QVSRegInfo::setAutoRead(bool on) {
    autoRead_ = on;
    if (on) {
        StartAutoRead();
    } else {
        StopAutoRead();
    }
    propertyChanged(QStringLiteral("AutoRead"));
}

// While one of the panel's own sequences runs, a caller's value is kept for
// after it: a pending write keeps the value it was raised with, and between
// two requests the value the sequence goes on with stays its own. A pending
// read takes the manager's answer at once (the write just before the Flag
// clears, see setFlag); a caller's value that came before it follows the
// sequence.
void QVSRegInfo::setRWValue(float value) {
    if (busy_) {
        auto answered = std::make_shared<bool>(false);
        held_.push_back([this, value, answered] {
            if (!*answered) {
                setRWValue(value);
            }
        });
        if (!flag_ || !executeRead_) {
            return;
        }
        readAnswer_ = std::move(answered);
    }
    rwValue_ = clampRegisterValue(value);
    propertyChanged(QStringLiteral("RWValue"));
}

void QVSRegInfo::setAddressPointer(float address) {
    if (!isValidAddressPointer(address)) {
        throw BasicError(ErrorNumber::Overflow);
    }
    if (holdWhileBusy([this, address] { setAddressPointer(address); })) {
        return;
    }
    addressPointer_ = address;
    addressLabel_->setText(QString::fromStdU16String(vsq::controls::hexText(address)));
    propertyChanged(QStringLiteral("AddressPointer"));
    readOnlyBitMask_ = kIntegerZero;
    ApplyReadOnlyBitMask();
    clearChart(*chart_);
}

void QVSRegInfo::setExecuteRead(bool read) {
    if (holdWhileBusy([this, read] { setExecuteRead(read); })) {
        return;
    }
    executeRead_ = read;
    propertyChanged(QStringLiteral("ExecuteRead"));
}

void QVSRegInfo::setMaster(const QString& master) {
    master_ = master;
    propertyChanged(QStringLiteral("Master"));
}

vsq::controls::ControlCollection QVSRegInfo::ListQVSMControls() const {
    vsq::controls::ControlCollection managers;
    const auto controls = hostControls();
    for (std::size_t index = 0; index < controls.size(); ++index) {
        if (controls[index]->typeName() == QStringLiteral("QVSManager")) {
            managers.add(controls[index], QString::number(index));
        }
    }
    return managers;
}

void QVSRegInfo::setReadOnlyBitMask(const QVariant& mask) {
    vsq::controls::toLong(mask); // a mask must be a whole number: checked before it is kept
    if (holdWhileBusy([this, mask] { setReadOnlyBitMask(mask); })) {
        return;
    }
    readOnlyBitMask_ = mask;
    ApplyReadOnlyBitMask();
    propertyChanged(QStringLiteral("ReadOnlyBitMask"));
}

void QVSRegInfo::setArrangeClump(bool clump) {
    arrangeClump_ = clump;
    ArrangeLayout();
    propertyChanged(QStringLiteral("ArrangeClump"));
}

void QVSRegInfo::setDisplayGraph(bool display) {
    displayGraph_ = display;
    logicCheck_->setVisible(display);
    ArrangeLayout();
    propertyChanged(QStringLiteral("DisplayGraph"));
}

void QVSRegInfo::setGraphLogic(bool logic) {
    graphLogic_ = logic;
    logicCheck_->setChecked(logic);
    SetupGraph();
    propertyChanged(QStringLiteral("GraphLogic"));
}

void QVSRegInfo::setBinDigitstoolTipText(const QString& text) {
    binToolTip_ = text;
    propertyChanged(QStringLiteral("BinDigitstoolTipText"));
}

void QVSRegInfo::setBitTextProperty(int bit, const QString& text) {
    if (holdWhileBusy([this, bit, text] { setBitTextProperty(bit, text); })) {
        return;
    }
    SetBitText(static_cast<std::uint8_t>(bit), text);
    propertyChanged(nameKey(bit));
}

void QVSRegInfo::setCommunicationsType(std::int16_t type) {
    if (type < 0 || type > 255) {
        throw BasicError(ErrorNumber::Overflow);
    }
    if (holdWhileBusy([this, type] { setCommunicationsType(type); })) {
        return;
    }
    communicationsType_ = type;
    ApplyCommunicationsType(static_cast<std::uint8_t>(type));
    propertyChanged(QStringLiteral("CommunicationsType"));
}

void QVSRegInfo::setDeviceAddress(float address) {
    if (holdWhileBusy([this, address] { setDeviceAddress(address); })) {
        return;
    }
    deviceAddress_ = address;
    propertyChanged(QStringLiteral("DeviceAddress"));
}

// ---- Life cycle and property bag ----

// A new instance sets its fields only: no constituent changes.
void QVSRegInfo::initProperties() {
    hexToolTip_.clear();
    decToolTip_.clear();
    autoReadToolTip_.clear();
    updateToolTip_.clear();
    valueHex_ = QStringLiteral("0");
    valueDec_ = 0;
    valueBin_ = QStringLiteral("0");
    autoRead_ = false;
    rwValue_ = 0;
    addressPointer_ = 0;
    executeRead_ = true;
    flag_ = false;
    master_.clear();
    readOnlyBitMask_ = kIntegerZero;
    arrangeClump_ = false;
    displayGraph_ = true;
    graphLogic_ = false;
    binToolTip_ = QStringLiteral("Click to Change");
    wordFormat_ = false;
    communicationsType_ = D8_AP8_DA8;
}

void QVSRegInfo::readProperties(const PropertyBag& bag) {
    for (int bit = 0; bit < 16; ++bit) {
        const QString digit = bag.read<QString>(digitKey(bit), QStringLiteral("0"));
        if (bit < 8) {
            byteDigit(bit).setText(digit);
        }
        wordDigit(bit).setText(digit);
        SetBitText(static_cast<std::uint8_t>(bit),
                   bag.read<QString>(nameKey(bit), designBitName(bit)));
    }
    showRegisterDetails(bag.read<QString>("RegisterDetails", ""));
    autoReadInterval_ = bag.read<std::int32_t>("AutoReadTimerInterval", 1);
    hexToolTip_ = bag.read<QString>("HexTxtBoxToolTipText", "");
    decToolTip_ = bag.read<QString>("DecTxtBoxToolTipText", "");
    autoReadToolTip_ = bag.read<QString>("AutoReadToolTipText", "");
    updateToolTip_ = bag.read<QString>("UpdateDecHexToolTipText", "");
    valueHex_ = bag.read<QString>("ValueHEX", "0");
    valueDec_ = bag.read<std::uint8_t>("ValueDEC", 0);
    valueBin_ = bag.read<QString>("ValueBIN", "0");
    autoRead_ = bag.read<bool>("AutoRead", false);
    rwValue_ = clampRegisterValue(bag.read<float>("RWValue", 0));
    const auto address = bag.read<float>("AddressPointer", 0);
    addressPointer_ = isValidAddressPointer(address) ? address : 0;
    executeRead_ = bag.read<bool>("ExecuteRead", true);
    flag_ = bag.read<bool>("Flag", false);
    master_ = bag.read<QString>("Master", "");
    readOnlyBitMask_ = bag.value("ReadOnlyBitMask", kIntegerZero);
    try {
        vsq::controls::toLong(readOnlyBitMask_); // a mask is a whole number, else none
    } catch (const BasicError&) {
        readOnlyBitMask_ = kIntegerZero;
    }
    arrangeClump_ = bag.read<bool>("ArrangeClump", false);
    displayGraph_ = bag.read<bool>("DisplayGraph", true);
    graphLogic_ = bag.read<bool>("GraphLogic", false);
    binToolTip_ = bag.read<QString>("BinDigitstoolTipText", "Click to Change");
    wordFormat_ = bag.read<bool>("WordFormat", false);
    communicationsType_ = bag.read<std::int16_t>("CommunicationsType", 0);
    if (communicationsType_ < 0 || communicationsType_ > 255) {
        communicationsType_ = D8_AP8_DA8;
    }
    // Applying what was loaded.
    ApplyCommunicationsType(static_cast<std::uint8_t>(communicationsType_));
    logicCheck_->setVisible(displayGraph_);
    logicCheck_->setChecked(graphLogic_);
    ArrangeLayout();
    // The interval reaches a running timer (0 stops it); loading starts none.
    switchAutoReadTimer(autoReadOn_);
}

void QVSRegInfo::writeProperties(PropertyBag& bag) {
    bag.write<QString>("RegisterDetails", registerDetails_, "");
    bag.write("AutoReadTimerInterval", QVariant::fromValue<std::int32_t>(autoReadInterval_),
              QVariant::fromValue<std::int16_t>(1));
    bag.write<QString>("HexTxtBoxToolTipText", hexToolTip_, "");
    bag.write<QString>("DecTxtBoxToolTipText", decToolTip_, "");
    bag.write<QString>("AutoReadToolTipText", autoReadToolTip_, "");
    bag.write<QString>("UpdateDecHexToolTipText", updateToolTip_, "");
    for (int bit = 0; bit < 8; ++bit) {
        bag.write<QString>(digitKey(bit), byteDigit(bit).text(), "0");
        bag.write<QString>(digitKey(bit), wordDigit(bit).text(), "0");
    }
    for (int bit = 8; bit < 16; ++bit) {
        bag.write<QString>(digitKey(bit), wordDigit(bit).text(), "0");
    }
    for (int bit = 0; bit < 16; ++bit) {
        if (bit < 8) {
            bag.write<QString>(nameKey(bit), bitNames_.at(bit)->text(), designBitName(bit));
        }
        bag.write<QString>(nameKey(bit), bitDescriptions_.at(bit)->text(), designBitName(bit));
    }
    bag.write<QString>("ValueHEX", valueHex_, "0");
    bag.write("ValueDEC", QVariant::fromValue(valueDec_), kSingleZero);
    bag.write<QString>("ValueBIN", valueBin_, "0");
    bag.write("AutoRead", autoRead_, kIntegerZero);
    bag.write("RWValue", QVariant::fromValue(rwValue_), kIntegerZero);
    bag.write("AddressPointer", QVariant::fromValue(addressPointer_), kIntegerZero);
    bag.write<bool>("ExecuteRead", executeRead_, true);
    bag.write<bool>("Flag", flag_, false);
    bag.write<QString>("Master", master_, "");
    bag.write("ReadOnlyBitMask", readOnlyBitMask_, kIntegerZero);
    bag.write<bool>("ArrangeClump", arrangeClump_, false);
    bag.write<bool>("DisplayGraph", displayGraph_, true);
    bag.write<bool>("GraphLogic", graphLogic_, false);
    bag.write<QString>("BinDigitstoolTipText", binToolTip_, "Click to Change");
    bag.write<bool>("WordFormat", wordFormat_, false);
    bag.write("CommunicationsType", QVariant::fromValue(communicationsType_),
              QVariant::fromValue<std::uint8_t>(0));
}

} // namespace mirelda
