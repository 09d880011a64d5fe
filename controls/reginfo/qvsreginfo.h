#pragma once
// QVSRegInfo ("Mirelda.QVSRegInfo"): a panel that shows one register of a
// device on the SMBus as 8 or 16 clickable bit digits with their names, its
// value in a decimal and a hexadecimal numeric text box and in a caption, its
// address, a free text, a play/stop pair for automatic reading and a strip
// chart of the value.
//
// The panel makes no bus transfer itself. A request is described in its
// members (CommunicationsType, DeviceAddress, AddressPointer, ExecuteRead,
// RWValue) and announced by Flag; the control manager named by Master carries
// it out on its poll tick, stores a read result in RWValue and sets Flag False
// through its setter. The host does not wait for its own requests; the panel's
// own sequences (bit write and read-back, value write and read-back, auto-read
// tick) wait, yielding to the event loop, for at most kRequestTimeoutSeconds a
// request and then withdraw it; a caller's request left unserved as long is
// withdrawn by the next auto-read tick. One sequence runs at a time: a digit click or
// box entry that arrives meanwhile waits its turn, an auto-read tick is
// dropped, and a caller's writes of the request and register set-up members
// are held and applied in order when the sequence ends, so a pending write is
// never turned into a read or sent to another register.
//
// Callers bind the members by the dispatch numbers of qvsreginfo_ids.h
// (QVSRegInfoId), listed there in slot order.
// The panel raises no events. In design mode a double click opens its three
// property pages.

#include "controls/common/control.h"
#include "controls/common/control_collection.h"
#include "controls/reginfo/register_value.h"

#include <QString>
#include <QVariant>
#include <QWidget>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QTimer;
class QToolButton;

namespace quiltane {
class QVSTXT;
}

namespace mirelda {

class BitDigit;

#define MIRELDA_BIT_TEXT(i)                                                                        \
    QString Bit##i##Text() const {                                                                 \
        return bitText(i);                                                                         \
    }                                                                                              \
    void setBit##i##Text(const QString& text) {                                                    \
        setBitTextProperty(i, text);                                                               \
    }

