#include "dialogs/value_controls.h"

#include <gtest/gtest.h>

#include "cf/notification_center.h"
#include "scripted_port.h"

namespace {

using dialogs_test::ScriptedPort;
using dialogs_test::TableStrings;

constexpr const char* kWindow = "Panel";

// A slider, a stepper and a field showing one value, as a panel links them.
struct LinkedGroup {
    LinkedGroup() {
        port.control(kWindow, "slider").range = {1, 100};
        port.control(kWindow, "stepper").range = {1, 100};
        for (kValueControl* control :
             std::initializer_list<kValueControl*>{&slider, &stepper, &field}) {
            control->awakeFromNib([this] { ++handled; });
        }
    }
    TableStrings strings;
    ScriptedPort port;
    int handled = 0;
    myTextField field{port, kWindow, "field", strings, &stepper, &slider};
    mySlider slider{port, kWindow, "slider", &field, &stepper};
    myStepper stepper{port, kWindow, "stepper", &field, &slider};
};

TEST(LinkedControls, DraggingMovesTheLinksAndTheHandlerRunsOnceOnRelease) {
    LinkedGroup group;
    for (const double value : {10.0, 20.0, 37.0}) {
        group.port.moveByUser(kWindow, "slider", value);
    }
    EXPECT_EQ(group.port.control(kWindow, "field").text, "37");
    EXPECT_EQ(group.port.control(kWindow, "stepper").value, 37);
    EXPECT_GT(group.port.control(kWindow, "field").selections, 0);  // the field's text is selected
    EXPECT_EQ(group.handled, 0);
    group.port.release(kWindow, "slider");
    EXPECT_EQ(group.handled, 1);
}

TEST(LinkedControls, TypingIsClampedToTheLinkedRange) {
    LinkedGroup group;
    group.port.setTextByUser(kWindow, "field", "150");
    EXPECT_EQ(group.port.control(kWindow, "field").text, "100");
    EXPECT_EQ(group.port.control(kWindow, "slider").value, 100);
    EXPECT_EQ(group.handled, 1);
    // An emptied integer field becomes the range's minimum.
    group.port.setTextByUser(kWindow, "field", "");
    EXPECT_EQ(group.port.control(kWindow, "field").text, "1");
    EXPECT_EQ(group.port.control(kWindow, "stepper").value, 1);
}

TEST(LinkedControls, ToneFieldLeavesAnEmptyFieldAndTabAsksForValidation) {
    ScriptedPort port;
    TableStrings strings;
    port.control(kWindow, "stepper").range = {0, 100};
    myStepper stepper{port, kWindow, "stepper", nullptr, nullptr};
    toneTextField field{port, kWindow, "tone", strings, &stepper, nullptr};
    int handled = 0;
    field.awakeFromNib([&] { ++handled; });
    port.setTextByUser(kWindow, "tone", "150");
    EXPECT_EQ(port.control(kWindow, "tone").text, "100");
    port.setTextByUser(kWindow, "tone", "");
    EXPECT_EQ(port.control(kWindow, "tone").text, "");
    EXPECT_EQ(handled, 1);

    int validations = 0;
    auto observer = cf::NotificationCenter::defaultCenter().addObserver(
        toneTextField::kValidateToneCurveNotification, nullptr,
        [&](const cf::Notification&) { ++validations; });
    port.tab(kWindow, "tone");
    EXPECT_EQ(validations, 1);
}

TEST(MagnificationField, TabLimitsAndFormatsWithTheMark) {
    struct Case {
        const char* typed;
        const char* separator;
        const char* shown;
        double linked;
    };
    const Case cases[] = {
        {"", ".", "5.00", 5},
        {"1000", ".", "600.00", 600},
        {"2", ",", "5,00", 5},
        {"150,5", ",", "150,50", 150.5},
        {"99.999", ".", "99.99", 99.99},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ScriptedPort port;
        TableStrings strings({{"STEXT_PRIOD", c.separator}});
        myDoubleStepper stepper{port, kWindow, "stepper", nullptr};
        magnificationTextField field{port, kWindow, "scale", strings, &stepper};
        int handled = 0;
        field.awakeFromNib([&] { ++handled; });
        port.control(kWindow, "scale").text = c.typed;
        port.tab(kWindow, "scale");
        EXPECT_EQ(port.control(kWindow, "scale").text, c.shown);
        EXPECT_DOUBLE_EQ(port.control(kWindow, "stepper").value, c.linked);
        EXPECT_EQ(handled, 1);
    }
}

TEST(MagnificationField, TheStepperReadsTheFieldThroughTheMark) {
    ScriptedPort port;
    TableStrings strings({{"STEXT_PRIOD", ","}});
    myDoubleStepper stepper{port, kWindow, "stepper", nullptr};
    magnificationTextField field{port, kWindow, "scale", strings, &stepper};
    field.awakeFromNib(nullptr);
    EXPECT_TRUE(port.type(kWindow, "scale", U"12", 0, 0));
    EXPECT_TRUE(port.type(kWindow, "scale", U",", 2, 0));
    EXPECT_TRUE(port.type(kWindow, "scale", U"5", 3, 0));
    EXPECT_FALSE(port.type(kWindow, "scale", U".", 4, 0));
    EXPECT_DOUBLE_EQ(port.control(kWindow, "stepper").value, 12.5);
}

TEST(MagnificationField, TheStepperWritesTheFieldWithTheMark) {
    ScriptedPort port;
    TableStrings strings({{"STEXT_PRIOD", ","}});
    magnificationTextField field{port, kWindow, "scale", strings, nullptr};
    myDoubleStepper stepper{port, kWindow, "stepper", &field};
    int handled = 0;
    stepper.awakeFromNib([&] { ++handled; });
    port.moveByUser(kWindow, "stepper", 102.5);
    EXPECT_EQ(port.control(kWindow, "scale").text, "102,5");
    EXPECT_EQ(port.control(kWindow, "scale").selections, 1);
    EXPECT_EQ(handled, 1);
}

TEST(PositionField, TabTruncatesByUnit) {
    struct Case {
        bool inch;
        const char* typed;
        const char* shown;
    };
    for (const Case& c : {Case{true, "12.349", "12.34"}, Case{false, "12.349", "12.3"},
                          Case{false, "", "0.0"}, Case{true, "-0.5", "-0.50"}}) {
        SCOPED_TRACE(c.typed);
        ScriptedPort port;
        TableStrings strings;
        positionTextField field{port, kWindow, "x", strings};
        field.setInchUnit(c.inch);
        int handled = 0;
        field.awakeFromNib([&] { ++handled; });
        port.control(kWindow, "x").text = c.typed;
        port.tab(kWindow, "x");
        EXPECT_EQ(port.control(kWindow, "x").text, c.shown);
        EXPECT_EQ(handled, 1);
    }
}

TEST(PositionField, MinusOnlyFirstAndSevenCharacters) {
    ScriptedPort port;
    TableStrings strings;
    positionTextField field{port, kWindow, "x", strings};
    field.awakeFromNib(nullptr);
    EXPECT_TRUE(port.type(kWindow, "x", U"-", 0, 0));
    EXPECT_TRUE(port.type(kWindow, "x", U"123.45", 1, 0));
    EXPECT_FALSE(port.type(kWindow, "x", U"6", 7, 0));
    EXPECT_FALSE(port.type(kWindow, "x", U"-", 3, 0));
    EXPECT_DOUBLE_EQ(field.getDoubleValue(), -123.45);
}

TEST(CommonField, RefusesPastedLineBreaksAndPassesEveryChange) {
    ScriptedPort port;
    TableStrings strings;
    commonTextField field{port, kWindow, "comment", strings};
    int handled = 0;
    field.awakeFromNib([&] { ++handled; });
    EXPECT_FALSE(port.type(kWindow, "comment", U"one\ntwo", 0, 0));
    EXPECT_TRUE(port.type(kWindow, "comment", U"one two", 0, 0));
    port.click(kWindow, "comment");
    EXPECT_EQ(handled, 2);
}

}  // namespace
