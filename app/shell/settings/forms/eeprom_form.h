#pragma once
// EEPROMFRM, "RAM/EEPROM communications": copies the chip's working registers
// into its configuration EEPROM, erases one EEPROM page or all of them, sets
// the load bits of UPDCFG and shows and sets its UPD and EE_ERASE bits.
//
// The copy and the erases yield to the user interface while they wait, so the
// window stays usable; closing it while one runs stops it and closes the
// window once it has ended. UPDCFG is written only by the user's own clicks.

#include "app/core/window_registry.h"
#include "app/shell/settings/eeprom_operations.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace trelvane {

class EEPROMFRM : public QWidget, private EEPROMCopyListener {
    Q_OBJECT
public:
    static constexpr WindowPlacement kPlacement = WindowPlacement::MdiChild;

    EEPROMFRM();
    void onLoad();
    bool onQueryUnload();

    // Reads UPDCFG once and checks the UPD and EEERASE boxes by its bits.
    void ShowUPDCFG();
    QString statusText() const;
    bool running() const { return runningOperations_ > 0; }

    QGroupBox* CopyFrame = nullptr;
    QPushButton* SaveRAMCMD = nullptr;
    QPushButton* StopCMD = nullptr;
    QProgressBar* EEPROMSaveProgress = nullptr;
    QCheckBox* EraseEEPROMFirstCHK = nullptr;
    QGroupBox* UPDCFGFrame = nullptr;
    QPushButton* EEPROMLD = nullptr;
    QPushButton* RAMLDCMD = nullptr;
    // Indexed by UPDCFG bit: element 0 "UPD", element 3 "EEERASE".
    std::array<QCheckBox*, 4> UPDCFGCHK{};
    QGroupBox* EraseFrame = nullptr;
    QPushButton* EraseAllCMD = nullptr;
    QPushButton* StopEraseCMD = nullptr;
    QPushButton* ErasePageCMD = nullptr;
    QComboBox* EEPROMHighByteCOMBO = nullptr;
    QComboBox* PageCOMBO = nullptr;
    QPushButton* CloseCMD = nullptr;
    QLabel* StatusBar = nullptr;

    bool StopRequested = false;
    bool StopEraseRequested = false;

private:
    void EEPROMLD_Click();
    void RAMLDCMD_Click();
    void UPDCFGCHK_Click();
    void ErasePageCMD_Click();
    void EraseAllCMD_Click();
    void StopEraseCMD_Click();
    void SaveRAMCMD_Click();
    void StopCMD_Click();
    void CloseCMD_Click();

    void WriteUPDCFG();
    void ArmEEPROMErase();
    void SetCopyRunning(bool running);
    // Runs one operation that may yield; a close asked for meanwhile happens after it.
    void runOperation(const std::function<void()>& operation);
    void requestStops();

    // EEPROMCopyListener
    void showStatus(std::string_view text) override;
    void showUPDCFG() override { ShowUPDCFG(); }
    void showProgress(int value) override;
    bool stopRequested() override { return StopRequested; }

    int runningOperations_ = 0;
    bool closeWhenDone_ = false;
};

} // namespace trelvane
