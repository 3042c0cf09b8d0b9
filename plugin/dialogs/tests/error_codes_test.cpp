#include "dialogs/error_codes.h"

#include <gtest/gtest.h>

namespace {

using dialogs::ErrorAlertForCode;
using ui::AlertStyle;

struct Row {
    std::int64_t code;
    const char* key;
    AlertStyle style;
};

// Every code the alerts know, written out as numbers so that the named constants are checked too.
constexpr Row kRows[] = {
    {1001, "MESS_ERR_WRITE_FILE", AlertStyle::critical},
    {1003, "MESS_ERR_WRITE_FILE", AlertStyle::critical},
    {1009, "MESS_FILE_LOCK_ALERT", AlertStyle::critical},
    {1010, "MESS_FILE_LOCK_ALERT", AlertStyle::critical},
    {2000, "MESS_ERR_MEM_ALLOC", AlertStyle::critical},
    {0x10100, "MESS_CHECKPRINTER_ALERT", AlertStyle::informational},
    {0x40103, "MESS_ERR_MEM_ALLOC", AlertStyle::critical},
    {0x50104, "MESS_PRINT_CANCELED", AlertStyle::informational},
    {0x80107, "MESS_NONE_DRIVER_ALERT", AlertStyle::critical},
    {0x90108, "MESS_NOT_FIND_FILE", AlertStyle::critical},
    {0xD010C, "MESS_INPUTTEXT_LONG_ERR", AlertStyle::critical},
    {0x1A0119, "MESS_PRINTING_ERROR", AlertStyle::critical},
    {0x1D011C, "MESS_USER_MEDIA_SETTING_LIMIT", AlertStyle::critical},
    {0x1E011D, "MESS_USER_MEDIA_SETTING_CHANGE_ERROR", AlertStyle::critical},
    {0x1F011E, "MESS_USER_MEDIA_NAME_NOTHING", AlertStyle::critical},
    {0x210120, "MESS_SAME_MEDIA_NAME", AlertStyle::critical},
    {0x220121, "MESS_SAME_USER_MEDIA_NAME", AlertStyle::critical},
    {0x230122, "MESS_INVALID_VALUE", AlertStyle::critical},
    {0x290128, "MESS_ERR_NOT_DEFINE", AlertStyle::critical},
    {0x2F012E, "MESS_MSG_IMAGE_HEIGHT_OVER", AlertStyle::critical},
    {0x350134, "MESS_ERR_WRITE_FILE", AlertStyle::critical},
    {0x360135, "MESS_ERR_TONARA", AlertStyle::critical},
    {0x430142, "MESS_NOTFOUND_PROFILE_ALERT", AlertStyle::critical},
    {0x440143, "MESS_FILE_LOCK_ALERT", AlertStyle::critical},
    {0x450144, "MESS_ERR_JOB_READ", AlertStyle::critical},
    {0x450145, "MESS_ERR_JOB_ENTRY", AlertStyle::critical},
};

TEST(ErrorAlertTable, EveryCodeHasItsKeyAndKind) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.code);
        const auto alert = ErrorAlertForCode(row.code);
        ASSERT_TRUE(alert.has_value());
        EXPECT_STREQ(alert->messageKey, row.key);
        EXPECT_EQ(alert->style, row.style);
    }
    // And the table holds no row beyond these.
    EXPECT_EQ(dialogs::ErrorAlertTable().size(), std::size(kRows));
}

TEST(ErrorAlertTable, RegularCodesFollowTheirForm) {
    EXPECT_EQ(dialogs::PlugInErrorCode(4), 0x40103);
    EXPECT_EQ(dialogs::PlugInErrorCode(9), 0x90108);
    EXPECT_EQ(dialogs::kErrJobEntry, 0x450145);
    EXPECT_NE(dialogs::kErrJobEntry, dialogs::PlugInErrorCode(70));
}

TEST(ErrorAlertTable, ZeroShowsNothing) {
    EXPECT_FALSE(ErrorAlertForCode(0).has_value());
}

TEST(ErrorAlertTable, CodesTheTableLacksAreUndefinedAndCritical) {
    // The regular code of n = 6, negatives, a neighbour of a plain code, a code past 32 bits.
    for (const std::int64_t code :
         {std::int64_t{dialogs::PlugInErrorCode(6)}, std::int64_t{-1}, std::int64_t{-0x50104},
          std::int64_t{1002}, std::int64_t{0x50104} + (std::int64_t{1} << 32)}) {
        SCOPED_TRACE(code);
        const auto alert = ErrorAlertForCode(code);
        ASSERT_TRUE(alert.has_value());
        EXPECT_STREQ(alert->messageKey, "MESS_ERR_NOT_DEFINE");
        EXPECT_EQ(alert->style, AlertStyle::critical);
    }
}

}  // namespace
