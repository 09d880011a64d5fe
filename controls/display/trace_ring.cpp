#include "controls/display/trace_ring.h"

#include <algorithm>

namespace vsq::display {

TraceRing::TraceRing(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

void TraceRing::push(double value) {
    if (values_.size() != capacity_) {
        values_.resize(capacity_);
    }
    values_[head_] = value;
    head_ = (head_ + 1) % capacity_;
    size_ = std::min(size_ + 1, capacity_);
    ++total_;
}

void TraceRing::clear() {
    head_ = 0;
    size_ = 0;
    total_ = 0;
}

void TraceRing::setCapacity(std::size_t capacity) {
    capacity = std::max<std::size_t>(capacity, 1);
    if (capacity == capacity_) {
        return;
    }
    std::vector<double> kept;
    const std::size_t keep = std::min(size_, capacity);
    kept.reserve(capacity);
    for (std::size_t i = size_ - keep; i < size_; ++i) {
        kept.push_back(at(i));
    }
    capacity_ = capacity;
    size_ = keep;
    head_ = keep % capacity;
    if (keep > 0) {
        kept.resize(capacity);
        values_ = std::move(kept);
    } else {
        values_.clear();
    }
}

} // namespace vsq::display
