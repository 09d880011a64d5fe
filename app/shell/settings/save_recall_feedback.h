#pragma once
// What the settings file's save and recall show the user while they run: a
// status text with a progress bar, and message boxes. The save and recall
// dialog gives them a screen; tests record them.

#include <string>
#include <string_view>

namespace trelvane {

enum class NoticeButtons { Ok, OkCancel };
enum class NoticeIcon { None, Critical, Exclamation };

struct Notice {
    std::string text;
    std::string title;
    NoticeButtons buttons = NoticeButtons::Ok;
    NoticeIcon icon = NoticeIcon::None;
};

class SaveRecallFeedback {
public:
    virtual ~SaveRecallFeedback() = default;
    virtual void setProgressMaximum(int maximum) = 0;
    // "Status: " and `text` in the status line, shown at once, then `value` on
    // the progress bar (a value past the maximum fills the bar).
    virtual void showStatus(std::string_view text, int value) = 0;
    // Shows a message box; true when the user answered OK.
    virtual bool notify(const Notice& notice) = 0;
};

} // namespace trelvane
