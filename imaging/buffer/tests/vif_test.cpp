// Buffer layout: row lengths, block size, alignment, explicit rows, duplicates and freeing.
#include "imaging/buffer/vif.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "imaging/buffer/vif_internal.h"
#include "vif_fixture.h"

using namespace imaging;

namespace {

struct LayoutCase {
    std::uint16_t type;
    std::uint32_t width;
    std::uint32_t pixelSize;
    std::uint32_t rowBytes;
};

class VifLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(VifLayout, RowsArePaddedToFourPixelsThen128Bytes) {
    const LayoutCase c = GetParam();
    VifPtr buffer(PrepareVifP(c.type, c.width, 5));
    ASSERT_TRUE(buffer);
    EXPECT_EQ(VifGetPixelSize(buffer.get()), c.pixelSize);
    EXPECT_EQ(buffer->rowBytes, c.rowBytes);
    EXPECT_EQ(buffer->width, c.width);
    EXPECT_EQ(buffer->height, 5u);
    EXPECT_EQ(buffer->type, c.type);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(buffer->data) % 128, 0u);
    const auto offset = buffer->data - static_cast<std::uint8_t*>(buffer->allocation);
    EXPECT_GE(offset, 0);
    EXPECT_LT(offset, 128);
    // Height 5 gets 8 rows; every byte of them lies inside the block (AddressSanitizer checks).
    std::memset(buffer->data, 0xA5, std::size_t{buffer->rowBytes} * 8);
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, VifLayout,
    testing::Values(LayoutCase{kVifBgr8, 100, 3, 384}, LayoutCase{kVifBgr8, 101, 3, 384},
                    LayoutCase{kVifBgr16, 100, 6, 640}, LayoutCase{kVifRgb8, 1, 3, 128},
                    LayoutCase{kVifRgb16, 43, 6, 384}, LayoutCase{kVifOpaque8, 16, 8, 128},
                    LayoutCase{kVifOpaque10, 13, 10, 256}, LayoutCase{kVifBgr8, 0, 3, 0}),
    [](const testing::TestParamInfo<LayoutCase>& info) {
        return "type" + std::to_string(info.param.type) + "_width" +
               std::to_string(info.param.width);
    });

TEST(Vif, BlockHoldsWholeGroupsOfFourRowsWithASpareRowAndTheSlack) {
    using vif_internal::preparedBlockBytes;
    EXPECT_EQ(preparedBlockBytes(384, 0), 384u * 4 + 148);
    EXPECT_EQ(preparedBlockBytes(384, 3), 384u * 4 + 148);
    EXPECT_EQ(preparedBlockBytes(384, 4), 384u * 8 + 148);
    EXPECT_EQ(preparedBlockBytes(384, 5), 384u * 8 + 148);
}

TEST(Vif, UnknownTypesAndOversizedRowsAreRefused) {
    for (std::uint16_t type : {1, 3, 9, 11, 253}) {
        _vif descriptor{};
        EXPECT_EQ(PrepareVif(&descriptor, type, 10, 10), 0) << type;
        EXPECT_EQ(descriptor.allocation, nullptr);
        EXPECT_EQ(PrepareVifP(type, 10, 10), nullptr);
    }
    // 10 bytes x 2^32 - 1 pixels cannot be a 32-bit row length.
    EXPECT_EQ(PrepareVifP(kVifOpaque10, 0xFFFFFFFFu, 1), nullptr);
    EXPECT_EQ(PrepareVif(nullptr, kVifBgr8, 1, 1), 0);
}

TEST(Vif, CallerDescriptorIsClearedAndFilled) {
    _vif descriptor{};
    descriptor.attribute1 = 77;
    ASSERT_EQ(PrepareVif(&descriptor, kVifRgb8, 100, 2), 1);
    EXPECT_EQ(descriptor.attribute1, 0u);
    EXPECT_EQ(descriptor.rowBytes, 384u);
    std::free(descriptor.allocation);
}

TEST(Vif, ShorthandsMakeTypes0And2) {
    VifPtr narrow(PrepareVif0(4, 4));
    VifPtr wide(PrepareVif2(4, 4));
    ASSERT_TRUE(narrow && wide);
    EXPECT_EQ(narrow->type, kVifBgr8);
    EXPECT_EQ(wide->type, kVifBgr16);
}

TEST(Vif, ExplicitRowLengthsAcceptTheColourFamiliesOnly) {
    for (std::uint16_t type : {0, 1, 2, 3, 8, 9, 10, 11}) {
        VifPtr buffer(PrepareVifP_bpl(type, 10, 3, 61));
        ASSERT_TRUE(buffer) << type;
        EXPECT_EQ(buffer->rowBytes, 61u);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(buffer->data) % 128, 0u);
        std::memset(buffer->data, 0, 61 * 3);
    }
    for (std::uint16_t type : {4, 7, 12, 254, 255}) {
        EXPECT_EQ(PrepareVifP_bpl(type, 10, 3, 64), nullptr) << type;
    }
    // Rows shorter than their pixels would be overrun by every other operation.
    EXPECT_EQ(PrepareVifP_bpl(kVifBgr16, 10, 3, 59), nullptr);
}

TEST(Vif, PixelSizeOfNullIsZero) {
    EXPECT_EQ(VifGetPixelSize(nullptr), 0u);
}

TEST(Vif, DuplicateCopiesFieldsAndPixelsIntoAnUnalignedExactBlock) {
    VifPtr source = vif_test::filled(kVifRgb16, 7, 3, {1, 2, 3});
    ASSERT_TRUE(source);
    vif_test::setPixel(*source, 6, 2, {65535, 0, 4});
    source->attribute0 = -5;
    source->attribute1 = 6;
    source->attribute2 = 7;
    VifPtr copy(DuplicateVif(source.get()));
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->data, copy->allocation);
    EXPECT_EQ(copy->rowBytes, source->rowBytes);
    EXPECT_EQ(copy->attribute0, -5);
    EXPECT_EQ(copy->attribute1, 6u);
    EXPECT_EQ(copy->attribute2, 7u);
    EXPECT_TRUE(vif_test::samePixels(*copy, *source));
    vif_test::setPixel(*copy, 0, 0, {9, 9, 9});
    EXPECT_EQ(vif_test::pixelAt(*source, 0, 0), (vif_test::Pixel{1, 2, 3}));
    EXPECT_EQ(DuplicateVif(nullptr), nullptr);
}

TEST(Vif, FreeClearsThePointerAndIgnoresNull) {
    _vif* buffer = PrepareVif0(3, 3);
    ASSERT_NE(buffer, nullptr);
    FreeVif(&buffer);
    EXPECT_EQ(buffer, nullptr);
    FreeVif(&buffer);
    FreeVif(nullptr);
}

}  // namespace