class QVSRegInfo : public QWidget, public vsq::controls::Control {
    Q_OBJECT
    Q_PROPERTY(QString RegisterDetails READ RegisterDetails WRITE setRegisterDetails)
    Q_PROPERTY(
        qint32 AutoReadTimerInterval READ AutoReadTimerInterval WRITE setAutoReadTimerInterval)
    Q_PROPERTY(QString HexTxtBoxToolTipText READ HexTxtBoxToolTipText WRITE setHexTxtBoxToolTipText)
    Q_PROPERTY(QString DecTxtBoxToolTipText READ DecTxtBoxToolTipText WRITE setDecTxtBoxToolTipText)
    Q_PROPERTY(QString AutoReadToolTipText READ AutoReadToolTipText WRITE setAutoReadToolTipText)
    Q_PROPERTY(QString UpdateDecHexToolTipText READ UpdateDecHexToolTipText WRITE
                   setUpdateDecHexToolTipText)
    Q_PROPERTY(QString ValueHEX READ ValueHEX WRITE setValueHEX)
    Q_PROPERTY(quint8 ValueDEC READ ValueDEC WRITE setValueDEC)
    Q_PROPERTY(QString ValueBIN READ ValueBIN WRITE setValueBIN)
    Q_PROPERTY(bool AutoRead READ AutoRead WRITE setAutoRead)
    Q_PROPERTY(float RWValue READ RWValue WRITE setRWValue)
    Q_PROPERTY(float AddressPointer READ AddressPointer WRITE setAddressPointer)
    Q_PROPERTY(bool ExecuteRead READ ExecuteRead WRITE setExecuteRead)
    Q_PROPERTY(bool Flag READ Flag WRITE setFlag)
    Q_PROPERTY(QString Master READ Master WRITE setMaster)
    Q_PROPERTY(QVariant ReadOnlyBitMask READ ReadOnlyBitMask WRITE setReadOnlyBitMask)
    Q_PROPERTY(bool ArrangeClump READ ArrangeClump WRITE setArrangeClump)
    Q_PROPERTY(bool DisplayGraph READ DisplayGraph WRITE setDisplayGraph)
    Q_PROPERTY(bool GraphLogic READ GraphLogic WRITE setGraphLogic)
    Q_PROPERTY(QString BinDigitstoolTipText READ BinDigitstoolTipText WRITE setBinDigitstoolTipText)
    Q_PROPERTY(QString Bit0Text READ Bit0Text WRITE setBit0Text)
    Q_PROPERTY(QString Bit1Text READ Bit1Text WRITE setBit1Text)
    Q_PROPERTY(QString Bit2Text READ Bit2Text WRITE setBit2Text)
    Q_PROPERTY(QString Bit3Text READ Bit3Text WRITE setBit3Text)
    Q_PROPERTY(QString Bit4Text READ Bit4Text WRITE setBit4Text)
    Q_PROPERTY(QString Bit5Text READ Bit5Text WRITE setBit5Text)
    Q_PROPERTY(QString Bit6Text READ Bit6Text WRITE setBit6Text)
    Q_PROPERTY(QString Bit7Text READ Bit7Text WRITE setBit7Text)
    Q_PROPERTY(QString Bit8Text READ Bit8Text WRITE setBit8Text)
    Q_PROPERTY(QString Bit9Text READ Bit9Text WRITE setBit9Text)
    Q_PROPERTY(QString Bit10Text READ Bit10Text WRITE setBit10Text)
    Q_PROPERTY(QString Bit11Text READ Bit11Text WRITE setBit11Text)
    Q_PROPERTY(QString Bit12Text READ Bit12Text WRITE setBit12Text)
    Q_PROPERTY(QString Bit13Text READ Bit13Text WRITE setBit13Text)
    Q_PROPERTY(QString Bit14Text READ Bit14Text WRITE setBit14Text)
    Q_PROPERTY(QString Bit15Text READ Bit15Text WRITE setBit15Text)
    Q_PROPERTY(qint16 CommunicationsType READ CommunicationsType WRITE setCommunicationsType)
    Q_PROPERTY(float DeviceAddress READ DeviceAddress WRITE setDeviceAddress)

public:
    // Digit colours, 0x00BBGGRR.
    static constexpr std::uint32_t kNormalColour = 0xC00000;      // dark blue: normal, confirmed
    static constexpr std::uint32_t kReadOnlyColour = 0x808080;    // grey
    static constexpr std::uint32_t kUnconfirmedColour = 0x0000C0; // dark red
    // How long one of the panel's own requests may stay unserved.
    static constexpr double kRequestTimeoutSeconds = 5.0;

    explicit QVSRegInfo(QWidget* parent = nullptr);
    ~QVSRegInfo() override;

