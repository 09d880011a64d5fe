#include "app/shell/testing/shell_test.h"

#include "platform/registry_store.h"

#include <QCoreApplication>
#include <QEvent>

#include <cstdlib>
#include <fstream>

namespace trelvane::testing {

std::unique_ptr<QApplication> ShellTest::app_;

void ShellTest::SetUpTestSuite() {
    if (QApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "shell-tests";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
}

void ShellTest::TearDownTestSuite() {
    app_.reset();
}

void ShellTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    // Every test case runs in a process of its own: the store reads this file
    // at its first use.
    ::setenv("VSQ_REGISTRY", dir_.filePath("registry.txt").toStdString().c_str(), 1);
    auto dialogs = std::make_unique<ScriptedDialogs>();
    scripted_ = dialogs.get();
    installDialogs(std::move(dialogs));
    registry_ = std::make_unique<WindowRegistry>();
}

void ShellTest::TearDown() {
    registry_.reset();
    installDialogs(nullptr);
    scripted_ = nullptr;
}

void ShellTest::writeRegistryFile(const std::string& contents) {
    const std::string path = dir_.filePath("registry.txt").toStdString();
    std::ofstream(path, std::ios::binary) << contents;
    vsq::platform::RegistryStore::instance().reload();
}

void ShellTest::processEvents() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace trelvane::testing
