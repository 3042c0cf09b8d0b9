// Strings of the old files stay inside their fields and convert from the legacy encoding the
// setting names.
#include "legacy_text.h"

#include <gtest/gtest.h>

#include "support/scoped_variable.h"

namespace {

using converter::lengthPrefixedString;
using converter::zeroTerminatedString;
using Bytes = std::vector<std::uint8_t>;

TEST(LegacyText, LengthPrefixedStringStaysInItsField) {
    const struct {
        Bytes field;
        std::optional<std::string> text;
    } cases[] = {
        {{3, 'A', 'B', 'C', 'x'}, "ABC"},
        {{4, 'A', 'B', 'C', 'D'}, "ABCD"},  // fills the field exactly
        {{5, 'A', 'B', 'C', 'D'}, std::nullopt},
        {{255, 'A'}, std::nullopt},
        {{0, 'A'}, ""},
        {{}, std::nullopt},
        {{2, 'C', 0x8E}, "C\xC3\xA9"},  // Mac Roman e-acute
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lengthPrefixedString(c.field), c.text) << c.field.size();
    }
}

TEST(LegacyText, ZeroTerminatedStringNeedsItsZeroInsideTheField) {
    EXPECT_EQ(zeroTerminatedString(Bytes{'U', 'S', 'B', 0, 'x'}), "USB");
    EXPECT_EQ(zeroTerminatedString(Bytes{0}), "");
    EXPECT_EQ(zeroTerminatedString(Bytes{'U', 'S', 'B'}), std::nullopt);
    EXPECT_EQ(zeroTerminatedString(Bytes{}), std::nullopt);
}

TEST(LegacyText, EncodingIsASetting) {
    const Bytes field{1, 0x8E};
    {
        testsupport::ScopedVariable unset(converter::kLegacyEncodingVariable, nullptr);
        EXPECT_STREQ(converter::legacyEncoding(), "MACINTOSH");
        EXPECT_EQ(lengthPrefixedString(field), "\xC3\xA9");
    }
    {
        testsupport::ScopedVariable windows(converter::kLegacyEncodingVariable, "CP1252");
        EXPECT_EQ(lengthPrefixedString(field), "\xC5\xBD");  // Z with caron
    }
    {
        testsupport::ScopedVariable unknown(converter::kLegacyEncodingVariable, "NO-SUCH-CODE");
        EXPECT_EQ(lengthPrefixedString(field), std::nullopt);
    }
}

}  // namespace
