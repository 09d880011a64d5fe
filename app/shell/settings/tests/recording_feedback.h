#pragma once
// Feedback for tests: records every status, progress maximum and message, and
// answers messages from a queue (OK when it is empty).

#include "app/shell/settings/save_recall_feedback.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace trelvane::testing {

class RecordingFeedback : public SaveRecallFeedback {
public:
    void setProgressMaximum(int maximum) override { maxima.push_back(maximum); }
    void showStatus(std::string_view text, int value) override {
        statuses.emplace_back(std::string(text), value);
    }
    bool notify(const Notice& notice) override {
        notices.push_back(notice);
        if (answers.empty())
            return true;
        const bool ok = answers.front();
        answers.pop_front();
        return ok;
    }

    std::vector<std::string> noticeTexts() const {
        std::vector<std::string> texts;
        for (const Notice& notice : notices)
            texts.push_back(notice.text);
        return texts;
    }

    std::deque<bool> answers; // true OK, false Cancel
    std::vector<int> maxima;
    std::vector<std::pair<std::string, int>> statuses;
    std::vector<Notice> notices;
};

} // namespace trelvane::testing
