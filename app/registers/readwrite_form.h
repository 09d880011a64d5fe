#pragma once
// ReadWriteForm, "Register Access": a tree of every register of the chip (by
// address and by function), both EEPROM spaces, the test registers and the
// board's other chips. A click on a register's node points the register panel
// QVSRegInfo1 at it and asks for one read; the panel then shows the register
// live and writes what the user changes. The window reaches the bus only
// through its control manager QVSManager1, which carries out the panel's
// requests on its poll timer; both controls are reached by dispatch number.
//
// Start-up loads the window hidden: the tree is built and the manager polls
// from then on. Closing only hides it, so tree, panel and polling stay as
// they are until the program ends. The two controls keep their settings in
// ReadWriteForm.bag beside the program's registry file (RegisterAccessBagPath);
// the window writes that file only when it is missing.
//
// Other windows reach the controls: the set-up wizard configures QVSManager1
// through the public member, the board window's spare data lines reach its
// DataPortOrBits (data_port_or_bits.h), and the main window's "RAM/EEPROM"
// entry stops the panel's automatic reading (StopRegisterPanelAutoRead).

#include "app/core/window_registry.h"
#include "platform/registry_store.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class QGroupBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace mirelda {
class QVSRegInfo;
}
namespace orvessa {
class QVSManager;
}
namespace vsq::controls {
class ControlHost;
class PropertyBagFile;
} // namespace vsq::controls

namespace trelvane {

class ReadWriteForm : public QWidget {
    Q_OBJECT
public:
    static constexpr WindowPlacement kPlacement = WindowPlacement::MdiChild;

    ReadWriteForm();
    ~ReadWriteForm() override;

    // Load handler: the controls read their bags, the tree is built, and the
    // manager is configured and starts polling.
    void onLoad();
    // Closing hides the window and keeps it loaded.
    bool onQueryUnload();

    // Points the panel at the node's register and asks for one read; a group
    // node changes nothing.
    void Registertree_NodeClick(QTreeWidgetItem* node);
    // The node of a key; null when no node bears it.
    QTreeWidgetItem* node(const std::string& key) const;
    static std::string keyOf(const QTreeWidgetItem* node);

    QSize sizeHint() const override;

    mirelda::QVSRegInfo* QVSRegInfo1 = nullptr;
    orvessa::QVSManager* QVSManager1 = nullptr;
    QTreeWidget* Registertree = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* ChangeCMD = nullptr;
    // The keys of the nodes that are not chip, EEPROM or test registers.
    std::vector<std::string> NonRegisterKeys;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readControlBags();
    void BuildRegisterTree();
    void configureManager();
    void Form_Resize();
    void nodeBecameCurrent(QTreeWidgetItem* node);
    void mouseReleasedOnTree();

    std::unique_ptr<vsq::controls::ControlHost> host_;
    std::unordered_map<std::string, QTreeWidgetItem*> nodes_;
    bool shownBefore_ = false;
    // The current node changed while a mouse button was held, and no click
    // has answered it yet.
    bool currentUnanswered_ = false;
};

// Where the window's controls keep their settings: ReadWriteForm.bag in the
// folder of the registry file, or in the program's configuration folder when
// that file was refused.
QString RegisterAccessBagPath(
    const vsq::platform::RegistryStore& registry = vsq::platform::RegistryStore::instance());
// The settings the controls start from when that file is missing or unusable:
// a new panel serving "QVSManager1", and a new manager.
vsq::controls::PropertyBagFile RegisterAccessDesignBag();

// What the main window's "RAM/EEPROM" entry does before it shows the EEPROM
// tool: the register access window's panel stops reading on its own
// (AutoRead False). The window is loaded first when it is not.
void StopRegisterPanelAutoRead();

} // namespace trelvane
