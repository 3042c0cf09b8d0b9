#include "dialogs/alert.h"

#include <gtest/gtest.h>

#include "scripted_port.h"

namespace {

using Alert = kAlert_ZORVEX_common_V600_PS;
using dialogs_test::ScriptedPort;
using dialogs_test::TableStrings;

const TableStrings kStrings({{"STEXT_OK_BUTTON", "OK"},
                             {"STEXT_CANCEL_BUTTON", "Cancel"},
                             {"MESS_PRINT_CANCELED", "Printing was cancelled."},
                             {"MESS_INFO", "Details"}});

TEST(Alert, EachOperationShowsItsKindAndTexts) {
    struct Case {
        const char* name;
        std::function<std::int32_t(ScriptedPort&)> show;
        ui::AlertStyle style;
        const char* message;
        const char* informative;
    };
    const Case cases[] = {
        {"by text",
         [](ScriptedPort& p) {
             return Alert::showAlert(p, "", kStrings, "MESS_PRINT_CANCELED", "as is", 0);
         },
         ui::AlertStyle::critical, "MESS_PRINT_CANCELED", "as is"},
        {"by key",
         [](ScriptedPort& p) {
             return Alert::showAlertFromKey(p, "", kStrings, "MESS_PRINT_CANCELED", "MESS_INFO", 0);
         },
         ui::AlertStyle::warning, "Printing was cancelled.", "Details"},
        {"critical",
         [](ScriptedPort& p) {
             return Alert::showCriticalAlertFromKey(p, "", kStrings, "MESS_PRINT_CANCELED", nullptr,
                                                    0);
         },
         ui::AlertStyle::critical, "Printing was cancelled.", ""},
        {"informational",
         [](ScriptedPort& p) {
             return Alert::showInfoAlertFromKey(p, "", kStrings, "MESS_UNKNOWN_KEY", nullptr, 0);
         },
         ui::AlertStyle::informational, "MESS_UNKNOWN_KEY", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPort port;
        EXPECT_EQ(c.show(port), ui::kAlertFirstButtonReturn);
        ASSERT_EQ(port.alerts.size(), 1u);
        EXPECT_EQ(port.alerts[0].style, c.style);
        EXPECT_EQ(port.alerts[0].message, c.message);
        EXPECT_EQ(port.alerts[0].informative, c.informative);
    }
}

TEST(Alert, OnlyCancelFlagOneAddsCancelAndItsResponseComesBack) {
    for (const std::uint8_t flag : {0, 1, 2}) {
        SCOPED_TRACE(static_cast<int>(flag));
        ScriptedPort port;
        port.alertResponses = {ui::kAlertSecondButtonReturn};
        const auto response = Alert::showCriticalAlertFromKey(port, "", kStrings,
                                                              "MESS_PRINT_CANCELED", nullptr, flag);
        const std::vector<std::string> expected =
            flag == 1 ? std::vector<std::string>{"OK", "Cancel"} : std::vector<std::string>{"OK"};
        EXPECT_EQ(port.alerts.at(0).buttons, expected);
        EXPECT_EQ(response, ui::kAlertSecondButtonReturn);  // what the port answered comes back
    }
}

TEST(Alert, TheWindowGivenIsKeyAgainAfterwards) {
    ScriptedPort port;
    port.layouts.insert("Main");
    port.loadWindow("Main");
    port.key = "Main";
    Alert::showAlertFromKey(port, "Main", kStrings, "MESS_INFO", nullptr, 0);
    EXPECT_EQ(port.key, "Main");
    // Without a window, key status is left as the alert left it.
    Alert::showAlertFromKey(port, "", kStrings, "MESS_INFO", nullptr, 0);
    EXPECT_EQ(port.key, "");
}

TEST(Alert, ErrorCodesShowTheirTableRow) {
    ScriptedPort port;
    EXPECT_EQ(Alert::showAlertFromErrCode(0, port, "", kStrings, 1), 0);
    EXPECT_TRUE(port.alerts.empty());

    port.alertResponses = {ui::kAlertSecondButtonReturn};
    EXPECT_EQ(Alert::showAlertFromErrCode(0x50104, port, "", kStrings, 1),
              ui::kAlertSecondButtonReturn);
    EXPECT_EQ(Alert::showAlertFromErrCode(0x1A0119, port, "", kStrings, 0),
              ui::kAlertFirstButtonReturn);
    EXPECT_EQ(Alert::showAlertFromErrCode(-7, port, "", kStrings, 0), ui::kAlertFirstButtonReturn);
    ASSERT_EQ(port.alerts.size(), 3u);
    EXPECT_EQ(port.alerts[0].style, ui::AlertStyle::informational);
    EXPECT_EQ(port.alerts[0].message, "Printing was cancelled.");
    EXPECT_EQ(port.alerts[0].informative, "");
    EXPECT_EQ(port.alerts[0].buttons.size(), 2u);
    EXPECT_EQ(port.alerts[1].style, ui::AlertStyle::critical);
    EXPECT_EQ(port.alerts[1].message, "MESS_PRINTING_ERROR");  // this table lacks the key
    EXPECT_EQ(port.alerts[2].message, "MESS_ERR_NOT_DEFINE");
}

}  // namespace
