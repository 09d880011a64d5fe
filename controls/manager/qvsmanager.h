#pragma once
// QVSManager ("Orvessa.QVSManager"): the invisible partner of the register
// panels on a host window. It holds the window's communication settings, owns
// its own objects of the communications library (a root object and a second
// protocol object, ArbComport), and on a 1 ms poll timer carries out the
// transfers that the panels naming it as their master request.
//
// A panel requests a transfer through its own members, bound late by name:
// CommunicationsType (transfer shape), DeviceAddress (8-bit bus address),
// AddressPointer (register or EEPROM address), ExecuteRead (True read, False
// write), RWValue (value to write; after a read the value read), and last Flag
// True. On its next tick the manager carries the transfer out, stores a read
// result in RWValue and only then sets Flag False through the panel's setter.
// The panels are found once, in user mode, on the first tick: controls of type
// "QVSRegInfo" (serviced) or "QVSLimitGauge" (collected, never serviced) whose
// "master" equals the manager's name on its host, letter case included.
//
// A tick is skipped while a bus frame of either medium is in progress or an
// earlier tick is still running. After kIdleTicks ticks in a row that found
// nothing pending, the timer ticks every kIdlePollIntervalMs instead (a 1 ms
// timer alone costs several percent of a core in wake-ups); it is back at 1 ms
// as soon as the host hears that a managed panel's Flag was raised (through
// its setter, or by a request of the panel's own) or a tick finds a request.
// So a panel auto-reading every 100 ms wakes the manager at the full rate only
// around each of its reads. A request that cannot be carried out (a value
// that does not fit its transfer, a shape the medium has no transfer for, a
// panel that does not answer) and a transfer that fails on the bus raise
// ArbitrationError; a read then yields 0, and the flag is cleared either way.
//
// Settings are pushed into the process-wide bus state of the library, so they
// apply to the application's own transfers too. Reading the property bag
// creates a new root object and a new ArbComport (which put part of the bus
// state back to the library's start values) and then pushes the manager's own
// settings.
//
// Members in slot order, with the dispatch numbers hosts bind by (QVSManagerId):
//   CommType 0x68030009  PrinterPortAddress 0x68030008  DeviceAddress 0x68030007
//   SMBusBaseAddress 0x68030006  StatusPortOrBits 0x68030005
//   ControlPortOrBits 0x68030004  DataPortOrBits 0x68030003  Enabled 0x68030002
//   ServiceNControls 0x68030001  ServiceNControlsEnabled 0x68030000
//   DataInverted 0x68030019  ArbitrationOn 0x68030018
//   ArbitrationMaxCollisions 0x68030017
// Events (Qt signals): ArbitrationError, AboutToWrite.
//
//     QVSManager manager(&window);
//     host.add(panel, "QVSRegInfo1");     // its Master is "QVSManager1"
//     host.add(manager, "QVSManager1");
//     host.readProperties(file);          // or placeNew()
//     manager.dispatchPut(QVSManagerId::Enabled, true);

#include "controls/common/control.h"

#include <QBasicTimer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <vector>

namespace brisendal {
class EEPROM;
class QVSComPort;
class SMBusProtocall;
} // namespace brisendal

