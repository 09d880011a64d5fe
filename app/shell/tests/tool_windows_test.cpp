// Every tool window inside the main window's MDI area, and the settings dialog
// in both its modes, as the program opens them: what they show when they open,
// and how they go when unloaded while one of their own sequences yields to the
// event loop.

#include "app/board/probes_frm.h"
#include "app/core/frame_fit.h"
#include "app/device/object_descriptors.h"
#include "app/logicblocks/plbfrm.h"
#include "app/shell/settings/forms/save_recall_settings_form.h"
#include "app/shell/testing/window_test.h"
#include "app/tools/gpio_form.h"
#include "app/tools/pdo_form.h"
#include "app/tools/pfi_form.h"
#include "app/tools/programmable_delay_form.h"
#include "app/tools/wdi_form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>
#include <ostream>

namespace trelvane {
namespace {

struct ToolWindow {
    const char* name;
    QWidget* (*show)(WindowRegistry& windows);
    QWidget* (*find)(const WindowRegistry& windows);
    void (*unload)(WindowRegistry& windows);
    // One of the window's own sequences that reads or writes the chip.
    std::function<void(QWidget& window)> sequence;
    // The MDI area it opens in: the main window's at its default size, or, for
    // the settings dialog, the one that size leaves on a 640 x 480 screen.
    QSize area{1100, 760};
};

void PrintTo(const ToolWindow& window, std::ostream* out) {
    *out << window.name;
}

template <class W, class Sequence> ToolWindow tool(const char* name, Sequence sequence) {
    return {name, [](WindowRegistry& w) -> QWidget* { return &w.show<W>(); },
            [](const WindowRegistry& w) -> QWidget* { return w.find<W>(); },
            [](WindowRegistry& w) { w.unload<W>(); },
            [sequence](QWidget& window) { sequence(static_cast<W&>(window)); }};
}

// The File menu's command of one mode; its sequence saves the registers, or
// recalls one register from the default file in the home folder.
template <bool kSave> ToolWindow settingsDialog(const char* name) {
    return {name,
            [](WindowRegistry& w) -> QWidget* {
                ShowSaveRecallSettings(kSave);
                return w.find<SaveRecallSettingsForm>();
            },
            [](const WindowRegistry& w) -> QWidget* { return w.find<SaveRecallSettingsForm>(); },
            [](WindowRegistry& w) { w.unload<SaveRecallSettingsForm>(); },
            [](QWidget& window) {
                if (!kSave) {
                    QFile file(QDir::home().filePath("VSQ7713DumpFile.txt"));
                    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                    file.write("Ombrix VSQ5540 Data File, 10:15:32, 07/12/2026\r\n"
                               "0RS A8h 0Dh 12h\r\n");
                }
                auto& dialog = static_cast<SaveRecallSettingsForm&>(window);
                dialog.RAMCHK->click();
                dialog.StartCMD->click();
            },
            {576, 390}};
}

const ToolWindow kToolWindows[] = {
    tool<PFIFRM>("SupplyFaultSelectsVH", [](PFIFRM& w) { w.PFITXT[6]->click(); }),
    tool<ProgrammableDelayFRM>("DelayWriteAll", [](auto& w) { w.WriteALLCMD->click(); }),
    tool<ProgrammableDelayFRM>("DelayReadAll", [](auto& w) { w.ReadAllCMD->click(); }),
    tool<PDOFRM>("DriverOutputsReadAll", [](PDOFRM& w) { w.ReadAllCMD->click(); }),
    tool<GPIOFRM>("GeneralPurposeInputsReadAll", [](GPIOFRM& w) { w.ReadAllCMD->click(); }),
    tool<WDIFRM>("WatchdogReadAll", [](WDIFRM& w) { w.RefreshCMD->click(); }),
    tool<ProbesFrm>("BoardReadAll", [](ProbesFrm& w) { w.ReadAllCMD->click(); }),
    tool<PLBFRM>("LogicBlocksWriteAll", [](PLBFRM& w) { w.ApplyCMD->click(); }),
    settingsDialog<true>("SaveSettings"),
    settingsDialog<false>("RecallSettings"),
};

class ToolWindowsTest : public testing::WindowTest,
                        public ::testing::WithParamInterface<ToolWindow> {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        previousHome_ = qgetenv("HOME");
        qputenv("HOME", home_.path().toUtf8()); // where the default settings file goes
        CreateObjectDescriptors();
        area_->resize(GetParam().area);
        area_->show();
        windows().setMdiHost([this] { return area_.get(); });
    }

    QWidget& show() {
        QWidget* window = GetParam().show(windows());
        processEvents();
        return *window;
    }

