#pragma once
// Filling a tool window's controls from the chip must not write the chip: the
// controls' change notifications run the same handlers as the user's own
// changes. Each tool window owns one FillGuard, fills its controls inside
// fill(), and routes every handler that writes through unlessFilling():
//
//     connect(list, &QComboBox::activated, this, fill_.unlessFilling([this] { write(); }));
//     ...
//     fill_.fill([&] { list->setCurrentIndex(code); });   // writes nothing
//
// Fills nest: the guard stays up until the outermost fill ends, also when a
// fill throws.

#include <utility>

namespace trelvane {

class FillGuard {
public:
    bool filling() const { return depth_ > 0; }

    // Runs `work` with the guard up.
    template <class Work> decltype(auto) fill(Work&& work) {
        const Scope scope(*this);
        return std::forward<Work>(work)();
    }

    // A handler that runs `handler` only while the guard is down.
    template <class Handler> auto unlessFilling(Handler handler) {
        return [this, handler = std::move(handler)](auto&&...) {
            if (!filling())
                handler();
        };
    }

private:
    struct Scope {
        explicit Scope(FillGuard& guard) : guard_(guard) { ++guard_.depth_; }
        ~Scope() { --guard_.depth_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        FillGuard& guard_;
    };

    int depth_ = 0;
};

} // namespace trelvane