namespace orvessa {

class ManagedPanel;

// The dispatch numbers of the manager's properties.
namespace QVSManagerId {
inline constexpr vsq::controls::DispatchId CommType = 0x68030009;
inline constexpr vsq::controls::DispatchId PrinterPortAddress = 0x68030008;
inline constexpr vsq::controls::DispatchId DeviceAddress = 0x68030007;
inline constexpr vsq::controls::DispatchId SMBusBaseAddress = 0x68030006;
inline constexpr vsq::controls::DispatchId StatusPortOrBits = 0x68030005;
inline constexpr vsq::controls::DispatchId ControlPortOrBits = 0x68030004;
inline constexpr vsq::controls::DispatchId DataPortOrBits = 0x68030003;
inline constexpr vsq::controls::DispatchId Enabled = 0x68030002;
inline constexpr vsq::controls::DispatchId ServiceNControls = 0x68030001;
inline constexpr vsq::controls::DispatchId ServiceNControlsEnabled = 0x68030000;
inline constexpr vsq::controls::DispatchId DataInverted = 0x68030019;
inline constexpr vsq::controls::DispatchId ArbitrationOn = 0x68030018;
inline constexpr vsq::controls::DispatchId ArbitrationMaxCollisions = 0x68030017;
} // namespace QVSManagerId

// Transfer shapes a panel asks for (its CommunicationsType).
enum TCommType : std::uint8_t {
    D8_AP8_DA8 = 0,  // byte data, byte register address
    D16_AP8_DA8 = 1, // word data, high byte first
    D8_DA8 = 2,      // send or receive byte, no register address
    D8_AP16_DA8 = 3, // byte data at a 16-bit EEPROM address
};

// Media (CommType).
inline constexpr std::uint8_t kParallelPort = 0;
inline constexpr std::uint8_t kChipsetSMBus = 1;
inline constexpr std::uint8_t kUSB = 2;

// ArbitrationError numbers of the manager's own. A failed bus transfer carries
// the library's number (2) and text; a failed call into a panel or the library
// its own number, or kCallFailed when that does not fit a byte (438: the panel
// lacks a member).
inline constexpr std::uint8_t kCallFailed = 1;
inline constexpr std::uint8_t kNoSuchTransfer = 5;  // the medium has no transfer of that shape
inline constexpr std::uint8_t kRequestOverflow = 6; // a request value does not fit its transfer

class QVSManager : public QWidget, public vsq::controls::Control {
    Q_OBJECT
    Q_PROPERTY(quint8 CommType READ CommType WRITE setCommType)
    Q_PROPERTY(qint16 PrinterPortAddress READ PrinterPortAddress WRITE setPrinterPortAddress)
    Q_PROPERTY(quint8 DeviceAddress READ DeviceAddress WRITE setDeviceAddress)
    Q_PROPERTY(float SMBusBaseAddress READ SMBusBaseAddress WRITE setSMBusBaseAddress)
    Q_PROPERTY(quint8 StatusPortOrBits READ StatusPortOrBits WRITE setStatusPortOrBits)
    Q_PROPERTY(quint8 ControlPortOrBits READ ControlPortOrBits WRITE setControlPortOrBits)
    Q_PROPERTY(quint8 DataPortOrBits READ DataPortOrBits WRITE setDataPortOrBits)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(quint8 ServiceNControls READ ServiceNControls WRITE setServiceNControls)
    Q_PROPERTY(
        bool ServiceNControlsEnabled READ ServiceNControlsEnabled WRITE setServiceNControlsEnabled)
    Q_PROPERTY(bool DataInverted READ DataInverted WRITE setDataInverted)
    Q_PROPERTY(bool ArbitrationOn READ ArbitrationOn WRITE setArbitrationOn)
    Q_PROPERTY(quint8 ArbitrationMaxCollisions READ ArbitrationMaxCollisions WRITE
                   setArbitrationMaxCollisions)

public:
    // The poll interval, in milliseconds, and the one of an idle manager.
    static constexpr int kPollIntervalMs = 1;
    static constexpr int kIdlePollIntervalMs = 10;
    static constexpr int kIdleTicks = 2;
    // The control's fixed size: 480 x 480 twips.
    static constexpr int kSizeTwips = 480;

    explicit QVSManager(QWidget* parent = nullptr);
    ~QVSManager() override;

    // Every write stores the value first, then pushes it where it applies and
    // tells the host under the property's name. A failed call into the
    // communications library fails the write (vsq::controls::BasicError).
    std::uint8_t CommType() const { return commType_; }
    void setCommType(std::uint8_t value);
    std::int16_t PrinterPortAddress() const { return printerPortAddress_; }
    void setPrinterPortAddress(std::int16_t value);
    // After a transfer: the device address of the last serviced panel.
    std::uint8_t DeviceAddress() const { return deviceAddress_; }
    void setDeviceAddress(std::uint8_t value);
    float SMBusBaseAddress() const { return smbusBaseAddress_; }
    void setSMBusBaseAddress(float value);
    std::uint8_t StatusPortOrBits() const { return statusPortOrBits_; }
    void setStatusPortOrBits(std::uint8_t value);
    std::uint8_t ControlPortOrBits() const { return controlPortOrBits_; }
    void setControlPortOrBits(std::uint8_t value);
    std::uint8_t DataPortOrBits() const { return dataPortOrBits_; }
    void setDataPortOrBits(std::uint8_t value);
    // Starts (True, user mode) and stops the poll timer. (Hides
    // QWidget::setEnabled, as the control's own Enabled does.)
    bool Enabled() const { return enabled_; }
    void setEnabled(bool value);
    std::uint8_t ServiceNControls() const { return serviceNControls_; }
    void setServiceNControls(std::uint8_t value);
    bool ServiceNControlsEnabled() const { return serviceNControlsEnabled_; }
    void setServiceNControlsEnabled(bool value);
    bool DataInverted() const { return dataInverted_; }
    void setDataInverted(bool value);
    bool ArbitrationOn() const { return arbitrationOn_; }
    void setArbitrationOn(bool value);
    std::uint8_t ArbitrationMaxCollisions() const { return arbitrationMaxCollisions_; }
    void setArbitrationMaxCollisions(std::uint8_t value);