    void TearDown() override {
        qputenv("HOME", previousHome_);
        WindowTest::TearDown();
    }

    std::unique_ptr<QMdiArea> area_ = std::make_unique<QMdiArea>();

private:
    QTemporaryDir home_;
    QByteArray previousHome_;
};

// The width a closed list gives the text of its entry.
int entryRoom(const QComboBox& list) {
    QStyleOptionComboBox option;
    option.initFrom(&list);
    option.editable = list.isEditable();
    option.frame = list.hasFrame();
    option.subControls = QStyle::SC_All;
    return list.style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &list)
        .width();
}

void expectEverythingVisibleWhole(const QWidget& window) {
    for (const QComboBox* list : window.findChildren<QComboBox*>()) {
        if (!list->isVisibleTo(&window))
            continue;
        QString widest;
        for (int entry = 0; entry < list->count(); ++entry)
            if (list->fontMetrics().horizontalAdvance(list->itemText(entry)) >
                list->fontMetrics().horizontalAdvance(widest))
                widest = list->itemText(entry);
        EXPECT_LE(list->fontMetrics().horizontalAdvance(widest), entryRoom(*list))
            << list->objectName().toStdString() << ": \"" << widest.toStdString() << "\"";
    }
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->isVisibleTo(&window) && !label->wordWrap() && !label->text().isEmpty()) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(&window) && !button->text().isEmpty()) {
            EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
        }
    }
}

TEST_P(ToolWindowsTest, OpensShowingEveryListEntryCaptionAndTitleWhole) {
    QWidget& window = show();
    auto* frame = qobject_cast<QMdiSubWindow*>(windows().frameOf(&window));
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(QRect(QPoint(0, 0), area_->viewport()->size()).contains(frame->geometry()))
        << frame->geometry().bottomRight().x() << "," << frame->geometry().bottom() << " in "
        << area_->viewport()->width() << "x" << area_->viewport()->height();
    // Wrapping texts get the height they need at the window's width: no empty
    // band opens at its foot, and no row is squeezed.
    if (window.hasHeightForWidth()) {
        EXPECT_EQ(window.height(), window.heightForWidth(window.width())) << window.width();
    }
    const QFontMetrics titleFont(QApplication::font("QMdiSubWindowTitleBar"));
    EXPECT_GE(frameTitleRoom(*frame, frame->width()),
              titleFont.horizontalAdvance(window.windowTitle()))
        << frame->width();

    // Each page of each tab, and again after the window read the chip.
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) {
            GetParam().sequence(window);
            processEvents();
        }
        const auto tabs = window.findChildren<QTabWidget*>();
        if (tabs.isEmpty())
            expectEverythingVisibleWhole(window);
        for (QTabWidget* tab : tabs)
            for (int page = 0; page < tab->count(); ++page) {
                SCOPED_TRACE(tab->tabText(page).toStdString());
                tab->setCurrentIndex(page);
                processEvents();
                expectEverythingVisibleWhole(window);
            }
    }
}

// Frames yield while they wait; one of those yields unloads the window (a
// timer posted by the first yield runs inside the next one), and the yields
// after it run deferred deletes.
TEST_P(ToolWindowsTest, UnloadedDuringItsOwnSequenceStaysUntilItEndsThenGoes) {
    QWidget& window = show();
    const QPointer<QWidget> watched = &window;
    protocol().setFrameDelay(0.001f);
    vsq::platform::VirtualTime time;
    bool unloadPosted = false;
    bool unloaded = false;
    bool destroyedMidway = false;
    bool shownAfterUnload = true;
    const auto previous = vsq::platform::setYieldHook([&](vsq::platform::YieldMode) {
        time.clock().advance(0.001);
        if (!unloadPosted) {
            unloadPosted = true;
            QTimer::singleShot(0, [&] {
                GetParam().unload(windows());
                unloaded = true;
                shownAfterUnload = watched && watched->isVisible();
            });
        }
        QCoreApplication::processEvents();
        if (unloaded && !watched)
            destroyedMidway = true;
    });
    GetParam().sequence(window);
    vsq::platform::setYieldHook(previous);

    EXPECT_TRUE(unloaded);
    EXPECT_FALSE(shownAfterUnload);
    EXPECT_FALSE(destroyedMidway);
    EXPECT_EQ(GetParam().find(windows()), nullptr);
    processEvents();
    EXPECT_TRUE(watched.isNull());
}

INSTANTIATE_TEST_SUITE_P(EachTool, ToolWindowsTest, ::testing::ValuesIn(kToolWindows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace trelvane
