// IO signatures of transport address strings and their endpoint kinds.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "glue/glue_session.h"

namespace {

TEST(GlueSignature, TheFirstMatchingSignatureAndItsEndpointKind) {
    struct Case {
        const char* address;
        const char* signature;  // null: none
        std::uint16_t kind;
    };
    const Case cases[] = {
        {"net:192.0.2.7", "net:", 2},
        {"net6:fe80::1%en0", "net6:", 20},
        {"usb://Maker/Model?serial=7", "usb://", 15},
        {"mdns:Studio._printer._tcp.local.", "mdns:", 0},
        {"notuse:/tmp/x", "notuse:", 0},
        {"net", nullptr, 0},
        {"usb:/x", nullptr, 0},
        {"", nullptr, 0},
        {"lpd://192.0.2.7/", nullptr, 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.address);
        const char* signature = zGetIOSignatureFromHxpdUri(test.address);
        EXPECT_EQ(signature == nullptr ? std::string("none") : std::string(signature),
                  test.signature == nullptr ? std::string("none") : std::string(test.signature));
        EXPECT_EQ(device::glueEndpointKind(test.address), test.kind);

        char* copy = nullptr;
        const std::int32_t status = HxpdUriToEndpointFamily(test.address, &copy);
        std::unique_ptr<char[]> owned(copy);
        if (test.signature == nullptr) {
            EXPECT_EQ(status, kGlueFailure);
        } else {
            ASSERT_EQ(status, kGlueNoErr);
            EXPECT_STREQ(copy, test.signature);
        }
    }
    EXPECT_EQ(zGetIOSignatureFromHxpdUri(nullptr), nullptr);
    EXPECT_EQ(HxpdUriToEndpointFamily(nullptr, nullptr), kGlueFailure);
    EXPECT_EQ(HxpdUriToEndpointFamily("net:x", nullptr), kGlueFailure);
}

}  // namespace
