#pragma once
// Shell tests on the simulated PC: each test starts on the default simulated PC
// (one port at 0x378 with the chip at 0xA8 behind an inverting adapter) or
// powers it up as it describes before anything reaches the bus, and runs start-up.

#include "app/shell/init_form.h"
#include "app/shell/startup.h"
#include "app/shell/testing/shell_test.h"
#include "sim/simulated_pc.h"

#include <QListWidget>
#include <QPushButton>

#include <string>

namespace trelvane::testing {

class BoardTest : public ShellTest {
protected:
    vsq::sim::SimulatedPc& pc() { return vsq::sim::SimulatedPc::instance(); }

    // Powers the simulated PC up as `config` says.
    void powerUp(const vsq::sim::SimConfig& config) { pc().configure(config); }

    // Runs start-up; returns the wizard it shows.
    InitForm& startUp() {
        Main();
        InitForm* wizard = windows().find<InitForm>();
        EXPECT_NE(wizard, nullptr);
        return *wizard;
    }

    // Next, Next: from the welcome page through the search to the results.
    static void search(InitForm& wizard) {
        wizard.NextCMD->click();
        wizard.NextCMD->click();
    }

    static QStringList entries(const InitForm& wizard) {
        QStringList texts;
        for (int row = 0; row < wizard.SearchResultsLIST->count(); ++row)
            texts << wizard.SearchResultsLIST->item(row)->text();
        return texts;
    }

    static QString printerEntry(const char* address, const char* port, int number) {
        return QString("Found an VSQ5540 at:%1h, on printer port:%2h").arg(address, port) +
               QString(50, ' ') + "Printer " + QString::number(number);
    }
};

} // namespace trelvane::testing
