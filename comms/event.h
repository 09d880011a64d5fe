#pragma once
// An event of a library object: handlers subscribe and are called, in the
// order they subscribed, each time the object raises it. A subscription lasts
// as long as the token it returns; dropping the token unsubscribes, and a token
// may outlive its event.

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace brisendal {

template <typename... Args> class Event {
public:
    using Handler = std::function<void(Args...)>;

private:
    struct Slot {
        unsigned long id;
        Handler handler;
    };
    using Slots = std::vector<Slot>;

public:
    Event() = default;
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    class Subscription {
    public:
        Subscription() = default;
        Subscription(Subscription&&) noexcept = default;
        Subscription& operator=(Subscription&& other) noexcept {
            if (this != &other) {
                unsubscribe();
                slots_ = std::move(other.slots_);
                id_ = other.id_;
            }
            return *this;
        }
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;
        ~Subscription() { unsubscribe(); }

        void unsubscribe() {
            if (auto live = slots_.lock())
                std::erase_if(*live, [this](const Slot& slot) { return slot.id == id_; });
            slots_.reset();
        }

    private:
        friend class Event;
        Subscription(std::weak_ptr<Slots> owner, unsigned long id)
            : slots_(std::move(owner)), id_(id) {}
        std::weak_ptr<Slots> slots_;
        unsigned long id_ = 0;
    };

    [[nodiscard]] Subscription subscribe(Handler handler) {
        slots_->push_back(Slot{++lastId_, std::move(handler)});
        return Subscription(slots_, lastId_);
    }

    // Calls every handler subscribed when it starts; a handler may subscribe or
    // unsubscribe meanwhile.
    void raise(Args... args) const {
        const auto handlers = *slots_;
        for (const auto& slot : handlers)
            if (slot.handler)
                slot.handler(args...);
    }

    bool hasSubscribers() const { return !slots_->empty(); }

private:
    std::shared_ptr<Slots> slots_ = std::make_shared<Slots>();
    unsigned long lastId_ = 0;
};

} // namespace brisendal
