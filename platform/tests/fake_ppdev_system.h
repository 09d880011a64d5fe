#pragma once
// A fake of the ppdev system calls and of the kernel's list of parallel ports:
// ports listed in a temporary folder, device opens and ioctls counted, and any
// of them made to fail with a chosen errno. The three registers read as
// different values, and the last byte written with each request is kept.

#include "platform/parport/parport_backend.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <linux/ppdev.h>
#include <map>
#include <string>
#include <sys/ioctl.h>
#include <unistd.h>
#include <vector>

namespace vsq::parport::testing {

class FakePpdev {
public:
    FakePpdev()
        : list_(std::filesystem::temp_directory_path() /
                ("vsq-fake-parport-" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(list_);
        std::filesystem::create_directories(list_);
    }
    ~FakePpdev() { std::filesystem::remove_all(list_); }

    // A port in the kernel's list; an empty base leaves its base-addr out.
    void addPort(int kernelNumber, const std::string& baseText) {
        const auto folder = list_ / ("parport" + std::to_string(kernelNumber));
        std::filesystem::create_directories(folder);
        if (!baseText.empty())
            std::ofstream(folder / "base-addr") << baseText << "\t0\n";
    }

    PpdevSystem system() {
        PpdevSystem system;
        system.deviceFolder = "/fake/dev";
        system.portListFolder = list_.string();
        system.open = [this](const std::string& path, int flags) {
            opened.push_back(path);
            openFlags = flags;
            if (openError != 0) {
                errno = openError;
                return -1;
            }
            return 100 + static_cast<int>(opened.size());
        };
        system.close = [this](int) {
            ++closes;
            return 0;
        };
        system.ioctl = [this](int, unsigned long request, void* argument) {
            ++requests[request];
            if (request == PPCLAIM && claimError != 0) {
                errno = claimError;
                return -1;
            }
            if (auto read = readValues.find(request); read != readValues.end())
                *static_cast<unsigned char*>(argument) = read->second;
            if (request == PPWDATA || request == PPWCONTROL)
                written[request] = *static_cast<unsigned char*>(argument);
            return 0;
        };
        return system;
    }

    std::vector<std::string> opened;
    int openFlags = 0;
    int closes = 0;
    std::map<unsigned long, int> requests;
    std::map<unsigned long, unsigned char> written;
    const std::map<unsigned long, unsigned char> readValues = {
        {PPRDATA, 0x11}, {PPRSTATUS, 0x22}, {PPRCONTROL, 0x33}};
    int openError = 0;
    int claimError = 0;

private:
    std::filesystem::path list_;
};

} // namespace vsq::parport::testing
