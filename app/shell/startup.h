#pragma once
// The program's start: application-wide objects in their first state, the
// splash reporting each step, the main window and the tool windows loaded
// hidden, then the set-up wizard shown.

#include <QString>

#include <functional>
#include <vector>

namespace trelvane {

class WindowRegistry;

// One step of LoadTools: the splash line, then the window's load.
struct ToolLoadStep {
    QString statusLine;
    std::function<void(WindowRegistry&)> load;
};

// The tool windows start-up loads, in order.
const std::vector<ToolLoadStep>& toolLoadSteps();

// Loads the tool windows, each after its splash status line.
void LoadTools();

// The entry point's work; a failure is thrown to the caller.
void Main();

} // namespace trelvane
