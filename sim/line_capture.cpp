#include "sim/line_capture.h"

namespace vsq::sim {

LineCapture::~LineCapture() {
    close();
}

bool LineCapture::open(const std::string& path) {
    close();
    if (path.empty())
        return true;
    file_ = std::fopen(path.c_str(), "wb");
    return file_ != nullptr;
}

void LineCapture::close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

void LineCapture::flush() {
    if (file_ != nullptr)
        std::fflush(file_);
}

} // namespace vsq::sim