    QString RegisterDetails() const;
    void setRegisterDetails(const QString& details);
    std::int32_t AutoReadTimerInterval() const;
    void setAutoReadTimerInterval(std::int32_t milliseconds);
    QString HexTxtBoxToolTipText() const { return hexToolTip_; }
    void setHexTxtBoxToolTipText(const QString& text);
    QString DecTxtBoxToolTipText() const { return decToolTip_; }
    void setDecTxtBoxToolTipText(const QString& text);
    QString AutoReadToolTipText() const { return autoReadToolTip_; }
    void setAutoReadToolTipText(const QString& text);
    QString UpdateDecHexToolTipText() const { return updateToolTip_; }
    void setUpdateDecHexToolTipText(const QString& text);
    QString ValueHEX() const { return valueHex_; }
    void setValueHEX(const QString& text);
    std::uint8_t ValueDEC() const { return valueDec_; }
    void setValueDEC(std::uint8_t value);
    QString ValueBIN() const { return valueBin_; }
    void setValueBIN(const QString& text);
    bool AutoRead() const { return autoRead_; }
    void setAutoRead(bool on);
    float RWValue() const { return rwValue_; }
    // Kept to 0..65535.
    void setRWValue(float value);
    float AddressPointer() const { return addressPointer_; }
    // 0..65535, else Overflow and nothing changes.
    void setAddressPointer(float address);
    bool ExecuteRead() const { return executeRead_; }
    void setExecuteRead(bool read);
    bool Flag() const { return flag_; }
    void setFlag(bool flag);
    QString Master() const { return master_; }
    void setMaster(const QString& master);
    // The managers on the host, under their place in the host's order.
    vsq::controls::ControlCollection ListQVSMControls() const;
    QVariant ReadOnlyBitMask() const { return readOnlyBitMask_; }
    void setReadOnlyBitMask(const QVariant& mask);
    bool ArrangeClump() const { return arrangeClump_; }
    void setArrangeClump(bool clump);
    bool DisplayGraph() const { return displayGraph_; }
    void setDisplayGraph(bool display);
    bool GraphLogic() const { return graphLogic_; }
    void setGraphLogic(bool logic);
    QString BinDigitstoolTipText() const { return binToolTip_; }
    void setBinDigitstoolTipText(const QString& text);
    MIRELDA_BIT_TEXT(0)
    MIRELDA_BIT_TEXT(1)
    MIRELDA_BIT_TEXT(2)
    MIRELDA_BIT_TEXT(3)
    MIRELDA_BIT_TEXT(4)
    MIRELDA_BIT_TEXT(5)
    MIRELDA_BIT_TEXT(6)
    MIRELDA_BIT_TEXT(7)
    MIRELDA_BIT_TEXT(8)
    MIRELDA_BIT_TEXT(9)
    MIRELDA_BIT_TEXT(10)
    MIRELDA_BIT_TEXT(11)
    MIRELDA_BIT_TEXT(12)
    MIRELDA_BIT_TEXT(13)
    MIRELDA_BIT_TEXT(14)
    MIRELDA_BIT_TEXT(15)
    std::int16_t CommunicationsType() const { return communicationsType_; }
    // 0..255 (a shape other than 0..3 becomes 0), else Overflow and nothing changes.
    void setCommunicationsType(std::int16_t type);
    float DeviceAddress() const { return deviceAddress_; }
    void setDeviceAddress(float address);

    // True while one of the panel's own sequences runs.
    bool busy() const { return busy_; }
    // The strip chart, reached by dispatch number.
    vsq::controls::Dispatchable& sideStrip() const;
    // The three property pages on this panel, in a dialog.
    void showPropertyPages();

    // vsq::controls::Control
    QString typeName() const override { return QStringLiteral("QVSRegInfo"); }
    const vsq::controls::MemberTable& memberTable() const override;
    void initProperties() override;
    void readProperties(const vsq::controls::PropertyBag& bag) override;
    void writeProperties(vsq::controls::PropertyBag& bag) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    enum class Outcome { Served, Abandoned, Gone };

    void buildBitFrames();
    void buildValueArea();
    void buildDetailsArea();

    // Digits, value display, word format, mask.
    BitDigit& byteDigit(int bit) const { return *byteDigits_.at(bit); }
    BitDigit& wordDigit(int bit) const { return *wordDigits_.at(bit); }
    void ResetBitColours();
    float BitsToValue() const;
    void DisplayValue(float value);
    void ShowValueCaption(float value);
    void SetBitText(std::uint8_t index, const QString& text);
    void SetWordFormat(bool wordFormat);
    void ApplyCommunicationsType(std::uint8_t type);
    void ApplyReadOnlyBitMask();
    void showRegisterDetails(const QString& details);
    // The details in whole lines of the label's current size.
    void fitRegisterDetails();
    QString bitText(int bit) const;
    void setBitTextProperty(int bit, const QString& text);
    void markDigit(int bit, std::uint32_t colour);

