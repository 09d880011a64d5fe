#include "app/tools/wdi_form.h"

#include "app/core/new_named.h"
#include "app/device/chip_registers.h"
#include "app/device/communications.h"
#include "app/tools/block_registers.h"
#include "app/tools/register_update.h"
#include "app/tools/tool_command.h"
#include "controls/display/selector.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace trelvane {
namespace {

using vsq::display::Selector;

namespace wdcfg = reg::field::WDCFG;
namespace pden = reg::field::PDEN;

Selector* newSelector(QWidget* parent, const char* name, const char* caption,
                      const QStringList& texts) {
    auto* selector = newNamed<Selector>(name, parent);
    selector->setCaption(caption);
    selector->setTextList(texts);
    selector->setMinimumSize(280, 220);
    return selector;
}

} // namespace

WDIFRM::WDIFRM() {
    setObjectName("WDIFRM");
    setWindowTitle("Watchdog Input");

    // The texts keep their trailing blanks as the chip's documents print them.
    PLSel = newSelector(this, "PLSel", "Pulse Length", {"10us ", "100us ", "1000us ", "10000us "});
    WTSEL = newSelector(
        this, "WTSEL", "Watchdog Timeout Period",
        {"Disabled", "200ms ", "400ms ", "800ms ", "1600ms ", "3200ms ", "6400ms ", "12800ms"});
    EnablePullDownCHK = newNamed<QCheckBox>("EnablePullDownCHK", "Enable Pulldown", this);
    RefreshCMD = newNamed<QPushButton>("RefreshCMD", "Read All", this);

    const auto write = userChange(fill_, [this] { WriteWDIConfig(); });
    connect(PLSel, &Selector::Turned, this, write);
    connect(WTSEL, &Selector::Turned, this, write);
    connect(EnablePullDownCHK, &QCheckBox::clicked, this,
            userChange(fill_, [this] { WritePullDown(); }));
    connect(RefreshCMD, &QPushButton::clicked, this,
            [this] { runToolCommand({this}, [this] { ReadWDIConfig(); }); });

    auto* selectors = new QHBoxLayout;
    selectors->addWidget(PLSel);
    selectors->addWidget(WTSEL);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(EnablePullDownCHK);
    bottom->addStretch();
    bottom->addWidget(RefreshCMD);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(selectors);
    layout->addLayout(bottom);
}

void WDIFRM::onLoad() {
    runToolCommand({this}, [this] { ReadWDIConfig(); });
}

void WDIFRM::ReadWDIConfig() {
    const std::uint8_t config = ReadRegister(reg::WDCFG);
    const std::uint8_t pullDowns = ReadRegister(reg::PDEN);
    fill_.fill([&] {
        PLSel->setPosition(static_cast<std::int16_t>(wdcfg::PULS.get(config)));
        WTSEL->setPosition(static_cast<std::int16_t>(wdcfg::PER.get(config)));
        EnablePullDownCHK->setChecked(pullDowns & pden::PDENWDI.mask);
    });
}

void WDIFRM::WriteWDIConfig() {
    WriteRegister(reg::WDCFG, static_cast<std::uint8_t>(PLSel->Position() << wdcfg::PULS.shift |
                                                        WTSEL->Position() << wdcfg::PER.shift));
}

void WDIFRM::WritePullDown() {
    const std::uint8_t bit = EnablePullDownCHK->isChecked() ? pden::PDENWDI.mask : 0;
    if (!ReadModifyWrite(reg::PDEN, static_cast<std::uint8_t>(~pden::PDENWDI.mask), bit)) {
        // Nothing was written: the box goes back to what the chip holds.
        fill_.fill([this] { EnablePullDownCHK->toggle(); });
    }
}

} // namespace trelvane
