// Percent-decoding of URI text.
#include "transport/percent_decoding.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PercentDecoding, EscapesDecodeAndMalformedOnesAreCopiedAndTold) {
    const struct {
        const char* in;
        std::string out;
        bool malformed;
    } cases[] = {
        {"/tmp/a%2Fb", "/tmp/a/b", false},
        {"%4f%52%56", "ORV", false},
        {"100%25", "100%", false},
        {"%00x", std::string("\0x", 2), false},
        {"plain", "plain", false},
        {"", "", false},
        {"a%2", "a%2", true},
        {"a%zz", "a%zz", true},
        {"%", "%", true},
        {"%%41", "%A", true},
    };
    for (const auto& c : cases) {
        const auto decoded = device::percentDecoded(c.in);
        EXPECT_EQ(decoded.text, c.out) << c.in;
        EXPECT_EQ(decoded.malformed, c.malformed) << c.in;
    }
}

}  // namespace
