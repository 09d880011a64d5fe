#include "app/shell/startup.h"

#include "app/board/probes_frm.h"
#include "app/device/chip_road.h"
#include "app/device/object_descriptors.h"
#include "app/logicblocks/plbfrm.h"
#include "app/registers/readwrite_form.h"
#include "app/core/window_registry.h"
#include "app/shell/init_form.h"
#include "app/shell/main_form.h"
#include "app/shell/splash_form.h"
#include "app/tools/pdo_form.h"
#include "app/tools/pfi_form.h"
#include "app/tools/programmable_delay_form.h"

#include <QMdiArea>
#include <QProgressBar>

namespace trelvane {

const std::vector<ToolLoadStep>& toolLoadSteps() {
    // Each tool window's line and load go here as the window is built, in this
    // order: "Loading Programmable Driver Output Tool" (PDOFRM), "Loading Power
    // Fail Inputs Tool" (PFIFRM), "Loading Programmable Logic Block Tool"
    // (PLBFRM), "Loading Programmable Delay Tool" (ProgrammableDelayFRM),
    // "Loading Generic Communications Tool" (ReadWriteForm), "Loading
    // Evaluation Board Configuration Tool" (ProbesFrm).
    static const std::vector<ToolLoadStep> steps = {
        {"Loading Programmable Driver Output Tool", [](WindowRegistry& w) { w.load<PDOFRM>(); }},
        {"Loading Power Fail Inputs Tool", [](WindowRegistry& w) { w.load<PFIFRM>(); }},
        {"Loading Programmable Logic Block Tool", [](WindowRegistry& w) { w.load<PLBFRM>(); }},
        {"Loading Programmable Delay Tool",
         [](WindowRegistry& w) { w.load<ProgrammableDelayFRM>(); }},
        {"Loading Generic Communications Tool", [](WindowRegistry& w) { w.load<ReadWriteForm>(); }},
        {"Loading Evaluation Board Configuration Tool",
         [](WindowRegistry& w) { w.load<ProbesFrm>(); }},
    };
    return steps;
}

void LoadTools() {
    for (const auto& step : toolLoadSteps()) {
        ShowSplashStatus(step.statusLine);
        step.load(WindowRegistry::current());
    }
}

void Main() {
    WindowRegistry& windows = WindowRegistry::current();
    windows.setMdiHost([&windows] { return windows.load<TMainForm>().mdiArea(); });

    GoToChip(kStartUpPlace, SettingFailure::Raise);

    frmSplash& splash = windows.show<frmSplash>();
    // Ten for each status line: the main program, the descriptors, each tool
    // window, and "Done".
    const int statusLines = 3 + static_cast<int>(toolLoadSteps().size());
    splash.StatusProgress->setRange(0, 10 * statusLines);
    splash.StatusProgress->setValue(0);
    splash.repaintNow();

    ShowSplashStatus("Loading Main Program");
    windows.load<TMainForm>();
    ShowSplashStatus("Loading Object Descriptors");
    CreateObjectDescriptors();
    LoadTools();
    windows.load<InitForm>();
    ShowSplashStatus("Done");
    windows.unload<frmSplash>();
    windows.show<InitForm>();
}

} // namespace trelvane
