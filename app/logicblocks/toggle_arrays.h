#pragma once
// The seam between the logic-block codec and the window that holds the
// configuration. The window keeps the nine blocks' input selection in arrays
// of toggle switches, one array per input, function and kind ("VP1F1EN",
// "GPI3F2POL", "PLB7F2POL", "F1EN" ...), element n (1 to 9) standing on block
// n's page. The codec reaches them only through this interface, by array name
// and block number, so it runs without widgets.

#include <string_view>

namespace trelvane {

class ToggleArrays {
public:
    virtual ~ToggleArrays() = default;
    // Element `block` of array `name`: true when the toggle is on. Both throw
    // std::out_of_range when there is no such array or element.
    virtual bool toggleState(std::string_view name, int block) const = 0;
    virtual void setToggleState(std::string_view name, int block, bool on) = 0;
};

} // namespace trelvane
