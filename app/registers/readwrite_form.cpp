#include "app/registers/readwrite_form.h"

#include "app/core/new_named.h"
#include "app/core/program_end.h"
#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/device/data_port_or_bits.h"
#include "app/device/vsq5540.h"
#include "app/registers/register_selection.h"
#include "app/registers/register_tree.h"
#include "app/registers/tree_images.h"
#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"
#include "controls/common/control_host.h"
#include "controls/common/twips.h"
#include "controls/manager/qvsmanager.h"
#include "controls/reginfo/qvsreginfo.h"
#include "controls/reginfo/qvsreginfo_ids.h"
#include "platform/registry_store.h"
#include "platform/setup_report.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace trelvane {
namespace {

using vsq::controls::pixelsFromTwips;
namespace ManagerId = orvessa::QVSManagerId;

namespace PanelId = mirelda::QVSRegInfoId;

// Layout at opening, in twips.
constexpr int kClientWidth = 7410;
constexpr int kClientHeight = 6345;
constexpr int kTreeTop = 1920;
constexpr int kTreeWidth = 7335;
constexpr int kTreeHeight = 4395;

// The sizing rule, in twips of the window's outer size. The figures count
// the frame of the desktop the window was drawn for, 20 twips wider and 350
// taller than the client area; the rule applies them to the client area plus
// that frame, so the tree meets the window's bottom edge whatever frame this
// desktop draws.
constexpr int kFrameWidth = 20;
constexpr int kFrameHeight = 350;
constexpr int kFixedWidth = 7430;
constexpr int kMinimisedWidth = 2400; // a minimised window is left alone
constexpr int kGraphMinimumHeight = 5000;
constexpr int kMinimumHeight = 4000;
constexpr int kGraphTreeAllowance = 2330;
constexpr int kTreeAllowance = 2300;

// Room beside a frame's caption, in pixels.
constexpr int kFrameCaptionMargin = 16;

// The narrowest indentation that still shows the expand buttons.
constexpr int kSmallestIndentation = 12;

// A settings file larger than this is not read.
constexpr qint64 kMostBagFileBytes = 1 << 20;

// The manager's settings at load.
constexpr std::uint8_t kStartDeviceAddress = 170;
constexpr std::int16_t kStartPrinterPortAddress = 888;

QRect pixelRect(int left, int top, int width, int height) {
    return QRect(pixelsFromTwips(left), pixelsFromTwips(top), pixelsFromTwips(width),
                 pixelsFromTwips(height));
}

std::optional<vsq::controls::PropertyBagFile> loadBagFile(const QString& path, QString& error) {
    const QFileInfo file(path);
    if (!file.exists()) {
        error = path + QStringLiteral(": no such file");
        return std::nullopt;
    }
    if (!file.isFile() || file.size() > kMostBagFileBytes) {
        error = path + QStringLiteral(": not a settings file (a regular file of at most 1 MiB)");
        return std::nullopt;
    }
    auto loaded = vsq::controls::PropertyBagFile::load(path, error);
    // An empty file is what a write that failed unnoticed leaves behind.
    const auto holdsSetting = [](const auto& section) { return !section.second.entries().empty(); };
    if (loaded &&
        std::none_of(loaded->sections().begin(), loaded->sections().end(), holdsSetting)) {
        error = path + QStringLiteral(": holds no setting");
        return std::nullopt;
    }
    return loaded;
}

// Says a problem with the settings file (or its folder) on standard error:
// `problem` names the file or folder and the cause, `outcome` what becomes
// of the file.
void reportBagProblem(const QString& problem, const char* outcome) {
    vsq::platform::reportSetupProblem(problem.toStdString() +
                                      "; the register access window's settings " + outcome +
                                      " and the window starts from its own settings");
}

} // namespace

