#pragma once
// Toggle arrays without widgets: every array name answers, each element
// starting in one state.

#include "app/logicblocks/toggle_arrays.h"

#include <array>
#include <map>
#include <string>

namespace trelvane::testing {

class FakeToggles : public ToggleArrays {
public:
    explicit FakeToggles(bool initial = true) : initial_(initial) {}

    bool toggleState(std::string_view name, int block) const override {
        const auto found = states_.find(name);
        return found == states_.end() ? initial_ : found->second[block];
    }
    void setToggleState(std::string_view name, int block, bool on) override {
        auto [entry, added] = states_.try_emplace(std::string(name));
        if (added)
            entry->second.fill(initial_);
        entry->second[block] = on;
    }

    // "VP4F2POL[2] ..." for the elements of `block` that are off.
    std::string offElements(int block) const {
        std::string off;
        for (const auto& [name, elements] : states_)
            if (!elements[block])
                off += (off.empty() ? "" : " ") + name + "[" + std::to_string(block) + "]";
        return off;
    }

private:
    bool initial_;
    std::map<std::string, std::array<bool, 10>, std::less<>> states_;
};

} // namespace trelvane::testing
