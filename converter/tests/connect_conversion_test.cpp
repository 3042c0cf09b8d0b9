// The old connection kinds by their exact names.
#include "connect_conversion.h"

#include <gtest/gtest.h>

namespace {

TEST(OldConnection, KindsAreComparedExactly) {
    const std::pair<const char*, std::int32_t> kinds[] = {
        {"USB", 2},        {"FireWire", 3}, {"WQS_LPRV6", 6}, {"WQS_LPR", 5},
        {"Rendezvous", 4}, {"DNSSD", 4},    {"AppleTalk", 1}, {"USB ", 0},
        {"usb", 0},        {"WQS_LPRV", 0}, {"", 0},          {nullptr, 0}};
    for (const auto& [name, type] : kinds) {
        EXPECT_EQ(getConnectionType(name), type) << (name != nullptr ? name : "null");
    }
}

}  // namespace
