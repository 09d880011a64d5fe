#include "app/shell/testing/shell_test.h"

#include "app/core/app_globals.h"
#include "app/device/tests/simulated_board.h"
#include "platform/parallel_port_driver.h"
#include "platform/registry_store.h"
#include "platform/services.h"

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

namespace {

// What a test may have changed of the process as a whole, put back as the
// program finds it when it starts: the device layer, the bus state and the
// simulated PC, the program's options, the parallel-port driver library's name, and the registry
// store, which now keeps this test's own file. (A test that chooses the driver library's backend
// puts it back itself: only its binary links the library.)
void resetShellProcessState(const std::string& registryFile) {
    resetProcessState();
    gEmulateFixedSilicon = false;
    for (const char* name : {"VSQ_PARPORT", "VSQ_PARPORT_LIBRARY", "VSQ_PORTIO"})
        ::unsetenv(name);
    vsq::platform::ParallelPortDriver::instance().setLibraryName("libvsqparport.so");
    ::setenv("VSQ_REGISTRY", registryFile.c_str(), 1);
    vsq::platform::RegistryStore::instance() = vsq::platform::RegistryStore(registryFile);
}

} // namespace

void ShellTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    resetShellProcessState(dir_.filePath("registry.txt").toStdString());
    auto dialogs = std::make_unique<ScriptedDialogs>();
    scripted_ = dialogs.get();
    installDialogs(std::move(dialogs));
    registry_ = std::make_unique<WindowRegistry>();
}

void ShellTest::TearDown() {
    registry_.reset();
    installDialogs(nullptr);
    // The services' hook and clock are put back after the test rather than
    // before it: a fixture's virtual time is installed before SetUp runs.
    vsq::platform::setYieldHook({});
    vsq::platform::setClock(nullptr);
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
