#pragma once
// Settings file tests on the simulated board: a folder of their own for the
// data file (gDataFileName names a file in it) and recorded feedback.

#include "app/device/tests/simulated_board.h"
#include "app/shell/settings/settings_file.h"
#include "recording_feedback.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace trelvane::testing {

class SettingsFileTest : public SimulatedBoard {
protected:
    void SetUp() override {
        SimulatedBoard::SetUp();
        folder_ = std::filesystem::temp_directory_path() /
                  ("settings-file-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        gDataFileName = (folder_ / "settings.txt").string();
    }
    void TearDown() override {
        std::filesystem::remove_all(folder_);
        SimulatedBoard::TearDown();
    }

    static std::string fileText(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    static void writeFile(const std::string& text) {
        std::ofstream(gDataFileName, std::ios::binary) << text;
    }

    std::filesystem::path folder_;
    RecordingFeedback feedback;
};

} // namespace trelvane::testing