ReadWriteForm::ReadWriteForm() : host_(std::make_unique<vsq::controls::ControlHost>(*this)) {
    setObjectName("ReadWriteForm");
    setWindowTitle("Register Access");

    QVSRegInfo1 = newNamed<mirelda::QVSRegInfo>("QVSRegInfo1", this);
    QVSRegInfo1->move(0, 0);

    Registertree = newNamed<QTreeWidget>("Registertree", this);
    Registertree->setGeometry(pixelRect(0, kTreeTop, kTreeWidth, kTreeHeight));
    Registertree->setHeaderHidden(true);
    Registertree->setUniformRowHeights(true);
    Registertree->setColumnCount(1);
    connect(Registertree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        currentUnanswered_ = false;
        runOrStop([&] { Registertree_NodeClick(item); });
    });
    connect(Registertree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { nodeBecameCurrent(item); });
    Registertree->viewport()->installEventFilter(this);

    // Lies over the lower right of the tree's area.
    Frame1 = newNamed<QGroupBox>("Frame1", "Address Pointer Change", this);
    QRect frame = pixelRect(5160, 3840, 1935, 1935);
    // Wide enough for its caption in this desktop's font, its right edge kept.
    const int captionWidth =
        Frame1->fontMetrics().horizontalAdvance(Frame1->title()) + kFrameCaptionMargin;
    frame.setLeft(std::min(frame.left(), frame.right() - captionWidth));
    Frame1->setGeometry(frame);
    ChangeCMD = newNamed<QPushButton>("ChangeCMD", "Change", Frame1);
    ChangeCMD->setGeometry(pixelRect(120, 720, 855, 255));

    // Draws nothing at run time.
    QVSManager1 = newNamed<orvessa::QVSManager>("QVSManager1", this);
    QVSManager1->hide();

    host_->add(*QVSRegInfo1, "QVSRegInfo1");
    host_->add(*QVSManager1, "QVSManager1");

    // The panel lays itself out again whenever its layout properties change:
    // the window follows its size.
    QVSRegInfo1->installEventFilter(this);
    resize(pixelsFromTwips(kClientWidth), pixelsFromTwips(kClientHeight));
}

ReadWriteForm::~ReadWriteForm() {
    connectDataPortOrBits({});
}

QSize ReadWriteForm::sizeHint() const {
    return QSize(pixelsFromTwips(kClientWidth), pixelsFromTwips(kClientHeight));
}

void ReadWriteForm::onLoad() {
    readControlBags();
    BuildRegisterTree();
    configureManager();
    // The board window's spare data lines reach the manager's copy of them.
    connectDataPortOrBits([manager = QVSManager1](std::uint8_t bits) {
        manager->dispatchPut(ManagerId::DataPortOrBits, QVariant::fromValue(bits));
    });
}

bool ReadWriteForm::onQueryUnload() {
    QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    (frame ? frame : this)->hide();
    return false;
}

void ReadWriteForm::readControlBags() {
    const QString path = RegisterAccessBagPath();
    QString error;
    if (const auto stored = loadBagFile(path, error)) {
        const auto status = vsq::controls::statusOf([&] { host_->readProperties(*stored); });
        if (!status.failed())
            return;
        error = path + QStringLiteral(": ") + status.description;
    }
    const vsq::controls::PropertyBagFile design = RegisterAccessDesignBag();
    host_->readProperties(design);
    if (QFileInfo::exists(path)) {
        reportBagProblem(error, "file is left as it is");
        return;
    }
    const std::filesystem::path folder = QFileInfo(path).absolutePath().toStdString();
    std::error_code made;
    std::filesystem::create_directories(folder, made);
    if (made) {
        reportBagProblem(QString::fromStdString(folder.string() + ": " + made.message()),
                         "folder cannot be made");
        return;
    }
    if (!design.save(path, error))
        reportBagProblem(error, "file is not written");
}

void ReadWriteForm::BuildRegisterTree() {
    Registertree->setIndentation(kSmallestIndentation);

    const std::array<QIcon, 4> images = {
        RegisterTreeImage(NodeImage::Chip), RegisterTreeImage(NodeImage::Desktop),
        RegisterTreeImage(NodeImage::Folder), RegisterTreeImage(NodeImage::ReadWrite)};
    const std::vector<RegisterTreeNode> nodes = RegisterTreeNodes(gRegisterMap());
    nodes_.clear();
    nodes_.reserve(nodes.size());
    // Built apart from the view, then handed to it whole.
    std::vector<QTreeWidgetItem*> roots;
    for (const RegisterTreeNode& node : nodes) {
        QTreeWidgetItem* item = nullptr;
        if (node.parentKey.empty()) {
            item = new QTreeWidgetItem;
            roots.push_back(item);
        } else {
            item = new QTreeWidgetItem(nodes_.at(node.parentKey));
        }
        item->setText(0, QString::fromStdString(node.text));
        item->setIcon(0, images.at(static_cast<std::size_t>(node.image) - 1));
        item->setData(0, Qt::UserRole, QString::fromStdString(node.key));
        if (!nodes_.emplace(node.key, item).second)
            throw std::logic_error("Register tree key used twice: " + node.key);
    }
    for (QTreeWidgetItem* root : roots)
        Registertree->addTopLevelItem(root);

    const auto& keys = NonRegisterKeyTable();
    NonRegisterKeys.assign(keys.begin(), keys.end());

    for (const std::string_view key : kVisibleAfterBuild) {
        QTreeWidgetItem* item = nodes_.at(std::string(key));
        for (QTreeWidgetItem* above = item->parent(); above; above = above->parent())
            above->setExpanded(true);
        Registertree->scrollToItem(item);
    }
}

