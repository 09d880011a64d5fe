#include "app/tools/pdo_form.h"

#include "app/device/communications.h"
#include "app/core/new_named.h"
#include "app/tools/tool_command.h"
#include "app/tools/tool_look.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace trelvane {

PDOFRM::PDOFRM() {
    setObjectName("PDOFRM");
    setWindowTitle("Programmable Driver Outputs");

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->addWidget(new QLabel("Output Mode", this), 0, 1);
    grid->addWidget(new QLabel("Pullup", this), 0, 2);
    for (int output = 0; output < kDriverOutputs; ++output) {
        const int row = output + 1;
        grid->addWidget(new QLabel(QString("PDO %1").arg(output + 1), this), row, 0);
        EnabledCombo[output] = newNamed<QComboBox>(QString("EnabledCombo%1").arg(output + 1), this);
        PullUpCombo[output] = newNamed<QComboBox>(QString("PullUpCombo%1").arg(output + 1), this);
        for (QComboBox* list : {EnabledCombo[output], PullUpCombo[output]}) {
            list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            connect(list, &QComboBox::activated, this,
                    userChange(fill_, [this, output] { WritePDOConfig(output); }));
        }
        grid->addWidget(EnabledCombo[output], row, 1);
        grid->addWidget(PullUpCombo[output], row, 2);
    }

    ReadAllCMD = newNamed<QPushButton>("ReadAllCMD", "Read All", this);
    CloseCMD = newNamed<QPushButton>("CloseCMD", "Close", this);
    connect(ReadAllCMD, &QPushButton::clicked, this,
            [this] { runBusy(&PDOFRM::ReadAllPDOConfig); });
    connect(CloseCMD, &QPushButton::clicked, this,
            [] { WindowRegistry::current().unload<PDOFRM>(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(newButtonRow({ReadAllCMD, CloseCMD}));
}

void PDOFRM::onLoad() {
    FillPDOLists();
    runBusy(&PDOFRM::ReadAllPDOConfig);
}

void PDOFRM::runBusy(void (PDOFRM::*command)()) {
    runToolCommand({this}, [this, command] { (this->*command)(); });
}

void PDOFRM::FillPDOLists() {
    fill_.fill([this] {
        for (int output = 0; output < kDriverOutputs; ++output) {
            EnabledCombo[output]->clear();
            EnabledCombo[output]->addItems(driverModeEntries());
            PullUpCombo[output]->clear();
            PullUpCombo[output]->addItems(pullUpEntries(output));
        }
    });
}

void PDOFRM::ReadAllPDOConfig() {
    for (int output = 0; output < kDriverOutputs; ++output)
        showConfig(output, ReadRegister(PDOCFGAddress(output)));
}

void PDOFRM::showConfig(int output, std::uint8_t value) {
    fill_.fill([&] {
        PullUpCombo[output]->setCurrentIndex(pullUpIndex(value));
        EnabledCombo[output]->setCurrentIndex(driverModeIndex(value));
    });
}

void PDOFRM::WritePDOConfig(int output) {
    const std::uint8_t value =
        PDOConfigValue(EnabledCombo[output]->currentIndex(), PullUpCombo[output]->currentIndex());
    WriteRegister(PDOCFGAddress(output), value);
    // An entry with no code of its own ("Undefined") writes 0: show what the
    // chip now holds.
    showConfig(output, value);
}

} // namespace trelvane
