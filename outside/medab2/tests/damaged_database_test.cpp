// Damaged database files: truncated and bit-flipped copies of the real ones are refused or read
// within their bounds, never beyond (the sanitizers watch every query).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "bytes/byte_order.h"
#include "medab2_query_all.h"
#include "medab2_test_support.h"
#include "media_image.h"
#include "support/temporary_folder.h"

namespace {

constexpr int kFlipRounds = 400;
constexpr std::uint32_t kSeed = 20261210;

std::vector<std::uint8_t> readAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Writes the damaged bytes to a file and loads them as the callers do.
void loadAndQuery(const testsupport::TemporaryFolder& folder,
                  const std::vector<std::uint8_t>& bytes) {
    const auto path = (folder / "damaged.mdb").string();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    auto image = medab2test::load(path);
    if (!image.empty()) {
        medab2test::queryEverything(image);
    }
}

TEST(Medab2DamagedDatabase, TruncatedFilesAreRefused) {
    testsupport::TemporaryFolder folder;
    const auto whole = readAll(medab2test::kSL7000);
    ASSERT_FALSE(whole.empty());
    for (std::size_t length = 0; length < whole.size(); length += 37) {
        const std::vector<std::uint8_t> cut(whole.begin(),
                                            whole.begin() + static_cast<long>(length));
        const auto path = (folder / "cut.mdb").string();
        std::ofstream(path, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(cut.data()),
                   static_cast<std::streamsize>(cut.size()));
        EXPECT_EQ(mdb3GetMediaData(path.c_str(), nullptr), 0) << "cut at " << length;
    }
}

TEST(Medab2DamagedDatabase, BitFlippedFilesNeverReadOutsideTheImage) {
    testsupport::TemporaryFolder folder;
    std::mt19937 random(kSeed);
    for (const auto& source : {medab2test::kSL7000, medab2test::kSL5000}) {
        const auto whole = readAll(source);
        ASSERT_FALSE(whole.empty());
        std::uniform_int_distribution<std::size_t> position(0, whole.size() * 8 - 1);
        std::uniform_int_distribution<int> flips(1, 8);
        for (int round = 0; round < kFlipRounds; ++round) {
            auto damaged = whole;
            for (int flip = flips(random); flip > 0; --flip) {
                const std::size_t bit = position(random);
                damaged[bit / 8] ^= static_cast<std::uint8_t>(1u << (bit % 8));
            }
            loadAndQuery(folder, damaged);
        }
    }
}

// The filters write into media records, so a record table laid over the header would let them
// rewrite the directory or the image size and send later reads past the block. Such a database is
// refused when loaded, and an image of it in memory answers nothing and is not written to.
TEST(Medab2DamagedDatabase, TablesOverTheHeaderAreRefused) {
    constexpr std::uint32_t kMediaTableOffsetField = 40;  // the directory's second value
    constexpr std::uint32_t kOverTheImageSize = medab2::kImageSizeOffset - 44;
    testsupport::TemporaryFolder folder;
    auto image = medab2test::load(medab2test::kSL7000);
    ASSERT_FALSE(image.empty());
    bytes::storeLE32(image.data() + kMediaTableOffsetField, kOverTheImageSize);
    const auto path = (folder / "overlaid.mdb").string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
    EXPECT_EQ(mdb3GetMediaData(path.c_str(), nullptr), 0);

    const auto before = image;
    EXPECT_EQ(mdb3MediumCount(image.data()), 0);
    std::int16_t id = 0;
    EXPECT_EQ(mdb3MediumID(image.data(), 1, &id), 0);
    for (std::uint16_t candidate = 0; candidate < 512; ++candidate) {
        mdb3FilterOptimizeMode(image.data(), static_cast<std::int16_t>(candidate), 1);
    }
    EXPECT_EQ(image, before);
}

}  // namespace
