#pragma once
// Toggle arrays without widgets: every array name answers, each element
// starting in one state; the elements set are remembered.

#include "app/logicblocks/toggle_arrays.h"

#include <array>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

namespace trelvane::testing {

class FakeToggles : public ToggleArrays {
public:
    explicit FakeToggles(bool initial = true) : initial_(initial) {}

    bool toggleState(std::string_view name, int block) const override {
        check(name, block);
        const auto found = states_.find(name);
        return found == states_.end() ? initial_ : found->second[block];
    }
    void setToggleState(std::string_view name, int block, bool on) override {
        check(name, block);
        auto [entry, added] = states_.try_emplace(std::string(name));
        if (added)
            entry->second.fill(initial_);
        entry->second[block] = on;
        touched_.insert(key(name, block));
    }

    // "VP4F2POL[2]" for every element set so far that is off.
    std::set<std::string> offElements() const {
        std::set<std::string> off;
        for (const auto& [name, elements] : states_)
            for (int block = 1; block <= 9; ++block)
                if (!elements[block])
                    off.insert(key(name, block));
        return off;
    }
    const std::set<std::string>& touched() const { return touched_; }
    // Reaching this array throws, as a missing control would.
    void failOn(std::string name) { failing_ = std::move(name); }

    static std::string key(std::string_view name, int block) {
        return std::string(name) + "[" + std::to_string(block) + "]";
    }

private:
    void check(std::string_view name, int block) const {
        if (name == failing_ || block < 1 || block > 9)
            throw std::out_of_range("no toggle " + key(name, block));
    }

    bool initial_;
    std::string failing_;
    std::map<std::string, std::array<bool, 10>, std::less<>> states_;
    std::set<std::string> touched_;
};

} // namespace trelvane::testing
