#include "app/shell/settings/forms/eeprom_form.h"

#include "app/core/new_named.h"
#include "app/core/program_end.h"
#include "app/device/chip_registers.h"
#include "app/device/communications.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace trelvane {
namespace {

std::uint8_t hexByte(const QString& text) {
    bool ok = false;
    const unsigned value = text.toUInt(&ok, 16);
    return ok ? static_cast<std::uint8_t>(value) : 0;
}

} // namespace

EEPROMFRM::EEPROMFRM() {
    setObjectName("EEPROMFRM");
    setWindowTitle("RAM/EEPROM communications");

    CopyFrame = newNamed<QGroupBox>("CopyFrame", "Save RAM settings to EEPROM Config Space.", this);
    SaveRAMCMD = newNamed<QPushButton>("SaveRAMCMD", "Start", CopyFrame);
    StopCMD = newNamed<QPushButton>("StopCMD", "Stop", CopyFrame);
    StopCMD->setEnabled(false);
    EraseEEPROMFirstCHK =
        newNamed<QCheckBox>("EraseEEPROMFirstCHK", "Erase Config EEPROM First", CopyFrame);
    EraseEEPROMFirstCHK->setChecked(true);
    EEPROMSaveProgress = newNamed<QProgressBar>("EEPROMSaveProgress", CopyFrame);
    EEPROMSaveProgress->setRange(0, 256);
    EEPROMSaveProgress->setValue(0);
    EEPROMSaveProgress->setTextVisible(false);
    auto* copyButtons = new QHBoxLayout;
    copyButtons->addWidget(SaveRAMCMD);
    copyButtons->addWidget(StopCMD);
    copyButtons->addSpacing(12);
    copyButtons->addWidget(EraseEEPROMFirstCHK);
    copyButtons->addStretch(1);
    auto* copy = new QVBoxLayout(CopyFrame);
    copy->addLayout(copyButtons);
    copy->addWidget(EEPROMSaveProgress);

    UPDCFGFrame = newNamed<QGroupBox>("UPDCFGFrame", "UPDCFG", this);
    EEPROMLD = newNamed<QPushButton>("EEPROMLD", "EEPROMLD", UPDCFGFrame);
    RAMLDCMD = newNamed<QPushButton>("RAMLDCMD", "RAMLD", UPDCFGFrame);
    UPDCFGCHK[0] = newNamed<QCheckBox>("UPDCFGCHK_0", "UPD", UPDCFGFrame);
    UPDCFGCHK[3] = newNamed<QCheckBox>("UPDCFGCHK_3", "EEERASE", UPDCFGFrame);
    // The two load buttons alike, with room around the longer caption.
    const int loadButtonWidth =
        std::max(EEPROMLD->sizeHint().width(), RAMLDCMD->sizeHint().width()) + 16;
    EEPROMLD->setMinimumWidth(loadButtonWidth);
    RAMLDCMD->setMinimumWidth(loadButtonWidth);
    auto* updcfg = new QHBoxLayout(UPDCFGFrame);
    updcfg->addWidget(EEPROMLD);
    updcfg->addWidget(RAMLDCMD);
    updcfg->addSpacing(12);
    updcfg->addWidget(UPDCFGCHK[0]);
    updcfg->addWidget(UPDCFGCHK[3]);
    updcfg->addStretch(1);

    EraseFrame = newNamed<QGroupBox>("EraseFrame", "Erase", this);
    auto* fullErase = newNamed<QGroupBox>("FullEraseFrame", "Full Erase", EraseFrame);
    EraseAllCMD = newNamed<QPushButton>("EraseAllCMD", "Erase All EEPROM", fullErase);
    StopEraseCMD = newNamed<QPushButton>("StopEraseCMD", "Stop Erase", fullErase);
    StopEraseCMD->setEnabled(false);
    auto* full = new QVBoxLayout(fullErase);
    full->addWidget(EraseAllCMD);
    full->addWidget(StopEraseCMD);
    full->addStretch(1);
    auto* pageErase = newNamed<QGroupBox>("ErasePageFrame", "Erase Page", EraseFrame);
    EEPROMHighByteCOMBO = newNamed<QComboBox>("EEPROMHighByteCOMBO", pageErase);
    PageCOMBO = newNamed<QComboBox>("PageCOMBO", pageErase);
    ErasePageCMD = newNamed<QPushButton>("ErasePageCMD", "Erase", pageErase);
    auto* page = new QGridLayout(pageErase);
    page->addWidget(new QLabel("High Byte", pageErase), 0, 0);
    page->addWidget(new QLabel("Page", pageErase), 0, 1);
    page->addWidget(EEPROMHighByteCOMBO, 1, 0);
    page->addWidget(PageCOMBO, 1, 1);
    page->addWidget(ErasePageCMD, 2, 0, 1, 2);
    auto* erase = new QHBoxLayout(EraseFrame);
    erase->addWidget(fullErase);
    erase->addWidget(pageErase);

    CloseCMD = newNamed<QPushButton>("CloseCMD", "Close", this);
    StatusBar = newNamed<QLabel>("StatusBar", this);
    StatusBar->setFrameShape(QFrame::StyledPanel);
    StatusBar->setFrameShadow(QFrame::Sunken);
    StatusBar->setMinimumHeight(StatusBar->sizeHint().height() + 4);
    StatusBar->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(CloseCMD);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CopyFrame);
    layout->addWidget(UPDCFGFrame);
    layout->addWidget(EraseFrame);
    layout->addLayout(closeRow);
    layout->addWidget(StatusBar);
    // Wide enough for the longest status line.
    setMinimumWidth(StatusBar->fontMetrics().horizontalAdvance(
                        "Please wait while RAM settings are written to the EEPROM Config "
                        "registers.") +
                    48);

    connect(EEPROMLD, &QPushButton::clicked, this, &EEPROMFRM::EEPROMLD_Click);
    connect(RAMLDCMD, &QPushButton::clicked, this, &EEPROMFRM::RAMLDCMD_Click);
    // Clicks only: showing UPDCFG's bits sets the boxes without writing it.
    connect(UPDCFGCHK[0], &QCheckBox::clicked, this, &EEPROMFRM::UPDCFGCHK_Click);
    connect(UPDCFGCHK[3], &QCheckBox::clicked, this, &EEPROMFRM::UPDCFGCHK_Click);
    connect(ErasePageCMD, &QPushButton::clicked, this, &EEPROMFRM::ErasePageCMD_Click);
    connect(EraseAllCMD, &QPushButton::clicked, this, &EEPROMFRM::EraseAllCMD_Click);
    connect(StopEraseCMD, &QPushButton::clicked, this, &EEPROMFRM::StopEraseCMD_Click);
    connect(SaveRAMCMD, &QPushButton::clicked, this, &EEPROMFRM::SaveRAMCMD_Click);
    connect(StopCMD, &QPushButton::clicked, this, &EEPROMFRM::StopCMD_Click);
    connect(CloseCMD, &QPushButton::clicked, this, &EEPROMFRM::CloseCMD_Click);
}

