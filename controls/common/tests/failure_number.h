#pragma once
// The failure number a call raises (BasicError), 0 when it succeeds; for tests
// that need no Qt.

#include "controls/common/basic_error.h"

namespace vsq::controls {

template <class Call> int failureNumberOf(Call&& call) {
    try {
        call();
    } catch (const BasicError& error) {
        return error.number();
    }
    return 0;
}

} // namespace vsq::controls