void ReadWriteForm::configureManager() {
    orvessa::QVSManager& manager = *QVSManager1;
    manager.dispatchPut(ManagerId::CommType, QVariant::fromValue(orvessa::kParallelPort));
    manager.dispatchPut(ManagerId::ControlPortOrBits, QVariant::fromValue<quint8>(0));
    manager.dispatchPut(ManagerId::DataPortOrBits, QVariant::fromValue<quint8>(0));
    manager.dispatchPut(ManagerId::StatusPortOrBits, QVariant::fromValue<quint8>(0));
    manager.dispatchPut(ManagerId::DeviceAddress, QVariant::fromValue(kStartDeviceAddress));
    manager.dispatchPut(ManagerId::Enabled, true);
    manager.dispatchPut(ManagerId::PrinterPortAddress,
                        QVariant::fromValue(kStartPrinterPortAddress));
}

std::string ReadWriteForm::keyOf(const QTreeWidgetItem* node) {
    return node ? node->data(0, Qt::UserRole).toString().toStdString() : std::string();
}

QTreeWidgetItem* ReadWriteForm::node(const std::string& key) const {
    const auto found = nodes_.find(key);
    return found == nodes_.end() ? nullptr : found->second;
}

// The panel stands for the node the tree highlights, however it got there.
// Moving through the tree with the keyboard reads each register reached; a
// node reached with a mouse button held is answered when the button is let
// go: by the click when pressed and released on it, else as if clicked.
void ReadWriteForm::nodeBecameCurrent(QTreeWidgetItem* node) {
    if (QApplication::mouseButtons() != Qt::NoButton) {
        currentUnanswered_ = true;
        return;
    }
    currentUnanswered_ = false;
    runOrStop([&] { Registertree_NodeClick(node); });
}

bool ReadWriteForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == QVSRegInfo1 && event->type() == QEvent::Resize)
        Form_Resize();
    // After the tree has had the release, and with it the chance of a click.
    if (watched == Registertree->viewport() && event->type() == QEvent::MouseButtonRelease)
        QMetaObject::invokeMethod(this, &ReadWriteForm::mouseReleasedOnTree, Qt::QueuedConnection);
    return QWidget::eventFilter(watched, event);
}

void ReadWriteForm::mouseReleasedOnTree() {
    if (!currentUnanswered_ || QApplication::mouseButtons() != Qt::NoButton)
        return;
    currentUnanswered_ = false;
    runOrStop([&] { Registertree_NodeClick(Registertree->currentItem()); });
}