void EEPROMFRM::onLoad() {
    EEPROMHighByteCOMBO->addItems({"F8", "F9"});
    EEPROMHighByteCOMBO->setCurrentIndex(0);
    PageCOMBO->addItems({"0", "20", "40", "60", "80", "A0", "C0", "E0"});
    PageCOMBO->setCurrentIndex(0);
    ShowUPDCFG();
}

bool EEPROMFRM::onQueryUnload() {
    if (!running())
        return true;
    requestStops();
    closeWhenDone_ = true;
    return false;
}

QString EEPROMFRM::statusText() const {
    return StatusBar->text();
}

void EEPROMFRM::ShowUPDCFG() {
    const std::uint8_t value = ReadRegister(reg::UPDCFG);
    UPDCFGCHK[0]->setChecked((value & reg::field::UPDCFG::UPD.mask) != 0);
    UPDCFGCHK[3]->setChecked((value & reg::field::UPDCFG::EE_ERASE.mask) != 0);
}

void EEPROMFRM::WriteUPDCFG() {
    const std::uint8_t value = (UPDCFGCHK[0]->isChecked() ? reg::field::UPDCFG::UPD.mask : 0) |
                               (UPDCFGCHK[3]->isChecked() ? reg::field::UPDCFG::EE_ERASE.mask : 0);
    WriteRegister(reg::UPDCFG, value);
}

void EEPROMFRM::ArmEEPROMErase() {
    SetUPDCFGBits(reg::field::UPDCFG::EE_ERASE.mask);
    ShowUPDCFG();
}

void EEPROMFRM::SetCopyRunning(bool running) {
    SaveRAMCMD->setEnabled(!running);
}

void EEPROMFRM::runOperation(const std::function<void()>& operation) {
    ++runningOperations_;
    runOrStop(operation);
    --runningOperations_;
    if (closeWhenDone_ && !running())
        WindowRegistry::current().unload<EEPROMFRM>();
}

void EEPROMFRM::requestStops() {
    StopRequested = true;
    StopEraseRequested = true;
}

void EEPROMFRM::EEPROMLD_Click() {
    runOrStop([] { SetUPDCFGBits(reg::field::UPDCFG::EEPROMLD.mask); });
}

void EEPROMFRM::RAMLDCMD_Click() {
    runOrStop([] { SetUPDCFGBits(reg::field::UPDCFG::RAMLD.mask); });
}

void EEPROMFRM::UPDCFGCHK_Click() {
    runOrStop([this] {
        WriteUPDCFG();
        ShowUPDCFG();
    });
}

void EEPROMFRM::ErasePageCMD_Click() {
    runOperation([this] {
        ArmEEPROMErase();
        EraseEEPROMPage(hexByte(EEPROMHighByteCOMBO->currentText()),
                        hexByte(PageCOMBO->currentText()));
    });
}

void EEPROMFRM::EraseAllCMD_Click() {
    StopEraseRequested = false;
    EraseAllCMD->setEnabled(false);
    StopEraseCMD->setEnabled(true);
    runOperation([this] {
        ArmEEPROMErase();
        EraseAllEEPROMPages([this] { return StopEraseRequested; });
    });
    if (!closeWhenDone_) {
        StopEraseCMD->setEnabled(false);
        EraseAllCMD->setEnabled(true);
    }
}

void EEPROMFRM::StopEraseCMD_Click() {
    StopEraseRequested = true;
}

void EEPROMFRM::SaveRAMCMD_Click() {
    StopCMD->setEnabled(true);
    StopRequested = false;
    SetCopyRunning(true);
    runOperation([this] { CopyRegistersToConfigEEPROM(EraseEEPROMFirstCHK->isChecked(), *this); });
    if (!closeWhenDone_) {
        SetCopyRunning(false);
        StopCMD->setEnabled(false);
    }
}

void EEPROMFRM::StopCMD_Click() {
    StopRequested = true;
    StopCMD->setEnabled(false);
}

void EEPROMFRM::CloseCMD_Click() {
    if (onQueryUnload())
        WindowRegistry::current().unload<EEPROMFRM>();
}

void EEPROMFRM::showStatus(std::string_view text) {
    StatusBar->setText(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
}

void EEPROMFRM::showProgress(int value) {
    EEPROMSaveProgress->setValue(value);
}

} // namespace trelvane
