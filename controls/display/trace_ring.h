#pragma once
// The samples of one strip-chart trace: a ring of fixed capacity that keeps
// the newest samples and drops the oldest, and counts every sample it was
// given, so traces fed side by side line up by that count.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vsq::display {

class TraceRing {
public:
    explicit TraceRing(std::size_t capacity = 1000);

    void push(double value);
    // Drops every sample and restarts the count.
    void clear();
    // Keeps the newest samples that fit the new capacity (at least 1).
    void setCapacity(std::size_t capacity);

    std::size_t capacity() const { return capacity_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // Samples given since the last clear, dropped ones included.
    std::uint64_t total() const { return total_; }
    // The i-th kept sample, 0 = the oldest kept.
    double at(std::size_t i) const { return values_[(head_ + capacity_ - size_ + i) % capacity_]; }
    double newest() const { return at(size_ - 1); }

private:
    // Allocated at the first sample, so traces never fed cost nothing.
    std::vector<double> values_;
    std::size_t capacity_;
    std::size_t head_ = 0; // where the next sample goes
    std::size_t size_ = 0;
    std::uint64_t total_ = 0;
};

} // namespace vsq::display
