#include "dialogs/modal_windows.h"

#include <gtest/gtest.h>

#include "scripted_port.h"

namespace {

using dialogs_test::ScriptedPort;

struct ModalWindows : ::testing::Test {
    ModalWindows() {
        for (const char* name : {"Main", "First", "Second"}) {
            port.layouts.insert(name);
            port.loadWindow(name);
        }
    }
    ScriptedPort port;
    FWindow windows{port};
};

TEST_F(ModalWindows, AShieldedWindowCannotBecomeKey) {
    windows.setShieldWindow("Main", true);
    EXPECT_TRUE(windows.shieldWindow("Main"));
    EXPECT_FALSE(windows.canBecomeKeyWindow("Main"));
    port.makeKey("Main");
    EXPECT_NE(port.key, "Main");
    windows.removeShieldWindow("Main");
    EXPECT_TRUE(windows.canBecomeKeyWindow("Main"));
    windows.removeShieldWindow("Main");  // no shield: nothing happens
    EXPECT_FALSE(windows.shieldWindow("Main"));
}

TEST_F(ModalWindows, TwoShieldsAreRemovedOneAtATime) {
    windows.setShieldWindow("Main", false);
    windows.setShieldWindow("Main", true);
    windows.removeShieldWindow("Main");
    EXPECT_EQ(port.windows["Main"].shields, std::vector<bool>{true});
    windows.setShieldWindow("", true);
    EXPECT_FALSE(windows.shieldWindow(""));
}

TEST_F(ModalWindows, ModalWindowsStackAboveAndTheLastTakesTheShield) {
    windows.beginModalWindow("First", "Main");
    windows.beginModalWindow("Second", "Main");
    EXPECT_EQ(port.windows["Main"].shields, std::vector<bool>{true});  // whole frame, once
    EXPECT_EQ(port.windows["First"].stackedAbove, "Main");
    EXPECT_EQ(port.key, "Second");
    EXPECT_EQ(windows.modalWindows("Main"), (std::vector<std::string>{"First", "Second"}));
    EXPECT_EQ(windows.behindWindow("Second"), "Main");

    windows.endModalWindow("Second");
    EXPECT_TRUE(windows.shieldWindow("Main"));
    EXPECT_FALSE(port.isVisible("Second"));
    windows.endModalWindow("First", false);
    EXPECT_FALSE(windows.shieldWindow("Main"));
    EXPECT_TRUE(port.isVisible("First"));
    EXPECT_EQ(port.windows["First"].stackedAbove, "");
    EXPECT_EQ(windows.behindWindow("First"), "");
}

TEST_F(ModalWindows, WithoutParentTheWindowIsOnlyMadeKey) {
    windows.beginModalWindow("First", "");
    EXPECT_EQ(port.key, "First");
    EXPECT_FALSE(windows.shieldWindow("Main"));
    windows.endModalWindow("First");  // belongs to no list: only ordered out
    EXPECT_FALSE(port.isVisible("First"));
}

}  // namespace
