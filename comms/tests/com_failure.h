#pragma once
// The failed status a call raised, for tests that check it.

#include "comms/com_error.h"

#include <functional>
#include <string>

namespace brisendal::testing {

struct Failure {
    int number = 0; // 0: the call returned
    std::string text;
};

inline Failure failureOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const ComError& e) {
        return {e.number(), e.what()};
    }
    return {};
}

} // namespace brisendal::testing