    // Requests and sequences.
    void digitClicked(int bit, bool wordDigit);
    void boxUpdated(bool fromHexBox);
    // Both false when the panel went while they waited.
    bool WriteBitAndVerify(int bit);
    bool WriteAndVerifyValue(float value);
    void enterValue(double entry, bool fromHexBox);
    void RegisterListTimer_Timer();
    void PlayOption_Click();
    void StopOption_Click();
    void StartAutoRead();
    void StopAutoRead();
    void switchAutoReadTimer(bool on);
    // Starts a sequence, first seeing a caller's pending request served.
    Outcome beginSequence();
    void endSequence();
    // Raises a request of the panel's own and waits for it.
    Outcome request(bool read);
    // A write of the value, then its read-back (when the write was served).
    Outcome writeAndReadBack(float value);
    Outcome waitForService();
    void withdrawRequest();
    // Shows a caller's request once served, charting it while auto-reading.
    void showCallersRequest();
    // Runs the action now, or after the running sequence when one runs.
    bool holdWhileBusy(std::function<void()> action);

    // Layout and chart.
    void ArrangeLayout();
    void SetupGraph();
    void AddGraphSample();
    void LogicCHK_Click();

    std::array<BitDigit*, 8> byteDigits_{};
    std::array<BitDigit*, 16> wordDigits_{};
    std::array<QLabel*, 8> bitNames_{};
    std::array<QLabel*, 16> bitDescriptions_{};
    QWidget* byteFrame_ = nullptr;
    QWidget* wordFrame_ = nullptr;
    QWidget* valueFrame_ = nullptr;
    QWidget* detailsFrame_ = nullptr;
    QLabel* detailsLabel_ = nullptr;
    QLabel* valueCaption_ = nullptr;
    QLabel* addressLabel_ = nullptr;
    quiltane::QVSTXT* decBox_ = nullptr;
    quiltane::QVSTXT* hexBox_ = nullptr;
    QToolButton* playOption_ = nullptr;
    QToolButton* stopOption_ = nullptr;
    QCheckBox* logicCheck_ = nullptr;
    QTimer* autoReadTimer_ = nullptr;
    std::int32_t autoReadInterval_ = 1; // ms; 0 never fires
    bool autoReadOn_ = false;           // the timer is switched on
    QWidget* chartWidget_ = nullptr;
    vsq::controls::Dispatchable* chart_ = nullptr;

    float rwValue_ = 0;
    float addressPointer_ = 0;
    float deviceAddress_ = 0;
    std::int16_t communicationsType_ = D8_AP8_DA8;
    bool executeRead_ = true;
    bool flag_ = false;
    double flagRaisedAt_ = 0; // monotonic seconds when a caller last raised Flag
    QString master_;
    QString registerDetails_;
    QString detailsText_; // as shown, line breaks as line feeds
    QVariant readOnlyBitMask_ = QVariant::fromValue<std::int16_t>(0);
    bool autoRead_ = false;
    bool wordFormat_ = false;
    bool arrangeClump_ = false;
    bool displayGraph_ = true;
    bool graphLogic_ = false;
    QString binToolTip_ = QStringLiteral("Click to Change");
    QString hexToolTip_, decToolTip_, autoReadToolTip_, updateToolTip_;
    QString valueHex_ = QStringLiteral("0");
    std::uint8_t valueDec_ = 0;
    QString valueBin_ = QStringLiteral("0");

    bool busy_ = false;
    bool arranging_ = false;
    // Input and caller writes that wait for the running sequence, in order.
    std::deque<std::function<void()>> held_;
    // The held copy of the last RWValue written while a read waits: dropped
    // when the Flag clears, as that value was the manager's answer.
    std::shared_ptr<bool> readAnswer_;
    // Cleared when the panel goes, so a wait that outlives it stops at once.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

#undef MIRELDA_BIT_TEXT

} // namespace mirelda