void ReadWriteForm::Registertree_NodeClick(QTreeWidgetItem* node) {
    if (!node)
        return;
    const auto setup =
        SetUpForNode(keyOf(node), node->text(0).toStdString(), gChipAddress, gRegisterMap());
    if (!setup)
        return;

    if (setup->copyManagerAddress) {
        const std::uint8_t configured = gComPort().PrinterPort()->SMBusProtocall()->DeviceAddress();
        QVSManager1->dispatchPut(ManagerId::DeviceAddress, QVariant::fromValue(configured));
    }
    mirelda::QVSRegInfo& panel = *QVSRegInfo1;
    panel.dispatchPut(PanelId::CommunicationsType,
                      QVariant::fromValue<qint32>(setup->communicationsType));
    panel.dispatchPut(PanelId::DeviceAddress, static_cast<float>(setup->deviceAddress));
    panel.dispatchPut(PanelId::AddressPointer, setup->addressPointer);
    // After the address, which clears the mask.
    panel.dispatchPut(PanelId::ReadOnlyBitMask, setup->readOnlyBitMask);
    // A shown graph asks for the details to start on the second line.
    const QString prefix =
        panel.dispatchGet(PanelId::DisplayGraph).toBool() ? QStringLiteral("\r") : QString();
    panel.dispatchPut(PanelId::RegisterDetails, prefix + QString::fromStdString(setup->details));
    for (std::size_t bit = 0; bit < setup->bitTexts.size(); ++bit)
        panel.dispatchPut(PanelId::bitText(static_cast<int>(bit)),
                          QString::fromStdString(setup->bitTexts[bit]));
    panel.dispatchPut(PanelId::ExecuteRead, true);
    panel.dispatchPut(PanelId::Flag, true);
    for (int bit = 0; bit < setup->notApplicableBits; ++bit)
        panel.dispatchPut(PanelId::bitText(bit), QStringLiteral("N/A"));
}

// The keyboard starts in the tree: choosing a register comes first, and a
// stray Enter in a value box would write the panel's value to whatever it
// pointed at before any register was chosen. Later showings keep the focus
// where the user left it.
void ReadWriteForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownBefore_)
        Registertree->setFocus();
    shownBefore_ = true;
}

void ReadWriteForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

// The width is fixed and the height has a floor; the tree takes the height
// that the panel leaves. The fixed width is 7430 twips, or the panel's own
// width where that is more: in its wide layout the panel's chart stands at its
// right-hand end, beyond 7430. A minimised window keeps its size.
void ReadWriteForm::Form_Resize() {
    auto* subWindow = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (subWindow && (subWindow->isMinimized() || subWindow->isShaded()))
        return;
    const int frameWidth = pixelsFromTwips(kFrameWidth);
    const int frameHeight = pixelsFromTwips(kFrameHeight);
    const QSize outer(width() + frameWidth, height() + frameHeight);
    if (outer.width() == pixelsFromTwips(kMinimisedWidth))
        return;

    const bool graph = QVSRegInfo1->dispatchGet(PanelId::DisplayGraph).toBool();
    const int floor = pixelsFromTwips(graph ? kGraphMinimumHeight : kMinimumHeight);
    const int panelRight = QVSRegInfo1->geometry().right() + 1;
    const int fixedWidth = std::max(pixelsFromTwips(kFixedWidth), panelRight + frameWidth);
    const QSize wanted(fixedWidth, std::max(outer.height(), floor));
    Registertree->resize(Registertree->width(),
                         wanted.height() -
                             pixelsFromTwips(graph ? kGraphTreeAllowance : kTreeAllowance));
    // The frame keeps its place; a window too short to show it whole leaves it out.
    const int clientHeight = wanted.height() - frameHeight;
    Frame1->setHidden(Frame1->geometry().bottom() >= clientHeight);
    if (wanted == outer)
        return;
    const QSize client(wanted.width() - frameWidth, wanted.height() - frameHeight);
    if (subWindow)
        subWindow->resize(subWindow->size() + (client - size()));
    else
        resize(client);
}

QString RegisterAccessBagPath(const vsq::platform::RegistryStore& registry) {
    // Beside a registry file that could be read; a refused one (a device, a
    // folder, a file too large) gets no neighbour: the bag stays in the
    // program's own configuration folder.
    const QString folder =
        registry.fileRefused()
            ? QString::fromStdString(vsq::platform::RegistryStore::configFolder())
            : QFileInfo(QString::fromStdString(registry.filePath())).absolutePath();
    return QDir(folder).filePath(QStringLiteral("ReadWriteForm.bag"));
}

vsq::controls::PropertyBagFile RegisterAccessDesignBag() {
    QWidget window;
    vsq::controls::ControlHost host(window);
    mirelda::QVSRegInfo panel(&window);
    orvessa::QVSManager manager(&window);
    host.add(panel, "QVSRegInfo1");
    host.add(manager, "QVSManager1");
    host.placeNew();
    panel.setMaster("QVSManager1");
    return host.writeProperties();
}

void StopRegisterPanelAutoRead() {
    WindowRegistry::current().load<ReadWriteForm>().QVSRegInfo1->dispatchPut(PanelId::AutoRead,
                                                                             false);
}

} // namespace trelvane
