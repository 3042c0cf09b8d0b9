// Notification centres: matching by name and object, removal, and posts from other threads.
#include "cf/notification_center.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using cf::Notification;
using cf::NotificationCenter;

TEST(NotificationCenter, DeliversByNameAndObject) {
    NotificationCenter center;
    int mine = 0;
    int other = 0;
    std::vector<std::string> seen;
    auto any = center.addObserver("progress", nullptr, [&](const Notification& n) {
        seen.push_back("any");
        (void)n;
    });
    auto onlyMine = center.addObserver("progress", &mine, [&](const Notification& n) {
        seen.push_back("mine:" + std::to_string(*n.userInfo.find("value")->integer()));
    });
    cf::Value info = cf::Value::emptyDictionary();
    info.set("value", std::int32_t{7});
    center.post("progress", &mine, info);
    center.post("progress", &other);
    center.post("unrelated", &mine);
    EXPECT_EQ(seen, (std::vector<std::string>{"any", "mine:7", "any"}));
}

TEST(NotificationCenter, ObserverIsRemovedWithItsToken) {
    NotificationCenter center;
    int calls = 0;
    {
        auto observer =
            center.addObserver("cancel", nullptr, [&](const Notification&) { ++calls; });
        EXPECT_EQ(center.observerCount(), 1u);
        center.post("cancel");
    }
    EXPECT_EQ(center.observerCount(), 0u);
    center.post("cancel");
    EXPECT_EQ(calls, 1);
}

TEST(NotificationCenter, CallbackMayRemoveItself) {
    NotificationCenter center;
    NotificationCenter::Observer observer;
    int calls = 0;
    observer = center.addObserver("once", nullptr, [&](const Notification&) {
        ++calls;
        observer.reset();
    });
    center.post("once");
    center.post("once");
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(center.observerCount(), 0u);
}

TEST(NotificationCenter, PostsFromAnotherThreadReachTheObserver) {
    NotificationCenter center;
    std::atomic<int> calls{0};
    auto observer = center.addObserver("tick", nullptr, [&](const Notification&) { ++calls; });
    constexpr int kPosts = 1000;
    std::thread poster([&] {
        for (int i = 0; i < kPosts; ++i) {
            center.post("tick");
        }
    });
    poster.join();
    EXPECT_EQ(calls.load(), kPosts);
}

TEST(NotificationCenter, DefaultAndLocalCentresAreDistinct) {
    EXPECT_NE(&NotificationCenter::defaultCenter(), &NotificationCenter::localCenter());
    EXPECT_EQ(&NotificationCenter::localCenter(), &NotificationCenter::localCenter());
}

}  // namespace
