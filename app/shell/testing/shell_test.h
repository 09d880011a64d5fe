#pragma once
// A test fixture for the program's windows, headless: one QApplication for the
// test binary, and for each test a fresh window registry, scripted dialogs and
// a registry store file of its own (created empty).

#include "app/core/window_registry.h"
#include "app/shell/testing/scripted_dialogs.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace trelvane::testing {

class ShellTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Writes the registry store file before anything reads it; call it first.
    void writeRegistryFile(const std::string& contents);
    // Runs posted events, deferred deletes included.
    static void processEvents();

    WindowRegistry& windows() { return *registry_; }
    ScriptedDialogs& scripted() { return *scripted_; }

private:
    static std::unique_ptr<QApplication> app_;
    QTemporaryDir dir_;
    std::unique_ptr<WindowRegistry> registry_;
    ScriptedDialogs* scripted_ = nullptr;
};

} // namespace trelvane::testing
