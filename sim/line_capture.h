#pragma once
// Line capture: when a file is named (VSQ_SIM_CAPTURE for the program), every
// data-register write of any port appends one byte holding the bus levels after it:
// bit 0 SCL, bit 1 SDA (after the adapter and the wired-AND; 1 = high). A port without
// a board shows its master's drive through the adapter.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace vsq::sim {

class LineCapture {
public:
    LineCapture() = default;
    ~LineCapture();
    LineCapture(const LineCapture&) = delete;
    LineCapture& operator=(const LineCapture&) = delete;

    // Starts capturing into `path` (truncated); an empty path stops. False when the
    // file cannot be opened (capture is then off).
    bool open(const std::string& path);
    void close();
    bool active() const { return file_ != nullptr; }
    void flush();

    void append(bool scl, bool sda) {
        if (file_ != nullptr)
            std::fputc((scl ? 1 : 0) | (sda ? 2 : 0), file_);
    }

private:
    std::FILE* file_ = nullptr;
};

} // namespace vsq::sim
