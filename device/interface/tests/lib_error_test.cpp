// The conversion tables of the library interface.
#include "interface/lib_error.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(LibError, CoreErrorsInTableOrder) {
    const std::vector<std::uint32_t> expected{0,     15850, 15851, 15831, 15832, 4150,
                                              4157,  4112,  4156,  4131,  15834, 15850,
                                              23998, 16001, 15852, 23998};
    for (std::uint32_t code = 0; code < expected.size(); ++code) {
        EXPECT_EQ(LocalConvertCoreError(code), expected[code]) << code;
    }
    for (std::uint32_t code : {16u, 100u, 0xFFFFFFFFu}) {
        EXPECT_EQ(LocalConvertCoreError(code), 23998u) << code;
    }
}

TEST(LibError, RegistryAndDeviceViewErrors) {
    const std::vector<std::uint32_t> shared{0, 22998, 22998, 10502, 22998, 22998};
    for (std::uint32_t code = 0; code < shared.size(); ++code) {
        EXPECT_EQ(LocalConvertSharedInfoError(code), shared[code]) << code;
    }
    const std::vector<std::uint32_t> device{0,     22998, 10554, 22998, 10502, 22998, 22998,
                                            22998, 22998, 22998, 22998, 10502, 22998, 22998};
    for (std::uint32_t code = 0; code < device.size(); ++code) {
        EXPECT_EQ(LocalConvertDeviceInfoError(code), device[code]) << code;
    }
    EXPECT_EQ(LocalConvertSharedInfoError(0xFFFFFFFF), 22998u);
    EXPECT_EQ(LocalConvertDeviceInfoError(0xFFFFFFFF), 22998u);
}

}  // namespace