    // Whether the poll timer runs, and its id (0 when it does not): a test
    // delivers one tick by sending a QTimerEvent with that id.
    bool pollTimerActive() const { return pollTimer_.isActive(); }
    int pollTimerId() const { return pollTimer_.timerId(); }
    // The interval the poll timer runs at, as the event loop has it; 0 when
    // it does not run.
    int pollIntervalMs() const;

    // vsq::controls::Control
    QString typeName() const override { return QStringLiteral("QVSManager"); }
    const vsq::controls::MemberTable& memberTable() const override;
    void initProperties() override;
    void readProperties(const vsq::controls::PropertyBag& bag) override;
    void writeProperties(vsq::controls::PropertyBag& bag) override;

signals:
    // A request failed: a transfer the bus refused (the library's number and
    // text), or one that could not be carried out (see the numbers above).
    void ArbitrationError(quint8 ErrorNumber, const QString& ErrorDescription);
    // Just before every write request is carried out.
    void AboutToWrite(quint8 CommunicationsType, float DeviceAddress, float AddressPointer,
                      float Data);

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    struct Transfer;

    // The root object, created on first use.
    brisendal::QVSComPort& root();
    void switchPollTimer(bool on);
    void setPollInterval(int milliseconds);
    // Starts the poll when an enabled manager is given ticks to count down.
    void startCountedService();
    void flagWritten(vsq::controls::Control* control, const QString& propertyName);

    // Discovery and servicing (qvsmanager_service.cpp).
    void pollTick();
    void ensureControlList();
    void collectManagedControls();
    // Whether any panel was serviced.
    bool serviceControls();
    void serviceControl(ManagedPanel& panel);
    static Transfer checkedTransfer(const ManagedPanel& panel, bool read, std::uint8_t medium);
    brisendal::SMBusProtocall& parallelProtocol();
    brisendal::EEPROM& eepromAt(std::uint8_t deviceAddress);
    template <class Object, class Call> auto carriedBy(Object& object, Call&& call);
    float readDevice(const Transfer& transfer);
    void writeDevice(const Transfer& transfer);
    void reportFailure(std::uint8_t number, const QString& description);

    std::shared_ptr<brisendal::QVSComPort> root_;
    // The transfers' object while arbitration is on. Library objects keep their
    // settings in the one process-wide bus state, so the root's objects set them
    // for this one too.
    std::shared_ptr<brisendal::SMBusProtocall> arbComport_;
    std::vector<ManagedPanel> managedControls_;
    bool listBuilt_ = false;
    bool tickRunning_ = false;
    QBasicTimer pollTimer_;
    int pollIntervalMs_ = kPollIntervalMs;
    int idleTicks_ = 0;
    QMetaObject::Connection flagWatch_;

    // The start values that differ from zero (also the bag's defaults).
    static constexpr std::int16_t kDefaultPrinterPortAddress = 888;
    static constexpr std::uint8_t kDefaultMaxCollisions = 10;

    std::uint8_t commType_ = 0;
    std::int16_t printerPortAddress_ = kDefaultPrinterPortAddress;
    std::uint8_t deviceAddress_ = 0;
    float smbusBaseAddress_ = 0.0f;
    std::uint8_t statusPortOrBits_ = 0;
    std::uint8_t controlPortOrBits_ = 0;
    std::uint8_t dataPortOrBits_ = 0;
    bool enabled_ = false;
    std::uint8_t serviceNControls_ = 0;
    bool serviceNControlsEnabled_ = false;
    bool dataInverted_ = true;
    bool arbitrationOn_ = false;
    std::uint8_t arbitrationMaxCollisions_ = kDefaultMaxCollisions;
};

} // namespace orvessa
