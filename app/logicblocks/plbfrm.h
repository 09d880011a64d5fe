#pragma once
// PLBFRM, "Programmable Logic Blocks": the input side of the chip's nine
// logic blocks, one page per block. The window holds the whole configuration
// in its toggle arrays (element n on page n) and keeps no other copy. "Read
// All" reads every block's input-selection and enable registers into the
// toggles, "Write All" writes them all back, each in five steps shown in the
// status bar; "Disable Now" switches off the inputs of function A and/or B of
// the block on the current page, then writes everything.
//
// The sequences never leave the window busy: a bus transfer that fails is
// counted and reported in place of "Done", and an error raised part way ends
// the sequence with a message, the window usable again.

#include "app/logicblocks/toggle_arrays.h"
#include "app/core/window_registry.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <map>
#include <span>
#include <string>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QStatusBar;
class QTabWidget;

namespace vsq::display {
class Toggle;
}

namespace trelvane {

class PLBPage;

class PLBFRM : public QWidget, public ToggleArrays {
    Q_OBJECT
public:
    static constexpr WindowPlacement kPlacement = WindowPlacement::MdiChild;

    PLBFRM();
    ~PLBFRM() override;

    // Load handler: Read All.
    void onLoad();
    // Closing unloads the window (its edits go), except while a sequence runs.
    bool onQueryUnload();

    // ToggleArrays: element `block` of the array named `name`.
    bool toggleState(std::string_view name, int block) const override;
    void setToggleState(std::string_view name, int block, bool on) override;
    vsq::display::Toggle& toggle(std::string_view name, int block) const;
    // The names of the toggle arrays, in no particular order.
    std::vector<std::string> toggleArrayNames() const;

    void ReadAllCMD_Click();
    void ApplyCMD_Click();
    void DisablePLB_Click();
    void SetStatus(const QString& text);
    void SetBusy(bool busy);

    QTabWidget* PLBTab = nullptr;
    std::array<PLBPage*, 10> PLBFrame{}; // elements 1 to 9
    QPushButton* ApplyCMD = nullptr;
    QPushButton* ReadAllCMD = nullptr;
    QGroupBox* Frame2 = nullptr;
    QCheckBox* FuncationACHK = nullptr;
    QCheckBox* FuncationBCHK = nullptr;
    QPushButton* DisablePLB = nullptr;
    QLabel* PLBDLBL = nullptr;
    QFrame* Frame1 = nullptr;
    std::array<QLabel*, 4> Label6{};
    QStatusBar* StatusBar = nullptr;

    struct Step {
        const char* status;
        void (*run)(PLBFRM& window);
    };

private:
    QWidget* newControls();
    QFrame* newLegend();
    void runSequence(std::span<const Step> steps);
    void PLBTab_Click();
    void switchOff(std::span<const std::string_view> arrays);

    using ToggleArray = std::array<QPointer<vsq::display::Toggle>, 10>;
    std::map<std::string, ToggleArray, std::less<>> arrays_;
    bool busy_ = false;
};

} // namespace trelvane
