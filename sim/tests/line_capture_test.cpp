#include "line_master.h"
#include "sim/simulated_pc.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

using namespace vsq::sim;

namespace {

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(LineCapture, EnvironmentNamesTheFileAndEveryDataWriteAppendsTheLevels) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("vsq-capture-" + std::to_string(::getpid()) + ".bin");
    ::setenv("VSQ_SIM_CAPTURE", path.c_str(), 1);
    auto& pc = SimulatedPc::instance();
    pc.configureFromEnvironment(); // as at the first use of the simulator

    vsq::sim::testing::LineMaster master;
    master.start(); // A B C
    pc.holdSdaLow(1, true);
    master.drive('A'); // SCL rises, SDA held: SDA low
    pc.out8(0x379, 0); // not the data register: nothing appended
    pc.flushCapture();
    EXPECT_EQ(fileBytes(path), (std::vector<std::uint8_t>{3, 1, 0, 1}));

    pc.setCaptureFile("");
    master.drive('C');
    EXPECT_EQ(fileBytes(path).size(), 4u);
    std::filesystem::remove(path);
}
