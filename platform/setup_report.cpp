#include "platform/setup_report.h"

#include <algorithm>
#include <cstdio>
#include <mutex>

namespace vsq::platform {
namespace {

struct Reported {
    std::mutex lock;
    std::vector<std::string> texts;
};

Reported& reported() {
    static Reported state;
    return state;
}

} // namespace

void reportSetupProblem(const std::string& text) {
    auto& state = reported();
    std::lock_guard guard(state.lock);
    if (std::find(state.texts.begin(), state.texts.end(), text) != state.texts.end())
        return;
    state.texts.push_back(text);
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}

std::vector<std::string> setupProblems() {
    auto& state = reported();
    std::lock_guard guard(state.lock);
    return state.texts;
}

} // namespace vsq::platform
