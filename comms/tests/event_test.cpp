#include "comms/event.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using ErrorEvent = brisendal::Event<std::int16_t, const std::string&>;

TEST(Event, EverySubscriberHearsEachRaiseInOrderUntilItsTokenGoes) {
    ErrorEvent event;
    std::vector<std::string> heard;
    auto first = event.subscribe([&](std::int16_t n, const std::string& t) {
        heard.push_back("1:" + std::to_string(n) + t);
    });
    {
        auto second = event.subscribe(
            [&](std::int16_t n, const std::string&) { heard.push_back("2:" + std::to_string(n)); });
        event.raise(2, "x");
    }
    event.raise(1, "y");
    first.unsubscribe();
    event.raise(3, "z");
    EXPECT_EQ(heard, (std::vector<std::string>{"1:2x", "2:2", "1:1y"}));
    EXPECT_FALSE(event.hasSubscribers());
}

TEST(Event, HandlersMayUnsubscribeWhileRaisedAndTokensMayOutliveTheEvent) {
    ErrorEvent::Subscription survivor;
    int calls = 0;
    {
        auto event = std::make_unique<ErrorEvent>();
        ErrorEvent::Subscription self;
        self = event->subscribe([&](std::int16_t, const std::string&) {
            ++calls;
            self.unsubscribe();
        });
        survivor = event->subscribe([&](std::int16_t, const std::string&) { ++calls; });
        event->raise(2, "");
        event->raise(2, "");
        EXPECT_EQ(calls, 3);
    }
    survivor.unsubscribe(); // the event is gone: nothing to do, nothing to crash
}
