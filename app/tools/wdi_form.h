#pragma once
// WDIFRM ("Watchdog Input"): the watchdog detector's timeout period and output
// pulse length (WDCFG) on two rotary selectors, and the watchdog input's
// pull-down (PDEN bit 4). Loading and "Read All" fill the controls from the
// chip and write nothing; a turn of either selector writes both fields at
// once; the pull-down is a read-modify-write of PDEN that writes nothing when
// its read fails.

#include "app/core/window_registry.h"
#include "app/tools/fill_guard.h"

#include <QWidget>

class QCheckBox;
class QPushButton;

namespace vsq::display {
class Selector;
}

namespace trelvane {

class WDIFRM : public QWidget {
    Q_OBJECT
public:
    static constexpr WindowPlacement kPlacement = WindowPlacement::MdiChild;

    WDIFRM();

    void onLoad();

    vsq::display::Selector* PLSel = nullptr;
    vsq::display::Selector* WTSEL = nullptr;
    QCheckBox* EnablePullDownCHK = nullptr;
    QPushButton* RefreshCMD = nullptr;

private:
    void ReadWDIConfig();
    void WriteWDIConfig();
    void WritePullDown();

    FillGuard fill_;
};

} // namespace trelvane
